// The options screen through the headless backend: what it draws at the volume limits, which
// clicks change what, and that a change is heard at once.
#include "sound_fixture.hpp"
#include "sprache.hpp"

namespace qz::test {
namespace {

struct Options : SoundFixture {
    Options() { soundStart(r); }

    void pass() { optionsScreen(r, "hauptmenu", "keep"); }
    void clickAndPass(int x, int y)
    {
        leftClick(x, y);
        pass();
    }
    int plays()
    {
        int n = 0;
        for (const auto& c : calls()) n += c.what == "play" ? 1 : 0;
        return n;
    }
    // Centre pixels of the arrows of the music row (y 304) and the effect row (y 395).
    bool minusShown(int rowY) { return pixel(463, rowY + 3) == bildFarbe(3); }
    bool plusShown(int rowY) { return pixel(546, rowY + 3) == bildFarbe(4); }
};

TEST_F(Options, DrawsPanelButtonsFieldsAndValuesAtStartValues)
{
    pass();
    EXPECT_EQ(pixel(320, 190), bildFarbe(19));
    EXPECT_TRUE(showsCentredText(512, 224, "Zur\x81" "ck"));
    EXPECT_TRUE(showsCentredText(512, 278, "Musik Lautst\x84rke"));
    EXPECT_TRUE(showsCentredText(512, 369, "Effekt Lautst\x84rke"));
    EXPECT_EQ(pixel(451, 301), bildFarbe(18));
    EXPECT_EQ(pixel(451, 392), bildFarbe(18));
    EXPECT_TRUE(minusShown(304));
    EXPECT_TRUE(plusShown(304));
    EXPECT_TRUE(minusShown(395));
    EXPECT_TRUE(plusShown(395));
    EXPECT_TRUE(showsCentredText(509, 307, "50%"));
    EXPECT_TRUE(showsCentredText(509, 398, "50%"));
    EXPECT_EQ(platform.framesShown(), 1);
}

TEST_F(Options, MusicVolumeStepsByFiveAndIsAppliedToTheRunningTrackAtOnce)
{
    clickAndPass(546, 310);
    EXPECT_EQ(r.klang.musikLautstaerke, 55);
    EXPECT_EQ(r.Mausereignis, 0);
    // The running track's channel gets the new volume, then the click plays.
    const auto& c = calls();
    ASSERT_GE(c.size(), 3u);
    const auto& volume = c[c.size() - 3];
    EXPECT_EQ(volume.what, "volume");
    EXPECT_EQ(volume.a, r.klang.musikKanal);
    EXPECT_EQ(volume.b, 55);
    EXPECT_EQ(c[c.size() - 2].what, "play");
    clickAndPass(463, 310);
    clickAndPass(463, 310);
    EXPECT_EQ(r.klang.musikLautstaerke, 45);
    EXPECT_EQ(calls()[calls().size() - 3].b, 45);
}

TEST_F(Options, EffectClickIsHeardAtTheNewVolume)
{
    clickAndPass(463, 400);
    EXPECT_EQ(r.klang.effektLautstaerke, 45);
    const auto& c = calls();
    EXPECT_EQ(c[c.size() - 2].what, "play");
    EXPECT_EQ(c[c.size() - 2].a, r.klang.klickSample);
    EXPECT_EQ(c.back().what, "volume");
    EXPECT_EQ(c.back().b, 45);
    EXPECT_EQ(r.klang.musikLautstaerke, 50);
}

TEST_F(Options, PlusStaysUpTo95AndTheLastStepReaches100)
{
    r.klang.musikLautstaerke = 95;
    pass();
    EXPECT_TRUE(plusShown(304));
    clickAndPass(546, 310);
    EXPECT_EQ(r.klang.musikLautstaerke, 100);
    pass();  // the screen draws before it handles the click: the next frame shows the change
    EXPECT_FALSE(plusShown(304));
    EXPECT_TRUE(showsCentredText(509, 307, "100%"));
    // At 100 a click where the plus was does nothing, plays nothing and is not consumed.
    const int before = plays();
    clickAndPass(546, 310);
    EXPECT_EQ(r.klang.musikLautstaerke, 100);
    EXPECT_EQ(plays(), before);
    EXPECT_EQ(r.Mausereignis, 1);
}

TEST_F(Options, AtZeroTheValueReadsAusAndTheMinusIsGoneAndDead)
{
    r.klang.effektLautstaerke = 5;
    clickAndPass(463, 400);
    EXPECT_EQ(r.klang.effektLautstaerke, 0);
    pass();
    EXPECT_TRUE(showsCentredText(509, 398, "Aus"));
    EXPECT_FALSE(minusShown(395));
    EXPECT_TRUE(plusShown(395));
    clickAndPass(463, 400);
    EXPECT_EQ(r.klang.effektLautstaerke, 0);
    clickAndPass(546, 400);
    EXPECT_EQ(r.klang.effektLautstaerke, 5);
}

TEST_F(Options, VolumesRunFromZeroToHundredInStepsOfFive)
{
    for (int i = 0; i < 30; ++i) clickAndPass(546, 310);
    EXPECT_EQ(r.klang.musikLautstaerke, 100);
    for (int i = 0; i < 30; ++i) clickAndPass(463, 310);
    EXPECT_EQ(r.klang.musikLautstaerke, 0);
}

TEST_F(Options, HitBoxesExcludeTheirBorders)
{
    clickAndPass(458, 310);  // left border of the minus
    clickAndPass(478, 310);  // right border
    clickAndPass(470, 304);  // top border
    clickAndPass(470, 324);  // bottom border
    EXPECT_EQ(r.klang.musikLautstaerke, 50);
    clickAndPass(459, 305);
    EXPECT_EQ(r.klang.musikLautstaerke, 45);
}

TEST_F(Options, TheLanguageButtonGoesThroughEveryCatalogueAndTheNextFrameSpeaksIt)
{
    test::SpracheFuerTest schutz(QZ_GENERATED_DIR, "de");  // the build's catalogues: en, qps
    pass();
    EXPECT_TRUE(showsCentredText(512, 460, "Sprache"));
    EXPECT_TRUE(showsCentredText(512, 487, "Deutsch"));
    const int before = plays();
    clickAndPass(500, 490);
    EXPECT_EQ(r.Sprache, "en");
    EXPECT_EQ(sprache(), "en");
    EXPECT_EQ(plays(), before + 1);
    EXPECT_TRUE(showsCentredText(512, 224, "Zur\x81" "ck")) << "the frame of the click is German still";
    pass();
    EXPECT_TRUE(showsCentredText(512, 224, "Back"));
    EXPECT_TRUE(showsCentredText(512, 278, "Music volume"));
    EXPECT_TRUE(showsCentredText(512, 487, "English"));
    clickAndPass(500, 490);
    EXPECT_EQ(r.Sprache, "qps");
    clickAndPass(500, 490);
    EXPECT_EQ(r.Sprache, "de");
    // The button's borders are outside it.
    clickAndPass(434, 490);
    clickAndPass(500, 506);
    EXPECT_EQ(r.Sprache, "de");
}

TEST_F(Options, OnlyALeftClickActs)
{
    r.MausX = 546;
    r.MausY = 310;
    for (const int event : {2, 3, 5, 42}) {
        r.Mausereignis = event;
        pass();
    }
    EXPECT_EQ(r.klang.musikLautstaerke, 50);
}

TEST_F(Options, ZurueckLeadsWhereTheCallerSaysWithAClick)
{
    r.Programmzustand = "option";
    r.Unterzustand = "";
    const int before = plays();
    clickAndPass(500, 230);
    EXPECT_EQ(r.Programmzustand, "hauptmenu");
    EXPECT_EQ(r.Unterzustand, "keep");
    EXPECT_EQ(plays(), before + 1);
    EXPECT_EQ(r.Mausereignis, 0);

    r.Programmzustand = "sandkasten";
    r.Unterzustand = "option";
    leftClick(500, 230);
    optionsScreen(r, "sandkasten", "hauptmenu");
    EXPECT_EQ(r.Programmzustand, "sandkasten");
    EXPECT_EQ(r.Unterzustand, "hauptmenu");
}

}  // namespace
}  // namespace qz::test

// F1 help: the page of the screen in view is drawn over it, the game stands still behind it as
// behind a menu, no click or key reaches the screen, and the Esc that closes it does not open
// the map's menu as well.
#include "app/hilfe.hpp"
#include "app/hilfe_seiten.hpp"
#include "frame_fixture.hpp"
#include "gezeichneter_text.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <string_view>
#include <thread>

namespace qz {
namespace {

constexpr Farbe kTitelFarbe = rgb(255, 234, 117);

using test::zeigtText;

// The title is centred on x = 512 at y = 28.
bool zeigtTitel(const Image& bild, std::string_view titel)
{
    return zeigtText(bild, centredX(512, titel.size()), 28, titel, kTitelFarbe);
}

struct HilfeFlow : FrameFixture {
    void SetUp() override
    {
        FrameFixture::SetUp();
        programm->bildquellen = {[](const std::string&) { return imageCreate(2560, 1600, 0xFF101030); },
                                 [](const std::string&) { return imageCreate(32, 32, 0xFF00FF00); }};
    }
    void f1()
    {
        platform.typeSpecialKey(0x3B);
        pass(512, 400);
    }
};

TEST_F(HilfeFlow, OverTheMapTheGameRestsNothingLeaksAndEscClosesWithoutTheMenu)
{
    // F1 held down: the keyboard repeats it, but only the press counts.
    platform.holdKey(kScanF1);
    f1();
    EXPECT_TRUE(zeigtTitel(r.screen(), "Hilfe: Hauptmen\x81"));
    f1();
    EXPECT_TRUE(zeigtTitel(r.screen(), "Hilfe: Hauptmen\x81"));
    platform.releaseKey(kScanF1);
    f1();
    EXPECT_FALSE(zeigtTitel(r.screen(), "Hilfe: Hauptmen\x81"));

    click(512, 230);  // "Sandkasten"
    click(512, 230);  // "Neues Spiel"
    click(512, 461);  // "Spiel Starten"
    pass(512, 400);
    Spielstand& spiel = programm->spiel;
    ASSERT_EQ(spiel.spielLaeuft, 1);
    int heimat = 0;
    for (int i = 1; i <= spiel.Sternanzahl; ++i)
        if (spiel.systeme.besitzer(i) == 1 && spiel.systeme.typ(i) == 42) heimat = i;
    ASSERT_NE(heimat, 0);
    const int heimX = spiel.systeme.pos(heimat, 1) - spiel.scrollX, heimY = spiel.systeme.pos(heimat, 2) - spiel.scrollY;
    const int tage = spiel.wirtschaft.spieltag;
    const int geld = spiel.wirtschaft.geld;

    f1();
    EXPECT_TRUE(zeigtTitel(r.screen(), "Hilfe: Sternkarte"));
    // 30 s behind the help would be six days on the map (one per 5 s); a click on the home
    // planet would open it, Escape held would open the menu, typed keys would scroll.
    for (int s = 0; s < 30; ++s) {
        platform.advance(1.0);
        platform.typeText("d");
        click(heimX, heimY);
    }
    EXPECT_EQ(spiel.wirtschaft.spieltag, tage);
    EXPECT_EQ(spiel.wirtschaft.geld, geld);
    EXPECT_EQ(spiel.gewaehltesSystem, 0);
    EXPECT_TRUE(zeigtTitel(r.screen(), "Hilfe: Sternkarte"));

    // Esc closes, but only once it is let go; until then the help stays and the menu shut.
    platform.holdKey(scan::Escape);
    platform.typeText("\x1B");
    pass(512, 400);
    pass(512, 400);
    EXPECT_TRUE(zeigtTitel(r.screen(), "Hilfe: Sternkarte"));
    platform.releaseKey(scan::Escape);
    pass(512, 400);
    EXPECT_EQ(r.Unterzustand, "");
    EXPECT_FALSE(zeigtTitel(r.screen(), "Hilfe: Sternkarte"));
    // Back on the map the missed time counts as one day at most, as after a menu.
    EXPECT_LE(spiel.wirtschaft.spieltag, tage + 1);

    // The opened system has its own page.
    click(heimX, heimY);
    ASSERT_EQ(spiel.gewaehltesSystem, heimat);
    f1();
    EXPECT_TRUE(zeigtTitel(r.screen(), "Hilfe: Sternsystem"));
}

TEST_F(HilfeFlow, BehindTheHelpARunningMultiplayerGameGoesOnWithTheServer)
{
    // A running game with its menu in view, as after Esc on the map.
    Spielstand& spiel = programm->spiel;
    spiel.spielLaeuft = 1;
    spiel.eigenerSpieler = 1;
    spiel.Spieleranzahl = 2;
    spiel.Sternanzahl = 2;
    programm->mehrspieler.senden.SessionId = "S1";
    r.Programmzustand = "multiplayer";
    r.Unterzustand = "hauptmenu";
    pass(512, 400);
    f1();
    ASSERT_TRUE(zeigtTitel(r.screen(), "Hilfe: Mehrspieler-Men\x81"));
    // 20 s behind the help: four days, and a request every 2 s once the one before was answered.
    const int tage = spiel.wirtschaft.spieltag;
    const int vorher = roundTrips;
    for (int s = 0; s < 20; ++s) {
        platform.advance(1.0);
        pass(512, 400);
        const int erwartet = roundTrips + 1;
        for (int warten = 0; warten < 200 && s % 2 == 0 && roundTrips < erwartet; ++warten) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
            pass(512, 400);
        }
    }
    EXPECT_TRUE(zeigtTitel(r.screen(), "Hilfe: Mehrspieler-Men\x81"));
    EXPECT_GE(spiel.wirtschaft.spieltag, tage + 4);
    EXPECT_GE(roundTrips - vorher, 8);
}

TEST(HilfeSeiten, EveryPageFitsThePanel)
{
    for (HilfeSeite seite : {HilfeSeite::Hauptmenue, HilfeSeite::Optionen, HilfeSeite::Credits,
                             HilfeSeite::SandkastenMenue, HilfeSeite::Sternkarte, HilfeSeite::Sternsystem,
                             HilfeSeite::MehrspielerLogin, HilfeSeite::MehrspielerMenue, HilfeSeite::Lobby,
                             HilfeSeite::MehrspielerKarte}) {
        const std::vector<HilfeZeile>& zeilen = hilfeText(seite);
        EXPECT_LE(zeilen.size(), static_cast<std::size_t>(kHilfeZeilen)) << hilfeTitel(seite);
        for (const HilfeZeile& z : zeilen) {
            EXPECT_LE(z.text.size(), static_cast<std::size_t>(kHilfeSpalten)) << z.text;
            for (char c : z.text) EXPECT_NE(c, '?') << "a character the font lacks: " << z.text;
        }
    }
}

TEST(HilfeSeiten, GermanLettersBecomeCodePage437)
{
    EXPECT_EQ(alsCp437("Größe Übel äußerst"), "Gr\x94\xE1" "e \x9A" "bel \x84u\xE1" "erst");
    EXPECT_EQ(alsCp437("5 × 3 → x"), "5 x 3 ? x");
}

}  // namespace
}  // namespace qz

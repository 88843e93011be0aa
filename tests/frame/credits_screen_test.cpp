// The credits screen: six pages on their own timers, page 0 after an early return, the
// footer, the layout of the lines, the credited sources and the way back.
#include "sound_fixture.hpp"

#include <algorithm>

namespace qz::test {
namespace {

struct Credits : SoundFixture {
    Credits()
    {
        soundStart(r);
        r.Programmzustand = "credits";
        r.klang.creditsSeite = 0;  // as the main menu sets it on entry
    }
    void pass() { creditsScreen(r); }
};

TEST_F(Credits, FirstPassShowsPageOneWithItsFooter)
{
    pass();
    EXPECT_EQ(r.klang.creditsSeite, 1);
    EXPECT_DOUBLE_EQ(r.klang.creditsSeitenende, platform.timer() + 6);
    EXPECT_EQ(pixel(320, 190), bildFarbe(19));
    EXPECT_TRUE(showsCentredText(512, 224, "Zur\x81" "ck"));
    EXPECT_TRUE(showsCentredText(512, 552, "Seite: 1/6"));
    EXPECT_TRUE(showsCentredText(512, 294, "GUI"));
}

TEST_F(Credits, PagesFollowTheirShowingTimesAndWrapAround)
{
    pass();
    const double durations[] = {6, 8, 4, 10, 5, 6};
    for (int page = 1; page <= 6; ++page) {
        platform.advance(durations[page - 1] - 0.01);
        pass();
        ASSERT_EQ(r.klang.creditsSeite, page) << "left early";
        platform.advance(0.02);
        pass();
        ASSERT_EQ(r.klang.creditsSeite, page % 6 + 1);
        EXPECT_TRUE(showsCentredText(512, 552, "Seite: " + std::to_string(page % 6 + 1) + "/6"));
    }
}

TEST_F(Credits, ReenteringBeforeThePageEndsShowsPageZeroUntilThen)
{
    pass();
    platform.advance(2);
    pass();
    r.klang.creditsSeite = 0;  // back to the main menu and in again, 4 s before page 1 ends
    pass();
    EXPECT_EQ(r.klang.creditsSeite, 0);
    EXPECT_TRUE(showsCentredText(512, 552, "Seite: 0/6"));
    EXPECT_FALSE(showsCentredText(512, 294, "GUI"));
    platform.advance(4.01);
    pass();
    EXPECT_EQ(r.klang.creditsSeite, 1);
}

TEST_F(Credits, PagesCarryTheHeadingsInOrderWithLinesThatFitThePanel)
{
    std::vector<std::string> headings;
    const std::vector<std::string> expected{"GUI",
                                            "Sternhintergrund",
                                            "Planeten",
                                            "Schiffe",
                                            "Multiplayer basiert auf Code von",
                                            "Sounds & Musik",
                                            "Programmiert & Idee"};
    for (int page = 1; page <= 6; ++page) {
        SCOPED_TRACE("page " + std::to_string(page));
        const std::vector<CreditsZeile> lines = creditsZeilen(page);
        ASSERT_FALSE(lines.empty());
        EXPECT_EQ(lines.front().y, 294);
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const CreditsZeile& line = lines[i];
            const double left = 512 - line.text.size() * 8 / 2.0;
            EXPECT_GE(left, 312 + 14) << line.text;  // inside the panel's glass
            EXPECT_LE(left + line.text.size() * 8, 712 - 14) << line.text;
            EXPECT_LT(line.y + 16, 552);  // above the footer
            if (std::find(expected.begin(), expected.end(), line.text) != expected.end()) headings.push_back(line.text);
            if (i == 0) continue;
            const int step = line.y - lines[i - 1].y;
            EXPECT_GE(step, 15);
            EXPECT_LE(step, 50);
            if (i + 1 < lines.size() &&
                std::find(expected.begin(), expected.end(), lines[i + 1].text) != expected.end()) {
                EXPECT_GT(lines[i + 1].y - line.y, step);  // more room before a new heading
            }
        }
    }
    EXPECT_EQ(headings, expected);
    EXPECT_TRUE(creditsZeilen(0).empty());
}

TEST_F(Credits, NameOurGeneratorAndLibrariesAsTheSources)
{
    std::string all;
    for (int page = 1; page <= 6; ++page) {
        for (const CreditsZeile& line : creditsZeilen(page)) all += line.text + "\n";
    }
    for (const char* source : {"QZ Asset-Generator", "libjpeg-turbo", "libpng", "LAME", "SDL2_mixer", "Boost.Beast",
                               "SQLite", "libsodium", "Angepasst, bearbeitet von: "}) {
        EXPECT_NE(all.find(source), std::string::npos) << source;
    }
}

TEST_F(Credits, EveryLineOfThePageIsDrawn)
{
    platform.advance(100);
    r.klang.creditsSeite = 3;  // the next pass turns to page 4
    pass();
    ASSERT_EQ(r.klang.creditsSeite, 4);
    for (const CreditsZeile& line : creditsZeilen(4)) {
        EXPECT_TRUE(showsCentredText(512, line.y, line.text)) << line.text;
    }
}

TEST_F(Credits, ZurueckReturnsToTheMainMenuWithAClick)
{
    pass();
    calls().clear();
    leftClick(433, 230);  // outside: the box starts after x 434
    pass();
    EXPECT_EQ(r.Programmzustand, "credits");
    leftClick(500, 242);
    pass();
    EXPECT_EQ(r.Programmzustand, "hauptmenu");
    EXPECT_EQ(r.Mausereignis, 0);
    ASSERT_FALSE(calls().empty());
    EXPECT_EQ(calls()[0].what, "play");
    EXPECT_EQ(calls()[0].a, r.klang.klickSample);
}

}  // namespace
}  // namespace qz::test

// The main menu's open hit boxes and the transitions between the program states.
#include "frame_fixture.hpp"
#include "gezeichneter_text.hpp"

#include <filesystem>
#include <fstream>
#include <functional>
#include <new>
#include <system_error>

namespace qz {
namespace {

using MainMenu = FrameFixture;

int clicksPlayed(HeadlessPlatform& p)
{
    int n = 0;
    for (const auto& c : p.recordedSound().calls) n += c.what == "play";
    return n;
}

TEST_F(MainMenu, EachButtonLeadsToItsStateWithItsSubState)
{
    struct Case { int y; const char* state; const char* sub; };
    for (Case c : {Case{230, "sandkasten", "hauptmenu"}, Case{280, "multiplayer", "login"}, Case{340, "option", ""},
                   Case{400, "credits", ""}}) {
        r.Programmzustand = "hauptmenu";
        r.Unterzustand.clear();
        int before = clicksPlayed(platform);
        click(500, c.y);
        EXPECT_EQ(r.Programmzustand, c.state) << c.y;
        EXPECT_EQ(r.Unterzustand, c.sub) << c.y;
        EXPECT_EQ(r.Mausereignis, 0);
        EXPECT_EQ(clicksPlayed(platform), before + 1);
    }
}

TEST_F(MainMenu, BoxesAreOpenIntervals)
{
    for (auto [x, y] : {std::pair{434, 230}, {590, 230}, {500, 218}, {500, 243}, {500, 434}, {500, 459}}) {
        click(x, y);
        EXPECT_EQ(r.Programmzustand, "hauptmenu") << x << "," << y;
        EXPECT_EQ(r.Mausereignis, 0);
    }
    click(435, 219);
    EXPECT_EQ(r.Programmzustand, "sandkasten");
}

TEST_F(MainMenu, CreditsReachesDownToTheBeendenButton)
{
    click(589, 433);
    EXPECT_EQ(r.Programmzustand, "credits");
    EXPECT_EQ(r.klang.creditsSeite, 0);
}

TEST_F(MainMenu, ClickOnEmptySpaceIsSwallowedWithoutSound)
{
    int before = clicksPlayed(platform);
    click(100, 100);
    EXPECT_EQ(r.Mausereignis, 0);
    EXPECT_EQ(clicksPlayed(platform), before);
    pass(100, 100, 2);
    pass(100, 100, 0);
    EXPECT_EQ(r.Mausereignis, 0);
}

TEST_F(MainMenu, HeldButtonDoesNothingUntilReleased)
{
    pass(500, 230, 1);
    pass(500, 230, 1);
    EXPECT_EQ(r.Programmzustand, "hauptmenu");
    pass(500, 230, 0);
    EXPECT_EQ(r.Programmzustand, "sandkasten");
}

TEST_F(MainMenu, DrawsPanelButtonsAndCentredLabels)
{
    pass(0, 0);
    const Image& s = platform.screen();
    EXPECT_EQ(s.row(190)[320], 0xFF404040u);  // panel (stand-in picture) at (312, 184)
    EXPECT_EQ(s.row(100)[100], 0u);           // cleared to black elsewhere
    // "Beenden" (7 characters) starts at 512 - 28 = 484 on y = 440: some glyph pixel is white.
    int white = 0;
    for (int y = 440; y < 456; ++y)
        for (int x = 484; x < 540; ++x) white += s.row(y)[x] == 0xFFFFFFu;
    EXPECT_GT(white, 20);
    EXPECT_GT(platform.framesShown(), 0);
}

TEST_F(MainMenu, BeendenWaitsAndEndsAfterThePassWithTheWorkerJoined)
{
    double t0 = platform.timer();
    EXPECT_TRUE(pass(500, 440, 1));
    EXPECT_FALSE(pass(500, 440, 0));
    EXPECT_EQ(r.Programmzustand, "close");
    EXPECT_GE(platform.timer() - t0, 1.5);
    shutDown(*programm);
    EXPECT_FALSE(programm->worker.joinable());
    EXPECT_EQ(programm->rahmen.Oberflaechenbild(11), nullptr);
}

TEST_F(MainMenu, AKeyCutsTheGoodbyePauseShort)
{
    pass(500, 440, 1);
    platform.typeText("q");
    platform.typeText("q");
    double t0 = platform.timer();
    pass(500, 440, 0);
    EXPECT_LT(platform.timer() - t0, 0.1);
}

TEST_F(MainMenu, OptionAndOtherScreensLeadBackToTheMenu)
{
    click(500, 340);
    ASSERT_EQ(r.Programmzustand, "option");
    click(500, 230);  // "Zurück"
    EXPECT_EQ(r.Programmzustand, "hauptmenu");
}

// qz --replay FILE: the program opens on the replay, and its end leads to the main menu.
struct ReplayStart : FrameFixture {
    ReplayStart()
    {
        optionen.aufnahme = replay::readQzrFile(std::string(QZ_REPLAY_FIXTURES) + "/zwei_spieler.qzr");
        programm->bildquellen = {[](const std::string&) { return imageCreate(2560, 1600, 0xFF000010); },
                                 [](const std::string&) { return imageCreate(32, 32, 0xFF00FF00); }};
    }
};

TEST_F(ReplayStart, TheReplayOpensAtOnceAndEscLeadsToTheMainMenu)
{
    ASSERT_EQ(r.Programmzustand, "wiedergabe");
    pass(500, 300);
    EXPECT_TRUE(test::zeigtText(platform.screen(), wiedergabeflaeche::kTagX, wiedergabeflaeche::kTagY, "Tag 0 / 16"));
    EXPECT_EQ(hilfeSeiteFuer(r, programm->spiel), HilfeSeite::Wiedergabe);
    platform.holdKey(scan::Escape);
    pass(500, 300);
    platform.releaseKey(scan::Escape);
    EXPECT_EQ(r.Programmzustand, "hauptmenu");
    EXPECT_FALSE(programm->wiedergabe);
    pass(500, 300);
    EXPECT_TRUE(test::zeigtText(platform.screen(), 512 - 5 * 8, 218 + 6, "Sandkasten"));
}

TEST(MainProgram, MissingPictureEndsTheProgramWithAReport)
{
    std::filesystem::remove("./fehlerbericht.txt");
    HeadlessPlatform platform;
    Anbindung anbindung;
    anbindung.bildLaden = [](const std::string&) { return ImagePtr{}; };
    EXPECT_EQ(runProgram(platform, anbindung), 1);
    std::ifstream in("./fehlerbericht.txt", std::ios::binary);
    std::string report((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(report.rfind("\"Fehler: 7, programm.cpp, ", 0), 0u) << report;
    EXPECT_EQ(report.substr(report.size() - 3), "\"\r\n");
}

TEST(MainProgram, EveryOtherFailureEndsTheProgramWithAReportToo)
{
    // Out of memory is error 4; a failed thread start or anything else unknown is error 0.
    const std::pair<std::function<void()>, const char*> kFaelle[] = {
        {[] { throw std::bad_alloc(); }, "\"Fehler: 4, programm.cpp, "},
        {[] { throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again)); },
         "\"Fehler: 0, programm.cpp, "},
        {[] { throw 42; }, "\"Fehler: 0, programm.cpp, "}};
    for (const auto& fall : kFaelle) {
        // A named reference, not a structured binding: clang 14 cannot capture those in a lambda.
        const auto& wirf = fall.first;
        const char* anfang = fall.second;
        SCOPED_TRACE(anfang);
        std::filesystem::remove("./fehlerbericht.txt");
        HeadlessPlatform platform;
        Anbindung anbindung;
        anbindung.bildLaden = [&](const std::string&) -> ImagePtr {
            wirf();
            return {};
        };
        EXPECT_EQ(runProgram(platform, anbindung), 1);
        std::ifstream in("./fehlerbericht.txt", std::ios::binary);
        std::string report((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        EXPECT_EQ(report.rfind(anfang, 0), 0u) << report;
    }
}

TEST(MainProgram, WindowIsTitledWithTheAcuteAccentByte)
{
    HeadlessPlatform platform;
    Programm programm(platform);
    startUp(programm, Anbindung{});
    EXPECT_EQ(platform.title(), "ORN\xB4s QZ");
    EXPECT_EQ(platform.screen().width, 1024);
    EXPECT_EQ(platform.screen().height, 768);
    EXPECT_EQ(programm.rahmen.Version, "QZ0.10");
    EXPECT_EQ(programm.spiel.wirtschaft.geld, 2000);
    EXPECT_EQ(programm.spiel.wirtschaft.vorrat, 500);
    EXPECT_EQ(programm.spiel.Sternanzahl, 200);
    EXPECT_EQ(programm.spiel.forschung.thema(12).kosten, 489);
    stopWorker(programm);
}

}  // namespace
}  // namespace qz

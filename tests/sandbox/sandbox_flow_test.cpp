// Whole sandbox flows through the main menu on the headless backend: starting a game, the
// view, scrolling, days passing with their money and supply, the menu pausing the game, and
// leaving it again.
#include "sandbox/sandkasten_simulation.hpp"
#include "state/schiffslisten.hpp"
#include "map/spielstart.hpp"
#include "map/karten_overlays.hpp"
#include "map/sternkarte_ansicht.hpp"
#include "gfx/widgets.hpp"
#include "sandbox_fixture.hpp"
#include "gezeichneter_text.hpp"
#include "sprache.hpp"

#include <algorithm>

#include <filesystem>

namespace qz {
namespace {

using Sandbox = SandboxFixture;

// The labels the flow reads on screen, in the language it runs in: German as the sources write
// it, English as po/en.po translates it.
struct Beschriftung {
    const char* sprache;
    const char* neuesSpiel;
    const char* sternanzahl;
    const char* spielStarten;
};
const Beschriftung kBeschriftungen[] = {
    {"de", "Neues Spiel", "Sternanzahl", "Spiel Starten"},
    {"en", "New game", "Number of stars", "Start game"},
};

struct SandboxInSprache : SandboxFixture, ::testing::WithParamInterface<Beschriftung> {
    test::SpracheFuerTest sprache{QZ_GENERATED_DIR, GetParam().sprache};
    // A button's label, centred on x = 512 in the row below the button's top edge.
    bool zeigtKnopf(int knopfY, std::string_view text)
    {
        return test::zeigtText(r.screen(), centredX(512, text.size()), knopfY + 6, text);
    }
};
INSTANTIATE_TEST_SUITE_P(Sprachen, SandboxInSprache, ::testing::ValuesIn(kBeschriftungen),
                         [](const auto& info) { return std::string(info.param.sprache); });

TEST_P(SandboxInSprache, NewGameScreenSetsStarsAndColourAndStartsTheGame)
{
    click(512, 230);
    EXPECT_EQ(r.Programmzustand, "sandkasten");
    EXPECT_EQ(r.Unterzustand, "hauptmenu");
    pass(512, 700);  // the pointer off the buttons
    EXPECT_TRUE(zeigtKnopf(218, GetParam().neuesSpiel));
    click(512, 230);
    ASSERT_EQ(r.Unterzustand, "erstellen");
    EXPECT_TRUE(zeigtKnopf(272, GetParam().sternanzahl));
    EXPECT_TRUE(zeigtKnopf(449, GetParam().spielStarten));
    EXPECT_EQ(spiel.Sternanzahl, 200);
    EXPECT_EQ(spiel.spieler.spielerFarbe(1, 0), 1);

    click(551, 314);  // no increase beyond 200
    EXPECT_EQ(spiel.Sternanzahl, 200);
    for (int n = 0; n < 4; ++n) click(468, 314);
    EXPECT_EQ(spiel.Sternanzahl, 50);  // three steps down, the fourth arrow is gone
    click(551, 314);
    EXPECT_EQ(spiel.Sternanzahl, 100);
    click(468, 405);  // no colour below 1
    for (int n = 0; n < 9; ++n) click(551, 405);
    EXPECT_EQ(spiel.spieler.spielerFarbe(1, 0), 8);
    click(468, 405);
    EXPECT_EQ(spiel.spieler.spielerFarbe(1, 0), 7);
    EXPECT_EQ(pixel(505, 400), 0x0078FFu);  // the colour box shows palette entry 7

    const int vorher = klicks();
    click(512, 461);
    EXPECT_EQ(klicks(), vorher + 1);
    EXPECT_EQ(r.Unterzustand, "");
    EXPECT_EQ(spiel.spielLaeuft, 1);
    EXPECT_EQ(spiel.eigenerSpieler, 1);
    EXPECT_GE(spiel.hintergrund, 1);
    EXPECT_LE(spiel.hintergrund, 13);
    ASSERT_EQ(geladen.size(), 9u);
    EXPECT_EQ(geladen[0], dataFile("material/2/" + std::to_string(spiel.hintergrund) + ".orn-games"));
    for (int t = 1; t <= 8; ++t) EXPECT_EQ(geladen[t], dataFile("material/4/7/" + std::to_string(t) + ".orn-games"));
    EXPECT_EQ(spiel.karte.kartenBreite, 2560);
    EXPECT_EQ(spiel.karte.kartenHoehe, 1600);
    EXPECT_NE(heimat(), 0);
    for (int i = 101; i <= 200; ++i) ASSERT_EQ(spiel.systeme.name(i), "");
    EXPECT_FALSE(std::filesystem::exists("fehlerbericht.txt"));
}

TEST_F(Sandbox, TheViewIsCentredOnTheHomePlanetAndClamped)
{
    starteSpiel();
    const int h = heimat();
    ASSERT_NE(h, 0);
    int x = spiel.systeme.pos(h, 1) - 512, y = spiel.systeme.pos(h, 2) - 384;
    x = std::clamp(x, 0, 1536);
    y = y < 0 ? 0 : (y > 832 ? 943 : y);
    EXPECT_EQ(spiel.scrollX, x);
    EXPECT_EQ(spiel.scrollY, y);

    // The home planet is drawn where the view puts it: white centre, ring in the own colour.
    const int sx = spiel.systeme.pos(h, 1) - spiel.scrollX, sy = spiel.systeme.pos(h, 2) - spiel.scrollY;
    if (sy + 20 < 768 && sx + 20 < 1024) {
        EXPECT_EQ(pixel(sx, sy), 0xFFFFFFu);
        EXPECT_EQ(pixel(sx + 20, sy), 0x9400FFu);
    }
}

TEST(Ansicht, CentringClampsAndJumpsBelowTheLastFullScreenTo943)
{
    Spielstand spiel;
    ansichtZentrieren(spiel, 100, 100);
    EXPECT_EQ(spiel.scrollX, 0);
    EXPECT_EQ(spiel.scrollY, 0);
    ansichtZentrieren(spiel, 2529, 1569);
    EXPECT_EQ(spiel.scrollX, 1536);
    EXPECT_EQ(spiel.scrollY, 943);
    ansichtZentrieren(spiel, 1300, 1216);
    EXPECT_EQ(spiel.scrollX, 788);
    EXPECT_EQ(spiel.scrollY, 832);
    ansichtZentrieren(spiel, 2048, 1217);
    EXPECT_EQ(spiel.scrollX, 1536);
    EXPECT_EQ(spiel.scrollY, 943);
}

TEST_F(Sandbox, AHomePlanetNearTheBottomPutsTheViewAt943)
{
    neuesSpielZuruecksetzen(r, spiel);
    for (int versuch = 0; versuch < 400; ++versuch) {
        platform.advance(1.0);
        spielVerwerfen(r, spiel);
        spielStarten(r, spiel, quellen);
        const int h = heimat();
        if (spiel.systeme.pos(h, 2) > 1216) {
            EXPECT_EQ(spiel.scrollY, 943);
            warte(0.2);  // drawing the lowest view leaves the status bar's rows unpainted by the map
            EXPECT_FALSE(std::filesystem::exists("fehlerbericht.txt"));
            return;
        }
    }
    FAIL() << "no home planet near the bottom in 400 games";
}

TEST_F(Sandbox, ThreeDaysSettleMoneyAndSupplyAsComputedByHand)
{
    starteSpiel();
    const int h = heimat();
    const int E = spiel.systeme.einwohner(h), V = spiel.systeme.versorgung(h), F = spiel.systeme.forschung(h);
    // The first day is settled in the pass that started the game.
    EXPECT_EQ(spiel.wirtschaft.geld, 2000 + E - F);
    EXPECT_EQ(spiel.wirtschaft.vorrat, 500 + V - E);

    warte(10.5);
    // Home values start at their maxima without research: no growth, the same balance each day.
    EXPECT_EQ(spiel.systeme.einwohner(h), E);
    EXPECT_EQ(spiel.wirtschaft.geld, 2000 + 3 * (E - F));
    EXPECT_EQ(spiel.wirtschaft.vorrat, 500 + 3 * (V - E));
    EXPECT_EQ(spiel.wirtschaft.einnahmen, E);
    EXPECT_EQ(spiel.wirtschaft.forschungskosten, -F);
    EXPECT_EQ(spiel.wirtschaft.versorgungsertrag, V);
    EXPECT_EQ(spiel.wirtschaft.versorgungsverbrauch, -E);
    EXPECT_EQ(spiel.wirtschaft.forschungspunkte, F);
    warte(4.0);
    EXPECT_EQ(spiel.wirtschaft.geld, 2000 + 3 * (E - F));  // the fourth day is not yet due
}

TEST_F(Sandbox, TheStatusBarShowsTheLastDaysBalance)
{
    starteSpiel();
    const Wirtschaft& w = spiel.wirtschaft;
    // Render the expected line into a scratch frame and compare the status bar's pixels.
    auto erwartet = imageCreate(1024, 768, 0xFF000000);
    put(*erwartet, 702, 667, r.Oberflaechenbild(11).get());
    put(*erwartet, 858, 667, r.Oberflaechenbild(11).get());
    drawText(*erwartet, 708, 673,
             "(G " + std::to_string(w.einnahmen + w.forschungskosten) + "/5s) " + std::to_string(w.geld), 0xFFFFFF);
    drawText(*erwartet, 864, 673,
             "(V " + std::to_string(w.versorgungsertrag + w.versorgungsverbrauch) + "/5s) " +
                 std::to_string(w.vorrat),
             0xFFFFFF);
    int gleich = 0, weiss = 0;
    for (int y = 673; y < 689; ++y) {
        for (int x = 708; x < 1014; ++x) {
            const bool a = (erwartet->row(y)[x] & 0xFFFFFF) == 0xFFFFFF;
            const bool b = pixel(x, y) == 0xFFFFFF;
            weiss += a;
            gleich += a == b;
        }
    }
    EXPECT_GT(weiss, 100);
    EXPECT_EQ(gleich, 16 * (1014 - 708));
}

TEST_F(Sandbox, TheMenuPausesTheGameAndOneDayIsSettledOnReturn)
{
    starteSpiel();
    warte(1.0);
    const int geldNachTag1 = spiel.wirtschaft.geld;
    const int h = heimat();
    const int tagesbilanz = spiel.systeme.einwohner(h) - spiel.systeme.forschung(h);

    platform.holdKey(scan::Escape);
    pass(512, 500);
    platform.releaseKey(scan::Escape);
    ASSERT_EQ(r.Unterzustand, "hauptmenu");
    warte(60.0, 0.5);
    EXPECT_EQ(spiel.wirtschaft.geld, geldNachTag1);  // no day while the menu is open

    click(512, 446);  // "Zum Spiel"
    ASSERT_EQ(r.Unterzustand, "");
    EXPECT_EQ(spiel.wirtschaft.geld, geldNachTag1 + tagesbilanz);
    warte(4.5);
    EXPECT_EQ(spiel.wirtschaft.geld, geldNachTag1 + tagesbilanz);
    warte(1.0);
    EXPECT_EQ(spiel.wirtschaft.geld, geldNachTag1 + 2 * tagesbilanz);
}

TEST_F(Sandbox, RouteStepsComeAtMostEveryThirtyMillisecondsAndPauseInTheMenu)
{
    starteSpiel();
    // The requesting fleet is in space, as every fleet that asks for a route.
    schiffAnhaengen(spiel.schiffe, {2, 500, 0, 0, 0, 0, 500, 500, 516, 316, 0, 9, 0});
    spiel.spieler.hoechsteFlotte(1) = 9;
    Routenauftrag& a = spiel.karte.routenauftrag;
    a.status = 1;
    a.flotte = 9;
    a.x = 500;
    a.y = 500;
    a.zielX = 516;  // the icon centre (516, 516) flies 200 pixels north
    a.zielY = 316;
    warte(1.5, 0.01);
    const std::size_t schritte = a.route.size();
    EXPECT_GE(schritte, 40u);
    EXPECT_LE(schritte, 51u);  // 1.5 s / 0.03 s, plus the first step
    EXPECT_EQ(a.route, std::string(schritte, '1'));
    EXPECT_EQ(a.y, 500 - static_cast<int>(schritte));

    platform.holdKey(scan::Escape);
    pass(512, 500);
    platform.releaseKey(scan::Escape);
    const int x = spiel.scrollX;
    platform.holdKey(scan::D);
    warte(1.0, 0.01);
    platform.releaseKey(scan::D);
    EXPECT_EQ(a.route.size(), schritte);  // no route step and no scrolling behind the menu
    EXPECT_EQ(spiel.scrollX, x);
}

TEST_F(Sandbox, LoadAndSaveAreOrdinaryButtonsThatOpenTheSlotScreens)
{
    starteSpiel();
    escape();
    EXPECT_NE(pixel(441, 279), 0x3B3B3Bu);  // "Spiel Laden" not greyed out
    EXPECT_NE(pixel(441, 333), 0x3B3B3Bu);  // "Spiel Speichern" not greyed out
    const int vorher = klicks();
    const int geld = spiel.wirtschaft.geld;
    click(512, 284);
    EXPECT_EQ(r.Unterzustand, "laden");
    click(512, 230);  // "Zurück"
    click(512, 338);
    EXPECT_EQ(r.Unterzustand, "speichern");
    EXPECT_EQ(klicks(), vorher + 3);
    EXPECT_EQ(spiel.spielLaeuft, 1);
    EXPECT_EQ(spiel.wirtschaft.geld, geld);
}

TEST_F(Sandbox, OptionsReturnToTheSandboxMenu)
{
    starteSpiel();
    platform.holdKey(scan::Escape);
    pass(512, 500);
    platform.releaseKey(scan::Escape);
    click(512, 392);
    ASSERT_EQ(r.Unterzustand, "option");
    click(512, 230);  // "Zurück"
    EXPECT_EQ(r.Programmzustand, "sandkasten");
    EXPECT_EQ(r.Unterzustand, "hauptmenu");
}

TEST_F(Sandbox, SpielBeendenAsksAndJaResetsEverything)
{
    starteSpiel();
    warte(6.0);
    platform.holdKey(scan::Escape);
    pass(512, 500);
    platform.releaseKey(scan::Escape);
    click(512, 500);  // "Spiel Beenden"
    ASSERT_EQ(r.Unterzustand, "esc");
    click(582, 287);  // "Nein"
    EXPECT_EQ(r.Unterzustand, "hauptmenu");
    EXPECT_EQ(spiel.spielLaeuft, 1);
    click(512, 500);
    click(442, 287);  // "Ja"
    EXPECT_EQ(r.Programmzustand, "hauptmenu");
    EXPECT_EQ(r.Unterzustand, "");
    EXPECT_EQ(spiel.spielLaeuft, 0);
    EXPECT_EQ(spiel.wirtschaft.geld, 2000);
    EXPECT_EQ(spiel.wirtschaft.vorrat, 500);
    EXPECT_EQ(spiel.wirtschaft.naechsterTag, 0.0);
    EXPECT_EQ(spiel.wirtschaft.einnahmen, 0);
    EXPECT_FALSE(r.Hintergrundbild);
    EXPECT_FALSE(r.Schiffbild(1, 1));
    EXPECT_FALSE(spiel.karte.scanOverlay);
    for (int i = 1; i <= 500; ++i) ASSERT_EQ(spiel.systeme.typ(i), 0);

    pass(512, 500);  // the main menu draws the next frame
    click(512, 230);
    EXPECT_EQ(r.Unterzustand, "hauptmenu");
    EXPECT_FALSE(std::filesystem::exists("fehlerbericht.txt"));
}

TEST_F(Sandbox, NeuesSpielDiscardsARunningGameAtOnce)
{
    starteSpiel();
    platform.holdKey(scan::Escape);
    pass(512, 500);
    platform.releaseKey(scan::Escape);
    click(512, 230);  // "Neues Spiel"
    click(512, 230);  // "Zurück"
    EXPECT_EQ(r.Unterzustand, "hauptmenu");
    EXPECT_EQ(spiel.spielLaeuft, 0);
    EXPECT_EQ(heimat(), 0);
    EXPECT_FALSE(r.Hintergrundbild);
    click(512, 446);  // "Zum Spiel" is not offered without a game
    EXPECT_EQ(r.Unterzustand, "hauptmenu");
    click(512, 392);  // "Zum Hauptmenü"
    EXPECT_EQ(r.Unterzustand, "esc");
}

TEST_F(Sandbox, KeysAndScreenEdgesScrollTheMapAndHReturnsHome)
{
    starteSpiel();
    const int x0 = spiel.scrollX;
    platform.holdKey(scan::D);
    for (int n = 0; n < 10; ++n) {
        platform.advance(0.01);
        pass(512, 500);
    }
    platform.releaseKey(scan::D);
    // A step of 2 pixels per 0.0033 s over the 0.11 s of ten passes, however few passes came,
    // up to the right limit, which a step may pass by one pixel.
    const int grenze = 1536 + x0 % 2;
    const int gescrollt = spiel.scrollX - x0;
    if (x0 + 2 * 33 < grenze) {
        EXPECT_GE(gescrollt, 2 * 33);
        EXPECT_LE(gescrollt, 2 * 34);
    } else {
        EXPECT_EQ(spiel.scrollX, grenze);
    }

    // Scroll steps are at least 0.0033 s apart, however fast the passes come.
    const int x1 = spiel.scrollX;
    platform.holdKey(scan::A);
    for (int n = 0; n < 10; ++n) pass(512, 500);  // 1 ms per pass
    platform.releaseKey(scan::A);
    EXPECT_LE(x1 - spiel.scrollX, 2 * 4);
    EXPECT_GE(x1 - spiel.scrollX, 2 * 2);

    for (int n = 0; n < 800; ++n) {
        pass(1020, 3);  // top-right corner
        platform.advance(0.004);
    }
    // Up to the top (an odd start ends one pixel above it) and to the right edge.
    EXPECT_LE(spiel.scrollY, 0);
    EXPECT_GT(spiel.scrollY, -2);
    EXPECT_GE(spiel.scrollX, 1536);
    EXPECT_LT(spiel.scrollX, 1538);

    platform.holdKey(scan::H);
    pass(512, 500);
    platform.releaseKey(scan::H);
    ansichtAufHeimat(spiel);
    const int hx = spiel.scrollX, hy = spiel.scrollY;
    spiel.scrollX = 0;
    spiel.scrollY = 0;
    platform.holdKey(scan::H);
    pass(512, 500);
    platform.releaseKey(scan::H);
    EXPECT_EQ(spiel.scrollX, hx);
    EXPECT_EQ(spiel.scrollY, hy);
}

TEST_F(Sandbox, ClickingOpensOwnAndDiscoveredSystemsOnly)
{
    starteSpiel();
    const int h = heimat();
    Sternsysteme& s = spiel.systeme;
    int fremd = 0;
    for (int i = 1; i <= spiel.Sternanzahl && !fremd; ++i)
        if (i != h) fremd = i;
    ansichtZentrieren(spiel, s.pos(fremd, 1), s.pos(fremd, 2));
    spiel.scrollY = std::min(spiel.scrollY, 832);
    auto bildschirm = [&](int i) { return std::pair{s.pos(i, 1) - spiel.scrollX, s.pos(i, 2) - spiel.scrollY}; };

    auto [fx, fy] = bildschirm(fremd);
    warte(0.1);
    EXPECT_EQ(pixel(fx, fy), 0x333333u);  // unexplored: dark grey
    click(fx, fy);
    EXPECT_EQ(spiel.gewaehltesSystem, 0);
    s.entdecker(fremd) = 1;
    warte(0.1);
    EXPECT_EQ(pixel(fx, fy), 0xFFFFFFu);
    click(fx + 3, fy + 3);  // 4.24 pixels away
    EXPECT_EQ(spiel.gewaehltesSystem, fremd);

    spiel.gewaehltesSystem = 0;
    spiel.karte.gewaehlteFlotte = 2;  // a selected fleet takes the click
    click(fx, fy);
    EXPECT_EQ(spiel.gewaehltesSystem, 0);
    spiel.karte.gewaehlteFlotte = 0;
    click(fx + 4, fy + 3);  // 5 pixels: outside
    EXPECT_EQ(spiel.gewaehltesSystem, 0);

    // While a system is open the map does not scroll.
    click(fx, fy);
    ASSERT_EQ(spiel.gewaehltesSystem, fremd);
    const int sx = spiel.scrollX;
    platform.holdKey(scan::D);
    warte(0.5);
    platform.releaseKey(scan::D);
    EXPECT_EQ(spiel.scrollX, sx);
}

TEST_F(Sandbox, OverlaysShowTheScanEdgeAndTheTradeLines)
{
    starteSpiel();
    const int h = heimat();
    Sternsysteme& s = spiel.systeme;
    const Image& scan = *spiel.karte.scanOverlay;
    const int hx = s.pos(h, 1), hy = s.pos(h, 2);
    EXPECT_EQ(scan.row(hy)[hx + 40] & 0xFFFFFF, 0x9400FFu);  // ring at radius 40
    EXPECT_EQ(scan.row(hy)[hx + 39] & 0xFFFFFF, 0x9400FFu);
    EXPECT_EQ(scan.row(hy)[hx + 20] & 0xFFFFFF, 0xFF00FFu);  // inside cut away
    // The frame shows the ring where the view puts it, also when the view cuts it.
    for (int x : {hx - 1000, hx - 500, hx - 40}) {
        spiel.scrollX = x;
        spiel.scrollY = hy - 300;
        pass(512, 500);
        for (int rand : {hx - 40, hx + 40}) {
            if (rand - x >= 0 && rand - x < 1024) {
                EXPECT_EQ(pixel(rand - x, 300), 0x9400FFu) << x << " " << rand;
            }
        }
    }

    // A second own system whose circle overlaps: the shared inside carries no ring.
    int nah = 0;
    for (int i = 1; i <= spiel.Sternanzahl && !nah; ++i)
        if (i != h && std::abs(s.pos(i, 1) - hx) < 120 && std::abs(s.pos(i, 2) - hy) < 120 &&
            std::abs(s.pos(i, 1) - hx) >= 90)
            nah = i;
    if (nah) {
        s.besitzer(nah) = 1;
        spiel.karte.scanNeuzeichnen = 1;
        warte(0.1);
        const Image& neu = *spiel.karte.scanOverlay;
        EXPECT_EQ(spiel.karte.scanNeuzeichnen, 0);
        const int mx = (hx + s.pos(nah, 1)) / 2, my = (hy + s.pos(nah, 2)) / 2;
        EXPECT_EQ(neu.row(my)[mx] & 0xFFFFFF, 0xFF00FFu);
    }

    spiel.karte.handelsliste = ",1,2,3";  // the odd last entry has no partner
    PRINTARRAY(spiel.karte.handelsAnzahl, spiel.karte.handelsliste, ",", spiel.karte.handelsArray, 1);
    spiel.karte.handelNeuzeichnen = 3;
    warte(0.01, 0.01);
    EXPECT_EQ(spiel.karte.handelNeuzeichnen, 2);
    pass(512, 500);
    EXPECT_EQ(spiel.karte.handelNeuzeichnen, 1);
    handelOverlayNeu(spiel);
    const int mx = (s.pos(1, 1) + s.pos(2, 1)) / 2;
    const Image& handel = *spiel.karte.handelOverlay;
    int ly = 0;
    for (int y = 0; y < handel.height; ++y)
        if ((handel.row(y)[mx] & 0xFFFFFF) == 0x9400FFu) ly = y;
    EXPECT_NE(ly, 0);
    spiel.scrollX = mx - 512;
    spiel.scrollY = ly - 300;
    pass(512, 500);
    EXPECT_EQ(pixel(512, 300), 0x9400FFu);  // and the frame shows the line
    EXPECT_FALSE(std::filesystem::exists("fehlerbericht.txt"));
}

TEST_F(Sandbox, AnOpenedTradingPostShowsItsReachAsThreeRings)
{
    starteSpiel();
    const int h = heimat();
    Sternsysteme& s = spiel.systeme;
    s.handelsposten(h) = -42;
    s.handel(h) = 60;
    spiel.forschung.thema(6).stufe = 4;  // reach R = 64
    const int sx = s.pos(h, 1) - spiel.scrollX, sy = s.pos(h, 2) - spiel.scrollY;
    // A point of the rings that no system screen covers.
    int px = -1, py = -1;
    for (auto [dx, dy] : {std::pair{-1, 0}, std::pair{1, 0}, std::pair{0, 1}, std::pair{0, -1}}) {
        const int x = sx + 64 * dx, y = sy + 64 * dy;
        if (x > 2 && x < 1020 && y > 2 && y < 660 && (x < 312 || x > 712 || y > 600)) {
            px = x;
            py = y;
            break;
        }
    }
    if (px < 0) GTEST_SKIP() << "every point of the rings lies under the system screen";
    warte(0.1);
    EXPECT_NE(pixel(px, py), 0xEA7546u);  // only while the post's own screen is open
    spiel.gewaehltesSystem = h;
    warte(0.1);
    EXPECT_EQ(pixel(px, py), 0xEA7546u);
    EXPECT_EQ(pixel(px - (px - sx) / 32, py - (py - sy) / 32), 0xEA7546u);  // radius R - 2
}

TEST_F(Sandbox, UndockingMovesOnlyDockedShipsOfTheFleetToTheParkingPoint)
{
    starteSpiel();
    const int h = heimat();
    SchiffListen& l = spiel.schiffe;
    l[kTyp] = ",2,2,3,0";
    l[kHuelle] = ",5,5,5,5";
    l[kSchild] = ",1,1,1,1";
    l[kAngedockt] = "," + std::to_string(h) + ",0," + std::to_string(h) + ",0";
    l[kOrt] = ",0,7,0,0";
    l[kZiel] = ",0,0,0,0";
    l[kX] = ",1,500,1,9";
    l[kY] = ",1,600,1,9";
    l[kZielX] = ",1,500,1,9";
    l[kZielY] = ",1,600,1,9";
    l[kFeuerkraft] = ",0,0,0,0";
    l[kFlotte] = ",4,4,5,4";
    l[kRoute] = ",0,0,0,0";
    schiffeSchneiden(l, spiel.saetze(1));
    spiel.karte.abdockFlotte = 4;
    pass(512, 500);

    const SchiffSatz& satz = spiel.saetze(1);
    ASSERT_EQ(satz.anzahl, 3);  // the type-0 ship is gone after the join
    EXPECT_EQ(spiel.karte.abdockFlotte, 0);
    EXPECT_EQ(satz.wert(kX, 1), spiel.systeme.pos(h, 1) - 16);
    EXPECT_EQ(satz.wert(kZielX, 1), spiel.systeme.pos(h, 1) - 16);
    EXPECT_EQ(satz.wert(kY, 1), spiel.systeme.pos(h, 2) + 20 - 16);
    EXPECT_EQ(satz.wert(kZielY, 1), spiel.systeme.pos(h, 2) + 20 - 16);
    EXPECT_EQ(satz.wert(kOrt, 1), h);
    EXPECT_EQ(satz[kAngedockt](1), "0");
    EXPECT_EQ(satz.wert(kX, 2), 500);  // already in space
    EXPECT_EQ(satz.wert(kOrt, 2), 7);
    EXPECT_EQ(satz.wert(kAngedockt, 3), h);  // another fleet stays docked
    EXPECT_EQ(l[kFlotte], ",4,4,5");
    EXPECT_FALSE(std::filesystem::exists("fehlerbericht.txt"));
}

}  // namespace
}  // namespace qz

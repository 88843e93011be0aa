// F1 help: the page of the screen in view is drawn over it, the game stands still behind it as
// behind a menu, no click or key reaches the screen, and the Esc that closes it does not open
// the map's menu as well.
#include "app/hilfe.hpp"
#include "app/hilfe_seiten.hpp"
#include "frame_fixture.hpp"
#include "gezeichneter_text.hpp"
#include "multiplayer/play/zuruecksetzen.hpp"
#include "sprache.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <map>
#include <set>
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
    ASSERT_TRUE(zeigtTitel(r.screen(), "Hilfe: Men\x81 im Mehrspieler-Spiel"));
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
    EXPECT_TRUE(zeigtTitel(r.screen(), "Hilfe: Men\x81 im Mehrspieler-Spiel"));
    EXPECT_GE(spiel.wirtschaft.spieltag, tage + 4);
    EXPECT_GE(roundTrips - vorher, 8);
}

// A page longer than the panel, as the map's is in qps, shows what fits and turns with Page Down
// and Page Up, the footer saying which part is shown.
TEST_F(HilfeFlow, APageLongerThanThePanelTurns)
{
    test::SpracheFuerTest sprache(QZ_RUNTIME_DIR, "qps");
    click(512, 230);  // "Sandkasten"
    click(512, 230);  // "Neues Spiel"
    click(512, 461);  // "Spiel Starten"
    pass(512, 400);
    ASSERT_EQ(programm->spiel.spielLaeuft, 1);
    const std::vector<HilfeZeile> zeilen = hilfeText(HilfeSeite::Sternkarte);
    ASSERT_GT(zeilen.size(), static_cast<std::size_t>(kHilfeZeilen));
    ASSERT_LE(zeilen.size(), static_cast<std::size_t>(2 * kHilfeZeilen));
    // A page's first line at y 60 in its colour; the footer 24 below the panel's last line.
    const auto zeigt = [&](std::size_t zeile, int seite) {
        const HilfeZeile& z = zeilen[zeile];
        const Farbe farbe = z.art == HilfeZeile::Art::Ueberschrift ? rgb(150, 225, 255) :
                            z.art == HilfeZeile::Art::Wichtig ? kTitelFarbe : rgb(255, 255, 255);
        const int zeilenAufSeite = seite == 1 ? kHilfeZeilen : static_cast<int>(zeilen.size()) - kHilfeZeilen;
        const Text fuss = tr("Seite {seite}/{seiten}: Bild ab und Bild auf bl\x84ttern, F1 oder Esc schlie\xE1t die Hilfe.",
                             {{"seite", seite}, {"seiten", 2}});
        return test::zeigtText(r.screen(), 56, 60, z.text, farbe) &&
               test::zeigtText(r.screen(), centredX(512, fuss), 60 + zeilenAufSeite * 16 + 16, fuss, rgb(190, 190, 190));
    };
    f1();
    EXPECT_TRUE(zeigt(0, 1));
    platform.typeSpecialKey(0x51);  // Page Down
    pass(512, 400);
    EXPECT_TRUE(zeigt(kHilfeZeilen, 2));
    platform.typeSpecialKey(0x51);  // no third part: stays
    pass(512, 400);
    EXPECT_TRUE(zeigt(kHilfeZeilen, 2));
    platform.typeSpecialKey(0x49);  // Page Up
    pass(512, 400);
    EXPECT_TRUE(zeigt(0, 1));
}

// The labels a page explains: the quoted names at the start of its items ("- \"A\" und \"B\": ...").
std::set<std::string> erklaerteKnoepfe(HilfeSeite seite)
{
    std::set<std::string> namen;
    for (const HilfeZeile& z : hilfeText(seite)) {
        const std::string& text = z.text.utf8;
        if (z.art != HilfeZeile::Art::Text || text.rfind("- \"", 0) != 0) continue;
        std::size_t pos = 2;
        while (pos < text.size() && text[pos] == '"') {
            const std::size_t ende = text.find('"', pos + 1);
            if (ende == std::string::npos) break;
            namen.insert(text.substr(pos + 1, ende - pos - 1));
            pos = ende + 1;
            for (const std::string_view und : {" und ", " and ", ", "})
                if (text.compare(pos, und.size(), und) == 0 && text[pos + und.size()] == '"') pos += und.size();
        }
    }
    return namen;
}

// In German and in the build's English catalogue: a page names each button as the button shows it.
struct HilfeKnoepfe : HilfeFlow, ::testing::WithParamInterface<const char*> {
    static constexpr Farbe kKnopf = 0xFF123456;
    test::SpracheFuerTest sprache{QZ_RUNTIME_DIR, GetParam()};
    void SetUp() override
    {
        HilfeFlow::SetUp();
        r.Oberflaechenbild(11) = imageCreate(156, 25, kKnopf);
    }
    // The wide buttons on the screen: each found by its picture's top edge at x 436, named by the
    // label drawn centred on it. A button whose label is none of the game's menu labels fails.
    std::set<std::string> knoepfe()
    {
        static const std::vector<std::string_view> kBeschriftungen = {
            "Sandkasten", "Mehrspieler", "Option", "Credits", "Beenden", "Neues Spiel", "Spiel Laden",
            "Spiel Speichern", "Zum Spiel", "Spiel Beenden", "Zum Hauptmen\x81", "Gegen den Computer",
            "Serverliste", "Aufzeichnungen", "Zur\x81" "ck", "Computerspieler", "Stufe", "Spiel Starten", "Sternanzahl",
            "Spielerfarbe", "Bereit"};
        std::set<std::string> gefunden;
        const Image& bild = r.screen();
        for (int y = 1; y < 700; ++y) {
            if (point(&bild, 436, y) != kKnopf || point(&bild, 436, y - 1) == kKnopf) continue;
            std::string name;
            for (std::string_view b : kBeschriftungen)
                if (test::zeigtText(bild, centredX(512, tr(b)), y + 6, tr(b))) name = tr(b).utf8;
            EXPECT_FALSE(name.empty()) << "a button at y " << y << " with a label no page knows";
            gefunden.insert(name);
        }
        return gefunden;
    }
};
INSTANTIATE_TEST_SUITE_P(Sprachen, HilfeKnoepfe, ::testing::Values("de", "en"),
                         [](const auto& info) { return std::string(info.param); });

// Each help page explains exactly the buttons its screen offers (in every state the page
// covers), and the screen shows that page, so the two cannot drift apart.
TEST_P(HilfeKnoepfe, EachPageExplainsTheButtonsItsScreenOffers)
{
    Spielstand& spiel = programm->spiel;
    Mehrspieler& mp = programm->mehrspieler;
    std::map<HilfeSeite, std::set<std::string>> gezeigt;
    const auto ansehen = [&] {
        pass(0, 0);
        const std::set<std::string> k = knoepfe();
        gezeigt[hilfeSeiteFuer(r, spiel)].insert(k.begin(), k.end());
    };
    ansehen();  // the main menu
    r.Programmzustand = "multiplayer";
    r.Unterzustand = "hauptmenu";
    ansehen();
    spiel.spielLaeuft = 1;
    spiel.eigenerSpieler = 1;
    spiel.Spieleranzahl = 2;
    mp.senden.SessionId = "S1";
    ansehen();  // the menu of a running game
    spiel.spielLaeuft = 0;
    r.Unterzustand = "channel";
    ansehen();  // the lobby of the channel's host, and with every seat ready
    mp.BereitFlag(1) = mp.BereitFlag(2) = 1;
    ansehen();
    mehrspielerZuruecksetzen(r, spiel, mp);
    r.Programmzustand = "hauptmenu";
    r.Unterzustand.clear();
    pass(0, 0);
    click(512, 230);  // "Sandkasten"
    ansehen();
    click(512, 338);  // "Gegen den Computer"
    ansehen();
    click(512, 230);  // "Zurück"
    click(512, 230);  // "Neues Spiel"
    click(512, 461);  // "Spiel Starten"
    ASSERT_EQ(spiel.spielLaeuft, 1);
    platform.holdKey(scan::Escape);
    pass(0, 0);
    platform.releaseKey(scan::Escape);
    ansehen();  // the sandbox menu of a running game

    for (HilfeSeite seite : {HilfeSeite::Hauptmenue, HilfeSeite::SandkastenMenue, HilfeSeite::GegenComputer,
                             HilfeSeite::MehrspielerMenue, HilfeSeite::SpielMenue, HilfeSeite::Lobby}) {
        SCOPED_TRACE(hilfeTitel(seite).utf8);
        ASSERT_FALSE(gezeigt[seite].empty());
        EXPECT_EQ(erklaerteKnoepfe(seite), gezeigt[seite]);
    }
}

// Every line fits the panel in German and in every catalogue the build makes, and in German and
// English every page fits it whole (qps, 40 % longer, is turned); the German text holds no
// character that the font lacks (written as "?").
TEST(HilfeSeiten, EveryPageFitsThePanelInEveryLanguage)
{
    for (const char* code : {"de", "en", "qps"}) {
        test::SpracheFuerTest sprache(QZ_RUNTIME_DIR, code);
        ASSERT_EQ(qz::sprache(), code);
        for (HilfeSeite seite : {HilfeSeite::Hauptmenue, HilfeSeite::Optionen, HilfeSeite::Credits,
                                 HilfeSeite::SandkastenMenue, HilfeSeite::Sternkarte, HilfeSeite::Sternsystem,
                                 HilfeSeite::MehrspielerLogin, HilfeSeite::MehrspielerMenue, HilfeSeite::SpielMenue,
                                 HilfeSeite::GegenComputer, HilfeSeite::Lobby, HilfeSeite::MehrspielerKarte,
                                 HilfeSeite::Wiedergabe}) {
            const std::vector<HilfeZeile>& zeilen = hilfeText(seite);
            if (std::string_view(code) != "qps") {
                EXPECT_LE(zeilen.size(), static_cast<std::size_t>(kHilfeZeilen)) << code << ": " << hilfeTitel(seite).utf8;
            }
            for (const HilfeZeile& z : zeilen) {
                EXPECT_LE(zeichenzahl(z.text), static_cast<std::size_t>(kHilfeSpalten)) << z.text.utf8;
                if (std::string_view(code) == "de") {
                    EXPECT_EQ(z.text.utf8.find('?'), std::string::npos) << "a character the font lacks: " << z.text.utf8;
                }
            }
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

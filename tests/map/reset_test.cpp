// The reset routines: a discarded 200-system game leaves nothing behind in any of the 500
// entries, and each routine reports its own numbered prefix when it fails.
#include "map/reset_routinen.hpp"
#include "datei_inhalt.hpp"
#include "map/sternkarte.hpp"
#include "platform/headless/headless_platform.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace qz {
namespace {

std::string bericht() { return test::dateiInhalt("fehlerbericht.txt"); }

struct Reset : ::testing::Test {
    void SetUp() override { std::filesystem::remove("fehlerbericht.txt"); }
};

void spielErzeugen(Spielstand& spiel, int N)
{
    HeadlessPlatform zufall;
    zufall.randomize(11.0);
    spiel.Sternanzahl = N;
    systemePlatzieren(zufall, spiel.systeme, N, 1536, 832);
    heimatplanetenSetzen(zufall, spiel.systeme, N, 1, {});
    for (int i = 1; i <= N; ++i) {
        spiel.systeme.handelsposten(i) = i % 3 == 0 ? -42 : 0;
        spiel.systeme.angriff(i) = 1;
        spiel.systeme.schildMax(i) = 30;
        spiel.systeme.bauAuftraege(i) = 2;
        for (int k = 1; k <= 3; ++k) {
            spiel.systeme.bauAufwand(i, k) = 100;
            spiel.systeme.bauFortschritt(i, k) = 40;
            spiel.systeme.bauTyp(i, k) = k;
        }
    }
    spiel.schiffe[kTyp] = ",1,2";
    spiel.schiffe[kRoute] = ",12,0";
    spiel.saetze(1)[kTyp].redim(0, 2, "3");
    spiel.saetze(1).anzahl = 2;
    spiel.gewaehltesSystem = 17;
    spiel.karte.systemTab = 4;
    spiel.karte.katalogOffen = 1;
    spiel.karte.hangarSeite = 3;
    spiel.karte.flottenSeite = 2;
    spiel.karte.hangarSchiff = 5;
    spiel.karte.hangarFlotte = 6;
}

TEST_F(Reset, AfterTwoHundredSystemsEveryEntryUpToFiveHundredIsCleared)
{
    Spielstand spiel;
    spielErzeugen(spiel, 200);
    spielZuruecksetzen(spiel);

    const Sternsysteme& s = spiel.systeme;
    for (int i = 1; i <= kSystemKapazitaet; ++i) {
        for (const Feld<int>* f :
             {&s.handelsposten, &s.angriff, &s.schild, &s.schildMax, &s.befestigung, &s.befestigungBasis,
              &s.befestigungMax, &s.angegriffen, &s.entdecker, &s.besitzer, &s.typ, &s.einwohner,
              &s.einwohnerBasis, &s.einwohnerMax, &s.versorgung, &s.versorgungBasis, &s.versorgungMax,
              &s.forschung, &s.forschungBasis, &s.handel, &s.handelBasis, &s.handelMax, &s.werft, &s.werftBasis,
              &s.bauAuftraege})
            ASSERT_EQ((*f)(i), 0) << "system " << i;
        ASSERT_EQ(s.name(i), "");
        ASSERT_EQ(s.pos(i, 1), 0);
        ASSERT_EQ(s.pos(i, 2), 0);
        for (int k = 1; k <= 3; ++k) {
            ASSERT_EQ(s.bauAufwand(i, k), 0);
            ASSERT_EQ(s.bauFortschritt(i, k), 0);
            ASSERT_EQ(s.bauTyp(i, k), 0);
        }
    }
    for (int f = 0; f < kSchiffsfelder; ++f) EXPECT_EQ(spiel.schiffe.liste[f], "");
    EXPECT_EQ(spiel.saetze(1).anzahl, 0);
    EXPECT_EQ(spiel.saetze(1)[kTyp].values().size(), 0u);  // no elements, not even index 0
    EXPECT_EQ(spiel.gewaehltesSystem, 0);
    EXPECT_EQ(spiel.karte.katalogOffen, 0);
    EXPECT_EQ(spiel.karte.systemTab, 1);
    EXPECT_EQ(spiel.karte.hangarSeite, 1);
    EXPECT_EQ(spiel.karte.flottenSeite, 1);
    EXPECT_EQ(spiel.karte.hangarSchiff, 0);
    EXPECT_EQ(spiel.karte.hangarFlotte, 0);
    EXPECT_FALSE(std::filesystem::exists("fehlerbericht.txt"));
}

TEST_F(Reset, ANewFiftySystemGameAfterTwoHundredLeavesFiftyOneToFiveHundredEmpty)
{
    Spielstand spiel;
    spielErzeugen(spiel, 200);
    spielZuruecksetzen(spiel);
    spielErzeugen(spiel, 50);
    for (int i = 51; i <= kSystemKapazitaet; ++i) {
        ASSERT_EQ(spiel.systeme.name(i), "");
        ASSERT_EQ(spiel.systeme.typ(i), 0);
        ASSERT_EQ(spiel.systeme.pos(i, 1), 0);
        ASSERT_EQ(spiel.systeme.einwohnerBasis(i), 0);
    }
}

TEST_F(Reset, SystemResetReportsFehler1AndKeepsWhatItClearedBefore)
{
    Sternsysteme s;
    s.name.redim(1, 10, "x");  // a shorter array makes index 11 fail
    for (int i = 1; i <= 20; ++i) s.typ(i) = 5;
    int gewaehlt = 3, katalog = 1, tab = 2, fs = 2, hs = 2, schiff = 1, flotte = 1;
    SUB_CLEAN_STERNSYSTEM(s, gewaehlt, katalog, tab, fs, hs, schiff, flotte);

    EXPECT_EQ(s.typ(10), 0);
    EXPECT_EQ(s.typ(11), 0);  // the numbers of system 11 were cleared before its name failed
    EXPECT_EQ(s.pos(11, 1), 0);
    EXPECT_EQ(s.typ(12), 5);
    EXPECT_EQ(gewaehlt, 3);   // the star-screen values come after the loop
    EXPECT_EQ(bericht().rfind("\"Fehler1: 6, reset_routinen.cpp, ", 0), 0u) << bericht();
    EXPECT_EQ(bericht().substr(bericht().size() - 3), "\"\r\n");
}

TEST_F(Reset, ShipResetReportsFehler2)
{
    SchiffListen listen;
    listen[kTyp] = std::string(",1");
    Feld2<int> aufwand(1, 500, 1, 3, 7), fortschritt(1, 500, 1, 3, 7), typ(1, 2, 1, 3, 7);
    Feld<int> auftraege(1, 500, 2);
    SUB_CLEAN_SCHIFFE(listen, aufwand, fortschritt, typ, auftraege);
    EXPECT_EQ(listen[kTyp], "");
    EXPECT_EQ(aufwand(3, 1), 0);
    EXPECT_EQ(fortschritt(3, 1), 0);
    EXPECT_EQ(aufwand(4, 1), 7);
    EXPECT_EQ(bericht().rfind("\"Fehler2: 6, reset_routinen.cpp, ", 0), 0u) << bericht();
}

TEST_F(Reset, ExchangeResetClearsEverythingAndReportsFehler4)
{
    Sendedaten d;
    d.kolonisation = 12;
    d.chatZeile = "hallo";
    d.SessionId = "abc";
    d.zwischentexte[8] = "rest";
    d.handelswegAnzahl[2] = 4;
    d.abkommenAnfrage(2) = 1;
    d.abkommenStand(4) = 2;
    d.handelswege[1].redim(0, 4, "7");
    Feld<std::string> handel(0, 6, "1");
    SUB_CLEAN_SENDEN(d, handel);
    EXPECT_EQ(d.kolonisation, 0);
    EXPECT_EQ(d.chatZeile, "");
    EXPECT_EQ(d.SessionId, "");
    EXPECT_EQ(d.zwischentexte[8], "");
    EXPECT_EQ(d.handelswegAnzahl[2], 0);
    EXPECT_EQ(d.abkommenAnfrage(2), 0);
    EXPECT_EQ(d.abkommenStand(4), 0);
    EXPECT_TRUE(d.handelswege[1].values().empty());
    EXPECT_TRUE(handel.values().empty());
    EXPECT_FALSE(std::filesystem::exists("fehlerbericht.txt"));

    d.abkommenStand.redim(1, 2);
    d.chatZeile = "bleibt";
    SUB_CLEAN_SENDEN(d, handel);
    EXPECT_EQ(d.chatZeile, "bleibt");  // the error came before the texts
    EXPECT_EQ(bericht().rfind("\"Fehler4: 6, reset_routinen.cpp, ", 0), 0u) << bericht();
}

}  // namespace
}  // namespace qz

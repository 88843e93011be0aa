// Applying the in-game reply: system lists with the lost-system and colonisation rules, the
// co-players' blocks, chat, battles, and hostile replies that must end in the error report.
#include "multiplayer/exchange/spiel_antwort.hpp"
#include "datei_inhalt.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <sstream>

namespace qz {
namespace {

std::string fehlerbericht() { return test::dateiInhalt("fehlerbericht.txt"); }

struct SpielAntwort : ::testing::Test {
    Spielstand spiel;
    Mehrspieler mp;

    void SetUp() override
    {
        std::remove("fehlerbericht.txt");
        spiel.eigenerSpieler = 2;
        spiel.Spieleranzahl = 3;
        spiel.Sternanzahl = 3;
        for (int i = 1; i <= 3; ++i) spiel.systeme.besitzer(i) = 0;
        spiel.systeme.besitzer(2) = 2;
        spiel.systeme.einwohner(2) = 40;
        spiel.systeme.werft(2) = 12;
    }
};

TEST_F(SpielAntwort, SystemListsOverwriteOwnerTypeShieldFortificationAttack)
{
    spielAntwortAnwenden("#BES-,1,2,3-BES##TYP-,4,42,18-TYP##SLD-,5,6,x-SLD##BFG-,8,9,10-BFG##PAG-,0,1,0-PAG#", spiel,
                         mp);
    EXPECT_EQ(spiel.systeme.besitzer(1), 1);
    EXPECT_EQ(spiel.systeme.besitzer(3), 3);
    EXPECT_EQ(spiel.systeme.typ(2), 42);
    EXPECT_EQ(spiel.systeme.typ(3), 18);
    EXPECT_EQ(spiel.systeme.schild(3), 0) << "a value that is no number reads as 0";
    EXPECT_EQ(spiel.systeme.befestigung(1), 8);
    EXPECT_EQ(spiel.systeme.angegriffen(2), 1);
    EXPECT_EQ(spiel.systeme.einwohner(2), 40);
}

TEST_F(SpielAntwort, OwnSystemReportedForAnotherPlayerIsLost)
{
    spielAntwortAnwenden("#BES-,0,3,0-BES#", spiel, mp);
    EXPECT_EQ(spiel.systeme.besitzer(2), 0);
    EXPECT_EQ(spiel.systeme.einwohner(2), 0);
    EXPECT_EQ(spiel.systeme.werft(2), 0);
    EXPECT_EQ(mp.kartenNeuzeichnen, 1);
    spielAntwortAnwenden("#BES-,0,3,0-BES#", spiel, mp);
    EXPECT_EQ(spiel.systeme.besitzer(2), 3) << "from then on the system follows the list";
}

TEST_F(SpielAntwort, PendingColonisationSurvivesAReplyThatPredatesItAndYieldsToAnotherOwner)
{
    spiel.systeme.besitzer(3) = 2;
    spiel.systeme.einwohner(3) = 15;
    mp.senden.kolonisation = 3;
    spielAntwortAnwenden("#BES-,0,2,0-BES#", spiel, mp);
    EXPECT_EQ(spiel.systeme.besitzer(3), 2);
    EXPECT_EQ(spiel.systeme.einwohner(3), 15) << "the new colony keeps its start values";
    EXPECT_EQ(mp.kartenNeuzeichnen, 0);
    EXPECT_EQ(mp.senden.kolonisation, 3);
    spielAntwortAnwenden("#BES-,0,2,4-BES#", spiel, mp);
    EXPECT_EQ(spiel.systeme.besitzer(3), 0) << "another player colonised it first";
    EXPECT_EQ(spiel.systeme.einwohner(3), 0);
    EXPECT_EQ(mp.senden.kolonisation, 0);
}

TEST_F(SpielAntwort, CoPlayerBlocksReplaceTheirSetsButNeverTheOwn)
{
    spiel.saetze(2).anzahl = 1;
    spiel.saetze(2)[kTyp].redim(0, 1, "5");
    spiel.saetze(3).anzahl = 4;
    spiel.saetze(3)[kTyp].redim(0, 4, "2");
    spielAntwortAnwenden("#si1typ-,3,7-si1typ##si1pox-,10,20-si1pox##si1poy-,11,21-si1poy##si1fid-,1,2-si1fid#"
                         "#si1bwg-,2229,0-si1bwg##si1doc-,0,0-si1doc##si1uml-,0,3-si1uml##si1fig-2-si1fig#"
                         "#s1hvtg-2-s1hvtg##s1hweg-,1,3-s1hweg#"
                         "#si2typ-,8,8,8-si2typ##si2pox-,1,1,1-si2pox##s2hvtg-1-s2hvtg#",
                         spiel, mp);
    const SchiffSatz& eins = spiel.saetze(1);
    ASSERT_EQ(eins.anzahl, 2);
    EXPECT_EQ(eins.wert(kTyp, 2), 7);
    EXPECT_EQ(eins.wert(kX, 1), 10);
    EXPECT_EQ(eins[kRoute](1), "2229");
    EXPECT_EQ(eins.wert(kOrt, 2), 3);
    EXPECT_EQ(eins[kZiel](2), "0") << "lists the server does not send read as 0";
    EXPECT_EQ(spiel.spieler.hoechsteFlotte(1), 2);
    EXPECT_EQ(mp.handelswegText(1), ",1,3");
    EXPECT_EQ(mp.senden.abkommenStand(1), 2);
    EXPECT_EQ(spiel.saetze(3).anzahl, 0) << "a slot without ship lists has no ships";
    EXPECT_EQ(spiel.saetze(2).anzahl, 1);
    EXPECT_EQ(spiel.saetze(2)[kTyp](1), "5");
    EXPECT_EQ(mp.senden.abkommenStand(2), 0) << "the own agreement record is ignored";
}

TEST_F(SpielAntwort, ListsOfUnequalLengthHoldAsManyShipsAsTheShortest)
{
    spielAntwortAnwenden("#si1typ-,3,7,2-si1typ##si1pox-,10-si1pox#", spiel, mp);
    ASSERT_EQ(spiel.saetze(1).anzahl, 1);
    EXPECT_EQ(spiel.saetze(1).wert(kY, 1), 0);
}

TEST_F(SpielAntwort, ChatHistoryInPairs)
{
    spielAntwortAnwenden("#chat-1;-;hallo;-;5;-;Server-chat#", spiel, mp);
    ASSERT_EQ(mp.senden.chatAnzahl, 3);
    EXPECT_EQ(mp.senden.chatZeilen(0), "1");
    EXPECT_EQ(mp.senden.chatZeilen(1), "hallo");
    EXPECT_EQ(mp.senden.chatZeilen(3), "Server");
}

TEST_F(SpielAntwort, BattleRecordDamagesTheOwnParticipants)
{
    SchiffSatz& eigene = spiel.saetze(2);
    eigene.anzahl = 2;
    eigene[kTyp].redim(0, 2, "3");
    eigene[kHuelle].redim(0, 2, "100");
    eigene[kSchild].redim(0, 2, "0");
    eigene[kFlotte].redim(0, 2, "1");
    spielAntwortAnwenden("#kuml3-#sp2ksid-,1,2-sp2ksid##sp1ksid-,4-sp1ksid##sp1kfkt-,100-sp1kfkt#"
                         "#sp3ksid-,1-sp3ksid##sp3kfkt-,20-sp3kfkt#-3kuml#",
                         spiel, mp);
    EXPECT_EQ(eigene[kHuelle](1), "40");
    EXPECT_EQ(eigene[kHuelle](2), "40");
}

// What the game cannot show or has no system for is skipped without a report, and the rest of
// the reply still applies.
TEST_F(SpielAntwort, ValuesBeyondTheMapAndForeignPlanetTypesAreSkipped)
{
    for (int i = 1; i <= 3; ++i) spiel.systeme.typ(i) = 5;
    SchiffSatz& eigene = spiel.saetze(2);
    eigene.anzahl = 1;
    eigene[kTyp].redim(0, 1, "3");
    eigene[kHuelle].redim(0, 1, "100");
    eigene[kSchild].redim(0, 1, "0");
    eigene[kFlotte].redim(0, 1, "1");
    spielAntwortAnwenden("#BES-,1,2,0,1,1-BES##TYP-,99,x,42,13-TYP##PAG-,1,0,1,1-PAG#"
                         "#kuml9-#sp2ksid-,1-sp2ksid##sp1ksid-,1-sp1ksid##sp1kfkt-,50-sp1kfkt#-9kuml#"
                         "#chat-1;-;hallo-chat#",
                         spiel, mp);
    EXPECT_EQ(spiel.systeme.typ(1), 5) << "type 99 is no planet of the game";
    EXPECT_EQ(spiel.systeme.typ(2), 5) << "neither is 0, what a value that is no number reads as";
    EXPECT_EQ(spiel.systeme.typ(3), 42);
    EXPECT_EQ(spiel.systeme.besitzer(1), 1);
    EXPECT_EQ(spiel.systeme.angegriffen(3), 1);
    EXPECT_EQ(spiel.systeme.besitzer(4), 0) << "nothing is written beyond the map";
    EXPECT_EQ(eigene[kHuelle](1), "100") << "the battle of system 9 is no battle of this map";
    EXPECT_EQ(mp.senden.chatAnzahl, 1) << "the rest of the reply applies";
    EXPECT_EQ(fehlerbericht(), "");
}

TEST_F(SpielAntwort, HugeListsAreCutToTheMap)
{
    std::string riesig = "#BES-";
    for (int i = 0; i < 200000; ++i) riesig += ",1";
    spielAntwortAnwenden(riesig + "-BES#", spiel, mp);
    EXPECT_EQ(spiel.systeme.besitzer(3), 1);
    EXPECT_EQ(fehlerbericht(), "");
}

// A battle participant whose values a save could not hold (beyond kWertGrenze either way), or
// an own ship number outside the own lists, is left out without a report; the rest fights.
TEST_F(SpielAntwort, BattleParticipantsBeyondTheSavesBoundsAreSkipped)
{
    SchiffSatz& eigene = spiel.saetze(2);
    eigene.anzahl = 2;
    eigene[kTyp].redim(0, 2, "3");
    eigene[kHuelle].redim(0, 2, "100");
    eigene[kSchild].redim(0, 2, "0");
    eigene[kFlotte].redim(0, 2, "1");
    // Own participants 1 and 2 (99999 is no own ship): n = 2. Player 1 keeps ships 4 (its shield
    // at the bound itself) and 6, not 5 (hull one past it): (60 + 40) / 2 = 50 each. Player 3
    // keeps ship 1, not 2 (firepower past the bound): 40 / 2 = 20. Hull 100 - 50 - 20 = 30.
    spielAntwortAnwenden("#kuml3-#sp2ksid-,1,99999,2-sp2ksid#"
                         "#sp1ksid-,4,5,6-sp1ksid##sp1klbp-,100,100000001,100-sp1klbp#"
                         "#sp1ksld-,-100000000,0,0-sp1ksld##sp1kfkt-,60,1000,40-sp1kfkt#"
                         "#sp3ksid-,1,2-sp3ksid##sp3kfkt-,40,100000001-sp3kfkt#-3kuml#",
                         spiel, mp);
    EXPECT_EQ(eigene[kHuelle](1), "30");
    EXPECT_EQ(eigene[kHuelle](2), "30");
    EXPECT_EQ(fehlerbericht(), "");
}

TEST_F(SpielAntwort, MissingRecordsChangeNothing)
{
    spiel.systeme.typ(1) = 7;
    spielAntwortAnwenden("onlinecheck;;online", spiel, mp);
    EXPECT_EQ(spiel.systeme.typ(1), 7);
    EXPECT_EQ(spiel.systeme.besitzer(2), 2);
    EXPECT_TRUE(fehlerbericht().empty());
}

}  // namespace
}  // namespace qz

namespace qz {
namespace {

// Replies cut and spliced at random from valid ones: whatever arrives, the co-players' sets
// stay readable for the fleet routines (every list covers every ship), and nothing crashes.
TEST(SpielAntwortVerstuemmelt, SplicedRepliesLeaveReadableSets)
{
    const std::string teile[] = {
        "#BES-,1,2,0-BES#", "#TYP-,42,x,3-TYP#", "#si2typ-,3,7,1-si2typ#", "#si2pox-,10,20-si2pox#",
        "#si3uml-,4-si3uml#", "#si3fig-99999999999-si3fig#", "#s2hweg-,1,2,3-s2hweg#", "#chat-1;-;a;-;9-chat#",
        "#kuml2-#sp1ksid-,1-sp1ksid##sp2ksid-,1-sp2ksid##sp2kfkt-,30-sp2kfkt#-2kuml#", "#PAG-,,,-PAG#", "-BES#",
        "#si4bwg-", ",,,,", "#SLD-,7-SLD#"};
    std::uint32_t zufall = 12345;
    auto naechste = [&] { return zufall = zufall * 1664525u + 1013904223u; };
    for (int lauf = 0; lauf < 3000; ++lauf) {
        Spielstand spiel;
        Mehrspieler mp;
        spiel.eigenerSpieler = 1;
        spiel.Spieleranzahl = 4;
        spiel.Sternanzahl = 3;
        spiel.saetze(1).anzahl = 1;
        for (auto& f : spiel.saetze(1).feld) f.redim(0, 1, "5");
        std::string antwort;
        const int stuecke = 1 + static_cast<int>(naechste() % 6);
        for (int k = 0; k < stuecke; ++k) {
            const std::string& t = teile[naechste() % std::size(teile)];
            const std::size_t von = naechste() % (t.size() + 1);
            antwort += (naechste() % 3 == 0) ? t.substr(von) : t;
        }
        spielAntwortAnwenden(antwort, spiel, mp);
        for (int p = 2; p <= 4; ++p)
            for (const auto& f : spiel.saetze(p).feld) ASSERT_GE(f.hi(), spiel.saetze(p).anzahl) << antwort;
    }
}

}  // namespace
}  // namespace qz

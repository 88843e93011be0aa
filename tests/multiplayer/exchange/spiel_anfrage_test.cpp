// The in-game request: every entry in its place, the ships only with "ok", and the pending
// actions sent once.
#include "multiplayer/exchange/spiel_anfrage.hpp"

#include <gtest/gtest.h>

namespace qz {
namespace {

struct SpielAnfrage : ::testing::Test {
    Spielstand spiel;
    Mehrspieler mp;
    Feld<KVP> get{1, 2};
    Feld<KVP> post{1, 40};

    void SetUp() override
    {
        spiel.eigenerSpieler = 2;
        spiel.Sternanzahl = 50;
        mp.LoginName = "bob";
        mp.senden.SessionId = "s1d";
    }
    void zweiSchiffe()
    {
        SchiffListen& l = spiel.schiffe;
        l[kTyp] = ",1,7";
        l[kHuelle] = ",100,300";
        l[kSchild] = ",10,30";
        l[kAngedockt] = ",0,4";
        l[kOrt] = ",3,4";
        l[kZiel] = ",3,4";
        l[kX] = ",100,200";
        l[kY] = ",110,210";
        l[kZielX] = ",100,200";
        l[kZielY] = ",110,210";
        l[kFeuerkraft] = ",5,60";
        l[kFlotte] = ",1,2";
        l[kRoute] = ",0,0";
        spiel.spieler.hoechsteFlotte(2) = 2;
    }
    std::string key(int e) const { return post(e).Key; }
    std::string value(int e) const { return post(e).Value; }
};

TEST_F(SpielAnfrage, ShipsGoOutInTheirEntriesWithOk)
{
    zweiSchiffe();
    spielAnfrageSchreiben(get, post, spiel, mp);
    EXPECT_EQ(get(1).Key, "PHPSESSID");
    EXPECT_EQ(get(1).Value, "s1d");
    EXPECT_EQ(key(1), "infos");
    EXPECT_EQ(value(1), "spiel");
    EXPECT_EQ(key(2), "i1");
    EXPECT_EQ(value(2), "bob");
    const std::pair<int, std::pair<const char*, const char*>> erwartet[] = {
        {11, {"si0", "ok"}},      {4, {"si1", ",1,7"}},     {5, {"si2", ",0,4"}},   {6, {"si3", ",3,4"}},
        {7, {"si4", ",0,0"}},     {8, {"si5", ",1,2"}},     {9, {"si6", ",100,200"}}, {10, {"si7", ",110,210"}},
        {12, {"si8", "2"}},       {16, {"si9", "2"}},       {17, {"si10", ",100,300"}}, {18, {"si11", ",10,30"}},
        {19, {"si12", ",5,60"}},  {14, {"hvertrag", "0,0,0,0"}}, {13, {"hwege", ""}}};
    for (const auto& [eintrag, paar] : erwartet) {
        EXPECT_EQ(key(eintrag), paar.first) << eintrag;
        EXPECT_EQ(value(eintrag), paar.second) << eintrag;
    }
    for (int e : {3, 15, 20, 21, 22, 23, 24, 25}) EXPECT_EQ(key(e), "") << e;
}

TEST_F(SpielAnfrage, WithoutShipsNokLeavesTheLastShipEntries)
{
    zweiSchiffe();
    spielAnfrageSchreiben(get, post, spiel, mp);
    spiel.schiffe.clear();
    spielAnfrageSchreiben(get, post, spiel, mp);
    EXPECT_EQ(value(11), "nok");
    EXPECT_EQ(value(4), ",1,7");
}

TEST_F(SpielAnfrage, PendingColonisationAndChatGoOutUntilTheServerHasThem)
{
    mp.senden.kolonisation = 17;
    mp.senden.chatZeile = "hallo du";
    mp.senden.chatSenden = 1;
    spielAnfrageSchreiben(get, post, spiel, mp);
    EXPECT_EQ(key(3), "kolo");
    EXPECT_EQ(value(3), "17");
    EXPECT_EQ(key(15), "chat");
    EXPECT_EQ(value(15), "hallo du");
    spielAnfrageSchreiben(get, post, spiel, mp);  // the request before got no reply
    EXPECT_EQ(value(15), "hallo du");
    anfrageAngekommen(mp);
    EXPECT_EQ(mp.senden.chatSenden, 0);
    EXPECT_EQ(mp.senden.chatZeile, "");

    spielAnfrageSchreiben(get, post, spiel, mp);
    EXPECT_EQ(value(3), "17") << "until a reply shows the system owned";
    EXPECT_EQ(key(15), "");
    mp.senden.kolonisation = 0;
    spielAnfrageSchreiben(get, post, spiel, mp);
    EXPECT_EQ(key(3), "");
}

TEST_F(SpielAnfrage, PendingAgreementReplacesTheStoredValueOnce)
{
    mp.senden.abkommenStand(3) = 2;
    mp.senden.abkommenAnfrage(1) = 1;
    spielAnfrageSchreiben(get, post, spiel, mp);
    EXPECT_EQ(value(14), "1,0,2,0");
    EXPECT_EQ(mp.senden.abkommenAnfrage(1), 0);
    mp.senden.abkommenAnfrage(3) = 3;
    spielAnfrageSchreiben(get, post, spiel, mp);
    EXPECT_EQ(value(14), "1,0,3,0");
}

TEST_F(SpielAnfrage, AttackAndSettledPlanetsGoOutAndThePlanetListsEmptyOnceAnswered)
{
    spiel.karte.angriffsschaden = ",50";
    spiel.karte.angriffsziel = ",9";
    mp.piSysteme = ",4,9";
    mp.piSchild = ",10,0";
    mp.piBefestigung = ",800,5000";
    mp.handelswegText(2) = ",4,9";
    spielAnfrageSchreiben(get, post, spiel, mp);
    EXPECT_EQ(key(20), "pa0");
    EXPECT_EQ(value(20), "ok");
    EXPECT_EQ(value(21), ",50");
    EXPECT_EQ(value(22), ",9");
    EXPECT_EQ(value(23), ",4,9");
    EXPECT_EQ(key(24), "pi2");
    EXPECT_EQ(value(25), ",800,5000");
    EXPECT_EQ(key(13), "hwege");
    EXPECT_EQ(value(13), ",4,9");
    anfrageAngekommen(mp);
    EXPECT_TRUE(mp.piSysteme.empty());

    spiel.karte.angriffsschaden.clear();
    spielAnfrageSchreiben(get, post, spiel, mp);
    for (int e = 20; e <= 25; ++e) EXPECT_EQ(key(e), "") << e;
}

}  // namespace
}  // namespace qz

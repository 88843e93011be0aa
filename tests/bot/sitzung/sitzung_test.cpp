// One computer player's seat against a stand-in server that answers each posted request in the
// same pass, on a manual clock: which channel it joins, and when it leaves the game.
#include "bot/sitzung.hpp"
#include "multiplayer/play/mp_tag.hpp"
#include "platform/headless/headless_platform.hpp"
#include "state/schiffslisten.hpp"

#include <gtest/gtest.h>

#include <memory>

namespace qz {
namespace {

std::string wert(const Feld<KVP>& tabelle, const std::string& key)
{
    for (int i = tabelle.lo(); i <= tabelle.hi(); ++i)
        if (tabelle(i).Key == key) return tabelle(i).Value;
    return {};
}

struct Lauf {
    HeadlessPlatform platform;
    Serverdaten server;
    std::unique_ptr<BotSitzung> bot;
    std::vector<std::string> protokoll;

    // The stand-in server: a channel list, the lobby of seats 1 and 3 taken by people (seat 3
    // only with three seats), and a running game whose chat the test writes.
    std::string liste;
    int sitze = 2;
    bool laeuft = false;
    bool geschlossen = false;
    std::string chat;
    std::vector<std::string> sitzungen;  // the session of every lobby and game request
    std::string spielZusatz;             // more records for every game reply
    std::vector<std::string> spielAnfragen;  // every game request's pairs, as sent

    void starten(std::vector<std::string> argumente)
    {
        std::vector<std::string> a = {"--server", "127.0.0.1:9", "--name", "Rechner"};
        a.insert(a.end(), argumente.begin(), argumente.end());
        std::string fehler;
        const auto e = befehlszeileLesen(a, fehler);
        server.Anfrageoffen = 0;
        server.Empfangsdaten.clear();
        server.Signalzeit = 0.0;
        ASSERT_TRUE(e) << fehler;
        bot = std::make_unique<BotSitzung>(*e, "pw", platform, server,
                                           [this](const std::string& z) { protokoll.push_back(z); });
    }

    std::string slot(int n, const std::string& name, int farbe, int bereit) const
    {
        const std::string tag = "SP" + std::to_string(n);
        return "#" + tag + "-,0," + name + "," + std::to_string(farbe) + "," + std::to_string(bereit) + "-" + tag + "#";
    }

    std::string lobbyAntwort(const Feld<KVP>& post)
    {
        const int farbe = std::atoi(wert(post, "i3").c_str());
        const int bereit = std::atoi(wert(post, "i4").c_str());
        laeuft = laeuft || bereit == 1;
        std::string a = "channel;;" + std::string(laeuft ? "1" : "0") + ";;3;;x" + slot(1, "anna", 1, 1) +
                        slot(2, "Rechner", farbe, bereit) + (sitze == 3 ? slot(3, "bert", 3, 1) : "");
        // Three systems: the two homes and a free one between them.
        a += "#NAM-,A,B,C-NAM#" "#POX-,100,800,400-POX#" "#POY-,100,600,300-POY#" "#TYP-,42,42,1-TYP#"
             "#ENW-,120,120,60-ENW#" "#VRS-,80,80,90-VRS#" "#FOP-,60,60,30-FOP#" "#HDM-,40,40,30-HDM#"
             "#WFT-,60,60,20-WFT#" "#STK-,1-STK#";
        a += sitze == 3 ? "#BES-,1,2,3-BES#" : "#BES-,1,2,0-BES#";
        return a;
    }

    // Answers what the bot posted, as the server would.
    void antworten()
    {
        std::lock_guard lock(server.Datenmutex);
        if (server.Anfrageoffen != 1) return;
        server.Anfrageoffen = 0;
        const std::string infos = wert(server.PostKVP, "infos");
        if (infos == "channel" || infos == "spiel") sitzungen.push_back(wert(server.GetKVP, "PHPSESSID"));
        if (infos == "spiel") {
            // The copy of the own part ("privat") carries the moment it was made.
            std::string paare;
            for (int i = server.PostKVP.lo(); i <= server.PostKVP.hi(); ++i)
                if (server.PostKVP(i).Key != "privat") paare += server.PostKVP(i).Key + "=" + server.PostKVP(i).Value + "&";
            spielAnfragen.push_back(paare);
        }
        if (infos == "onlinecheck") server.Empfangsdaten = "onlinecheck;;online";
        else if (infos == "login") server.Empfangsdaten = "loginok";
        else if (infos == "channel_auflisten") server.Empfangsdaten = liste;
        else if (geschlossen) server.Empfangsdaten = "fehler;;Unbekannte Sitzung";
        else if (infos == "channel") server.Empfangsdaten = lobbyAntwort(server.PostKVP);
        else if (infos == "spiel")
            server.Empfangsdaten = std::string("spiel;;") + (sitze == 3 ? "#BES-,1,2,3-BES#" : "#BES-,1,2,0-BES#") +
                                   (chat.empty() ? "" : "#chat-" + chat + "-chat#") + spielZusatz;
    }

    // Passes `schritt` seconds apart for `sekunden`; false once the bot has left.
    bool spielen(double sekunden, double schritt = 1.0)
    {
        for (double t = 0.0; t < sekunden; t += schritt) {
            platform.advance(schritt);
            if (!bot->schritt()) return false;
            antworten();
        }
        return true;
    }

    void insSpiel()
    {
        ASSERT_TRUE(spielen(30.0));
        ASSERT_EQ(bot->phase(), BotPhase::spiel) << (protokoll.empty() ? "" : protokoll.back());
    }
};

struct Sitzung : ::testing::Test, Lauf {};

constexpr const char* kZweiKanaeleGleichenNamens =
    "channel_auflisten;;,fremd1,eigen2;;,mitki,mitki;;,,;;,1,1;;,2,2;;,3,3";

TEST_F(Sitzung, JoinsTheChannelOfItsSessionAndNoOtherOfTheSameName)
{
    liste = kZweiKanaeleGleichenNamens;
    starten({"--session", "eigen2"});
    insSpiel();
    ASSERT_FALSE(sitzungen.empty());
    for (const std::string& s : sitzungen) EXPECT_EQ(s, "eigen2");

    // By name it takes the first open one, as before: a stranger's channel listed first.
    sitzungen.clear();
    laeuft = false;
    starten({"--channel", "mitki"});
    insSpiel();
    EXPECT_EQ(sitzungen.front(), "fremd1");

    // A session that is not open ends the search, after its five minutes.
    starten({"--session", "weg3"});
    EXPECT_FALSE(spielen(310.0));
    EXPECT_TRUE(bot->fehlgeschlagen());
}

TEST_F(Sitzung, StaysWithOthersWhoDoNothingAndLeavesTenMinutesAfterTheLastOneWasAnnouncedGone)
{
    sitze = 3;
    liste = "channel_auflisten;;,k1;;,drei;;,;;,2;;,3;;,3";
    starten({"--session", "k1"});
    insSpiel();
    // A person reading the help builds nothing and moves nothing for a long while.
    EXPECT_TRUE(spielen(20 * 60.0));

    // Only the server's announcement counts, never a player's chat line that says the same.
    chat = "1;-;bert hat die Verbindung verloren;-;5;-;anna hat die Verbindung verloren";
    EXPECT_TRUE(spielen(9 * 60.0));
    chat += ";-;5;-;anna ist zur\x81" "ck";
    EXPECT_TRUE(spielen(5 * 60.0)) << "anna came back";
    chat += ";-;5;-;anna hat die Verbindung verloren;-;5;-;bert hat die Verbindung verloren";
    EXPECT_TRUE(spielen(10 * 60.0 - 2.0)) << "gone for just under ten minutes";
    EXPECT_FALSE(spielen(4.0));
    EXPECT_FALSE(bot->fehlgeschlagen());
    EXPECT_EQ(bot->endeGrund(), "every other seat has been gone for 10 minutes");
}

TEST_F(Sitzung, LeavesWhenTheChannelHasClosed)
{
    liste = "channel_auflisten;;,k1;;,zwei;;,;;,1;;,2;;,3";
    starten({"--session", "k1"});
    insSpiel();
    geschlossen = true;
    EXPECT_FALSE(spielen(5.0));
    EXPECT_EQ(bot->endeGrund(), "the channel closed");
}

// What the player sees of a battle at its home: its own two heavy battleships standing there
// unharmed, and a foreign fleet's first ship beside them. Behind that the server's record names
// six ships with shields the battleships cannot pierce or two they destroy at once, and the
// co-player's list a fleet of six or of two: figures no screen shows, so the computer player
// must do exactly the same in both.
TEST(Gefechtssicht, EnemyFiguresNoScreenShowsChangeNoDecision)
{
    const auto spielen = [](const std::string& flotte, const std::string& gegner) {
        Lauf l;
        l.liste = "channel_auflisten;;,k1;;,zwei;;,;;,1;;,2;;,3";
        l.starten({"--session", "k1", "--level", "schwer"});
        l.insSpiel();
        Spielstand& spiel = l.bot->spiel();
        const int x = spiel.systeme.pos(2, 1) + spiel.spieler.parkOffset(2, 1) - 16;
        const int y = spiel.systeme.pos(2, 2) + spiel.spieler.parkOffset(2, 2) - 16;
        eigeneSchiffeVerbinden(spiel);
        for (int k = 0; k < 2; ++k) schiffAnhaengen(spiel.schiffe, {7, 1250, 400, 0, 2, 2, x, y, x, y, 145, 1, 0});
        spiel.spieler.hoechsteFlotte(2) = 1;
        schiffeSchneiden(spiel.schiffe, spiel.saetze(2));
        // Their hull stays whole: 700 / 2 = 350 a round is below the shield of 400, which
        // refills between two rounds at the bot's 20 passes a second.
        l.spielZusatz = flotte + "#kuml2-#sp1ksid-,1,2-sp1ksid#" + gegner +
                        "#sp2ksid-,1,2-sp2ksid##sp2klbp-,1250,1250-sp2klbp##sp2ksld-,400,400-sp2ksld#"
                        "#sp2kfkt-,145,145-sp2kfkt#-2kuml#";
        l.spielAnfragen.clear();
        EXPECT_TRUE(l.spielen(120.0, 0.05));
        return l.spielAnfragen;
    };
    // Player 1's fleet stands at the bot's home (800, 600), at its parking point below it.
    const auto flotte = [](const std::string& typen, int n) {
        std::string liste[5];
        for (int k = 0; k < n; ++k) {
            liste[0] += ",1";
            liste[1] += ",784";
            liste[2] += ",604";
            liste[3] += ",2";
            liste[4] += ",0";
        }
        return "#si1typ-" + typen + "-si1typ##si1fid-" + liste[0] + "-si1fid##si1pox-" + liste[1] + "-si1pox#" +
               "#si1poy-" + liste[2] + "-si1poy##si1uml-" + liste[3] + "-si1uml##si1doc-" + liste[4] + "-si1doc#" +
               "#si1bwg-" + liste[4] + "-si1bwg##si1fig-1-si1fig#";
    };
    const auto stark = spielen(flotte(",2,8,8,8,8,8", 6),
                               "#sp1klbp-,1250,1250,1250,1250,1250,1250-sp1klbp##sp1ksld-,500,500,500,500,500,500-sp1ksld#"
                               "#sp1kfkt-,100,120,120,120,120,120-sp1kfkt#");
    const auto schwach = spielen(flotte(",2,3", 2), "#sp1klbp-,10,10-sp1klbp##sp1ksld-,0,0-sp1ksld##sp1kfkt-,350,350-sp1kfkt#");
    ASSERT_GT(stark.size(), 50u);
    ASSERT_EQ(stark.size(), schwach.size());
    for (std::size_t i = 0; i < stark.size(); ++i) ASSERT_EQ(stark[i], schwach[i]) << "request " << i;
}

}  // namespace
}  // namespace qz

// Four headless clients against the real qz-server on a free loopback port: login, channel
// creation, joining, colours, ready, start, the star map on every client, a colonisation,
// ships seen by the others, a battle with damage on both sides, a trade agreement both ways
// and a chat line seen by all. The same game again with the clients spread over two server
// instances on one PostgreSQL database, and once with a server that falls silent for a while.
// The clients' clocks are manual; only the server's round trips take real time.
#include "multiplayer/screens/computer_kanal.hpp"
#include "state/schiffslisten.hpp"
#include "multiplayer/screens/chat.hpp"
#include "multiplayer/private/computerspiel.hpp"
#include "multiplayer/play/mp_tag.hpp"
#include "platform/datei.hpp"
#include "platform/folders.hpp"
#include "systems/schiffbau.hpp"
#include "multiplayer/screens/multiplayer_screen.hpp"
#include "multiplayer/exchange/server_exchange.hpp"
#include "multiplayer/play/verbindung_unterbrochen.hpp"
#include "platform/headless/headless_platform.hpp"
#include "server_process.hpp"
#include "test_database.hpp"
#include "gezeichneter_text.hpp"
#include "sprache.hpp"
#include "umgebung.hpp"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstring>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <functional>
#include <memory>
#include <thread>

namespace qz {
namespace {

struct Client {
    HeadlessPlatform platform;
    Rahmen r{platform};
    Spielstand spiel;
    Serverdaten server;
    Mehrspieler mp;
    Bildquellen quellen{[](const std::string&) { return imageCreate(2560, 1600, 0xFF000010); },
                        [](const std::string&) { return imageCreate(32, 32, 0xFFFF0000); }};
    std::thread worker;

    // Game seconds each pass lets pass.
    double schritt = 0.05;
    // Set: the own part of the game never reaches the server, as from a client that never sends it.
    std::atomic<bool> ohnePrivat = false;

    explicit Client(int port, const std::string& host = "127.0.0.1")
    {
        platform.screenOpen(1024, 768, 32);
        for (int k = 1; k <= 23; ++k) r.Oberflaechenbild(k) = imageCreate(k == 19 ? 400 : 156, k == 19 ? 400 : 30);
        for (int k = 1; k <= 18; ++k) r.Planetenbild(k) = imageCreate(64, 64);
        r.Programmzustand = "multiplayer";
        r.Unterzustand = "login";
        server.Serveradresse = {host, static_cast<std::uint16_t>(port)};
        mp.Servertext = serverAddressText(server.Serveradresse);
        worker = std::thread(THREAD1, std::ref(server),
                             [this, echt = makeServerRoundTrip(server, 10.0)](const Feld<KVP>& get, const Feld<KVP>& post,
                                                                             Abbruch& abbruch) {
                                 if (!ohnePrivat) return echt(get, post, abbruch);
                                 Feld<KVP> ohne = post;
                                 for (int e = ohne.lo(); e <= ohne.hi(); ++e)
                                     if (ohne(e).Key == "privat") ohne(e) = KVP{};
                                 return echt(get, ohne, abbruch);
                             });
    }
    ~Client()
    {
        {
            std::lock_guard lock(server.Datenmutex);
            server.ThreadEnde = 1;
            server.Datenbedingung.notify_one();
        }
        worker.join();
    }
    void pass(int event = 0, int x = -1, int y = -1, const std::string& taste = "")
    {
        r.Mausereignis = event;
        r.MausX = x;
        r.MausY = y;
        r.LetzteTaste = taste;
        multiplayerScreen(r, spiel, server, mp, quellen);
        platform.advance(schritt);
    }
    void click(int x, int y) { pass(1, x, y); }
    void type(const std::string& text)
    {
        for (char c : text) pass(0, -1, -1, std::string(1, c));
    }
    // The pixels of `farbe` in the 16 rows from y (between x1 and x2) are exactly those of
    // `text` drawn alone, centred on the screen.
    bool zeigt(int y, std::string_view text, Farbe farbe, int x1 = 0, int x2 = 1024)
    {
        ImagePtr allein = imageCreate(1024, 768, 0xFF000000);
        drawText(*allein, centredX(512, text.size()), y, text, farbe);
        for (int yy = y; yy < y + 16; ++yy)
            for (int x = x1; x < x2; ++x)
                if (((point(&platform.screen(), x, yy) & 0xFFFFFFu) == farbe) != ((point(allein.get(), x, yy) & 0xFFFFFFu) == farbe))
                    return false;
        return true;
    }
    void einloggen(const std::string& name)
    {
        click(500, 285);
        type(name);
        click(500, 310);
        type("geheim");
        platform.advance(5.0);
        click(500, 340);
    }
    ServerAddress ziel()
    {
        std::lock_guard lock(server.Datenmutex);
        return server.Serveradresse;
    }
    int eigen() const { return spiel.eigenerSpieler; }
    int anfragen()
    {
        std::lock_guard lock(server.Datenmutex);
        return server.Anfragezaehler;
    }
    // No request of this client on its way.
    bool frei()
    {
        std::lock_guard lock(server.Datenmutex);
        return server.Anfrageoffen == 0;
    }
    bool liest(const std::string& zeile)
    {
        for (int p = 0; p < (mp.senden.chatAnzahl + 1) / 2; ++p)
            if (chatZeile(mp, p) == textAusCp437(zeile)) return true;
        return false;
    }
    SchiffSatz& eigene() { return spiel.saetze(spiel.eigenerSpieler); }
};

// What the flow reads on the screens and in the chat, in the language it runs in (code page
// 437 bytes, as test::zeigtText draws them).
struct Bildschirmtexte {
    const char* sprache;
    const char* online;        // the login screen, in green
    const char* neuesSpiel;    // the multiplayer menu's first button
    const char* spielerfarbe;  // the lobby's colour button
    const char* annaBereit;    // the host's seat once ready
    const char* bertKam;       // the server's chat line when bert joined
};
const Bildschirmtexte kDeutsch = {"de", "Server Online", "Neues Spiel", "Spielerfarbe", "anna (bereit)", "bert ist beigetreten."};
const Bildschirmtexte kEnglisch = {"en", "Server online", "New game", "Player colour", "anna (ready)", "bert joined."};
void PrintTo(const Bildschirmtexte& texte, std::ostream* os) { *os << texte.sprache; }

struct Flow : ::testing::Test {
    Bildschirmtexte texte = kDeutsch;
    test::TemporaryDirectory ordner;
    const std::string verzeichnis = ordner.path();
    std::unique_ptr<server::test::TestDatabase> datenbank;
    std::vector<std::unique_ptr<server::test::ServerProcess>> instanzen;
    std::vector<std::unique_ptr<Client>> c;

    // Client k talks to instance k modulo the number of instances.
    void starten(int anzahl)
    {
        datenbank = std::make_unique<server::test::TestDatabase>(verzeichnis + "/flow.db");
        for (int i = 0; i < anzahl; ++i)
            instanzen.push_back(std::make_unique<server::test::ServerProcess>(
                datenbank->name(), std::vector<std::string>{}, verzeichnis + "/server" + std::to_string(i) + ".log"));
        for (int k = 0; k < 4; ++k) c.push_back(std::make_unique<Client>(instanzen[k % anzahl]->port()));
    }
    void TearDown() override
    {
        c.clear();
        instanzen.clear();
        datenbank.reset();
    }
    // Passes of every client, 2 ms apart in real time, until the condition holds.
    bool bis(const std::function<bool()>& bedingung, double sekunden = 60.0)
    {
        const auto ende = std::chrono::steady_clock::now() + std::chrono::duration<double>(sekunden);
        while (std::chrono::steady_clock::now() < ende) {
            if (bedingung()) return true;
            for (auto& client : c) client->pass();
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        return bedingung();
    }
    bool alle(const std::function<bool(Client&)>& bedingung)
    {
        for (auto& client : c)
            if (!bedingung(*client)) return false;
        return true;
    }
    // A ship standing in space at system s: the own player's parking point, with firepower.
    static void schiffBei(Client& k, int typ, int s, int huelle, int feuerkraft, int flotte)
    {
        const Sternsysteme& sys = k.spiel.systeme;
        const int x = sys.pos(s, 1) + k.spiel.spieler.parkOffset(k.eigen(), 1) - 16;
        const int y = sys.pos(s, 2) + k.spiel.spieler.parkOffset(k.eigen(), 2) - 16;
        schiffAnhaengen(k.spiel.schiffe, {typ, huelle, 0, 0, s, s, x, y, x, y, feuerkraft, flotte, 0});
        k.spiel.spieler.hoechsteFlotte(k.eigen()) = std::max(k.spiel.spieler.hoechsteFlotte(k.eigen()), flotte);
    }
    int freiesSystem(Client& k)
    {
        for (int i = 1; i <= k.spiel.Sternanzahl; ++i)
            if (k.spiel.systeme.besitzer(i) == 0) return i;
        return 0;
    }
    void spielBeginnen();
    void spielen();
};

struct FlowInSprache : Flow, ::testing::WithParamInterface<Bildschirmtexte> {};

TEST_P(FlowInSprache, FourPlayersFromLoginToBattleTradeAndChat)
{
    test::SpracheFuerTest sprache(QZ_RUNTIME_DIR, GetParam().sprache);
    texte = GetParam();
    starten(1);
    spielen();
}

INSTANTIATE_TEST_SUITE_P(Sprachen, FlowInSprache, ::testing::Values(kDeutsch, kEnglisch),
                         [](const ::testing::TestParamInfo<Bildschirmtexte>& info) { return std::string(info.param.sprache); });

// The server falls silent in the middle of the game and comes back on its port with its
// database: 30 s after the first request without a reply the game says so over the map and
// keeps polling; a chat line that went out only into requests nobody answered reaches every
// player once the server answers again, and the notice goes by itself.
TEST_F(Flow, ASilentServerIsShownOverTheMapAndWhatWaitedGoesOutWhenItAnswers)
{
    starten(1);
    spielBeginnen();
    if (HasFatalFailure()) return;
    Client& dora = *c[3];
    const int port = instanzen[0]->port();
    instanzen[0]->kill();
    dora.pass(0, -1, -1, "\r");
    dora.type("bin noch da");
    dora.pass(0, -1, -1, "\r");
    ASSERT_EQ(dora.mp.senden.chatSenden, 1);
    // One request in flight when the line was queued may end first; the next carried it.
    const int vorher = dora.anfragen();
    ASSERT_TRUE(bis([&] { return dora.anfragen() >= vorher + 2; }));
    ASSERT_GE(dora.mp.ohneAntwortSeit, 0.0);

    // Shown from 30 s after the first unanswered request on, centred in a panel over the map.
    const auto zeigtHinweis = [&] { return dora.zeigt(376, kVerbindungUnterbrochen, 0xFFFFFF, 313, 712); };
    dora.platform.advance(dora.mp.ohneAntwortSeit + kStilleBisHinweis - 0.05 - dora.platform.timer());
    dora.pass();
    EXPECT_FALSE(zeigtHinweis()) << "29.95 s";
    dora.pass();
    EXPECT_TRUE(zeigtHinweis()) << "30 s";

    instanzen[0] = std::make_unique<server::test::ServerProcess>(
        datenbank->name(), std::vector<std::string>{"--port", std::to_string(port)}, verzeichnis + "/server0.log");
    ASSERT_TRUE(bis([&] { return alle([](Client& k) { return k.liest("dora: bin noch da"); }); }));
    EXPECT_EQ(dora.mp.senden.chatSenden, 0);
    dora.pass();
    EXPECT_FALSE(zeigtHinweis()) << "the server answers again";
}

TEST_F(Flow, FourPlayersSpreadOverTwoInstancesOfOneDatabase)
{
    if (!server::test::postgresSelected()) GTEST_SKIP() << "instances share a database only on PostgreSQL";
    starten(2);
    spielen();
}

using test::Umgebung;

// True when exactly this text is drawn at (x, y) on the client's screen, in white or `farbe`.
bool zeigtText(Client& k, int x, int y, const std::string& cp437, Farbe farbe = 0xFFFFFFFF)
{
    return test::zeigtText(k.platform.screen(), x, y, cp437, farbe);
}

// The host of a channel adds a computer player for a free seat: "Computer hinzufügen" shows on
// the free seats only, the level beside it is the one the qz-bot gets, the computer player
// (found beside this test's executable) joins that seat of that channel, also when another
// lobby of the same name is open on the same server, and it ends when the host leaves the
// channel. One that cannot log in (a stranger holds its name) shows that on its seat.
TEST_F(Flow, TheHostAddsAComputerPlayerThatTakesAFreeSeatAndEndsWhenTheHostLeaves)
{
    // The computer player keeps its password and its log in the test's own folders.
    const Umgebung konfiguration("XDG_CONFIG_HOME", verzeichnis + "/config");
    const Umgebung zustand("XDG_STATE_HOME", verzeichnis + "/state");
    datenbank = std::make_unique<server::test::TestDatabase>(verzeichnis + "/hinzu.db");
    instanzen.push_back(std::make_unique<server::test::ServerProcess>(datenbank->name()));
    const auto kanalErstellen = [this](Client& k, const std::string& login) {
        ASSERT_TRUE(bis([&] { return k.server.Serveronline == 1; }));
        k.einloggen(login);
        ASSERT_TRUE(bis([&] { return k.r.Unterzustand == "hauptmenu"; }));
        k.click(500, 230);  // "Neues Spiel"
        k.click(471, 314);  // three seats
        k.click(500, 375);
        k.type("mitki");
        k.click(500, 425);
        ASSERT_TRUE(bis([&] { return !k.mp.senden.SessionId.empty() && k.mp.SpielerName(1) == login; }));
    };
    // An abandoned lobby of the same name, opened first.
    c.push_back(std::make_unique<Client>(instanzen[0]->port()));
    Client& fremd = *c[0];
    kanalErstellen(fremd, "fritz");
    c.push_back(std::make_unique<Client>(instanzen[0]->port()));
    Client& host = *c[1];
    kanalErstellen(host, "hanna");
    // A stranger registered the name the first computer player would take.
    c.push_back(std::make_unique<Client>(instanzen[0]->port()));
    Client& fremdname = *c[2];
    ASSERT_TRUE(bis([&] { return fremdname.server.Serveronline == 1; }));
    fremdname.einloggen("hanna-KI1");
    ASSERT_TRUE(bis([&] { return fremdname.r.Unterzustand == "hauptmenu"; }));

    const std::string hinzufuegen = "Computer hinzuf\x81gen";
    const auto sitzY = [](int n) { return 480 + 24 * (n - 1); };
    host.pass();
    EXPECT_FALSE(zeigtText(host, 470, sitzY(1), hinzufuegen)) << "the host's own seat";
    EXPECT_TRUE(zeigtText(host, 470, sitzY(2), hinzufuegen));
    EXPECT_TRUE(zeigtText(host, 470, sitzY(3), hinzufuegen));
    EXPECT_FALSE(zeigtText(host, 470, sitzY(4), hinzufuegen)) << "a closed seat";
    EXPECT_TRUE(zeigtText(host, 634, sitzY(2), "Mittel"));

    host.click(540, sitzY(2) + 6);
    ASSERT_EQ(host.mp.computer.spieler.size(), 1u) << host.mp.meldung;
    EXPECT_EQ(host.mp.computer.spieler[0].name, "hanna-KI1");
    ASSERT_TRUE(bis([&] { return zeigtText(host, 470, sitzY(2), "Start gescheitert", 0xFF4040); }, 120.0));
    EXPECT_EQ(host.mp.SpielerName(2), "Offen");
    host.click(540, sitzY(2) + 6);  // seen: the seat offers a computer player again
    EXPECT_TRUE(zeigtText(host, 470, sitzY(2), hinzufuegen));

    host.click(650, sitzY(2) + 6);  // the level: "Mittel" to "Schwer"
    EXPECT_TRUE(zeigtText(host, 634, sitzY(2), "Schwer"));
    host.click(540, sitzY(2) + 6);
    ASSERT_EQ(host.mp.computer.spieler.size(), 2u) << host.mp.meldung;
    const pid_t pid = host.mp.computer.spieler[1].prozess.kennung();
    std::string aufruf;
    {
        std::ifstream in("/proc/" + std::to_string(pid) + "/cmdline");
        std::getline(in, aufruf, '\n');
        std::replace(aufruf.begin(), aufruf.end(), '\0', ' ');
    }
    EXPECT_NE(aufruf.find(" --server " + serverAddressText(host.ziel()) + " --session " + host.mp.senden.SessionId +
                          " --level schwer --name hanna-KI2"),
              std::string::npos) << aufruf;
    // One click, one computer player: the seat now waits for it.
    EXPECT_FALSE(zeigtText(host, 470, sitzY(2), hinzufuegen));
    EXPECT_TRUE(zeigtText(host, 470, sitzY(3), hinzufuegen));

    ASSERT_TRUE(bis([&] { return host.mp.SpielerName(2) == "hanna-KI2"; }, 120.0))
        << host.mp.SpielerName(2) << " " << host.mp.meldung;
    EXPECT_EQ(fremd.mp.SpielerName(2), "Offen") << "the other lobby of the same name";
    EXPECT_FALSE(zeigtText(host, 470, sitzY(2), hinzufuegen));
    EXPECT_TRUE(zeigtText(host, 470, sitzY(3), hinzufuegen));

    host.click(500, 230);  // "Zurück": the host leaves the channel
    computerspielPruefen(host.r, host.spiel, host.server, host.mp);
    EXPECT_TRUE(host.mp.computer.spieler.empty());
    EXPECT_NE(::kill(pid, 0), 0) << "the computer player still runs";
    EXPECT_EQ(host.r.Unterzustand, "hauptmenu") << "a channel on another server leaves the player there";
}

// A loopback port where nothing listens: bound and closed again.
int freierPort()
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t n = sizeof a;
    ::bind(fd, reinterpret_cast<sockaddr*>(&a), n);
    getsockname(fd, reinterpret_cast<sockaddr*>(&a), &n);
    ::close(fd);
    return ntohs(a.sin_port);
}

bool ipv6Loopback()
{
    const int fd = ::socket(AF_INET6, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in6 a{};
    a.sin6_family = AF_INET6;
    a.sin6_addr = in6addr_loopback;
    const bool ok = fd >= 0 && ::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0;
    if (fd >= 0) ::close(fd);
    return ok;
}

// The login screen's "Server" field against the real server: a port nobody listens on says
// so in red, the server's host name and port reach it and a player logs in, and a second
// player (another machine) reaches the same server by its IPv6 loopback address.
TEST_F(Flow, TheServerFieldReachesTheServerByNameAndByIpv6AndSaysWhenItCannot)
{
    const bool v6 = ipv6Loopback();
    datenbank = std::make_unique<server::test::TestDatabase>(verzeichnis + "/feld.db");
    instanzen.push_back(std::make_unique<server::test::ServerProcess>(
        datenbank->name(), std::vector<std::string>{"--bind", v6 ? "::" : "127.0.0.1"}, verzeichnis + "/feld.log"));
    const std::string port = std::to_string(instanzen[0]->port());
    const int weg = freierPort();
    c.push_back(std::make_unique<Client>(weg));
    Client& a = *c[0];
    ASSERT_TRUE(bis([&] { return a.zeigt(300, "Server nicht erreichbar", 0xFF0000); }, 20.0));
    EXPECT_TRUE(a.zeigt(251, "127.0.0.1:" + std::to_string(weg), 0xFFFFFF, 434, 590)) << "the field shows the server in use";

    a.click(500, 257);  // the "Server" field
    ASSERT_EQ(a.mp.Eingabefokus, 4);
    for (int i = 0; i < 20; ++i) a.pass(0, -1, -1, "\b");
    a.type("localhost:" + port);
    a.pass(0, -1, -1, "\r");
    EXPECT_EQ(a.mp.Eingabefokus, 0);
    EXPECT_EQ(a.ziel(), (ServerAddress{"localhost", static_cast<std::uint16_t>(instanzen[0]->port())}));
    EXPECT_TRUE(a.zeigt(300, "Verbindungsaufbau", 0xFFFFFF)) << "the new server is tried afresh";
    ASSERT_TRUE(bis([&] { return a.server.Serveronline == 1; }));
    a.einloggen("erika");
    ASSERT_TRUE(bis([&] { return a.r.Unterzustand == "hauptmenu"; }));
    EXPECT_EQ(a.mp.gemerkterName, "erika");

    if (!v6) GTEST_SKIP() << "this machine has no IPv6 loopback";
    c.push_back(std::make_unique<Client>(weg));
    Client& b = *c[1];
    b.click(500, 257);
    for (int i = 0; i < 20; ++i) b.pass(0, -1, -1, "\b");
    b.type("[::1]:" + port);
    b.click(500, 400);  // clicking elsewhere leaves the field as well
    EXPECT_EQ(b.ziel().host, "[::1]");
    ASSERT_TRUE(bis([&] { return b.server.Serveronline == 1; }));
    b.einloggen("fritz");
    ASSERT_TRUE(bis([&] { return b.r.Unterzustand == "hauptmenu"; }));
}

// Login, a channel of four with 50 systems, joining, colours, ready and the start, until every
// client plays.
void Flow::spielBeginnen()
{
    const char* namen[4] = {"anna", "bert", "carla", "dora"};

    // Login through the screen: the online check, name, password, "Login".
    ASSERT_TRUE(bis([&] { return alle([](Client& k) { return k.server.Serveronline == 1; }); }));
    c[0]->pass();
    EXPECT_TRUE(c[0]->zeigt(380, texte.online, 0x00CD00));
    for (int k = 0; k < 4; ++k) {
        c[k]->click(500, 285);
        c[k]->type(namen[k]);
        c[k]->click(500, 310);
        c[k]->type("geheim" + std::to_string(k));
        c[k]->platform.advance(5.0);
        c[k]->click(500, 340);
    }
    ASSERT_TRUE(bis([&] { return alle([](Client& k) { return k.r.Unterzustand == "hauptmenu"; }); }));

    // The host creates a channel of four with 50 systems.
    Client& host = *c[0];
    host.pass();
    EXPECT_TRUE(host.zeigt(224, texte.neuesSpiel, 0xFFFFFF, 434, 590));
    host.click(500, 230);
    host.click(500, 375);
    host.type("flowrunde");
    host.click(500, 425);
    ASSERT_EQ(host.r.Unterzustand, "channel");
    for (int k = 0; k < 3; ++k) host.click(470, 314);
    ASSERT_EQ(host.spiel.Sternanzahl, 50);
    ASSERT_TRUE(bis([&] { return !host.mp.senden.SessionId.empty() && host.mp.SpielerName(1) == "anna"; }));

    // The others find it in the channel list and join.
    for (int k = 1; k < 4; ++k) c[k]->click(500, 340);
    ASSERT_TRUE(bis([&] {
        for (int k = 1; k < 4; ++k)
            if (c[k]->mp.KanalAnzahl < 1) return false;
        return true;
    }));
    for (int k = 1; k < 4; ++k) {
        c[k]->click(500, 370);
        c[k]->click(500, 340);
        ASSERT_EQ(c[k]->r.Unterzustand, "channel");
    }
    ASSERT_TRUE(bis([&] { return alle([](Client& k) { return k.eigen() > 0; }); }));
    for (int k = 1; k < 4; ++k) EXPECT_EQ(c[k]->mp.SpielerName(c[k]->eigen()), namen[k]);

    // Colours 2, 4, 6, 8, confirmed by the server, then everybody ready.
    constexpr int kSwatch[9] = {461, 473, 486, 499, 512, 525, 538, 551, 563};
    for (int k = 0; k < 4; ++k) c[k]->click(kSwatch[2 * k + 1] + 6, 405);
    ASSERT_TRUE(bis([&] {
        return alle([](Client& k) { return k.spiel.spieler.spielerFarbe(k.eigen(), 0) == k.mp.GewaehlteFarbe; });
    }));
    for (int k = 0; k < 4; ++k) c[k]->click(500, 460);
    ASSERT_TRUE(bis([&] { return host.mp.senden.bereitAnzahl == 4; }));
    host.pass();
    EXPECT_TRUE(host.zeigt(369, texte.spielerfarbe, 0xFFFFFF, 434, 590));
    EXPECT_TRUE(test::zeigtText(host.platform.screen(), centredX(433, std::strlen(texte.annaBereit)), 480, texte.annaBereit));

    // "Spiel Starten": the host's star map reaches every client, and all enter the game.
    host.click(500, 460);
    ASSERT_TRUE(bis([&] { return alle([](Client& k) { return k.r.Unterzustand.empty() && k.spiel.spielLaeuft == 1; }); }));
    for (int k = 1; k < 4; ++k) {
        Client& j = *c[k];
        ASSERT_EQ(j.spiel.Sternanzahl, 50);
        EXPECT_EQ(j.spiel.hintergrund, host.spiel.hintergrund);
        for (int i = 1; i <= 50; ++i) {
            EXPECT_EQ(j.spiel.systeme.pos(i, 1), host.spiel.systeme.pos(i, 1));
            EXPECT_EQ(j.spiel.systeme.typ(i), host.spiel.systeme.typ(i));
            EXPECT_EQ(j.spiel.systeme.besitzer(i), host.spiel.systeme.besitzer(i));
            EXPECT_EQ(j.spiel.systeme.einwohnerBasis(i), host.spiel.systeme.einwohnerBasis(i));
        }
        int eigeneHeimat = 0;
        for (int i = 1; i <= 50; ++i)
            if (j.spiel.systeme.besitzer(i) == j.eigen() && j.spiel.systeme.typ(i) == 42) eigeneHeimat = i;
        ASSERT_GT(eigeneHeimat, 0);
        EXPECT_EQ(j.spiel.systeme.einwohner(eigeneHeimat), j.spiel.systeme.einwohnerBasis(eigeneHeimat));
        EXPECT_EQ(j.spiel.systeme.befestigungMax(eigeneHeimat), 5000);
    }
}

void Flow::spielen()
{
    const auto start = std::chrono::steady_clock::now();
    spielBeginnen();
    if (::testing::Test::HasFatalFailure()) return;
    Client& host = *c[0];

    // A colonisation through the visit screen of player 2.
    Client& bert = *c[1];
    const int kolonie = freiesSystem(bert);
    ASSERT_GT(kolonie, 0);
    bert.spiel.systeme.entdecker(kolonie) = bert.eigen();
    schiffBei(bert, 1, kolonie, 100, 0, 1);
    bert.spiel.scrollX = bert.spiel.systeme.pos(kolonie, 1) - 512;
    bert.spiel.scrollY = bert.spiel.systeme.pos(kolonie, 2) - 384;
    bert.pass();
    bert.click(512, 384);
    ASSERT_EQ(bert.spiel.gewaehltesSystem, kolonie);
    bert.pass();
    ASSERT_GT(bert.spiel.karte.kolonieschiff, 0);
    bert.click(380, 150);
    EXPECT_EQ(bert.spiel.systeme.besitzer(kolonie), bert.eigen());
    ASSERT_TRUE(bis([&] { return alle([&](Client& k) { return k.spiel.systeme.besitzer(kolonie) == bert.eigen(); }); }));

    // Ships of player 3 appear on the other clients.
    Client& carla = *c[2];
    int carlaHeimat = 0;
    for (int i = 1; i <= 50; ++i)
        if (carla.spiel.systeme.besitzer(i) == carla.eigen() && carla.spiel.systeme.typ(i) == 42) carlaHeimat = i;
    schiffBei(carla, 3, carlaHeimat, 200, 10, 1);
    ASSERT_TRUE(bis([&] {
        return alle([&](Client& k) {
            return &k == &carla || (k.spiel.saetze(carla.eigen()).anzahl == 1 &&
                                    k.spiel.saetze(carla.eigen()).wert(kOrt, 1) == carlaHeimat);
        });
    }));

    // A battle at a free system: anna's and dora's heavy ships damage each other, through the
    // shields (which recharge between rounds) into the hulls.
    Client& dora = *c[3];
    int schlacht = 0;
    for (int i = 1; i <= 50 && !schlacht; ++i)
        if (host.spiel.systeme.besitzer(i) == 0 && i != kolonie) schlacht = i;
    schiffBei(host, 7, schlacht, 20000, 2000, 1);
    schiffBei(dora, 7, schlacht, 20000, 3000, 1);
    ASSERT_TRUE(bis([&] {
        return host.eigene().anzahl == 1 && dora.eigene().anzahl == 1 && host.eigene().wert(kHuelle, 1) < 20000 &&
               dora.eigene().wert(kHuelle, 1) < 20000;
    }));

    // A trade agreement both ways between anna and bert.
    host.mp.senden.abkommenAnfrage(bert.eigen()) = 1;
    ASSERT_TRUE(bis([&] { return host.mp.senden.abkommenStand(bert.eigen()) == 1; })) << "offered";
    EXPECT_EQ(bert.mp.senden.abkommenStand(host.eigen()), 0) << "not in force before bert offers too";
    bert.mp.senden.abkommenAnfrage(host.eigen()) = 1;
    ASSERT_TRUE(bis([&] {
        return host.mp.senden.abkommenStand(bert.eigen()) == 2 && bert.mp.senden.abkommenStand(host.eigen()) == 2;
    }));
    EXPECT_EQ(carla.mp.senden.abkommenStand(host.eigen()), 0);

    // A chat line typed by dora is seen by all.
    dora.pass(0, -1, -1, "\r");
    dora.type("hallo zusammen");
    dora.pass(0, -1, -1, "\r");
    ASSERT_TRUE(bis([&] { return alle([](Client& k) { return k.liest("dora: hallo zusammen"); }); }));
    EXPECT_TRUE(carla.liest(texte.bertKam)) << "the server's own line, in the reader's language";

    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::minutes(2));
}


// What a player keeps of a multiplayer game, to compare before a crash and after the rejoin:
// money, supply and the day, research, every system's owner with the planet values and build
// queues of the own ones, and the own ships.
struct Eigenes {
    std::vector<int> wirtschaft, forschung, systeme;
    std::array<std::string, kSchiffsfelder> schiffe;
};

Eigenes eigenes(const Spielstand& g)
{
    Eigenes e;
    const Wirtschaft& w = g.wirtschaft;
    e.wirtschaft = {w.geld, w.vorrat, w.spieltag, w.forschungspunkte};
    for (int t = 1; t <= 12; ++t)
        e.forschung.insert(e.forschung.end(), {g.forschung.thema(t).aktiv, g.forschung.thema(t).stufe,
                                               g.forschung.thema(t).fortschritt});
    const Sternsysteme& s = g.systeme;
    for (int i = 1; i <= g.Sternanzahl; ++i) {
        e.systeme.push_back(s.besitzer(i));
        if (s.besitzer(i) != g.eigenerSpieler) continue;
        e.systeme.insert(e.systeme.end(), {i, s.einwohner(i), s.versorgung(i), s.forschung(i), s.handel(i), s.werft(i),
                                           s.bauAuftraege(i), s.handelsposten(i)});
        for (int slot = 1; slot <= 3; ++slot)
            e.systeme.insert(e.systeme.end(), {s.bauTyp(i, slot), s.bauAufwand(i, slot), s.bauFortschritt(i, slot)});
    }
    e.schiffe = g.schiffe.liste;
    return e;
}

void erwarteGleich(const Eigenes& ist, const Eigenes& soll)
{
    EXPECT_EQ(ist.wirtschaft, soll.wirtschaft) << "money, supply, day, research points";
    EXPECT_EQ(ist.forschung, soll.forschung);
    EXPECT_EQ(ist.systeme, soll.systeme);
    EXPECT_EQ(ist.schiffe, soll.schiffe);
}

struct Rueckkehr {
    const char* name;
    bool teilZumServer;  // the client sends its own part to the server
    bool kopieBleibt;    // the returning client finds the local copy (the same machine)
    const char* adresse; // where the returning client reaches the server from
    bool abwarten;       // the others are told it went before it comes back
};

void PrintTo(const Rueckkehr& fall, std::ostream* os) { *os << fall.name; }

struct Wiedereinstieg : Flow, ::testing::WithParamInterface<Rueckkehr> {
    Folders vorher = folders();
    void SetUp() override
    {
        Folders f = vorher;
        f.mehrspieler = verzeichnis + "/mehrspieler";
        f.errorReport = verzeichnis + "/fehlerbericht.txt";
        setFolders(f);
    }
    void TearDown() override
    {
        Flow::TearDown();
        setFolders(vorher);
    }
};

// Two players play 20 game days; one is torn down without any goodbye, and comes back as a new
// client (another loopback address and an empty data folder, or the same machine with its
// local copy): after one more day its money, research, build queues, systems and ships are
// exactly those of the last day tick before the crash, played on by that day; the other player
// read when it went and when it came back.
TEST_P(Wiedereinstieg, NothingOfTheLastDayIsLost)
{
    const Rueckkehr& fall = GetParam();
    datenbank = std::make_unique<server::test::TestDatabase>(verzeichnis + "/wieder.db");
    // Every loopback address reaches it.
    instanzen.push_back(std::make_unique<server::test::ServerProcess>(
        datenbank->name(), std::vector<std::string>{"--bind", "0.0.0.0"}, verzeichnis + "/wieder.log"));
    const int port = instanzen[0]->port();
    for (int k = 0; k < 2; ++k) c.push_back(std::make_unique<Client>(port));
    Client& anna = *c[0];
    ASSERT_TRUE(bis([&] { return alle([](Client& k) { return k.server.Serveronline == 1; }); }));
    anna.einloggen("anna");
    c[1]->einloggen("bert");
    ASSERT_TRUE(bis([&] { return alle([](Client& k) { return k.r.Unterzustand == "hauptmenu"; }); }));

    // anna opens a game of two with 50 systems, bert joins; colours, ready, start.
    anna.click(500, 230);
    for (int k = 0; k < 2; ++k) anna.click(470, 314);
    anna.click(500, 375);
    anna.type("zurueck");
    anna.click(500, 425);
    ASSERT_EQ(anna.spiel.Spieleranzahl, 2);
    for (int k = 0; k < 3; ++k) anna.click(470, 314);
    ASSERT_TRUE(bis([&] { return !anna.mp.senden.SessionId.empty(); }));
    c[1]->click(500, 340);
    ASSERT_TRUE(bis([&] { return c[1]->mp.KanalAnzahl >= 1; }));
    c[1]->click(500, 370);
    c[1]->click(500, 340);
    ASSERT_TRUE(bis([&] { return c[1]->eigen() == 2; }));
    constexpr int kSwatch[9] = {461, 473, 486, 499, 512, 525, 538, 551, 563};
    for (int k = 0; k < 2; ++k) c[k]->click(kSwatch[3 * k + 1] + 6, 405);
    ASSERT_TRUE(bis([&] {
        return alle([](Client& k) { return k.spiel.spieler.spielerFarbe(k.eigen(), 0) == k.mp.GewaehlteFarbe; });
    }));
    for (int k = 0; k < 2; ++k) c[k]->click(500, 460);
    ASSERT_TRUE(bis([&] { return anna.mp.senden.bereitAnzahl == 2; }));
    anna.click(500, 460);
    ASSERT_TRUE(bis([&] { return alle([](Client& k) { return k.r.Unterzustand.empty() && k.spiel.spielLaeuft == 1; }); }));

    // bert builds up what a crash could lose: a colony, research with a budget, two ships in
    // the yard, two ships standing at home, a trade agreement with anna.
    Client& bert = *c[1];
    bert.ohnePrivat = !fall.teilZumServer;
    Sternsysteme& sys = bert.spiel.systeme;
    int heimat = 0;
    for (int i = 1; i <= 50; ++i)
        if (sys.besitzer(i) == 2 && sys.typ(i) == 42) heimat = i;
    ASSERT_GT(heimat, 0);
    const int kolonie = freiesSystem(bert);
    sys.entdecker(kolonie) = 2;
    schiffBei(bert, 1, kolonie, 450, 0, 1);
    bert.spiel.scrollX = sys.pos(kolonie, 1) - 512;
    bert.spiel.scrollY = sys.pos(kolonie, 2) - 384;
    bert.pass();
    bert.click(512, 384);
    bert.pass();
    bert.click(380, 150);
    ASSERT_EQ(sys.besitzer(kolonie), 2);
    bert.pass();  // the used colony ship leaves the lists before new ships go in
    Forschung& f = bert.spiel.forschung;
    f.thema(1).aktiv = f.thema(4).aktiv = 1;
    f.aktiveThemen = 2;
    bert.spiel.wirtschaft.forschungsetat = 40;
    for (int typ : {2, 3})
        ASSERT_TRUE(bauauftragErteilen(typ, heimat, sys.einwohner(heimat), bert.spiel.wirtschaft.geld, sys.bauAufwand,
                                       sys.bauTyp, sys.bauAuftraege(heimat)));
    schiffBei(bert, 3, heimat, 600, 55, 2);
    schiffBei(bert, 5, heimat, 800, 85, 2);
    bert.mp.senden.abkommenAnfrage(1) = 1;
    anna.mp.senden.abkommenAnfrage(2) = 1;
    ASSERT_TRUE(bis([&] { return bert.mp.senden.abkommenStand(1) == 2 && sys.besitzer(kolonie) == 2; }));

    // 20 game days, a quarter of a second a pass.
    for (auto& k : c) k->schritt = 0.25;
    ASSERT_TRUE(bis([&] { return bert.spiel.wirtschaft.spieltag >= 19; }, 120.0));
    while (bert.spiel.wirtschaft.spieltag < 20) {
        anna.pass();
        bert.pass();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    const Eigenes tag20 = eigenes(bert.spiel);
    ASSERT_GE(std::count(tag20.schiffe[kTyp].begin(), tag20.schiffe[kTyp].end(), ','), 2) << "ships to lose";
    // The day's part goes out with the next request; bert's clock stands while it is on its way.
    const auto ende = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!(bert.mp.eigenerTeil.empty() && bert.frei() && bert.mp.kopieGeschrieben.valid() &&
             bert.mp.kopieGeschrieben.wait_for(std::chrono::seconds(0)) == std::future_status::ready)) {
        ASSERT_LT(std::chrono::steady_clock::now(), ende);
        if (bert.frei()) bert.pass();
        anna.pass();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    ASSERT_EQ(bert.spiel.wirtschaft.spieltag, 20);
    erwarteGleich(eigenes(bert.spiel), tag20);
    EXPECT_TRUE(bert.mp.kopieGeschrieben.get());
    // What the day after the crash would have made of it.
    mehrspielerTag(bert.spiel, bert.mp, bert.platform.timer());
    const Eigenes tag21 = eigenes(bert.spiel);
    ASSERT_EQ(tag21.wirtschaft[2], 21);

    c.pop_back();  // the crash: no request, no goodbye
    if (!fall.kopieBleibt) std::filesystem::remove_all(folders().mehrspieler);
    if (fall.abwarten) {
        ASSERT_TRUE(bis([&] { return anna.liest("bert hat die Verbindung verloren"); }, 150.0));
    }

    c.push_back(std::make_unique<Client>(port, fall.adresse));
    Client& zurueck = *c[1];
    ASSERT_TRUE(bis([&] { return zurueck.server.Serveronline == 1; }));
    zurueck.einloggen("bert");
    ASSERT_TRUE(bis([&] { return zurueck.r.Unterzustand == "hauptmenu"; }));
    zurueck.click(500, 340);
    ASSERT_TRUE(bis([&] { return zurueck.mp.KanalAnzahl >= 1 && zurueck.mp.KanalLaeuft(1) == "1"; }));
    zurueck.click(500, 370);
    zurueck.click(500, 340);
    ASSERT_TRUE(bis([&] { return zurueck.r.Unterzustand.empty() && zurueck.spiel.spielLaeuft == 1; }));
    ASSERT_EQ(zurueck.eigen(), 2);
    ASSERT_TRUE(bis([&] { return !zurueck.mp.eigenerTeilHolen; }));
    erwarteGleich(eigenes(zurueck.spiel), tag20);
    ASSERT_TRUE(bis([&] { return zurueck.spiel.wirtschaft.spieltag == 21; }));
    erwarteGleich(eigenes(zurueck.spiel), tag21);
    EXPECT_EQ(dateiLesen(folders().errorReport), std::nullopt) << "no copy was refused";
    if (fall.abwarten) {
        EXPECT_TRUE(bis([&] { return anna.liest("bert ist zur\x81" "ck"); }));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Kopien, Wiedereinstieg,
    ::testing::Values(Rueckkehr{"NurDieKopieDesServersAufEinemAnderenRechner", true, false, "127.0.0.2", true},
                      Rueckkehr{"NurDieLokaleKopie", false, true, "127.0.0.1", false},
                      Rueckkehr{"Beide", true, true, "127.0.0.1", false}),
    [](const ::testing::TestParamInfo<Rueckkehr>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace qz

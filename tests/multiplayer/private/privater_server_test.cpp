#include "multiplayer/private/privater_server.hpp"
#include "datei_inhalt.hpp"
#include "prozesse.hpp"
#include "umgebung.hpp"

#include <arpa/inet.h>
#include <cerrno>
#include <csignal>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <future>
#include <sstream>
#include <thread>
#include <filesystem>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <optional>
#include <set>
#include <string>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qz {
namespace {

using test::dateiInhalt;
using test::gibtEs;

int verbinde(in_addr adresse, int port) {
    const int s = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in ziel{};
    ziel.sin_family = AF_INET;
    ziel.sin_port = htons(static_cast<uint16_t>(port));
    ziel.sin_addr = adresse;
    if (connect(s, reinterpret_cast<sockaddr*>(&ziel), sizeof ziel) != 0) {
        close(s);
        return -1;
    }
    return s;
}

std::string antwortAuf(int port, const std::string& anfrage) {
    in_addr schleife{};
    schleife.s_addr = htonl(INADDR_LOOPBACK);
    const int s = verbinde(schleife, port);
    if (s < 0) return {};
    timeval frist{10, 0};
    setsockopt(s, SOL_SOCKET, SO_RCVTIMEO, &frist, sizeof frist);
    [[maybe_unused]] const ssize_t gesendet = send(s, anfrage.data(), anfrage.size(), MSG_NOSIGNAL);
    std::string antwort;
    char puffer[4096];
    for (ssize_t n; (n = recv(s, puffer, sizeof puffer, 0)) > 0;) antwort.append(puffer, static_cast<std::size_t>(n));
    close(s);
    return antwort;
}

// The addresses ("127.0.0.1:4711") the process listens on over TCP, IPv4 and IPv6 (v6 ones
// as "[hex]:port"), read from its own sockets in /proc: the sockets the kernel bound, whatever
// other addresses this machine has or lacks.
std::set<std::string> lauschendeAdressen(pid_t pid) {
    std::set<std::string> knoten;
    for (const auto& eintrag : std::filesystem::directory_iterator("/proc/" + std::to_string(pid) + "/fd")) {
        std::error_code fehler;
        const std::string ziel = std::filesystem::read_symlink(eintrag.path(), fehler).string();
        if (ziel.rfind("socket:[", 0) == 0) knoten.insert(ziel.substr(8, ziel.size() - 9));
    }
    std::set<std::string> adressen;
    for (const char* tabelle : {"/proc/net/tcp", "/proc/net/tcp6"}) {
        std::istringstream zeilen(dateiInhalt(tabelle));
        std::string zeile;
        std::getline(zeilen, zeile);  // the heading
        while (std::getline(zeilen, zeile)) {
            // sl local_address rem_address st tx_queue:rx_queue tr:tm->when retrnsmt uid timeout inode
            std::istringstream felder(zeile);
            std::string nummer, lokal, fern, zustand, warteschlangen, zeitgeber, wiederholt, uid, frist, inode;
            felder >> nummer >> lokal >> fern >> zustand >> warteschlangen >> zeitgeber >> wiederholt >> uid >> frist >>
                inode;
            if (zustand != "0A" || knoten.count(inode) == 0) continue;  // 0A: listening
            const std::size_t doppelpunkt = lokal.find(':');
            const std::string hex = lokal.substr(0, doppelpunkt);
            const int port = std::stoi(lokal.substr(doppelpunkt + 1), nullptr, 16);
            if (hex.size() == 8) {
                in_addr a{};
                a.s_addr = static_cast<in_addr_t>(std::stoul(hex, nullptr, 16));  // in the kernel's byte order
                adressen.insert(std::string(inet_ntoa(a)) + ":" + std::to_string(port));
            } else {
                adressen.insert("[" + hex + "]:" + std::to_string(port));
            }
        }
    }
    return adressen;
}

// A request of the game without the private server's key, from the same address as the game.
std::string ohneSchluessel(int port, const std::string& infos) {
    const std::string body = "infos=" + infos + "&i1=Spieler&i2=00";
    return antwortAuf(port, "POST /games/qz/datenabfrage.php HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n"
                            "Content-Type: application/x-www-form-urlencoded\r\nContent-Length: " +
                                std::to_string(body.size()) + "\r\n\r\n" + body);
}

TEST(PrivaterServer, AnswersOnLoopbackOnlyAndLeavesNothingRunning) {
    const std::filesystem::path ordner = std::filesystem::current_path() / "privat";
    std::filesystem::remove_all(ordner);
    pid_t pid = -1;
    {
        PrivaterServer server(QZ_SERVER_PROGRAMM, ordner);
        pid = server.kennung();
        ASSERT_GT(server.port(), 0);
        EXPECT_EQ(server.adresse(), "127.0.0.1:" + std::to_string(server.port()));
        EXPECT_EQ(antwortAuf(server.port(), "GET / HTTP/1.1\r\nHost: x\r\n\r\n").substr(0, 9), "HTTP/1.1 ");
        const std::set<std::string> nurSchleife = {server.adresse()};
        EXPECT_EQ(lauschendeAdressen(pid), nurSchleife) << "reachable from outside the machine";
        EXPECT_TRUE(std::filesystem::exists(ordner / "privater-server.db"));
        // Other accounts of this machine share the loopback address: without the game's key
        // nobody gets in, and the key is nowhere in the process list.
        EXPECT_EQ(server.schluessel().size(), 32u);
        for (const char* infos : {"onlinecheck", "login", "channel", "spiel"}) {
            const std::string antwort = ohneSchluessel(server.port(), infos);
            EXPECT_NE(antwort.find("CODE:fehler;;Kein Zugang:EDOC"), std::string::npos) << infos << ": " << antwort;
        }
        EXPECT_EQ(dateiInhalt("/proc/" + std::to_string(pid) + "/cmdline").find(server.schluessel()),
                  std::string::npos);
    }
    EXPECT_FALSE(gibtEs(pid));  // the destructor stopped and reaped it

    // A second start picks a free port again, on a fresh database: the one left behind is not
    // taken over, so a damaged one (or one whose logins' passwords were lost) stops nothing.
    std::ofstream(ordner / "privater-server.db", std::ios::trunc) << "kein Datenbankinhalt";
    PrivaterServer wieder(QZ_SERVER_PROGRAMM, ordner);
    EXPECT_FALSE(antwortAuf(wieder.port(), "GET / HTTP/1.1\r\nHost: x\r\n\r\n").empty());
    {
        // A second copy of the game starting meanwhile leaves the running one's database file
        // where it is: the same file (inode) before and after, each on a port of its own.
        const auto knoten = [&] {
            struct stat st {};
            return ::stat((ordner / "privater-server.db").c_str(), &st) == 0 ? st.st_ino : ino_t{0};
        };
        const ino_t erster = knoten();
        ASSERT_NE(erster, ino_t{0});
        PrivaterServer zweiteKopie(QZ_SERVER_PROGRAMM, ordner);
        EXPECT_EQ(knoten(), erster);
        EXPECT_NE(zweiteKopie.port(), wieder.port());
    }
    {
        // Two copies starting at the same moment share the folder and its log: each still
        // learns its own server's port.
        // A child ends with the thread that started it: the second one's thread lives until
        // the checks are done.
        std::optional<PrivaterServer> erste, zweite;
        std::promise<void> gestartet, fertig;
        std::thread nebenher([&] {
            try {
                zweite.emplace(QZ_SERVER_PROGRAMM, ordner);
            } catch (const std::runtime_error& fehler) {
                ADD_FAILURE() << fehler.what();
            }
            gestartet.set_value();
            fertig.get_future().wait();
            zweite.reset();
        });
        erste.emplace(QZ_SERVER_PROGRAMM, ordner);
        gestartet.get_future().wait();
        if (zweite) {
            for (const PrivaterServer* s : {&*erste, &*zweite}) {
                EXPECT_EQ(lauschendeAdressen(s->kennung()), std::set<std::string>{s->adresse()}) << "another's port";
            }
            EXPECT_NE(erste->schluessel(), zweite->schluessel()) << "each game has a key of its own";
        }
        fertig.set_value();
        nebenher.join();
    }
    const pid_t zweiter = wieder.kennung();
    EXPECT_TRUE(wieder.beenden());  // SIGTERM is a clean end for the server: exit code 0
    EXPECT_FALSE(gibtEs(zweiter));
    std::filesystem::remove_all(ordner);
}

TEST(PrivaterServer, AServerThatEndsAtStartIsReportedWithItsLog) {
    // Its database folder is a plain file: the server cannot open the database and ends.
    const std::filesystem::path ordner = std::filesystem::current_path() / "privat-kaputt";
    std::filesystem::remove_all(ordner);
    std::filesystem::create_directories(ordner);
    std::filesystem::create_directories(ordner / "privater-server.db");
    try {
        PrivaterServer server(QZ_SERVER_PROGRAMM, ordner);
        ADD_FAILURE() << "started on port " << server.port();
    } catch (const std::runtime_error& fehler) {
        EXPECT_EQ(std::string(fehler.what()).rfind("Server beendet beim Start: ", 0), 0u) << fehler.what();
    }
    std::filesystem::remove_all(ordner);
}

TEST(PrivaterServer, TwoComputerPlayersMeetOnItAndEndWithTheirOwner) {
    const std::filesystem::path ordner = std::filesystem::current_path() / "privat-spiel";
    std::filesystem::remove_all(ordner);
    // The computer players keep their passwords in the configuration folder: here the test's own.
    const test::Umgebung konfiguration("XDG_CONFIG_HOME", (ordner / "konfiguration").string());
    pid_t pids[3] = {-1, -1, -1};
    {
        PrivaterServer server(QZ_SERVER_PROGRAMM, ordner);
        // The channel's host stands in for the player, who creates the channel in the game.
        Kindprozess gastgeber(QZ_BOT_PROGRAMM,
                              {"--server", server.adresse(), "--channel", "duell", "--channel-password", "geheim",
                               "--name", "gastgeber", "--create", "2", "--level", "leicht"},
                              ordner / "gastgeber.log", {std::string(kSchluesselVariable) + "=" + server.schluessel()});
        // Generous: under the sanitizers three instrumented programs share the machine here.
        const auto ende = std::chrono::steady_clock::now() + std::chrono::seconds(120);
        const std::string sitzungZeile = "channel duell has session ";
        while (dateiInhalt(ordner / "gastgeber.log").find(sitzungZeile) == std::string::npos &&
               std::chrono::steady_clock::now() < ende) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        const std::string log = dateiInhalt(ordner / "gastgeber.log");
        const std::size_t von = log.find(sitzungZeile);
        ASSERT_NE(von, std::string::npos) << log;
        const std::string sitzung = log.substr(von + sitzungZeile.size(), log.find('\n', von) - von - sitzungZeile.size());
        Kindprozess gast = starteComputerspieler(QZ_BOT_PROGRAMM, server.adresse(), sitzung, "schwer", "gast",
                                                 ordner / "gast.log", server.schluessel());
        pids[0] = server.kennung();
        pids[1] = gastgeber.kennung();
        pids[2] = gast.kennung();
        const auto beginnt = [&](const char* log) {
            return dateiInhalt(ordner / log).find("the game begins") != std::string::npos;
        };
        while (!(beginnt("gastgeber.log") && beginnt("gast.log")) && std::chrono::steady_clock::now() < ende) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        EXPECT_TRUE(beginnt("gastgeber.log")) << dateiInhalt(ordner / "gastgeber.log");
        EXPECT_TRUE(beginnt("gast.log")) << dateiInhalt(ordner / "gast.log");
        EXPECT_NE(dateiInhalt(ordner / "gast.log").find("joins channel duell"), std::string::npos);
        EXPECT_NE(dateiInhalt(ordner / "konfiguration" / "qz" / "qz-bot.conf").find("gast "), std::string::npos);
    }
    for (const pid_t pid : pids) {
        EXPECT_GT(pid, 0);
        EXPECT_FALSE(gibtEs(pid));
    }
    std::filesystem::remove_all(ordner);
}

// Leaving the lobby must not wait on a computer player whose request hangs on a silent
// server: at SIGTERM it cuts its round trip off and ends on its own terms at once, long before
// the round trip's own timeout.
TEST(Computerspieler, EndsAtOnceWhenAskedWhileItsServerIsSilent) {
    const int lauscher = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in adresse{};
    adresse.sin_family = AF_INET;
    adresse.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t laenge = sizeof adresse;
    ASSERT_EQ(bind(lauscher, reinterpret_cast<sockaddr*>(&adresse), laenge), 0);
    ASSERT_EQ(listen(lauscher, 4), 0);
    getsockname(lauscher, reinterpret_cast<sockaddr*>(&adresse), &laenge);
    const std::string log = (std::filesystem::current_path() / "still.log").string();
    Kindprozess bot = starteComputerspieler(QZ_BOT_PROGRAMM, "127.0.0.1:" + std::to_string(ntohs(adresse.sin_port)),
                                            "abc123", "leicht", "still", log);
    // The bot's first request arrives and is never answered.
    timeval warten{60, 0};
    setsockopt(lauscher, SOL_SOCKET, SO_RCVTIMEO, &warten, sizeof warten);
    const int verbindung = accept4(lauscher, nullptr, nullptr, SOCK_CLOEXEC);
    ASSERT_GE(verbindung, 0);
    char anfang[16];
    ASSERT_GT(recv(verbindung, anfang, sizeof anfang, 0), 0);
    EXPECT_TRUE(bot.beenden(std::chrono::seconds(20))) << "killed, or ended with an error";
    close(verbindung);
    close(lauscher);
    std::filesystem::remove(log);
}

}  // namespace
}  // namespace qz

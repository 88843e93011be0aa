#include "multiplayer/private/privater_server.hpp"

#include "platform/datei.hpp"
#include "platform/folders.hpp"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>
#include <thread>

namespace qz {

namespace {

std::string dateiInhalt(const std::filesystem::path& datei) {
    std::ifstream in(datei);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::optional<std::filesystem::path> ersterVorhandener(const std::vector<std::filesystem::path>& kandidaten) {
    for (const std::filesystem::path& k : kandidaten) {
        std::error_code fehler;
        if (std::filesystem::is_regular_file(k, fehler)) return k;
    }
    return std::nullopt;
}

std::vector<std::filesystem::path> kandidaten(const char* name, const char* relativ, const char* installiert) {
    std::vector<std::filesystem::path> liste;
    const std::filesystem::path hier = executableFolder();
    if (!hier.empty()) {
        liste.push_back(hier / programmName(name));
        liste.push_back((hier / relativ / programmName(name)).lexically_normal());
    }
    liste.push_back(std::filesystem::path(installiert) / programmName(name));
    return liste;
}

// 128 random bits as 32 hexadecimal digits, new for every game.
std::string zufallsSchluessel() {
    std::random_device zufall;
    std::string text;
    for (int i = 0; i < 4; ++i) {
        char teil[9];
        std::snprintf(teil, sizeof teil, "%08x", static_cast<unsigned>(zufall()));
        text += teil;
    }
    return text;
}

// A file of a name no other start uses, for the server to write its port into; removed with
// the object.
struct PortDatei {
    std::filesystem::path pfad;
    explicit PortDatei(const std::filesystem::path& ordner) {
        const std::optional<std::filesystem::path> neu = neueDatei(ordner, "privater-server-port-");
        if (!neu) throw std::runtime_error("Keine Portdatei in " + ordner.string());
        pfad = *neu;
    }
    ~PortDatei() {
        std::error_code egal;
        std::filesystem::remove(pfad, egal);
    }
    PortDatei(const PortDatei&) = delete;
    PortDatei& operator=(const PortDatei&) = delete;
};

}  // namespace

PrivaterServer::PrivaterServer(const std::filesystem::path& programm, const std::filesystem::path& ordner,
                               std::chrono::milliseconds frist) {
    std::filesystem::create_directories(ordner);
    // Every game starts on a fresh database. A private game never outlives its session (leaving
    // ends the computer players), so an old database holds only logins, and those can no longer
    // log in once their kept passwords are lost (a deleted configuration file): the next login
    // of the name would be refused for good. A damaged file would stop the server for good.
    // Only while no other copy of the game plays on this folder's server: each running one holds
    // a shared lock, and the database is removed only under the exclusive one.
    sperre_.emplace(ordner / "privater-server.lock");
    if (sperre_->exklusiv(false)) {
        for (const char* endung : {"", "-wal", "-shm", "-journal"}) {
            const std::filesystem::path datei = ordner / ("privater-server.db" + std::string(endung));
            std::error_code fehler;
            if (std::filesystem::is_regular_file(datei, fehler)) std::filesystem::remove(datei, fehler);
        }
    }
    sperre_->geteilt();
    const std::filesystem::path protokoll = ordner / "privater-server.log";
    const std::size_t anfang = dateiInhalt(protokoll).size();
    schluessel_ = zufallsSchluessel();
    // Its port comes in a file of its own: the log is shared with a second copy of the game
    // starting its server at the same moment, whose port line could come first.
    const PortDatei portDatei(ordner);
    // The admin listener stays off (a fixed port would clash between two games on one
    // machine), and the registration limit admits the player and three computer players.
    prozess_ = Kindprozess(programm,
                           {"--bind", "127.0.0.1", "--port", "0", "--port-file", portDatei.pfad.string(), "--db",
                            (ordner / "privater-server.db").string(), "--threads", "2", "--admin-listen", "off",
                            "--max-registrations", "20"},
                           protokoll, {std::string(kSchluesselVariable) + "=" + schluessel_});
    const auto ende = std::chrono::steady_clock::now() + frist;
    while (std::chrono::steady_clock::now() < ende) {
        const std::string text = dateiInhalt(portDatei.pfad);
        if (!text.empty() && text.back() == '\n') {
            port_ = std::stoi(text);
            return;
        }
        if (!prozess_.laeuft()) throw std::runtime_error("Server beendet beim Start: " + dateiInhalt(protokoll).substr(anfang));
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    prozess_.beenden();
    throw std::runtime_error("Server antwortet nicht: " + programm.string());
}

std::filesystem::path privaterServerOrdner() { return xdgDataHome() / "qz" / "privater-server"; }

std::optional<std::filesystem::path> serverProgramm() {
    return ersterVorhandener(kandidaten("qz-server", QZ_SERVER_FROM_GAMES, QZ_INSTALLED_SERVER_DIR));
}

std::optional<std::filesystem::path> computerspielerProgramm() {
    return ersterVorhandener(kandidaten("qz-bot", ".", QZ_INSTALLED_BOT_DIR));
}

Kindprozess starteComputerspieler(const std::filesystem::path& programm, const std::string& server,
                                  const std::string& sitzung, const std::string& stufe, const std::string& name,
                                  const std::filesystem::path& protokoll, const std::string& schluessel) {
    std::vector<std::string> umgebung;
    if (!schluessel.empty()) umgebung.push_back(std::string(kSchluesselVariable) + "=" + schluessel);
    return Kindprozess(programm, {"--server", server, "--session", sitzung, "--level", stufe, "--name", name},
                       protokoll, umgebung);
}

}  // namespace qz

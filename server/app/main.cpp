// qz-server: serves QZ multiplayer games over HTTP, keeping everything in SQLite or in
// PostgreSQL, where several instances may share one database.
#include "protocol/command_handler.hpp"
#include "http/http_server.hpp"
#include "base/log.hpp"
#include "net/md5.hpp"
#include "app/options.hpp"
#include "base/code_page_437.hpp"
#include "base/text_checks.hpp"

#ifdef _WIN32
#include <windows.h>
#else
#include <termios.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <charconv>
#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <stdexcept>
#include <thread>

using namespace qz::server;

namespace {

#ifdef _WIN32
// The console's echo of typed characters, off while a password is typed (and on again after).
class QuietInput {
public:
    QuietInput() : input_(GetStdHandle(STD_INPUT_HANDLE)) {
        terminal_ = GetConsoleMode(input_, &saved_) != 0;
        if (terminal_) SetConsoleMode(input_, saved_ & ~static_cast<DWORD>(ENABLE_ECHO_INPUT));
    }
    ~QuietInput() {
        if (terminal_) SetConsoleMode(input_, saved_);
    }
    QuietInput(const QuietInput&) = delete;
    QuietInput& operator=(const QuietInput&) = delete;
    bool terminal() const { return terminal_; }

private:
    HANDLE input_;
    DWORD saved_ = 0;
    bool terminal_ = false;
};
#else
class QuietInput {
public:
    QuietInput() : terminal_(isatty(STDIN_FILENO) != 0) {
        if (!terminal_) return;
        tcgetattr(STDIN_FILENO, &saved_);
        termios quiet = saved_;
        quiet.c_lflag &= static_cast<tcflag_t>(~ECHO);
        tcsetattr(STDIN_FILENO, TCSAFLUSH, &quiet);
    }
    ~QuietInput() {
        if (terminal_) tcsetattr(STDIN_FILENO, TCSAFLUSH, &saved_);
    }
    QuietInput(const QuietInput&) = delete;
    QuietInput& operator=(const QuietInput&) = delete;
    bool terminal() const { return terminal_; }

private:
    bool terminal_;
    termios saved_{};
};
#endif

// One line from standard input; on a terminal it is asked for and not echoed.
std::string readPassword() {
    std::string line;
    {
        const QuietInput quiet;
        if (quiet.terminal()) std::fputs("Passwort: ", stderr);
        std::getline(std::cin, line);
        if (quiet.terminal()) std::fputs("\n", stderr);
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty()) throw std::invalid_argument("no password given on standard input");
    return line;
}

// The operator's terminal speaks UTF-8, the game code page 437: names travel as its bytes,
// and the digest a login sends covers the password's bytes in it. A character the game
// cannot type would make an account nobody can reach.
std::string fromTerminal(const std::string& text, const std::string& what) {
    std::string bytes = utf8ToCp437(text);
    if (cp437ToUtf8(bytes) != text) {
        throw std::invalid_argument(what + " holds a character the game cannot type (code page 437): " + text);
    }
    return bytes;
}

std::string accountName(const Options& options) {
    std::string name = fromTerminal(options.userName, "the name");
    requireName(name, "Benutzername");
    return name;
}

int addUser(const Options& options) {
    const std::string name = accountName(options);
    const std::string password =
        fromTerminal(options.password.empty() ? readPassword() : options.password, "the password");
    Storage storage(options.database, 1);
    AccountBook accounts(storage, options.hashCost);
    // The game sends the MD5 of the password, so that is what the credential protects.
    accounts.add(name, qz::md5UpperHex(password));
    logLine(LogLevel::info, "account added name=" + options.userName);
    return 0;
}

// The port, for the program that started this server with --port 0: written beside and renamed
// into place, so a reader never finds half a number.
void writePortFile(const std::string& path, int port) {
    const std::string written = path + ".neu";
    {
        std::ofstream out(written, std::ios::trunc);
        out << port << '\n';
        if (!out.flush()) throw std::runtime_error("cannot write the port file " + written);
    }
    std::error_code error;
    std::filesystem::rename(written, path, error);
    if (error) throw std::runtime_error("cannot write the port file " + path + ": " + error.message());
}

// A game day lasts 5 s of server time.
constexpr double kDaySeconds = 5;

int listGames(const Options& options) {
    Storage storage(options.database, 1);
    const double now = serverClock();
    const std::vector<GameSummary> games = storage.runningGames();
    // Names are code page 437 bytes; the operator's terminal shows UTF-8.
    for (const GameSummary& game : games) {
        std::string players;
        for (const std::string& name : game.players) {
            players += (players.empty() ? "" : ", ") + (name.empty() ? "-" : cp437ToUtf8(name));
        }
        const long long days = static_cast<long long>(std::max(0.0, now - game.startedAt) / kDaySeconds);
        std::printf("%s  %s  day %lld  players: %s\n", game.sessionId.c_str(), cp437ToUtf8(game.name).c_str(), days,
                    players.c_str());
    }
    std::printf("%zu running game%s\n", games.size(), games.size() == 1 ? "" : "s");
    return 0;
}

// Time as the operator reads it: UTC, to the second.
std::string utcTime(double at) {
    const std::time_t seconds = static_cast<std::time_t>(at);
    std::tm parts{};
    gmtime_r(&seconds, &parts);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &parts);
    return text;
}

int listRecordings(const Options& options) {
    Storage storage(options.database, 1);
    const std::vector<RecordingSummary> recordings = storage.recordings();
    for (const RecordingSummary& r : recordings) {
        std::string players;
        for (const std::string& name : r.players) {
            players += (players.empty() ? "" : ", ") + (name.empty() ? "-" : cp437ToUtf8(name));
        }
        const long long minutes = static_cast<long long>(r.lengthSeconds / 60);
        std::printf("%lld  %s  players: %s  start %s UTC  length %lld:%02lld h  %lld bytes\n", r.id,
                    cp437ToUtf8(r.channel).c_str(), players.c_str(), utcTime(r.startedAt).c_str(), minutes / 60,
                    minutes % 60, r.bytes);
    }
    std::printf("%zu recording%s\n", recordings.size(), recordings.size() == 1 ? "" : "s");
    return 0;
}

int exportRecording(const Options& options) {
    long long id = 0;
    const std::string& text = options.recordingId;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), id);
    Storage storage(options.database, 1);
    const std::optional<qz::replay::Recording> recording =
        error == std::errc() && end == text.data() + text.size() ? storage.loadRecording(id) : std::nullopt;
    if (!recording || recording->entries.empty()) {
        logLine(LogLevel::error, "no such recording: " + text);
        return 1;
    }
    qz::replay::writeQzrFile(options.exportFile, *recording);
    logLine(LogLevel::info, "recording " + text + " written to " + options.exportFile);
    return 0;
}

// The operator's changes take effect on every instance at the affected player's next request.
int changeStored(const Options& options) {
    const std::string name = options.mode == Options::Mode::closeChannel ? std::string() : accountName(options);
    Storage storage(options.database, 1);
    bool found = false;
    std::string done;
    switch (options.mode) {
    case Options::Mode::closeChannel:
        found = storage.closeChannel(options.channelId);
        done = "channel closed id=" + options.channelId;
        break;
    case Options::Mode::banUser: {
        // Without --hours the ban lasts until it is lifted.
        const double until = options.banHours > 0 ? serverClock() + options.banHours * 3600.0 : kBannedForever;
        found = storage.banAccount(name, until);
        done = "account banned name=" + options.userName +
               (options.banHours > 0 ? " hours=" + std::to_string(options.banHours) : std::string(" until unbanned"));
        break;
    }
    case Options::Mode::unbanUser:
        found = storage.banAccount(name, 0);
        done = "account unbanned name=" + options.userName;
        break;
    default:
        found = storage.deleteAccount(name);
        done = "account deleted name=" + options.userName;
        break;
    }
    if (!found) {
        logLine(LogLevel::error, options.mode == Options::Mode::closeChannel ? "no such channel: " + options.channelId
                                                                             : "no such account: " + options.userName);
        return 1;
    }
    logLine(LogLevel::info, done);
    return 0;
}

int serve(const Options& options) {
    Storage storage(options.database, options.databasePool);
    ServerConfig config;
    config.registrationOpen = !options.closedRegistration;
    config.hashCost = options.hashCost;
    config.gameIdleSeconds = options.gameIdleHours * 3600.0;
    config.shipBytesTotal = static_cast<std::size_t>(options.shipMemoryMegabytes) << 20;
    config.keepRecordingsSeconds = options.keepRecordingsDays * 86400.0;
    config.maxSpectators = options.maxSpectators;
    config.perAddress.failedLoginsPerMinute = options.failedLoginsPerMinute;
    config.perAddress.loginsPerMinute = options.loginsPerMinute;
    config.perAddress.loginsPerNamePerMinute = options.loginsPerNamePerMinute;
    config.perAddress.registrationsPerHour = options.registrationsPerHour;
    config.perAddress.channelCreationsPerHour = options.channelCreationsPerHour;
    config.perAddress.openChannels = options.openChannelsPerAddress;
    CommandHandler handler(storage, config, serverClock());
    HttpSettings settings;
    settings.bindAddress = options.bindAddress;
    settings.port = options.port;
    const unsigned cores = std::thread::hardware_concurrency();
    settings.threads = options.threads > 0 ? options.threads : static_cast<int>(cores > 0 ? cores : 1);
    settings.readTimeoutSeconds = options.readTimeoutSeconds;
    settings.bindPrefix = options.bindPrefix;
    settings.trustedProxy = options.trustedProxy;
    settings.maxConnections = options.maxConnections;
    settings.maxConnectionsPerAddress = options.maxConnectionsPerAddress;
    settings.hashThreads = options.hashThreads;
    settings.hashQueue = options.hashQueue;
    // The key of a private server comes through the environment, which only its own account
    // can read, never the command line, which every account sees in the process list.
    if (const char* key = std::getenv(kAccessKeyVariable); key != nullptr && key[0] != '\0') {
        settings.accessKey = key;
        if (settings.accessKey.size() < kAccessKeyMinimum) {
            throw std::invalid_argument(std::string(kAccessKeyVariable) + " needs at least " +
                                        std::to_string(kAccessKeyMinimum) + " characters");
        }
    }
    if (options.adminListen) {
        settings.admin = AdminSettings{options.adminAddress, options.adminPort};
    } else {
        settings.admin.reset();
    }
    HttpServer server(handler, settings);
    if (!options.portFile.empty()) writePortFile(options.portFile, server.port());
    logLine(LogLevel::info, std::string("database ") +
                                (storage.engine() == Engine::postgres ? "PostgreSQL" : options.database) +
                                " registration " + (config.registrationOpen ? "open" : "closed") + " threads " +
                                std::to_string(settings.threads) +
                                (settings.accessKey.empty() ? "" : " private (requests need the key)"));
    server.run();
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        const Options options = parseOptions(std::vector<std::string>(argv + 1, argv + argc));
        setLogLevel(options.logLevel);
        switch (options.mode) {
        case Options::Mode::help: std::fputs(helpText().c_str(), stdout); return 0;
        case Options::Mode::addUser: return addUser(options);
        case Options::Mode::serve: return serve(options);
        case Options::Mode::listGames: return listGames(options);
        case Options::Mode::listRecordings: return listRecordings(options);
        case Options::Mode::exportRecording: return exportRecording(options);
        case Options::Mode::closeChannel:
        case Options::Mode::banUser:
        case Options::Mode::unbanUser:
        case Options::Mode::deleteUser: return changeStored(options);
        }
    } catch (const std::exception& error) {
        logLine(LogLevel::error, error.what());
        return 1;
    }
    return 0;
}

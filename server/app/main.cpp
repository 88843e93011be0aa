// qz-server: serves QZ multiplayer games over HTTP, keeping everything in SQLite or in
// PostgreSQL, where several instances may share one database.
#include "protocol/command_handler.hpp"
#include "http/http_server.hpp"
#include "base/log.hpp"
#include "net/md5.hpp"
#include "app/options.hpp"
#include "base/code_page_437.hpp"
#include "base/text_checks.hpp"

#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <iostream>
#include <stdexcept>
#include <thread>

using namespace qz::server;

namespace {

// One line from standard input; on a terminal it is asked for and not echoed.
std::string readPassword() {
    const bool terminal = isatty(STDIN_FILENO) != 0;
    termios saved{};
    if (terminal) {
        std::fputs("Passwort: ", stderr);
        tcgetattr(STDIN_FILENO, &saved);
        termios quiet = saved;
        quiet.c_lflag &= static_cast<tcflag_t>(~ECHO);
        tcsetattr(STDIN_FILENO, TCSAFLUSH, &quiet);
    }
    std::string line;
    std::getline(std::cin, line);
    if (terminal) {
        tcsetattr(STDIN_FILENO, TCSAFLUSH, &saved);
        std::fputs("\n", stderr);
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty()) throw std::invalid_argument("no password given on standard input");
    return line;
}

int addUser(const Options& options) {
    requireName(options.userName, "Benutzername");
    const std::string password = options.password.empty() ? readPassword() : options.password;
    Storage storage(options.database, 1);
    AccountBook accounts(storage, options.hashCost);
    // The game sends the MD5 of the password, so that is what the credential protects.
    accounts.add(options.userName, qz::md5UpperHex(password));
    logLine(LogLevel::info, "account added name=" + options.userName);
    return 0;
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

// The operator's changes take effect on every instance at the affected player's next request.
int changeStored(const Options& options) {
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
        found = storage.banAccount(options.userName, until);
        done = "account banned name=" + options.userName +
               (options.banHours > 0 ? " hours=" + std::to_string(options.banHours) : std::string(" until unbanned"));
        break;
    }
    case Options::Mode::unbanUser:
        found = storage.banAccount(options.userName, 0);
        done = "account unbanned name=" + options.userName;
        break;
    default:
        found = storage.deleteAccount(options.userName);
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

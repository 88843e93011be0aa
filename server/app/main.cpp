// qz-server: serves QZ multiplayer games over HTTP, keeping everything in SQLite or in
// PostgreSQL, where several instances may share one database.
#include "protocol/command_handler.hpp"
#include "http/http_server.hpp"
#include "base/log.hpp"
#include "base/md5.hpp"
#include "app/options.hpp"
#include "base/text_checks.hpp"

#include <termios.h>
#include <unistd.h>

#include <cstdio>
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
    accounts.add(options.userName, md5UpperHex(password));
    logLine(LogLevel::info, "account added name=" + options.userName);
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
    HttpServer server(handler, settings);
    logLine(LogLevel::info, std::string("database ") +
                                (storage.engine() == Engine::postgres ? "PostgreSQL" : options.database) +
                                " registration " + (config.registrationOpen ? "open" : "closed") + " threads " +
                                std::to_string(settings.threads));
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
        }
    } catch (const std::exception& error) {
        logLine(LogLevel::error, error.what());
        return 1;
    }
    return 0;
}

#include "app/options.hpp"

#include "http/client_address.hpp"
#include "base/number_list.hpp"

#include <stdexcept>

namespace qz::server {

namespace {

const std::string& valueAfter(const std::vector<std::string>& arguments, std::size_t& i) {
    if (i + 1 >= arguments.size()) throw std::invalid_argument(arguments[i] + " needs a value");
    return arguments[++i];
}

int numberAfter(const std::vector<std::string>& arguments, std::size_t& i, int low, int high) {
    const std::string& name = arguments[i];
    const std::optional<int> value = parseInt(valueAfter(arguments, i));
    if (!value || *value < low || *value > high) {
        throw std::invalid_argument(name + " needs a number from " + std::to_string(low) + " to " +
                                    std::to_string(high));
    }
    return *value;
}

HashCost costNamed(const std::string& name) {
    if (name == "interactive") return HashCost::interactive;
    if (name == "moderate") return HashCost::moderate;
    if (name == "minimum") return HashCost::minimum;
    throw std::invalid_argument("--hash-cost is interactive, moderate or minimum");
}

LogLevel levelNamed(const std::string& name) {
    if (name == "debug") return LogLevel::debug;
    if (name == "info") return LogLevel::info;
    if (name == "warn") return LogLevel::warn;
    if (name == "error") return LogLevel::error;
    throw std::invalid_argument("--log-level is debug, info, warn or error");
}

// "ADDRESS:PORT" ("[ADDRESS]:PORT" for IPv6) or "off".
void readAdminListen(const std::string& text, Options& options) {
    if (text == "off") {
        options.adminListen = false;
        return;
    }
    const std::size_t colon = text.rfind(':');
    const std::optional<int> port = colon == std::string::npos ? std::nullopt : parseInt(text.substr(colon + 1));
    std::string address = colon == std::string::npos ? std::string() : text.substr(0, colon);
    if (address.size() > 2 && address.front() == '[' && address.back() == ']') {
        address = address.substr(1, address.size() - 2);
    }
    if (!port || *port < 0 || *port > 65535 || !addressPrefix(address, {32, 128})) {
        throw std::invalid_argument("--admin-listen needs ADDRESS:PORT (e.g. 127.0.0.1:9480) or off");
    }
    options.adminListen = true;
    options.adminAddress = address;
    options.adminPort = *port;
}

}  // namespace

Options parseOptions(const std::vector<std::string>& arguments) {
    Options options;
    std::vector<std::string> words;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& a = arguments[i];
        if (a == "--help" || a == "-h") {
            options.mode = Options::Mode::help;
        } else if (a == "--port") {
            options.port = numberAfter(arguments, i, 0, 65535);
        } else if (a == "--port-file") {
            options.portFile = valueAfter(arguments, i);
        } else if (a == "--bind") {
            options.bindAddress = valueAfter(arguments, i);
        } else if (a == "--db") {
            options.database = valueAfter(arguments, i);
        } else if (a == "--db-pool") {
            options.databasePool = numberAfter(arguments, i, 1, 256);
        } else if (a == "--threads") {
            options.threads = numberAfter(arguments, i, 1, 256);
        } else if (a == "--read-timeout") {
            options.readTimeoutSeconds = numberAfter(arguments, i, 1, 3600);
        } else if (a == "--bind-prefix") {
            options.bindPrefix.v4 = numberAfter(arguments, i, 1, 32);
        } else if (a == "--bind-prefix-v6") {
            options.bindPrefix.v6 = numberAfter(arguments, i, 1, 128);
        } else if (a == "--trust-proxy") {
            const std::optional<std::string> proxy = addressPrefix(valueAfter(arguments, i), {32, 128});
            if (!proxy) throw std::invalid_argument("--trust-proxy needs an IPv4 or IPv6 address");
            options.trustedProxy = *proxy;
        } else if (a == "--max-connections") {
            options.maxConnections = numberAfter(arguments, i, 1, 1000000);
        } else if (a == "--max-connections-per-address") {
            options.maxConnectionsPerAddress = numberAfter(arguments, i, 1, 1000000);
        } else if (a == "--hash-threads") {
            options.hashThreads = numberAfter(arguments, i, 1, 64);
        } else if (a == "--hash-queue") {
            options.hashQueue = numberAfter(arguments, i, 1, 100000);
        } else if (a == "--max-failed-logins") {
            options.failedLoginsPerMinute = numberAfter(arguments, i, 1, 1000000);
        } else if (a == "--max-logins") {
            options.loginsPerMinute = numberAfter(arguments, i, 1, 1000000);
        } else if (a == "--max-logins-per-name") {
            options.loginsPerNamePerMinute = numberAfter(arguments, i, 1, 1000000);
        } else if (a == "--max-registrations") {
            options.registrationsPerHour = numberAfter(arguments, i, 0, 1000000);
        } else if (a == "--max-channel-creations") {
            options.channelCreationsPerHour = numberAfter(arguments, i, 0, 1000000);
        } else if (a == "--max-open-channels") {
            options.openChannelsPerAddress = numberAfter(arguments, i, 0, 1000000);
        } else if (a == "--game-idle-hours") {
            options.gameIdleHours = numberAfter(arguments, i, 1, 24 * 366);
        } else if (a == "--ship-memory-mb") {
            options.shipMemoryMegabytes = numberAfter(arguments, i, 1, 1024 * 1024);
        } else if (a == "--keep-recordings") {
            options.keepRecordingsDays = numberAfter(arguments, i, 0, 366 * 100);
        } else if (a == "--max-spectators") {
            options.maxSpectators = numberAfter(arguments, i, 0, 100000);
        } else if (a == "--closed-registration") {
            options.closedRegistration = true;
        } else if (a == "--hash-cost") {
            options.hashCost = costNamed(valueAfter(arguments, i));
        } else if (a == "--admin-listen") {
            readAdminListen(valueAfter(arguments, i), options);
        } else if (a == "--hours") {
            options.banHours = numberAfter(arguments, i, 1, 24 * 366 * 100);
        } else if (a == "--log-level") {
            options.logLevel = levelNamed(valueAfter(arguments, i));
        } else if (!a.empty() && a[0] == '-') {
            throw std::invalid_argument("unknown option " + a + " (see --help)");
        } else {
            words.push_back(a);
        }
    }
    if (options.mode == Options::Mode::help) return options;
    if (words.empty()) return options;
    if ((words.size() == 3 || words.size() == 4) && words[0] == "user" && words[1] == "add") {
        options.mode = Options::Mode::addUser;
        options.userName = words[2];
        if (words.size() == 4) options.password = words[3];
        return options;
    }
    if (words.size() == 1 && words[0] == "games") {
        options.mode = Options::Mode::listGames;
        return options;
    }
    if (words.size() == 1 && words[0] == "recordings") {
        options.mode = Options::Mode::listRecordings;
        return options;
    }
    if (words.size() == 4 && words[0] == "recording" && words[1] == "export") {
        options.mode = Options::Mode::exportRecording;
        options.recordingId = words[2];
        options.exportFile = words[3];
        return options;
    }
    if (words.size() == 3 && words[0] == "channel" && words[1] == "close") {
        options.mode = Options::Mode::closeChannel;
        options.channelId = words[2];
        return options;
    }
    if (words.size() == 3 && words[0] == "user" && (words[1] == "ban" || words[1] == "unban" || words[1] == "delete")) {
        options.mode = words[1] == "ban"     ? Options::Mode::banUser
                       : words[1] == "unban" ? Options::Mode::unbanUser
                                             : Options::Mode::deleteUser;
        options.userName = words[2];
        return options;
    }
    throw std::invalid_argument("unknown command (see --help); accounts are added with: user add NAME");
}

std::string helpText() {
    return R"(qz-server: the central server of QZ multiplayer games.

Usage:
  qz-server [options]                      serve games
  qz-server [options] user add NAME        add an account (or set its password) and exit;
                                           the password is read from standard input
                                           (without echo on a terminal), so it stays out
                                           of the process list and the shell history
  qz-server [options] user ban NAME [--hours N]
                                           refuse the account's logins ("Gesperrt") and end
                                           its running session, for N hours or until unbanned
  qz-server [options] user unban NAME      lift a ban
  qz-server [options] user delete NAME     remove the account and its login
  qz-server [options] games                list the running games: id, name, day, players
  qz-server [options] channel close ID     close a channel (lobby or game) at once
  qz-server [options] recordings           list the recorded games: id, channel, players,
                                           start, length, size
  qz-server [options] recording export ID FILE
                                           write one recorded game to FILE (.qzr)

Options:
  --port N               TCP port to listen on (default 80; 0 picks a free one)
  --port-file FILE       write the port to FILE once listening (for --port 0)
  --bind ADDRESS         address to listen on (default 0.0.0.0, all IPv4 interfaces)
  --db FILE              SQLite database with accounts and games (default qz-server.db)
  --db postgresql://USER@HOST/NAME
                         PostgreSQL database instead (a libpq connection URL); several
                         instances may share it behind a TCP balancer
  --db-pool N            PostgreSQL connections of this instance (default 4)
  --threads N            worker threads (default: one per processor core)
  --read-timeout S       seconds a client has to send its whole request (default 10)
  --closed-registration  refuse logins of unknown names instead of registering them
  --bind-prefix N        a login speaks for its name from the first N bits of its IPv4
                         address (default 32: the exact address); the per-address rules
                         and the connection cap count by the same prefix
  --bind-prefix-v6 N     the same for IPv6 addresses (default 64: one household's block)
  --trust-proxy ADDRESS  a reverse proxy at ADDRESS: take the client address of its
                         connections from the last entry of X-Forwarded-For
  --max-connections N    connections held at once (default 1024)
  --max-connections-per-address N
                         connections from one address at once (default 64)
  --hash-threads N       threads computing password hashes for logins (default 1;
                         each needs 64 MiB while it works)
  --hash-queue N         logins waiting for a hash thread (default 16; more get
                         "Server ausgelastet", and one address never holds more than 4)
  --max-failed-logins N  failed logins per address and minute (default 20)
  --max-logins N         successful logins per address and minute (default 10)
  --max-logins-per-name N
                         successful logins per name and minute (default 5)
  --max-registrations N  new accounts per address and hour (default 5)
  --max-channel-creations N
                         new channels per address and hour (default 10)
  --max-open-channels N  open channels created from one address at once (default 3)
  --game-idle-hours N    a started game nobody polls is kept this long (default 24);
                         a lobby closes 5 minutes after it became empty
  --ship-memory-mb N     memory all players' ship lists may take together (default 1024;
                         one channel may take 8)
  --keep-recordings DAYS every running game is recorded; recordings whose last change
                         is older are deleted (default 30; 0: record nothing)
  --max-spectators N     spectators of one running game at once (default 16; they see
                         it from its recording, so with --keep-recordings 0 nobody can)
  --hash-cost LEVEL      work of the password hash for new credentials:
                         interactive (default), moderate or minimum (tests only)
  --admin-listen ADDRESS:PORT
                         the operator's listener with GET /health and GET /metrics
                         (Prometheus), never on the players' port (default
                         127.0.0.1:9480; off: none)
  --log-level LEVEL      debug, info (default), warn or error; logs go to standard error
  -h, --help             show this text

Environment:
  QZ_SERVER_KEY          a private server: every request must carry this key (at least
                         16 characters) in the header X-QZ-Key, else it is refused with
                         "Kein Zugang" (the game's own server for a game against the
                         computer, which other accounts on the machine must not reach)

The game posts to /games/qz/datenabfrage.php; every other path gets 404.
)";
}

}  // namespace qz::server

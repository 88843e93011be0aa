// The command line of qz-server.
#pragma once

#include "http/client_address.hpp"
#include "storage/credentials.hpp"
#include "base/limits.hpp"
#include "base/log.hpp"

#include <string>
#include <vector>

namespace qz::server {

// The environment variable with a private server's key (HttpSettings::accessKey), and the
// key's shortest length.
inline constexpr const char* kAccessKeyVariable = "QZ_SERVER_KEY";
inline constexpr std::size_t kAccessKeyMinimum = 16;

struct Options {
    enum class Mode { serve, addUser, help, listGames, closeChannel, banUser, unbanUser, deleteUser, listRecordings,
                      exportRecording } mode = Mode::serve;
    std::string bindAddress = "0.0.0.0";
    int port = 80;
    std::string database = "qz-server.db";
    int databasePool = 4;  // PostgreSQL connections per instance
    int threads = 0;  // 0: one per processor core
    int readTimeoutSeconds = 10;
    bool closedRegistration = false;
    AddressPrefix bindPrefix;
    std::string trustedProxy;  // normalised address text, empty: none
    int maxConnections = kMaxConnections;
    int maxConnectionsPerAddress = kMaxConnectionsPerAddress;
    int hashThreads = kHashThreads;
    int hashQueue = kHashQueue;
    int failedLoginsPerMinute = kFailedLoginsPerMinute;
    int loginsPerMinute = kLoginsPerMinute;
    int loginsPerNamePerMinute = kLoginsPerNamePerMinute;
    int registrationsPerHour = kRegistrationsPerHour;
    int channelCreationsPerHour = kChannelCreationsPerHour;
    int openChannelsPerAddress = kOpenChannelsPerAddress;
    int gameIdleHours = static_cast<int>(kGameIdleSeconds / 3600);
    int shipMemoryMegabytes = static_cast<int>(kShipBytesTotal >> 20);
    int keepRecordingsDays = static_cast<int>(kKeepRecordingsSeconds / 86400);  // 0: record nothing
    int maxSpectators = kMaxSpectators;
    HashCost hashCost = HashCost::interactive;
    LogLevel logLevel = LogLevel::info;
    bool adminListen = true;  // --admin-listen off: none
    std::string adminAddress = "127.0.0.1";
    int adminPort = 9480;
    std::string portFile;  // --port-file: where the bound port is written once listening
    int banHours = 0;  // user ban --hours N; 0: until unbanned
    std::string channelId;  // channel close
    std::string recordingId, exportFile;  // recording export ID FILE
    std::string userName;  // user add, ban, unban, delete
    std::string password;  // user add; empty: read from standard input
};

// Throws std::invalid_argument with a message for the operator.
Options parseOptions(const std::vector<std::string>& arguments);

std::string helpText();

}  // namespace qz::server

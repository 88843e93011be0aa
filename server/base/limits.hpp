// Every bound the server puts on what a client may send, and the fixed numbers of its rules.
#pragma once

#include <cstddef>

namespace qz::server {

inline constexpr std::size_t kMaxBodyBytes = 1024 * 1024;
inline constexpr std::size_t kMaxHeaderBytes = 16 * 1024;
inline constexpr int kReadTimeoutSeconds = 10;
inline constexpr std::size_t kMaxFormPairs = 256;

inline constexpr std::size_t kMaxNameCharacters = 15;
inline constexpr std::size_t kMaxChatCharacters = 80;
inline constexpr std::size_t kMaxListEntries = 20000;
inline constexpr std::size_t kMaxRouteDigits = 10000;
// A player's private block ("privat"): the client's own part of the game as base64 text,
// which the server keeps with the seat and hands back only to that login. Four players'
// blocks stay small beside their ship lists, and count towards the same memory bounds.
inline constexpr std::size_t kMaxPrivateBlockCharacters = 65536;
inline constexpr int kMaxStars = 500;
inline constexpr int kMinPlayers = 2;
inline constexpr int kMaxPlayers = 4;
inline constexpr int kColourCount = 8;
inline constexpr int kShipTypes = 8;
inline constexpr int kBackgroundCount = 13;
inline constexpr int kPlanetPictures = 18;  // planet types 1..18 show their own picture
inline constexpr int kHomePlanetType = 42;

inline constexpr double kSlotTimeoutSeconds = 60;
// A poll's time is written only when the stored one is older than this: the sweep goes by
// whole minutes, and a write per poll would cost every request a write transaction.
inline constexpr double kPollStoreSeconds = 5;
inline constexpr double kEmptyChannelSeconds = 300;  // a lobby nobody polls closes
// A ban without an end: far beyond any server clock, and exact in every engine's doubles.
inline constexpr double kBannedForever = 1e15;
inline constexpr double kGameIdleSeconds = 24 * 3600;  // a running game nobody polls (--game-idle-hours)
inline constexpr std::size_t kChatHistoryLines = 20;
inline constexpr double kKeepRecordingsSeconds = 30 * 24 * 3600;  // a game's recording (--keep-recordings)
inline constexpr std::size_t kMaxOpenChannels = 1000;
// The players' list of recordings holds the newest of the ended games; older ones stay for
// the operator's export.
inline constexpr std::size_t kListedRecordings = 100;
// A player fetches a recording in parts, each of about this many bytes of entries and at
// most so many entries: a part holds the server's thread about as long as a "spiel" reply
// does, whatever the length of the game, and stays far below the 64 MiB the game takes.
inline constexpr std::size_t kRecordingReplyBytes = 64 * 1024;
inline constexpr std::size_t kRecordingEntriesPerReply = 500;

// Spectators of a running game see it as it stood this long ago (the lobby's creator chooses;
// 0: none may watch), from its recording, so that nothing they see can still help a player.
inline constexpr int kSpectatorDelays[] = {0, 60, 300};
inline constexpr int kDefaultSpectatorDelay = 60;
inline constexpr int kMaxSpectators = 16;  // per game (--max-spectators)
// A spectator polls every 2 s; one silent this long gives its place to the next. Its poll is
// written only when the stored one is older than kPollStoreSeconds.
inline constexpr double kSpectatorTimeoutSeconds = 15;

// A login speaks for its name from its address for a day after the last request from there
// (refreshed at most once an hour); a cached answer is read again from storage after half a
// minute.
inline constexpr double kLoginBindingSeconds = 24 * 3600;
inline constexpr double kLoginRefreshSeconds = 3600;
inline constexpr double kLoginRecheckSeconds = 30;
// A login is bound to the exact IPv4 address (--bind-prefix) or to the IPv6 /64
// (--bind-prefix-v6), the block a provider gives one line; the connection cap per address
// counts by the same prefix.
inline constexpr int kDefaultBindPrefixV4 = 32;
inline constexpr int kDefaultBindPrefixV6 = 64;

// What one client address may do (each can be set on the command line). A typical player
// logs in a few times a day, registers once and hosts one game at a time.
inline constexpr int kFailedLoginsPerMinute = 20;
// Successful logins too, per address and per name: each costs a password hash, and valid
// logins sent over and over would otherwise fill the login queue for everybody. The game
// logs in once when multiplayer starts; a household behind one router logs in a few names.
inline constexpr int kLoginsPerMinute = 10;
inline constexpr int kLoginsPerNamePerMinute = 5;
inline constexpr int kRegistrationsPerHour = 5;
inline constexpr int kChannelCreationsPerHour = 10;
inline constexpr int kOpenChannelsPerAddress = 3;

// Connections held at once, in total and per client address (the game opens one at a time),
// and the logins waiting for their password hash: in total and per client address.
inline constexpr int kMaxConnections = 1024;
inline constexpr int kMaxConnectionsPerAddress = 64;
inline constexpr int kHashThreads = 1;
inline constexpr int kHashQueue = 16;
inline constexpr std::size_t kHashQueuePerAddress = 4;  // a whole channel behind one router
// When the process or the system runs out of descriptors, accepting waits this long.
inline constexpr int kAcceptBackOffMilliseconds = 50;

// Memory the players' ship lists may take: per channel (four players with a few thousand
// ships each take a fifth of it) and in total (--ship-memory-mb).
inline constexpr std::size_t kShipBytesPerChannel = 8 * 1024 * 1024;
inline constexpr std::size_t kShipBytesTotal = 1024 * 1024 * 1024;

inline constexpr int kAttackRounds = 3;
inline constexpr int kDamagePerHeavyBattleship = 25;
inline constexpr int kHeavyBattleshipType = 7;
inline constexpr int kServerChatSender = 5;

}  // namespace qz::server

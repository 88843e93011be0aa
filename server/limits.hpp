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
inline constexpr int kMaxStars = 500;
inline constexpr int kMinPlayers = 2;
inline constexpr int kMaxPlayers = 4;
inline constexpr int kColourCount = 8;
inline constexpr int kBackgroundCount = 13;

inline constexpr double kSlotTimeoutSeconds = 60;
inline constexpr double kEmptyChannelSeconds = 300;
inline constexpr std::size_t kChatHistoryLines = 20;
inline constexpr std::size_t kMaxOpenChannels = 1000;

// A login speaks for its name from its address for a day; a cached answer is read again
// from storage after half a minute.
inline constexpr double kLoginBindingSeconds = 24 * 3600;
inline constexpr double kLoginRecheckSeconds = 30;
// Without --bind-prefix a login is bound to the exact IPv4 address.
inline constexpr int kDefaultBindPrefix = 32;

inline constexpr int kAttackRounds = 3;
inline constexpr int kDamagePerHeavyBattleship = 25;
inline constexpr int kHeavyBattleshipType = 7;
inline constexpr int kServerChatSender = 5;

}  // namespace qz::server

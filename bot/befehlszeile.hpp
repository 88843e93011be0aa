// qz-bot's command line:
//   qz-bot --server HOST[:PORT] (--channel NAME [--channel-password P] | --session ID)
//          [--level leicht|mittel|schwer] [--name NAME] [--create SEATS [--seed N]] [--minutes N]
#pragma once

#include "bot/strategy/entscheidungen.hpp"
#include "net/server_address.hpp"

#include <optional>
#include <string>
#include <vector>

namespace qz {

inline constexpr const char* kBotAufruf =
    "qz-bot --server HOST[:PORT] (--channel NAME [--channel-password P] | --session ID) "
    "[--level leicht|mittel|schwer] [--name NAME] [--create SEATS [--seed N]] [--minutes N]";

struct BotEinstellungen {
    ServerAddress server;
    std::string kanal;
    std::string kanalPasswort;
    // --session: join exactly the channel of this session id (names are not unique: a
    // stranger's channel or an abandoned lobby may carry the same one).
    std::string sitzung;
    Stufe stufe = Stufe::mittel;
    std::string name = "Computer";
    int sitze = 0;            // --create: the channel's seats, 2..4; 0 joins an existing channel
    std::optional<long long> kartenSeed;  // --seed: the star map it creates; none: the clock's
    int sterne = 200;         // systems of a channel it creates, the lobby's first choice
    double minuten = 0.0;     // 0: no limit
    double fortSekunden = 600.0;  // every other seat announced gone this long ends the game
};

// The settings, or nothing with the reason in `fehler`.
std::optional<BotEinstellungen> befehlszeileLesen(const std::vector<std::string>& argumente, std::string& fehler);

}  // namespace qz

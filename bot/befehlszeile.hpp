// qz-bot's command line:
//   qz-bot --server HOST[:PORT] --channel NAME [--channel-password P] [--level leicht|mittel|schwer]
//          [--name NAME] [--create SEATS] [--minutes N]
#pragma once

#include "bot/strategy/entscheidungen.hpp"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qz {

inline constexpr const char* kBotAufruf =
    "qz-bot --server HOST[:PORT] --channel NAME [--channel-password P] [--level leicht|mittel|schwer] "
    "[--name NAME] [--create SEATS] [--minutes N]";

struct BotEinstellungen {
    std::string host;
    std::uint16_t port = 80;
    std::string kanal;
    std::string kanalPasswort;
    Stufe stufe = Stufe::mittel;
    std::string name = "Computer";
    int sitze = 0;            // --create: the channel's seats, 2..4; 0 joins an existing channel
    int sterne = 200;         // systems of a channel it creates, the lobby's first choice
    double minuten = 0.0;     // 0: no limit
    double stilleSekunden = 600.0;  // every other seat silent this long ends the game
};

// HOST[:PORT] with PORT 1..65535 (80 when left out), and [IPv6]:PORT for an address with colons.
bool serverAdresseLesen(const std::string& text, std::string& host, std::uint16_t& port);

// The settings, or nothing with the reason in `fehler`.
std::optional<BotEinstellungen> befehlszeileLesen(const std::vector<std::string>& argumente, std::string& fehler);

}  // namespace qz

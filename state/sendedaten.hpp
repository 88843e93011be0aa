// What the multiplayer exchange keeps between requests and replies: the lobby's split slot
// records, the pending colonisation and trade agreements, the chat, the record parser's
// scratch, the session and the per-slot trade-route lists.
#pragma once

#include "platform/feld.hpp"

#include <array>
#include <string>

namespace qz {

struct Sendedaten {
    std::array<Feld<std::string>, 4> lobbySlots;     // the lobby's slot records, cut per slot
    Feld<int> abkommenAnfrage{1, 4, 0};               // trade-agreement values to send, per slot
    Feld<int> abkommenStand{1, 4, 0};                 // stored trade-agreement values, per slot

    int kolonisation = 0;        // system colonised and not yet reported owned
    std::string chatZeile;
    int chatSenden = 0;
    int chatAnzahl = 0;
    std::string chatVerlauf;
    int recordStart = 0;
    int recordLaenge = 0;
    std::string recordText;
    std::string SessionId;
    std::array<std::string, 9> zwischentexte;         // further scratch texts of the reply parser
    int bereitAnzahl = 0;
    std::array<int, 4> handelswegAnzahl{};            // counts of the per-slot trade-route lists
    std::array<int, 3> parserPosition{};

    Feld<std::string> chatZeilen;                     // the chat history, cut into lines
    std::array<Feld<std::string>, 4> handelswege;     // the per-slot trade-route lists, cut
};

}  // namespace qz

// Computer players the game starts on the player's own machine: for the free seats of a channel
// the player hosts ("Computer hinzufügen" in the lobby), and for a whole game against the
// computer ("Gegen den Computer"), which runs on the player's private qz-server. They belong to
// the channel: once the player leaves its lobby or its game (or the program ends, also by an
// error) every one of them ends, and the private server with them.
#pragma once

#include "multiplayer/private/privater_server.hpp"
#include "net/server_address.hpp"
#include "platform/feld.hpp"
#include "platform/kindprozess.hpp"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qz {


inline constexpr int kStufeLeicht = 1;
inline constexpr int kStufeSchwer = 3;

// "Leicht", "Mittel" or "Schwer" for level 1..3: the message id the screens show through tr().
std::string_view stufenText(int stufe);

struct Computerspiel {
    struct Computerspieler {
        Kindprozess prozess;
        std::string name;
        int stufe = 2;          // its level, shown beside its seat in the lobby
        bool gesessen = false;  // once seen in a seat of the lobby or the game
        bool gemeldet = false;  // its failure to start was shown on a seat, which offers a new one
    };

    // The private server of a game against the computer; empty in a channel on another server.
    std::optional<PrivaterServer> server;
    // The player's own server and login, given back when the private game ends: the private
    // server is never the player's chosen one (and never written to the settings).
    ServerAddress spielerServer;
    std::string spielerLogin;
    std::string passwort;  // the player's login on the private server

    // The choices of the "Gegen den Computer" screen.
    int anzahl = 2;           // computer players, 1..3
    Feld<int> stufen{1, 3, 2};  // the level of each, in the order they are started
    int nochZuStarten = 0;    // computer players to start once the channel exists

    std::vector<Computerspieler> spieler;
    Feld<int> sitzStufe{1, 4, 2};  // the lobby's level choice for each free seat
};

// The login of computer player `nummer` (1, 2, ...) of the host `login`: "Computer1" ... on
// the private server (`login` empty); elsewhere the host's login and "-KI1", "-KI2" ..., so
// that two players' computer players never share a login. Always a name qz-bot and the
// server take (at most 15 characters); a login too long for it keeps its beginning and ends
// in four characters drawn from the whole login, so hosts that differ only further on still
// get names of their own.
std::string computerName(const std::string& login, int nummer);

// Starts a computer player of `stufe` for the channel of session `sitzung` at `server`
// ("HOST:PORT"): it joins that channel and no other of the same name. Named computerName(login,
// n) with the first n none of the started ones has. False, with the reason in `fehler` (a message
// id, shown through tr()), when qz-bot is missing or cannot be started.
bool computerspielerStarten(Computerspiel& c, const std::string& server, const std::string& login,
                            const std::string& sitzung, int stufe, std::string& fehler);

// Ends every computer player side by side: all are asked to stop at once, then waited for
// together, so leaving never waits for one after the other.
void computerspielerBeenden(Computerspiel& c);

}  // namespace qz

// One computer player's seat, from the online check to the end of the game, as one pass at a
// time: the login, the channel (created and hosted, or found by name and joined), a free
// colour, "Bereit", the host's start once every seat is taken and ready, and then the game's
// own simulation steps with the strategy's orders carried out between them. It talks to the
// server only through the request worker, with the requests the player's screens send.
#pragma once

#include "bot/aktionen.hpp"
#include "bot/befehlszeile.hpp"
#include "bot/strategy/entscheidungen.hpp"
#include "multiplayer/session/mehrspieler.hpp"
#include "multiplayer/exchange/server_worker.hpp"
#include "platform/platform.hpp"
#include "state/spielstand.hpp"

#include <array>
#include <functional>
#include <string>
#include <vector>

namespace qz {

// Seconds between two rounds of decisions; the level's own reaction delay comes on top.
inline constexpr double kEntscheidungsTakt = 0.5;

enum class BotPhase { online, login, kanalSuche, lobby, spiel, ende };

class BotSitzung {
public:
    using Protokoll = std::function<void(const std::string& zeile)>;

    BotSitzung(BotEinstellungen einstellungen, std::string passwort, Platform& platform, Serverdaten& server,
               Protokoll protokoll);

    // One pass at the platform's time; false once the bot has left (the reason is logged).
    bool schritt();

    BotPhase phase() const { return phase_; }
    // The game ended for a reason that is the bot's failure (a refused login, no channel found).
    bool fehlgeschlagen() const { return fehlgeschlagen_; }
    const std::string& endeGrund() const { return endeGrund_; }
    const Spielstand& spiel() const { return spiel_; }
    // The game as the seat holds it, for a test that sets up a situation.
    Spielstand& spiel() { return spiel_; }
    const Mehrspieler& mehrspieler() const { return mp_; }
    int ausgefuehrteBefehle() const { return befehle_; }
    // Orders of one kind carried out, by the kind's index in Entscheidung.
    int ausgefuehrt(std::size_t art) const { return befehleNachArt_.at(art); }
    // Orders of one kind the screens would not have offered when they came.
    int abgelehnt(std::size_t art) const { return abgelehntNachArt_.at(art); }
    // Game days settled since the game began.
    int tage() const { return tage_; }
    // "day D: S systems, N ships, M money, O orders, R refused; ships by type a/b/c/d/e/f/g/h,
    // drive level L; researching 3 1; at war with 2", the line it logs every minute of play.
    std::string lageBericht() const;

private:
    void online();
    void login();
    void kanalSuche();
    void lobby();
    void spielen();
    void beenden(const std::string& grund, bool fehler);
    std::string antwortHolen();
    bool alleLangeFort();
    bool nichtsMehr() const;

    BotEinstellungen e_;
    std::string passwort_;
    Platform& platform_;
    Serverdaten& server_;
    Protokoll protokoll_;

    Spielstand spiel_;
    Mehrspieler mp_;
    Gedaechtnis gedaechtnis_;
    Haende haende_;
    std::vector<Verlust> verluste_;  // what the own ships in space lost in the last reply
    BotPhase phase_ = BotPhase::online;
    bool fehlgeschlagen_ = false;
    std::string endeGrund_;
    double start_ = 0.0;
    double spielBeginn_ = 0.0;
    double naechsteEntscheidung_ = 0.0;
    double naechsterBericht_ = 0.0;
    double suchBeginn_ = 0.0;
    std::array<double, 5> fortSeit_{-1.0, -1.0, -1.0, -1.0, -1.0};  // per slot: announced gone since, -1: here
    int befehle_ = 0;
    std::array<int, std::variant_size_v<Entscheidung>> befehleNachArt_{};
    std::array<int, std::variant_size_v<Entscheidung>> abgelehntNachArt_{};
    int tage_ = 0;
    double letzterTag_ = 0.0;
};

}  // namespace qz

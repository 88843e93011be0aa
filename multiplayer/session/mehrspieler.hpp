// The state of the multiplayer screens beyond the shared game state: the login fields, the
// channel being created, the channel list, the lobby's slots and choices, and what the running
// game keeps between two exchanges with the server (pending colonisation and agreements, the
// chat, the settled planets, the co-players' movement clocks).
#pragma once

#include "multiplayer/private/computerspiel.hpp"
#include "multiplayer/session/zuschauen.hpp"
#include "state/sendedaten.hpp"
#include "platform/feld.hpp"

#include <future>
#include <memory>
#include <string>
#include <vector>

namespace qz {

struct WiedergabeSchirm;
namespace replay {
struct Recording;
}

// One recording of an ended game as the server lists it.
struct Aufzeichnungseintrag {
    std::string id;
    std::string kanal;                 // code page 437, as the game shows names
    std::vector<std::string> spieler;  // by seat, empty for a free one
    long long start = 0;               // server clock, seconds since 1970
    long long laenge = 0;              // seconds
};

struct Mehrspieler {
    Mehrspieler();

    // Login screen.
    std::string LoginName;
    std::string LoginPasswort;
    std::string LoginMaske;
    int Eingabefokus = 0;     // login and create screens: 1, 2 fields, 3 the button; 4 the server field
    bool tabGehalten = false; // TAB acts once, when it is released
    std::string Servertext;       // the "Server" field as typed; empty: the compiled-in server
    bool serverUngueltig = false; // the field holds no server address
    std::string gemerkterName;    // the name of the last login the server accepted
    std::string gemerkterServer;  // the server last taken from the field, as the settings keep
                                  // it (empty: the built-in one); never the command line's

    // Create channel.
    std::string KanalName;
    std::string KanalPasswort;
    int KanalZuschauer = 60;  // seconds spectators see the game behind; 0: none may watch

    // Channel list, each indexed from 1 (0 is the empty piece before the leading comma).
    Feld<std::string> KanalIds, KanalNamen, KanalPasswoerter, KanalSpieler, KanalMaxSpieler, KanalSterne;
    Feld<std::string> KanalLaeuft;  // "1": a running game the login holds a seat in
    Feld<std::string> KanalZuschauen;  // a running game the login may watch: its delay in seconds

    // A running game watched from the channel list.
    Zuschauen zuschauen;

    int KanalAnzahl = 0;
    int KanalSeite = 1;
    int KanalAuswahl = 0;

    // Lobby.
    Feld<std::string> SpielerName{1, 4, ""};
    Feld<int> BereitFlag{1, 4, 0};
    int GewaehlteFarbe = 0;
    int EigenesBereit = 0;
    int SternkarteBereit = 0;  // 21: a generated star map waits for its upload
    bool startAusstehend = false;  // "Spiel Starten" clicked, the start not yet reported
    int SterneAngesagt = 0;
    // Back into a running game from the channel list: the seat and the star map come from the
    // server, for the host too.
    bool wiedereinstieg = false;

    // Running game: the exchange state shared with the reset routines.
    Sendedaten senden;
    int chatFokus = 0;                  // 101 while the chat line has the focus
    bool enterGehalten = false;
    std::string piSysteme, piSchild, piBefestigung;  // the own systems of the last day, until the server has them
    // What the last request carried that goes out again until a reply shows it arrived: a
    // request that got no answer, or a refusal (which the server took back whole), must not
    // cost the chat line, the day's planet reports or the own part.
    bool chatUnterwegs = false;
    bool piUnterwegs = false;
    double ohneAntwortSeit = -1.0;  // program timer of the first unanswered request, -1: none
    Feld<std::string> handelswegText{1, 4, ""};      // the trade-route list text of every slot
    double naechsterAustausch = 0.0;
    Feld<double> naechsterFlugschritt{1, 4, 0.0};    // the co-players' own movement clocks
    int kartenNeuzeichnen = 0;                       // a lost system changes the map's look
    int handelNeuzeichnen = 0;
    int reparaturAngefordert = 0;

    // The own part of the game (state/eigener_spielstand.hpp) as the last day tick left it: it
    // goes out with the requests until a reply shows one arrived (teilUnterwegs while one
    // carries it), so the server gets it once a day; the local copy is written with the first
    // of them (teilKopiert).
    std::string eigenerTeil;
    bool teilUnterwegs = false;
    bool teilKopiert = false;
    // Back in a running game: the game waits for the server's copy of the own part and the own
    // ships before its first day; holenGesendet once the request asking for them is out.
    bool eigenerTeilHolen = false;
    bool holenGesendet = false;
    // The local copy on its way to the disk, on a thread of its own.
    std::future<bool> kopieGeschrieben;

    // A refusal of the server or a lost game, shown until meldungBis (the program timer); not
    // part of the channel's reset, since a lost game is told after it was reset.
    std::string meldung;  // UTF-8, in the language it was shown in (meldung.hpp)
    double meldungBis = 0.0;

    // "Aufzeichnungen": the server's recordings of ended games, the page shown, the id of the
    // one on its way (empty: none) with the parts that came so far, and the one being played.
    std::vector<Aufzeichnungseintrag> aufzeichnungen;
    int aufzeichnungSeite = 1;
    std::string aufzeichnungGeholt;
    std::shared_ptr<replay::Recording> aufzeichnungTeile;
    long long aufzeichnungSeit = 0;  // the last entry that came
    std::shared_ptr<WiedergabeSchirm> wiedergabe;

    // The computer players the player started and the private server of a game against the
    // computer; they outlive a channel's reset and end when the player leaves the channel.
    Computerspiel computer;

    // Everything of one channel back to its start: the choices, the lists and the exchange.
    void kanalZuruecksetzen();
};

// The player palette for a colour index that came from the server: 1..8 give red, green and
// blue, any other index gives false (a screen must not fail on a stray index).
bool farbeVonIndex(int index, int& rot, int& gruen, int& blau);

}  // namespace qz

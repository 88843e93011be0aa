#include "multiplayer/screens/computer_kanal.hpp"

#include "multiplayer/play/zuruecksetzen.hpp"
#include "multiplayer/session/meldung.hpp"

#include <algorithm>

namespace qz {

namespace {

bool sitzt(const Mehrspieler& mp, const std::string& name)
{
    for (int n = 1; n <= 4; ++n)
        if (mp.SpielerName(n) == name) return true;
    return false;
}

// `serverTot`: the private server ended by itself, so the game is lost.
void beenden(Rahmen& r, Spielstand& spiel, Serverdaten& server, Mehrspieler& mp, bool serverTot = false)
{
    Computerspiel& c = mp.computer;
    // Each stops at SIGTERM and logs out of its game; the server goes last, so none of them
    // ends talking to a server that is gone.
    computerspielerBeenden(c);
    c.nochZuStarten = 0;
    if (!c.server) return;
    c.server.reset();
    {
        std::lock_guard lock(server.Datenmutex);
        server.Serveradresse = c.spielerServer;
        server.Serverschluessel.clear();
        server.Serveronline = 0;
        server.Unerreichbar.clear();
    }
    mp.LoginName = c.spielerLogin;
    c.passwort.clear();
    if (r.Programmzustand == "multiplayer") {
        const double jetzt = r.platform.timer();
        if (serverTot) meldungZeigen(mp, tr("Verbindung zum Spiel verloren"), jetzt);
        // A message still showing (a lost game, a refusal) is seen on the "Gegen den Computer"
        // screen, which draws it; the sandbox menu does not.
        const bool zeigen = !mp.meldung.empty() && jetzt < mp.meldungBis;
        // "Neues Spiel" in a game against the computer means a new one of those: its own start
        // screen, not the creation of a channel on the player's server.
        const bool neu = r.Unterzustand == "erstellen";
        mehrspielerZuruecksetzen(r, spiel, mp);
        spiel.spielLaeuft = 0;
        r.Programmzustand = zeigen || neu ? "multiplayer" : "sandkasten";
        r.Unterzustand = zeigen || neu ? "computer" : "hauptmenu";
    }
}

}  // namespace

int wartendeComputerspieler(Computerspiel& c, const Mehrspieler& mp)
{
    int wartend = 0;
    for (Computerspiel::Computerspieler& s : c.spieler)
        if (s.prozess.laeuft() && !sitzt(mp, s.name)) ++wartend;
    return wartend;
}

int gescheiterteComputerspieler(const Computerspiel& c)
{
    int gescheitert = 0;
    for (const Computerspiel::Computerspieler& s : c.spieler)
        if (s.prozess.gescheitert() && !s.gesessen && !s.gemeldet) ++gescheitert;
    return gescheitert;
}

bool imComputerkanal(const Rahmen& r, const Spielstand& spiel)
{
    if (r.Programmzustand != "multiplayer") return false;
    return r.Unterzustand == "computer" || r.Unterzustand == "channel" || spiel.spielLaeuft == 1;
}

void computerspielPruefen(Rahmen& r, Spielstand& spiel, Serverdaten& server, Mehrspieler& mp)
{
    Computerspiel& c = mp.computer;
    if (!c.server && c.spieler.empty()) return;
    if (!imComputerkanal(r, spiel)) {
        beenden(r, spiel, server, mp);
        return;
    }
    // A computer player that ended by itself (its game over, a refused login) is reaped at
    // once instead of lingering as a zombie until the channel ends.
    for (Computerspiel::Computerspieler& s : c.spieler) {
        s.prozess.laeuft();
        if (sitzt(mp, s.name)) s.gesessen = true;
    }
    // A private server that ended by itself (a crash, the system stopping it) never answers
    // again: waiting for it would leave the player before "Verbindung unterbrochen" for good.
    if (c.server && !c.server->laeuft()) {
        beenden(r, spiel, server, mp, true);
        return;
    }
    // The players join the channel by its session id: it must exist first.
    if (c.nochZuStarten > 0 && r.Unterzustand == "channel" && !mp.senden.SessionId.empty()) {
        const std::string adresse = c.server ? c.server->adresse() : std::string();
        std::string fehler;
        while (c.nochZuStarten > 0) {
            const int stufe = c.stufen(std::clamp(c.anzahl - c.nochZuStarten + 1, 1, 3));
            if (!computerspielerStarten(c, adresse, "", mp.senden.SessionId, stufe, fehler)) {
                meldungZeigen(mp, tr(fehler), r.platform.timer());
                break;
            }
            --c.nochZuStarten;
        }
        c.nochZuStarten = 0;
    }
}

}  // namespace qz

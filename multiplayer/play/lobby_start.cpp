#include "multiplayer/play/lobby_start.hpp"

#include "map/spielstart.hpp"
#include "map/sternkarte.hpp"
#include "multiplayer/exchange/lobby_anfragen.hpp"
#include "multiplayer/exchange/server_exchange.hpp"

#include <algorithm>

namespace qz {

void sternkarteErzeugen(Platform& zufall, Spielstand& spiel, double seed)
{
    zufall.randomize(seed);
    spiel.hintergrund = hintergrundWaehlen(zufall);
    const int W = spiel.hintergrundGroesse(1, 1), H = spiel.hintergrundGroesse(1, 2);
    systemePlatzieren(zufall, spiel.systeme, spiel.Sternanzahl, W, H);
    Heimatoptionen optionen;
    optionen.sandkasten = false;
    optionen.generierenderSpieler = 1;
    optionen.regel = heimatAbstandMehrspieler;
    heimatplanetenSetzen(zufall, spiel.systeme, spiel.Sternanzahl, spiel.Spieleranzahl, optionen);
}

void spielstartWerte(Spielstand& spiel)
{
    if (spiel.hintergrund < 1 || spiel.hintergrund > 13) spiel.hintergrund = 1;  // no star map arrived
    Sternsysteme& s = spiel.systeme;
    for (int i = 1; i <= spiel.Sternanzahl; ++i) {
        if (s.besitzer(i) != spiel.eigenerSpieler || s.typ(i) != 42) continue;
        s.einwohner(i) = s.einwohnerBasis(i);
        s.versorgung(i) = s.versorgungBasis(i);
        s.forschung(i) = s.forschungBasis(i);
        s.handel(i) = s.handelBasis(i);
        s.werft(i) = s.werftBasis(i);
        ansichtZentrieren(spiel, s.pos(i, 1), s.pos(i, 2));
    }
    spiel.karte.kartenBreite = spiel.hintergrundGroesse(1, 1) + 1024;
    spiel.karte.kartenHoehe = spiel.hintergrundGroesse(1, 2) + 768;
}

void lobbyAnfragen(double jetzt, Spielstand& spiel, Serverdaten& server, Mehrspieler& mp, const std::string& version)
{
    if (jetzt < server.Signalzeit) return;
    const bool host = spiel.eigenerSpieler == 1;
    if (host && mp.senden.SessionId.empty()) {
        server.Signalzeit = jetzt + 4.0;
        postRequest(server, [&](Feld<KVP>& g, Feld<KVP>& p) { kanalErstellenSchreiben(g, p, spiel, mp, version); });
    } else if (host && (mp.SternkarteBereit == 21 || mp.startAusstehend)) {
        // The same star map goes out until the start is reported: a lost upload must not leave
        // the channel waiting for good, and the server ignores an upload once it has started.
        server.Signalzeit = jetzt + 2.0;
        if (postRequest(server, [&](Feld<KVP>& g, Feld<KVP>& p) { sternkarteHochladenSchreiben(g, p, spiel, mp); }))
            mp.SternkarteBereit = 0;
    } else {
        server.Signalzeit = jetzt + 2.0;
        if (spiel.eigenerSpieler > 0)
            postRequest(server, [&](Feld<KVP>& g, Feld<KVP>& p) { lobbyAbfrageSchreiben(g, p, spiel, mp); });
        else
            postRequest(server, [&](Feld<KVP>& g, Feld<KVP>& p) { beitrittsAbfrageSchreiben(g, p, mp); });
    }
}

void slotFarbenSetzen(Spielstand& spiel)
{
    for (int n = 1; n <= std::min(spiel.Spieleranzahl, 4); ++n) {
        int rot, gruen, blau;
        if (!farbeVonIndex(spiel.spieler.spielerFarbe(n, 0), rot, gruen, blau)) continue;
        spiel.spieler.spielerFarbe(n, 1) = rot;
        spiel.spieler.spielerFarbe(n, 2) = gruen;
        spiel.spieler.spielerFarbe(n, 3) = blau;
    }
}

}  // namespace qz

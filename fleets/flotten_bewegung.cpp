#include "fleets/flotten_bewegung.hpp"

#include "fleets/route.hpp"
#include "platform/takt.hpp"
#include "systems/schiffswert.hpp"

#include <algorithm>
#include <charconv>

namespace qz {

namespace {

// "," followed by the number, as the attack report carries it.
std::string kommaZahl(int wert)
{
    char puffer[16] = {','};
    const auto ende = std::to_chars(puffer + 1, puffer + sizeof puffer, wert).ptr;
    return std::string(puffer, ende);
}

// One movement tick of a representative: one digit of its route, or the arrival.
void bewege(SchiffSatz& s, int n, Sternsysteme& systeme, int spieler, int Sternanzahl, int i, int f)
{
    std::string& route = s[kRoute](i);
    if (!routeLaeuft(route)) return;
    int x = schiffWert(s, kX, i), y = schiffWert(s, kY, i);
    if (route[0] == '9') {
        route.assign(1, '0');
        const int ziel = schiffWert(s, kZiel, i);
        if (ziel >= 1 && ziel <= Sternanzahl && systeme.entdecker(ziel) == 0) systeme.entdecker(ziel) = spieler;
        for (int j = 1; j <= n; ++j) {
            if (schiffWert(s, kFlotte, j) != f) continue;
            setzeSchiffWert(s, kOrt, j, ziel);
            setzeSchiffWert(s, kX, j, x);
            setzeSchiffWert(s, kY, j, y);
            setzeSchiffWert(s, kZielX, j, x);
            setzeSchiffWert(s, kZielY, j, y);
        }
    } else {
        const Richtung r = richtungVon(route[0]);
        x += r.dx;
        y += r.dy;
        route.erase(0, 1);
    }
    setzeSchiffWert(s, kX, i, x);
    setzeSchiffWert(s, kY, i, y);
}

}  // namespace

bool stehtStill(const SchiffSatz& s, int i)
{
    return schiffWert(s, kX, i) == schiffWert(s, kZielX, i) && schiffWert(s, kY, i) == schiffWert(s, kZielY, i);
}

std::vector<int> flottenVertreter(const SchiffSatz& s, int n, int anzahlFlotten)
{
    std::vector<int> vertreter(static_cast<std::size_t>(anzahlFlotten) + 1, 0);
    for (int i = 1; i <= n; ++i) {
        if (schiffWert(s, kAngedockt, i) > 0) continue;
        const int typ = schiffWert(s, kTyp, i);
        const int f = schiffWert(s, kFlotte, i);
        if (typ < 1 || typ > 8 || f < 1 || f > anzahlFlotten) continue;
        if (vertreter[static_cast<std::size_t>(f)] == 0) vertreter[static_cast<std::size_t>(f)] = i;
    }
    return vertreter;
}

void flottenBewegen(Kartenzustand& karte, SchiffSatz& s, Sternsysteme& systeme, const Spieler& spielerTabelle,
                    int spieler, int Schiffanzahl, int Sternanzahl, int gewaehltesSystem, double jetzt)
{
    guarded([&] {
        karte.angriffsziel.clear();
        karte.angriffsschaden.clear();
        karte.angriffsschiff = 0;
        // Recomputed every frame: a colony ship that left the system, or whose number moved when
        // the lists were joined, must not be offered any more.
        karte.kolonieschiff = 0;
        const int anzahlFlotten = std::max(1, spielerTabelle.hoechsteFlotte(spieler));
        std::vector<int> vertreten(static_cast<std::size_t>(anzahlFlotten) + 1, 0);
        // One movement tick at most per frame, on the grid of the movement interval: a late frame
        // does not push the following ticks back.
        const bool takt =
            faelligeSchritte(karte.naechsterFlugschritt, jetzt, spielerTabelle.bewegungsIntervall(spieler), 1) > 0;
        const int n = Schiffanzahl;
        Routenauftrag& auftrag = karte.routenauftrag;

        for (int i = 1; i <= n; ++i) {
            const int angedockt = schiffWert(s, kAngedockt, i);
            if (angedockt > 0) {
                // A docked ship is lost with the system that another player has taken.
                if (systeme.besitzer(angedockt) != spieler) setzeSchiffWert(s, kTyp, i, 0);
                continue;
            }
            const int typ = schiffWert(s, kTyp, i);
            const int f = schiffWert(s, kFlotte, i);
            if (typ < 1 || typ > 8 || f < 1 || f > anzahlFlotten) continue;  // deleted, or not in a fleet
            const bool vertreter = vertreten[static_cast<std::size_t>(f)] == 0;
            if (vertreter) {
                vertreten[static_cast<std::size_t>(f)] = i;
                if (takt) bewege(s, n, systeme, spieler, Sternanzahl, i, f);
            }

            const int ort = schiffWert(s, kOrt, i);
            if (gewaehltesSystem > 0) {
                const int besitzer = systeme.besitzer(gewaehltesSystem);
                if (ort == gewaehltesSystem && stehtStill(s, i)) {
                    if (typ == 1 && karte.kolonieschiff == 0 && besitzer == 0) karte.kolonieschiff = i;
                    else if (typ == 7 && besitzer > 0 && besitzer != spieler) karte.angriffsschiff = i;
                }
            }
            if (auftrag.status == 0 && vertreter && !routeLaeuft(s[kRoute](i)) && !stehtStill(s, i)) {
                auftrag.flotte = f;
                auftrag.x = schiffWert(s, kX, i);
                auftrag.y = schiffWert(s, kY, i);
                auftrag.zielX = schiffWert(s, kZielX, i);
                auftrag.zielY = schiffWert(s, kZielY, i);
                auftrag.route.clear();
                auftrag.status = 1;
            }
            if (auftrag.status == 2 && auftrag.flotte == f) {
                s[kRoute](i) = auftrag.route;
                auftrag = Routenauftrag{};
            }
        }
        // Only a fleet in space collects its route: once the requesting fleet was destroyed,
        // deleted or docked, the slot is freed, or no fleet would ever get a route again.
        if (auftrag.status != 0 && (auftrag.flotte < 1 || auftrag.flotte > anzahlFlotten ||
                                    vertreten[static_cast<std::size_t>(auftrag.flotte)] == 0))
            auftrag = Routenauftrag{};

        // Planetary attack: 25 per heavy battleship standing at a system flagged for attack.
        for (int sys = 1; sys <= Sternanzahl; ++sys) {
            if (systeme.angriff(sys) != 1) continue;
            int schaden = 0;
            for (int j = 1; j <= n; ++j)
                if (schiffWert(s, kTyp, j) == 7 && schiffWert(s, kOrt, j) == sys) schaden += 25;
            if (schaden == 0) {
                systeme.angriff(sys) = 0;
            } else {
                karte.angriffsziel = kommaZahl(sys);
                karte.angriffsschaden = kommaZahl(schaden);
            }
        }
    });
}

}  // namespace qz

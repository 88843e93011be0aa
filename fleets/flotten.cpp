#include "fleets/flotten.hpp"

#include "fleets/route.hpp"
#include "gfx/text_numbers.hpp"
#include "platform/takt.hpp"
#include "systems/schiffswert.hpp"

#include <charconv>
#include <cmath>
#include <vector>

namespace qz {

namespace {

constexpr Farbe kReichweitenFarbe = 0xFFBDBDBD;

// "," followed by the number, as the attack report carries it.
std::string kommaZahl(int wert)
{
    char puffer[16] = {','};
    const auto ende = std::to_chars(puffer + 1, puffer + sizeof puffer, wert).ptr;
    return std::string(puffer, ende);
}

bool routeLaeuft(const std::string& route) { return !route.empty() && route[0] >= '1' && route[0] <= '9'; }

bool stehtStill(const SchiffSatz& s, int i)
{
    return schiffWert(s, kX, i) == schiffWert(s, kZielX, i) && schiffWert(s, kY, i) == schiffWert(s, kZielY, i);
}

// Work tables of one frame, indexed by fleet number 1..F.
struct FlottenTabellen {
    explicit FlottenTabellen(int f) : vertreter(static_cast<std::size_t>(f) + 1, 0), typen(static_cast<std::size_t>(f) + 1) {}
    std::vector<int> vertreter;
    std::vector<std::array<int, 9>> typen;
    std::vector<int> amOrt;  // fleets standing where the selected fleet stands
};

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

// The panel of fleets standing together; a change of the selection ends the list for this frame.
void flottenListe(Rahmen& rahmen, Kartenzustand& karte, const SchiffSatz& s, int n, const std::vector<int>& amOrt,
                  int ort, int mausX, int mausY, int scrollX)
{
    const int links = scrollX < 800 ? 877 : 0;
    if (!rahmen.Oberflaechenbild(23)) raiseError(kNullPointer);
    put(rahmen.screen(), links, 0, rahmen.Oberflaechenbild(23).get(), PutMode::Blend, 150);
    rahmen.text(links + 8, 8, "Planet X" + numberToText(ort));
    const int anzahl = static_cast<int>(amOrt.size());
    for (int r = 1; r <= anzahl; ++r) {
        const int f = amOrt[static_cast<std::size_t>(r - 1)];
        int neu = 0;
        if (f == karte.gewaehlteFlotte) {
            rahmen.text(links + 8, 16 * r + 8, "> Flotte: " + numberToText(f) + " <");
            if (rahmen.Mausereignis == 3) neu = amOrt[static_cast<std::size_t>(r % anzahl)];
            else if (rahmen.Mausereignis == 4 && r > 1) neu = amOrt[static_cast<std::size_t>(r - 2)];
        } else {
            rahmen.text(links + 8, 16 * r + 8, "Flotte: " + numberToText(f));
            if (rahmen.Mausereignis == 1 && inBox(mausX, mausY, links + 8, links + 139, 16 * r + 8, 16 * r + 24))
                neu = f;
        }
        if (neu > 0) {
            karte.gewaehlteFlotte = neu;
            for (int j = 1; j <= n; ++j)
                if (schiffWert(s, kFlotte, j) == neu) {
                    karte.gewaehltesSchiff = j;
                    break;
                }
            rahmen.Mausereignis = 0;
            return;
        }
    }
}

// Sends the selected fleet to the last system in range whose centre lies under the pointer.
void zielWahl(Rahmen& rahmen, Kartenzustand& karte, SchiffSatz& s, int n, const Sternsysteme& systeme,
              const Spieler& spielerTabelle, int spieler, int Sternanzahl, int reichweite, int mausX, int mausY,
              int scrollX, int scrollY)
{
    const int g = karte.gewaehltesSchiff;
    const int mx = schiffWert(s, kX, g) + 16, my = schiffWert(s, kY, g) + 16;
    int ziel = 0;
    for (int sys = 1; sys <= Sternanzahl; ++sys) {
        const double ax = systeme.pos(sys, 1) - mx, ay = systeme.pos(sys, 2) - my;
        if (roundHalfEven(std::sqrt(ax * ax + ay * ay)) >= reichweite) continue;
        const double bx = mausX - (systeme.pos(sys, 1) - scrollX), by = mausY - (systeme.pos(sys, 2) - scrollY);
        if (std::sqrt(bx * bx + by * by) < 5.0) ziel = sys;
    }
    if (ziel == 0) return;
    for (int j = 1; j <= n; ++j) {
        if (schiffWert(s, kFlotte, j) != karte.gewaehlteFlotte) continue;
        setzeSchiffWert(s, kZiel, j, ziel);
        setzeSchiffWert(s, kOrt, j, 0);
        setzeSchiffWert(s, kZielX, j, systeme.pos(ziel, 1) + spielerTabelle.parkOffset(spieler, 1));
        setzeSchiffWert(s, kZielY, j, systeme.pos(ziel, 2) + spielerTabelle.parkOffset(spieler, 2));
    }
    setzeSchiffWert(s, kAngedockt, g, 0);
    rahmen.Mausereignis = 0;
}

}  // namespace

void SUB_FLOTTEN(Rahmen& rahmen, Kartenzustand& karte, SchiffSatz& s, Sternsysteme& systeme,
                 Spieler& spielerTabelle, const Forschung& forschung, int spieler, int Schiffanzahl, int Sternanzahl,
                 int gewaehltesSystem, int mausX, int mausY, int scrollX, int scrollY)
{
    guarded([&] {
        karte.angriffsziel.clear();
        karte.angriffsschaden.clear();
        karte.angriffsschiff = 0;
        // Recomputed every frame: a colony ship that left the system, or whose number moved when
        // the lists were joined, must not be offered any more.
        karte.kolonieschiff = 0;
        const int anzahlFlotten = std::max(1, spielerTabelle.hoechsteFlotte(spieler));
        FlottenTabellen tab(anzahlFlotten);
        const double jetzt = rahmen.platform.timer();
        // One movement tick at most per frame, on the grid of the movement interval: a late frame
        // does not push the following ticks back.
        const bool takt =
            faelligeSchritte(karte.naechsterFlugschritt, jetzt, spielerTabelle.bewegungsIntervall(spieler), 1) > 0;
        const int n = Schiffanzahl;
        const int gewaehltesOrt =
            karte.gewaehltesSchiff >= 1 && karte.gewaehltesSchiff <= n ? schiffWert(s, kOrt, karte.gewaehltesSchiff) : 0;
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
            const bool vertreter = tab.vertreter[static_cast<std::size_t>(f)] == 0;
            if (vertreter) {
                tab.vertreter[static_cast<std::size_t>(f)] = i;
                const int x = schiffWert(s, kX, i), y = schiffWert(s, kY, i);
                rahmen.zeichne(rahmen.Schiffbild(spieler, typ), x - scrollX, y - scrollY, PutMode::Transparent);
                const int ort = schiffWert(s, kOrt, i);
                if (ort > 0 && ort == gewaehltesOrt) tab.amOrt.push_back(f);
                const double ax = mausX - (x + 16 - scrollX), ay = mausY - (y + 16 - scrollY);
                // With a system screen open the click belongs to the screen drawn on top of the map.
                if (rahmen.Mausereignis == 1 && gewaehltesSystem == 0 && std::sqrt(ax * ax + ay * ay) < 17.0) {
                    karte.gewaehlteFlotte = f;
                    karte.gewaehltesSchiff = i;
                    rahmen.Mausereignis = 0;
                } else if (f == karte.gewaehlteFlotte) {
                    karte.gewaehltesSchiff = i;
                }
                if (takt) bewege(s, n, systeme, spieler, Sternanzahl, i, f);
            }

            const int ort = schiffWert(s, kOrt, i);
            if (gewaehltesSystem > 0) {
                const int besitzer = systeme.besitzer(gewaehltesSystem);
                if (ort == gewaehltesSystem && stehtStill(s, i)) {
                    if (typ == 1 && karte.kolonieschiff == 0 && besitzer == 0) karte.kolonieschiff = i;
                    else if (typ == 7 && besitzer > 0 && besitzer != spieler) karte.angriffsschiff = i;
                }
            } else if (karte.gewaehlteFlotte > 0) {
                ++tab.typen[static_cast<std::size_t>(f)][static_cast<std::size_t>(typ)];
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
                                    tab.vertreter[static_cast<std::size_t>(auftrag.flotte)] == 0))
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

        if (gewaehltesSystem > 0 || karte.gewaehlteFlotte < 1) return;
        if (tab.amOrt.size() > 1) flottenListe(rahmen, karte, s, n, tab.amOrt, gewaehltesOrt, mausX, mausY, scrollX);
        const int g = karte.gewaehltesSchiff;
        const int reichweite = flugReichweite(forschung.thema(3).stufe);
        if (g >= 1 && g <= n && karte.gewaehlteFlotte <= anzahlFlotten &&
            schiffWert(s, kFlotte, g) == karte.gewaehlteFlotte) {
            const int f = karte.gewaehlteFlotte;
            for (int t = 1; t <= 8; ++t)
                karte.gewaehlteTypen(t) = tab.typen[static_cast<std::size_t>(f)][static_cast<std::size_t>(t)];
            const int mx = schiffWert(s, kX, g) + 16 - scrollX, my = schiffWert(s, kY, g) + 16 - scrollY;
            circle(rahmen.screen(), mx, my, reichweite, kReichweitenFarbe, false);
            if (!stehtStill(s, g))
                line(rahmen.screen(), mx, my, schiffWert(s, kZielX, g) - scrollX, schiffWert(s, kZielY, g) - scrollY,
                     kReichweitenFarbe);
            if (rahmen.Mausereignis == 1 && stehtStill(s, g))
                zielWahl(rahmen, karte, s, n, systeme, spielerTabelle, spieler, Sternanzahl, reichweite, mausX, mausY,
                         scrollX, scrollY);
        }
        if (rahmen.Mausereignis == 2) {
            karte.gewaehlteFlotte = 0;
            karte.gewaehltesSchiff = 0;
            rahmen.Mausereignis = 0;
        }
    });
}

}  // namespace qz

#include "fleets/flotten.hpp"

#include "fleets/flotten_bewegung.hpp"
#include "gfx/text_numbers.hpp"
#include "systems/schiffswert.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace qz {

namespace {

constexpr Farbe kReichweitenFarbe = 0xFFBDBDBD;

// Work tables of one frame, indexed by fleet number 1..F.
struct FlottenTabellen {
    explicit FlottenTabellen(int f) : vertreter(static_cast<std::size_t>(f) + 1, 0), typen(static_cast<std::size_t>(f) + 1) {}
    std::vector<int> vertreter;
    std::vector<std::array<int, 9>> typen;
    std::vector<int> amOrt;  // fleets standing where the selected fleet stands
};

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
    int ziel = 0;
    for (int sys = 1; sys <= Sternanzahl; ++sys) {
        if (!zielInReichweite(s, g, systeme, sys, reichweite)) continue;
        const double bx = mausX - (systeme.pos(sys, 1) - scrollX), by = mausY - (systeme.pos(sys, 2) - scrollY);
        if (std::sqrt(bx * bx + by * by) < 5.0) ziel = sys;
    }
    if (ziel == 0) return;
    flotteSenden(s, n, systeme, spielerTabelle, spieler, karte.gewaehlteFlotte, g, ziel);
    rahmen.Mausereignis = 0;
}

}  // namespace

void flotteSenden(SchiffSatz& s, int n, const Sternsysteme& systeme, const Spieler& spielerTabelle, int spieler,
                  int flotte, int vertreter, int ziel)
{
    for (int j = 1; j <= n; ++j) {
        if (schiffWert(s, kFlotte, j) != flotte) continue;
        setzeSchiffWert(s, kZiel, j, ziel);
        setzeSchiffWert(s, kOrt, j, 0);
        setzeSchiffWert(s, kZielX, j, systeme.pos(ziel, 1) + spielerTabelle.parkOffset(spieler, 1));
        setzeSchiffWert(s, kZielY, j, systeme.pos(ziel, 2) + spielerTabelle.parkOffset(spieler, 2));
    }
    setzeSchiffWert(s, kAngedockt, vertreter, 0);
}

bool zielInReichweite(const SchiffSatz& s, int vertreter, const Sternsysteme& systeme, int ziel, int reichweite)
{
    const double ax = systeme.pos(ziel, 1) - (schiffWert(s, kX, vertreter) + 16);
    const double ay = systeme.pos(ziel, 2) - (schiffWert(s, kY, vertreter) + 16);
    return roundHalfEven(std::sqrt(ax * ax + ay * ay)) < reichweite;
}

void SUB_FLOTTEN(Rahmen& rahmen, Kartenzustand& karte, SchiffSatz& s, Sternsysteme& systeme,
                 Spieler& spielerTabelle, const Forschung& forschung, int spieler, int Schiffanzahl, int Sternanzahl,
                 int gewaehltesSystem, int mausX, int mausY, int scrollX, int scrollY)
{
    const int anzahlFlotten = std::max(1, spielerTabelle.hoechsteFlotte(spieler));
    FlottenTabellen tab(anzahlFlotten);
    const int n = Schiffanzahl;
    const int gewaehltesOrt =
        karte.gewaehltesSchiff >= 1 && karte.gewaehltesSchiff <= n ? schiffWert(s, kOrt, karte.gewaehltesSchiff) : 0;
    // The fleets are drawn and picked where they stood before this frame's movement tick.
    guarded([&] {
        for (int i = 1; i <= n; ++i) {
            if (schiffWert(s, kAngedockt, i) > 0) continue;
            const int typ = schiffWert(s, kTyp, i);
            const int f = schiffWert(s, kFlotte, i);
            if (typ < 1 || typ > 8 || f < 1 || f > anzahlFlotten) continue;  // deleted, or not in a fleet
            if (tab.vertreter[static_cast<std::size_t>(f)] == 0) {
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
            }
            if (gewaehltesSystem == 0 && karte.gewaehlteFlotte > 0)
                ++tab.typen[static_cast<std::size_t>(f)][static_cast<std::size_t>(typ)];
        }
    });
    flottenBewegen(karte, s, systeme, spielerTabelle, spieler, n, Sternanzahl, gewaehltesSystem,
                   rahmen.platform.timer());
    guarded([&] {
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

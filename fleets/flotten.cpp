#include "fleets/flotten.hpp"

#include "fleets/flotten_bewegung.hpp"
#include "gfx/text_numbers.hpp"
#include "systems/schiffswert.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <string_view>
#include <vector>

namespace qz {

namespace {

constexpr Farbe kReichweitenFarbe = 0xFFBDBDBD;
constexpr Farbe kAbgelehntFarbe = 0xFFFF3030;
constexpr double kAbgelehntDauer = 2.0;

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
            rahmen.text(links + 8, 16 * r + 8, tr("> Flotte: {flotte} <", {{"flotte", f}}));
            if (rahmen.Mausereignis == 3) neu = amOrt[static_cast<std::size_t>(r % anzahl)];
            else if (rahmen.Mausereignis == 4 && r > 1) neu = amOrt[static_cast<std::size_t>(r - 2)];
        } else {
            rahmen.text(links + 8, 16 * r + 8, tr("Flotte: {flotte}", {{"flotte", f}}));
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

// Sends the selected fleet to the last system in range whose centre lies under the pointer. A
// system under the pointer that lies outside the range is marked as refused instead.
void zielWahl(Rahmen& rahmen, Kartenzustand& karte, SchiffSatz& s, int n, const Sternsysteme& systeme,
              const Spieler& spielerTabelle, int spieler, int Sternanzahl, int reichweite, int mausX, int mausY,
              int scrollX, int scrollY)
{
    const int g = karte.gewaehltesSchiff;
    int ziel = 0, abgelehnt = 0;
    for (int sys = 1; sys <= Sternanzahl; ++sys) {
        const double bx = mausX - (systeme.pos(sys, 1) - scrollX), by = mausY - (systeme.pos(sys, 2) - scrollY);
        if (std::sqrt(bx * bx + by * by) >= 5.0) continue;
        if (zielInReichweite(s, g, systeme, sys, reichweite)) ziel = sys;
        else abgelehnt = sys;
    }
    if (ziel == 0 && abgelehnt > 0) {
        karte.ausserReichweite = abgelehnt;
        karte.ausserReichweiteBis = rahmen.platform.timer() + kAbgelehntDauer;
        rahmen.Mausereignis = 0;
    }
    if (ziel == 0) return;
    karte.ausserReichweite = 0;
    flotteSenden(s, n, systeme, spielerTabelle, spieler, karte.gewaehlteFlotte, g, ziel);
    rahmen.Mausereignis = 0;
}

// The refused destination: a red ring around the system and "Außer Reichweite" above it (below
// it near the top of the screen), kept on the screen, for two seconds.
void abgelehntZeichnen(Rahmen& rahmen, const Kartenzustand& karte, const Sternsysteme& systeme, int Sternanzahl,
                       int scrollX, int scrollY)
{
    const int sys = karte.ausserReichweite;
    if (sys < 1 || sys > Sternanzahl || rahmen.platform.timer() >= karte.ausserReichweiteBis) return;
    const int sx = systeme.pos(sys, 1) - scrollX, sy = systeme.pos(sys, 2) - scrollY;
    circle(rahmen.screen(), sx, sy, 9, kAbgelehntFarbe, false);
    circle(rahmen.screen(), sx, sy, 10, kAbgelehntFarbe, false);
    const Text& text = tr("Au\xE1" "er Reichweite");
    const int breite = textBreite(text);
    const int x = std::clamp(sx - breite / 2, 0, 1024 - breite);
    const int y = sy - 32 >= 0 ? sy - 32 : sy + 14;
    rahmen.text(x, y, text, kAbgelehntFarbe);
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
    std::vector<int> unterZeiger;  // fleets whose icon the click hit, in ship order
    // The types are counted for the fleet selected after the loop, so also when this pass's
    // click may select one where none was selected before.
    const bool typenZaehlen = gewaehltesSystem == 0 && (karte.gewaehlteFlotte > 0 || rahmen.Mausereignis == 1);
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
                if (rahmen.Mausereignis == 1 && gewaehltesSystem == 0 && std::sqrt(ax * ax + ay * ay) < 17.0)
                    unterZeiger.push_back(f);
                if (f == karte.gewaehlteFlotte) karte.gewaehltesSchiff = i;
            }
            if (typenZaehlen)
                ++tab.typen[static_cast<std::size_t>(f)][static_cast<std::size_t>(typ)];
        }
        // Fleets stacked under the pointer: the first click takes the lowest, each further click
        // the next one of the stack, after the last the lowest again.
        if (!unterZeiger.empty()) {
            const auto drin = std::find(unterZeiger.begin(), unterZeiger.end(), karte.gewaehlteFlotte);
            const int f = drin == unterZeiger.end() || drin + 1 == unterZeiger.end() ? unterZeiger.front() : *(drin + 1);
            karte.gewaehlteFlotte = f;
            karte.gewaehltesSchiff = tab.vertreter[static_cast<std::size_t>(f)];
            rahmen.Mausereignis = 0;
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
            abgelehntZeichnen(rahmen, karte, systeme, Sternanzahl, scrollX, scrollY);
        }
        if (rahmen.Mausereignis == 2) {
            karte.gewaehlteFlotte = 0;
            karte.gewaehltesSchiff = 0;
            rahmen.Mausereignis = 0;
        }
    });
}

}  // namespace qz

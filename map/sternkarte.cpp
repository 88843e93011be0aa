#include "map/sternkarte.hpp"

#include "state/planetentypen.hpp"
#include "platform/errors.hpp"

#include <cstdlib>
#include <string>
#include <vector>

namespace qz {

namespace {

// a + INT(RND * span)
int ziehe(Platform& zufall, double span, double a)
{
    return static_cast<int>(zufall.rnd() * span + a);
}

int ziehe(Platform& zufall, Bereich b) { return b.von + static_cast<int>(zufall.rnd() * (b.bis - b.von + 1)); }

}  // namespace

void SUB_STERNSYSTEM_ERSTELLEN(Platform& zufall, Sternsysteme& s, int i, int W, int H)
{
    guarded([&] {
        s.pos(i, 1) = ziehe(zufall, W + 964, 30);
        s.pos(i, 2) = ziehe(zufall, H + 708, 30);
        s.besitzer(i) = 0;
        s.entdecker(i) = 0;
        const int typ = ziehe(zufall, 17, 1);
        s.typ(i) = typ;
        s.name(i) = "Planet X" + std::to_string(i);
        s.schild(i) = 0;
        const Planetentyp& t = planetentyp(typ);
        s.befestigungBasis(i) = t.befestigung;
        s.einwohnerBasis(i) = ziehe(zufall, t.einwohner);
        s.versorgungBasis(i) = ziehe(zufall, t.versorgung);
        s.forschungBasis(i) = ziehe(zufall, t.forschung);
        s.handelBasis(i) = ziehe(zufall, t.handel);
        s.werftBasis(i) = ziehe(zufall, t.werft);
    });
}

int hintergrundWaehlen(Platform& zufall) { return ziehe(zufall, 13, 1); }

int systemePlatzieren(Platform& zufall, Sternsysteme& s, int N, int W, int H)
{
    // The accepted positions, kept flat: the spacing test runs over them for every attempt.
    std::vector<int> xs, ys;
    xs.reserve(static_cast<std::size_t>(N > 0 ? N : 0));
    ys.reserve(xs.capacity());
    int versuche = 0;
    for (int i = 1; i <= N; ++i) {
        for (;;) {
            ++versuche;
            SUB_STERNSYSTEM_ERSTELLEN(zufall, s, i, W, H);
            s.befestigung(i) = s.befestigungBasis(i);
            s.befestigungMax(i) = s.befestigungBasis(i);
            const int x = s.pos(i, 1), y = s.pos(i, 2);
            bool frei = true;
            for (std::size_t j = 0; j < xs.size(); ++j) {
                if (xs[j] - 90 < x && x < xs[j] + 90 && ys[j] - 90 < y && y < ys[j] + 90) {
                    frei = false;
                    break;
                }
            }
            if (frei) {
                xs.push_back(x);
                ys.push_back(y);
                break;
            }
        }
    }
    return versuche;
}

bool heimatAbstandMehrspieler(const Sternsysteme& s, int k, int p)
{
    if (p < 2) return true;
    for (int j = s.besitzer.lo(); j <= s.besitzer.hi(); ++j) {
        if (s.besitzer(j) < 1 || s.typ(j) != kHeimatTyp) continue;
        if (std::abs(s.pos(k, 1) - s.pos(j, 1)) < 600 && std::abs(s.pos(k, 2) - s.pos(j, 2)) < 600) return false;
    }
    return true;
}

void heimatplanetenSetzen(Platform& zufall, Sternsysteme& s, int N, int P, const Heimatoptionen& optionen)
{
    for (int p = 1; p <= P; ++p) {
        bool irgendeinFreier = false;
        bool regelErfuellbar = !optionen.regel;
        for (int k = 1; k <= N; ++k) {
            if (s.besitzer(k) >= 1) continue;
            irgendeinFreier = true;
            if (!regelErfuellbar && optionen.regel(s, k, p)) regelErfuellbar = true;
        }
        if (!irgendeinFreier) return;
        const bool regelAnwenden = optionen.regel && regelErfuellbar;

        int k;
        do {
            k = ziehe(zufall, N, 1);
        } while (s.besitzer(k) >= 1 || (regelAnwenden && !optionen.regel(s, k, p)));

        s.name(k) = "Heimatplanet";
        s.besitzer(k) = p;
        s.typ(k) = kHeimatTyp;
        s.schild(k) = 0;
        s.befestigung(k) = 5000;
        if (optionen.sandkasten || p == optionen.generierenderSpieler) {
            s.befestigungBasis(k) = 5000;
            s.befestigungMax(k) = 5000;
        }
        const Planetentyp& heimat = planetentyp(kHeimatTyp);
        s.einwohner(k) = s.einwohnerBasis(k) = ziehe(zufall, heimat.einwohner);
        s.versorgung(k) = s.versorgungBasis(k) = ziehe(zufall, heimat.versorgung);
        s.forschung(k) = s.forschungBasis(k) = ziehe(zufall, heimat.forschung);
        s.handel(k) = s.handelBasis(k) = ziehe(zufall, heimat.handel);
        s.werft(k) = s.werftBasis(k) = ziehe(zufall, heimat.werft);
        if (optionen.sandkasten) s.entdecker(k) = 1;
    }
}

}  // namespace qz

#include "fleets/combat.hpp"

#include "gfx/text_numbers.hpp"
#include "gfx/widgets.hpp"
#include "platform/errors.hpp"

#include <vector>

namespace qz {

int kampfSchaden(const std::string& feuerkraftListe, int eigeneTeilnehmer)
{
    if (eigeneTeilnehmer < 1) return 0;
    std::vector<std::string> werte;
    const int anzahl = STRINGSPLIT(feuerkraftListe, ",", werte);
    double summe = 0.0;
    for (int k = 1; k <= anzahl; ++k) summe += textToInt(werte[static_cast<std::size_t>(k)]);
    return roundHalfEven(summe / eigeneTeilnehmer);
}

namespace {

// The selection names a fleet that must still exist: the search covers every own ship, not
// only the participants, because the fleet may have ships elsewhere (docked, or left behind).
void auswahlPruefen(int& gewaehlteFlotte, int& gewaehltesSchiff, const Feld<std::string>& typ,
                    const Feld<std::string>& flotte)
{
    const int letztes = std::min(typ.hi(), flotte.hi());
    int neueNummer = 0;  // the ship's number once the destroyed ships are dropped from the lists
    for (int k = 1; k <= letztes; ++k) {
        if (textToInt(typ(k)) <= 0) continue;
        ++neueNummer;
        if (textToInt(flotte(k)) == gewaehlteFlotte) {
            gewaehltesSchiff = neueNummer;
            return;
        }
    }
    gewaehlteFlotte = 0;
    gewaehltesSchiff = 0;
}

}  // namespace

void SUB_MP_KAMPF(int, int& gewaehlteFlotte, int& gewaehltesSchiff, Feld<std::string>& typ, Feld<std::string>& schild,
                  Feld<std::string>& huelle, Feld<std::string>& flotte, const std::string& eigeneSchiffe, int n,
                  const std::array<KampfGegner, 3>& gegner)
{
    guarded([&] {
        if (n < 1) return;
        std::array<int, 3> schaden{};
        for (std::size_t k = 0; k < gegner.size(); ++k)
            schaden[k] = gegner[k].anzahl > 0 ? kampfSchaden(gegner[k].feuerkraft, n) : 0;

        std::vector<std::string> nummern;
        const int gelistet = STRINGSPLIT(eigeneSchiffe, ",", nummern);
        bool verlust = false;
        for (int t = 1; t <= std::min(n, gelistet); ++t) {
            const int s = textToInt(nummern[static_cast<std::size_t>(t)]);
            long long sch = textToInt(schild(s));
            long long hue = textToInt(huelle(s));
            for (int d : schaden) {
                if (d <= 0) continue;
                if (sch > 0) {
                    if (sch >= d) {
                        sch -= d;
                    } else {
                        hue -= d - sch;
                        sch = 0;
                    }
                } else {
                    hue -= d;
                }
            }
            schild(s) = numberToText(sch);
            huelle(s) = numberToText(hue);
            if (hue < 1 && textToInt(typ(s)) > 0) {
                typ(s) = "0";
                flotte(s) = "0";
                verlust = true;
            }
        }
        if (verlust && gewaehlteFlotte > 0) auswahlPruefen(gewaehlteFlotte, gewaehltesSchiff, typ, flotte);
    });
}

}  // namespace qz

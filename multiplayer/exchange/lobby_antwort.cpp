#include "multiplayer/exchange/lobby_antwort.hpp"

#include "gfx/text_numbers.hpp"
#include "gfx/widgets.hpp"
#include "multiplayer/exchange/tagged_records.hpp"
#include "platform/errors.hpp"
#include "state/planetentypen.hpp"

#include <algorithm>
#include <vector>

namespace qz {

bool befestigungVonTyp(int typ, int& basis)
{
    switch (typ) {
    case 4: case 5: case 6: case 12: basis = 800; return true;
    case 1: case 9: case 10: case 16: basis = 1500; return true;
    case 2: case 3: case 7: case 8: case 11: case 17: basis = 2500; return true;
    case 13: case 14: case 15: case 18: basis = 3000; return true;
    case 42: basis = 5000; return true;
    default: return false;
    }
}

namespace {

// The star map may name at most as many systems as the arrays hold; the lists of a star map
// are long before the game starts, when Sternanzahl may still be the lobby's announced count.
template <class Anwenden>
void jedeListe(std::string_view antwort, const char* tag, Anwenden&& anwenden)
{
    std::vector<std::string> werte;
    const int n = listenRecordLesen(antwort, tag, werte);
    for (int i = 1; i <= n; ++i) {
        checkIndex(i, 1, kSystemKapazitaet);
        anwenden(i, werte[static_cast<std::size_t>(i)]);
    }
}

void zahlenListe(std::string_view antwort, const char* tag, Feld<int>& ziel)
{
    jedeListe(antwort, tag, [&](int i, const std::string& w) { ziel(i) = textToInt(w); });
}

}  // namespace

void sternkarteLesen(std::string_view antwort, Spielstand& spiel)
{
    Sternsysteme& s = spiel.systeme;
    jedeListe(antwort, "NAM", [&](int i, const std::string& w) { s.name(i) = w; });
    zahlenListe(antwort, "SLD", s.schild);
    zahlenListe(antwort, "BFG", s.befestigung);
    zahlenListe(antwort, "PAG", s.angegriffen);
    jedeListe(antwort, "POX", [&](int i, const std::string& w) { s.pos(i, 1) = textToInt(w); });
    jedeListe(antwort, "POY", [&](int i, const std::string& w) { s.pos(i, 2) = textToInt(w); });
    zahlenListe(antwort, "BES", s.besitzer);
    jedeListe(antwort, "TYP", [&](int i, const std::string& w) {
        const int typ = textToInt(w);
        if (!planetentypGueltig(typ)) return;
        s.typ(i) = typ;
        befestigungVonTyp(s.typ(i), s.befestigungBasis(i));
        s.befestigung(i) = s.befestigungBasis(i);
        s.befestigungMax(i) = s.befestigungBasis(i);
    });
    zahlenListe(antwort, "ENW", s.einwohnerBasis);
    zahlenListe(antwort, "VRS", s.versorgungBasis);
    zahlenListe(antwort, "FOP", s.forschungBasis);
    zahlenListe(antwort, "HDM", s.handelBasis);
    zahlenListe(antwort, "WFT", s.werftBasis);
    std::string stk;
    // Only the 13 pictures exist; another number would leave the running map without one.
    if (recordLesen(antwort, "STK", stk) && textToInt(stk) >= 1 && textToInt(stk) <= 13)
        spiel.hintergrund = textToInt(stk);
}

void lobbyAntwortAnwenden(std::string_view antwort, Spielstand& spiel, Mehrspieler& mp)
{
    guarded([&] {
        std::vector<std::string> felder;
        if (STRINGSPLIT(antwort, ";;", felder) > 2) {
            spiel.spielLaeuft = textToInt(felder[1]);
            // The arrays hold 500 systems; a larger count would fail every loop of the game.
            spiel.Sternanzahl = std::clamp(textToInt(felder[2]), 0, kSystemKapazitaet);
        }
        std::string sid;
        if (spiel.eigenerSpieler == 1 && mp.senden.SessionId.empty() && recordLesen(antwort, "sid", sid))
            mp.senden.SessionId = sid;

        std::vector<std::string> teile;
        for (int n = 1; n <= spiel.Spieleranzahl; ++n) {
            std::string record;
            if (!recordLesen(antwort, "SP" + std::to_string(n), record)) continue;
            teile.assign(5, "");
            std::vector<std::string> gelesen;
            STRINGSPLIT(record, ",", gelesen);
            for (std::size_t k = 0; k < gelesen.size() && k < teile.size(); ++k) teile[k] = gelesen[k];
            const std::string& name = teile[2];
            if (n == 1) {
                if (mp.wiedereinstieg && spiel.eigenerSpieler < 1 && !name.empty() && name == mp.LoginName)
                    spiel.eigenerSpieler = 1;
                mp.SpielerName(1) = name;
                spiel.spieler.spielerFarbe(1, 0) = textToInt(teile[3]);
                mp.BereitFlag(1) = textToInt(teile[4]);
                continue;
            }
            if (spiel.eigenerSpieler < 1 && !name.empty() && name == mp.LoginName) spiel.eigenerSpieler = n;
            if (name.empty()) {
                mp.SpielerName(n) = "Offen";
                spiel.spieler.spielerFarbe(n, 0) = 0;
                // A player who left must not count as ready for "Spiel Starten".
                mp.BereitFlag(n) = 0;
            } else {
                mp.SpielerName(n) = name;
                spiel.spieler.spielerFarbe(n, 0) = textToInt(teile[3]);
                mp.BereitFlag(n) = textToInt(teile[4]);
            }
        }
        if (spiel.eigenerSpieler != 1 || mp.wiedereinstieg) sternkarteLesen(antwort, spiel);
    });
}

}  // namespace qz

#include "multiplayer/exchange/kanal_liste_antwort.hpp"

#include "gfx/text_numbers.hpp"
#include "gfx/widgets.hpp"

#include <algorithm>
#include <vector>

namespace qz {

bool kanalListeLesen(const std::string& antwort, Mehrspieler& mp)
{
    std::vector<std::string> felder;
    STRINGSPLIT(antwort, ";;", felder);
    if (felder[0] != "channel_auflisten" || felder.size() < 7) return false;
    Feld<std::string>* listen[6] = {&mp.KanalIds,     &mp.KanalNamen,      &mp.KanalPasswoerter,
                                    &mp.KanalSpieler, &mp.KanalMaxSpieler, &mp.KanalSterne};
    // Lists of unequal length would let the rows read past the shorter ones: the list holds as
    // many channels as its shortest field.
    int anzahl = -1;
    for (int k = 0; k < 6; ++k) {
        const int n = STRINGSPLIT(felder[static_cast<std::size_t>(k + 1)], ",", *listen[k]);
        anzahl = anzahl < 0 ? n : std::min(anzahl, n);
    }
    // The seventh list comes only from a server that keeps seats for their logins.
    if (felder.size() > 7) {
        anzahl = std::min(anzahl, STRINGSPLIT(felder[7], ",", mp.KanalLaeuft));
    } else {
        mp.KanalLaeuft.redim(0, anzahl, "");
    }
    // The eighth only from a server that offers running games to watch.
    if (felder.size() > 8) {
        anzahl = std::min(anzahl, STRINGSPLIT(felder[8], ",", mp.KanalZuschauen));
    } else {
        mp.KanalZuschauen.redim(0, anzahl, "");
    }
    mp.KanalAnzahl = anzahl;
    return true;
}

void kanalBetreten(Spielstand& spiel, Mehrspieler& mp, int k)
{
    spiel.eigenerSpieler = 0;
    mp.senden.SessionId = mp.KanalIds(k);
    spiel.Spieleranzahl = std::clamp(textToInt(mp.KanalMaxSpieler(k)), 2, 4);
    for (int n = 1; n <= 4; ++n) {
        mp.SpielerName(n) = n > spiel.Spieleranzahl ? "Geschlossen" : "Offen";
        spiel.spieler.spielerFarbe(n, 0) = 0;
    }
    spiel.Sternanzahl = std::clamp(textToInt(mp.KanalSterne(k)), 0, kSystemKapazitaet);
    mp.SterneAngesagt = spiel.Sternanzahl;
    mp.wiedereinstieg = mp.KanalLaeuft(k) == "1";
}

}  // namespace qz

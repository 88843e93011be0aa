#include "multiplayer/session/mehrspieler.hpp"

#include "state/spielerfarben.hpp"

namespace qz {

Mehrspieler::Mehrspieler() { kanalZuruecksetzen(); }

void Mehrspieler::kanalZuruecksetzen()
{
    for (Feld<std::string>* liste : {&KanalIds, &KanalNamen, &KanalPasswoerter, &KanalSpieler, &KanalMaxSpieler,
                                     &KanalSterne, &KanalLaeuft, &KanalZuschauen})
        liste->redim(0, 0, "");
    KanalAnzahl = 0;
    KanalSeite = 1;
    KanalAuswahl = 0;
    wiedereinstieg = false;
    SpielerName.fill("");
    BereitFlag.fill(0);
    GewaehlteFarbe = 0;
    EigenesBereit = 0;
    SternkarteBereit = 0;
    startAusstehend = false;
    SterneAngesagt = 0;
    senden = Sendedaten{};
    chatFokus = 0;
    piSysteme.clear();
    piSchild.clear();
    piBefestigung.clear();
    chatUnterwegs = false;
    piUnterwegs = false;
    ohneAntwortSeit = -1.0;
    handelswegText.fill("");
    naechsterAustausch = 0.0;
    naechsterFlugschritt.fill(0.0);
    kartenNeuzeichnen = 0;
    handelNeuzeichnen = 0;
    reparaturAngefordert = 0;
    eigenerTeil.clear();
    teilUnterwegs = false;
    teilKopiert = false;
    eigenerTeilHolen = false;
    holenGesendet = false;
    // A copy still on its way is finished, never cut off: it is the player's last day.
    if (kopieGeschrieben.valid()) kopieGeschrieben.wait();
}

bool farbeVonIndex(int index, int& rot, int& gruen, int& blau)
{
    if (index < 1 || index > 8) return false;
    const Spielerfarbe farbe = spielerfarbe(index);
    rot = farbe.rot;
    gruen = farbe.gruen;
    blau = farbe.blau;
    return true;
}

}  // namespace qz

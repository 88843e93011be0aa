#include "multiplayer/mehrspieler.hpp"

namespace qz {

Mehrspieler::Mehrspieler() { kanalZuruecksetzen(); }

void Mehrspieler::kanalZuruecksetzen()
{
    for (Feld<std::string>* liste : {&KanalIds, &KanalNamen, &KanalPasswoerter, &KanalSpieler, &KanalMaxSpieler,
                                     &KanalSterne})
        liste->redim(0, 0, "");
    KanalAnzahl = 0;
    KanalSeite = 1;
    KanalAuswahl = 0;
    SpielerName.fill("");
    BereitFlag.fill(0);
    GewaehlteFarbe = 0;
    EigenesBereit = 0;
    SternkarteBereit = 0;
    SterneAngesagt = 0;
    senden = Sendedaten{};
    chatFokus = 0;
    piSysteme.clear();
    piSchild.clear();
    piBefestigung.clear();
    handelswegText.fill("");
    naechsterAustausch = 0.0;
    naechsterFlugschritt.fill(0.0);
    kartenNeuzeichnen = 0;
    handelNeuzeichnen = 0;
    reparaturAngefordert = 0;
}

bool farbeVonIndex(int index, int& rot, int& gruen, int& blau)
{
    static const int kPalette[8][3] = {{148, 0, 255}, {255, 0, 0},   {36, 219, 0},  {0, 255, 230},
                                       {245, 255, 0}, {255, 137, 0}, {0, 120, 255}, {246, 0, 255}};
    if (index < 1 || index > 8) return false;
    rot = kPalette[index - 1][0];
    gruen = kPalette[index - 1][1];
    blau = kPalette[index - 1][2];
    return true;
}

}  // namespace qz

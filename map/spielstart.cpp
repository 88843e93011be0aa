#include "map/spielstart.hpp"
#include "platform/folders.hpp"

#include "state/planetentypen.hpp"
#include "map/reset_routinen.hpp"
#include "map/sternkarte.hpp"

#include <string>

namespace qz {

void spielVerwerfen(Rahmen& r, Spielstand& spiel)
{
    Wirtschaft& w = spiel.wirtschaft;
    Kartenzustand& k = spiel.karte;
    w.geld = 2000;
    w.vorrat = 500;
    w.naechsterTag = 0.0;
    k.gewaehlteFlotte = 0;
    k.gewaehltesSchiff = 0;
    k.abdockFlotte = 0;
    w.einnahmen = w.forschungskosten = w.versorgungsertrag = w.versorgungsverbrauch = w.forschungsertrag = 0;
    w.forschungspunkte = w.forschungsetat = w.forschungsausgaben = w.spieltag = 0;
    // A route still being computed belongs to a fleet of the discarded game.
    k.routenauftrag = Routenauftrag{};

    r.Hintergrundbild.reset();
    for (int p = 1; p <= 4; ++p) {
        for (int t = 1; t <= 8; ++t) r.Schiffbild(p, t).reset();
        spiel.spieler.bewegungsIntervall(p) = 0.12;
    }
    k.scanOverlay.reset();
    k.handelOverlay.reset();
    k.handelsliste.clear();

    for (int t = 1; t <= 12; ++t) {
        ForschungsThema& thema = spiel.forschung.thema(t);
        thema.aktiv = 0;
        thema.stufe = 0;
        thema.fortschritt = 0;
    }
    spiel.forschung.aktiveThemen = 0;

    spielZuruecksetzen(spiel);
}

void neuesSpielZuruecksetzen(Rahmen& r, Spielstand& spiel)
{
    spiel.eigenerSpieler = 1;
    spiel.spielLaeuft = 0;
    spiel.Spieleranzahl = 1;
    spiel.hintergrund = 1;
    spiel.Sternanzahl = 200;
    spiel.spieler.spielerFarbe(1, 0) = 1;
    spiel.spieler.parkOffset(1, 1) = 0;
    spiel.spieler.parkOffset(1, 2) = 20;
    spielVerwerfen(r, spiel);
}

void ansichtZentrieren(Spielstand& spiel, int x, int y)
{
    spiel.scrollX = x - 512;
    spiel.scrollY = y - 384;
    if (spiel.scrollX < 0) spiel.scrollX = 0;
    if (spiel.scrollX > 1536) spiel.scrollX = 1536;
    if (spiel.scrollY < 0) spiel.scrollY = 0;
    if (spiel.scrollY > 832) spiel.scrollY = 943;
}

void ansichtAufHeimat(Spielstand& spiel)
{
    const Sternsysteme& s = spiel.systeme;
    for (int i = 1; i <= spiel.Sternanzahl; ++i) {
        if (s.besitzer(i) == spiel.eigenerSpieler && s.typ(i) == kHeimatTyp) {
            ansichtZentrieren(spiel, s.pos(i, 1), s.pos(i, 2));
            return;
        }
    }
}

void spielStarten(Rahmen& r, Spielstand& spiel, const Bildquellen& quellen)
{
    Platform& zufall = r.platform;
    r.Unterzustand.clear();
    spiel.eigenerSpieler = 1;
    spiel.spielLaeuft = 1;

    zufall.randomize(zufall.timer());
    spiel.hintergrund = hintergrundWaehlen(zufall);

    const int W = spiel.hintergrundGroesse(spiel.hintergrund, 1);
    const int H = spiel.hintergrundGroesse(spiel.hintergrund, 2);
    spiel.karte.kartenBreite = W + 1024;
    spiel.karte.kartenHoehe = H + 768;

    systemePlatzieren(zufall, spiel.systeme, spiel.Sternanzahl, W, H);
    heimatplanetenSetzen(zufall, spiel.systeme, spiel.Sternanzahl, spiel.Spieleranzahl, Heimatoptionen{});
    ansichtAufHeimat(spiel);
    spielBilderLaden(r, spiel, quellen);
}

void spielBilderLaden(Rahmen& r, const Spielstand& spiel, const Bildquellen& quellen)
{
    r.Hintergrundbild = quellen.jpeg(dataFile("material/2/" + std::to_string(spiel.hintergrund) + ".orn-games"));
    for (int p = 1; p <= 4; ++p)
        for (int t = 1; t <= 8; ++t) r.Schiffbild(p, t).reset();
    const std::string ordner =
        dataFile("material/4/" + std::to_string(spiel.spieler.spielerFarbe(spiel.eigenerSpieler, 0))) + "/";
    for (int t = 1; t <= 8; ++t)
        r.Schiffbild(spiel.eigenerSpieler, t) = quellen.png(ordner + std::to_string(t) + ".orn-games");
}

}  // namespace qz

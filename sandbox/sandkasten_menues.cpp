#include "sandbox/sandkasten_menues.hpp"

#include "frame/klang.hpp"
#include "state/spielerfarben.hpp"
#include "map/spielstart.hpp"

#include <string>

namespace qz {

namespace {

constexpr Farbe kWeiss = 0xFFFFFF;
constexpr Farbe kGesperrt = 0x3B3B3B;

void knopf(Rahmen& r, int y, const char* text)
{
    r.zeichne(r.Oberflaechenbild(11), 434, y);
    r.textMittig(512, y + 6, text);
}

// Drawn as a button, greyed out: the game has no save games.
void gesperrterKnopf(Rahmen& r, int y, const char* text)
{
    r.zeichne(r.Oberflaechenbild(11), 434, y);
    filledBox(r.screen(), 440, y + 6, 583, y + 19, kGesperrt);
    r.textMittig(512, y + 6, text);
}

bool geklickt(const Rahmen& r, int x1, int x2, int y1, int y2)
{
    return r.Mausereignis == 1 && inBox(r.MausX, r.MausY, x1, x2, y1, y2);
}

bool knopfGeklickt(const Rahmen& r, int y) { return geklickt(r, 434, 590, y, y + 25); }

void treffer(Rahmen& r)
{
    r.Mausereignis = 0;
    playClick(r);
}

// One value row of the new-game screen: the field, and each arrow while the value can move that way.
void wertZeile(Rahmen& r, int feldY, bool weniger, bool mehr)
{
    r.zeichne(r.Oberflaechenbild(18), 449, feldY);
    if (weniger) r.zeichne(r.Oberflaechenbild(3), 458, feldY + 5);
    if (mehr) r.zeichne(r.Oberflaechenbild(4), 541, feldY + 5);
}

}  // namespace

void menueEingabe(Rahmen& r, Spielstand& spiel)
{
    const bool laeuft = spiel.spielLaeuft == 1;
    if (knopfGeklickt(r, 218)) {
        neuesSpielZuruecksetzen(r, spiel);
        r.Unterzustand = "erstellen";
        treffer(r);
    } else if (knopfGeklickt(r, 272)) {
        treffer(r);  // "Spiel Laden": there is nothing to load
    } else if (laeuft && knopfGeklickt(r, 326)) {
        treffer(r);  // "Spiel Speichern": nothing is saved
    } else if (laeuft && knopfGeklickt(r, 380)) {
        r.Unterzustand = "option";
        treffer(r);
    } else if (laeuft && knopfGeklickt(r, 434)) {
        r.Unterzustand.clear();
        treffer(r);
    } else if (laeuft && knopfGeklickt(r, 488)) {
        r.Unterzustand = "esc";
        treffer(r);
    } else if (!laeuft && knopfGeklickt(r, 326)) {
        r.Unterzustand = "esc";
        treffer(r);
    }
}

void menueZeichnen(Rahmen& r, const Spielstand& spiel)
{
    r.zeichne(r.Oberflaechenbild(19), 312, 184);
    knopf(r, 218, "Neues Spiel");
    gesperrterKnopf(r, 272, "Spiel Laden");
    if (spiel.spielLaeuft == 1) {
        gesperrterKnopf(r, 326, "Spiel Speichern");
        knopf(r, 380, "Option");
        knopf(r, 434, "Zum Spiel");
        knopf(r, 488, "Spiel Beenden");
    } else {
        knopf(r, 326, "Zum Hauptmen\x81");
    }
}

void bestaetigungEingabe(Rahmen& r, Spielstand& spiel)
{
    if (geklickt(r, 382, 502, 272, 302)) {
        r.Programmzustand = "hauptmenu";
        r.Unterzustand.clear();
        spiel.spielLaeuft = 0;
        spielVerwerfen(r, spiel);
        treffer(r);
    } else if (geklickt(r, 522, 642, 272, 302)) {
        r.Unterzustand = "hauptmenu";
        treffer(r);
    }
}

void bestaetigungZeichnen(Rahmen& r)
{
    r.zeichne(r.Oberflaechenbild(19), 312, 184);
    knopf(r, 218, "Zum Hauptmen\x81?");
    r.zeichne(r.Oberflaechenbild(18), 382, 272);
    r.textMittig(442, 280, "Ja");
    r.zeichne(r.Oberflaechenbild(18), 522, 272);
    r.textMittig(582, 280, "Nein");
}

void erstellenEingabe(Rahmen& r, Spielstand& spiel, const Bildquellen& quellen)
{
    int& farbe = spiel.spieler.spielerFarbe(spiel.eigenerSpieler, 0);
    if (knopfGeklickt(r, 218)) {
        r.Unterzustand = "hauptmenu";
        treffer(r);
    } else if (spiel.Sternanzahl > 50 && geklickt(r, 458, 478, 304, 324)) {
        spiel.Sternanzahl -= 50;
        treffer(r);
    } else if (spiel.Sternanzahl < 200 && geklickt(r, 541, 561, 304, 324)) {
        spiel.Sternanzahl += 50;
        treffer(r);
    } else if (farbe > 1 && geklickt(r, 458, 478, 395, 415)) {
        farbe -= 1;
        treffer(r);
    } else if (farbe < 8 && geklickt(r, 541, 561, 395, 415)) {
        farbe += 1;
        treffer(r);
    } else if (knopfGeklickt(r, 449)) {
        treffer(r);
        spielStarten(r, spiel, quellen);
    }
}

void erstellenZeichnen(Rahmen& r, Spielstand& spiel)
{
    const int p = spiel.eigenerSpieler;
    const int farbe = spiel.spieler.spielerFarbe(p, 0);
    const Spielerfarbe f = spielerfarbe(farbe);
    spiel.spieler.spielerFarbe(p, 1) = f.rot;
    spiel.spieler.spielerFarbe(p, 2) = f.gruen;
    spiel.spieler.spielerFarbe(p, 3) = f.blau;

    r.zeichne(r.Oberflaechenbild(19), 312, 184);
    knopf(r, 218, "Zur\x81" "ck");
    knopf(r, 272, "Sternanzahl");
    wertZeile(r, 299, spiel.Sternanzahl > 50, spiel.Sternanzahl < 200);
    r.textMittig(509, 307, std::to_string(spiel.Sternanzahl), kWeiss);
    knopf(r, 363, "Spielerfarbe");
    wertZeile(r, 390, farbe > 1, farbe < 8);
    filledBox(r.screen(), 499, 395, 519, 415, rgb(f.rot, f.gruen, f.blau));
    knopf(r, 449, "Spiel Starten");
}

}  // namespace qz

#include "sandbox/sandkasten_menues.hpp"

#include "sandbox/menue_knoepfe.hpp"
#include "state/spielerfarben.hpp"
#include "map/spielstart.hpp"

#include <string>

namespace qz {

namespace {

constexpr Farbe kWeiss = 0xFFFFFF;

// One value row of the new-game screen: the field, and each arrow while the value can move that way.
void wertZeile(Rahmen& r, int feldY, bool weniger, bool mehr)
{
    r.zeichne(r.Oberflaechenbild(18), 449, feldY);
    if (weniger) r.zeichne(r.Oberflaechenbild(3), 458, feldY + 5);
    if (mehr) r.zeichne(r.Oberflaechenbild(4), 541, feldY + 5);
}

}  // namespace

void menueEingabe(Rahmen& r, Spielstand& spiel, Speichermenue& speicher)
{
    const bool laeuft = spiel.spielLaeuft == 1;
    if (knopfGeklickt(r, 218, tr("Neues Spiel"))) {
        neuesSpielZuruecksetzen(r, spiel);
        r.Unterzustand = "erstellen";
        treffer(r);
    } else if (knopfGeklickt(r, 272, tr("Spiel Laden"))) {
        speichermenueOeffnen(r, speicher, "laden");
        treffer(r);
    } else if (laeuft && knopfGeklickt(r, 326, tr("Spiel Speichern"))) {
        speichermenueOeffnen(r, speicher, "speichern");
        treffer(r);
    } else if (laeuft && knopfGeklickt(r, 380, tr("Option"))) {
        r.Unterzustand = "option";
        treffer(r);
    } else if (laeuft && knopfGeklickt(r, 434, tr("Zum Spiel"))) {
        r.Unterzustand.clear();
        treffer(r);
    } else if (laeuft && knopfGeklickt(r, 488, tr("Spiel Beenden"))) {
        r.Unterzustand = "esc";
        treffer(r);
    } else if (!laeuft && knopfGeklickt(r, 326, tr("Gegen den Computer"))) {
        // A game against computer players runs in the multiplayer mode, on a private server.
        r.Programmzustand = "multiplayer";
        r.Unterzustand = "computer";
        treffer(r);
    } else if (!laeuft && knopfGeklickt(r, 380, tr("Zum Hauptmen\x81"))) {
        r.Unterzustand = "esc";
        treffer(r);
    }
}

void menueZeichnen(Rahmen& r, const Spielstand& spiel)
{
    r.zeichne(r.Oberflaechenbild(19), 312, 184);
    knopf(r, 218, tr("Neues Spiel"));
    knopf(r, 272, tr("Spiel Laden"));
    if (spiel.spielLaeuft == 1) {
        knopf(r, 326, tr("Spiel Speichern"));
        knopf(r, 380, tr("Option"));
        knopf(r, 434, tr("Zum Spiel"));
        knopf(r, 488, tr("Spiel Beenden"));
    } else {
        knopf(r, 326, tr("Gegen den Computer"));
        knopf(r, 380, tr("Zum Hauptmen\x81"));
    }
}

void bestaetigungEingabe(Rahmen& r, Spielstand& spiel)
{
    if (kleinerKnopfGeklickt(r, 382, 272, tr("Ja"))) {
        r.Programmzustand = "hauptmenu";
        r.Unterzustand.clear();
        spiel.spielLaeuft = 0;
        spielVerwerfen(r, spiel);
        treffer(r);
    } else if (kleinerKnopfGeklickt(r, 522, 272, tr("Nein"))) {
        r.Unterzustand = "hauptmenu";
        treffer(r);
    }
}

void bestaetigungZeichnen(Rahmen& r)
{
    r.zeichne(r.Oberflaechenbild(19), 312, 184);
    knopf(r, 218, tr("Zum Hauptmen\x81?"));
    kleinerKnopf(r, 382, 272, tr("Ja"));
    kleinerKnopf(r, 522, 272, tr("Nein"));
}

void erstellenEingabe(Rahmen& r, Spielstand& spiel, const Bildquellen& quellen)
{
    int& farbe = spiel.spieler.spielerFarbe(spiel.eigenerSpieler, 0);
    if (knopfGeklickt(r, 218, tr("Zur\x81" "ck"))) {
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
    } else if (knopfGeklickt(r, 449, tr("Spiel Starten"))) {
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
    knopf(r, 218, tr("Zur\x81" "ck"));
    knopf(r, 272, tr("Sternanzahl"));
    wertZeile(r, 299, spiel.Sternanzahl > 50, spiel.Sternanzahl < 200);
    r.textMittig(509, 307, std::to_string(spiel.Sternanzahl), kWeiss);
    knopf(r, 363, tr("Spielerfarbe"));
    wertZeile(r, 390, farbe > 1, farbe < 8);
    filledBox(r.screen(), 499, 395, 519, 415, rgb(f.rot, f.gruen, f.blau));
    knopf(r, 449, tr("Spiel Starten"));
}

}  // namespace qz

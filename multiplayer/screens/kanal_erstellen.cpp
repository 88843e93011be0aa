// Creating a channel: the player count 2..4, whether and how far behind others may watch the
// game, the channel's name and password, "Erstellen". Nothing is posted here; the lobby
// creates the channel on the server.
#include "multiplayer/screens/meldung_anzeige.hpp"
#include "gfx/text_numbers.hpp"
#include "gfx/widgets.hpp"
#include "multiplayer/session/meldung.hpp"
#include "multiplayer/screens/mp_screens.hpp"
#include "multiplayer/screens/mp_widgets.hpp"

namespace qz {

namespace {

bool leerNachTrimmen(const std::string& text) { return text.find_first_not_of(' ') == std::string::npos; }

constexpr int kZuschauerY = 330;

const Text& zuschauerText(int sekunden)
{
    if (sekunden <= 0) return tr("Zuschauer: aus");
    if (sekunden <= 60) return tr("Zuschauer: 1 Minute verz\x94gert");
    return tr("Zuschauer: 5 Minuten verz\x94gert");
}

// A click on the choice goes on to the next: 1 minute, 5 minutes, none.
int naechsteZuschauerwahl(int sekunden) { return sekunden == 60 ? 300 : sekunden == 300 ? 0 : 60; }

}  // namespace

void kanalErstellenScreen(Rahmen& r, Spielstand& spiel, Mehrspieler& mp)
{
    if (knopfKlick(r, 218, tr("Zur\x81" "ck"))) r.Unterzustand = "hauptmenu";
    if (spiel.Spieleranzahl > 2 && klick(r, 461, 481, 304, 324)) spiel.Spieleranzahl -= 1;
    if (spiel.Spieleranzahl < 4 && klick(r, 544, 564, 304, 324)) spiel.Spieleranzahl += 1;
    if (knopfKlick(r, kZuschauerY, zuschauerText(mp.KanalZuschauer)))
        mp.KanalZuschauer = naechsteZuschauerwahl(mp.KanalZuschauer);
    if (tasteLosgelassen(r, scan::Tab, mp.tabGehalten)) mp.Eingabefokus = naechsterFokus(mp.Eingabefokus);
    if (feldKlick(r, 363, mp.KanalName, tr("Name (Max 10 Z.)"))) mp.Eingabefokus = 1;
    else if (feldKlick(r, 388, mp.KanalPasswort, tr("Passwort?"))) mp.Eingabefokus = 2;
    else if (kleinerKnopfKlick(r, 452, 413, tr("Erstellen"))) mp.Eingabefokus = 3;

    const bool ohneNamen = mp.Eingabefokus == 3 && mp.KanalName.empty();
    if (mp.Eingabefokus == 3 && !leerNachTrimmen(mp.KanalName)) {
        r.Unterzustand = "channel";
        mp.Eingabefokus = 0;
        mp.SpielerName(1) = mp.LoginName;
        mp.SpielerName(2) = "Offen";
        mp.SpielerName(3) = spiel.Spieleranzahl >= 3 ? "Offen" : "Geschlossen";
        mp.SpielerName(4) = spiel.Spieleranzahl >= 4 ? "Offen" : "Geschlossen";
    }

    r.platform.screenLock();
    clear(r.screen());
    r.zeichne(r.Oberflaechenbild(19), 312, 184);
    menueKnopf(r, 218, tr("Zur\x81" "ck"));
    menueKnopf(r, 272, tr("Spieleranzahl"));
    r.zeichne(r.Oberflaechenbild(18), 452, 299);
    if (spiel.Spieleranzahl > 2) r.zeichne(r.Oberflaechenbild(3), 461, 304);
    if (spiel.Spieleranzahl < 4) r.zeichne(r.Oberflaechenbild(4), 544, 304);
    r.textMittig(512, 307, numberToText(spiel.Spieleranzahl));
    menueKnopf(r, kZuschauerY, zuschauerText(mp.KanalZuschauer));
    if (mp.Eingabefokus == 1) SUB_EINGABE(r.LetzteTaste, mp.KanalName, "channelname");
    if (mp.Eingabefokus == 2) SUB_EINGABE(r.LetzteTaste, mp.KanalPasswort, "channelpasswort");
    textFeld(r, 363, mp.KanalName, tr("Name (Max 10 Z.)"), mp.Eingabefokus == 1);
    textFeld(r, 388, mp.KanalPasswort, tr("Passwort?"), mp.Eingabefokus == 2);
    if (ohneNamen) box(r.screen(), 434, 363, 589, 387, 0xFFA52A2A);
    kleinerKnopf(r, 452, 413, tr("Erstellen"));
    if (mp.Eingabefokus == 3) box(r.screen(), 452, 413, 571, 442, 0xFFFFFFFF);
    meldungZeichnen(r, mp, kMeldungMenueY);
    r.platform.screenUnlock();
    if (r.Mausereignis == 1 || r.Mausereignis == 2) r.Mausereignis = 0;
}

}  // namespace qz

// The login screen: the "Server" field, "Verbindungsaufbau" until the server answers the online
// check ("Server nicht erreichbar" in red while it cannot be reached), then the user name, the
// masked password and "Login".
#include "multiplayer/screens/meldung_anzeige.hpp"
#include "frame/klang.hpp"
#include "gfx/widgets.hpp"
#include "multiplayer/session/meldung.hpp"
#include "multiplayer/exchange/server_exchange.hpp"
#include "multiplayer/screens/mp_screens.hpp"
#include "multiplayer/screens/mp_widgets.hpp"
#include "multiplayer/exchange/spiel_anfrage.hpp"
#include "multiplayer/exchange/lobby_anfragen.hpp"
#include "net/server_address.hpp"

#include <algorithm>
#include <vector>

namespace qz {

namespace {

constexpr int kServerFeldY = 245;  // between "Zurück" and the user name

void antwortLesen(Serverdaten& server, Rahmen& rahmen, Mehrspieler& mp)
{
    const std::string antwort = takeReply(server);
    if (antwort.empty() || !fehlerMelden(antwort, mp, rahmen.platform.timer()).empty()) return;
    std::vector<std::string> felder;
    STRINGSPLIT(antwort, ";;", felder);
    if (felder[0] == "onlinecheck" && felder.size() > 1 && felder[1] == "online") {
        std::lock_guard lock(server.Datenmutex);
        server.Serveronline = 1;
    } else if (felder[0] == "loginok") {
        rahmen.Unterzustand = "hauptmenu";
        mp.gemerkterName = mp.LoginName;
    } else if (felder[0] == "loginerror") {
        mp.LoginName.clear();
        mp.LoginMaske.clear();
        mp.LoginPasswort.clear();
    }
}

struct Serverstand {
    bool online = false;
    bool unerreichbar = false;
};

Serverstand serverstand(Serverdaten& server)
{
    std::lock_guard lock(server.Datenmutex);
    return {server.Serveronline == 1, server.Unerreichbar == serverAddressText(server.Serveradresse)};
}

// Leaving the "Server" field takes its text as the server; the empty field stands for the
// server the game was built for. Another server starts again with the online check at once.
void serverUebernehmen(Serverdaten& server, Mehrspieler& mp, double jetzt)
{
    const std::optional<ServerAddress> adresse =
        mp.Servertext.empty() ? ServerAddress{kServerHost, kServerPort} : parseServerAddress(mp.Servertext);
    mp.serverUngueltig = !adresse;
    if (!adresse) return;
    mp.Servertext = serverAddressText(*adresse);
    mp.gemerkterServer = *adresse == ServerAddress{kServerHost, kServerPort} ? std::string() : mp.Servertext;
    std::lock_guard lock(server.Datenmutex);
    if (*adresse != server.Serveradresse) {
        server.Serveradresse = *adresse;
        server.Serveronline = 0;
        server.Unerreichbar.clear();
    }
    server.Signalzeit = jetzt;
}

// The end of a long address is where the player types: the field shows its last characters.
std::string_view feldende(std::string_view text)
{
    constexpr std::size_t kZeichen = 19;  // 156 pixels of 8-pixel characters
    return text.size() > kZeichen ? text.substr(text.size() - kZeichen) : text;
}

}  // namespace

void loginScreen(Rahmen& r, Serverdaten& server, Mehrspieler& mp)
{
    const double jetzt = r.platform.timer();
    const int fokusVorher = mp.Eingabefokus;
    const bool geklickt = r.Mausereignis == 1;
    if (knopfKlick(r, 218, tr("Zur\x81" "ck"))) {
        r.Programmzustand = "hauptmenu";
        r.Unterzustand.clear();
        mp.Eingabefokus = 0;
    }
    if (feldKlick(r, kServerFeldY, feldende(mp.Servertext), tr("Server"))) mp.Eingabefokus = 4;
    else if (mp.Eingabefokus == 4 && (geklickt || r.LetzteTaste == "\r")) mp.Eingabefokus = 0;
    antwortLesen(server, r, mp);

    const bool online = serverstand(server).online;
    if (online) {
        if (tasteLosgelassen(r, scan::Tab, mp.tabGehalten)) mp.Eingabefokus = naechsterFokus(mp.Eingabefokus);
        if (feldKlick(r, 272, mp.LoginName, tr("Benutzername"))) mp.Eingabefokus = 1;
        else if (feldKlick(r, 297, mp.LoginMaske, tr("Passwort"))) mp.Eingabefokus = 2;
        else if (kleinerKnopfKlick(r, 452, 322, tr("Login"))) mp.Eingabefokus = 3;
        if (!mp.LoginName.empty() && !mp.LoginMaske.empty() && mp.Eingabefokus == 3 && jetzt >= server.Signalzeit) {
            server.Signalzeit = jetzt + 5.0;
            const bool gesendet = postRequest(server, [&](Feld<KVP>& get, Feld<KVP>& post) {
                anmeldungSchreiben(get, post, mp.LoginName, mp.LoginPasswort);
            });
            if (gesendet) mp.Eingabefokus = 0;
        }
    } else if (jetzt >= server.Signalzeit) {
        server.Signalzeit = jetzt + 5.0;
        postRequest(server, [](Feld<KVP>& get, Feld<KVP>& post) {
            setzePaar(get, 1, "", "");
            setzePaar(post, 1, "infos", "onlinecheck");
        });
    }

    if (fokusVorher == 4 && mp.Eingabefokus != 4) serverUebernehmen(server, mp, jetzt);
    const Serverstand stand = serverstand(server);

    r.platform.screenLock();
    clear(r.screen());
    r.zeichne(r.Oberflaechenbild(19), 312, 184);
    menueKnopf(r, 218, tr("Zur\x81" "ck"));
    if (mp.Eingabefokus == 4) SUB_EINGABE(r.LetzteTaste, mp.Servertext, "server");
    // The label ends left of the field, whatever its length.
    const Text& serverLabel = tr("Server");
    r.text(std::min(378, 430 - textBreite(serverLabel)), kServerFeldY + 6, serverLabel);
    textFeld(r, kServerFeldY, feldende(mp.Servertext), tr("Server"), mp.Eingabefokus == 4);
    if (stand.online) {
        if (mp.Eingabefokus == 1) SUB_EINGABE(r.LetzteTaste, mp.LoginName, "loginname");
        if (mp.Eingabefokus == 2) {
            SUB_EINGABE(r.LetzteTaste, mp.LoginPasswort, "passwort");
            if (mp.LoginPasswort.size() != mp.LoginMaske.size() && mp.LoginPasswort.size() < 16)
                mp.LoginMaske.assign(mp.LoginPasswort.size(), '*');
        }
        textFeld(r, 272, mp.LoginName, tr("Benutzername"), mp.Eingabefokus == 1);
        textFeld(r, 297, mp.LoginMaske, tr("Passwort"), mp.Eingabefokus == 2);
        kleinerKnopf(r, 452, 322, tr("Login"));
        if (mp.Eingabefokus == 3) box(r.screen(), 452, 322, 571, 351, 0xFFFFFFFF);
        r.textMittig(512, 380, tr("Server Online"), 0x00CD00);
    } else if (mp.serverUngueltig || stand.unerreichbar) {
        r.textMittig(512, 300, tr("Server nicht erreichbar"), 0xFF0000);
    } else {
        r.textMittig(512, 300, tr("Verbindungsaufbau"));
    }
    meldungZeichnen(r, mp, kMeldungMenueY);
    r.platform.screenUnlock();
    if (r.Mausereignis == 1 || r.Mausereignis == 2) r.Mausereignis = 0;
}

}  // namespace qz

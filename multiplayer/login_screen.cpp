// The login screen: "Verbindungsaufbau" until the server answers the online check, then the
// user name, the masked password and "Login".
#include "frame/klang.hpp"
#include "gfx/widgets.hpp"
#include "multiplayer/meldung.hpp"
#include "multiplayer/server_exchange.hpp"
#include "multiplayer/mp_screens.hpp"
#include "multiplayer/mp_widgets.hpp"
#include "multiplayer/spiel_anfrage.hpp"
#include "net/md5.hpp"

#include <vector>

namespace qz {

namespace {

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
    } else if (felder[0] == "loginerror") {
        mp.LoginName.clear();
        mp.LoginMaske.clear();
        mp.LoginPasswort.clear();
    }
}

bool serverOnline(Serverdaten& server)
{
    std::lock_guard lock(server.Datenmutex);
    return server.Serveronline == 1;
}

}  // namespace

void loginScreen(Rahmen& r, Serverdaten& server, Mehrspieler& mp)
{
    const double jetzt = r.platform.timer();
    if (knopfKlick(r, 218, 243)) {
        r.Programmzustand = "hauptmenu";
        r.Unterzustand.clear();
        mp.Eingabefokus = 0;
    }
    antwortLesen(server, r, mp);

    const bool online = serverOnline(server);
    if (online) {
        if (tasteLosgelassen(r, scan::Tab, mp.tabGehalten)) mp.Eingabefokus = naechsterFokus(mp.Eingabefokus);
        if (knopfKlick(r, 272, 297)) mp.Eingabefokus = 1;
        else if (knopfKlick(r, 297, 322)) mp.Eingabefokus = 2;
        else if (klick(r, 452, 572, 322, 352)) mp.Eingabefokus = 3;
        if (!mp.LoginName.empty() && !mp.LoginMaske.empty() && mp.Eingabefokus == 3 && jetzt >= server.Signalzeit) {
            server.Signalzeit = jetzt + 5.0;
            const bool gesendet = postRequest(server, [&](Feld<KVP>& get, Feld<KVP>& post) {
                setzePaar(get, 1, "", "");
                setzePaar(post, 1, "infos", "login");
                setzePaar(post, 2, "i1", mp.LoginName);
                setzePaar(post, 3, "i2", CREATEHASH(mp.LoginPasswort));
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

    r.platform.screenLock();
    clear(r.screen());
    r.zeichne(r.Oberflaechenbild(19), 312, 184);
    menueKnopf(r, 218, "Zur\x81" "ck");
    if (online) {
        if (mp.Eingabefokus == 1) SUB_EINGABE(r.LetzteTaste, mp.LoginName, "loginname");
        if (mp.Eingabefokus == 2) {
            SUB_EINGABE(r.LetzteTaste, mp.LoginPasswort, "passwort");
            if (mp.LoginPasswort.size() != mp.LoginMaske.size() && mp.LoginPasswort.size() < 16)
                mp.LoginMaske.assign(mp.LoginPasswort.size(), '*');
        }
        textFeld(r, 272, mp.LoginName, "Benutzername", mp.Eingabefokus == 1);
        textFeld(r, 297, mp.LoginMaske, "Passwort", mp.Eingabefokus == 2);
        kleinerKnopf(r, 452, 322, 512, "Login");
        if (mp.Eingabefokus == 3) box(r.screen(), 452, 322, 571, 351, 0xFFFFFFFF);
        r.textMittig(512, 380, "Server Online", 0x00CD00);
    } else {
        r.textMittig(512, 300, "Verbindungsaufbau");
    }
    meldungZeichnen(r, mp, kMeldungMenueY);
    r.platform.screenUnlock();
    if (r.Mausereignis == 1 || r.Mausereignis == 2) r.Mausereignis = 0;
}

}  // namespace qz

#include "multiplayer/exchange/spiel_anfrage.hpp"

#include "gfx/text_numbers.hpp"
#include "net/base64.hpp"

#include <algorithm>

namespace qz {

void setzePaar(Feld<KVP>& tabelle, int eintrag, const std::string& key, const std::string& value)
{
    tabelle(eintrag).Key = key;
    tabelle(eintrag).Value = key.empty() ? std::string{} : value;
}

namespace {

void schiffeSchreiben(Feld<KVP>& post, const Spielstand& spiel)
{
    const SchiffListen& l = spiel.schiffe;
    if (l[kFlotte].empty()) {
        setzePaar(post, 11, "si0", "nok");
        return;
    }
    setzePaar(post, 11, "si0", "ok");
    setzePaar(post, 4, "si1", l[kTyp]);
    setzePaar(post, 5, "si2", l[kAngedockt]);
    setzePaar(post, 6, "si3", l[kOrt]);
    setzePaar(post, 7, "si4", l[kRoute]);
    setzePaar(post, 8, "si5", l[kFlotte]);
    setzePaar(post, 9, "si6", l[kX]);
    setzePaar(post, 10, "si7", l[kY]);
    setzePaar(post, 12, "si8", numberToText(spiel.spieler.hoechsteFlotte(spiel.eigenerSpieler)));
    // The count of the lists actually sent, so the server never sees a count that disagrees.
    setzePaar(post, 16, "si9", numberToText(std::count(l[kTyp].begin(), l[kTyp].end(), ',')));
    setzePaar(post, 17, "si10", l[kHuelle]);
    setzePaar(post, 18, "si11", l[kSchild]);
    setzePaar(post, 19, "si12", l[kFeuerkraft]);
}

}  // namespace

void spielAnfrageSchreiben(Feld<KVP>& get, Feld<KVP>& post, Spielstand& spiel, Mehrspieler& mp)
{
    Sendedaten& s = mp.senden;
    setzePaar(get, 1, "PHPSESSID", s.SessionId);
    setzePaar(post, 1, "infos", "spiel");
    setzePaar(post, 2, "i1", mp.LoginName);

    // A colonisation goes out with every request until a reply shows the system owned (the
    // reply applier ends it then): a lost or refused request must not cost the colony, whose
    // ship is already used up. It never goes out after that, or it would hand the system back
    // to this player whenever it later falls free.
    if (s.kolonisation > 0) {
        setzePaar(post, 3, "kolo", numberToText(s.kolonisation));
    } else {
        setzePaar(post, 3, "", "");
    }

    schiffeSchreiben(post, spiel);

    // Sent empty too: the server keeps the routes of a request that leaves the field out (one
    // back in the game, which does not know them yet), so only an empty field ends them.
    setzePaar(post, 13, "hwege", mp.handelswegText(spiel.eigenerSpieler));

    std::string vertrag;
    for (int k = 1; k <= 4; ++k) {
        if (s.abkommenAnfrage(k) > 0) {
            s.abkommenStand(k) = s.abkommenAnfrage(k);
            s.abkommenAnfrage(k) = 0;
        }
        if (k > 1) vertrag += ',';
        vertrag += numberToText(s.abkommenStand(k));
    }
    setzePaar(post, 14, "hvertrag", vertrag);

    mp.chatUnterwegs = s.chatSenden == 1;
    if (mp.chatUnterwegs) {
        setzePaar(post, 15, "chat", s.chatZeile);
    } else {
        setzePaar(post, 15, "", "");
    }

    const Kartenzustand& karte = spiel.karte;
    if (!karte.angriffsschaden.empty()) {
        setzePaar(post, 20, "pa0", "ok");
        setzePaar(post, 21, "pa1", karte.angriffsschaden);
        setzePaar(post, 22, "pa2", karte.angriffsziel);
    } else {
        for (int e = 20; e <= 22; ++e) setzePaar(post, e, "", "");
    }

    mp.piUnterwegs = !mp.piSysteme.empty();
    if (mp.piUnterwegs) {
        setzePaar(post, 23, "pi1", mp.piSysteme);
        setzePaar(post, 24, "pi2", mp.piSchild);
        setzePaar(post, 25, "pi3", mp.piBefestigung);
    } else {
        for (int e = 23; e <= 25; ++e) setzePaar(post, e, "", "");
    }

    // The own part of the last day; the server keeps it with the seat.
    mp.teilUnterwegs = !mp.eigenerTeil.empty();
    if (mp.teilUnterwegs) {
        setzePaar(post, 26, "privat", base64Kodieren(mp.eigenerTeil));
    } else {
        setzePaar(post, 26, "", "");
    }
    setzePaar(post, 27, "", "");
}

void anfrageAngekommen(Mehrspieler& mp)
{
    if (mp.chatUnterwegs) {
        mp.senden.chatZeile.clear();
        mp.senden.chatSenden = 0;
    }
    if (mp.piUnterwegs) {
        mp.piSysteme.clear();
        mp.piSchild.clear();
        mp.piBefestigung.clear();
    }
    if (mp.teilUnterwegs) mp.eigenerTeil.clear();
    mp.chatUnterwegs = false;
    mp.piUnterwegs = false;
    mp.teilUnterwegs = false;
}

}  // namespace qz

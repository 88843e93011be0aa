#include "multiplayer/exchange/lobby_anfragen.hpp"

#include "gfx/text_numbers.hpp"
#include "multiplayer/exchange/spiel_anfrage.hpp"
#include "multiplayer/exchange/server_exchange.hpp"
#include "net/md5.hpp"

namespace qz {

void anmeldungSchreiben(Feld<KVP>& GetKVP, Feld<KVP>& PostKVP, const std::string& name, const std::string& passwort)
{
    setzePaar(GetKVP, 1, "", "");
    setzePaar(PostKVP, 1, "infos", "login");
    setzePaar(PostKVP, 2, "i1", name);
    setzePaar(PostKVP, 3, "i2", CREATEHASH(passwort));
}

std::string systemListe(const Feld<int>& werte, int N)
{
    std::string text;
    text.reserve(static_cast<std::size_t>(N) * 6);
    for (int i = 1; i <= N; ++i) {
        text += ',';
        text += numberToText(werte(i));
    }
    return text;
}

namespace {

void lobbySchluessel(Feld<KVP>& get, Feld<KVP>& post, const Spielstand& spiel, const Mehrspieler& mp,
                     const std::string& i1)
{
    setzePaar(get, 1, "PHPSESSID", mp.senden.SessionId);
    setzePaar(post, 1, "infos", "channel");
    setzePaar(post, 2, "i1", i1);
    // The login name: the slot record may still be empty before the host's first poll.
    setzePaar(post, 3, "i2", mp.LoginName);
    setzePaar(post, 4, "i3", numberToText(mp.GewaehlteFarbe));
    setzePaar(post, 5, "i4", numberToText(mp.EigenesBereit));
    if (spiel.eigenerSpieler == 1)
        setzePaar(post, 6, "i5", numberToText(mp.SterneAngesagt));
    else
        setzePaar(post, 6, "", "");
}

}  // namespace

void kanalErstellenSchreiben(Feld<KVP>& get, Feld<KVP>& post, const Spielstand& spiel, const Mehrspieler& mp,
                             const std::string& version)
{
    setzePaar(get, 1, "", "");
    setzePaar(post, 1, "infos", "channel_erstellen");
    setzePaar(post, 2, "i1", mp.KanalName);
    setzePaar(post, 3, "i2", mp.KanalPasswort);
    setzePaar(post, 4, "i3", numberToText(spiel.Spieleranzahl));
    setzePaar(post, 5, "i4", numberToText(spiel.Sternanzahl));
    setzePaar(post, 6, "i5", version);
    setzePaar(post, 7, "zuschauer", numberToText(mp.KanalZuschauer));
}

void sternkarteHochladenSchreiben(Feld<KVP>& get, Feld<KVP>& post, const Spielstand& spiel, const Mehrspieler& mp)
{
    lobbySchluessel(get, post, spiel, mp, "42");
    const Sternsysteme& s = spiel.systeme;
    const int N = spiel.Sternanzahl;
    std::string namen;
    for (int i = 1; i <= N; ++i) {
        namen += ',';
        namen += s.name(i);
    }
    Feld<int> x(1, N), y(1, N);
    for (int i = 1; i <= N; ++i) {
        x(i) = s.pos(i, 1);
        y(i) = s.pos(i, 2);
    }
    setzePaar(post, 7, "i6", namen);
    setzePaar(post, 8, "i7", systemListe(x, N));
    setzePaar(post, 9, "i8", systemListe(y, N));
    setzePaar(post, 10, "i9", systemListe(s.besitzer, N));
    setzePaar(post, 11, "i10", systemListe(s.typ, N));
    setzePaar(post, 12, "i11", systemListe(s.einwohnerBasis, N));
    setzePaar(post, 13, "i12", systemListe(s.versorgungBasis, N));
    setzePaar(post, 14, "i13", systemListe(s.forschungBasis, N));
    setzePaar(post, 15, "i14", systemListe(s.handelBasis, N));
    setzePaar(post, 16, "i15", systemListe(s.werftBasis, N));
    setzePaar(post, 17, "skarte", numberToText(spiel.hintergrund));
    setzePaar(post, 18, "i16", systemListe(s.schild, N));
    setzePaar(post, 19, "i17", systemListe(s.befestigung, N));
}

void lobbyAbfrageSchreiben(Feld<KVP>& get, Feld<KVP>& post, const Spielstand& spiel, const Mehrspieler& mp)
{
    lobbySchluessel(get, post, spiel, mp, numberToText(spiel.spielLaeuft));
}

void beitrittsAbfrageSchreiben(Feld<KVP>& get, Feld<KVP>& post, const Mehrspieler& mp)
{
    setzePaar(get, 1, "PHPSESSID", mp.senden.SessionId);
    setzePaar(post, 1, "infos", "channel");
    setzePaar(post, 2, "i1", "");
    setzePaar(post, 3, "i2", mp.LoginName);
    setzePaar(post, 4, "i3", "");
    setzePaar(post, 5, "i4", "");
}

bool kanalListeAnfordern(Rahmen& rahmen, Serverdaten& server, const std::string& loginName)
{
    return postRequest(server, [&](Feld<KVP>& get, Feld<KVP>& post) {
        setzePaar(get, 1, "", "");
        setzePaar(post, 1, "infos", "channel_auflisten");
        setzePaar(post, 2, "i1", rahmen.Version);
        // With the name the server adds the running games this login holds a seat in.
        setzePaar(post, 3, "sitz", loginName);
        // And the running games it may watch, with their delays in an eighth list.
        setzePaar(post, 4, "zuschauen", "1");
    });
}

}  // namespace qz

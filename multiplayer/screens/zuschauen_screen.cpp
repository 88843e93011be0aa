// A running game watched from the channel list: the whole map as its recording held it the
// game's delay ago (every system's owner, every seat's fleets, the battles), the players and
// the chat, drawn as the replay draws them. It polls the server every 2 s and gives no orders;
// "Zurück" or Esc goes back to the channel list.
#include "frame/klang.hpp"
#include "gfx/widgets.hpp"
#include "multiplayer/exchange/lobby_anfragen.hpp"
#include "multiplayer/exchange/server_exchange.hpp"
#include "multiplayer/exchange/zuschauen_austausch.hpp"
#include "multiplayer/screens/meldung_anzeige.hpp"
#include "multiplayer/screens/mp_screens.hpp"
#include "multiplayer/session/meldung.hpp"
#include "viewer/wiedergabe_karte.hpp"
#include "viewer/wiedergabe_schirm.hpp"
#include "viewer/zustand_zeichnen.hpp"

namespace qz {

namespace {

using namespace wiedergabeflaeche;

constexpr double kAbfrageSekunden = 2.0;  // as a player polls
constexpr int kStandX = 180, kStandY = 711;

void verlassen(Rahmen& r, Serverdaten& server, Mehrspieler& mp)
{
    kartenbilderFreigeben(r);
    mp.zuschauen.beginnen("");
    r.Unterzustand = "channel_auflisten";
    mp.KanalAuswahl = 0;
    kanalListeAnfordern(r, server, mp.LoginName);
}

// Takes the reply of the last poll and posts the next one when it is due; false when the
// server refused (the message shows in the channel list).
bool austauschen(Serverdaten& server, Mehrspieler& mp, double jetzt)
{
    {
        std::lock_guard lock(server.Datenmutex);
        if (server.Anfrageoffen == 1) return true;
    }
    Zuschauen& z = mp.zuschauen;
    const std::string antwort = takeReply(server);
    if (!antwort.empty()) {
        if (!fehlerMelden(antwort, mp, jetzt).empty()) return false;
        zuschauenLesen(antwort, z);
    }
    if (jetzt >= z.naechsteAbfrage && zuschauenAnfordern(server, mp.senden.SessionId, mp.LoginName, z))
        z.naechsteAbfrage = jetzt + kAbfrageSekunden;
    return true;
}

Text standText(const Zuschauen& z)
{
    if (z.gezeigtMs < 0)
        return tr("Das Spiel ist in {sekunden} s zu sehen.", {{"sekunden", static_cast<int>(z.warten)}});
    return tr("Tag {tag}, {minuten} Min. verz\x94gert - nur zum Zuschauen",
              {{"tag", static_cast<int>(z.gezeigtMs / 5000)}, {"minuten", z.verzoegerung / 60}});
}

void leisteZeichnen(Rahmen& r, const Zuschauen& z)
{
    leisteMitZurueckZeichnen(r);
    r.text(kStandX, kStandY, standText(z));
}

}  // namespace

void zuschauenBeginnen(Rahmen& r, Mehrspieler& mp, int k)
{
    mp.senden.SessionId = mp.KanalIds(k);
    mp.zuschauen.beginnen(mp.KanalNamen(k));
    r.Unterzustand = "zuschauen";
}

void zuschauenScreen(Rahmen& r, Serverdaten& server, Mehrspieler& mp, const Bildquellen& quellen)
{
    Zuschauen& z = mp.zuschauen;
    const double jetzt = r.platform.timer();
    if (!z.bild) {
        z.bild = std::make_unique<Spielstand>();
        kartenbildBeginnen(r, *z.bild, quellen);
    }
    if (!austauschen(server, mp, jetzt)) {
        verlassen(r, server, mp);
        return;
    }
    const bool zurueck = r.Mausereignis == 1 && inBox(r.MausX, r.MausY, kKnopfX, kKnopfX + 156, kZurueckY, kZurueckY + 25);
    if (zurueck || r.platform.keyDown(scan::Escape)) {
        if (zurueck) playClick(r);
        r.Mausereignis = 0;
        verlassen(r, server, mp);
        return;
    }
    if (z.gezeichneterStand != z.stand) {
        const bool erstesBild = z.bild->Sternanzahl == 0;
        karteUebernehmen(z.zustand, *z.bild);
        schiffbilderLaden(r, *z.bild, quellen, z.geladeneFarbe);
        if (erstesBild) aufHeimatZentrieren(*z.bild);
        z.gezeichneterStand = z.stand;
    }
    kartenbildScrollen(r, *z.bild);

    r.platform.screenLock();
    clear(r.screen());
    karteZeichnen(r, *z.bild);
    schlachtenZeichnen(r, *z.bild, z.zustand);
    spielerZeichnen(r, *z.bild, z.zustand, tr("Zuschauen: {kanal}", {{"kanal", z.kanal}}));
    chatZeichnen(r, *z.bild, z.zustand);
    leisteZeichnen(r, z);
    r.platform.screenUnlock();
    if (r.Mausereignis == 1 || r.Mausereignis == 2) r.Mausereignis = 0;
}

}  // namespace qz

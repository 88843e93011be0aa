// "Aufzeichnungen": the server's recordings of ended games, five to a page; a click on one
// fetches it and plays it in the replay viewer, whose "Zurück" comes back to the list.
#include "gfx/text_numbers.hpp"
#include "gfx/widgets.hpp"
#include "multiplayer/exchange/aufzeichnungen_austausch.hpp"
#include "multiplayer/exchange/server_exchange.hpp"
#include "multiplayer/screens/meldung_anzeige.hpp"
#include "multiplayer/screens/mp_screens.hpp"
#include "multiplayer/screens/mp_widgets.hpp"
#include "multiplayer/session/meldung.hpp"
#include "viewer/wiedergabe_schirm.hpp"

#include <algorithm>
#include <array>
#include <ctime>
#include <utility>
#include <vector>

namespace qz {

namespace {

constexpr int kZeilenBreite = 300;  // the row picture's width, wider for longer rows
constexpr int kProSeite = 5;

// The server's clock as a date: UTC, since the server's players live in every time zone.
std::string datum(long long sekunden)
{
    const std::time_t zeit = static_cast<std::time_t>(sekunden);
    const std::tm* teile = std::gmtime(&zeit);
    char text[32] = "";
    if (teile) std::strftime(text, sizeof text, "%d.%m.%Y %H:%M", teile);
    return text;
}

// Hours, minutes and seconds: "1:05:00".
std::string dauer(long long sekunden)
{
    const long long s = std::max(0LL, sekunden);
    const auto zweistellig = [](long long n) { return (n < 10 ? "0" : "") + std::to_string(n); };
    return std::to_string(s / 3600) + ":" + zweistellig(s / 60 % 60) + ":" + zweistellig(s % 60);
}

std::array<Text, 2> zeile(const Aufzeichnungseintrag& e)
{
    std::string spieler;
    for (const std::string& name : e.spieler) {
        if (name.empty()) continue;
        spieler += (spieler.empty() ? "" : ", ") + name;
    }
    return {tr("{kanal}: {spieler}", {{"kanal", e.kanal}, {"spieler", spieler}}),
            tr("Start: {start} UTC, L\x84nge: {dauer}", {{"start", datum(e.start)}, {"dauer", dauer(e.laenge)}})};
}

std::vector<std::array<Text, 2>> seitenZeilen(const Mehrspieler& mp)
{
    std::vector<std::array<Text, 2>> zeilen;
    const std::size_t erste = static_cast<std::size_t>(kProSeite * (mp.aufzeichnungSeite - 1));
    for (std::size_t i = erste; i < std::min(erste + kProSeite, mp.aufzeichnungen.size()); ++i)
        zeilen.push_back(zeile(mp.aufzeichnungen[i]));
    return zeilen;
}

int zeilenBreite(const std::vector<std::array<Text, 2>>& zeilen)
{
    int breite = kZeilenBreite;
    for (const auto& [kopf, stand] : zeilen) breite = std::max({breite, textBreite(kopf) + 16, textBreite(stand) + 16});
    return breite;
}

// A reply that came: the list, or a part of the recording asked for, which starts playing
// once every part came.
void antwortLesen(Rahmen& r, Serverdaten& server, Mehrspieler& mp, const Bildquellen& quellen)
{
    {
        std::lock_guard lock(server.Datenmutex);
        if (server.Anfrageoffen == 1) return;
    }
    const std::string antwort = takeReply(server);
    const std::string geholt = std::exchange(mp.aufzeichnungGeholt, "");
    if (antwort.empty() || !fehlerMelden(antwort, mp, r.platform.timer()).empty()) return;
    if (aufzeichnungenLesen(antwort, mp.aufzeichnungen)) {
        const int seiten = std::max<int>(1, static_cast<int>((mp.aufzeichnungen.size() + kProSeite - 1) / kProSeite));
        mp.aufzeichnungSeite = std::clamp(mp.aufzeichnungSeite, 1, seiten);
        return;
    }
    if (geholt.empty() || !mp.aufzeichnungTeile) return;
    try {
        const std::optional<bool> fertig = aufzeichnungsteilLesen(antwort, geholt, *mp.aufzeichnungTeile, mp.aufzeichnungSeit);
        if (!fertig) return;
        if (!*fertig) {
            if (aufzeichnungAnfordern(server, mp.LoginName, geholt, mp.aufzeichnungSeit)) mp.aufzeichnungGeholt = geholt;
            return;
        }
        replay::Recording aufnahme = aufzeichnungPruefen(*mp.aufzeichnungTeile);
        mp.aufzeichnungTeile.reset();
        mp.wiedergabe = std::make_shared<WiedergabeSchirm>(std::move(aufnahme), quellen, "multiplayer");
        wiedergabeBeginnen(r, *mp.wiedergabe);
        r.Unterzustand = "aufzeichnung";
    } catch (const replay::QzrError&) {
        mp.aufzeichnungTeile.reset();
        meldungZeigen(mp, tr("Die Aufzeichnung ist besch\x84" "digt."), r.platform.timer());
    }
}

// The rows of the page and the page arrows; a click on a row fetches its recording.
void zeilen(Rahmen& r, Serverdaten& server, Mehrspieler& mp, const std::vector<std::array<Text, 2>>& text)
{
    const int breite = zeilenBreite(text);
    const int x1 = 512 - breite / 2;
    const std::size_t erste = static_cast<std::size_t>(kProSeite * (mp.aufzeichnungSeite - 1));
    for (std::size_t k = 0; k < text.size(); ++k) {
        const int y1 = 350 + 39 * static_cast<int>(k);
        if (breite == kZeilenBreite) r.zeichne(r.Oberflaechenbild(21), x1, y1);
        else breitZeichnen(r, r.Oberflaechenbild(21), 512, y1, breite);
        const Aufzeichnungseintrag& e = mp.aufzeichnungen[erste + k];
        if (e.id == mp.aufzeichnungGeholt) box(r.screen(), x1, y1, x1 + breite - 1, y1 + 38, 0xFFFFFFFF);
        r.text(x1 + 8, y1 + 6, text[k][0]);
        r.text(x1 + 8, y1 + 20, text[k][1]);
        if (r.Mausereignis == 1 && mp.aufzeichnungGeholt.empty() && inBox(r.MausX, r.MausY, x1, x1 + breite, y1, y1 + 39) &&
            aufzeichnungAnfordern(server, mp.LoginName, e.id, 0)) {
            mp.aufzeichnungGeholt = e.id;
            mp.aufzeichnungTeile = std::make_shared<replay::Recording>();
            mp.aufzeichnungSeit = 0;
            r.Mausereignis = 42;
        }
    }
    if (kProSeite * mp.aufzeichnungSeite < static_cast<int>(mp.aufzeichnungen.size())) {
        r.zeichne(r.Oberflaechenbild(16), 642, 330);
        if (r.Mausereignis == 1 && inBox(r.MausX, r.MausY, 642, 662, 330, 350)) {
            mp.aufzeichnungSeite += 1;
            r.Mausereignis = 42;
        }
    }
    if (mp.aufzeichnungSeite > 1) {
        r.zeichne(r.Oberflaechenbild(17), 362, 330);
        if (r.Mausereignis == 1 && inBox(r.MausX, r.MausY, 362, 382, 330, 350)) {
            mp.aufzeichnungSeite -= 1;
            r.Mausereignis = 42;
        }
    }
}

}  // namespace

void aufzeichnungenScreen(Rahmen& r, Serverdaten& server, Mehrspieler& mp, const Bildquellen& quellen)
{
    antwortLesen(r, server, mp, quellen);
    if (r.Unterzustand != "aufzeichnungen") return;
    if (knopfKlick(r, 218, tr("Zur\x81" "ck"))) {
        r.Unterzustand = "hauptmenu";
    } else if (mp.aufzeichnungGeholt.empty() && knopfKlick(r, 272, tr("Aktualisieren"))) {
        aufzeichnungenAnfordern(server, mp.LoginName);
    }

    r.platform.screenLock();
    clear(r.screen());
    const std::vector<std::array<Text, 2>> text = seitenZeilen(mp);
    const int panel = std::max(400, zeilenBreite(text) + 16);
    r.zeichneBreit(r.Oberflaechenbild(19), 512 - panel / 2, 184, panel);
    menueKnopf(r, 218, tr("Zur\x81" "ck"));
    menueKnopf(r, 272, tr("Aktualisieren"));
    if (!mp.aufzeichnungGeholt.empty()) {
        textMittigUmbrochen(r, 512, 308, tr("Aufzeichnung wird geladen ..."), kPanelTextBreite);
    }
    if (mp.aufzeichnungen.empty()) {
        textMittigUmbrochen(r, 512, 400, tr("Es gibt noch keine Aufzeichnungen beendeter Spiele."), kPanelTextBreite);
    } else {
        zeilen(r, server, mp, text);
    }
    meldungZeichnen(r, mp, kMeldungMenueY);
    r.platform.screenUnlock();
    if (r.Mausereignis == 1 || r.Mausereignis == 2) r.Mausereignis = 0;
}

void aufzeichnungScreen(Rahmen& r, Mehrspieler& mp)
{
    if (!mp.wiedergabe || !wiedergabeScreen(r, *mp.wiedergabe)) {
        mp.wiedergabe.reset();
        r.Unterzustand = "aufzeichnungen";
    }
}

}  // namespace qz

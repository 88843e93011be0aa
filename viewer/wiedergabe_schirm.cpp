#include "viewer/wiedergabe_schirm.hpp"

#include "fleets/co_player_fleets.hpp"
#include "frame/klang.hpp"
#include "frame/server_texte.hpp"
#include "gfx/text_numbers.hpp"
#include "gfx/widgets.hpp"
#include "map/spielstart.hpp"
#include "platform/folders.hpp"
#include "platform/uebersetzung.hpp"
#include "state/planetentypen.hpp"
#include "viewer/wiedergabe_karte.hpp"
#include "viewer/zustand_zeichnen.hpp"

#include <algorithm>
#include <cmath>

namespace qz {

namespace {

using namespace wiedergabeflaeche;

constexpr Farbe kWeiss = 0xFFFFFFFF;
constexpr Farbe kLeiste = 0xFF101820;
constexpr Farbe kRand = 0xFF4A6A8A;
constexpr Farbe kGewaehlt = 0xFF2E5A8A;
constexpr Farbe kZeitleiste = 0xFF202A36;

void zustandUebernehmen(Rahmen& r, WiedergabeSchirm& w)
{
    if (w.gezeichneterStand == w.wiedergabe.stand()) return;
    w.gezeichneterStand = w.wiedergabe.stand();
    karteUebernehmen(w.wiedergabe.zustand(), *w.spiel);
    schiffbilderLaden(r, *w.spiel, w.quellen, w.geladeneFarbe);
}

int zeitX(const Wiedergabe& w)
{
    const double laenge = w.aufnahme().lengthSeconds();
    const double anteil = laenge > 0 ? w.position() / laenge : 0;
    return kZeitX1 + static_cast<int>(std::lround(anteil * (kZeitX2 - kZeitX1)));
}

void leisteZeichnen(Rahmen& r, const Wiedergabe& w)
{
    Image& bild = r.screen();
    leisteMitZurueckZeichnen(r);
    r.zeichne(r.Oberflaechenbild(11), kKnopfX, kAbspielenY);
    r.textMittig(kKnopfX + 78, kAbspielenY + 6, w.laeuft() ? tr("Pause") : tr("Abspielen"));
    for (std::size_t k = 0; k < kTempi.size(); ++k) {
        const int x = kTempoX + kTempoAbstand * static_cast<int>(k);
        if (kTempi[k] == w.tempo) filledBox(bild, x, kTempoY, x + kTempoBreite, kTempoY + 21, kGewaehlt);
        box(bild, x, kTempoY, x + kTempoBreite, kTempoY + 21, kRand);
        // TRANSLATORS: a speed of the replay, "16x": sixteen times as fast as the game.
        r.textMittig(x + kTempoBreite / 2.0, kTempoY + 3, tr("{mal}x", {{"mal", kTempi[k]}}));
    }
    r.text(kTagX, kTagY, tr("Tag {tag} / {tage}", {{"tag", w.tag()}, {"tage", w.letzterTag()}}));
    filledBox(bild, kZeitX1, kZeitY1, kZeitX2, kZeitY2, kZeitleiste);
    const int x = zeitX(w);
    if (x > kZeitX1) filledBox(bild, kZeitX1, kZeitY1, x, kZeitY2, kRand);
    box(bild, kZeitX1, kZeitY1, kZeitX2, kZeitY2, kRand);
    line(bild, x, kZeitY1 - 3, x, kZeitY2 + 3, kWeiss);
}

void beenden(Rahmen& r, WiedergabeSchirm& w)
{
    kartenbilderFreigeben(r);
    w.geladeneFarbe = {};
    r.Programmzustand = w.zurueck;
}

// The controls; true when the screen ended.
bool eingabe(Rahmen& r, WiedergabeSchirm& w)
{
    Wiedergabe& wg = w.wiedergabe;
    if (r.platform.keyDown(scan::Escape)) {
        beenden(r, w);
        return true;
    }
    if (r.LetzteTaste == " ") wg.laeuft() ? wg.anhalten() : wg.abspielen();
    const bool klick = r.Mausereignis == 1;
    // Held on the time line, the playhead follows the pointer.
    if ((klick || r.Mausereignis == 5) && inBox(r.MausX, r.MausY, kZeitX1 - 1, kZeitX2 + 1, kZeitY1 - 4, kZeitY2 + 4)) {
        const double anteil = static_cast<double>(r.MausX - kZeitX1) / (kZeitX2 - kZeitX1);
        wg.zuTag(std::lround(anteil * static_cast<double>(wg.letzterTag())));
        if (klick) r.Mausereignis = 0;
        return false;
    }
    if (!klick) return false;
    if (inBox(r.MausX, r.MausY, kKnopfX, kKnopfX + 156, kZurueckY, kZurueckY + 25)) {
        playClick(r);
        r.Mausereignis = 0;
        beenden(r, w);
        return true;
    }
    if (inBox(r.MausX, r.MausY, kKnopfX, kKnopfX + 156, kAbspielenY, kAbspielenY + 25)) {
        wg.laeuft() ? wg.anhalten() : wg.abspielen();
        r.Mausereignis = 42;
        return false;
    }
    for (std::size_t k = 0; k < kTempi.size(); ++k) {
        const int x = kTempoX + kTempoAbstand * static_cast<int>(k);
        if (inBox(r.MausX, r.MausY, x, x + kTempoBreite, kTempoY, kTempoY + 21)) {
            wg.tempo = kTempi[k];
            r.Mausereignis = 42;
        }
    }
    return false;
}

}  // namespace

WiedergabeSchirm::WiedergabeSchirm(replay::Recording aufnahme, Bildquellen q, std::string z)
    : wiedergabe(std::move(aufnahme)), quellen(std::move(q)), zurueck(std::move(z)), spiel(std::make_unique<Spielstand>())
{
}

void wiedergabeBeginnen(Rahmen& r, WiedergabeSchirm& w)
{
    kartenbildBeginnen(r, *w.spiel, w.quellen);
    w.geladeneFarbe = {};
    w.gezeichneterStand = std::numeric_limits<std::size_t>::max();
    w.letzteZeit = r.platform.timer();
    zustandUebernehmen(r, w);
    aufHeimatZentrieren(*w.spiel);
}

void leisteMitZurueckZeichnen(Rahmen& r)
{
    Image& bild = r.screen();
    filledBox(bild, 0, kLeisteOben, 1023, 767, kLeiste);
    line(bild, 0, kLeisteOben, 1023, kLeisteOben, kRand);
    r.zeichne(r.Oberflaechenbild(11), kKnopfX, kZurueckY);
    r.textMittig(kKnopfX + 78, kZurueckY + 6, tr("Zur\x81" "ck"));
}

bool wiedergabeScreen(Rahmen& r, WiedergabeSchirm& w)
{
    const double jetzt = r.platform.timer();
    if (w.letzteZeit >= 0) w.wiedergabe.vergehen(std::min(jetzt - w.letzteZeit, kLaengsterSchritt));
    w.letzteZeit = jetzt;
    if (eingabe(r, w)) return false;
    zustandUebernehmen(r, w);
    kartenbildScrollen(r, *w.spiel);

    r.platform.screenLock();
    clear(r.screen());
    karteZeichnen(r, *w.spiel);
    const replay::ReplayState& z = w.wiedergabe.zustand();
    spielerZeichnen(r, *w.spiel, z, tr("Aufnahme: {kanal}", {{"kanal", w.wiedergabe.aufnahme().channel}}));
    chatZeichnen(r, *w.spiel, z);
    leisteZeichnen(r, w.wiedergabe);
    r.platform.screenUnlock();
    return true;
}

}  // namespace qz

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
constexpr int kMarkierung = 20;  // the ring around an owned system, as on the running map
constexpr int kHintergrund = 1;
constexpr int kScrollSchritt = 8;

// Ship pictures follow the seats' colours: a seat taken later in the game gets its pictures then.
void schiffbilderLaden(Rahmen& r, WiedergabeSchirm& w)
{
    for (int p = 1; p <= 4; ++p) {
        const int farbe = w.spiel->spieler.spielerFarbe(p, 0);
        int& geladen = w.geladeneFarbe[static_cast<std::size_t>(p - 1)];
        if (farbe == geladen) continue;
        geladen = farbe;
        for (int t = 1; t <= 8; ++t) {
            r.Schiffbild(p, t) = farbe < 1 ? ImagePtr{}
                                           : w.quellen.png(dataFile("material/4/" + numberToText(farbe) + "/" +
                                                                    numberToText(t) + ".orn-games"));
        }
    }
}

void zustandUebernehmen(Rahmen& r, WiedergabeSchirm& w)
{
    if (w.gezeichneterStand == w.wiedergabe.stand()) return;
    w.gezeichneterStand = w.wiedergabe.stand();
    karteUebernehmen(w.wiedergabe.zustand(), *w.spiel);
    schiffbilderLaden(r, w);
}

void karteZeichnen(Rahmen& r, const Spielstand& spiel)
{
    Image& bild = r.screen();
    if (r.Hintergrundbild)
        put(bild, 0, 0, r.Hintergrundbild.get(), PutMode::Copy, SourceRect{spiel.scrollX, spiel.scrollY, 1024, 768});
    const Sternsysteme& s = spiel.systeme;
    for (int i = 1; i <= spiel.Sternanzahl; ++i) {
        const int sx = s.pos(i, 1) - spiel.scrollX, sy = s.pos(i, 2) - spiel.scrollY;
        const int o = s.besitzer(i);
        if (o >= 1 && o <= 4) circle(bild, sx, sy, kMarkierung, sitzFarbe(spiel, o), false);
        circle(bild, sx, sy, 3, kWeiss, true);
    }
    // Every seat's fleets, each by its representative as the co-player drawing shows them, but
    // without a sight range: the replay sees the whole map.
    for (int p = 1; p <= 4; ++p) {
        const SchiffSatz& satz = spiel.saetze(p);
        jedeFlotte(satz, [&](int i, int typ) {
            const ImagePtr& schiff = r.Schiffbild(p, typ);
            if (schiff) r.zeichne(schiff, satz.wert(kX, i) - spiel.scrollX, satz.wert(kY, i) - spiel.scrollY, PutMode::Transparent);
        });
    }
}

void spielerZeichnen(Rahmen& r, const WiedergabeSchirm& w)
{
    const replay::ReplayState& z = w.wiedergabe.zustand();
    r.text(kSpielerX, 8, tr("Aufnahme: {kanal}", {{"kanal", w.wiedergabe.aufnahme().channel}}));
    int zeile = 0;
    for (int p = 1; p <= 4; ++p) {
        const replay::Seat& sitz = z.seats[static_cast<std::size_t>(p - 1)];
        if (sitz.name.empty()) continue;
        const int y = 28 + 18 * zeile++;
        filledBox(r.screen(), kSpielerX, y + 3, kSpielerX + 10, y + 13, sitzFarbe(*w.spiel, p));
        r.text(kSpielerX + 16, y, sitz.away ? tr("{spieler} (abwesend)", {{"spieler", sitz.name}}) : textAusCp437(sitz.name),
               sitzFarbe(*w.spiel, p));
    }
}

void chatZeichnen(Rahmen& r, const WiedergabeSchirm& w)
{
    const replay::ReplayState& z = w.wiedergabe.zustand();
    const std::size_t n = std::min<std::size_t>(z.chat.size(), kChatZeilen);
    for (std::size_t k = 0; k < n; ++k) {
        const replay::ChatEntry& e = z.chat[z.chat.size() - n + k];
        const int y = kChatUnten - kChatAbstand * static_cast<int>(n - k);
        if (e.sender >= 1 && e.sender <= 4) {
            const replay::Seat& sitz = z.seats[static_cast<std::size_t>(e.sender - 1)];
            r.text(kChatX, y, tr("{spieler}: {text}", {{"spieler", sitz.name}, {"text", e.text}}), sitzFarbe(*w.spiel, e.sender));
        } else {
            r.text(kChatX, y, serverzeileText(e.text), kWeiss);
        }
    }
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
    filledBox(bild, 0, kLeisteOben, 1023, 767, kLeiste);
    line(bild, 0, kLeisteOben, 1023, kLeisteOben, kRand);
    r.zeichne(r.Oberflaechenbild(11), kKnopfX, kZurueckY);
    r.textMittig(kKnopfX + 78, kZurueckY + 6, tr("Zur\x81" "ck"));
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
    r.Hintergrundbild.reset();
    for (int p = 1; p <= 4; ++p)
        for (int t = 1; t <= 8; ++t) r.Schiffbild(p, t).reset();
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
    Spielstand& spiel = *w.spiel;
    spiel.hintergrund = kHintergrund;
    spiel.karte.kartenBreite = spiel.hintergrundGroesse(kHintergrund, 1) + 1024;
    spiel.karte.kartenHoehe = spiel.hintergrundGroesse(kHintergrund, 2) + 768;
    r.Hintergrundbild = w.quellen.jpeg(dataFile("material/2/" + numberToText(kHintergrund) + ".orn-games"));
    w.geladeneFarbe = {};
    w.gezeichneterStand = std::numeric_limits<std::size_t>::max();
    w.letzteZeit = r.platform.timer();
    zustandUebernehmen(r, w);
    const Sternsysteme& s = spiel.systeme;
    for (int i = 1; i <= spiel.Sternanzahl; ++i) {
        if (s.besitzer(i) == 1 && s.typ(i) == kHeimatTyp) {
            ansichtZentrieren(spiel, s.pos(i, 1), s.pos(i, 2));
            break;
        }
    }
}

bool wiedergabeScreen(Rahmen& r, WiedergabeSchirm& w)
{
    const double jetzt = r.platform.timer();
    if (w.letzteZeit >= 0) w.wiedergabe.vergehen(std::min(jetzt - w.letzteZeit, kLaengsterSchritt));
    w.letzteZeit = jetzt;
    if (eingabe(r, w)) return false;
    zustandUebernehmen(r, w);
    Spielstand& spiel = *w.spiel;
    SCROLLING(r.platform, "", -1, -1, spiel.scrollX, spiel.scrollY, kScrollSchritt,
              spiel.hintergrundGroesse(kHintergrund, 1), spiel.hintergrundGroesse(kHintergrund, 2));

    r.platform.screenLock();
    clear(r.screen());
    karteZeichnen(r, spiel);
    spielerZeichnen(r, w);
    chatZeichnen(r, w);
    leisteZeichnen(r, w.wiedergabe);
    r.platform.screenUnlock();
    return true;
}

}  // namespace qz

#include "viewer/zustand_zeichnen.hpp"

#include "fleets/co_player_fleets.hpp"
#include "frame/server_texte.hpp"
#include "gfx/text_numbers.hpp"
#include "gfx/widgets.hpp"
#include "map/spielstart.hpp"
#include "platform/folders.hpp"
#include "state/planetentypen.hpp"
#include "viewer/wiedergabe_karte.hpp"
#include "viewer/wiedergabe_schirm.hpp"

#include <algorithm>
#include <string>
#include <vector>

namespace qz {

namespace {

using namespace wiedergabeflaeche;

constexpr Farbe kWeiss = 0xFFFFFFFF;
constexpr Farbe kSchlacht = 0xFFFF3030;
constexpr int kMarkierung = 20;  // the ring around an owned system, as on the running map
constexpr int kHintergrund = 1;
constexpr int kScrollSchritt = 8;

}  // namespace

void kartenbildBeginnen(Rahmen& r, Spielstand& spiel, const Bildquellen& quellen)
{
    spiel.hintergrund = kHintergrund;
    spiel.karte.kartenBreite = spiel.hintergrundGroesse(kHintergrund, 1) + 1024;
    spiel.karte.kartenHoehe = spiel.hintergrundGroesse(kHintergrund, 2) + 768;
    r.Hintergrundbild = quellen.jpeg(dataFile("material/2/" + numberToText(kHintergrund) + ".orn-games"));
}

void aufHeimatZentrieren(Spielstand& spiel)
{
    const Sternsysteme& s = spiel.systeme;
    for (int i = 1; i <= spiel.Sternanzahl; ++i) {
        if (s.besitzer(i) == 1 && s.typ(i) == kHeimatTyp) {
            ansichtZentrieren(spiel, s.pos(i, 1), s.pos(i, 2));
            break;
        }
    }
}

void kartenbildScrollen(Rahmen& r, Spielstand& spiel)
{
    SCROLLING(r.platform, "", -1, -1, spiel.scrollX, spiel.scrollY, kScrollSchritt,
              spiel.hintergrundGroesse(kHintergrund, 1), spiel.hintergrundGroesse(kHintergrund, 2));
}

void schiffbilderLaden(Rahmen& r, const Spielstand& spiel, const Bildquellen& quellen, std::array<int, 4>& geladen)
{
    for (int p = 1; p <= 4; ++p) {
        const int farbe = spiel.spieler.spielerFarbe(p, 0);
        int& bisher = geladen[static_cast<std::size_t>(p - 1)];
        if (farbe == bisher) continue;
        bisher = farbe;
        for (int t = 1; t <= 8; ++t) {
            r.Schiffbild(p, t) = farbe < 1 ? ImagePtr{}
                                           : quellen.png(dataFile("material/4/" + numberToText(farbe) + "/" +
                                                                  numberToText(t) + ".orn-games"));
        }
    }
}

void kartenbilderFreigeben(Rahmen& r)
{
    r.Hintergrundbild.reset();
    for (int p = 1; p <= 4; ++p)
        for (int t = 1; t <= 8; ++t) r.Schiffbild(p, t).reset();
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

void schlachtenZeichnen(Rahmen& r, const Spielstand& spiel, const replay::ReplayState& z)
{
    // "system:ships of seat 1:...:ships of seat 4", battles separated by ";".
    std::vector<std::string> schlachten;
    STRINGSPLIT(z.battles, ";", schlachten);
    const Sternsysteme& s = spiel.systeme;
    for (const std::string& schlacht : schlachten) {
        const int i = textToInt(schlacht.substr(0, schlacht.find(':')));
        if (i < 1 || i > spiel.Sternanzahl) continue;
        const int sx = s.pos(i, 1) - spiel.scrollX, sy = s.pos(i, 2) - spiel.scrollY;
        circle(r.screen(), sx, sy, kMarkierung + 6, kSchlacht, false);
        circle(r.screen(), sx, sy, kMarkierung + 8, kSchlacht, false);
        r.textMittig(sx, sy + kMarkierung + 12, tr("Kampf"), kSchlacht);
    }
}

void spielerZeichnen(Rahmen& r, const Spielstand& spiel, const replay::ReplayState& z, const Text& kopf)
{
    r.text(kSpielerX, 8, kopf);
    int zeile = 0;
    for (int p = 1; p <= 4; ++p) {
        const replay::Seat& sitz = z.seats[static_cast<std::size_t>(p - 1)];
        if (sitz.name.empty()) continue;
        const int y = 28 + 18 * zeile++;
        filledBox(r.screen(), kSpielerX, y + 3, kSpielerX + 10, y + 13, sitzFarbe(spiel, p));
        r.text(kSpielerX + 16, y, sitz.away ? tr("{spieler} (abwesend)", {{"spieler", sitz.name}}) : textAusCp437(sitz.name),
               sitzFarbe(spiel, p));
    }
}

void chatZeichnen(Rahmen& r, const Spielstand& spiel, const replay::ReplayState& z)
{
    const std::size_t n = std::min<std::size_t>(z.chat.size(), kChatZeilen);
    for (std::size_t k = 0; k < n; ++k) {
        const replay::ChatEntry& e = z.chat[z.chat.size() - n + k];
        const int y = kChatUnten - kChatAbstand * static_cast<int>(n - k);
        if (e.sender >= 1 && e.sender <= 4) {
            const replay::Seat& sitz = z.seats[static_cast<std::size_t>(e.sender - 1)];
            r.text(kChatX, y, tr("{spieler}: {text}", {{"spieler", sitz.name}, {"text", e.text}}), sitzFarbe(spiel, e.sender));
        } else {
            r.text(kChatX, y, serverzeileText(e.text), kWeiss);
        }
    }
}

}  // namespace qz

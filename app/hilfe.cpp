#include "app/hilfe.hpp"

#include "platform/uebersetzung.hpp"

#include <algorithm>

namespace qz {

namespace {

constexpr int kLinks = 40, kOben = 16, kRechts = 983;
constexpr int kTextX = 56, kTitelY = 28, kTextY = 60, kZeilenhoehe = 16;
constexpr Farbe kRand = rgb(90, 220, 255);
constexpr Farbe kTitel = rgb(255, 234, 117);
constexpr Farbe kUeberschrift = rgb(150, 225, 255);
constexpr Farbe kText = rgb(255, 255, 255);
constexpr Farbe kFuss = rgb(190, 190, 190);

// Half as bright, so the screen behind is still recognisable but the text stands out.
void abdunkeln(Image& bild)
{
    for (Farbe& p : bild.pixels) p = 0xFF000000u | ((p >> 1) & 0x007F7F7Fu);
}

void eingabeVerschlucken(Rahmen& r)
{
    r.LetzteTaste.clear();
    r.Mausereignis = 0;
    r.Tastencode = 0;
}

}  // namespace

void hilfeZeichnen(Image& ziel, const Image& hintergrund, HilfeSeite seite, int ab)
{
    const std::vector<HilfeZeile>& zeilen = hilfeText(seite);
    const int gesamt = static_cast<int>(zeilen.size());
    ab = std::clamp(ab, 0, std::max(0, gesamt - 1));
    const int anzahl = std::min(kHilfeZeilen, gesamt - ab);
    // The panel is as tall as its lines, and the footer sits below the last line.
    const int unten = kTextY + anzahl * kZeilenhoehe + 40;
    ziel = hintergrund;
    abdunkeln(ziel);
    for (int y = kOben; y <= unten; ++y) {
        Farbe* zeile = ziel.row(y);
        for (int x = kLinks; x <= kRechts; ++x) zeile[x] = 0xFF000000u | ((zeile[x] >> 2) & 0x001F1F1Fu);
    }
    box(ziel, kLinks, kOben, kRechts, unten, kRand);
    box(ziel, kLinks + 2, kOben + 2, kRechts - 2, unten - 2, kRand);
    const Text& titel = hilfeTitel(seite);
    drawText(ziel, centredX(512, titel), kTitelY, titel, kTitel);
    line(ziel, kLinks + 2, kTextY - 8, kRechts - 2, kTextY - 8, kRand);
    int y = kTextY;
    for (int i = ab; i < ab + anzahl; ++i) {
        const HilfeZeile& z = zeilen[static_cast<std::size_t>(i)];
        drawText(ziel, kTextX, y, z.text, z.art == HilfeZeile::Art::Ueberschrift ? kUeberschrift : z.art == HilfeZeile::Art::Wichtig ? kTitel : kText);
        y += kZeilenhoehe;
    }
    const Text fuss = gesamt <= kHilfeZeilen
                          ? tr("F1 oder Esc schlie\xE1t die Hilfe.")
                          : tr("Seite {seite}/{seiten}: Bild ab und Bild auf bl\x84ttern, F1 oder Esc schlie\xE1t die Hilfe.",
                               {{"seite", ab / kHilfeZeilen + 1}, {"seiten", (gesamt + kHilfeZeilen - 1) / kHilfeZeilen}});
    drawText(ziel, centredX(512, fuss), unten - 24, fuss, kFuss);
}

bool hilfePass(Hilfe& hilfe, Rahmen& r, HilfeSeite seite)
{
    if (!r.platform.keyDown(kScanF1)) hilfe.f1Gehalten = false;
    const bool f1 = r.LetzteTaste == kTasteF1 && !hilfe.f1Gehalten;
    if (f1) hilfe.f1Gehalten = true;
    if (!hilfe.offen) {
        if (!f1) return false;
        hilfe.offen = true;
        hilfe.schliesst = false;
        hilfe.seite = seite;
        hilfe.ab = 0;
        hilfe.hintergrund = r.screen();
        hilfeZeichnen(hilfe.bild, hilfe.hintergrund, seite);
    } else if (!hilfe.schliesst && (f1 || r.LetzteTaste == "\x1B")) {
        hilfe.schliesst = true;
    } else if (r.LetzteTaste == kTasteBildAb || r.LetzteTaste == kTasteBildAuf) {
        const int gesamt = static_cast<int>(hilfeText(hilfe.seite).size());
        const int ab = r.LetzteTaste == kTasteBildAb ? hilfe.ab + kHilfeZeilen : hilfe.ab - kHilfeZeilen;
        if (ab >= 0 && ab < gesamt && ab != hilfe.ab) {
            hilfe.ab = ab;
            hilfeZeichnen(hilfe.bild, hilfe.hintergrund, hilfe.seite, ab);
        }
    }
    // Esc also opens the map's menu while it is held: the help stays until the key is let go,
    // so the key that closed it does not act on the screen as well.
    if (hilfe.schliesst && !r.platform.keyDown(scan::Escape)) {
        hilfe.offen = false;
        hilfe.schliesst = false;
        hilfe.bild = Image{};
        hilfe.hintergrund = Image{};
        eingabeVerschlucken(r);
        return false;
    }
    eingabeVerschlucken(r);
    r.platform.screenLock();
    r.screen().pixels = hilfe.bild.pixels;
    r.platform.screenUnlock();
    return true;
}

}  // namespace qz

#include "app/hilfe.hpp"

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

void hilfeZeichnen(Image& ziel, const Image& hintergrund, HilfeSeite seite)
{
    const std::vector<HilfeZeile>& zeilen = hilfeText(seite);
    // The panel is as tall as its page, and the footer sits below the last line.
    const int unten = kTextY + static_cast<int>(zeilen.size()) * kZeilenhoehe + 40;
    ziel = hintergrund;
    abdunkeln(ziel);
    for (int y = kOben; y <= unten; ++y) {
        Farbe* zeile = ziel.row(y);
        for (int x = kLinks; x <= kRechts; ++x) zeile[x] = 0xFF000000u | ((zeile[x] >> 2) & 0x001F1F1Fu);
    }
    box(ziel, kLinks, kOben, kRechts, unten, kRand);
    box(ziel, kLinks + 2, kOben + 2, kRechts - 2, unten - 2, kRand);
    const std::string titel = hilfeTitel(seite);
    drawText(ziel, centredX(512, titel.size()), kTitelY, titel, kTitel);
    line(ziel, kLinks + 2, kTextY - 8, kRechts - 2, kTextY - 8, kRand);
    int y = kTextY;
    for (const HilfeZeile& z : zeilen) {
        drawText(ziel, kTextX, y, z.text, z.art == HilfeZeile::Art::Ueberschrift ? kUeberschrift : z.art == HilfeZeile::Art::Wichtig ? kTitel : kText);
        y += kZeilenhoehe;
    }
    const std::string fuss = "F1 oder Esc schlie\xE1t die Hilfe.";
    drawText(ziel, centredX(512, fuss.size()), unten - 24, fuss, kFuss);
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
        hilfeZeichnen(hilfe.bild, r.screen(), seite);
    } else if (!hilfe.schliesst && (f1 || r.LetzteTaste == "\x1B")) {
        hilfe.schliesst = true;
    }
    // Esc also opens the map's menu while it is held: the help stays until the key is let go,
    // so the key that closed it does not act on the screen as well.
    if (hilfe.schliesst && !r.platform.keyDown(scan::Escape)) {
        hilfe.offen = false;
        hilfe.schliesst = false;
        hilfe.bild = Image{};
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

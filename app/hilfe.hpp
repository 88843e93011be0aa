// F1 help over any screen: the screen's last frame stays behind a panel with the page for it.
// While the help is open the screen handler does not run, so the game stands still exactly as
// it does while a menu is open (a multiplayer game goes on, as behind its menu), and no click,
// key or typed character reaches the screen.
#pragma once

#include "app/hilfe_seiten.hpp"
#include "frame/rahmen.hpp"
#include "platform/image.hpp"

namespace qz {

struct Hilfe {
    bool offen = false;
    bool schliesst = false;  // F1 or Esc pressed: closes once Esc is no longer held
    bool f1Gehalten = false; // F1 toggled the help and is still down: its key repeats do not count
    HilfeSeite seite = HilfeSeite::Hauptmenue;
    int ab = 0;              // the first line shown: a page longer than the panel is turned
    Image hintergrund;       // the screen's last frame
    Image bild;              // the frame with the panel drawn over it
};

// F1 by its set-1 scan code, and as the keyboard buffer gives it: a key without a character,
// 255 and the scan code.
inline constexpr int kScanF1 = 0x3B;
inline constexpr char kTasteF1[] = "\xFF\x3B";
inline constexpr char kTasteBildAb[] = "\xFF\x51";
inline constexpr char kTasteBildAuf[] = "\xFF\x49";

// Called after the input snapshot, before the screen handler. Opens the help on F1 with the
// page `seite`, shows it while open and swallows the input; true while the screen handler
// must not run this pass.
bool hilfePass(Hilfe& hilfe, Rahmen& r, HilfeSeite seite);

// Draws the page over `hintergrund` into `ziel` (same size as the screen), from its line `ab`
// on as many lines as the panel holds. Page Down and Page Up turn a longer page (a translation
// runs longer than the German, which always fits).
void hilfeZeichnen(Image& ziel, const Image& hintergrund, HilfeSeite seite, int ab = 0);

}  // namespace qz

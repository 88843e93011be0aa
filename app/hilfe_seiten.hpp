// The help pages: which page belongs to the screen in view, and each page's text in the
// language shown, wrapped to the width of the help panel.
#pragma once

#include "frame/rahmen.hpp"
#include "platform/text.hpp"
#include "state/spielstand.hpp"

#include <string>
#include <vector>

namespace qz {

enum class HilfeSeite {
    Hauptmenue,
    Optionen,
    Credits,
    SandkastenMenue,
    Sternkarte,
    Sternsystem,
    MehrspielerLogin,
    MehrspielerMenue,
    SpielMenue,
    GegenComputer,
    Lobby,
    MehrspielerKarte,
    Wiedergabe,
};

// The page for the screen that the last pass drew.
HilfeSeite hilfeSeiteFuer(const Rahmen& r, const Spielstand& spiel);

struct HilfeZeile {
    enum class Art { Text, Ueberschrift, Wichtig };
    Text text;
    Art art = Art::Text;
};

// Characters per line and lines per page that the panel holds.
constexpr int kHilfeSpalten = 112;
constexpr int kHilfeZeilen = 41;

const Text& hilfeTitel(HilfeSeite seite);
// The page's lines, wrapped at word boundaries to kHilfeSpalten characters. Valid until the
// language changes.
const std::vector<HilfeZeile>& hilfeText(HilfeSeite seite);

// German text written in UTF-8 as code page 437 bytes for the game's font; a character the
// font lacks becomes "?".
std::string alsCp437(std::string_view utf8);

}  // namespace qz

#include "systems/schiffstypen.hpp"

#include "platform/uebersetzung.hpp"

namespace qz {

namespace {

constexpr Schiffstyp kTypen[9] = {
    {0, 0, 0, 0, 0},
    {380, 500, 0, 450, 25},
    {620, 840, 150, 500, 40},
    {842, 1050, 200, 600, 55},
    {1080, 1300, 250, 700, 70},
    {1330, 1560, 300, 800, 85},
    {1590, 1800, 350, 900, 100},
    {3500, 2500, 400, 1250, 145},
    {4900, 3000, 500, 1250, 190},
};

}  // namespace

const Schiffstyp& schiffstyp(int typ) { return kTypen[typ >= 1 && typ <= 8 ? typ : 0]; }

int schildMaximum(int typ, int stufe9) { return typ >= 1 && typ <= 8 ? kTypen[typ].schild + 5 * stufe9 : 0; }

int huelleMaximum(int typ, int stufe10) { return typ >= 1 && typ <= 8 ? kTypen[typ].huelle + 5 * stufe10 : 0; }

std::string schiffsName(int typ) { return std::string(typ == 1 ? trMark("Kolonisierungsschiff") : "..."); }

}  // namespace qz

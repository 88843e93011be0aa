// Reading and writing one value of a ship in a working set: the lists hold decimal text, text
// that is not a number reads as 0. Kept inline so that the fleet and system routines, which run
// over every ship every frame, need nothing but the state's header.
#pragma once

#include "state/spielstand.hpp"
#include "gfx/text_numbers.hpp"

namespace qz {

inline int schiffWert(const SchiffSatz& satz, Schiffsfeld feld, int schiff)
{
    return textToInt(satz[feld](schiff));
}

inline void setzeSchiffWert(SchiffSatz& satz, Schiffsfeld feld, int schiff, long long wert)
{
    satz[feld](schiff) = numberToText(wert);
}

}  // namespace qz

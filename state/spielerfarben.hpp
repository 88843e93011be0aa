// The player palette: colour index 1..8 to red, green and blue.
#pragma once

#include "platform/errors.hpp"
#include "platform/image.hpp"

namespace qz {

struct Spielerfarbe {
    int rot, gruen, blau;
};

inline Spielerfarbe spielerfarbe(int index)
{
    static constexpr Spielerfarbe kPalette[8] = {{148, 0, 255}, {255, 0, 0},   {36, 219, 0},  {0, 255, 230},
                                                 {245, 255, 0}, {255, 137, 0}, {0, 120, 255}, {246, 0, 255}};
    checkIndex(index, 1, 8);
    return kPalette[index - 1];
}

}  // namespace qz

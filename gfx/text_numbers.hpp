// The number/text rules every list and record relies on: numbers are written in plain decimal,
// text is read as far as it forms a number (else 0), and reals become integers with halves
// going to the even neighbour.
#pragma once

#include <string>
#include <string_view>

namespace qz {

std::string numberToText(long long value);
double textToNumber(std::string_view text);
int roundHalfEven(double value);           // clamped to the int range
int textToInt(std::string_view text);      // textToNumber, then roundHalfEven

}  // namespace qz

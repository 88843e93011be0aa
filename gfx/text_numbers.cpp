#include "gfx/text_numbers.hpp"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace qz {

std::string numberToText(long long value) { return std::to_string(value); }

double textToNumber(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    std::size_t start = i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    std::size_t digits = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i, ++digits;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i, ++digits;
    }
    if (digits == 0) return 0.0;
    // An exponent counts only when digits follow it.
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t e = i + 1;
        if (e < text.size() && (text[e] == '+' || text[e] == '-')) ++e;
        if (e < text.size() && text[e] >= '0' && text[e] <= '9') {
            while (e < text.size() && text[e] >= '0' && text[e] <= '9') ++e;
            i = e;
        }
    }
    std::string_view number = text.substr(start, i - start);
    if (!number.empty() && number.front() == '+') number.remove_prefix(1);
    double value = 0.0;
    auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec == std::errc::result_out_of_range) return number.front() == '-' ? -HUGE_VAL : HUGE_VAL;
    return result.ec == std::errc{} ? value : 0.0;
}

int roundHalfEven(double value)
{
    if (std::isnan(value)) return 0;
    double r = std::nearbyint(value);  // the default rounding mode sends halves to even
    if (r >= static_cast<double>(std::numeric_limits<int>::max())) return std::numeric_limits<int>::max();
    if (r <= static_cast<double>(std::numeric_limits<int>::min())) return std::numeric_limits<int>::min();
    return static_cast<int>(r);
}

int textToInt(std::string_view text)
{
    // Fast path for plain integers, which is what every list holds.
    int value = 0;
    const char* first = text.data();
    const char* last = first + text.size();
    auto result = std::from_chars(first, last, value);
    if (result.ec == std::errc{} && result.ptr == last && !text.empty()) return value;
    return roundHalfEven(textToNumber(text));
}

}  // namespace qz

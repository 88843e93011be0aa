#include "replay/list_diff.hpp"

#include <charconv>
#include <cstdint>
#include <optional>
#include <vector>

namespace qz::replay {

namespace {

// A list is as long as the text it comes from, at most one value per byte and one more.
std::vector<std::string_view> split(std::string_view text) {
    std::vector<std::string_view> values;
    std::size_t start = 0;
    for (std::size_t comma = text.find(','); comma != std::string_view::npos; comma = text.find(',', start)) {
        values.push_back(text.substr(start, comma - start));
        start = comma + 1;
    }
    values.push_back(text.substr(start));
    return values;
}

// The value of a number written the one way it prints back ("0", "-12", never "012" or
// "+1"), so that writing the difference and adding it again gives the same text.
std::optional<std::int64_t> plainNumber(std::string_view text) {
    if (text.empty() || text.size() > 17) return std::nullopt;
    const std::size_t digits = text[0] == '-' ? 1 : 0;
    if (digits == text.size() || (text[digits] == '0' && (text.size() > digits + 1 || digits == 1))) return std::nullopt;
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

enum ValueKind : std::uint8_t { difference = 0, literal = 1 };

// The longest text a single value may rebuild to (a route of a few thousand steps fits).
constexpr std::int64_t kLimit = std::int64_t{1} << 50;

}  // namespace

void writeListChange(ByteWriter& out, std::string_view before, std::string_view after) {
    const std::vector<std::string_view> old = split(before);
    const std::vector<std::string_view> now = split(after);
    out.unsignedNumber(now.size());
    std::size_t i = 0;
    while (i < now.size()) {
        std::size_t kept = 0;
        while (i + kept < now.size() && i + kept < old.size() && now[i + kept] == old[i + kept]) ++kept;
        std::size_t changed = 0;
        while (i + kept + changed < now.size() &&
               (i + kept + changed >= old.size() || now[i + kept + changed] != old[i + kept + changed])) {
            ++changed;
        }
        out.unsignedNumber(kept);
        out.unsignedNumber(changed);
        for (std::size_t k = i + kept; k < i + kept + changed; ++k) {
            const std::optional<std::int64_t> was = k < old.size() ? plainNumber(old[k]) : std::nullopt;
            const std::optional<std::int64_t> is = was ? plainNumber(now[k]) : std::nullopt;
            if (is) {
                out.byte(difference);
                out.signedNumber(*is - *was);
            } else {
                out.byte(literal);
                out.text(now[k]);
            }
        }
        i += kept + changed;
    }
}

std::string readListChange(ByteReader& in, std::string_view before) {
    const std::vector<std::string_view> old = split(before);
    // Every value takes at least one byte of the change or is kept from the old list.
    const std::size_t count = in.count(in.left() + old.size() + 2);
    if (count == 0) throw DecodeError("empty list");
    std::string after;
    std::size_t i = 0;
    while (i < count) {
        const std::size_t kept = in.count(count - i + 1);
        const std::size_t changed = in.count(count - i - kept + 1);
        if (kept + changed == 0) throw DecodeError("empty run");
        if (i + kept > old.size()) throw DecodeError("kept values beyond the old list");
        for (std::size_t k = i; k < i + kept + changed; ++k) {
            if (k > 0) after += ',';
            if (k < i + kept) {
                after += old[k];
                continue;
            }
            const std::uint8_t kind = in.byte();
            if (kind == literal) {
                after += in.text();
                continue;
            }
            if (kind != difference) throw DecodeError("unknown kind of value");
            const std::optional<std::int64_t> was = k < old.size() ? plainNumber(old[k]) : std::nullopt;
            if (!was) throw DecodeError("difference to a value that is no number");
            const std::int64_t step = in.signedNumber();
            if (step > kLimit || step < -kLimit) throw DecodeError("difference out of range");
            after += std::to_string(*was + step);
        }
        i += kept + changed;
    }
    return after;
}

}  // namespace qz::replay

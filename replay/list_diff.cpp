#include "replay/list_diff.hpp"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
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

// The value of a number written the one way it prints back ("0", "-12", never "012", "-0"
// or "+1"), so that writing the difference and adding it again gives the same text. Runs
// for every value of every changed list, hence by hand.
std::optional<std::int64_t> plainNumber(std::string_view text) {
    const std::size_t size = text.size();
    if (size == 0 || size > 17) return std::nullopt;
    const bool negative = text[0] == '-';
    std::size_t i = negative ? 1 : 0;
    if (i == size || (text[i] == '0' && (size > 1))) return std::nullopt;
    std::int64_t value = 0;
    for (; i < size; ++i) {
        const unsigned digit = static_cast<unsigned char>(text[i]) - static_cast<unsigned>('0');
        if (digit > 9) return std::nullopt;
        value = value * 10 + digit;
    }
    return negative ? -value : value;
}


// Two numbers of at most 17 characters differ by less than 10^17 + 10^16 (from
// "-9999999999999999" to "99999999999999999"), which stays below this; a route of 17
// direction digits is such a number. Doubled and shifted for the token it still fits 64 bits.
constexpr std::int64_t kLimit = std::int64_t{1} << 57;

// Passes the whole values that the two lists share from where they are, eight bytes at a
// time: most of a list stays as it was from one poll to the next, and this passes a run of
// kept values in a few steps instead of a step per byte. Returns the bytes passed, up to and
// including the last comma in the run (nothing on a machine that is not little-endian), and
// adds the values passed to `values`.
std::size_t sharedValues(const char* b, std::size_t bn, const char* a, std::size_t an, std::size_t& values) {
    if constexpr (std::endian::native != std::endian::little) return 0;
    constexpr std::uint64_t kOnes = 0x0101010101010101u;
    constexpr std::uint64_t kCommas = kOnes * ',';
    constexpr std::uint64_t kLow = kOnes * 0x7F;
    std::size_t at = 0, passed = 0;
    while (at + 8 <= bn && at + 8 <= an) {
        std::uint64_t was, is;
        std::memcpy(&was, b + at, 8);
        std::memcpy(&is, a + at, 8);
        if (was != is) break;
        // The high bit of every byte that is a comma.
        const std::uint64_t other = is ^ kCommas;
        const std::uint64_t commas = ~(((other & kLow) + kLow) | other | kLow);
        if (commas != 0) {
            values += static_cast<std::size_t>(std::popcount(commas));
            passed = at + static_cast<std::size_t>(63 - std::countl_zero(commas)) / 8 + 1;
        }
        at += 8;
    }
    return passed;
}

}  // namespace

void writeListChange(ByteWriter& out, std::string_view before, std::string_view after) {
    out.unsignedNumber(static_cast<std::size_t>(std::count(after.begin(), after.end(), ',')) + 1);
    // Runs of kept values, each followed by a run of new ones; the new values wait in
    // `fresh` until their run is complete and its length known.
    thread_local ByteWriter fresh;
    fresh.clear();
    std::size_t kept = 0, changed = 0;
    const auto flush = [&] {
        out.unsignedNumber(kept);
        out.unsignedNumber(changed);
        out.raw(fresh.bytes());
        fresh.clear();
        kept = changed = 0;
    };
    // Both lists are walked byte by byte at once: most values are a few digits, and most of
    // them equal, which one pass over both finds without a call per value.
    const char* b = before.data();
    const char* a = after.data();
    const std::size_t bn = before.size(), an = after.size();
    std::size_t i = 0, j = 0;
    bool oldLeft = true;  // the old list has a value at this position
    bool newLeft = true;
    while (newLeft) {
        if (oldLeft) {
            std::size_t shared = 0;
            const std::size_t passed = sharedValues(b + i, bn - i, a + j, an - j, shared);
            if (shared > 0) {
                if (changed > 0) flush();
                kept += shared;
                i += passed;
                j += passed;
            }
        }
        const std::size_t wasStart = i, isStart = j;
        if (oldLeft) {
            while (i < bn && j < an && b[i] == a[j] && a[j] != ',') {
                ++i;
                ++j;
            }
        }
        const bool isEnds = j == an || a[j] == ',';
        const bool same = oldLeft && isEnds && (i == bn || b[i] == ',');
        while (j < an && a[j] != ',') ++j;
        if (oldLeft) {
            while (i < bn && b[i] != ',') ++i;
        }
        const std::string_view is(a + isStart, j - isStart);
        const std::string_view was(b + wasStart, oldLeft ? i - wasStart : 0);
        if (same) {
            if (changed > 0) flush();
            ++kept;
        } else {
            ++changed;
            const std::optional<std::int64_t> from = oldLeft ? plainNumber(was) : std::nullopt;
            const std::optional<std::int64_t> to = from ? plainNumber(is) : std::nullopt;
            // One number says which of the two a value is and how long or how far it goes.
            if (to) {
                fresh.unsignedNumber(zigzag(*to - *from) << 1);
            } else {
                fresh.unsignedNumber((std::uint64_t{is.size()} << 1) | 1);
                fresh.raw(is);
            }
        }
        newLeft = j < an;
        ++j;
        if (oldLeft) {
            oldLeft = i < bn;
            ++i;
        }
    }
    flush();
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
            const std::uint64_t token = in.unsignedNumber();
            if (token & 1) {
                const std::uint64_t length = token >> 1;
                if (length > in.left()) throw DecodeError("unexpected end");
                after += in.raw(static_cast<std::size_t>(length));
                continue;
            }
            const std::optional<std::int64_t> was = k < old.size() ? plainNumber(old[k]) : std::nullopt;
            if (!was) throw DecodeError("difference to a value that is no number");
            const std::int64_t step = unzigzag(token >> 1);
            if (step > kLimit || step < -kLimit) throw DecodeError("difference out of range");
            after += std::to_string(*was + step);
        }
        i += kept + changed;
    }
    return after;
}

}  // namespace qz::replay

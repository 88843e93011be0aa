// The bytes of the game's files (state/spielstand_datei, state/eigener_spielstand): the writer
// and the reader that share one list of fields per part, and the envelope every version of
// every file starts with (magic, format version, length and CRC-32 of the rest).
#pragma once

#include "state/spielstand_datei.hpp"

#include <algorithm>
#include <bit>
#include <climits>
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

namespace qz {

// Little-endian, fixed widths; lengths and counts as unsigned LEB128.
class Schreiber {
public:
    explicit Schreiber(double jetzt) : jetzt_(jetzt) {}

    static bool ok() { return true; }
    template <class Bedingung>
    void pruefe(Bedingung&&) {}

    void zahl(int v, int = INT_MIN, int = INT_MAX) { u32(static_cast<std::uint32_t>(v)); }
    void zahl64(std::int64_t v) { u64(static_cast<std::uint64_t>(v)); }
    void kommazahl(double v) { u64(std::bit_cast<std::uint64_t>(v)); }
    void zeit(double v) { kommazahl(v - jetzt_); }
    void text(const std::string& s)
    {
        laenge(s.size());
        out.append(s);
    }
    void texte(const Feld<std::string>& f)
    {
        zahl(f.lo());
        laenge(f.values().size());
        for (const std::string& s : f.values()) text(s);
    }

    void u32(std::uint32_t v)
    {
        const char b[4] = {static_cast<char>(v), static_cast<char>(v >> 8), static_cast<char>(v >> 16),
                           static_cast<char>(v >> 24)};
        out.append(b, 4);
    }
    void u64(std::uint64_t v)
    {
        u32(static_cast<std::uint32_t>(v));
        u32(static_cast<std::uint32_t>(v >> 32));
    }

    std::string out;

private:
    void laenge(std::size_t n)
    {
        do {
            const auto byte = static_cast<unsigned char>(n & 0x7F);
            n >>= 7;
            out.push_back(static_cast<char>(n ? byte | 0x80 : byte));
        } while (n);
    }

    double jetzt_;
};

// The mirror of the writer. Every read checks that the bytes are there and every value that
// the game uses as an index or a picture number is checked against its range; the first fault
// marks the file damaged and every later read yields 0.
class Leser {
public:
    Leser(std::string_view daten, double jetzt) : daten_(daten), jetzt_(jetzt) {}

    bool ok() const { return ok_; }
    bool amEnde() const { return ok_ && pos_ == daten_.size(); }
    template <class Bedingung>
    void pruefe(Bedingung&& bedingung)
    {
        if (ok_ && !bedingung()) ok_ = false;
    }

    void zahl(int& v, int min = INT_MIN, int max = INT_MAX)
    {
        v = static_cast<int>(u32());
        // A value out of its range is kept within it, so that nothing counted or indexed from
        // it before the caller looks at ok() can overflow.
        if (v < min || v > max) {
            ok_ = false;
            v = std::clamp(v, min, max);
        }
    }
    void zahl64(std::int64_t& v) { v = static_cast<std::int64_t>(u64()); }
    void kommazahl(double& v)
    {
        v = std::bit_cast<double>(u64());
        if (!std::isfinite(v)) ok_ = false;
    }
    void zeit(double& v)
    {
        kommazahl(v);
        v += jetzt_;
    }
    void text(std::string& s)
    {
        const std::size_t n = laenge();
        if (!ok_) return;
        s.assign(daten_.data() + pos_, n);
        pos_ += n;
    }
    void texte(Feld<std::string>& f)
    {
        int lo = 0;
        zahl(lo, 0, 1);
        const std::size_t n = laenge();  // every text takes at least its length byte
        if (!ok_) return;
        std::vector<std::string>& werte = f.values();
        werte.resize(n);
        for (std::string& s : werte) text(s);
        f.rebound(lo);
    }

    std::uint32_t u32()
    {
        if (!nimm(4)) return 0;
        const auto* b = reinterpret_cast<const unsigned char*>(daten_.data() + pos_ - 4);
        return b[0] | (b[1] << 8) | (b[2] << 16) | (static_cast<std::uint32_t>(b[3]) << 24);
    }
    std::uint64_t u64()
    {
        const std::uint64_t lo = u32();
        return lo | (static_cast<std::uint64_t>(u32()) << 32);
    }

private:
    bool nimm(std::size_t n)
    {
        if (!ok_ || daten_.size() - pos_ < n) {
            ok_ = false;
            return false;
        }
        pos_ += n;
        return true;
    }
    // A length or count never exceeds the bytes still to come.
    std::size_t laenge()
    {
        std::uint64_t n = 0;
        for (int shift = 0; shift < 64; shift += 7) {
            if (!nimm(1)) return 0;
            const auto byte = static_cast<unsigned char>(daten_[pos_ - 1]);
            n |= static_cast<std::uint64_t>(byte & 0x7F) << shift;
            if (!(byte & 0x80)) {
                if (n > daten_.size() - pos_) break;
                return static_cast<std::size_t>(n);
            }
        }
        ok_ = false;
        return 0;
    }

    std::string_view daten_;
    std::size_t pos_ = 0;
    double jetzt_;
    bool ok_ = true;
};

// What the rest of a file holds, from version 2 on.
enum class Inhalt : int { GanzesSpiel = 1, EigenerTeil = 2 };

// A writer whose output starts with the envelope of the current version; the length and the
// checksum are filled in by umschlagSchliessen.
Schreiber umschlagBeginnen(double jetzt);
std::string umschlagSchliessen(Schreiber&& a);

// Checks the envelope; on success `version` is the file's and `rest` is what the checksum covers.
Lesefehler umschlagLesen(std::string_view datei, std::uint32_t& version, std::string_view& rest);

// The summary the slot screen shows, at the start of the rest in every version.
template <class A, class K>
void kopfFelder(A& a, K& kopf)
{
    a.zahl64(kopf.gespeichertUm);
    a.zahl(kopf.Sternanzahl, 0, kSystemKapazitaet);
    a.zahl(kopf.spieltag);
    a.zahl(kopf.geld, -kGeldGrenze, kGeldGrenze);
    a.zahl(kopf.eigeneSysteme, 0, kSystemKapazitaet);
}

}  // namespace qz

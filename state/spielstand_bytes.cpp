#include "state/spielstand_bytes.hpp"

#include <zlib.h>

#include <cstring>

namespace qz {

namespace {

constexpr char kMagie[8] = {'Q', 'Z', 'S', 'P', 'I', 'E', 'L', '\x1A'};
constexpr std::size_t kAnfang = 8 + 4;              // magic, version: the same in every version
constexpr std::size_t kUmschlag = kAnfang + 8 + 4;  // then, from version 1 on: length, CRC-32

std::uint32_t pruefsumme(std::string_view daten)
{
    return static_cast<std::uint32_t>(
        crc32_z(crc32_z(0, nullptr, 0), reinterpret_cast<const Bytef*>(daten.data()), daten.size()));
}

}  // namespace

Schreiber umschlagBeginnen(double jetzt)
{
    Schreiber a(jetzt);
    a.out.append(kMagie, sizeof kMagie);
    a.u32(kSpielstandVersion);
    a.u64(0);  // length and checksum, filled in at the end
    a.u32(0);
    return a;
}

std::string umschlagSchliessen(Schreiber&& a)
{
    std::string_view rest(a.out);
    rest.remove_prefix(kUmschlag);
    Schreiber umschlag(0.0);
    umschlag.u64(rest.size());
    umschlag.u32(pruefsumme(rest));
    a.out.replace(kAnfang, umschlag.out.size(), umschlag.out);
    return std::move(a.out);
}

Lesefehler umschlagLesen(std::string_view datei, std::uint32_t& version, std::string_view& rest)
{
    if (datei.size() < kAnfang || std::memcmp(datei.data(), kMagie, sizeof kMagie) != 0)
        return Lesefehler::Beschaedigt;
    Leser vorspann(datei.substr(8), 0.0);
    version = vorspann.u32();
    if (version > kSpielstandVersion) return Lesefehler::NeuereVersion;
    if (version == 0 || datei.size() < kUmschlag) return Lesefehler::Beschaedigt;
    const std::uint64_t laenge = vorspann.u64();
    const std::uint32_t summe = vorspann.u32();
    rest = datei.substr(kUmschlag);
    if (laenge != rest.size() || summe != pruefsumme(rest)) return Lesefehler::Beschaedigt;
    return Lesefehler::Keiner;
}

}  // namespace qz

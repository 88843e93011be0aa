// Build-time tool: reads a gzipped PSF console font with a Unicode table and writes the
// 256 glyphs of code page 437 (8 x 16, one byte per row) as a C++ initialiser list; then takes
// from GNU Unifont's hex file the 8 x 16 glyphs of the characters code page 437 lacks, in the
// blocks given, as a second list sorted by code point (what translations need to be drawn).
// Usage: make_font <font.psf.gz> <output.inc> <unifont.hex> <blocks> <output_unifont.inc>
// where <blocks> is a comma list of inclusive hexadecimal ranges, e.g. "0370-03FF,0400-04FF".
#include <zlib.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

// Unicode code point of every code page 437 byte.
constexpr std::uint16_t kCp437[256] = {
    0x0000, 0x263A, 0x263B, 0x2665, 0x2666, 0x2663, 0x2660, 0x2022, 0x25D8, 0x25CB, 0x25D9, 0x2642, 0x2640,
    0x266A, 0x266B, 0x263C, 0x25BA, 0x25C4, 0x2195, 0x203C, 0x00B6, 0x00A7, 0x25AC, 0x21A8, 0x2191, 0x2193,
    0x2192, 0x2190, 0x221F, 0x2194, 0x25B2, 0x25BC, 0x0020, 0x0021, 0x0022, 0x0023, 0x0024, 0x0025, 0x0026,
    0x0027, 0x0028, 0x0029, 0x002A, 0x002B, 0x002C, 0x002D, 0x002E, 0x002F, 0x0030, 0x0031, 0x0032, 0x0033,
    0x0034, 0x0035, 0x0036, 0x0037, 0x0038, 0x0039, 0x003A, 0x003B, 0x003C, 0x003D, 0x003E, 0x003F, 0x0040,
    0x0041, 0x0042, 0x0043, 0x0044, 0x0045, 0x0046, 0x0047, 0x0048, 0x0049, 0x004A, 0x004B, 0x004C, 0x004D,
    0x004E, 0x004F, 0x0050, 0x0051, 0x0052, 0x0053, 0x0054, 0x0055, 0x0056, 0x0057, 0x0058, 0x0059, 0x005A,
    0x005B, 0x005C, 0x005D, 0x005E, 0x005F, 0x0060, 0x0061, 0x0062, 0x0063, 0x0064, 0x0065, 0x0066, 0x0067,
    0x0068, 0x0069, 0x006A, 0x006B, 0x006C, 0x006D, 0x006E, 0x006F, 0x0070, 0x0071, 0x0072, 0x0073, 0x0074,
    0x0075, 0x0076, 0x0077, 0x0078, 0x0079, 0x007A, 0x007B, 0x007C, 0x007D, 0x007E, 0x2302, 0x00C7, 0x00FC,
    0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7, 0x00EA, 0x00EB, 0x00E8, 0x00EF, 0x00EE, 0x00EC, 0x00C4,
    0x00C5, 0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9, 0x00FF, 0x00D6, 0x00DC, 0x00A2,
    0x00A3, 0x00A5, 0x20A7, 0x0192, 0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x00AA, 0x00BA, 0x00BF,
    0x2310, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB, 0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x2561,
    0x2562, 0x2556, 0x2555, 0x2563, 0x2551, 0x2557, 0x255D, 0x255C, 0x255B, 0x2510, 0x2514, 0x2534, 0x252C,
    0x251C, 0x2500, 0x253C, 0x255E, 0x255F, 0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x2567,
    0x2568, 0x2564, 0x2565, 0x2559, 0x2558, 0x2552, 0x2553, 0x256B, 0x256A, 0x2518, 0x250C, 0x2588, 0x2584,
    0x258C, 0x2590, 0x2580, 0x03B1, 0x00DF, 0x0393, 0x03C0, 0x03A3, 0x03C3, 0x00B5, 0x03C4, 0x03A6, 0x0398,
    0x03A9, 0x03B4, 0x221E, 0x03C6, 0x03B5, 0x2229, 0x2261, 0x00B1, 0x2265, 0x2264, 0x2320, 0x2321, 0x00F7,
    0x2248, 0x00B0, 0x2219, 0x00B7, 0x221A, 0x207F, 0x00B2, 0x25A0, 0x00A0};

std::vector<unsigned char> readGzip(const char* path)
{
    std::vector<unsigned char> data;
    gzFile f = gzopen(path, "rb");
    if (!f) return data;
    unsigned char buf[65536];
    int n;
    while ((n = gzread(f, buf, sizeof buf)) > 0) data.insert(data.end(), buf, buf + n);
    gzclose(f);
    return data;
}

std::uint32_t le32(const std::vector<unsigned char>& d, std::size_t p)
{
    return d[p] | d[p + 1] << 8 | d[p + 2] << 16 | static_cast<std::uint32_t>(d[p + 3]) << 24;
}

// Decodes one UTF-8 sequence at d[p], advancing p.
std::uint32_t utf8(const std::vector<unsigned char>& d, std::size_t& p)
{
    unsigned c = d[p++];
    int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
    std::uint32_t cp = extra == 0 ? c : c & (0x3F >> extra);
    while (extra-- > 0 && p < d.size()) cp = cp << 6 | (d[p++] & 0x3F);
    return cp;
}

std::vector<std::pair<unsigned long, unsigned long>> parseBlocks(const std::string& text)
{
    std::vector<std::pair<unsigned long, unsigned long>> blocks;
    std::size_t p = 0;
    while (p < text.size()) {
        std::size_t end = text.find(',', p);
        if (end == std::string::npos) end = text.size();
        const std::string range = text.substr(p, end - p);
        const std::size_t dash = range.find('-');
        const unsigned long from = std::strtoul(range.substr(0, dash).c_str(), nullptr, 16);
        const unsigned long to = dash == std::string::npos ? from : std::strtoul(range.substr(dash + 1).c_str(), nullptr, 16);
        blocks.emplace_back(from, to);
        p = end + 1;
    }
    return blocks;
}

// Unifont's half-width glyphs (32 hex digits: 16 rows of 8 pixels) inside the blocks, except
// the characters code page 437 already has. Full-width glyphs (16 pixels wide) are left out:
// every character of the game is one 8-pixel cell.
int writeUnifont(const char* hexPath, const std::string& blockText, const char* outPath)
{
    std::ifstream hex(hexPath);
    if (!hex) return 6;
    const auto blocks = parseBlocks(blockText);
    const std::set<std::uint32_t> inCp437(std::begin(kCp437), std::end(kCp437));
    FILE* out = std::fopen(outPath, "w");
    if (!out) return 5;
    std::fprintf(out, "// Generated from %s, blocks %s: code point, then 16 rows.\n", hexPath, blockText.c_str());
    std::string line;
    while (std::getline(hex, line)) {
        const std::size_t colon = line.find(':');
        if (colon == std::string::npos || line.size() - colon - 1 != 32) continue;
        const unsigned long cp = std::strtoul(line.substr(0, colon).c_str(), nullptr, 16);
        bool wanted = false;
        for (const auto& [from, to] : blocks) wanted = wanted || (cp >= from && cp <= to);
        if (!wanted || inCp437.count(static_cast<std::uint32_t>(cp))) continue;
        std::fprintf(out, "{0x%04lX,{", cp);
        for (int r = 0; r < 16; ++r) std::fprintf(out, "0x%s,", line.substr(colon + 1 + 2 * r, 2).c_str());
        std::fprintf(out, "}},\n");
    }
    std::fclose(out);
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 6) return 2;
    std::vector<unsigned char> d = readGzip(argv[1]);
    std::size_t glyphs = 0, height = 0, bytesPerGlyph = 0, offset = 0;
    std::map<std::uint32_t, std::size_t> glyphOf;
    if (d.size() > 32 && le32(d, 0) == 0x864AB572u) {  // PSF2
        offset = le32(d, 8);
        glyphs = le32(d, 16);
        bytesPerGlyph = le32(d, 20);
        height = le32(d, 24);
        if (le32(d, 28) != 8 || height != 16) return 3;
        std::size_t p = offset + glyphs * bytesPerGlyph;
        for (std::size_t g = 0; g < glyphs && p < d.size(); ++g) {
            while (p < d.size() && d[p] != 0xFF) {
                if (d[p] == 0xFE) {  // start of a sequence: skip to the entry's end
                    while (p < d.size() && d[p] != 0xFF) ++p;
                    break;
                }
                glyphOf.emplace(utf8(d, p), g);
            }
            ++p;
        }
    } else if (d.size() > 4 && d[0] == 0x36 && d[1] == 0x04) {  // PSF1
        glyphs = (d[2] & 1) ? 512 : 256;
        height = bytesPerGlyph = d[3];
        offset = 4;
        if (height != 16) return 3;
        std::size_t p = offset + glyphs * bytesPerGlyph;
        for (std::size_t g = 0; g < glyphs && p + 1 < d.size(); ++g) {
            for (;;) {
                unsigned v = d[p] | d[p + 1] << 8;
                p += 2;
                if (v == 0xFFFF || p + 1 >= d.size()) break;
                if (v != 0xFFFE) glyphOf.emplace(v, g);
            }
        }
    } else {
        return 4;
    }
    FILE* out = std::fopen(argv[2], "w");
    if (!out) return 5;
    std::fprintf(out, "// Generated from %s: code page 437, 256 glyphs x 16 rows.\n", argv[1]);
    for (int c = 0; c < 256; ++c) {
        auto it = glyphOf.find(kCp437[c]);
        if (it == glyphOf.end()) it = glyphOf.find(0xFFFD);
        std::fprintf(out, "{");
        for (int r = 0; r < 16; ++r) {
            unsigned row = (it == glyphOf.end() || c == 0) ? 0 : d[offset + it->second * bytesPerGlyph + r];
            std::fprintf(out, "0x%02X,", row);
        }
        std::fprintf(out, "},\n");
    }
    std::fclose(out);
    return writeUnifont(argv[3], argv[4], argv[5]);
}

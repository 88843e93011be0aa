// Build-time tool: reads a gzipped PSF console font with a Unicode table and writes the
// 256 glyphs of code page 437 (8 x 16, one byte per row) as a C++ initialiser list; then takes
// from GNU Unifont's hex file the 8 x 16 glyphs of the characters code page 437 lacks, in the
// blocks given, as a second list sorted by code point (what translations need to be drawn).
// Usage: make_font <font.psf.gz> <output.inc> <unifont.hex> <blocks> <output_unifont.inc>
// where <blocks> is a comma list of inclusive hexadecimal ranges, e.g. "0370-03FF,0400-04FF".
#include "platform/cp437_zeichen.hpp"

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

using qz::kCp437;

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

#include "net/md5.hpp"

#include <algorithm>
#include <cstring>

namespace qz {
namespace {

inline std::uint32_t rotl(std::uint32_t x, int s) { return (x << s) | (x >> (32 - s)); }

// Words are little-endian as RFC 1321 prescribes; assembling them byte by byte keeps that
// true on any host, and compilers turn it into a single load on little-endian machines.
inline std::uint32_t word(const unsigned char* p)
{
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
}

// The four auxiliary functions in the forms that need the fewest operations.
#define QZ_MD5_F(x, y, z) ((z) ^ ((x) & ((y) ^ (z))))
#define QZ_MD5_G(x, y, z) ((y) ^ ((z) & ((x) ^ (y))))
#define QZ_MD5_H(x, y, z) ((x) ^ (y) ^ (z))
#define QZ_MD5_I(x, y, z) ((y) ^ ((x) | ~(z)))
#define QZ_MD5_STEP(f, a, b, c, d, x, t, s) \
    a += f(b, c, d) + (x) + (t);            \
    a = rotl(a, s) + (b)

}  // namespace

void Md5Kontext::blocks(const unsigned char* data, std::size_t count)
{
    std::uint32_t a = a_, b = b_, c = c_, d = d_;
    for (; count > 0; --count, data += 64) {
        std::uint32_t x[16];
        for (int i = 0; i < 16; ++i) x[i] = word(data + 4 * i);
        const std::uint32_t aa = a, bb = b, cc = c, dd = d;

        QZ_MD5_STEP(QZ_MD5_F, a, b, c, d, x[0], 0xd76aa478, 7);
        QZ_MD5_STEP(QZ_MD5_F, d, a, b, c, x[1], 0xe8c7b756, 12);
        QZ_MD5_STEP(QZ_MD5_F, c, d, a, b, x[2], 0x242070db, 17);
        QZ_MD5_STEP(QZ_MD5_F, b, c, d, a, x[3], 0xc1bdceee, 22);
        QZ_MD5_STEP(QZ_MD5_F, a, b, c, d, x[4], 0xf57c0faf, 7);
        QZ_MD5_STEP(QZ_MD5_F, d, a, b, c, x[5], 0x4787c62a, 12);
        QZ_MD5_STEP(QZ_MD5_F, c, d, a, b, x[6], 0xa8304613, 17);
        QZ_MD5_STEP(QZ_MD5_F, b, c, d, a, x[7], 0xfd469501, 22);
        QZ_MD5_STEP(QZ_MD5_F, a, b, c, d, x[8], 0x698098d8, 7);
        QZ_MD5_STEP(QZ_MD5_F, d, a, b, c, x[9], 0x8b44f7af, 12);
        QZ_MD5_STEP(QZ_MD5_F, c, d, a, b, x[10], 0xffff5bb1, 17);
        QZ_MD5_STEP(QZ_MD5_F, b, c, d, a, x[11], 0x895cd7be, 22);
        QZ_MD5_STEP(QZ_MD5_F, a, b, c, d, x[12], 0x6b901122, 7);
        QZ_MD5_STEP(QZ_MD5_F, d, a, b, c, x[13], 0xfd987193, 12);
        QZ_MD5_STEP(QZ_MD5_F, c, d, a, b, x[14], 0xa679438e, 17);
        QZ_MD5_STEP(QZ_MD5_F, b, c, d, a, x[15], 0x49b40821, 22);

        QZ_MD5_STEP(QZ_MD5_G, a, b, c, d, x[1], 0xf61e2562, 5);
        QZ_MD5_STEP(QZ_MD5_G, d, a, b, c, x[6], 0xc040b340, 9);
        QZ_MD5_STEP(QZ_MD5_G, c, d, a, b, x[11], 0x265e5a51, 14);
        QZ_MD5_STEP(QZ_MD5_G, b, c, d, a, x[0], 0xe9b6c7aa, 20);
        QZ_MD5_STEP(QZ_MD5_G, a, b, c, d, x[5], 0xd62f105d, 5);
        QZ_MD5_STEP(QZ_MD5_G, d, a, b, c, x[10], 0x02441453, 9);
        QZ_MD5_STEP(QZ_MD5_G, c, d, a, b, x[15], 0xd8a1e681, 14);
        QZ_MD5_STEP(QZ_MD5_G, b, c, d, a, x[4], 0xe7d3fbc8, 20);
        QZ_MD5_STEP(QZ_MD5_G, a, b, c, d, x[9], 0x21e1cde6, 5);
        QZ_MD5_STEP(QZ_MD5_G, d, a, b, c, x[14], 0xc33707d6, 9);
        QZ_MD5_STEP(QZ_MD5_G, c, d, a, b, x[3], 0xf4d50d87, 14);
        QZ_MD5_STEP(QZ_MD5_G, b, c, d, a, x[8], 0x455a14ed, 20);
        QZ_MD5_STEP(QZ_MD5_G, a, b, c, d, x[13], 0xa9e3e905, 5);
        QZ_MD5_STEP(QZ_MD5_G, d, a, b, c, x[2], 0xfcefa3f8, 9);
        QZ_MD5_STEP(QZ_MD5_G, c, d, a, b, x[7], 0x676f02d9, 14);
        QZ_MD5_STEP(QZ_MD5_G, b, c, d, a, x[12], 0x8d2a4c8a, 20);

        QZ_MD5_STEP(QZ_MD5_H, a, b, c, d, x[5], 0xfffa3942, 4);
        QZ_MD5_STEP(QZ_MD5_H, d, a, b, c, x[8], 0x8771f681, 11);
        QZ_MD5_STEP(QZ_MD5_H, c, d, a, b, x[11], 0x6d9d6122, 16);
        QZ_MD5_STEP(QZ_MD5_H, b, c, d, a, x[14], 0xfde5380c, 23);
        QZ_MD5_STEP(QZ_MD5_H, a, b, c, d, x[1], 0xa4beea44, 4);
        QZ_MD5_STEP(QZ_MD5_H, d, a, b, c, x[4], 0x4bdecfa9, 11);
        QZ_MD5_STEP(QZ_MD5_H, c, d, a, b, x[7], 0xf6bb4b60, 16);
        QZ_MD5_STEP(QZ_MD5_H, b, c, d, a, x[10], 0xbebfbc70, 23);
        QZ_MD5_STEP(QZ_MD5_H, a, b, c, d, x[13], 0x289b7ec6, 4);
        QZ_MD5_STEP(QZ_MD5_H, d, a, b, c, x[0], 0xeaa127fa, 11);
        QZ_MD5_STEP(QZ_MD5_H, c, d, a, b, x[3], 0xd4ef3085, 16);
        QZ_MD5_STEP(QZ_MD5_H, b, c, d, a, x[6], 0x04881d05, 23);
        QZ_MD5_STEP(QZ_MD5_H, a, b, c, d, x[9], 0xd9d4d039, 4);
        QZ_MD5_STEP(QZ_MD5_H, d, a, b, c, x[12], 0xe6db99e5, 11);
        QZ_MD5_STEP(QZ_MD5_H, c, d, a, b, x[15], 0x1fa27cf8, 16);
        QZ_MD5_STEP(QZ_MD5_H, b, c, d, a, x[2], 0xc4ac5665, 23);

        QZ_MD5_STEP(QZ_MD5_I, a, b, c, d, x[0], 0xf4292244, 6);
        QZ_MD5_STEP(QZ_MD5_I, d, a, b, c, x[7], 0x432aff97, 10);
        QZ_MD5_STEP(QZ_MD5_I, c, d, a, b, x[14], 0xab9423a7, 15);
        QZ_MD5_STEP(QZ_MD5_I, b, c, d, a, x[5], 0xfc93a039, 21);
        QZ_MD5_STEP(QZ_MD5_I, a, b, c, d, x[12], 0x655b59c3, 6);
        QZ_MD5_STEP(QZ_MD5_I, d, a, b, c, x[3], 0x8f0ccc92, 10);
        QZ_MD5_STEP(QZ_MD5_I, c, d, a, b, x[10], 0xffeff47d, 15);
        QZ_MD5_STEP(QZ_MD5_I, b, c, d, a, x[1], 0x85845dd1, 21);
        QZ_MD5_STEP(QZ_MD5_I, a, b, c, d, x[8], 0x6fa87e4f, 6);
        QZ_MD5_STEP(QZ_MD5_I, d, a, b, c, x[15], 0xfe2ce6e0, 10);
        QZ_MD5_STEP(QZ_MD5_I, c, d, a, b, x[6], 0xa3014314, 15);
        QZ_MD5_STEP(QZ_MD5_I, b, c, d, a, x[13], 0x4e0811a1, 21);
        QZ_MD5_STEP(QZ_MD5_I, a, b, c, d, x[4], 0xf7537e82, 6);
        QZ_MD5_STEP(QZ_MD5_I, d, a, b, c, x[11], 0xbd3af235, 10);
        QZ_MD5_STEP(QZ_MD5_I, c, d, a, b, x[2], 0x2ad7d2bb, 15);
        QZ_MD5_STEP(QZ_MD5_I, b, c, d, a, x[9], 0xeb86d391, 21);

        a += aa;
        b += bb;
        c += cc;
        d += dd;
    }
    a_ = a;
    b_ = b;
    c_ = c;
    d_ = d;
}

#undef QZ_MD5_F
#undef QZ_MD5_G
#undef QZ_MD5_H
#undef QZ_MD5_I
#undef QZ_MD5_STEP

void Md5Kontext::UPDATE(std::string_view bytes)
{
    auto data = reinterpret_cast<const unsigned char*>(bytes.data());
    std::size_t size = bytes.size();
    length_ += size;
    if (pendingSize_ > 0) {
        const std::size_t take = std::min(size, pending_.size() - pendingSize_);
        std::memcpy(pending_.data() + pendingSize_, data, take);
        pendingSize_ += take;
        data += take;
        size -= take;
        if (pendingSize_ < pending_.size()) return;
        blocks(pending_.data(), 1);
        pendingSize_ = 0;
    }
    blocks(data, size / 64);
    data += size / 64 * 64;
    size %= 64;
    std::memcpy(pending_.data(), data, size);
    pendingSize_ = size;
}

std::array<std::uint8_t, 16> Md5Kontext::finalDigest()
{
    const std::uint64_t bits = length_ * 8;
    // One 0x80 byte, zeros up to 56 bytes into a block, then the length: 1 to 64 padding bytes.
    unsigned char padding[72] = {0x80};
    const std::size_t padSize = pendingSize_ < 56 ? 56 - pendingSize_ : 120 - pendingSize_;
    for (int i = 0; i < 8; ++i) padding[padSize + i] = static_cast<unsigned char>(bits >> (8 * i));
    UPDATE(std::string_view(reinterpret_cast<const char*>(padding), padSize + 8));

    std::array<std::uint8_t, 16> digest{};
    const std::uint32_t words[4] = {a_, b_, c_, d_};
    for (int w = 0; w < 4; ++w)
        for (int i = 0; i < 4; ++i) digest[4 * w + i] = static_cast<std::uint8_t>(words[w] >> (8 * i));
    return digest;
}

std::string Md5Kontext::FINAL()
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(32);
    for (std::uint8_t byte : finalDigest()) {
        text += kHex[byte >> 4];
        text += kHex[byte & 15];
    }
    return text;
}

std::string md5UpperHex(std::string_view text)
{
    Md5Kontext kontext;
    kontext.UPDATE(text);
    return kontext.FINAL();
}

std::string CREATEHASH(std::string_view text)
{
    if (text.empty()) return "Kein Text enthalten";
    return md5UpperHex(text);
}

}  // namespace qz

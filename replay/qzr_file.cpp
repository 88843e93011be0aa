#include "replay/qzr_file.hpp"

#include "replay/byte_codec.hpp"

#include <zlib.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>

namespace qz::replay {

namespace {

constexpr std::string_view kMagic{"\x89QZR\r\n\x1a\n", 8};
constexpr std::size_t kHeaderBytes = kMagic.size() + 2 + 4 + 4;
constexpr std::size_t kMaxPlayersListed = 64;
// More entries than a body of this size could hold cannot be.
constexpr std::size_t kMinEntryBytes = 3;

void putLittleEndian(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xff);
}

std::uint32_t littleEndian(std::string_view in, std::size_t at, int bytes) {
    std::uint32_t value = 0;
    for (int i = 0; i < bytes; ++i) value |= static_cast<std::uint32_t>(static_cast<unsigned char>(in[at + i])) << (8 * i);
    return value;
}

std::uint32_t crcOf(std::string_view bytes) {
    return static_cast<std::uint32_t>(
        crc32(crc32(0, nullptr, 0), reinterpret_cast<const Bytef*>(bytes.data()), static_cast<uInt>(bytes.size())));
}

Recording readBody(std::string_view body) {
    ByteReader in(body);
    Recording r;
    r.channel = in.text();
    const std::size_t players = in.count(kMaxPlayersListed + 1);
    for (std::size_t i = 0; i < players; ++i) r.players.emplace_back(in.text());
    r.startedAt = static_cast<double>(in.signedNumber());
    const std::size_t entries = in.count(in.left() / kMinEntryBytes + 1);
    if (entries == 0) throw DecodeError("no entries");
    long long last = 0;
    for (std::size_t i = 0; i < entries; ++i) {
        RecordedEntry e;
        e.atMilliseconds = in.signedNumber();
        if (e.atMilliseconds < last) throw DecodeError("entries out of order");
        last = e.atMilliseconds;
        const std::uint8_t kind = in.byte();
        if (kind > static_cast<std::uint8_t>(EntryKind::changes)) throw DecodeError("unknown entry kind");
        e.kind = static_cast<EntryKind>(kind);
        if (i == 0 && e.kind != EntryKind::full) throw DecodeError("the first entry is no full state");
        e.data = in.text();
        r.entries.push_back(std::move(e));
    }
    if (!in.atEnd()) throw DecodeError("bytes after the last entry");
    return r;
}

}  // namespace

ReplayState Recording::stateAt(double seconds) const {
    ReplayState state;
    const double limit = seconds * 1000;
    for (const RecordedEntry& e : entries) {
        if (static_cast<double>(e.atMilliseconds) > limit) break;
        applyEntry(state, e.kind, e.data);
    }
    return state;
}

ReplayState Recording::stateOnDay(long long day) const {
    // Everything before the next day's first millisecond.
    return stateAt(lastMomentOfDay(day));
}

double Recording::lengthSeconds() const {
    return entries.empty() ? 0 : static_cast<double>(entries.back().atMilliseconds) / 1000;
}

std::string writeQzr(const Recording& recording) {
    ByteWriter body;
    body.text(recording.channel);
    body.unsignedNumber(recording.players.size());
    for (const std::string& name : recording.players) body.text(name);
    body.signedNumber(static_cast<std::int64_t>(std::llround(recording.startedAt)));
    body.unsignedNumber(recording.entries.size());
    for (const RecordedEntry& e : recording.entries) {
        body.signedNumber(e.atMilliseconds);
        body.byte(static_cast<std::uint8_t>(e.kind));
        body.text(e.data);
    }
    std::string out(kMagic);
    putLittleEndian(out, kQzrVersion, 2);
    putLittleEndian(out, static_cast<std::uint32_t>(body.bytes().size()), 4);
    putLittleEndian(out, crcOf(body.bytes()), 4);
    return out + body.bytes();
}

Recording readQzr(std::string_view bytes) {
    const std::size_t magic = std::min(bytes.size(), kMagic.size());
    if (bytes.substr(0, magic) != kMagic.substr(0, magic) || bytes.empty()) {
        throw QzrError(QzrProblem::foreign, "not a QZ recording");
    }
    if (bytes.size() < kMagic.size() + 2) throw QzrError(QzrProblem::truncated, "recording truncated");
    const std::uint32_t version = littleEndian(bytes, kMagic.size(), 2);
    if (version > kQzrVersion) {
        throw QzrError(QzrProblem::newer, "recording of a newer version (format " + std::to_string(version) +
                                              ", this one reads up to " + std::to_string(kQzrVersion) + ")");
    }
    if (version == 0) throw QzrError(QzrProblem::damaged, "recording damaged (format 0)");
    if (bytes.size() < kHeaderBytes) throw QzrError(QzrProblem::truncated, "recording truncated");
    const std::uint32_t length = littleEndian(bytes, kMagic.size() + 2, 4);
    const std::string_view body = bytes.substr(kHeaderBytes);
    if (body.size() < length) throw QzrError(QzrProblem::truncated, "recording truncated");
    if (body.size() > length) throw QzrError(QzrProblem::damaged, "recording damaged (bytes after its end)");
    if (crcOf(body) != littleEndian(bytes, kMagic.size() + 6, 4)) {
        throw QzrError(QzrProblem::damaged, "recording damaged (checksum)");
    }
    try {
        Recording recording = readBody(body);
        // Every entry must apply, so that a player never meets the damage halfway through.
        ReplayState state;
        for (const RecordedEntry& e : recording.entries) applyEntry(state, e.kind, e.data);
        return recording;
    } catch (const DecodeError& error) {
        throw QzrError(QzrProblem::damaged, std::string("recording damaged (") + error.what() + ")");
    }
}

void writeQzrFile(const std::string& path, const Recording& recording) {
    // Written beside it and renamed, so that FILE is either the whole recording or untouched.
    const std::string bytes = writeQzr(recording);
    const std::string partial = path + ".part";
    std::ofstream out(partial, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out || std::rename(partial.c_str(), path.c_str()) != 0) {
        const std::string reason = std::strerror(errno);
        std::remove(partial.c_str());
        throw std::runtime_error("cannot write " + path + ": " + reason);
    }
}

Recording readQzrFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot open " + path + ": " + std::strerror(errno));
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    return readQzr(bytes);
}

}  // namespace qz::replay

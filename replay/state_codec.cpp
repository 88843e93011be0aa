#include "replay/state_codec.hpp"

#include "replay/list_diff.hpp"

#include <zlib.h>

namespace qz::replay {

namespace {

// The game's limit on star systems.
constexpr std::size_t kMaxSystems = 500;
// No entry of a real game comes near this; a damaged length cannot make the reader take more.
constexpr std::size_t kMaxEntryBytes = std::size_t{64} << 20;

enum SeatPart : std::uint8_t { partHeader = 0, partText = 1 };

void writeSeatHeader(ByteWriter& out, const Seat& seat) {
    out.text(seat.name);
    out.signedNumber(seat.colour);
    out.byte(seat.away ? 1 : 0);
}

void readSeatHeader(ByteReader& in, Seat& seat) {
    seat.name = in.text();
    seat.colour = in.integer();
    const std::uint8_t away = in.byte();
    if (away > 1) throw DecodeError("bad away flag");
    seat.away = away == 1;
}

void readDynamicValues(ByteReader& in, StarSystem& s) {
    s.type = in.integer();
    s.owner = in.integer();
    s.shield = in.integer();
    s.fortification = in.integer();
    s.attacked = in.integer();
}

ReplayState readFull(ByteReader& in) {
    ReplayState state;
    state.systems.resize(in.count(kMaxSystems + 1));
    for (StarSystem& s : state.systems) {
        s.name = in.text();
        s.x = in.integer();
        s.y = in.integer();
        readDynamicValues(in, s);
    }
    for (Seat& seat : state.seats) {
        readSeatHeader(in, seat);
        for (std::string& text : seat.texts) text = in.text();
    }
    state.battles = in.text();
    const std::size_t lines = in.count(kChatLines + 1);
    for (std::size_t i = 0; i < lines; ++i) {
        const int sender = in.integer();
        state.chat.push_back({sender, std::string(in.text())});
    }
    return state;
}

void readChanges(ByteReader& in, ReplayState& state) {
    const std::size_t systems = in.count(state.systems.size() + 1);
    for (std::size_t k = 0; k < systems; ++k) readDynamicValues(in, state.systems[in.count(state.systems.size())]);
    const std::size_t seatParts = in.count(in.left() + 1);
    for (std::size_t k = 0; k < seatParts; ++k) {
        Seat& seat = state.seats[in.count(kSeats)];
        const std::uint8_t part = in.byte();
        if (part == partHeader) {
            readSeatHeader(in, seat);
        } else if (part == partText) {
            std::string& text = seat.texts[in.count(kSeatTexts)];
            text = readListChange(in, text);
        } else {
            throw DecodeError("unknown seat part");
        }
    }
    const std::uint8_t battles = in.byte();
    if (battles > 1) throw DecodeError("bad battle flag");
    if (battles == 1) state.battles = in.text();
    const std::size_t lines = in.count(in.left() + 1);
    for (std::size_t k = 0; k < lines; ++k) {
        const int sender = in.integer();
        appendChat(state, {sender, std::string(in.text())});
    }
}

}  // namespace

namespace {

// Most entries are a few hundred bytes, written while a request holds its channel: setting
// up zlib's tables for each would cost more than compressing, so each thread keeps its
// streams and resets them. A small hash table (memory level 5) suits such inputs, and the
// fastest level loses little on them: most of what repeats is already gone. Below a few
// KiB zlib's fixed codes cost less time than building codes for the input, for a few bytes.
class Deflater {
public:
    explicit Deflater(int strategy) {
        if (deflateInit2(&stream_, Z_BEST_SPEED, Z_DEFLATED, 15, 5, strategy) != Z_OK) {
            throw std::runtime_error("zlib failed to start");
        }
    }
    ~Deflater() { deflateEnd(&stream_); }
    Deflater(const Deflater&) = delete;
    Deflater& operator=(const Deflater&) = delete;

    std::string compress(std::string_view bytes) {
        if (deflateReset(&stream_) != Z_OK) throw std::runtime_error("zlib failed to reset");
        std::string out(deflateBound(&stream_, static_cast<uLong>(bytes.size())), '\0');
        stream_.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
        stream_.avail_in = static_cast<uInt>(bytes.size());
        stream_.next_out = reinterpret_cast<Bytef*>(out.data());
        stream_.avail_out = static_cast<uInt>(out.size());
        if (deflate(&stream_, Z_FINISH) != Z_STREAM_END) throw std::runtime_error("zlib failed to compress");
        out.resize(out.size() - stream_.avail_out);
        return out;
    }

private:
    z_stream stream_{};
};

}  // namespace

std::string compress(std::string_view bytes) {
    constexpr std::size_t kSmall = 4096;
    thread_local Deflater small(Z_FIXED);
    thread_local Deflater large(Z_DEFAULT_STRATEGY);
    return (bytes.size() < kSmall ? small : large).compress(bytes);
}

std::string uncompress(std::string_view compressed, std::size_t limit) {
    z_stream stream{};
    if (inflateInit(&stream) != Z_OK) throw std::runtime_error("zlib failed to start");
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(compressed.data()));
    stream.avail_in = static_cast<uInt>(compressed.size());
    std::string out;
    char chunk[16384];
    int result = Z_OK;
    while (result == Z_OK) {
        stream.next_out = reinterpret_cast<Bytef*>(chunk);
        stream.avail_out = sizeof chunk;
        result = inflate(&stream, Z_NO_FLUSH);
        out.append(chunk, sizeof chunk - stream.avail_out);
        if (out.size() > limit) result = Z_MEM_ERROR;
        if (result == Z_OK && stream.avail_in == 0 && stream.avail_out != 0) result = Z_DATA_ERROR;
    }
    const bool whole = result == Z_STREAM_END && stream.avail_in == 0;
    inflateEnd(&stream);
    if (!whole) throw DecodeError("compressed data damaged");
    return out;
}

std::string encodeFull(const ReplayState& state) {
    ByteWriter out;
    out.unsignedNumber(state.systems.size());
    for (const StarSystem& s : state.systems) {
        out.text(s.name);
        out.signedNumber(s.x);
        out.signedNumber(s.y);
        for (int value : {s.type, s.owner, s.shield, s.fortification, s.attacked}) out.signedNumber(value);
    }
    for (const Seat& seat : state.seats) {
        writeSeatHeader(out, seat);
        for (const std::string& text : seat.texts) out.text(text);
    }
    out.text(state.battles);
    out.unsignedNumber(state.chat.size());
    for (const ChatEntry& line : state.chat) {
        out.signedNumber(line.sender);
        out.text(line.text);
    }
    return compress(out.bytes());
}

void ChangeWriter::system(std::size_t i, int type, int owner, int shield, int fortification, int attacked) {
    StarSystem& s = base_.systems.at(i);
    if (s.type == type && s.owner == owner && s.shield == shield && s.fortification == fortification &&
        s.attacked == attacked) {
        return;
    }
    s.type = type;
    s.owner = owner;
    s.shield = shield;
    s.fortification = fortification;
    s.attacked = attacked;
    systems_.unsignedNumber(i);
    for (int value : {type, owner, shield, fortification, attacked}) systems_.signedNumber(value);
    ++systemCount_;
}

void ChangeWriter::seat(int n, const std::string& name, int colour, bool away) {
    Seat& seat = base_.seats.at(static_cast<std::size_t>(n - 1));
    if (seat.name == name && seat.colour == colour && seat.away == away) return;
    seat.name = name;
    seat.colour = colour;
    seat.away = away;
    seats_.unsignedNumber(static_cast<std::size_t>(n - 1));
    seats_.byte(partHeader);
    writeSeatHeader(seats_, seat);
    ++seatCount_;
}

bool ChangeWriter::seatText(int n, ShipField field, std::string_view text) {
    std::string& was = base_.seats.at(static_cast<std::size_t>(n - 1)).texts[field];
    if (was == text) return false;
    seats_.unsignedNumber(static_cast<std::size_t>(n - 1));
    seats_.byte(partText);
    seats_.unsignedNumber(field);
    writeListChange(seats_, was, text);
    was = text;
    ++seatCount_;
    return true;
}

void ChangeWriter::battles(std::string_view text) {
    if (base_.battles == text) return;
    base_.battles = text;
    battlesChanged_ = true;
}

void ChangeWriter::chatLine(int sender, std::string_view text) {
    chat_.signedNumber(sender);
    chat_.text(text);
    appendChat(base_, {sender, std::string(text)});
    ++chatCount_;
}

bool ChangeWriter::empty() const { return systemCount_ == 0 && seatCount_ == 0 && chatCount_ == 0 && !battlesChanged_; }

std::string ChangeWriter::finish() {
    ByteWriter out;
    out.unsignedNumber(systemCount_);
    out.raw(systems_.bytes());
    out.unsignedNumber(seatCount_);
    out.raw(seats_.bytes());
    out.byte(battlesChanged_ ? 1 : 0);
    if (battlesChanged_) out.text(base_.battles);
    out.unsignedNumber(chatCount_);
    out.raw(chat_.bytes());
    return compress(out.bytes());
}

std::string encodeChanges(const ReplayState& before, const ReplayState& after) {
    ReplayState base = before;
    ChangeWriter writer(base);
    for (std::size_t i = 0; i < after.systems.size(); ++i) {
        const StarSystem& s = after.systems[i];
        writer.system(i, s.type, s.owner, s.shield, s.fortification, s.attacked);
    }
    for (int n = 1; n <= kSeats; ++n) {
        const Seat& seat = after.seats[static_cast<std::size_t>(n - 1)];
        writer.seat(n, seat.name, seat.colour, seat.away);
        for (int f = 0; f < kSeatTexts; ++f) writer.seatText(n, static_cast<ShipField>(f), seat.texts[f]);
    }
    writer.battles(after.battles);
    // The lines `after` holds beyond those it shares with the end of `before`.
    std::size_t fresh = after.chat.size();
    for (std::size_t k = 0; k <= after.chat.size(); ++k) {
        const std::size_t shared = after.chat.size() - k;
        if (shared > before.chat.size()) continue;
        if (std::equal(after.chat.begin(), after.chat.begin() + static_cast<std::ptrdiff_t>(shared),
                       before.chat.end() - static_cast<std::ptrdiff_t>(shared))) {
            fresh = k;
            break;
        }
    }
    for (std::size_t k = after.chat.size() - fresh; k < after.chat.size(); ++k) {
        writer.chatLine(after.chat[k].sender, after.chat[k].text);
    }
    return writer.finish();
}

void applyEntry(ReplayState& state, EntryKind kind, std::string_view compressed) {
    const std::string bytes = uncompress(compressed, kMaxEntryBytes);
    ByteReader in(bytes);
    if (kind == EntryKind::full) {
        state = readFull(in);
    } else {
        readChanges(in, state);
    }
    if (!in.atEnd()) throw DecodeError("bytes after the entry");
}

}  // namespace qz::replay

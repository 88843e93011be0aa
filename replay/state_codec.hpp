// One step of a recording: a full state, or the changes against the state before it. Both
// are zlib-compressed; applying one to the state before it gives the state after it.
#pragma once

#include "replay/byte_codec.hpp"
#include "replay/replay_state.hpp"

#include <string>
#include <string_view>

namespace qz::replay {

enum class EntryKind : std::uint8_t { full = 0, changes = 1 };

// The whole state, compressed.
std::string encodeFull(const ReplayState& state);

// Collects what changed against a state, one part at a time (only what a request changed
// need be looked at), and updates that state to match as it goes.
class ChangeWriter {
public:
    explicit ChangeWriter(ReplayState& base) : base_(base) {}

    // System i (0-based) now has these values (its name and position never change).
    void system(std::size_t i, int type, int owner, int shield, int fortification, int attacked);
    // Seat n (1-based): who sits there and whether it is away.
    void seat(int n, const std::string& name, int colour, bool away);
    // One of seat n's texts; true when it differs from before.
    bool seatText(int n, ShipField field, std::string_view text);
    void battles(std::string_view text);
    void chatLine(int sender, std::string_view text);

    bool empty() const;
    // The compressed changes; empty() first tells whether there are any.
    std::string finish();

private:
    ReplayState& base_;
    ByteWriter systems_, seats_, chat_, battles_;
    std::size_t systemCount_ = 0, seatCount_ = 0, chatCount_ = 0;
    bool battlesChanged_ = false;
};

// Every difference between two states as changes (tests, tools).
std::string encodeChanges(const ReplayState& before, const ReplayState& after);

// Applies an entry of the given kind; DecodeError when it is damaged or does not fit the
// state, which may then be half changed: a reader drops it with the whole recording.
void applyEntry(ReplayState& state, EntryKind kind, std::string_view compressed);

// zlib: compresses, and uncompresses to at most `limit` bytes (DecodeError beyond it).
std::string compress(std::string_view bytes);
std::string uncompress(std::string_view compressed, std::size_t limit);

}  // namespace qz::replay

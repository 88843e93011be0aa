// The recording of a running game: what of a channel goes into it (the merged state every
// player receives, never a private block) and the changes one request made to that.
#pragma once

#include "game/changes.hpp"
#include "game/channel.hpp"
#include "replay/state_codec.hpp"

namespace qz::server {

// The first entry of every such period of a game (seconds since its start) is a full state,
// so a viewer can start anywhere without replaying the game from its first day. Going by
// the period rather than by the last full state, an instance needs to know only the last
// entry to tell.
inline constexpr double kFullStateSeconds = 300;

// What the last entry of the channel's recording left, as this instance knows it.
struct RecordingBase {
    replay::ReplayState state;
    long long revision = 0;   // the channel's revision that entry was written at
    long long sequence = 0;   // that entry's number in the recording (from 1)
    double lastAt = 0;        // server clock of that entry
    // False for a state read from storage: whether the recording's last entry was written
    // at the same revision is still to be looked up; if not, the next entry is a full one.
    bool confirmed = false;
};

// The channel's whole recorded state.
replay::ReplayState recordedState(const ChannelState& channel);

// True when a request's changes touch what a recording holds.
bool changesRecorded(const ChannelChanges& changes);

// Hands what `changes` touched to the writer, which keeps only what differs from its base.
void writeRecordedChanges(replay::ChangeWriter& writer, const ChannelState& channel, const ChannelChanges& changes);

}  // namespace qz::server

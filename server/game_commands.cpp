#include "bad_request.hpp"
#include "commands.hpp"
#include "game_input.hpp"
#include "game_reply.hpp"
#include "game_rules.hpp"

namespace qz::server {

namespace {

// The star count of a running game, from this instance's copy when it has seen the game
// start (the count is fixed from then on), else from storage.
int starsOfRunningGame(CommandContext& context, const std::string& sessionId) {
    if (ChannelPtr cached = sessionId.empty() ? nullptr : context.channels.find(sessionId)) {
        std::lock_guard lock(cached->mutex);
        if (cached->revision >= 0 && cached->state.started) return cached->state.stars;
    }
    OpenChannel open(context, sessionId);
    if (!open.state().started) throw BadRequest("Spiel nicht gestartet");
    const int stars = open.state().stars;
    open.commit({});
    return stars;
}

}  // namespace

std::string playGame(CommandContext& context, const std::string& sessionId, const FormFields& form) {
    // The request is read outside the channel lock so that players of one channel do not
    // wait for each other's parsing.
    GameInput input = readGameInput(form, starsOfRunningGame(context, sessionId));
    requireSpeaksFor(context, input.name);
    OpenChannel open(context, sessionId);
    ChannelState& c = open.state();
    const int slot = c.slotOf(input.name);
    if (slot == 0) throw BadRequest("Spieler nicht im Channel");
    ChannelChanges changes;
    applyGameInput(c, slot, std::move(input), changes);
    markPoll(c, slot, context.now, changes);
    open.commit(changes);
    return buildGameReply(c, slot);
}

}  // namespace qz::server

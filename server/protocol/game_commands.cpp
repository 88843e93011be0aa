#include "base/bad_request.hpp"
#include "protocol/commands.hpp"
#include "game/game_input.hpp"
#include "protocol/game_reply.hpp"
#include "game/game_rules.hpp"
#include "game/plausibility.hpp"

#include <algorithm>

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

// New lists as sent bound what they will take: stored decoded and once more as sent, and
// as numbers (four bytes for each entry, which is sent as at least two). A new private
// block takes its own length in place of the old one.
void requireRoom(CommandContext& context, const ChannelState& c, int slot, const GameInput& input) {
    const PlayerState& player = c.players[slot];
    const std::size_t mine = player.bytes();
    std::size_t needed = mine;
    if (input.ships == GameInput::Ships::replace) {
        std::size_t sent = input.form->raw("hwege").size();
        for (const char* key : kShipFields) sent += input.form->raw(key).size();
        needed = sent * 4 + player.privateBlock.size();
    }
    if (input.privateBlock) needed = needed - player.privateBlock.size() + input.privateBlock->size();
    if (c.shipBytes() - mine + needed > context.config.shipBytesPerChannel) {
        throw BadRequest("Schifflisten zu gross");
    }
    if (context.shipBytes.load() - std::min(mine, context.shipBytes.load()) + needed > context.config.shipBytesTotal) {
        throw BadRequest("Server voll");
    }
}

}  // namespace

std::string playGame(CommandContext& context, const std::string& sessionId, const FormFields& form) {
    // The request is read outside the channel lock so that players of one channel do not
    // wait for each other's parsing.
    GameInput input = readGameInput(form, starsOfRunningGame(context, sessionId));
    requireSpeaksFor(context, input.name);
    OpenChannel open(context, sessionId, OpenChannel::Wait::yes, input.name);
    ChannelState& c = open.state();
    const int slot = c.slotOf(input.name);
    if (slot == 0) throw BadRequest("Spieler nicht im Channel");
    requirePlausibleReports(c, input, context.now);
    const std::size_t before = c.players[slot].bytes();
    if (input.ships == GameInput::Ships::replace || input.privateBlock) requireRoom(context, c, slot, input);
    const bool wantsPrivateBlock = input.wantsPrivateBlock;
    ChannelChanges changes;
    applyGameInput(c, slot, std::move(input), changes);
    markPoll(c, slot, context.now, changes);
    open.commit(changes);
    context.shipBytes += c.players[slot].bytes();
    context.shipBytes -= std::min(before, context.shipBytes.load());
    return buildGameReply(c, slot, wantsPrivateBlock);
}

}  // namespace qz::server

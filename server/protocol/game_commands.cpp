#include "base/bad_request.hpp"
#include "base/refusals.hpp"
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
    if (!open.state().started) throw BadRequest(refusal("Spiel nicht gestartet"));
    const int stars = open.state().stars;
    open.commit({});
    return stars;
}

// What the player holds once the request is applied. New lists as sent bound what they will
// take: stored decoded and once more as sent, and as numbers (four bytes for each entry,
// which is sent as at least two). A new private block takes its own length in place of the
// old one; without the block the player keeps none.
std::size_t neededBytes(const PlayerState& player, const GameInput& input, bool withBlock) {
    std::size_t needed = player.bytes() - player.privateBlock.size();
    if (input.ships == GameInput::Ships::replace) {
        std::size_t sent = input.form->raw("hwege").size();
        for (const char* key : kShipFields) sent += input.form->raw(key).size();
        needed = sent * 4 + (input.tradeRoutes ? 0 : player.tradeRoutes.size());
    }
    if (withBlock) needed += input.privateBlock ? input.privateBlock->size() : player.privateBlock.size();
    return needed;
}

// Why `needed` bytes for the player do not fit the caps; nothing when they do.
const char* overCap(CommandContext& context, const ChannelState& c, int slot, std::size_t needed) {
    const std::size_t mine = c.players[slot].bytes();
    if (c.shipBytes() - mine + needed > context.config.shipBytesPerChannel) return refusal("Schifflisten zu gross").data();
    if (context.shipBytes.load() - std::min(mine, context.shipBytes.load()) + needed > context.config.shipBytesTotal) {
        return refusal("Server voll").data();
    }
    return nullptr;
}

// The private block is the player's own copy of what only the client holds, and the game
// goes on without it: when the request fits the caps only without it, the block (the new one
// and the stored one) goes and the rest is taken. True when it went.
bool makeRoom(CommandContext& context, const ChannelState& c, int slot, GameInput& input) {
    const PlayerState& player = c.players[slot];
    if (!overCap(context, c, slot, neededBytes(player, input, true))) return false;
    if (const char* reason = overCap(context, c, slot, neededBytes(player, input, false))) throw BadRequest(reason);
    input.privateBlock = std::string();
    return true;
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
    if (slot == 0) {
        // A spectator's chat line or order would reach the players' game.
        throw BadRequest(open.watching(input.name) ? refusal("Zuschauer schreiben nicht ins Spiel")
                                                   : refusal("Spieler nicht im Channel"));
    }
    requirePlausibleReports(c, input, context.now);
    const std::size_t before = c.players[slot].bytes();
    const bool blockDropped =
        (input.ships == GameInput::Ships::replace || input.privateBlock) && makeRoom(context, c, slot, input);
    const bool wantsPrivateBlock = input.wantsPrivateBlock;
    ChannelChanges changes;
    applyGameInput(c, slot, std::move(input), changes);
    markPoll(c, slot, context.now, changes);
    open.commit(changes);
    context.shipBytes += c.players[slot].bytes();
    context.shipBytes -= std::min(before, context.shipBytes.load());
    return buildGameReply(c, slot, wantsPrivateBlock, blockDropped);
}

}  // namespace qz::server

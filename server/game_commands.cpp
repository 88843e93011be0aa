#include "bad_request.hpp"
#include "commands.hpp"
#include "game_input.hpp"
#include "game_reply.hpp"
#include "game_rules.hpp"

namespace qz::server {

std::string playGame(CommandContext& context, const std::string& sessionId, const FormFields& form) {
    ChannelPtr channel = requireChannel(context, sessionId);
    int stars = 0;
    {
        std::lock_guard lock(channel->mutex);
        if (!channel->state.started) throw BadRequest("Spiel nicht gestartet");
        stars = channel->state.stars;  // fixed once the game runs
    }
    // The request is read outside the channel lock so that players of one channel do not
    // wait for each other's parsing.
    GameInput input = readGameInput(form, stars);
    requireSpeaksFor(context, input.name);
    std::lock_guard lock(channel->mutex);
    ChannelState& c = channel->state;
    if (c.closed) throw BadRequest("Unbekannte Sitzung");
    const int slot = c.slotOf(input.name);
    if (slot == 0) throw BadRequest("Spieler nicht im Channel");
    ChannelChanges changes;
    applyGameInput(c, slot, std::move(input), changes);
    c.slots[slot].lastPoll = context.now;
    c.emptySince = -1;
    persist(context, *channel, changes);
    return buildGameReply(c, slot);
}

}  // namespace qz::server

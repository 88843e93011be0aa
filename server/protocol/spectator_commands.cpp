// "zuschauen": a login not seated in a running game watches it. The request names the login
// ("i1") and the last recording entry the client applied ("seit", 0 or absent: none). The
// reply is
//   "zuschauen;;" delay ";;" shown ";;" wait ";;" entries
// with the delay in seconds, the moment shown in milliseconds since the game started (-1
// while there is nothing to show yet), the seconds until there is something (0 once there
// is) and the recording's entries that follow the client's, each "," number ":" kind ":"
// its compressed bytes in base64 without padding (kind 0 a full state, 1 changes). They
// come from the recording up to now minus the delay and never from the channel, so nothing
// newer leaks, and go out as stored: a spectator's poll decodes and encodes nothing.
#include "base/bad_request.hpp"
#include "base/number_list.hpp"
#include "base/refusals.hpp"
#include "base/text_checks.hpp"
#include "protocol/commands.hpp"

#include <algorithm>
#include <cmath>

namespace qz::server {

namespace {

// The entries of one reply: enough for the game's first look (the entries of a period of
// full states, 5 minutes of four players polling every 2 s); a client further behind
// catches up over its next polls.
constexpr int kEntriesPerReply = 2000;

// Notes the spectator's poll for the cap, written once per kPollStoreSeconds.
void admit(CommandContext& context, const std::string& sessionId, const std::string& name) {
    const ChannelPtr channel = context.channels.findOrAdd(sessionId);
    std::lock_guard lock(channel->spectatorMutex);
    std::map<std::string, double>& written = channel->spectatorPolls;
    const auto mine = written.find(name);
    if (mine != written.end() && context.now - mine->second < kPollStoreSeconds) return;
    const double since = context.now - kSpectatorTimeoutSeconds;
    if (!context.storage.admitSpectator(sessionId, name, context.now, since, context.config.maxSpectators)) {
        throw BadRequest(refusal("Zu viele Zuschauer"));
    }
    std::erase_if(written, [since](const auto& entry) { return entry.second < since; });
    written[name] = context.now;
}

}  // namespace

std::string spectateGame(CommandContext& context, const std::string& sessionId, const FormFields& form) {
    const std::string name(form.value("i1"));
    requireName(name, "Spielername");
    if (!context.accounts.exists(name)) throw BadRequest(refusal("Unbekannter Spieler"));
    requireSpeaksFor(context, name);
    const std::string_view since = form.value("seit");
    const long long after = since.empty() ? 0 : requireIntInRange(since, "seit", 0, 2000000000);
    if (sessionId.empty()) throw BadRequest(refusal("Sitzung fehlt"));
    const std::optional<SpectatedGame> game =
        context.storage.spectatedGame(sessionId, after, context.now, kEntriesPerReply);
    if (!game) throw BadRequest(refusal("Unbekannte Sitzung"));
    if (game->delay <= 0 || context.config.keepRecordingsSeconds <= 0 || context.config.maxSpectators <= 0) {
        throw BadRequest(refusal("Zuschauer nicht erlaubt"));
    }
    if (!game->started) throw BadRequest(refusal("Spiel nicht gestartet"));
    if (std::find(game->seated.begin(), game->seated.end(), name) != game->seated.end()) {
        throw BadRequest(refusal("Wer mitspielt, schaut nicht zu"));
    }
    admit(context, sessionId, name);
    std::string reply = "zuschauen;;" + std::to_string(game->delay) + ";;";
    if (game->entries.empty() && after == 0) {
        const double wait = std::max(0.0, std::ceil(game->startedAt + game->delay - context.now));
        return reply + "-1;;" + std::to_string(static_cast<long long>(wait)) + ";;";
    }
    // With nothing new the client shows on what it has; the moment shown is then its own.
    const double shownAt = game->entries.empty() ? context.now - game->delay : game->entries.back().at;
    reply += std::to_string(std::max(0LL, std::llround((shownAt - game->startedAt) * 1000))) + ";;0;;";
    std::size_t bytes = 0;
    for (const StoredEntry& e : game->entries) bytes += e.base64.size() + 24;
    reply.reserve(reply.size() + bytes);
    for (const StoredEntry& e : game->entries) {
        reply += ',';
        reply += std::to_string(e.sequence);
        reply += e.kind == replay::EntryKind::full ? ":0:" : ":1:";
        reply += e.base64;
    }
    return reply;
}

}  // namespace qz::server

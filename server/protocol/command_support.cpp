#include "base/bad_request.hpp"
#include "base/refusals.hpp"
#include "protocol/commands.hpp"
#include "game/recording.hpp"

namespace qz::server {

void requireSpeaksFor(CommandContext& context, const std::string& name) {
    if (!context.logins.boundTo(name, context.client, context.now)) {
        throw BadRequest(refusal("Nicht angemeldet"));
    }
}

namespace {

const std::string& requireSessionId(const std::string& sessionId) {
    if (sessionId.empty()) throw BadRequest(refusal("Sitzung fehlt"));
    return sessionId;
}

}  // namespace

OpenChannel::OpenChannel(CommandContext& context, const std::string& sessionId, Wait wait, const std::string& player)
    : context_(context),
      channel_(context.channels.findOrAdd(requireSessionId(sessionId))),
      lock_(channel_->mutex),
      transaction_(begin(context, sessionId, wait, player)) {
    if (!transaction_.found()) {
        if (wait == Wait::skipLocked) return;
        context.channels.remove(sessionId);
        throw BadRequest(refusal("Unbekannte Sitzung"));
    }
    // An operator's ban ends the player's session at its next request, through whichever
    // instance it comes.
    const double bannedUntil = transaction_.playerBannedUntil();
    if (bannedUntil < 0) throw BadRequest(refusal("Unbekannter Spieler"));
    if (bannedUntil > context.now) throw BadRequest(refusal("Gesperrt"));
    ChannelState& c = channel_->state;
    if (channel_->revision != transaction_.revision()) {
        const auto cached = c.slots;
        c = transaction_.load();
        keepLaterPolls(c, cached);
        channel_->revision = transaction_.revision();
        // Another instance changed the game: what it recorded last is what was read, if
        // it recorded at all, which the first entry from here looks up.
        if (c.started && context.config.keepRecordingsSeconds > 0) {
            c.recording = std::make_shared<RecordingBase>();
            c.recording->state = recordedState(c);
            c.recording->revision = channel_->revision;
        }
    } else {
        c.emptySince = transaction_.emptySince();
        // Other instances record polls without a new revision; the sweep needs them, and
        // keeps the later of those and its own.
        if (wait == Wait::skipLocked) transaction_.loadPolls(c);
    }
}

Storage::ChannelTransaction OpenChannel::begin(CommandContext& context, const std::string& sessionId, Wait wait,
                                               const std::string& player) {
    try {
        return Storage::ChannelTransaction(context.storage, sessionId, wait, player);
    } catch (...) {
        // The database is away: an entry that holds nothing yet goes again, or requests
        // with made-up session ids would fill the memory until the database is back.
        if (channel_->revision < 0) context.channels.remove(sessionId);
        throw;
    }
}

OpenChannel::~OpenChannel() {
    // The copy may hold changes that were never written.
    if (!committed_) channel_->revision = -1;
}

void OpenChannel::commit(const ChannelChanges& changes) {
    channel_->state.replyCache.invalidate(changes);
    if (context_.config.keepRecordingsSeconds > 0) transaction_.record(channel_->state, changes, context_.now);
    channel_->revision = transaction_.commit(channel_->state, changes);
    committed_ = true;
}

bool OpenChannel::watching(const std::string& name) {
    return transaction_.watching(name, context_.now - kSpectatorTimeoutSeconds);
}

void OpenChannel::deleteChannel() {
    transaction_.deleteAndCommit();
    committed_ = true;
    context_.channels.remove(channel_->state.sessionId);
}

}  // namespace qz::server

// What players may fetch of the recordings: "aufzeichnungen_auflisten" lists the ended games
// ("i1" the login), newest first:
//   "aufzeichnungen_auflisten;;" ids ";;" channels ";;" players ";;" starts ";;" lengths
// each a list with a leading comma, a game's players ":"-separated, times in whole seconds.
// "aufzeichnung_holen" ("i1" the login, "i2" the id, "seit" the last entry the client has,
// 0 or absent: none; from the last on, or not a number: "Aufzeichnungsteil ungueltig")
// answers one part of the recording:
//   "aufzeichnung_holen;;" id ";;" channel ";;" players ";;" start ";;" last ";;" entries
// with the start in milliseconds of the server clock, the number of the recording's last
// entry, and the entries after "seit", each "," number ":" kind ":" milliseconds since the
// start ":" its compressed bytes in base64 without padding, as stored; the client asks again
// from the last it got until it has the last. A part reads a bounded number of rows, so a
// long game never holds the server's thread much longer than a "spiel" reply does.
#include "base/bad_request.hpp"
#include "base/log.hpp"
#include "base/refusals.hpp"
#include "base/text_checks.hpp"
#include "protocol/commands.hpp"

#include <charconv>
#include <cmath>

namespace qz::server {

namespace {

// The player asking: a known login from the sender's address.
void requirePlayer(CommandContext& context, const FormFields& form) {
    const std::string name(form.value("i1"));
    requireName(name, "Spielername");
    if (!context.accounts.exists(name)) throw BadRequest(refusal("Unbekannter Spieler"));
    requireSpeaksFor(context, name);
}

// Whole seconds, as the list shows them.
std::string seconds(double value) { return std::to_string(std::llround(value)); }

}  // namespace

std::string listEndedRecordings(CommandContext& context, const FormFields& form) {
    requirePlayer(context, form);
    // One list per value, as the channel list; a recording's players are ":"-separated, a
    // free seat empty.
    std::string ids, channels, players, starts, lengths;
    for (const RecordingSummary& r : context.storage.endedRecordings(kListedRecordings)) {
        ids += ',' + std::to_string(r.id);
        channels += ',' + r.channel;
        players += ',';
        for (std::size_t n = 0; n < r.players.size(); ++n) players += (n > 0 ? ":" : "") + r.players[n];
        starts += ',' + seconds(r.startedAt);
        lengths += ',' + seconds(r.lengthSeconds);
    }
    return "aufzeichnungen_auflisten;;" + ids + ";;" + channels + ";;" + players + ";;" + starts + ";;" + lengths;
}

std::string fetchRecording(CommandContext& context, const FormFields& form) {
    requirePlayer(context, form);
    const std::string_view text = form.value("i2");
    long long id = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), id);
    if (error != std::errc() || end != text.data() + text.size() || id <= 0) {
        throw BadRequest(refusal("Unbekannte Aufzeichnung"));
    }
    const std::string_view since = form.value("seit");
    long long after = 0;
    if (!since.empty()) {
        const auto [sinceEnd, sinceError] = std::from_chars(since.data(), since.data() + since.size(), after);
        if (sinceError != std::errc() || sinceEnd != since.data() + since.size() || after < 0) {
            throw BadRequest(refusal("Aufzeichnungsteil ungueltig"));
        }
    }
    // A running game's recording is not handed out: its players would learn the others' moves.
    const std::optional<RecordingPart> part = context.storage.endedRecordingPart(id, after, kRecordingReplyBytes);
    if (!part || part->lastSequence == 0) throw BadRequest(refusal("Unbekannte Aufzeichnung"));
    if (after >= part->lastSequence) throw BadRequest(refusal("Aufzeichnungsteil ungueltig"));
    std::string players;
    for (std::size_t n = 0; n < part->players.size(); ++n) players += (n > 0 ? ":" : "") + part->players[n];
    std::string reply = "aufzeichnung_holen;;" + std::to_string(id) + ";;" + part->channel + ";;" + players + ";;" +
                        std::to_string(std::llround(part->startedAt * 1000)) + ";;" +
                        std::to_string(part->lastSequence) + ";;";
    for (const StoredEntry& e : part->entries) {
        reply += ',' + std::to_string(e.sequence) + ':' + (e.kind == replay::EntryKind::full ? '0' : '1') + ':' +
                 std::to_string(std::llround((e.at - part->startedAt) * 1000)) + ':' + e.base64;
    }
    if (after == 0) {
        logLine(LogLevel::info, "recording " + std::to_string(id) + " fetched by " + std::string(form.value("i1")) +
                                    " from=" + context.client);
    }
    return reply;
}

}  // namespace qz::server

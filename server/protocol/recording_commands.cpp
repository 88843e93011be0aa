#include "base/bad_request.hpp"
#include "base/log.hpp"
#include "base/refusals.hpp"
#include "base/text_checks.hpp"
#include "protocol/commands.hpp"
#include "replay/qzr_file.hpp"

#include <sodium.h>

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

// The game's base64 (with padding), whose alphabet holds none of the reply's separators.
std::string toBase64(const std::string& bytes) {
    constexpr int variant = sodium_base64_VARIANT_ORIGINAL;
    std::string text(sodium_base64_encoded_len(bytes.size(), variant), '\0');
    sodium_bin2base64(text.data(), text.size(), reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(),
                      variant);
    text.resize(text.size() - 1);  // the terminating zero
    return text;
}

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
    // A running game's recording is not handed out: its players would learn the others' moves.
    const std::optional<replay::Recording> recording = context.storage.loadRecording(id, true);
    if (!recording || recording->entries.empty()) throw BadRequest(refusal("Unbekannte Aufzeichnung"));
    const std::string file = replay::writeQzr(*recording);
    std::string reply = "aufzeichnung_holen;;" + std::to_string(id) + ";;";
    if (reply.size() + sodium_base64_encoded_len(file.size(), sodium_base64_VARIANT_ORIGINAL) >
        context.config.maxRecordingReplyBytes) {
        throw BadRequest(refusal("Aufzeichnung zu gross"));
    }
    reply += toBase64(file);
    logLine(LogLevel::info, "recording " + std::to_string(id) + " fetched, " + std::to_string(file.size()) +
                                " bytes, from=" + context.client);
    return reply;
}

}  // namespace qz::server

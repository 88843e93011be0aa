#include "protocol/command_handler.hpp"

#include "base/bad_request.hpp"
#include "base/refusals.hpp"
#include "base/form.hpp"
#include "base/log.hpp"
#include "sql/deadline.hpp"
#include "game/chat_lines.hpp"

#include <chrono>

namespace qz::server {

std::string frameReply(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 10);
    out += "CODE:";
    out += text;
    out += ":EDOC";
    return out;
}

std::string errorReply(std::string_view reason) { return frameReply("fehler;;" + std::string(reason)); }

CommandHandler::CommandHandler(Storage& storage, ServerConfig config, double now)
    : storage_(storage), config_(config), accounts_(storage, config.hashCost), logins_(storage) {
    storage_.countStartAsPoll(now);
}

std::optional<std::string> CommandHandler::dispatch(std::string_view query, std::string_view body, double now,
                                                    const std::string& client, bool mayHash,
                                                    std::size_t& commandIndex) {
    const FormFields form = parseForm(body);
    const FormFields queryFields = parseForm(query);
    const std::string sessionId(queryFields.value("PHPSESSID"));
    CommandContext context{storage_, accounts_, logins_, channels_, config_, shipBytes_, client, now};
    const std::string_view command = form.value("infos");
    commandIndex = Metrics::commandIndex(command);
    if (command == "spiel") return playGame(context, sessionId, form);
    if (command == "channel") return channelPoll(context, sessionId, form);
    if (command == "onlinecheck") return onlineCheck();
    if (command == "login") {
        if (mayHash) return login(context, form);
        checkLogin(context, form);
        return std::nullopt;
    }
    if (command == "channel_auflisten") return listChannels(context, form);
    if (command == "channel_erstellen") return createChannel(context, form);
    if (command == "aufzeichnungen_auflisten") return listEndedRecordings(context, form);
    if (command == "aufzeichnung_holen") return fetchRecording(context, form);
    if (command == "zuschauen") return spectateGame(context, sessionId, form);
    throw BadRequest(refusal("Unbekannter Befehl"));
}

std::string CommandHandler::handle(std::string_view query, std::string_view body, double now,
                                   const std::string& client) {
    return *framed(query, body, now, client, true);
}

std::optional<std::string> CommandHandler::handleWithoutHashing(std::string_view query, std::string_view body,
                                                                double now, const std::string& client) {
    return framed(query, body, now, client, false);
}

std::optional<std::string> CommandHandler::framed(std::string_view query, std::string_view body, double now,
                                                  const std::string& client, bool mayHash) {
    const DatabaseDeadline deadline(kRequestDatabaseTime);
    const auto started = std::chrono::steady_clock::now();
    std::size_t command = Metrics::kCommands.size() - 1;
    const auto count = [&](Metrics::Result result) {
        metrics_.countRequest(command, result,
                              std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count());
    };
    try {
        std::optional<std::string> text = dispatch(query, body, now, client, mayHash, command);
        if (!text) return std::nullopt;
        count(Metrics::Result::ok);
        return frameReply(*text);
    } catch (const BadRequest& refused) {
        logLine(LogLevel::warn, std::string("request refused: ") + refused.what() + " from=" + client);
        count(Metrics::Result::refused);
        return errorReply(refused.what());
    } catch (const DatabaseUnavailable& error) {
        logLine(LogLevel::error, std::string("request failed: ") + error.what());
        metrics_.countDatabaseError();
        count(Metrics::Result::error);
        return errorReply(refusal("Datenbank nicht erreichbar"));
    } catch (const std::exception& error) {
        logLine(LogLevel::error, std::string("request failed: ") + error.what());
        count(Metrics::Result::error);
        return errorReply(refusal("Serverfehler"));
    }
}

StoredCounts CommandHandler::storedCounts(double now) {
    try {
        return storage_.countsFor(now);
    } catch (const std::exception& error) {
        metrics_.countDatabaseError();
        logLine(LogLevel::error, std::string("metrics failed: ") + error.what());
        return {};
    }
}

std::size_t CommandHandler::sweep(double now) {
    const std::string nobody;
    CommandContext context{storage_, accounts_, logins_, channels_, config_, shipBytes_, nobody, now};
    std::vector<std::string> candidates;
    try {
        storage_.forgetAddressEventsBefore(now - 3600);  // the longest window a rate looks back
        if (config_.keepRecordingsSeconds > 0) storage_.deleteRecordingsBefore(now - config_.keepRecordingsSeconds);
        channels_.keepOnly(storage_.channelIds());
        candidates = storage_.sweepCandidates(now - kSlotTimeoutSeconds, now - kEmptyChannelSeconds,
                                              now - config_.gameIdleSeconds);
    } catch (const std::exception& error) {
        if (dynamic_cast<const DatabaseUnavailable*>(&error)) metrics_.countDatabaseError();
        logLine(LogLevel::error, std::string("sweep failed: ") + error.what());
        return 0;
    }
    std::size_t closed = 0;
    for (const std::string& id : candidates) {
        try {
            // A channel another instance is working on is left to it, or to the next sweep.
            OpenChannel open(context, id, OpenChannel::Wait::skipLocked);
            if (!open.found()) continue;
            ChannelState& c = open.state();
            ChannelChanges changes;
            bool present = false;
            for (int n = 1; n <= c.maxPlayers; ++n) {
                Slot& slot = c.slots[n];
                if (slot.name.empty()) continue;
                if (now - slot.lastPoll < kSlotTimeoutSeconds) {
                    present = true;
                } else if (c.started) {
                    // The seat stays with its login, who may come back from anywhere; the
                    // others learn once that the player went.
                    if (!slot.away) {
                        slot.away = true;
                        changes.slots[n] = true;
                        addChatLine(c, kServerChatSender, connectionLostLine(slot.name), changes);
                        logLine(LogLevel::info, "player away channel=" + c.sessionId + " name=" + slot.name);
                    }
                } else {
                    // In the lobby a silent player gives the slot back.
                    logLine(LogLevel::info, "slot freed channel=" + c.sessionId + " slot=" + std::to_string(n) +
                                                " name=" + slot.name);
                    c.previousSlot[slot.name] = n;
                    changes.previousSlots = true;
                    slot = Slot();
                    changes.slots[n] = true;
                }
            }
            const double emptySince = c.emptySince;
            if (present) {
                c.emptySince = -1;
            } else if (c.emptySince < 0) {
                c.emptySince = now;
            }
            changes.emptySince = c.emptySince != emptySince;
            // Players of a running game may have the menu open for a long while, and the
            // game does not poll meanwhile; only a lobby closes soon.
            const double idleLimit = c.started ? config_.gameIdleSeconds : kEmptyChannelSeconds;
            if (!present && now - c.emptySince >= idleLimit) {
                open.deleteChannel();
                ++closed;
                logLine(LogLevel::info, "channel closed id=" + id);
                continue;
            }
            open.commit(changes);
        } catch (const std::exception& error) {
            logLine(LogLevel::error, std::string("sweep failed: ") + error.what());
        }
    }
    countShipBytes();
    return closed;
}

void CommandHandler::countShipBytes() {
    // Requests keep the count by their own changes; copies loaded anew from storage (after
    // another instance's changes) and closed channels are only counted here.
    std::size_t total = 0;
    for (const ChannelPtr& channel : channels_.all()) {
        std::lock_guard lock(channel->mutex);
        total += channel->state.shipBytes();
    }
    shipBytes_ = total;
}

}  // namespace qz::server

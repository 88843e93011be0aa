#include "command_handler.hpp"

#include "bad_request.hpp"
#include "form.hpp"
#include "log.hpp"

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
    for (ChannelState& state : storage_.loadChannels()) {
        auto channel = std::make_shared<Channel>();
        channel->state = std::move(state);
        for (Slot& slot : channel->state.slots) slot.lastPoll = now;
        channels_.add(std::move(channel));
    }
}

std::string CommandHandler::dispatch(std::string_view query, std::string_view body, double now,
                                     const std::string& client) {
    const FormFields form = parseForm(body);
    const FormFields queryFields = parseForm(query);
    const std::string sessionId(queryFields.value("PHPSESSID"));
    CommandContext context{storage_, accounts_, logins_, channels_, config_, client, now};
    const std::string_view command = form.value("infos");
    if (command == "spiel") return playGame(context, sessionId, form);
    if (command == "channel") return channelPoll(context, sessionId, form);
    if (command == "onlinecheck") return onlineCheck();
    if (command == "login") return login(context, form);
    if (command == "channel_auflisten") return listChannels(context, form);
    if (command == "channel_erstellen") return createChannel(context, form);
    throw BadRequest("Unbekannter Befehl");
}

std::string CommandHandler::handle(std::string_view query, std::string_view body, double now,
                                   const std::string& client) {
    try {
        return frameReply(dispatch(query, body, now, client));
    } catch (const BadRequest& refused) {
        logLine(LogLevel::warn, std::string("request refused: ") + refused.what() + " from=" + client);
        return errorReply(refused.what());
    } catch (const std::exception& error) {
        logLine(LogLevel::error, std::string("request failed: ") + error.what());
        return errorReply("Serverfehler");
    }
}

void CommandHandler::sweep(double now) {
    const std::string nobody;
    CommandContext context{storage_, accounts_, logins_, channels_, config_, nobody, now};
    for (const ChannelPtr& channel : channels_.all()) {
        std::lock_guard lock(channel->mutex);
        ChannelState& c = channel->state;
        if (c.closed) continue;
        ChannelChanges changes;
        bool present = false;
        for (int n = 1; n <= c.maxPlayers; ++n) {
            Slot& slot = c.slots[n];
            if (slot.name.empty()) continue;
            if (now - slot.lastPoll < kSlotTimeoutSeconds) {
                present = true;
            } else if (!c.started) {
                // In the lobby a silent player gives the slot back; in a running game the
                // slot stays with its player, who may come back.
                logLine(LogLevel::info, "slot freed channel=" + c.sessionId + " slot=" + std::to_string(n) +
                                            " name=" + slot.name);
                c.previousSlot[slot.name] = n;
                slot = Slot();
                changes.slots[n] = true;
            }
        }
        if (present) {
            c.emptySince = -1;
        } else if (c.emptySince < 0) {
            c.emptySince = now;
        }
        try {
            if (!present && now - c.emptySince >= kEmptyChannelSeconds) {
                storage_.deleteChannel(c.sessionId);
                c.closed = true;
                channels_.remove(c.sessionId);
                logLine(LogLevel::info, "channel closed id=" + c.sessionId);
                continue;
            }
            persist(context, *channel, changes);
        } catch (const std::exception& error) {
            logLine(LogLevel::error, std::string("sweep failed: ") + error.what());
        }
    }
}

}  // namespace qz::server

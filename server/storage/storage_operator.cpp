// What the operator's commands and metrics read and change in Storage.
#include "storage/storage.hpp"

#include <algorithm>

namespace qz::server {

bool Storage::banAccount(const std::string& name, double until) {
    SqlTransaction t(begin());
    const bool known = t.db().query("SELECT 1 FROM accounts WHERE name = ?", {name})->next();
    if (known) t.db().run("UPDATE accounts SET banned_until = ? WHERE name = ?", {until, name});
    t.commit();
    return known;
}

bool Storage::deleteAccount(const std::string& name) {
    SqlTransaction t(begin());
    const bool known = t.db().query("SELECT 1 FROM accounts WHERE name = ?", {name})->next();
    // Its seats, the lobby places kept for it, its private blocks and its host reservations go
    // with it, or whoever registers the name next would take them over. The channels' rows are
    // locked and their revisions counted up first, so a request in flight finishes before, and
    // every instance reads them again at their next request.
    t.db().run("UPDATE channels SET revision = revision + 1, host = CASE WHEN host = ? THEN '' ELSE host END "
               "WHERE host = ? OR sid IN (SELECT sid FROM slots WHERE name = ? UNION SELECT sid FROM previous_slots "
               "WHERE name = ?)",
               {name, name, name, name});
    t.db().run("DELETE FROM private_blocks WHERE EXISTS (SELECT 1 FROM slots s WHERE s.sid = private_blocks.sid AND "
               "s.slot = private_blocks.slot AND s.name = ?)",
               {name});
    t.db().run("UPDATE slots SET name = '', colour = 0, ready = 0, away = 0 WHERE name = ?", {name});
    t.db().run("DELETE FROM previous_slots WHERE name = ?", {name});
    t.db().run("DELETE FROM accounts WHERE name = ?", {name});
    t.db().run("DELETE FROM logins WHERE name = ?", {name});
    t.commit();
    return known;
}

std::optional<double> Storage::bannedUntil(const std::string& name) {
    SqlTransaction t(begin());
    std::optional<double> until;
    std::unique_ptr<SqlRows> rows = t.db().query("SELECT banned_until FROM accounts WHERE name = ?", {name});
    if (rows->next()) until = rows->real(0);
    rows.reset();
    t.commit();
    return until;
}

std::vector<GameSummary> Storage::runningGames() {
    SqlTransaction t(begin());
    std::vector<GameSummary> games;
    std::unique_ptr<SqlRows> rows =
        t.db().query("SELECT sid, name, started_at, max_players FROM channels WHERE started <> 0 ORDER BY started_at",
                     {});
    while (rows->next()) {
        GameSummary game{rows->text(0), rows->text(1), rows->real(2), {}};
        game.players.resize(static_cast<std::size_t>(std::clamp(rows->integer(3), 0LL, 1LL * kMaxPlayers)));
        games.push_back(std::move(game));
    }
    rows.reset();
    for (GameSummary& game : games) {
        rows = t.db().query("SELECT slot, name FROM slots WHERE sid = ?", {game.sessionId});
        while (rows->next()) {
            const long long slot = rows->integer(0);
            if (slot >= 1 && slot <= static_cast<long long>(game.players.size())) {
                game.players[static_cast<std::size_t>(slot - 1)] = rows->text(1);
            }
        }
        rows.reset();
    }
    t.commit();
    return games;
}

bool Storage::closeChannel(const std::string& sessionId) {
    ChannelTransaction channel(*this, sessionId, ChannelTransaction::Wait::yes);
    if (!channel.found()) return false;
    channel.deleteAndCommit();
    return true;
}

StoredCounts Storage::countsFor(double now) {
    SqlTransaction t(begin());
    StoredCounts counts;
    std::unique_ptr<SqlRows> rows = t.db().query(
        "SELECT (SELECT COUNT(*) FROM channels WHERE started <> 0), (SELECT COUNT(*) FROM slots s JOIN channels c ON "
        "c.sid = s.sid WHERE s.name <> '' AND s.slot <= c.max_players AND s.last_poll > ?)",
        {now - kSlotTimeoutSeconds});
    if (rows->next()) {
        counts.runningGames = rows->integer(0);
        counts.playersOnline = rows->integer(1);
    }
    rows.reset();
    t.commit();
    return counts;
}

bool Storage::answers() {
    try {
        SqlTransaction t(begin());
        const bool answered = t.db().query("SELECT 1", {})->next();
        t.commit();
        return answered;
    } catch (const std::exception&) {
        return false;
    }
}

}  // namespace qz::server

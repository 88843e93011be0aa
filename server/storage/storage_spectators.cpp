#include "storage/storage.hpp"

namespace qz::server {

namespace {

using Rows = std::unique_ptr<SqlRows>;

}  // namespace

std::optional<SpectatedGame> Storage::spectatedGame(const std::string& sessionId, long long afterSequence, double now,
                                                   int limit) {
    SqlTransaction t(begin());
    SpectatedGame game;
    {
        Rows rows = t.db().query("SELECT started, started_at, spectator_delay FROM channels WHERE sid = ?", {sessionId});
        if (!rows->next()) return std::nullopt;
        game.started = rows->integer(0) != 0;
        game.startedAt = rows->real(1);
        game.delay = static_cast<int>(rows->integer(2));
    }
    {
        Rows rows = t.db().query("SELECT s.name FROM slots s JOIN channels c ON c.sid = s.sid WHERE s.sid = ? AND "
                                 "s.name <> '' AND s.slot <= c.max_players",
                                 {sessionId});
        while (rows->next()) game.seated.push_back(rows->text(0));
    }
    const double until = now - game.delay;
    long long from = afterSequence + 1;
    if (afterSequence == 0 && game.started && game.delay > 0) {
        // Walked back from the newest entry: at most the delay and one period of full states.
        Rows rows = t.db().query("SELECT seq FROM recording_entries WHERE sid = ? AND kind = 0 AND at <= ? ORDER BY "
                                 "seq DESC LIMIT 1",
                                 {sessionId, until});
        from = rows->next() ? rows->integer(0) : 0;
    }
    if (from > 0 && game.started && game.delay > 0) {
        Rows rows = t.db().query("SELECT seq, at, kind, data FROM recording_entries WHERE sid = ? AND seq >= ? AND "
                                 "at <= ? ORDER BY seq LIMIT ?",
                                 {sessionId, from, until, limit});
        while (rows->next()) {
            // An instance whose clock ran behind may have written a later entry with an
            // earlier time: what follows a missing entry waits for it.
            const long long sequence = rows->integer(0);
            if (sequence != from + static_cast<long long>(game.entries.size())) break;
            game.entries.push_back({sequence, rows->real(1),
                                    rows->integer(2) == 0 ? replay::EntryKind::full : replay::EntryKind::changes,
                                    rows->text(3)});
        }
    }
    t.commit();
    return game;
}

bool Storage::admitSpectator(const std::string& sessionId, const std::string& name, double now, double since,
                             int cap) {
    SqlTransaction t(begin());
    // Spectators of one game arriving through several instances at once count one after the other.
    if (engine_ == Engine::postgres) t.db().run("SELECT pg_advisory_xact_lock(7151002, hashtext(?))", {sessionId});
    long long others = 0;
    {
        Rows rows = t.db().query("SELECT COUNT(*) FROM spectators WHERE sid = ? AND name <> ? AND last_poll >= ?",
                                 {sessionId, name, since});
        if (rows->next()) others = rows->integer(0);
    }
    if (others >= cap) return false;
    t.db().run("DELETE FROM spectators WHERE sid = ? AND last_poll < ?", {sessionId, since});
    t.db().run("INSERT INTO spectators(sid, name, last_poll) VALUES(?, ?, ?) ON CONFLICT(sid, name) DO UPDATE SET "
               "last_poll = excluded.last_poll",
               {sessionId, name, now});
    t.commit();
    return true;
}

bool Storage::ChannelTransaction::watching(const std::string& name, double since) {
    Rows rows = lease_->query("SELECT 1 FROM spectators WHERE sid = ? AND name = ? AND last_poll >= ?",
                              {sessionId_, name, since});
    return rows->next();
}

}  // namespace qz::server

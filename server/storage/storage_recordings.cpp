#include "storage/storage.hpp"

#include "game/recording.hpp"

#include <sodium.h>

#include <algorithm>
#include <cmath>

namespace qz::server {

namespace {

using Rows = std::unique_ptr<SqlRows>;

// Entries are stored as base64 text: both engines take it as it is, and a UTF8 database
// converts no byte of it.
constexpr int kBase64 = sodium_base64_VARIANT_ORIGINAL_NO_PADDING;

std::string toBase64(const std::string& bytes) {
    std::string text(sodium_base64_encoded_len(bytes.size(), kBase64), '\0');
    sodium_bin2base64(text.data(), text.size(), reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(),
                      kBase64);
    text.resize(text.size() - 1);  // the terminating zero
    return text;
}

std::string fromBase64(const std::string& text) {
    std::string bytes(text.size() * 3 / 4 + 1, '\0');
    std::size_t length = 0;
    if (sodium_base642bin(reinterpret_cast<unsigned char*>(bytes.data()), bytes.size(), text.data(), text.size(),
                          nullptr, &length, nullptr, kBase64) != 0) {
        throw std::runtime_error("a stored recording entry is no base64");
    }
    bytes.resize(length);
    return bytes;
}

std::string joinNames(const ChannelState& c) {
    std::string players;
    for (int n = 1; n <= c.maxPlayers; ++n) players += (n > 1 ? "," : "") + c.slots[n].name;
    return players;
}

std::vector<std::string> splitNames(const std::string& text) {
    std::vector<std::string> names;
    std::size_t start = 0;
    for (std::size_t comma = text.find(','); comma != std::string::npos; comma = text.find(',', start)) {
        names.push_back(text.substr(start, comma - start));
        start = comma + 1;
    }
    names.push_back(text.substr(start));
    return names;
}

// A recording's game has ended once its channel is gone.
const char* const kGameEnded = "NOT EXISTS (SELECT 1 FROM channels c WHERE c.sid = r.sid)";

// The compressed bytes of base64 text without padding.
const char* const kEntryBytes = "LENGTH(data) * 3 / 4";

// A listing's first six columns: id, session, channel, players, start and the last entry's time.
RecordingSummary summaryOf(SqlRows& row) {
    RecordingSummary r;
    r.id = row.integer(0);
    r.sessionId = row.text(1);
    r.channel = row.text(2);
    r.players = splitNames(row.text(3));
    r.startedAt = row.real(4);
    r.lengthSeconds = std::max(0.0, row.real(5) - r.startedAt);
    return r;
}

}  // namespace

void Storage::ChannelTransaction::record(ChannelState& c, const ChannelChanges& changes, double now) {
    if (!c.started || !changesRecorded(changes)) return;
    std::shared_ptr<RecordingBase>& base = c.recording;
    long long lastSequence = 0;
    if (base && !base->confirmed) {
        // Read from storage: changes against it fit only if the last entry was written at
        // the revision it was read at (a server that did not record may have changed it since).
        Rows rows = lease_->query("SELECT seq, revision, at FROM recording_entries WHERE sid = ? ORDER BY seq DESC "
                                  "LIMIT 1",
                                  {sessionId_});
        const bool any = rows->next();
        lastSequence = any ? rows->integer(0) : 0;
        if (any && rows->integer(1) == base->revision) {
            base->sequence = lastSequence;
            base->lastAt = rows->real(2);
            base->confirmed = true;
        } else {
            base.reset();
        }
    } else if (!base) {
        Rows rows = lease_->query("SELECT MAX(seq) FROM recording_entries WHERE sid = ?", {sessionId_});
        lastSequence = rows->next() ? rows->integer(0) : 0;
    }
    if (!base && lastSequence == 0) {
        // The game starts, or this instance meets a game that has no recording yet (it
        // started under a server that did not record): a recording begins.
        lease_->run("INSERT INTO recordings(sid, channel, players, started_at) VALUES(?, ?, ?, ?) ON CONFLICT(sid) DO "
                    "NOTHING",
                    {c.sessionId, c.name, joinNames(c), c.startedAt > 0 ? c.startedAt : now});
    }
    const auto period = [&c](double at) { return std::floor((at - c.startedAt) / kFullStateSeconds); };
    const bool full = !base || period(now) != period(base->lastAt) ||
                      base->state.systems.size() != static_cast<std::size_t>(c.map.size());
    std::string data;
    if (full) {
        if (base) lastSequence = base->sequence;
        base = std::make_shared<RecordingBase>();
        base->state = recordedState(c);
        base->sequence = lastSequence;
        base->confirmed = true;
        data = replay::encodeFull(base->state);
    } else {
        replay::ChangeWriter writer(base->state);
        writeRecordedChanges(writer, c, changes);
        if (writer.empty()) return;
        data = writer.finish();
    }
    // The revision this transaction's commit gives the channel.
    base->revision = revision_ + 1;
    base->lastAt = now;
    ++base->sequence;
    lease_->run("INSERT INTO recording_entries(sid, seq, at, kind, revision, data) VALUES(?, ?, ?, ?, ?, ?)",
                {sessionId_, base->sequence, now, full ? 0 : 1, base->revision, toBase64(data)});
}

std::vector<RecordingSummary> Storage::recordings() {
    SqlTransaction t(begin());
    std::vector<RecordingSummary> list;
    Rows rows = t.db().query(std::string("SELECT r.id, r.sid, r.channel, r.players, r.started_at, (SELECT MAX(at) FROM "
                                         "recording_entries e WHERE e.sid = r.sid), (SELECT SUM(") +
                                 kEntryBytes +
                                 ") FROM recording_entries e WHERE e.sid = r.sid) FROM recordings r ORDER BY r.id",
                             {});
    while (rows->next()) {
        RecordingSummary r = summaryOf(*rows);
        r.bytes = rows->integer(6);
        list.push_back(std::move(r));
    }
    rows.reset();
    t.commit();
    return list;
}

std::vector<RecordingSummary> Storage::endedRecordings(std::size_t limit) {
    SqlTransaction t(begin());
    std::vector<RecordingSummary> list;
    // The last entry by its number, which the key finds without reading the others.
    Rows rows = t.db().query(std::string("SELECT r.id, r.sid, r.channel, r.players, r.started_at, (SELECT e.at FROM "
                                         "recording_entries e WHERE e.sid = r.sid ORDER BY e.seq DESC LIMIT 1) FROM "
                                         "recordings r WHERE ") +
                                 kGameEnded + " ORDER BY r.id DESC LIMIT ?",
                             {static_cast<long long>(limit)});
    while (rows->next()) {
        list.push_back(summaryOf(*rows));
    }
    rows.reset();
    t.commit();
    return list;
}

std::optional<RecordingPart> Storage::endedRecordingPart(long long id, long long afterSequence, std::size_t bytes) {
    SqlTransaction t(begin());
    RecordingPart part;
    std::string sessionId;
    {
        Rows rows = t.db().query(std::string("SELECT sid, channel, players, started_at, (SELECT e.seq FROM "
                                             "recording_entries e WHERE e.sid = r.sid ORDER BY e.seq DESC LIMIT 1) "
                                             "FROM recordings r WHERE id = ? AND ") +
                                     kGameEnded,
                                 {id});
        if (!rows->next()) return std::nullopt;
        sessionId = rows->text(0);
        part.channel = rows->text(1);
        part.players = splitNames(rows->text(2));
        part.startedAt = rows->real(3);
        part.lastSequence = rows->integer(4);
    }
    // Rows are read until the bytes are reached; the limit keeps an engine that fetches the
    // whole result at once (PostgreSQL) from reading far beyond them.
    Rows rows = t.db().query("SELECT seq, at, kind, data FROM recording_entries WHERE sid = ? AND seq > ? ORDER BY seq "
                             "LIMIT ?",
                             {sessionId, afterSequence, static_cast<long long>(kRecordingEntriesPerReply)});
    std::size_t taken = 0;
    while (taken < bytes && rows->next()) {
        StoredEntry e{rows->integer(0), rows->real(1),
                      rows->integer(2) == 0 ? replay::EntryKind::full : replay::EntryKind::changes, rows->text(3)};
        taken += e.base64.size();
        part.entries.push_back(std::move(e));
    }
    rows.reset();
    t.commit();
    return part;
}

std::optional<replay::Recording> Storage::loadRecording(long long id, bool endedOnly) {
    SqlTransaction t(begin());
    replay::Recording recording;
    std::string sessionId;
    {
        Rows rows = t.db().query(std::string("SELECT sid, channel, players, started_at FROM recordings r WHERE id = ?") +
                                     (endedOnly ? std::string(" AND ") + kGameEnded : std::string()),
                                 {id});
        if (!rows->next()) return std::nullopt;
        sessionId = rows->text(0);
        recording.channel = rows->text(1);
        recording.players = splitNames(rows->text(2));
        recording.startedAt = rows->real(3);
    }
    Rows rows = t.db().query("SELECT at, kind, data FROM recording_entries WHERE sid = ? ORDER BY seq", {sessionId});
    long long last = 0;
    while (rows->next()) {
        replay::RecordedEntry e;
        // Instances' clocks differ by a little; the file's times never go back.
        last = e.atMilliseconds = std::max(last, std::llround((rows->real(0) - recording.startedAt) * 1000));
        e.kind = rows->integer(1) == 0 ? replay::EntryKind::full : replay::EntryKind::changes;
        e.data = fromBase64(rows->text(2));
        recording.entries.push_back(std::move(e));
    }
    rows.reset();
    t.commit();
    return recording;
}

int Storage::deleteRecordingsBefore(double before) {
    SqlTransaction t(begin());
    std::vector<std::string> old;
    {
        // The last entry by its number, which the key finds without reading the others.
        Rows rows = t.db().query("SELECT r.sid FROM recordings r WHERE COALESCE((SELECT e.at FROM recording_entries e "
                                 "WHERE e.sid = r.sid ORDER BY e.seq DESC LIMIT 1), r.started_at) < ?",
                                 {before});
        while (rows->next()) old.push_back(rows->text(0));
    }
    for (const std::string& sid : old) {
        t.db().run("DELETE FROM recording_entries WHERE sid = ?", {sid});
        t.db().run("DELETE FROM recordings WHERE sid = ?", {sid});
    }
    t.commit();
    return static_cast<int>(old.size());
}

}  // namespace qz::server

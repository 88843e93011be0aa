#include "storage/storage.hpp"

#include "storage/migrations.hpp"
#include "game/ship_lists.hpp"

#include <algorithm>

namespace qz::server {

namespace {

using Rows = std::unique_ptr<SqlRows>;

int integer(const Rows& rows, int column) { return static_cast<int>(rows->integer(column)); }

void writeHeader(SqlConnection& db, const ChannelState& c) {
    db.run("INSERT INTO channels(sid, name, has_password, version, host, max_players, stars, started, background, "
           "creator, empty_since, started_at, spectator_delay) VALUES(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?) ON CONFLICT(sid) "
           "DO UPDATE SET "
           "name = excluded.name, has_password = excluded.has_password, version = excluded.version, host = "
           "excluded.host, max_players = excluded.max_players, stars = excluded.stars, started = excluded.started, "
           "background = excluded.background, creator = excluded.creator, started_at = excluded.started_at, "
           "spectator_delay = excluded.spectator_delay",
           {c.sessionId, c.name, c.hasPassword ? 1 : 0, c.version, c.hostName, c.maxPlayers, c.stars, c.started ? 1 : 0,
            c.map.background, c.creatorAddress, c.emptySince, c.startedAt, c.spectatorDelay});
}

void writeSlot(SqlConnection& db, const ChannelState& c, int slot) {
    const Slot& s = c.slots[slot];
    db.run("INSERT INTO slots(sid, slot, name, colour, ready, last_poll, away) VALUES(?, ?, ?, ?, ?, ?, ?) ON "
           "CONFLICT(sid, slot) DO UPDATE SET name = excluded.name, colour = excluded.colour, ready = excluded.ready, "
           "last_poll = excluded.last_poll, away = excluded.away",
           {c.sessionId, slot, s.name, s.colour, s.ready, s.lastPoll, s.away ? 1 : 0});
}

void writeSystem(SqlConnection& db, const ChannelState& c, int system, bool withFixedValues) {
    const StarMap& m = c.map;
    const auto i = static_cast<std::size_t>(system - 1);
    if (withFixedValues) {
        db.run("INSERT INTO systems(sid, idx, name, x, y, owner, type, population, supply, research, trade, shipyard, "
               "shield, fortification, attacked) VALUES(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
               {c.sessionId, system, m.name[i], m.x[i], m.y[i], m.owner[i], m.type[i], m.population[i], m.supply[i],
                m.research[i], m.trade[i], m.shipyard[i], m.shield[i], m.fortification[i], m.attacked[i]});
        return;
    }
    db.run("UPDATE systems SET owner = ?, shield = ?, fortification = ?, attacked = ? WHERE sid = ? AND idx = ?",
           {m.owner[i], m.shield[i], m.fortification[i], m.attacked[i], c.sessionId, system});
}

void writePlayer(SqlConnection& db, const ChannelState& c, int slot) {
    const PlayerState& p = c.players[slot];
    const ShipLists& s = p.ships;
    db.run("INSERT INTO players(sid, slot, type, hull, shield, docked, location, route, fleet, x, y, firepower, "
           "highest_fleet, trade_routes) VALUES(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?) ON CONFLICT(sid, slot) DO "
           "UPDATE SET type = excluded.type, hull = excluded.hull, shield = excluded.shield, docked = excluded.docked, "
           "location = excluded.location, route = excluded.route, fleet = excluded.fleet, x = excluded.x, y = "
           "excluded.y, firepower = excluded.firepower, highest_fleet = excluded.highest_fleet, trade_routes = "
           "excluded.trade_routes",
           {c.sessionId, slot, s.type, s.hull, s.shield, s.docked, s.location, s.route, s.fleet, s.x, s.y, s.firepower,
            s.highestFleet, p.tradeRoutes});
}

void writePrivateBlock(SqlConnection& db, const ChannelState& c, int slot) {
    const std::string& block = c.players[slot].privateBlock;
    if (block.empty()) {
        db.run("DELETE FROM private_blocks WHERE sid = ? AND slot = ?", {c.sessionId, slot});
        return;
    }
    db.run("INSERT INTO private_blocks(sid, slot, block) VALUES(?, ?, ?) ON CONFLICT(sid, slot) DO UPDATE SET "
           "block = excluded.block",
           {c.sessionId, slot, block});
}

void writeAgreements(SqlConnection& db, const ChannelState& c) {
    for (int a = 1; a <= kMaxPlayers; ++a) {
        for (int b = 1; b <= kMaxPlayers; ++b) {
            if (a == b) continue;
            db.run("INSERT INTO agreements(sid, from_slot, to_slot, offered, told) VALUES(?, ?, ?, ?, ?) ON "
                   "CONFLICT(sid, from_slot, to_slot) DO UPDATE SET offered = excluded.offered, told = excluded.told",
                   {c.sessionId, a, b, c.agreements.offered[a][b] ? 1 : 0, c.agreements.told[a][b]});
        }
    }
}

void writeChat(SqlConnection& db, const ChannelState& c, std::size_t appended) {
    const std::size_t first = c.chat.size() - std::min(appended, c.chat.size());
    for (std::size_t i = first; i < c.chat.size(); ++i) {
        db.run("INSERT INTO chat(sid, sender, text) VALUES(?, ?, ?)", {c.sessionId, c.chat[i].sender, c.chat[i].text});
    }
    db.run("DELETE FROM chat WHERE sid = ? AND seq NOT IN (SELECT seq FROM chat WHERE sid = ? ORDER BY seq DESC LIMIT ?)",
           {c.sessionId, c.sessionId, static_cast<int>(kChatHistoryLines)});
}

void writePreviousSlots(SqlConnection& db, const ChannelState& c) {
    db.run("DELETE FROM previous_slots WHERE sid = ?", {c.sessionId});
    for (const auto& [name, slot] : c.previousSlot) {
        db.run("INSERT INTO previous_slots(sid, name, slot) VALUES(?, ?, ?)", {c.sessionId, name, slot});
    }
}

void writeChanges(SqlConnection& db, const ChannelState& c, const ChannelChanges& changes) {
    if (changes.header) writeHeader(db, c);
    for (int n = 1; n <= kMaxPlayers; ++n) {
        if (changes.slots[n]) {
            writeSlot(db, c, n);
        } else if (changes.polled[n]) {
            db.run("UPDATE slots SET last_poll = ? WHERE sid = ? AND slot = ?", {c.slots[n].lastPoll, c.sessionId, n});
        }
        if (changes.players[n]) writePlayer(db, c, n);
        if (changes.privateBlocks[n]) writePrivateBlock(db, c, n);
    }
    if (changes.wholeMap) {
        db.run("DELETE FROM systems WHERE sid = ?", {c.sessionId});
        for (int i = 1; i <= c.map.size(); ++i) writeSystem(db, c, i, true);
    } else {
        for (int i : changes.systems) writeSystem(db, c, i, false);
    }
    if (changes.agreements) writeAgreements(db, c);
    if (changes.chatAppended > 0) writeChat(db, c, changes.chatAppended);
    if (changes.previousSlots) writePreviousSlots(db, c);
    if (changes.emptySince) db.run("UPDATE channels SET empty_since = ? WHERE sid = ?", {c.emptySince, c.sessionId});
}

ChannelChanges everything(const ChannelState& channel) {
    ChannelChanges all;
    all.header = true;
    all.wholeMap = true;
    all.agreements = true;
    all.previousSlots = true;
    all.chatAppended = channel.chat.size();
    for (int n = 1; n <= kMaxPlayers; ++n) {
        all.slots[n] = n <= channel.maxPlayers;
        all.players[n] = n <= channel.maxPlayers;
        all.privateBlocks[n] = n <= channel.maxPlayers;
    }
    return all;
}

void deleteRows(SqlConnection& db, const std::string& sessionId) {
    for (const char* sql : {"DELETE FROM channels WHERE sid = ?", "DELETE FROM slots WHERE sid = ?",
                            "DELETE FROM systems WHERE sid = ?", "DELETE FROM players WHERE sid = ?",
                            "DELETE FROM agreements WHERE sid = ?", "DELETE FROM chat WHERE sid = ?",
                            "DELETE FROM previous_slots WHERE sid = ?", "DELETE FROM private_blocks WHERE sid = ?",
                            "DELETE FROM spectators WHERE sid = ?"}) {
        db.run(sql, {sessionId});
    }
}

void loadSlots(SqlConnection& db, ChannelState& c) {
    Rows rows = db.query("SELECT slot, name, colour, ready, last_poll, away FROM slots WHERE sid = ?", {c.sessionId});
    while (rows->next()) {
        const int n = integer(rows, 0);
        if (n < 1 || n > kMaxPlayers) continue;
        c.slots[n].name = rows->text(1);
        c.slots[n].colour = integer(rows, 2);
        c.slots[n].ready = integer(rows, 3);
        c.slots[n].lastPoll = c.slots[n].storedPoll = rows->real(4);
        c.slots[n].away = integer(rows, 5) != 0;
    }
}

void loadSystems(SqlConnection& db, ChannelState& c) {
    Rows rows = db.query("SELECT idx, name, x, y, owner, type, population, supply, research, trade, shipyard, shield, "
                         "fortification, attacked FROM systems WHERE sid = ? ORDER BY idx",
                         {c.sessionId});
    StarMap& m = c.map;
    const int background = m.background;
    m = StarMap();
    m.background = background;
    m.resize(c.started ? c.stars : 0);
    while (rows->next()) {
        const int system = integer(rows, 0);
        if (system < 1 || system > m.size()) continue;
        const auto i = static_cast<std::size_t>(system - 1);
        m.name[i] = rows->text(1);
        int column = 2;
        for (auto* values : {&m.x, &m.y, &m.owner, &m.type, &m.population, &m.supply, &m.research, &m.trade,
                             &m.shipyard, &m.shield, &m.fortification, &m.attacked}) {
            (*values)[i] = integer(rows, column++);
        }
    }
}

void loadPlayers(SqlConnection& db, ChannelState& c) {
    Rows rows = db.query("SELECT slot, type, hull, shield, docked, location, route, fleet, x, y, firepower, "
                         "highest_fleet, trade_routes FROM players WHERE sid = ?",
                         {c.sessionId});
    while (rows->next()) {
        const int n = integer(rows, 0);
        if (n < 1 || n > kMaxPlayers) continue;
        std::string texts[12];
        for (int k = 0; k < 12; ++k) texts[k] = rows->text(k + 1);
        c.players[n].ships = readShipLists({texts[0], texts[1], texts[2], texts[3], texts[4], texts[5], texts[6],
                                            texts[7], texts[8], texts[9], texts[10]},
                                           c.map.size());
        c.players[n].tradeRoutes = texts[11];
    }
}

void loadPrivateBlocks(SqlConnection& db, ChannelState& c) {
    Rows rows = db.query("SELECT slot, block FROM private_blocks WHERE sid = ?", {c.sessionId});
    while (rows->next()) {
        const int n = integer(rows, 0);
        if (n >= 1 && n <= kMaxPlayers) c.players[n].privateBlock = rows->text(1);
    }
}

void loadAgreements(SqlConnection& db, ChannelState& c) {
    Rows rows = db.query("SELECT from_slot, to_slot, offered, told FROM agreements WHERE sid = ?", {c.sessionId});
    while (rows->next()) {
        const int a = integer(rows, 0);
        const int b = integer(rows, 1);
        if (a < 1 || a > kMaxPlayers || b < 1 || b > kMaxPlayers) continue;
        c.agreements.offered[a][b] = integer(rows, 2) != 0;
        c.agreements.told[a][b] = integer(rows, 3);
    }
}

void loadChat(SqlConnection& db, ChannelState& c) {
    Rows rows = db.query("SELECT sender, text FROM chat WHERE sid = ? ORDER BY seq", {c.sessionId});
    while (rows->next()) c.chat.push_back({integer(rows, 0), rows->text(1)});
}

void loadPreviousSlots(SqlConnection& db, ChannelState& c) {
    Rows rows = db.query("SELECT name, slot FROM previous_slots WHERE sid = ?", {c.sessionId});
    while (rows->next()) c.previousSlot[rows->text(0)] = integer(rows, 1);
}

std::optional<ChannelState> loadRows(SqlConnection& db, const std::string& sessionId) {
    ChannelState c;
    {
        Rows rows = db.query("SELECT sid, name, has_password, version, host, max_players, stars, started, background, "
                             "empty_since, creator, started_at, spectator_delay FROM channels WHERE sid = ?",
                             {sessionId});
        if (!rows->next()) return std::nullopt;
        c.sessionId = rows->text(0);
        c.name = rows->text(1);
        c.hasPassword = integer(rows, 2) != 0;
        c.version = rows->text(3);
        c.hostName = rows->text(4);
        c.maxPlayers = std::clamp(integer(rows, 5), kMinPlayers, kMaxPlayers);
        c.stars = integer(rows, 6);
        c.started = integer(rows, 7) != 0;
        c.map.background = integer(rows, 8);
        c.emptySince = rows->real(9);
        c.creatorAddress = rows->text(10);
        c.startedAt = rows->real(11);
        c.spectatorDelay = integer(rows, 12);
    }
    loadSlots(db, c);
    loadSystems(db, c);
    loadPlayers(db, c);
    loadPrivateBlocks(db, c);
    loadAgreements(db, c);
    loadChat(db, c);
    loadPreviousSlots(db, c);
    return c;
}

}  // namespace

Storage::Storage(const std::string& database, int poolSize)
    : engine_(engineOf(database)),
      pool_(database, engine_ == Engine::sqlite ? 1 : std::max(poolSize, 1)) {
    const std::string lockRow = "SELECT revision, empty_since FROM channels WHERE sid = ?";
    lockRow_ = engine_ == Engine::sqlite ? lockRow : lockRow + " FOR UPDATE";
    lockRowSkipLocked_ = engine_ == Engine::sqlite ? lockRow : lockRow + " FOR UPDATE SKIP LOCKED";
    // The account's ban comes with the lock, so a ban set through any instance holds from
    // the player's next request on, at no extra round trip.
    const std::string withBan = "SELECT revision, empty_since, COALESCE((SELECT banned_until FROM accounts WHERE "
                                "name = ?), -1) FROM channels WHERE sid = ?";
    lockRowWithBan_ = engine_ == Engine::sqlite ? withBan : withBan + " FOR UPDATE OF channels";
    ConnectionPool::Lease lease = pool_.acquire();
    migrate(*lease);
}

ConnectionPool::Lease Storage::begin() {
    ConnectionPool::Lease lease = pool_.acquire();
    lease->begin();
    return lease;
}

std::vector<std::pair<std::string, std::string>> Storage::loadAccounts() {
    SqlTransaction t(begin());
    std::vector<std::pair<std::string, std::string>> accounts;
    Rows rows = t.db().query("SELECT name, credential FROM accounts", {});
    while (rows->next()) accounts.emplace_back(rows->text(0), rows->text(1));
    rows.reset();
    t.commit();
    return accounts;
}

void Storage::saveAccount(const std::string& name, const std::string& credential) {
    SqlTransaction t(begin());
    t.db().run("INSERT INTO accounts(name, credential) VALUES(?, ?) ON CONFLICT(name) DO UPDATE SET credential = "
               "excluded.credential",
               {name, credential});
    t.commit();
}

bool Storage::addAccount(const std::string& name, const std::string& credential) {
    SqlTransaction t(begin());
    const bool taken = t.db().query("SELECT 1 FROM accounts WHERE name = ?", {name})->next();
    if (!taken) t.db().run("INSERT INTO accounts(name, credential) VALUES(?, ?) ON CONFLICT(name) DO NOTHING", {name, credential});
    t.commit();
    return !taken;
}

std::optional<std::string> Storage::loadAccount(const std::string& name) {
    SqlTransaction t(begin());
    std::optional<std::string> credential;
    Rows rows = t.db().query("SELECT credential FROM accounts WHERE name = ?", {name});
    if (rows->next()) credential = rows->text(0);
    rows.reset();
    t.commit();
    return credential;
}

std::vector<ChannelSummary> Storage::listOpenChannels(const std::string& version, const std::string& seatedPlayer,
                                                     bool spectated) {
    SqlTransaction t(begin());
    std::vector<ChannelSummary> list;
    Rows rows = t.db().query(
        "SELECT c.sid, c.name, c.has_password, (SELECT COUNT(*) FROM slots s WHERE s.sid = c.sid AND s.name <> '' AND "
        "s.slot <= c.max_players), c.max_players, c.stars, CASE WHEN c.started <> 0 AND EXISTS(SELECT 1 FROM slots s "
        "WHERE s.sid = c.sid AND s.name = ? AND s.name <> '' AND s.slot <= c.max_players) THEN 1 ELSE 0 END, c.started, "
        "c.spectator_delay "
        "FROM channels c WHERE c.version = ?",
        {seatedPlayer, version});
    while (rows->next()) {
        const bool seated = integer(rows, 6) != 0;
        const bool running = integer(rows, 7) != 0;
        const int delay = integer(rows, 8);
        if (running && !seated && !(spectated && delay > 0)) continue;
        list.push_back({rows->text(0), rows->text(1), integer(rows, 2) != 0, integer(rows, 3),
                        std::clamp(integer(rows, 4), kMinPlayers, kMaxPlayers), integer(rows, 5), seated,
                        running && !seated ? delay : 0});
    }
    rows.reset();
    t.commit();
    return list;
}

Storage::Creation Storage::createChannel(const ChannelState& channel, const CreationLimits& limits, double now) {
    SqlTransaction t(begin());
    // Instances creating at the same moment count one after the other.
    if (engine_ == Engine::postgres) t.db().run("SELECT pg_advisory_xact_lock(7151001)", {});
    const auto count = [&t](const std::string& sql, const std::vector<SqlParam>& params) {
        Rows rows = t.db().query(sql, params);
        return rows->next() ? rows->integer(0) : 0;
    };
    const std::string& creator = channel.creatorAddress;
    if (count("SELECT COUNT(*) FROM channels WHERE creator = ?", {creator}) >= limits.openFromCreator ||
        count("SELECT COUNT(*) FROM address_events WHERE address = ? AND kind = ? AND at > ?",
              {creator, static_cast<int>(AddressEvent::channelCreation), now - 3600}) >= limits.perHourFromCreator) {
        return Creation::creatorFull;
    }
    if (count("SELECT COUNT(*) FROM channels", {}) >= static_cast<long long>(limits.open)) return Creation::serverFull;
    writeChanges(t.db(), channel, everything(channel));
    t.db().run("INSERT INTO address_events(address, kind, at) VALUES(?, ?, ?)",
               {creator, static_cast<int>(AddressEvent::channelCreation), now});
    t.commit();
    return Creation::created;
}

std::vector<std::string> Storage::channelIds() {
    SqlTransaction t(begin());
    std::vector<std::string> ids;
    Rows rows = t.db().query("SELECT sid FROM channels", {});
    while (rows->next()) ids.push_back(rows->text(0));
    rows.reset();
    t.commit();
    return ids;
}

std::vector<std::string> Storage::sweepCandidates(double silentSince, double lobbyEmptySince, double gameEmptySince) {
    SqlTransaction t(begin());
    std::vector<std::string> ids;
    Rows rows = t.db().query(
        "SELECT c.sid FROM channels c WHERE (c.empty_since >= 0 AND ((c.started = 0 AND c.empty_since <= ?) OR "
        "(c.started <> 0 AND c.empty_since <= ?))) OR (c.started = 0 AND "
        "EXISTS(SELECT 1 FROM slots s WHERE s.sid = c.sid AND s.name <> '' AND s.last_poll <= ?)) OR (c.started <> 0 AND "
        "EXISTS(SELECT 1 FROM slots s WHERE s.sid = c.sid AND s.name <> '' AND s.away = 0 AND s.last_poll <= ?)) OR "
        "(c.empty_since < 0 "
        "AND NOT EXISTS(SELECT 1 FROM slots s WHERE s.sid = c.sid AND s.name <> '' AND s.last_poll > ?))",
        {lobbyEmptySince, gameEmptySince, silentSince, silentSince, silentSince});
    while (rows->next()) ids.push_back(rows->text(0));
    rows.reset();
    t.commit();
    return ids;
}

void Storage::countStartAsPoll(double now) {
    SqlTransaction t(begin());
    // Channel rows first, then slot rows, as every request takes them: no deadlock with
    // the requests other instances are serving meanwhile.
    t.db().run("UPDATE channels SET empty_since = -1 WHERE empty_since >= 0 AND EXISTS(SELECT 1 FROM slots s WHERE "
               "s.sid = channels.sid AND s.name <> '')",
               {});
    t.db().run("UPDATE slots SET last_poll = ? WHERE name <> '' AND last_poll < ?", {now, now});
    t.commit();
}

Storage::ChannelTransaction::ChannelTransaction(Storage& storage, const std::string& sessionId, Wait wait,
                                                const std::string& player)
    : lease_(storage.begin()), sessionId_(sessionId) {
    try {
        Rows rows = !player.empty() && wait == Wait::yes
                        ? lease_->query(storage.lockRowWithBan_, {player, sessionId})
                        : lease_->query(wait == Wait::yes ? storage.lockRow_ : storage.lockRowSkipLocked_, {sessionId});
        found_ = rows->next();
        if (found_) {
            revision_ = rows->integer(0);
            emptySince_ = rows->real(1);
            if (rows->columns() > 2) bannedUntil_ = rows->real(2);
        }
    } catch (...) {
        lease_->rollback();
        throw;
    }
}

Storage::ChannelTransaction::~ChannelTransaction() {
    if (!done_) lease_->rollback();
}

ChannelState Storage::ChannelTransaction::load() {
    std::optional<ChannelState> c = loadRows(*lease_, sessionId_);
    if (!c) throw std::runtime_error("channel row vanished under its lock");
    return std::move(*c);
}

void Storage::ChannelTransaction::loadPolls(ChannelState& channel) {
    Rows rows = lease_->query("SELECT slot, last_poll FROM slots WHERE sid = ?", {sessionId_});
    while (rows->next()) {
        const int n = integer(rows, 0);
        if (n < 1 || n > kMaxPlayers) continue;
        Slot& slot = channel.slots[n];
        slot.storedPoll = rows->real(1);
        slot.lastPoll = std::max(slot.lastPoll, slot.storedPoll);
    }
}

long long Storage::ChannelTransaction::commit(const ChannelState& channel, const ChannelChanges& changes) {
    writeChanges(*lease_, channel, changes);
    // Other instances see from the new revision that what they hold is old.
    if (changes.any()) {
        lease_->run("UPDATE channels SET revision = revision + 1 WHERE sid = ?", {sessionId_});
        ++revision_;
    }
    lease_->commit();
    done_ = true;
    return revision_;
}

void Storage::ChannelTransaction::deleteAndCommit() {
    deleteRows(*lease_, sessionId_);
    lease_->commit();
    done_ = true;
}

std::vector<ChannelState> Storage::loadChannels() {
    std::vector<ChannelState> channels;
    for (const std::string& id : channelIds()) {
        if (std::optional<ChannelState> c = loadChannel(id)) channels.push_back(std::move(*c));
    }
    return channels;
}

std::optional<ChannelState> Storage::loadChannel(const std::string& sessionId) {
    ChannelTransaction t(*this, sessionId, ChannelTransaction::Wait::yes);
    if (!t.found()) return std::nullopt;
    return t.load();
}

void Storage::save(const ChannelState& channel, const ChannelChanges& changes) {
    ChannelTransaction t(*this, channel.sessionId, ChannelTransaction::Wait::yes);
    t.commit(channel, changes);
}

void Storage::saveAll(const ChannelState& channel) {
    ChannelTransaction t(*this, channel.sessionId, ChannelTransaction::Wait::yes);
    t.commit(channel, everything(channel));
}

void Storage::deleteChannel(const std::string& sessionId) {
    ChannelTransaction t(*this, sessionId, ChannelTransaction::Wait::yes);
    t.deleteAndCommit();
}

}  // namespace qz::server

#include "storage.hpp"

#include "ship_lists.hpp"
#include "storage_migrations.hpp"

#include <algorithm>

namespace qz::server {

namespace {

const char* const kSchema = R"(
CREATE TABLE IF NOT EXISTS accounts(name TEXT PRIMARY KEY, credential TEXT NOT NULL);
CREATE TABLE IF NOT EXISTS channels(sid TEXT PRIMARY KEY, name TEXT, password TEXT, version TEXT, host TEXT,
  max_players INT, stars INT, started INT, background INT);
CREATE TABLE IF NOT EXISTS slots(sid TEXT, slot INT, name TEXT, colour INT, ready INT,
  PRIMARY KEY(sid, slot)) WITHOUT ROWID;
CREATE TABLE IF NOT EXISTS systems(sid TEXT, idx INT, name TEXT, x INT, y INT, owner INT, type INT,
  population INT, supply INT, research INT, trade INT, shipyard INT, shield INT, fortification INT, attacked INT,
  PRIMARY KEY(sid, idx)) WITHOUT ROWID;
CREATE TABLE IF NOT EXISTS players(sid TEXT, slot INT, type TEXT, hull TEXT, shield TEXT, docked TEXT,
  location TEXT, route TEXT, fleet TEXT, x TEXT, y TEXT, firepower TEXT, highest_fleet TEXT, trade_routes TEXT,
  PRIMARY KEY(sid, slot)) WITHOUT ROWID;
CREATE TABLE IF NOT EXISTS agreements(sid TEXT, from_slot INT, to_slot INT, offered INT, told INT,
  PRIMARY KEY(sid, from_slot, to_slot)) WITHOUT ROWID;
CREATE TABLE IF NOT EXISTS chat(seq INTEGER PRIMARY KEY AUTOINCREMENT, sid TEXT, sender INT, text TEXT);
CREATE INDEX IF NOT EXISTS chat_by_channel ON chat(sid, seq);
)";

// Commits on commit(), rolls back when left early by an exception.
class Transaction {
public:
    explicit Transaction(Database& db) : db_(db) { db_.execute("BEGIN IMMEDIATE"); }
    ~Transaction() {
        if (!done_) {
            try {
                db_.execute("ROLLBACK");
            } catch (...) {
            }
        }
    }
    void commit() {
        db_.execute("COMMIT");
        done_ = true;
    }

private:
    Database& db_;
    bool done_ = false;
};

}  // namespace

Storage::Storage(const std::string& path) : db_(path) {
    db_.execute("PRAGMA journal_mode=WAL");
    // With WAL, NORMAL keeps every committed transaction across a crash of the server
    // process; only a power loss may drop the last ones.
    db_.execute("PRAGMA synchronous=NORMAL");
    db_.execute(kSchema);
    migrate(db_);
}

std::vector<std::pair<std::string, std::string>> Storage::loadAccounts() {
    std::lock_guard lock(mutex_);
    std::vector<std::pair<std::string, std::string>> accounts;
    Statement query = db_.prepare("SELECT name, credential FROM accounts");
    while (query.step()) accounts.emplace_back(query.columnText(0), query.columnText(1));
    return accounts;
}

void Storage::saveAccount(const std::string& name, const std::string& credential) {
    std::lock_guard lock(mutex_);
    db_.prepare("INSERT OR REPLACE INTO accounts(name, credential) VALUES(?, ?)").bind(1, name).bind(2, credential).run();
}

std::optional<std::string> Storage::loadAccount(const std::string& name) {
    std::lock_guard lock(mutex_);
    Statement query = db_.prepare("SELECT credential FROM accounts WHERE name = ?");
    query.bind(1, name);
    if (!query.step()) return std::nullopt;
    return query.columnText(0);
}

void Storage::writeHeader(const ChannelState& c) {
    db_.prepare(
           "INSERT OR REPLACE INTO channels(sid, name, has_password, version, host, max_players, stars, started, "
           "background, creator) VALUES(?, ?, ?, ?, ?, ?, ?, ?, ?, ?)")
        .bind(1, c.sessionId)
        .bind(2, c.name)
        .bind(3, c.hasPassword ? 1 : 0)
        .bind(4, c.version)
        .bind(5, c.hostName)
        .bind(6, c.maxPlayers)
        .bind(7, c.stars)
        .bind(8, c.started ? 1 : 0)
        .bind(9, c.map.background)
        .bind(10, c.creatorAddress)
        .run();
}

void Storage::writeSlot(const ChannelState& c, int slot) {
    const Slot& s = c.slots[slot];
    db_.prepare("INSERT OR REPLACE INTO slots(sid, slot, name, colour, ready) VALUES(?, ?, ?, ?, ?)")
        .bind(1, c.sessionId)
        .bind(2, slot)
        .bind(3, s.name)
        .bind(4, s.colour)
        .bind(5, s.ready)
        .run();
}

void Storage::writeSystem(const ChannelState& c, int system, bool withFixedValues) {
    const StarMap& m = c.map;
    const auto i = static_cast<std::size_t>(system - 1);
    if (withFixedValues) {
        db_.prepare(
               "INSERT OR REPLACE INTO systems(sid, idx, name, x, y, owner, type, population, supply, research, "
               "trade, shipyard, shield, fortification, attacked) VALUES(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)")
            .bind(1, c.sessionId)
            .bind(2, system)
            .bind(3, m.name[i])
            .bind(4, m.x[i])
            .bind(5, m.y[i])
            .bind(6, m.owner[i])
            .bind(7, m.type[i])
            .bind(8, m.population[i])
            .bind(9, m.supply[i])
            .bind(10, m.research[i])
            .bind(11, m.trade[i])
            .bind(12, m.shipyard[i])
            .bind(13, m.shield[i])
            .bind(14, m.fortification[i])
            .bind(15, m.attacked[i])
            .run();
        return;
    }
    db_.prepare("UPDATE systems SET owner = ?, shield = ?, fortification = ?, attacked = ? WHERE sid = ? AND idx = ?")
        .bind(1, m.owner[i])
        .bind(2, m.shield[i])
        .bind(3, m.fortification[i])
        .bind(4, m.attacked[i])
        .bind(5, c.sessionId)
        .bind(6, system)
        .run();
}

void Storage::writePlayer(const ChannelState& c, int slot) {
    const PlayerState& p = c.players[slot];
    const ShipLists& s = p.ships;
    db_.prepare(
           "INSERT OR REPLACE INTO players(sid, slot, type, hull, shield, docked, location, route, fleet, x, y, "
           "firepower, highest_fleet, trade_routes) VALUES(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)")
        .bind(1, c.sessionId)
        .bind(2, slot)
        .bind(3, s.type)
        .bind(4, s.hull)
        .bind(5, s.shield)
        .bind(6, s.docked)
        .bind(7, s.location)
        .bind(8, s.route)
        .bind(9, s.fleet)
        .bind(10, s.x)
        .bind(11, s.y)
        .bind(12, s.firepower)
        .bind(13, s.highestFleet)
        .bind(14, p.tradeRoutes)
        .run();
}

void Storage::writeAgreements(const ChannelState& c) {
    for (int a = 1; a <= kMaxPlayers; ++a) {
        for (int b = 1; b <= kMaxPlayers; ++b) {
            if (a == b) continue;
            db_.prepare("INSERT OR REPLACE INTO agreements(sid, from_slot, to_slot, offered, told) VALUES(?, ?, ?, ?, ?)")
                .bind(1, c.sessionId)
                .bind(2, a)
                .bind(3, b)
                .bind(4, c.agreements.offered[a][b] ? 1 : 0)
                .bind(5, c.agreements.told[a][b])
                .run();
        }
    }
}

void Storage::writeChat(const ChannelState& c, std::size_t appended) {
    const std::size_t first = c.chat.size() - std::min(appended, c.chat.size());
    for (std::size_t i = first; i < c.chat.size(); ++i) {
        db_.prepare("INSERT INTO chat(sid, sender, text) VALUES(?, ?, ?)")
            .bind(1, c.sessionId)
            .bind(2, c.chat[i].sender)
            .bind(3, c.chat[i].text)
            .run();
    }
    db_.prepare("DELETE FROM chat WHERE sid = ? AND seq NOT IN (SELECT seq FROM chat WHERE sid = ? ORDER BY seq DESC LIMIT ?)")
        .bind(1, c.sessionId)
        .bind(2, c.sessionId)
        .bind(3, static_cast<int>(kChatHistoryLines))
        .run();
}

void Storage::save(const ChannelState& channel, const ChannelChanges& changes) {
    if (!changes.any()) return;
    std::lock_guard lock(mutex_);
    Transaction transaction(db_);
    if (changes.header) writeHeader(channel);
    for (int n = 1; n <= kMaxPlayers; ++n) {
        if (changes.slots[n]) writeSlot(channel, n);
        if (changes.players[n]) writePlayer(channel, n);
    }
    if (changes.wholeMap) {
        db_.prepare("DELETE FROM systems WHERE sid = ?").bind(1, channel.sessionId).run();
        for (int i = 1; i <= channel.map.size(); ++i) writeSystem(channel, i, true);
    } else {
        for (int i : changes.systems) writeSystem(channel, i, false);
    }
    if (changes.agreements) writeAgreements(channel);
    if (changes.chatAppended > 0) writeChat(channel, changes.chatAppended);
    transaction.commit();
}

void Storage::saveAll(const ChannelState& channel) {
    ChannelChanges all;
    all.header = true;
    all.wholeMap = true;
    all.agreements = true;
    all.chatAppended = channel.chat.size();
    for (int n = 1; n <= kMaxPlayers; ++n) {
        all.slots[n] = n <= channel.maxPlayers;
        all.players[n] = n <= channel.maxPlayers;
    }
    save(channel, all);
}

void Storage::deleteChannel(const std::string& sessionId) {
    std::lock_guard lock(mutex_);
    Transaction transaction(db_);
    for (const char* sql : {"DELETE FROM channels WHERE sid = ?", "DELETE FROM slots WHERE sid = ?",
                            "DELETE FROM systems WHERE sid = ?", "DELETE FROM players WHERE sid = ?",
                            "DELETE FROM agreements WHERE sid = ?", "DELETE FROM chat WHERE sid = ?"}) {
        db_.prepare(sql).bind(1, sessionId).run();
    }
    transaction.commit();
}

void Storage::loadSlots(ChannelState& c) {
    Statement query = db_.prepare("SELECT slot, name, colour, ready FROM slots WHERE sid = ?");
    query.bind(1, c.sessionId);
    while (query.step()) {
        const int n = query.columnInt(0);
        if (n < 1 || n > kMaxPlayers) continue;
        c.slots[n].name = query.columnText(1);
        c.slots[n].colour = query.columnInt(2);
        c.slots[n].ready = query.columnInt(3);
    }
}

void Storage::loadSystems(ChannelState& c) {
    Statement query = db_.prepare(
        "SELECT idx, name, x, y, owner, type, population, supply, research, trade, shipyard, shield, fortification, "
        "attacked FROM systems WHERE sid = ? ORDER BY idx");
    query.bind(1, c.sessionId);
    StarMap& m = c.map;
    const int background = m.background;
    m = StarMap();
    m.background = background;
    m.resize(c.started ? c.stars : 0);
    while (query.step()) {
        const int system = query.columnInt(0);
        if (system < 1 || system > m.size()) continue;
        const auto i = static_cast<std::size_t>(system - 1);
        m.name[i] = query.columnText(1);
        int column = 2;
        for (auto* values : {&m.x, &m.y, &m.owner, &m.type, &m.population, &m.supply, &m.research, &m.trade,
                             &m.shipyard, &m.shield, &m.fortification, &m.attacked}) {
            (*values)[i] = query.columnInt(column++);
        }
    }
}

void Storage::loadPlayers(ChannelState& c) {
    Statement query = db_.prepare(
        "SELECT slot, type, hull, shield, docked, location, route, fleet, x, y, firepower, highest_fleet, "
        "trade_routes FROM players WHERE sid = ?");
    query.bind(1, c.sessionId);
    while (query.step()) {
        const int n = query.columnInt(0);
        if (n < 1 || n > kMaxPlayers) continue;
        std::string texts[12];
        for (int k = 0; k < 12; ++k) texts[k] = query.columnText(k + 1);
        c.players[n].ships = readShipLists({texts[0], texts[1], texts[2], texts[3], texts[4], texts[5], texts[6],
                                            texts[7], texts[8], texts[9], texts[10]},
                                           c.map.size());
        c.players[n].tradeRoutes = texts[11];
    }
}

void Storage::loadAgreements(ChannelState& c) {
    Statement query = db_.prepare("SELECT from_slot, to_slot, offered, told FROM agreements WHERE sid = ?");
    query.bind(1, c.sessionId);
    while (query.step()) {
        const int a = query.columnInt(0);
        const int b = query.columnInt(1);
        if (a < 1 || a > kMaxPlayers || b < 1 || b > kMaxPlayers) continue;
        c.agreements.offered[a][b] = query.columnInt(2) != 0;
        c.agreements.told[a][b] = query.columnInt(3);
    }
}

void Storage::loadChat(ChannelState& c) {
    Statement query = db_.prepare("SELECT sender, text FROM chat WHERE sid = ? ORDER BY seq");
    query.bind(1, c.sessionId);
    while (query.step()) c.chat.push_back({query.columnInt(0), query.columnText(1)});
}

std::vector<ChannelState> Storage::loadChannels() {
    std::lock_guard lock(mutex_);
    return loadChannelsLocked(std::nullopt);
}

std::optional<ChannelState> Storage::loadChannel(const std::string& sessionId) {
    std::lock_guard lock(mutex_);
    std::vector<ChannelState> found = loadChannelsLocked(sessionId);
    if (found.empty()) return std::nullopt;
    return std::move(found.front());
}

std::vector<ChannelState> Storage::loadChannelsLocked(const std::optional<std::string>& only) {
    std::vector<ChannelState> channels;
    {
        Statement query = db_.prepare(
            "SELECT sid, name, has_password, version, host, max_players, stars, started, background, creator FROM channels "
            "WHERE ?1 IS NULL OR sid = ?1");
        if (only) query.bind(1, *only);
        while (query.step()) {
            ChannelState c;
            c.sessionId = query.columnText(0);
            c.name = query.columnText(1);
            c.hasPassword = query.columnInt(2) != 0;
            c.version = query.columnText(3);
            c.hostName = query.columnText(4);
            c.maxPlayers = std::clamp(query.columnInt(5), kMinPlayers, kMaxPlayers);
            c.stars = query.columnInt(6);
            c.started = query.columnInt(7) != 0;
            c.map.background = query.columnInt(8);
            c.creatorAddress = query.columnText(9);
            channels.push_back(std::move(c));
        }
    }
    for (ChannelState& c : channels) {
        loadSlots(c);
        loadSystems(c);
        loadPlayers(c);
        loadAgreements(c);
        loadChat(c);
    }
    return channels;
}

}  // namespace qz::server

#include "scenario.hpp"

#include "net/md5.hpp"

#include <algorithm>
#include <stdexcept>

namespace qz::server::test {

std::string digestOf(const std::string& name) { return md5UpperHex(name + "-geheim"); }

std::string list(const std::vector<int>& values) {
    std::string out;
    for (int v : values) out += ',' + std::to_string(v);
    return out;
}

std::string record(const std::string& reply, const std::string& tag) {
    const std::string open = "#" + tag + "-";
    const std::string close = "-" + tag + "#";
    const std::size_t start = reply.find(open);
    if (start == std::string::npos) return "<absent>";
    const std::size_t end = reply.find(close, start + open.size());
    if (end == std::string::npos) return "<unclosed>";
    return reply.substr(start + open.size(), end - start - open.size());
}

std::string item(const std::string& list, int i) {
    std::size_t start = 0;
    for (int k = 0; k < i; ++k) {
        start = list.find(',', start);
        if (start == std::string::npos) return "<none>";
        ++start;
    }
    const std::size_t end = list.find(',', start);
    return list.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

std::string battleRecord(const std::string& reply, int system) {
    const std::string open = "#kuml" + std::to_string(system) + "-";
    std::string close = "-";
    close += std::to_string(system);
    close += "kuml#";
    const std::size_t start = reply.find(open);
    if (start == std::string::npos) return "<absent>";
    const std::size_t end = reply.find(close, start);
    return reply.substr(start + open.size(), end - start - open.size());
}

Pairs loginPairs(const std::string& name) { return {{"infos", "login"}, {"i1", name}, {"i2", digestOf(name)}}; }

Pairs createPairs(const std::string& channel, int maxPlayers, int stars) {
    return {{"infos", "channel_erstellen"}, {"i1", channel}, {"i2", ""}, {"i3", std::to_string(maxPlayers)},
            {"i4", std::to_string(stars)}, {"i5", "QZ0.10"}};
}

Pairs joinPairs(const std::string& name) {
    return {{"infos", "channel"}, {"i1", ""}, {"i2", name}, {"i3", ""}, {"i4", ""}};
}

Pairs lobbyPairs(const std::string& name, int started, int colour, int ready, int stars) {
    Pairs pairs = {{"infos", "channel"}, {"i1", std::to_string(started)}, {"i2", name},
                   {"i3", std::to_string(colour)}, {"i4", std::to_string(ready)}};
    if (stars > 0) pairs.emplace_back("i5", std::to_string(stars));
    return pairs;
}

Pairs uploadPairs(const std::string& name, int colour, int players, int stars) {
    std::string names;
    std::vector<int> xs, ys, owners, types, bases, shields, forts;
    for (int i = 1; i <= stars; ++i) {
        const bool home = i <= players;
        names += home ? ",Heimatplanet" : ",Planet X" + std::to_string(i);
        xs.push_back(40 * i);
        ys.push_back(30 * i);
        owners.push_back(home ? i : 0);
        types.push_back(home ? 42 : (i % 17) + 1);
        bases.push_back(i % 7 + 1);
        shields.push_back(0);
        forts.push_back(home ? 5000 : 800);
    }
    return {{"infos", "channel"}, {"i1", "42"}, {"i2", name}, {"i3", std::to_string(colour)}, {"i4", "1"},
            {"i5", std::to_string(stars)}, {"i6", names}, {"i7", list(xs)}, {"i8", list(ys)}, {"i9", list(owners)},
            {"i10", list(types)}, {"i11", list(bases)}, {"i12", list(bases)}, {"i13", list(bases)},
            {"i14", list(bases)}, {"i15", list(bases)}, {"skarte", "7"}, {"i16", list(shields)},
            {"i17", list(forts)}};
}

Pairs gamePairs(const std::string& name, const std::vector<Ship>& ships, const Pairs& extra) {
    std::vector<int> type, docked, location, fleet, x, y, hull, shield, firepower;
    std::string route;
    int highest = 0;
    for (const Ship& s : ships) {
        type.push_back(s.type);
        docked.push_back(s.docked);
        location.push_back(s.location);
        fleet.push_back(s.fleet);
        x.push_back(s.x);
        y.push_back(s.y);
        hull.push_back(s.hull);
        shield.push_back(s.shield);
        firepower.push_back(s.firepower);
        route += ',' + s.route;
        highest = std::max(highest, s.fleet);
    }
    const bool any = !ships.empty();
    Pairs pairs = {{"infos", "spiel"}, {"i1", name}, {"si1", list(type)}, {"si2", list(docked)},
                   {"si3", list(location)}, {"si4", route}, {"si5", list(fleet)}, {"si6", list(x)},
                   {"si7", list(y)}, {"si0", any ? "ok" : "nok"}, {"si8", std::to_string(highest)},
                   {"hvertrag", "0,0,0,0"}, {"si9", std::to_string(ships.size())}, {"si10", list(hull)},
                   {"si11", list(shield)}, {"si12", list(firepower)}};
    pairs.insert(pairs.end(), extra.begin(), extra.end());
    return pairs;
}

Game startGame(const Send& send, int players, int stars, const std::string& namePrefix) {
    Game game;
    game.stars = stars;
    for (int n = 1; n <= players; ++n) {
        game.names.push_back(namePrefix + std::to_string(n));
        if (send("", loginPairs(game.names.back())) != "loginok") throw std::runtime_error("login failed");
    }
    const std::string created = send("", createPairs("Partie", players, stars));
    game.sessionId = record(created, "sid");
    send(game.sessionId, lobbyPairs(game.names[0], 0, 1, 0, stars));
    for (int n = 2; n <= players; ++n) send(game.sessionId, joinPairs(game.names[n - 1]));
    for (int n = 1; n <= players; ++n) send(game.sessionId, lobbyPairs(game.names[n - 1], 0, n, 1));
    const std::string started = send(game.sessionId, uploadPairs(game.names[0], 1, players, stars));
    if (started.rfind("channel;;1;;", 0) != 0) throw std::runtime_error("game did not start: " + started);
    return game;
}

}  // namespace qz::server::test

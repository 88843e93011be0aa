#include "realistic_game.hpp"

namespace qz::server::bench {

std::vector<test::Ship> fleetOf(int slot, int step) {
    std::vector<test::Ship> ships;
    for (int i = 0; i < kShipsPerPlayer; ++i) {
        test::Ship s;
        s.type = 1 + (i * 7 + slot) % 8;
        s.hull = 100 + (i * 37) % 400;
        s.shield = (i * 13) % 150;
        s.firepower = 10 + (i * 11) % 90;
        s.fleet = 1 + i / 5;
        if (i % 3 == 0) {
            s.docked = slot;  // in the home hangar
        } else if (i % 3 == 1) {
            s.location = 10 + (i % 40);  // standing at a system; players meet at the same ones
            s.x = 40 * s.location - 16;
            s.y = 30 * s.location + 4;
        } else {
            s.x = 300 + i * 9 + slot * 50 + 2 * step;  // in flight
            s.y = 200 + i * 7 + step;
            const std::string route = "1112223334445556667778889";
            s.route = route.substr(static_cast<std::size_t>(step / 4) % (route.size() - 1));
        }
        ships.push_back(s);
    }
    return ships;
}

test::Pairs realisticPoll(const test::Game& game, int slot, int step) {
    const std::string name = game.names[static_cast<std::size_t>(slot - 1)];
    return test::gamePairs(name, fleetOf(slot, step),
                           {{"hwege", ",30,31,30,32,30,33"},
                            {"hvertrag", "0,0,0,0"},
                            {"pi1", std::string(1, ',') += std::to_string(slot)},
                            {"pi2", ",0"},  // a game just started: no shield research yet
                            {"pi3", ",5000"}});
}

test::Game prepareRealisticGame(const test::Send& send) {
    test::Game game = test::startGame(send, kPlayers, kStars);
    for (int slot = 1; slot <= kPlayers; ++slot) send(game.sessionId, realisticPoll(game, slot));
    return game;
}

}  // namespace qz::server::bench

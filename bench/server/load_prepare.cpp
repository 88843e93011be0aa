// Prepares a load run against a running qz-server: sets up the realistic four-player game
// and writes player 1's request body and the server's reply to files for the load tool;
// with a fourth file, also the body of player 1's next poll, its fleets in flight moved on,
// so that a load alternating the two changes the game at every request.
#include "http_client.hpp"
#include "realistic_game.hpp"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>

using namespace qz::server;

int main(int argc, char** argv) {
    if (argc != 4 && argc != 5) {
        std::cerr << "usage: qz_server_load_prepare PORT BODY_FILE REPLY_FILE [MOVED_BODY_FILE]\n";
        return 2;
    }
    const int port = std::atoi(argv[1]);
    const test::Send send = [port](const std::string& sessionId, const test::Pairs& pairs) {
        return test::post(port, sessionId, pairs);
    };
    const test::Game game = bench::prepareRealisticGame(send);
    const test::Pairs poll = bench::realisticPoll(game, 1);
    std::ofstream(argv[2], std::ios::binary) << test::formBody(poll);
    if (argc == 5) std::ofstream(argv[4], std::ios::binary) << test::formBody(bench::realisticPoll(game, 1, 1));
    const std::string response =
        test::roundTrip(port, test::gameRequest("127.0.0.1", port, game.sessionId, poll));
    std::ofstream(argv[3], std::ios::binary) << response.substr(response.find("\r\n\r\n") + 4);
    std::cout << game.sessionId << "\n";
    return 0;
}

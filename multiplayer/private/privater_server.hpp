// The player's own qz-server for a game against the computer: it listens on 127.0.0.1 only,
// on a port the system picks free, so nothing outside this machine can reach it, and serves only
// requests that carry its key, a random one per game that the game and its computer players
// learn through the environment: every other account on this machine shares the loopback
// address, and could otherwise log in as the player, take its seat or read its private
// block. It keeps its
// database and log in the player's data folder, the database fresh for every game (the logins
// of the player and the computer players register again at their first login, with the
// passwords the game and qz-bot keep). It ends with the object that started it.
#pragma once

#include "platform/dateisperre.hpp"
#include "platform/kindprozess.hpp"

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>

namespace qz {

// The environment variable through which the private server and its computer players learn
// the key; only the own account can read a process's environment.
inline constexpr const char* kSchluesselVariable = "QZ_SERVER_KEY";

class PrivaterServer {
public:
    // Starts `programm` with a new database and its log in `ordner` (made when missing; a
    // database left there is removed) and waits up
    // to `frist` for the port it listens on. Throws std::runtime_error with the reason (the
    // program's log when it ended at start), leaving nothing running.
    PrivaterServer(const std::filesystem::path& programm, const std::filesystem::path& ordner,
                   std::chrono::milliseconds frist = std::chrono::seconds(10));

    int port() const { return port_; }
    // The key every request to it must carry.
    const std::string& schluessel() const { return schluessel_; }
    std::string adresse() const { return "127.0.0.1:" + std::to_string(port_); }
    pid_t kennung() const { return prozess_.kennung(); }
    bool beenden() { return prozess_.beenden(); }
    // False once the server has ended, on its own or by beenden().
    bool laeuft() { return prozess_.laeuft(); }

private:
    // The shared lock on the folder while its server runs; declared first, so it is released
    // only after the server has ended.
    std::optional<Dateisperre> sperre_;
    Kindprozess prozess_;
    int port_ = 0;
    std::string schluessel_;
};

// The folder of the private server: $XDG_DATA_HOME/qz/privater-server.
std::filesystem::path privaterServerOrdner();

// The qz-server to start: the one beside the game's executable (the build tree), else the one
// of the installation the game belongs to; nothing when neither exists.
std::optional<std::filesystem::path> serverProgramm();
// The same for qz-bot.
std::optional<std::filesystem::path> computerspielerProgramm();

// Starts a computer player for one seat: `programm` logs in as `name` at `server`
// ("HOST:PORT") and plays in the channel of session `sitzung` at `stufe` (leicht, mittel or
// schwer). Its password is kept under that name in the player's configuration folder by the
// program itself. Its log lines are appended to `protokoll`. `schluessel` is the private
// server's key (through the environment, never the command line, which every account can
// read), empty for any other.
Kindprozess starteComputerspieler(const std::filesystem::path& programm, const std::string& server,
                                  const std::string& sitzung, const std::string& stufe, const std::string& name,
                                  const std::filesystem::path& protokoll, const std::string& schluessel = {});

}  // namespace qz

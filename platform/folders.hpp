// Where the game finds its read-only data (material/, sound/) and where it keeps what it
// writes: saves, the settings file and the error report. The program sets the folders once at
// start-up, before any thread runs; everything else only reads them. Until then they are the
// working folder, which is what tests and tools that never call setFolders() work in.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace qz {

struct Folders {
    std::filesystem::path data = ".";                        // holds material/ and sound/
    std::filesystem::path saves = "./spielstaende";          // the save slots
    std::filesystem::path mehrspieler;                       // the own part of running multiplayer
                                                             // games; empty: nothing is kept
    std::filesystem::path settings;                          // qz.conf; empty: nothing is kept
    std::filesystem::path errorReport = "./fehlerbericht.txt";
};

const Folders& folders();
void setFolders(Folders folders);

// A data file by its path below the data folder, e.g. "material/2/1.orn-games".
std::string dataFile(std::string_view relative);

// The file name of the program `name` on this system: "qz-server", or "qz-server.exe" on Windows.
std::string programmName(std::string_view name);

// The folder of the running executable; empty when the system does not tell.
std::filesystem::path executableFolder();

// The first candidate holding both material/ and sound/; empty when none does.
std::filesystem::path firstDataFolder(const std::vector<std::filesystem::path>& candidates);

// Where this program looks for its data, in order: beside the executable (the build tree),
// the data folder of an installation relative to the executable (a tree installed under any
// prefix), and the data folder of the configured installation prefix.
std::vector<std::filesystem::path> dataFolderCandidates();

// The XDG base folders with their fall-backs below $HOME (or the account's home when HOME is
// unset): a variable that is unset, empty or not an absolute path counts as unset.
std::filesystem::path xdgDataHome();    // $XDG_DATA_HOME, else ~/.local/share
std::filesystem::path xdgConfigHome();  // $XDG_CONFIG_HOME, else ~/.config
std::filesystem::path xdgStateHome();   // $XDG_STATE_HOME, else ~/.local/state

// The folders of the game on a desktop: the data as found among the candidates (the
// executable's folder when none holds it, so the missing pictures are reported there), saves
// in $XDG_DATA_HOME/qz/spielstaende, the own part of multiplayer games in
// $XDG_DATA_HOME/qz/mehrspieler, the settings in $XDG_CONFIG_HOME/qz/qz.conf and the error
// report in $XDG_STATE_HOME/qz/fehlerbericht.txt.
Folders desktopFolders();

}  // namespace qz

#include "platform/folders.hpp"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

namespace qz {

namespace {

Folders gFolders;

std::filesystem::path home()
{
    const char* value = std::getenv("HOME");
    if (value && *value) return value;
    // A desktop session always sets HOME; a service or a bare cron job may not.
    const passwd* account = getpwuid(getuid());
    return account && account->pw_dir ? account->pw_dir : "/";
}

std::filesystem::path xdgFolder(const char* variable, const char* fallBack)
{
    const char* value = std::getenv(variable);
    // A relative path would depend on the working folder; the XDG rules say to ignore it.
    if (value && *value == '/') return value;
    return home() / fallBack;
}

}  // namespace

const Folders& folders() { return gFolders; }

void setFolders(Folders folders) { gFolders = std::move(folders); }

std::string dataFile(std::string_view relative) { return (gFolders.data / relative).string(); }

std::filesystem::path executableFolder()
{
    std::error_code fehler;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", fehler);
    return fehler ? std::filesystem::path() : exe.parent_path();
}

std::filesystem::path firstDataFolder(const std::vector<std::filesystem::path>& candidates)
{
    for (const auto& folder : candidates) {
        std::error_code fehler;
        if (!folder.empty() && std::filesystem::is_directory(folder / "material", fehler) &&
            std::filesystem::is_directory(folder / "sound", fehler))
            return folder;
    }
    return {};
}

std::vector<std::filesystem::path> dataFolderCandidates()
{
    const std::filesystem::path exe = executableFolder();
    std::vector<std::filesystem::path> candidates;
    if (!exe.empty()) {
        candidates.push_back(exe);
        candidates.push_back((exe / QZ_INSTALLED_DATA_FROM_GAMES).lexically_normal());
    }
    candidates.emplace_back(QZ_INSTALLED_DATA_DIR);
    return candidates;
}

std::filesystem::path xdgDataHome() { return xdgFolder("XDG_DATA_HOME", ".local/share"); }
std::filesystem::path xdgConfigHome() { return xdgFolder("XDG_CONFIG_HOME", ".config"); }
std::filesystem::path xdgStateHome() { return xdgFolder("XDG_STATE_HOME", ".local/state"); }

Folders desktopFolders()
{
    Folders f;
    f.data = firstDataFolder(dataFolderCandidates());
    if (f.data.empty()) f.data = executableFolder();
    f.saves = xdgDataHome() / "qz" / "spielstaende";
    f.mehrspieler = xdgDataHome() / "qz" / "mehrspieler";
    f.settings = xdgConfigHome() / "qz" / "qz.conf";
    f.errorReport = xdgStateHome() / "qz" / "fehlerbericht.txt";
    return f;
}

}  // namespace qz

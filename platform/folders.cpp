#include "platform/folders.hpp"

#ifdef _WIN32
#include <windows.h>
#else
#include <pwd.h>
#include <unistd.h>
#endif

#include <cstdlib>

namespace qz {

namespace {

Folders gFolders;

#ifdef _WIN32
// A folder the system names in an environment variable (%APPDATA%, %LOCALAPPDATA%), read in
// its own characters; the user's profile stands in when it is unset or not absolute.
std::filesystem::path windowsFolder(const wchar_t* variable)
{
    wchar_t value[32768];
    const DWORD n = GetEnvironmentVariableW(variable, value, 32768);
    if (n > 0 && n < 32768) {
        const std::filesystem::path folder(value);
        if (folder.is_absolute()) return folder;
    }
    const DWORD m = GetEnvironmentVariableW(L"USERPROFILE", value, 32768);
    return m > 0 && m < 32768 ? std::filesystem::path(value) : std::filesystem::path(L"C:\\");
}

// Where the game keeps its own files on Windows, below the system's folders for them.
std::filesystem::path roamingFolder() { return windowsFolder(L"APPDATA") / "QZ"; }
std::filesystem::path localFolder() { return windowsFolder(L"LOCALAPPDATA") / "QZ"; }
#else
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
#endif

}  // namespace

const Folders& folders() { return gFolders; }

void setFolders(Folders folders) { gFolders = std::move(folders); }

std::string dataFile(std::string_view relative) { return (gFolders.data / relative).string(); }

std::string programmName(std::string_view name)
{
#ifdef _WIN32
    return std::string(name) + ".exe";
#else
    return std::string(name);
#endif
}

std::filesystem::path executableFolder()
{
#ifdef _WIN32
    std::wstring name(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
        if (n == 0) return {};
        if (n < name.size()) return std::filesystem::path(name.substr(0, n)).parent_path();
        name.resize(name.size() * 2);
    }
#else
    std::error_code fehler;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", fehler);
    return fehler ? std::filesystem::path() : exe.parent_path();
#endif
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

#ifdef _WIN32
// On Windows the data and the settings roam with the player's account (%APPDATA%), the state
// stays on the machine (%LOCALAPPDATA%).
std::filesystem::path xdgDataHome() { return windowsFolder(L"APPDATA"); }
std::filesystem::path xdgConfigHome() { return windowsFolder(L"APPDATA"); }
std::filesystem::path xdgStateHome() { return windowsFolder(L"LOCALAPPDATA"); }
#else
std::filesystem::path xdgDataHome() { return xdgFolder("XDG_DATA_HOME", ".local/share"); }
std::filesystem::path xdgConfigHome() { return xdgFolder("XDG_CONFIG_HOME", ".config"); }
std::filesystem::path xdgStateHome() { return xdgFolder("XDG_STATE_HOME", ".local/state"); }
#endif

Folders desktopFolders()
{
    Folders f;
    f.data = firstDataFolder(dataFolderCandidates());
    if (f.data.empty()) f.data = executableFolder();
#ifdef _WIN32
    f.saves = roamingFolder() / "spielstaende";
    f.mehrspieler = roamingFolder() / "mehrspieler";
    f.settings = roamingFolder() / "qz.conf";
    f.errorReport = localFolder() / "fehlerbericht.txt";
#else
    f.saves = xdgDataHome() / "qz" / "spielstaende";
    f.mehrspieler = xdgDataHome() / "qz" / "mehrspieler";
    f.settings = xdgConfigHome() / "qz" / "qz.conf";
    f.errorReport = xdgStateHome() / "qz" / "fehlerbericht.txt";
#endif
    return f;
}

}  // namespace qz

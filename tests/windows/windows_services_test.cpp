// The platform services' Windows side: folders below %APPDATA% and %LOCALAPPDATA%, a file
// replaced in place, locks shared and exclusive, and child programs with their arguments
// passed through unharmed and ended on request.
#include "platform/datei.hpp"
#include "platform/dateisperre.hpp"
#include "platform/folders.hpp"
#include "platform/kindprozess.hpp"

#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace qz {
namespace {

namespace fs = std::filesystem;

// Sets an environment variable for one test and puts the old value back.
class Umgebung {
public:
    Umgebung(const wchar_t* name, const wchar_t* wert) : name_(name)
    {
        wchar_t alt[32768];
        const DWORD n = GetEnvironmentVariableW(name, alt, 32768);
        if (n > 0 && n < 32768) alt_ = std::wstring(alt, n);
        SetEnvironmentVariableW(name, wert);
    }
    ~Umgebung() { SetEnvironmentVariableW(name_, alt_ ? alt_->c_str() : nullptr); }
    Umgebung(const Umgebung&) = delete;
    Umgebung& operator=(const Umgebung&) = delete;

private:
    const wchar_t* name_;
    std::optional<std::wstring> alt_;
};

TEST(WindowsFolders, SavesAndSettingsRoamTheErrorReportStaysOnTheMachine)
{
    const Umgebung roaming(L"APPDATA", L"C:\\Nutzer\\Roaming");
    const Umgebung lokal(L"LOCALAPPDATA", L"C:\\Nutzer\\Local");
    const Folders f = desktopFolders();
    EXPECT_EQ(f.saves, fs::path(L"C:\\Nutzer\\Roaming\\QZ\\spielstaende"));
    EXPECT_EQ(f.settings, fs::path(L"C:\\Nutzer\\Roaming\\QZ\\qz.conf"));
    EXPECT_EQ(f.mehrspieler, fs::path(L"C:\\Nutzer\\Roaming\\QZ\\mehrspieler"));
    EXPECT_EQ(f.errorReport, fs::path(L"C:\\Nutzer\\Local\\QZ\\fehlerbericht.txt"));
    EXPECT_EQ(xdgDataHome(), fs::path(L"C:\\Nutzer\\Roaming"));
}

TEST(WindowsFolders, ARelativeAppDataFallsBackToTheProfile)
{
    const Umgebung roaming(L"APPDATA", L"relativ");
    const Umgebung profil(L"USERPROFILE", L"C:\\Nutzer");
    EXPECT_EQ(desktopFolders().saves, fs::path(L"C:\\Nutzer\\QZ\\spielstaende"));
}

TEST(WindowsFiles, AReplacedFileHoldsTheNewContentAndNothingIsLeftBeside)
{
    const fs::path ordner = fs::current_path() / "ersetzen";
    fs::create_directories(ordner);
    const fs::path ziel = ordner / "spielstand1.qz";
    ASSERT_TRUE(dateiErsetzen(ziel, "alt"));
    ASSERT_TRUE(dateiErsetzen(ziel, std::string(100000, 'n')));
    EXPECT_EQ(dateiLesen(ziel), std::string(100000, 'n'));
    EXPECT_EQ(std::distance(fs::directory_iterator(ordner), fs::directory_iterator()), 1);
    EXPECT_FALSE(dateiErsetzen(ordner / "fehlt" / "x.qz", "x"));
    EXPECT_FALSE(dateiLesen(ordner / "fehlt.qz").has_value());
    fs::remove_all(ordner);
}

TEST(WindowsLocks, AnExclusiveLockShutsOutEveryOtherAndASharedOneOnlyTheExclusive)
{
    const fs::path datei = fs::current_path() / "sperre.lock";
    {
        Dateisperre a(datei), b(datei);
        ASSERT_TRUE(a.offen());
        ASSERT_TRUE(a.exklusiv());
        EXPECT_FALSE(b.exklusiv(false));
        ASSERT_TRUE(a.geteilt());
        EXPECT_FALSE(b.exklusiv(false));
        EXPECT_TRUE(b.geteilt());
    }
    Dateisperre c(datei);
    EXPECT_TRUE(c.exklusiv(false));  // the locks went with their objects
    fs::remove(datei);
}

fs::path helfer() { return executableFolder() / "kind_helfer.exe"; }

TEST(WindowsProcesses, ArgumentsArriveAsTheyWereGivenAndTheLogGetsTheOutput)
{
    const fs::path log = fs::current_path() / "kind.log";
    const std::vector<std::string> argumente = {"0", "zwei Woerter", "\"zitiert\"", "C:\\Pfad\\", "", "a\\\\\"b"};
    Kindprozess kind(helfer(), argumente, log);
    const auto ende = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (kind.laeuft() && std::chrono::steady_clock::now() < ende)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_TRUE(kind.beenden());  // ended by itself with exit code 0
    std::string erwartet;
    for (const std::string& a : argumente) erwartet += a + "\r\n";
    EXPECT_EQ(dateiLesen(log), erwartet);
    fs::remove(log);
}

TEST(WindowsProcesses, AskedToEndAChildEndsOnItsOwnTermsOneThatDoesNotIsEndedAndAMissingProgramIsAnError)
{
    const fs::path log = fs::current_path() / "stur.log";
    Kindprozess gefragt(helfer(), {"bitte"}, log);
    EXPECT_TRUE(gefragt.laeuft());
    gefragt.anstossen();
    EXPECT_TRUE(gefragt.beenden(std::chrono::seconds(20)));  // exit code 0: it saw the request
    EXPECT_EQ(dateiLesen(log), "bitte\r\ngebeten\r\n");
    Kindprozess kind(helfer(), {"60"}, log);
    EXPECT_TRUE(kind.laeuft());
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(kind.beenden(std::chrono::milliseconds(500)));
    EXPECT_FALSE(kind.laeuft());
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
    EXPECT_THROW(Kindprozess(executableFolder() / "fehlt.exe", {}, log), std::runtime_error);
    fs::remove(log);
}

}  // namespace
}  // namespace qz

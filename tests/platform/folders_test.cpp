// The game's folders: the XDG variables and their fall-backs below HOME, the data folder among
// its candidates, and the error report in a state folder that does not exist yet.
#include "platform/errors.hpp"
#include "datei_inhalt.hpp"
#include "platform/folders.hpp"
#include "umgebung.hpp"

#include <gtest/gtest.h>

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>

namespace qz {
namespace {

namespace fs = std::filesystem;

using test::Umgebung;

struct Ordnertest : ::testing::Test {
    fs::path tmp = fs::temp_directory_path() / ("qz-ordner-" + std::to_string(::getpid()));
    Folders vorher = folders();
    void SetUp() override { fs::create_directories(tmp); }
    void TearDown() override
    {
        setFolders(vorher);
        fs::remove_all(tmp);
    }
};

TEST_F(Ordnertest, XdgVariablesAreUsedWhenAbsoluteAndOtherwiseFallBackBelowHome)
{
    Umgebung env;
    const std::string home = (tmp / "home").string(), xdg = (tmp / "xdg").string();
    env.setzen("HOME", home.c_str());
    struct Fall {
        const char* wert;  // the same value for all three variables; nullptr: unset
        fs::path daten, einstellungen, bericht;
    };
    const Fall faelle[] = {
        {nullptr, tmp / "home/.local/share/qz/spielstaende", tmp / "home/.config/qz/qz.conf",
         tmp / "home/.local/state/qz/fehlerbericht.txt"},
        {"", tmp / "home/.local/share/qz/spielstaende", tmp / "home/.config/qz/qz.conf",
         tmp / "home/.local/state/qz/fehlerbericht.txt"},
        // a relative path would depend on the working folder: ignored
        {"xdg", tmp / "home/.local/share/qz/spielstaende", tmp / "home/.config/qz/qz.conf",
         tmp / "home/.local/state/qz/fehlerbericht.txt"},
        {xdg.c_str(), tmp / "xdg/qz/spielstaende", tmp / "xdg/qz/qz.conf", tmp / "xdg/qz/fehlerbericht.txt"},
    };
    for (const Fall& fall : faelle) {
        for (const char* name : {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_STATE_HOME"}) env.setzen(name, fall.wert);
        const Folders f = desktopFolders();
        const std::string wert = fall.wert ? fall.wert : "(unset)";
        EXPECT_EQ(f.saves, fall.daten) << wert;
        EXPECT_EQ(f.mehrspieler, fall.daten.parent_path() / "mehrspieler") << wert;
        EXPECT_EQ(f.settings, fall.einstellungen) << wert;
        EXPECT_EQ(f.errorReport, fall.bericht) << wert;
    }

    // Without HOME the account's home folder stands in.
    env.setzen("HOME", nullptr);
    env.setzen("XDG_CONFIG_HOME", nullptr);
    const passwd* konto = getpwuid(getuid());
    ASSERT_NE(konto, nullptr);
    EXPECT_EQ(desktopFolders().settings, fs::path(konto->pw_dir) / ".config/qz/qz.conf");
}

TEST_F(Ordnertest, TheDataFolderIsTheFirstCandidateHoldingPicturesAndSounds)
{
    const fs::path nurBilder = tmp / "nur_bilder", beides = tmp / "beides", auchBeides = tmp / "auch_beides";
    fs::create_directories(nurBilder / "material");
    for (const fs::path& p : {beides, auchBeides}) {
        fs::create_directories(p / "material");
        fs::create_directories(p / "sound");
    }
    EXPECT_EQ(firstDataFolder({"", tmp / "fehlt", nurBilder, beides, auchBeides}), beides);
    EXPECT_EQ(firstDataFolder({nurBilder, tmp / "fehlt"}), fs::path());

    // Found by absolute path, a data file does not depend on the working folder.
    Folders f;
    f.data = beides;
    setFolders(f);
    std::ofstream(beides / "material" / "1.orn-games") << "x";
    const fs::path arbeit = fs::current_path();
    fs::current_path(tmp / "nur_bilder");
    const bool gefunden = fs::exists(dataFile("material/1.orn-games"));
    fs::current_path(arbeit);
    EXPECT_TRUE(gefunden);
    EXPECT_EQ(dataFolderCandidates().front(), executableFolder());
}

TEST_F(Ordnertest, TheErrorReportMakesItsStateFolder)
{
    Folders f;
    f.errorReport = tmp / "state/qz/fehlerbericht.txt";
    setFolders(f);
    guarded([] { raiseError(kNullPointer); });
    const std::string bericht = test::dateiInhalt(f.errorReport);
    EXPECT_EQ(bericht.rfind("\"Fehler: 7, folders_test.cpp, ", 0), 0u) << bericht;
}

}  // namespace
}  // namespace qz

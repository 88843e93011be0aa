// The computer players the game starts: the logins they get, and how they end, all of them at
// once when the player leaves, each one as soon as it ends by itself.
#include "multiplayer/private/computerspiel.hpp"
#include "multiplayer/screens/computer_kanal.hpp"
#include "../screens/mp_fixture.hpp"
#include "temporary_directory.hpp"

#include <filesystem>
#include <fstream>
#include <set>
#include <thread>

namespace qz {
namespace {

// The rules a login meets on the server and in qz-bot's command line.
bool gueltigerName(const std::string& name)
{
    return !name.empty() && name.size() <= 15 && name.find_first_of(",;#:") == std::string::npos;
}

TEST(Computerspiel, ComputerNamesAreValidAndApartForEveryHostAndEveryAdd)
{
    EXPECT_EQ(computerName("", 2), "Computer2");
    EXPECT_EQ(computerName("anna", 1), "anna-KI1");
    // 11 characters and "-KI1" fill the 15 exactly; a space stays as it is.
    EXPECT_EQ(computerName("Max Musterm", 1), "Max Musterm-KI1");

    // Logins too long for the whole name keep 15 - 4 - the ending's length of their start and
    // four characters taken from the whole login.
    const std::string zehnte = computerName("Max Musterm", 10);
    EXPECT_EQ(zehnte.size(), 15u) << zehnte;
    EXPECT_EQ(zehnte.substr(0, 6), "Max Mu");
    EXPECT_EQ(zehnte.substr(10), "-KI10");
    EXPECT_EQ(computerName("Max Musterm", 10), zehnte) << "the same login, the same password next time";

    const std::string a = computerName("Maximilian_Alt", 1), b = computerName("Maximilian_Ahn", 1);
    EXPECT_NE(a, b) << "hosts alike in their first 11 characters";
    EXPECT_EQ(a.substr(0, 7), "Maximil");

    std::set<std::string> namen;
    for (const std::string login : {"", "a", "Max Musterm", "Maximilian_Alt", "Maximilian_Ahn", "123456789012345"})
        for (int nummer = 1; nummer <= 12; ++nummer) {
            const std::string name = computerName(login, nummer);
            EXPECT_TRUE(gueltigerName(name)) << login << " " << nummer << ": " << name;
            namen.insert(name);
        }
    EXPECT_EQ(namen.size(), 6u * 12u);
}

struct ComputerspielEnde : MpFixture {
    test::TemporaryDirectory ordner;
    std::string datei(const std::string& name) const { return ordner.path() + "/" + name; }
    static bool bis(const std::function<bool()>& bedingung)
    {
        const auto ende = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (!bedingung()) {
            if (std::chrono::steady_clock::now() > ende) return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return true;
    }
};

TEST_F(ComputerspielEnde, LeavingAsksEveryComputerPlayerAtOnceAndWaitsOnce)
{
    // Each child, once asked to stop, waits until all three have been asked: ended one after
    // the other, the first would wait in vain until it is killed; asked at once, all three end
    // on their own terms.
    const std::string alle = "[ -e " + datei("gefragt1") + " ] && [ -e " + datei("gefragt2") + " ] && [ -e " +
                             datei("gefragt3") + " ]";
    for (int k = 1; k <= 3; ++k) {
        const std::string n = std::to_string(k);
        const std::string skript = "trap 'touch " + datei("gefragt" + n) + "; until " + alle +
                                   "; do sleep 0.01; done; touch " + datei("fertig" + n) + "; exit 0' TERM; touch " +
                                   datei("bereit" + n) + "; while :; do sleep 0.01; done";
        mp.computer.spieler.push_back({Kindprozess("/bin/sh", {"-c", skript}, datei("kind.log")), "Computer" + n});
    }
    for (int k = 1; k <= 3; ++k)
        ASSERT_TRUE(bis([&] { return std::filesystem::exists(datei("bereit" + std::to_string(k))); }));

    r.Unterzustand = "hauptmenu";  // the player left the lobby
    computerspielPruefen(r, spiel, server, mp);
    EXPECT_TRUE(mp.computer.spieler.empty());
    for (int k = 1; k <= 3; ++k) EXPECT_TRUE(std::filesystem::exists(datei("fertig" + std::to_string(k)))) << k;
}

TEST_F(ComputerspielEnde, AComputerPlayerEndingMidGameIsReapedAtOnce)
{
    spiel.spielLaeuft = 1;
    r.Unterzustand.clear();
    mp.computer.spieler.push_back({Kindprozess("/bin/true", {}, datei("kind.log")), "Computer1"});
    const pid_t pid = mp.computer.spieler[0].prozess.kennung();
    const auto zombie = [pid] {
        std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
        std::string nummer, name, zustand;
        stat >> nummer >> name >> zustand;
        return zustand;
    };
    // Gone from the process table once reaped (a zombie reads "Z" until then).
    EXPECT_TRUE(bis([&] {
        computerspielPruefen(r, spiel, server, mp);
        return zombie().empty();
    })) << zombie();
    EXPECT_EQ(mp.computer.spieler.size(), 1u) << "still the game's until the player leaves";
    EXPECT_FALSE(mp.computer.spieler[0].prozess.gescheitert());
}

}  // namespace
}  // namespace qz

// A spectator's reply applied to the kept state: entries in order move it on; an entry that
// does not fit (damaged, or changes without the state before them) drops the state, so the
// next poll asks from nothing and gets a whole one.
#include "multiplayer/exchange/zuschauen_austausch.hpp"
#include "net/base64.hpp"
#include "replay/state_codec.hpp"

#include <gtest/gtest.h>

namespace qz {
namespace {

// As the server sends an entry: base64 without padding.
std::string eintrag(const std::string& bytes)
{
    std::string text = base64Kodieren(bytes);
    while (!text.empty() && text.back() == '=') text.pop_back();
    return text;
}

struct Zustaende {
    replay::ReplayState vorher, nachher;
    Zustaende()
    {
        for (int i = 1; i <= 3; ++i) vorher.systems.push_back({"Planet " + std::to_string(i), 40 * i, 30 * i, 42, i, 0, 800, 0});
        vorher.seats[0] = {"anna", 3, false, {}};
        vorher.seats[0].texts[replay::x] = ",10,20";
        nachher = vorher;
        nachher.seats[0].texts[replay::x] = ",12,20";
    }
};

TEST(ZuschauenAntwort, EntriesInOrderMoveTheStateOnAndOnesThatDoNotFitDropIt)
{
    const Zustaende z;
    const std::string ganz = ",7:0:" + eintrag(replay::encodeFull(z.vorher));
    const std::string aenderung = ",8:1:" + eintrag(replay::encodeChanges(z.vorher, z.nachher));
    struct Fall {
        const char* was;
        std::string antwort;
        long long seit, gezeigtMs;
        const replay::ReplayState* zustand;
    };
    const replay::ReplayState leer;
    const Fall faelle[] = {
        {"a whole state and the changes after it", "zuschauen;;60;;65000;;0;;" + ganz + aenderung, 8, 65000, &z.nachher},
        {"nothing to show yet", "zuschauen;;60;;-1;;42;;", 0, -1, &leer},
        {"changes without the state before them", "zuschauen;;60;;65000;;0;;" + aenderung, 0, -1, &leer},
        {"changes that skip one", "zuschauen;;60;;65000;;0;;" + ganz + ",9" + aenderung.substr(2), 0, -1, &leer},
        {"a damaged entry", "zuschauen;;60;;65000;;0;;" + ganz.substr(0, ganz.size() - 6), 0, -1, &leer},
    };
    for (const Fall& f : faelle) {
        Zuschauen zuschauen;
        ASSERT_TRUE(zuschauenLesen(f.antwort, zuschauen)) << f.was;
        EXPECT_EQ(zuschauen.seit, f.seit) << f.was;
        EXPECT_EQ(zuschauen.gezeigtMs, f.gezeigtMs) << f.was;
        EXPECT_TRUE(zuschauen.zustand == *f.zustand) << f.was;
        EXPECT_EQ(zuschauen.verzoegerung, 60) << f.was;
    }
    Zuschauen zuschauen;
    EXPECT_FALSE(zuschauenLesen("fehler;;Zu viele Zuschauer", zuschauen));
    // A poll with nothing new keeps what the client holds.
    ASSERT_TRUE(zuschauenLesen("zuschauen;;60;;65000;;0;;" + ganz, zuschauen));
    ASSERT_TRUE(zuschauenLesen("zuschauen;;60;;67000;;0;;", zuschauen));
    EXPECT_TRUE(zuschauen.zustand == z.vorher);
    EXPECT_EQ(zuschauen.seit, 7);
    EXPECT_EQ(zuschauen.gezeigtMs, 67000);
}

}  // namespace
}  // namespace qz

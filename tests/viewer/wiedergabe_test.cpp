// The replay screen plays the committed recording: a jump to a day draws the state the reader
// gives for that day, 64x reaches the last day in a 64th of the time, "Zurück" ends it, and in
// English the screen and the server's chat lines read in English.
#include "viewer/wiedergabe_schirm.hpp"
#include "viewer/wiedergabe_karte.hpp"

#include "gezeichneter_text.hpp"
#include "gfx/text_numbers.hpp"
#include "platform/headless/headless_platform.hpp"
#include "sprache.hpp"
#include "state/spielerfarben.hpp"

#include <gtest/gtest.h>

#include <cmath>

namespace qz {
namespace {

using namespace wiedergabeflaeche;

// A stand-in ship picture of one colour per colour index, so that a drawn fleet shows whose it is.
Farbe standInFarbe(int index)
{
    const Spielerfarbe f = spielerfarbe(index);
    return rgb(f.rot, f.gruen, f.blau);
}

struct WiedergabeTest : ::testing::Test {
    HeadlessPlatform platform;
    Rahmen r{platform};
    replay::Recording aufnahme = replay::readQzrFile(std::string(QZ_REPLAY_FIXTURES) + "/zwei_spieler.qzr");
    std::unique_ptr<WiedergabeSchirm> w;

    void SetUp() override
    {
        platform.screenOpen(1024, 768, 32);
        for (int i = 1; i <= 23; ++i) r.Oberflaechenbild(i) = imageCreate(156, 25, 0xFF404040);
        Bildquellen quellen;
        quellen.jpeg = [](const std::string&) { return imageCreate(2560, 1600, 0xFF000010); };
        // ".../material/4/<index>/<type>.orn-games"
        quellen.png = [](const std::string& datei) {
            const std::size_t ende = datei.rfind('/');
            const std::size_t anfang = datei.rfind('/', ende - 1) + 1;
            return imageCreate(32, 32, standInFarbe(textToInt(datei.substr(anfang, ende - anfang))));
        };
        w = std::make_unique<WiedergabeSchirm>(aufnahme, quellen, "hauptmenu");
        wiedergabeBeginnen(r, *w);
        w->spiel->scrollX = w->spiel->scrollY = 0;
    }

    void pass(int mausereignis = 0, int x = -1, int y = -1)
    {
        r.Mausereignis = mausereignis;
        r.MausX = x;
        r.MausY = y;
        wiedergabeScreen(r, *w);
    }
    void klick(int x, int y) { pass(1, x, y); }
    void zuTag(long long tag)
    {
        const double anteil = static_cast<double>(tag) / static_cast<double>(w->wiedergabe.letzterTag());
        klick(kZeitX1 + static_cast<int>(std::lround(anteil * (kZeitX2 - kZeitX1))), (kZeitY1 + kZeitY2) / 2);
        pass();
    }
    std::string tagText(long long tag) const
    {
        return "Tag " + numberToText(tag) + " / " + numberToText(w->wiedergabe.letzterTag());
    }
};

TEST_F(WiedergabeTest, AJumpToADayDrawsTheReadersStateOfThatDay)
{
    const long long letzter = w->wiedergabe.letzterTag();
    ASSERT_GE(letzter, 14) << "the fixture's game lasts past Spieler2's return on day 14";
    // Forward, back past a full state, and the last day.
    for (long long tag : {5LL, 14LL, 2LL, 12LL, letzter}) {
        SCOPED_TRACE("day " + std::to_string(tag));
        zuTag(tag);
        const replay::ReplayState soll = aufnahme.stateOnDay(tag);
        EXPECT_TRUE(w->wiedergabe.zustand() == soll);
        EXPECT_TRUE(test::zeigtText(r.screen(), kTagX, kTagY, tagText(tag)));

        const Spielstand& spiel = *w->spiel;
        ASSERT_EQ(spiel.Sternanzahl, static_cast<int>(soll.systems.size()));
        for (int i = 1; i <= spiel.Sternanzahl; ++i)
            EXPECT_EQ(spiel.systeme.besitzer(i), soll.systems[static_cast<std::size_t>(i - 1)].owner) << "system " << i;
        // Every owned system's ring in its owner's colour (looked at on top, where no ship covers it).
        const auto aufKarte = [](int x, int y) {
            return x >= 0 && x < 1024 && y >= 0 && y < kLeisteOben && !(x >= kSpielerX && y < 120);
        };
        const auto frei = [&](int x, int y) {
            if (!aufKarte(x, y)) return false;
            for (int p = 1; p <= 4; ++p)
                for (int i = 1; i <= spiel.saetze(p).anzahl; ++i) {
                    const int sx = spiel.saetze(p).wert(kX, i), sy = spiel.saetze(p).wert(kY, i);
                    if (x >= sx && x < sx + 32 && y >= sy && y < sy + 32) return false;
                }
            return true;
        };
        int ringe = 0;
        for (const replay::StarSystem& s : soll.systems) {
            if (s.owner < 1 || !frei(s.x, s.y - 20)) continue;
            EXPECT_EQ(point(&r.screen(), s.x, s.y - 20), standInFarbe(soll.seats[static_cast<std::size_t>(s.owner - 1)].colour))
                << s.name << " at " << s.x << "," << s.y;
            ++ringe;
        }
        EXPECT_EQ(ringe, 2) << "both home planets";
        int gezeichnet = 0;
        for (int p = 1; p <= 2; ++p) {
            const replay::Seat& sitz = soll.seats[static_cast<std::size_t>(p - 1)];
            const SchiffSatz& satz = spiel.saetze(p);
            std::string x, y;
            for (int i = 1; i <= satz.anzahl; ++i) {
                x += "," + satz[kX](i);
                y += "," + satz[kY](i);
                // A ship in space of this seat: its picture, in its seat's colour, where it flies.
                const int sx = satz.wert(kX, i) + 16, sy = satz.wert(kY, i) + 16;
                if (satz.wert(kAngedockt, i) == 0 && aufKarte(sx, sy)) {
                    EXPECT_EQ(point(&r.screen(), sx, sy), standInFarbe(sitz.colour)) << "seat " << p << " ship " << i;
                    ++gezeichnet;
                }
            }
            EXPECT_EQ(x, sitz.texts[replay::x]) << "seat " << p;
            EXPECT_EQ(y, sitz.texts[replay::y]) << "seat " << p;
        }
        EXPECT_GT(gezeichnet, 0) << "no fleet on screen to look at";

        // The chat as it stood that day: its newest line at the bottom.
        const replay::ChatEntry& neueste = soll.chat.back();
        const bool vonSpieler = neueste.sender >= 1 && neueste.sender <= 4;
        const std::string zeile = vonSpieler ? soll.seats[static_cast<std::size_t>(neueste.sender - 1)].name + ": " + neueste.text
                                                     : neueste.text;
        EXPECT_TRUE(test::zeigtText(r.screen(), kChatX, kChatUnten - kChatAbstand, zeile,
                                    vonSpieler ? sitzFarbe(spiel, neueste.sender) : 0xFFFFFFFF));
    }
}

TEST_F(WiedergabeTest, At64TimesTheLastDayComesAfterA64thOfItsTimeAndZurueckEndsTheReplay)
{
    const long long letzter = w->wiedergabe.letzterTag();
    klick(kTempoX + 3 * kTempoAbstand + kTempoBreite / 2, kTempoY + 10);  // "64x"
    klick(kKnopfX + 78, kAbspielenY + 12);                               // "Abspielen"
    ASSERT_TRUE(w->wiedergabe.laeuft());
    // From the first recorded moment to the first of the last day, at 64 seconds per second.
    const double soll = (static_cast<double>(letzter) * replay::kDaySeconds - w->wiedergabe.position()) / 64;
    const double schritt = 0.01;
    const double start = platform.timer();
    for (int i = 0; i < 100000 && w->wiedergabe.tag() < letzter; ++i) {
        platform.advance(schritt);
        pass();
    }
    const double gebraucht = platform.timer() - start;
    EXPECT_GE(gebraucht, soll - 1e-9);
    EXPECT_LT(gebraucht, soll + schritt + 1e-9);
    EXPECT_TRUE(test::zeigtText(r.screen(), kTagX, kTagY, tagText(letzter)));

    // At the end it stops and offers to play again.
    platform.advance(1);
    pass();
    EXPECT_FALSE(w->wiedergabe.laeuft());
    EXPECT_EQ(w->wiedergabe.position(), aufnahme.lengthSeconds());
    EXPECT_TRUE(test::zeigtText(r.screen(), kKnopfX + 78 - 9 * 4, kAbspielenY + 6, "Abspielen"));

    // Played again from the start; a gap between passes (the help covered the screen) is no jump.
    klick(kKnopfX + 78, kAbspielenY + 12);
    ASSERT_TRUE(w->wiedergabe.laeuft());
    ASSERT_EQ(w->wiedergabe.position(), 0);
    platform.advance(30);
    pass();
    EXPECT_EQ(w->wiedergabe.position(), kLaengsterSchritt * 64);

    r.Programmzustand = "wiedergabe";
    ASSERT_TRUE(r.Schiffbild(1, 2));
    klick(kKnopfX + 78, kZurueckY + 12);
    EXPECT_EQ(r.Programmzustand, "hauptmenu");
    EXPECT_FALSE(r.Schiffbild(1, 2)) << "the replay's pictures go with it";
    EXPECT_FALSE(r.Hintergrundbild);
}

TEST_F(WiedergabeTest, ReadsInEnglishWithTheServersChatLinesTranslated)
{
    test::SpracheFuerTest englisch(QZ_RUNTIME_DIR, "en");
    zuTag(14);
    // The server wrote its line in German, as the protocol carries it; the reader sees English.
    const replay::ReplayState tag14 = aufnahme.stateOnDay(14);
    ASSERT_EQ(tag14.chat.back().text, "Spieler2 ist zur\x81" "ck");
    EXPECT_TRUE(test::zeigtText(r.screen(), kChatX, kChatUnten - kChatAbstand, Text{"Spieler2 is back"}));
    EXPECT_TRUE(test::zeigtText(r.screen(), kTagX, kTagY, "Day 14 / " + numberToText(w->wiedergabe.letzterTag())));
    EXPECT_TRUE(test::zeigtText(r.screen(), centredX(kKnopfX + 78, 4), kAbspielenY + 6, "Play"));
    EXPECT_TRUE(test::zeigtText(r.screen(), kSpielerX, 8, "Recording: " + aufnahme.channel));
}

// A game recorded from its third second on (its server began recording late): the replay never
// shows the empty time before, neither at the start nor when it plays again from the end.
TEST(Wiedergabe, PlaysFromTheFirstRecordedMomentAgainAfterTheEnd)
{
    replay::ReplayState a, b;
    a.systems = {{"Heimatplanet", 10, 20, 42, 1, 0, 0, 0}};
    b = a;
    b.systems[0].owner = 2;
    replay::Recording r;
    r.entries = {{3000, replay::EntryKind::full, replay::encodeFull(a)},
                 {8000, replay::EntryKind::changes, replay::encodeChanges(a, b)}};
    Wiedergabe w(r);
    EXPECT_EQ(w.position(), 3);
    EXPECT_TRUE(w.zustand() == a);
    w.abspielen();
    w.vergehen(10);
    EXPECT_FALSE(w.laeuft());
    EXPECT_TRUE(w.zustand() == b);
    w.abspielen();
    EXPECT_EQ(w.position(), 3);
    EXPECT_TRUE(w.zustand() == a);
    w.zuTag(0);  // its last moment, 4.9995 s
    EXPECT_TRUE(w.zustand() == a);
}

}  // namespace
}  // namespace qz

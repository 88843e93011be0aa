// The pace of the main loop: a pass rests until the next frame is due, and the same game
// plays at any pass rate: one scripted sandbox minute through the real main loop, once at
// 1,000 passes per second and once at the 60 of a display, must end with the same view, the
// same fleet positions and the same number of days.
#include "frame_fixture.hpp"
#include "platform/headless/headless_platform.hpp"
#include "state/schiffslisten.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <vector>

namespace qz {
namespace {

struct Ergebnis {
    int gescrollt = 0;  // horizontal distance the view moved
    int scrollX = 0;
    int scrollY = 0;
    std::vector<int> positionen;  // x and y of each fleet's ship, every 5 s
    std::vector<int> geflogen;    // how far each fleet is from home at the end
    int tage = 0;
};

// A started program on the headless backend with stand-in pictures, playing one minute.
struct Spielminute {
    HeadlessPlatform platform;
    std::unique_ptr<Programm> programm = std::make_unique<Programm>(platform);
    int heimat = 0;

    Spielminute()
    {
        Anbindung anbindung;
        anbindung.server = [](Serverdaten&) -> RoundTrip {
            return [](const Feld<KVP>&, const Feld<KVP>&, Abbruch&) { return std::string(); };
        };
        anbindung.bildLaden = [](const std::string&) { return imageCreate(156, 25, 0xFF404040); };
        startUp(*programm, anbindung);
        // A one-pixel background: the map's scroll ranges come from their table, and the minute
        // at 1,000 passes need not copy 60,000 screens of it.
        programm->bildquellen = {[](const std::string&) { return imageCreate(1, 1, 0xFF101030); },
                                 [](const std::string&) { return imageCreate(32, 32, 0xFF00FF00); }};
    }
    ~Spielminute() { stopWorker(*programm); }

    void pass(int x, int y, int buttons = 0)
    {
        platform.moveMouse(x, y);
        platform.setButtons(buttons);
        mainLoopPass(*programm);
    }
    void click(int x, int y)
    {
        pass(x, y, 1);
        pass(x, y, 0);
    }
    // Passes until the clock reaches `ende`, the pointer resting in the middle of the map.
    void bis(double ende, int& tage)
    {
        while (platform.timer() < ende - 1e-6) {
            const double tag = programm->spiel.wirtschaft.naechsterTag;
            pass(512, 400);
            tage += programm->spiel.wirtschaft.naechsterTag != tag;
        }
    }

    // Three one-ship fleets at the home planet, each sent to a system 300 to 600 pixels away:
    // their routes are computed one after the other, and they fly for most of the minute.
    void flottenAussenden()
    {
        Spielstand& spiel = programm->spiel;
        const Sternsysteme& s = spiel.systeme;
        for (int i = 1; i <= spiel.Sternanzahl; ++i)
            if (s.besitzer(i) == 1 && s.typ(i) == 42) heimat = i;
        ASSERT_NE(heimat, 0);
        int f = 0;
        for (int ziel = 1; ziel <= spiel.Sternanzahl && f < 3; ++ziel) {
            const double d = std::hypot(s.pos(ziel, 1) - s.pos(heimat, 1), s.pos(ziel, 2) - s.pos(heimat, 2));
            if (d < 300 || d > 600) continue;
            ++f;
            std::array<long long, kSchiffsfelder> w{};
            w[kTyp] = f;
            w[kHuelle] = 500;
            w[kZiel] = ziel;
            w[kX] = s.pos(heimat, 1) - 16;
            w[kY] = s.pos(heimat, 2) - 16;
            w[kZielX] = s.pos(ziel, 1);
            w[kZielY] = s.pos(ziel, 2) + 20;
            w[kFlotte] = f;
            schiffAnhaengen(spiel.schiffe, w);
        }
        ASSERT_EQ(f, 3);
        spiel.spieler.hoechsteFlotte(1) = 3;
        schiffeSchneiden(spiel.schiffe, spiel.saetze(1));
    }

    // Starts a game at 1,000 passes per second, then plays the minute at `passes` per second:
    // a second of rest, a second holding the scroll key towards the wider side of the map, and
    // the rest of the minute watching the fleets fly.
    Ergebnis spielen(double passes)
    {
        click(512, 230);  // "Sandkasten"
        click(512, 230);  // "Neues Spiel"
        click(512, 461);  // "Spiel Starten"
        Spielstand& spiel = programm->spiel;
        flottenAussenden();
        platform.setPassRate(passes);
        const double start = platform.timer();
        const int x0 = spiel.scrollX;
        Ergebnis e;
        bis(start + 1.0, e.tage);
        const int taste = spiel.scrollX < 768 ? scan::D : scan::A;
        platform.holdKey(taste);
        bis(start + 2.0, e.tage);
        platform.releaseKey(taste);
        const SchiffSatz& satz = spiel.saetze(1);
        for (int t = 5; t <= 60; t += 5) {
            bis(start + t, e.tage);
            for (int k = 1; k <= satz.anzahl; ++k) {
                e.positionen.push_back(satz.wert(kX, k));
                e.positionen.push_back(satz.wert(kY, k));
            }
        }

        e.gescrollt = std::abs(spiel.scrollX - x0);
        e.scrollX = spiel.scrollX;
        e.scrollY = spiel.scrollY;
        for (int k = 1; k <= satz.anzahl; ++k)
            e.geflogen.push_back(static_cast<int>(std::hypot(satz.wert(kX, k) + 16 - spiel.systeme.pos(heimat, 1),
                                                             satz.wert(kY, k) + 16 - spiel.systeme.pos(heimat, 2))));
        EXPECT_EQ(programm->rahmen.Unterzustand, "");
        return e;
    }
};

using FramePacing = FrameFixture;

TEST_F(FramePacing, APassRestsUntilTheNextFrameAndAtLeastOneMillisecond)
{
    platform.setPassRate(60);
    pass(512, 400);
    double vorher = platform.timer();
    pass(512, 400);
    EXPECT_NEAR(platform.timer() - vorher, 1.0 / 60, 1e-9);
    platform.advance(0.5);  // a pass that took half a second: the next one comes 1 ms later
    vorher = platform.timer();
    pass(512, 400);
    EXPECT_NEAR(platform.timer() - vorher, 0.001, 1e-9);
    vorher = platform.timer();
    pass(512, 400);
    EXPECT_NEAR(platform.timer() - vorher, 1.0 / 60, 1e-9);
}

TEST(PassRate, AMinuteAtSixtyPassesPerSecondPlaysLikeOneAtAThousand)
{
    const Ergebnis schnell = Spielminute().spielen(1000);
    const Ergebnis langsam = Spielminute().spielen(60);

    // A second of scrolling: some 300 steps of 2 pixels, the same at both rates within a step.
    EXPECT_GE(schnell.gescrollt, 600);
    EXPECT_NEAR(langsam.scrollX, schnell.scrollX, 2);
    EXPECT_EQ(langsam.scrollY, schnell.scrollY);
    EXPECT_GE(schnell.tage, 11);
    EXPECT_EQ(langsam.tage, schnell.tage);
    ASSERT_EQ(schnell.geflogen.size(), 3u);
    for (int weg : schnell.geflogen) EXPECT_GT(weg, 100);
    ASSERT_EQ(langsam.positionen.size(), schnell.positionen.size());
    for (std::size_t i = 0; i < schnell.positionen.size(); ++i) {
        // Within one movement step: a route finished between two frames may miss one tick.
        EXPECT_NEAR(langsam.positionen[i], schnell.positionen[i], 1)
            << "second " << 5 * (i / 6 + 1) << ", fleet " << i % 6 / 2 + 1 << (i % 2 ? " y" : " x");
    }
}

}  // namespace
}  // namespace qz

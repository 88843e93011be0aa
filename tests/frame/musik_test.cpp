// The music player on the manual clock: what start-up plays, when the next track comes, which
// one it is, and what a track that fails to load does.
#include "sound_fixture.hpp"

#include <cmath>
#include <map>

namespace qz::test {
namespace {

struct Musik : SoundFixture {
    // Lets the clock run to just past the current track's end and ticks once.
    void runTrackOut()
    {
        platform.advance(r.klang.naechsterTrack - platform.timer() + 0.001);
        musikTick(r);
    }
};

TEST_F(Musik, StartUpPlaysSchwebenAtHalfVolumeAndDuesTheNextTrackAfter169Seconds)
{
    const double start = platform.timer();
    soundStart(r);
    ASSERT_EQ(calls().size(), 5u);
    EXPECT_EQ(calls()[0].what, "init");
    EXPECT_EQ(calls()[0].a, 44100);
    EXPECT_EQ(calls()[0].b, 64);  // 64 channels, no flags
    EXPECT_EQ(calls()[1].file, "./sound/Klick.mp3");
    EXPECT_EQ(calls()[2].file, "./sound/Schweben.mp3");
    EXPECT_EQ(calls()[3].what, "play");
    EXPECT_EQ(calls()[3].a, r.klang.musikSample);
    EXPECT_EQ(calls()[4].what, "volume");
    EXPECT_EQ(calls()[4].a, r.klang.musikKanal);
    EXPECT_EQ(calls()[4].b, 50);
    EXPECT_EQ(r.klang.effektLautstaerke, 50);
    EXPECT_EQ(r.klang.aktuellerTrack, 1);
    EXPECT_DOUBLE_EQ(r.klang.naechsterTrack, start + 169);
}

TEST_F(Musik, TrackRunsItsNominalLengthAndChangesOnlyOncePastIt)
{
    soundStart(r);
    const std::size_t before = calls().size();
    platform.advance(168.9);
    musikTick(r);
    platform.advance(0.1);  // exactly at the due time: not yet past it
    musikTick(r);
    EXPECT_EQ(calls().size(), before);
    EXPECT_EQ(r.klang.aktuellerTrack, 1);
    platform.advance(0.001);
    musikTick(r);
    EXPECT_NE(r.klang.aktuellerTrack, 1);
    musikTick(r);  // the new track is not replaced again in the next pass
    EXPECT_EQ(calls().size(), before + 4);
}

TEST_F(Musik, ChangeFreesTheOldTrackThenLoadsPlaysAndSetsTheMusicVolume)
{
    soundStart(r);
    const int oldSample = r.klang.musikSample;
    r.klang.musikLautstaerke = 35;
    const std::size_t before = calls().size();
    runTrackOut();
    ASSERT_EQ(calls().size(), before + 4);
    const auto* c = &calls()[before];
    EXPECT_EQ(c[0].what, "free");
    EXPECT_EQ(c[0].a, oldSample);
    EXPECT_EQ(c[1].what, "load");
    EXPECT_EQ(c[1].file, musikDatei(r.klang.aktuellerTrack));
    EXPECT_EQ(c[2].what, "play");
    EXPECT_EQ(c[2].a, r.klang.musikSample);
    EXPECT_EQ(c[3].what, "volume");
    EXPECT_EQ(c[3].a, r.klang.musikKanal);
    EXPECT_EQ(c[3].b, 35);
    EXPECT_DOUBLE_EQ(r.klang.naechsterTrack, platform.timer() + musikstueck(r.klang.aktuellerTrack).sekunden);
}

TEST_F(Musik, NeverTheSameTrackTwiceInARowAndEveryTrackComesUp)
{
    soundStart(r);
    std::map<int, int> played;
    for (int change = 0; change < 300; ++change) {
        const int previous = r.klang.aktuellerTrack;
        const double started = platform.timer();
        runTrackOut();
        ASSERT_NE(r.klang.aktuellerTrack, previous) << "change " << change;
        ASSERT_GE(r.klang.aktuellerTrack, 1);
        ASSERT_LE(r.klang.aktuellerTrack, 5);
        // The previous track was given exactly its nominal length.
        EXPECT_NEAR(platform.timer() - started, musikstueck(previous).sekunden, 0.01);
        ++played[r.klang.aktuellerTrack];
    }
    EXPECT_EQ(played.size(), 5u);
    for (const auto& [track, count] : played) EXPECT_GT(count, 30) << track;
}

TEST_F(Musik, NextTrackIsTheFirstDrawThatDiffersFromTheCurrentOne)
{
    // A twin generator with the same seed predicts the draws: floor(RND * 5 + 1), redrawn
    // while it equals the current track.
    ScriptedPlatform twin;
    platform.randomize(7.5);
    twin.randomize(7.5);
    soundStart(r);
    int current = 1;
    for (int change = 0; change < 50; ++change) {
        int expected = static_cast<int>(std::floor(twin.rnd() * 5 + 1));
        while (expected == current) expected = static_cast<int>(std::floor(twin.rnd() * 5 + 1));
        runTrackOut();
        ASSERT_EQ(r.klang.aktuellerTrack, expected);
        current = expected;
    }
}

TEST_F(Musik, TrackThatFailsToLoadSilencesTheMusicForTheRestOfTheRun)
{
    for (int k = 2; k <= 5; ++k) platform.scripted().failing.insert(musikDatei(k));
    soundStart(r);
    runTrackOut();
    EXPECT_EQ(r.klang.musikSample, 0);
    EXPECT_EQ(r.klang.musikKanal, 0);
    const std::size_t after = calls().size();
    for (int pass = 0; pass < 10; ++pass) {
        platform.advance(400);
        musikTick(r);
    }
    EXPECT_EQ(calls().size(), after);
}

TEST_F(Musik, ShutdownFreesTheMusicThenTheClick)
{
    soundStart(r);
    const int music = r.klang.musikSample, click = r.klang.klickSample;
    calls().clear();
    soundShutdown(r);
    ASSERT_EQ(calls().size(), 2u);
    EXPECT_EQ(calls()[0].what, "free");
    EXPECT_EQ(calls()[0].a, music);
    EXPECT_EQ(calls()[1].a, click);
}

TEST_F(Musik, ClickPlaysAtTheEffectVolume)
{
    soundStart(r);
    r.klang.effektLautstaerke = 15;
    calls().clear();
    playClick(r);
    ASSERT_EQ(calls().size(), 2u);
    EXPECT_EQ(calls()[0].what, "play");
    EXPECT_EQ(calls()[0].a, r.klang.klickSample);
    EXPECT_EQ(calls()[1].what, "volume");
    EXPECT_EQ(calls()[1].a, calls()[0].b);
    EXPECT_EQ(calls()[1].b, 15);
}

}  // namespace
}  // namespace qz::test

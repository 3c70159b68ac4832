#include "engine/audio/MixMusic.h"

#include "tests/audio/MixerTestSupport.h"

using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;

class MixMusicTest : public MixerFixture {};

TEST_F(MixMusicTest, TrackThatFailedToLoadNamesItsFileAndStillStopsTheCurrentOne)
{
    MixMusic good(cdWav("good.wav", 1000));
    ASSERT_TRUE(good.isLoaded());
    ASSERT_EQ(good.play(-1), 0);
    ASSERT_NE(Mix_PlayingMusic(), 0);

    const std::string path = tempFile("missing.ogg");
    CaptureStdout();
    MixMusic missing(path);
    const std::string out = GetCapturedStdout();
    EXPECT_EQ(out.rfind("error: Mix_LoadMUS: " + path + ": ", 0), 0u) << out;
    EXPECT_EQ(out.find('\n'), out.size() - 1) << "exactly one line expected: " << out;
    EXPECT_FALSE(missing.isLoaded());

    EXPECT_EQ(missing.play(0), -1);
    EXPECT_EQ(Mix_PlayingMusic(), 0);
}

// The mixer on its own waits for a fading track to finish before it starts
// the next one; the game wants the new track at once.
TEST_F(MixMusicTest, StartingATrackCutsAFadingTrackAtOnce)
{
    MixMusic first(cdWav("first.wav", 1000));
    MixMusic second(cdWav("second.wav", 1000));
    ASSERT_EQ(first.play(-1), 0);
    // Ten minutes of fade: even at the disk driver's speed, seconds of real time.
    ASSERT_EQ(Mix_FadeOutMusic(600000), 1);
    ASSERT_EQ(Mix_FadingMusic(), MIX_FADING_OUT);

    const Uint32 start = SDL_GetTicks();
    EXPECT_EQ(second.play(-1), 0);
    EXPECT_LT(SDL_GetTicks() - start, 1000u) << "play waited for the fade";
    EXPECT_EQ(Mix_FadingMusic(), MIX_NO_FADING);
    EXPECT_NE(Mix_PlayingMusic(), 0);
}

TEST_F(MixMusicTest, OggVorbisTrackPlays)
{
    const std::string beep = generatedFixture("beep.ogg");
    if (beep.empty())
        GTEST_SKIP() << "beep.ogg not generated (tools/gen_content.py)";
    MixMusic track(beep);
    ASSERT_TRUE(track.isLoaded()) << Mix_GetError();
    EXPECT_EQ(track.play(-1), 0);
    EXPECT_NE(Mix_PlayingMusic(), 0);
}

TEST_F(MixMusicTest, RateTheMixerCannotConvertIsReportedOnceWithTheFileAndBothRates)
{
    const std::string wrong = generatedFixture("tone8k.wav");
    ASSERT_FALSE(wrong.empty()) << "run scripts/gen-content.sh";
    CaptureStdout();
    MixMusic track(wrong);
    MixMusic again(wrong);
    const std::string out = GetCapturedStdout();
    EXPECT_EQ(out.rfind("warning: music \"" + wrong + "\"", 0), 0u) << out;
    EXPECT_NE(out.find("8000 Hz"), std::string::npos) << out;
    EXPECT_NE(out.find("44100 Hz"), std::string::npos) << out;
    EXPECT_EQ(out.find('\n'), out.size() - 1) << "one line for both loads expected: " << out;
    EXPECT_TRUE(track.isLoaded());
}

TEST_F(MixMusicTest, PlayFailsOnceTheMixerCloses)
{
    MixMusic track(cdWav("track.wav", 1000));
    ASSERT_TRUE(track.isLoaded());
    Mix_CloseAudio();
    EXPECT_EQ(track.play(-1), -1);
    EXPECT_EQ(Mix_PlayingMusic(), 0);
}

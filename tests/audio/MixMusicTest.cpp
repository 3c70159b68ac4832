#include "engine/audio/MixMusic.h"

#include "engine/audio/AudioRequests.h"
#include "tests/audio/MixerTestSupport.h"

#include <chrono>
#include <future>
#include <memory>
#include <string>
#include <thread>
#include <vector>

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
// the next one; the game wants the new track at once. With the mixing
// stopped the fade never ends, so a start that waited for it would not
// return at all.
TEST_F(MixMusicTest, StartingATrackCutsAFadingTrackAtOnce)
{
    MixMusic first(cdWav("first.wav", 1000));
    MixMusic second(cdWav("second.wav", 1000));
    ASSERT_EQ(first.play(-1), 0);
    freezeMixing();
    ASSERT_EQ(Mix_FadeOutMusic(1000), 1);
    ASSERT_EQ(Mix_FadingMusic(), MIX_FADING_OUT);

    std::promise<int> played;
    std::future<int> result = played.get_future();
    std::thread start([&] { played.set_value(second.play(-1)); });
    // Minutes for a call that does not wait: only a start held by the fade
    // gets there; the mixing then runs again so that the fade ends.
    const bool returned = result.wait_for(std::chrono::minutes(2)) == std::future_status::ready;
    if (!returned)
        runMixing();
    start.join();
    EXPECT_TRUE(returned) << "play waited for the fade";
    EXPECT_EQ(result.get(), 0);
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

// A start is told with whether it worked, and the track's end after it.
TEST_F(MixMusicTest, StartsAndTheEndOfATrackAreToldToTheObserver)
{
    std::vector<AudioRequest> told;
    setAudioRequestObserver([&told](const AudioRequest& r) { told.push_back(r); });
    const std::string path = cdWav("told.wav", 1000);
    auto track = std::make_unique<MixMusic>(path);
    ASSERT_EQ(track->play(-1), 0);
    const void* source = track.get();
    track.reset();
    MixMusic missing(tempFile("missing.ogg"));
    EXPECT_EQ(missing.play(0), -1);
    setAudioRequestObserver(nullptr);

    ASSERT_EQ(told.size(), 3u);
    EXPECT_EQ(told[0].kind, AudioRequest::MusicStarted);
    EXPECT_EQ(told[0].source, source);
    EXPECT_EQ(told[0].path, path);
    EXPECT_EQ(told[0].loops, -1);
    EXPECT_TRUE(told[0].started);
    EXPECT_EQ(told[1].kind, AudioRequest::MusicFreed);
    EXPECT_EQ(told[1].source, source);
    EXPECT_EQ(told[2].kind, AudioRequest::MusicStarted);
    EXPECT_FALSE(told[2].started);
}

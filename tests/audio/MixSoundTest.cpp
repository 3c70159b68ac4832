#include "engine/audio/MixSound.h"

#include "engine/core/Log.h"
#include "tests/audio/MixerTestSupport.h"

#include <memory>
#include <string>
#include <vector>

using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;

class MixSoundTest : public MixerFixture {};

TEST_F(MixSoundTest, LengthIsTakenAtTheMixersOutputFormat)
{
    // 176,400 bytes of 16-bit stereo at 44.1 kHz: exactly one second.
    const std::string oneSecond = tempFile("tone1s.wav");
    ASSERT_TRUE(writeWav(oneSecond, 44100, 2, 16, 176400));
    EXPECT_EQ(MixSound(oneSecond).getLengthMs(), 1000);

    // 8-bit mono at 22.05 kHz is converted to the mixer's format on loading;
    // the length must not change with it.
    const std::string small = tempFile("mono8.wav");
    ASSERT_TRUE(writeWav(small, 22050, 1, 8, 22050 / 2));
    EXPECT_EQ(MixSound(small).getLengthMs(), 500);

    // Integer arithmetic truncates: 4411 frames are 100.02 ms.
    const std::string odd = tempFile("odd.wav");
    ASSERT_TRUE(writeWav(odd, 44100, 2, 16, 4411 * 4));
    EXPECT_EQ(MixSound(odd).getLengthMs(), 100);
}

TEST_F(MixSoundTest, OggVorbisFileIsDecodedWhole)
{
    const std::string beep = generatedFixture("beep.ogg");  // 100 ms
    if (beep.empty())
        GTEST_SKIP() << "beep.ogg not generated (tools/gen_content.py)";
    MixSound sound(beep);
    EXPECT_EQ(sound.getLengthMs(), 100);
    EXPECT_GE(sound.play(), 0);
}

TEST_F(MixSoundTest, FileThatCannotBeLoadedLogsOneErrorNamingItAndStaysSilent)
{
    const std::string garbage = tempFile("garbage.wav");
    {
        std::FILE* f = std::fopen(garbage.c_str(), "wb");
        ASSERT_NE(f, nullptr);
        std::fputs("this is not a sound file at all", f);
        std::fclose(f);
    }
    for (const std::string& path : {tempFile("missing.wav"), garbage}) {
        SCOPED_TRACE(path);
        const int errorsBefore = errorCount();
        CaptureStdout();
        MixSound sound(path);
        const std::string out = GetCapturedStdout();
        const std::string head = "error: Mix_LoadWAV: " + path + ": ";
        EXPECT_EQ(out.rfind(head, 0), 0u) << out;
        EXPECT_GT(out.size(), head.size() + 1) << "the reason is missing";
        EXPECT_EQ(out.find('\n'), out.size() - 1) << "exactly one line expected: " << out;
        EXPECT_EQ(errorCount(), errorsBefore + 1);

        EXPECT_EQ(sound.play(), -1);
        EXPECT_EQ(sound.playLooped(-1), -1);
        EXPECT_EQ(sound.fadeIn(-1, 100), -1);
        EXPECT_FALSE(sound.isPlaying());
        sound.fadeOut(100);
        sound.halt();
        EXPECT_EQ(sound.getLengthMs(), 0);
        EXPECT_EQ(Mix_Playing(-1), 0);
    }
}

// The mixer converts rates only by factors of two: a 48 kHz file would play
// too slowly on the 44.1 kHz mixer without a word.
TEST_F(MixSoundTest, RateTheMixerCannotConvertIsReportedOnceWithTheFileAndBothRates)
{
    const std::string wrong = generatedFixture("tone48k.ogg");
    const std::string exact = generatedFixture("tone22k.wav");
    ASSERT_FALSE(wrong.empty() || exact.empty()) << "run scripts/gen-content.sh";

    CaptureStdout();
    MixSound sound(wrong);
    const std::string out = GetCapturedStdout();
    EXPECT_EQ(out.rfind("warning: sound \"" + wrong + "\"", 0), 0u) << out;
    EXPECT_NE(out.find("48000 Hz"), std::string::npos) << out;
    EXPECT_NE(out.find("44100 Hz"), std::string::npos) << out;
    EXPECT_EQ(out.find('\n'), out.size() - 1) << out;
    EXPECT_GE(sound.play(), 0) << "the sound still plays";

    CaptureStdout();
    MixSound again(wrong);
    MixSound halfRate(exact);
    EXPECT_EQ(GetCapturedStdout(), "");
    EXPECT_EQ(halfRate.getLengthMs(), 200);
}

TEST_F(MixSoundTest, PlayingTwiceUsesTwoChannelsAndOnlyTheLatestIsControlled)
{
    freezeMixing();
    MixSound sound(cdWav("twice.wav", 1000));
    const int first = sound.play();
    const int second = sound.fadeIn(-1, 500);
    ASSERT_GE(first, 0);
    ASSERT_GE(second, 0);
    EXPECT_NE(first, second);
    EXPECT_EQ(Mix_FadingChannel(second), MIX_FADING_IN);
    EXPECT_TRUE(sound.isPlaying());

    // The mixer does not fade out a channel whose fade-in has not begun;
    // the latest play is a plain one.
    const int third = sound.playLooped(-1);
    sound.fadeOut(500);
    EXPECT_EQ(Mix_FadingChannel(third), MIX_FADING_OUT);
    EXPECT_EQ(Mix_FadingChannel(first), MIX_NO_FADING);
    sound.halt();
    EXPECT_EQ(Mix_Playing(third), 0);
    EXPECT_NE(Mix_Playing(first), 0) << "halt reached a channel the sound no longer remembers";
    EXPECT_NE(Mix_Playing(second), 0);
    EXPECT_FALSE(sound.isPlaying());
}

// The mixer keeps a finished channel's sample until the channel is reused:
// a sound must not take a later sound on its old channel for itself.
TEST_F(MixSoundTest, SoundWhoseSampleEndedLeavesTheNextSoundOnItsChannelAlone)
{
    freezeMixing();
    MixSound shortSound(cdWav("short.wav", 50));
    MixSound longSound(cdWav("long.wav", 1000));
    const int channel = shortSound.play();
    ASSERT_GE(channel, 0);
    EXPECT_TRUE(shortSound.isPlaying());
    ASSERT_TRUE(waitUntilChannelStops(channel)) << "the 50 ms sample never ended";
    EXPECT_FALSE(shortSound.isPlaying());

    // The first free channel is the one the short sound had.
    ASSERT_EQ(longSound.playLooped(-1), channel);
    EXPECT_FALSE(shortSound.isPlaying());
    shortSound.fadeOut(100);
    EXPECT_EQ(Mix_FadingChannel(channel), MIX_NO_FADING);
    shortSound.halt();
    EXPECT_NE(Mix_Playing(channel), 0);
    EXPECT_TRUE(longSound.isPlaying());

    // Before its first play a sound controls no channel at all.
    MixSound unplayed(cdWav("unplayed.wav", 1000));
    EXPECT_FALSE(unplayed.isPlaying());
    unplayed.fadeOut(100);
    EXPECT_EQ(Mix_FadingChannel(channel), MIX_NO_FADING);
    unplayed.halt();
    EXPECT_NE(Mix_Playing(channel), 0);
}

TEST_F(MixSoundTest, LoadedSoundIsSilentOnceTheMixerCloses)
{
    MixSound sound(cdWav("closed.wav", 1000));
    ASSERT_EQ(sound.getLengthMs(), 1000);
    ASSERT_GE(sound.playLooped(-1), 0);

    Mix_CloseAudio();
    EXPECT_EQ(sound.getLengthMs(), 0);
    EXPECT_FALSE(sound.isPlaying());
    sound.fadeOut(100);
    sound.halt();
    EXPECT_EQ(sound.play(), -1);
    EXPECT_EQ(sound.playLooped(2), -1);
    EXPECT_EQ(sound.fadeIn(0, 100), -1);
    // Destroyed here, after the mixer closed, as at application exit.
}

TEST(MixSoundWithoutMixer, NeverOpenedMixerGivesASilentSound)
{
    ASSERT_EQ(SDL_Init(SDL_INIT_AUDIO), 0) << SDL_GetError();
    const std::string path = ::testing::TempDir() + "quill_audio_" + std::to_string(getpid()) + "_nomixer.wav";
    ASSERT_TRUE(writeWav(path, 44100, 2, 16, 17640));

    CaptureStdout();
    auto sound = std::make_unique<MixSound>(path);
    const std::string out = GetCapturedStdout();
    EXPECT_NE(out.find("Mix_LoadWAV: " + path + ": "), std::string::npos) << out;
    EXPECT_EQ(sound->play(), -1);
    EXPECT_FALSE(sound->isPlaying());
    EXPECT_EQ(sound->getLengthMs(), 0);
    sound->halt();
    sound.reset();

    std::remove(path.c_str());
    SDL_Quit();
}

// Every request reaches the observer with the channel it concerns, also a
// halt of a play that has already ended, and the sound's end.
TEST_F(MixSoundTest, RequestsAreToldToTheObserverWithTheirChannels)
{
    std::vector<AudioRequest> told;
    setAudioRequestObserver([&told](const AudioRequest& r) { told.push_back(r); });
    freezeMixing();
    const std::string path = cdWav("told.wav", 1000);
    auto sound = std::make_unique<MixSound>(path);
    const int once = sound->play();
    const int looped = sound->playLooped(-1);
    sound->fadeOut(100);
    sound->halt();
    sound->halt();
    const void* source = sound.get();
    sound.reset();
    setAudioRequestObserver(nullptr);

    ASSERT_GE(once, 0);
    ASSERT_GE(looped, 0);
    ASSERT_EQ(told.size(), 6u);
    const AudioRequest::Kind kinds[] = {AudioRequest::SoundStarted, AudioRequest::SoundStarted,
                                        AudioRequest::SoundFadedOut, AudioRequest::SoundHalted,
                                        AudioRequest::SoundHalted,  AudioRequest::SoundFreed};
    const int channels[] = {once, looped, looped, looped, looped, looped};
    for (size_t i = 0; i < told.size(); ++i) {
        EXPECT_EQ(told[i].kind, kinds[i]) << i;
        EXPECT_EQ(told[i].channel, channels[i]) << i;
        EXPECT_EQ(told[i].source, source) << i;
        EXPECT_EQ(told[i].path, path) << i;
    }
    EXPECT_EQ(told[0].loops, 0);
    EXPECT_EQ(told[1].loops, -1);
    EXPECT_TRUE(told[1].started);
}

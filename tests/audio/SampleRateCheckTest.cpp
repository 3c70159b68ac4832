#include "engine/audio/SampleRateCheck.h"

#include "tests/audio/MixerTestSupport.h"

TEST(SampleRateCheck, MixerConvertsOnlyByFactorsOfTwo)
{
    for (long long rate : {44100LL, 22050LL, 11025LL, 88200LL, 176400LL, 44150LL})
        EXPECT_TRUE(SampleRateCheck::convertsExactly(rate, 44100)) << rate;
    for (long long rate : {48000LL, 96000LL, 32000LL, 16000LL, 8000LL, 24000LL})
        EXPECT_FALSE(SampleRateCheck::convertsExactly(rate, 44100)) << rate;
    EXPECT_TRUE(SampleRateCheck::convertsExactly(24000, 48000));
    EXPECT_TRUE(SampleRateCheck::convertsExactly(0, 44100)) << "an unknown rate is never reported";
}

// The rates of the fixtures themselves are checked through the warnings of
// MixSound and MixMusic; here what has no rate.
TEST(SampleRateCheck, OtherFilesCutHeadersAndMissingFilesHaveNoRate)
{
    const std::string notSound = generatedFixture("sheet6.txt");
    ASSERT_FALSE(notSound.empty()) << "run scripts/gen-content.sh";
    EXPECT_EQ(SampleRateCheck::readRate(notSound), 0);
    EXPECT_EQ(SampleRateCheck::readRate(::testing::TempDir() + "no_such_sound.wav"), 0);
    for (const char* cut : {"RIFF\x10\0\0\0WAVEfmt ", "OggS\0\x02\0\0\0\0\0\0\0\0\x01\0"}) {
        SDL_RWops* rw = SDL_RWFromConstMem(cut, 16);
        EXPECT_EQ(SampleRateCheck::readRate(rw), 0);
        SDL_RWclose(rw);
    }
}

#include "engine/audio/SDLSoundSystem.h"

#include "tests/audio/MixerTestSupport.h"

class SDLSoundSystemTest : public MixerFixture {};

TEST_F(SDLSoundSystemTest, VolumesReachTheMixerUnchanged)
{
    SDLSoundSystem system;
    Mix_VolumeMusic(MIX_MAX_VOLUME);
    EXPECT_EQ(system.setMusicVolume(77), MIX_MAX_VOLUME);
    EXPECT_EQ(Mix_VolumeMusic(-1), 77);
    EXPECT_EQ(system.setMusicVolume(20), 77);

    system.setSoundVolume(-1, 64);
    for (int channel = 0; channel < 16; ++channel)
        EXPECT_EQ(Mix_Volume(channel, -1), 64) << "channel " << channel;
    EXPECT_EQ(system.setSoundVolume(3, 100), 64);
    EXPECT_EQ(Mix_Volume(3, -1), 100);
    EXPECT_EQ(Mix_Volume(2, -1), 64);

    // Closed, the channel table is gone.
    Mix_CloseAudio();
    EXPECT_EQ(system.setSoundVolume(3, 10), 0);
    EXPECT_EQ(system.setSoundVolume(-1, 10), 0);
}

TEST(SDLSoundSystemWithoutMixer, VolumesAreSafeWhenTheMixerWasNeverOpened)
{
    SDLSoundSystem system;
    EXPECT_EQ(system.setSoundVolume(-1, 64), 0);
    EXPECT_EQ(system.setSoundVolume(2, 64), 0);
    system.setMusicVolume(50);
    EXPECT_EQ(system.setMusicVolume(60), 50);
}

#pragma once
// Helpers for tests that drive SDL_mixer through the disk audio driver set by
// the test environment: WAV files written on the fly, and a fixture that
// opens the mixer the way the application does.
#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

// Writes a PCM WAV file holding `dataBytes` bytes of a square wave.
inline bool writeWav(const std::string& path, int frequency, int channels, int bits, uint32_t dataBytes)
{
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    auto u32 = [f](uint32_t v) { for (int i = 0; i < 4; ++i) std::fputc((v >> (8 * i)) & 0xFF, f); };
    auto u16 = [f](uint32_t v) { std::fputc(v & 0xFF, f); std::fputc((v >> 8) & 0xFF, f); };
    const uint32_t blockAlign = static_cast<uint32_t>(channels * bits / 8);
    std::fwrite("RIFF", 1, 4, f);
    u32(36 + dataBytes);
    std::fwrite("WAVEfmt ", 1, 8, f);
    u32(16);
    u16(1);  // PCM
    u16(static_cast<uint32_t>(channels));
    u32(static_cast<uint32_t>(frequency));
    u32(static_cast<uint32_t>(frequency) * blockAlign);
    u16(blockAlign);
    u16(static_cast<uint32_t>(bits));
    std::fwrite("data", 1, 4, f);
    u32(dataBytes);
    for (uint32_t i = 0; i < dataBytes; ++i)
        std::fputc(((i / 200) % 2) ? 0x20 : 0xE0, f);
    return std::fclose(f) == 0;
}

// The path of a file in the generated fixtures folder ($QUILL_FIXTURES), or
// "" when it is not there.
inline std::string generatedFixture(const std::string& name)
{
    const char* folder = std::getenv("QUILL_FIXTURES");
    if (!folder || !*folder)
        return "";
    const std::string path = std::string(folder) + "/" + name;
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return "";
    std::fclose(f);
    return path;
}

// Opens the mixer (44100 Hz, 16-bit, stereo, 1024-sample buffer, 16 channels)
// and closes it afterwards. Files made with tempFile() are removed at the end.
class MixerFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(SDL_Init(SDL_INIT_AUDIO), 0) << SDL_GetError();
        ASSERT_EQ(Mix_OpenAudio(44100, AUDIO_S16LSB, 2, 1024), 0) << Mix_GetError();
        Mix_AllocateChannels(16);
    }

    void TearDown() override
    {
        Mix_CloseAudio();
        SDL_Quit();
        for (const std::string& path : files)
            std::remove(path.c_str());
    }

    // A path in the temporary folder, private to this process.
    std::string tempFile(const std::string& name)
    {
        files.push_back(::testing::TempDir() + "quill_audio_" + std::to_string(getpid()) + "_" + name);
        return files.back();
    }

    // A 16-bit stereo 44.1 kHz WAV lasting `ms` milliseconds.
    std::string cdWav(const std::string& name, int ms)
    {
        const std::string path = tempFile(name);
        EXPECT_TRUE(writeWav(path, 44100, 2, 16, static_cast<uint32_t>(44100 * 4 * ms / 1000)));
        return path;
    }

    // Stops the mixing thread, so whatever plays keeps playing (and fading)
    // until the test lets time run again.
    static void freezeMixing()
    {
        SDL_PauseAudio(1);
        // A mixing pass already under way holds the audio lock: wait for it.
        SDL_LockAudio();
        SDL_UnlockAudio();
    }
    static void runMixing() { SDL_PauseAudio(0); }

    // Lets the mixer run until `channel` stops; false after 60 s (the disk
    // driver mixes far faster than real time: only a sound that never ends
    // takes that long, however busy the machine).
    static bool waitUntilChannelStops(int channel)
    {
        runMixing();
        const Uint32 start = SDL_GetTicks();
        while (Mix_Playing(channel) && SDL_GetTicks() - start < 60000)
            SDL_Delay(1);
        freezeMixing();
        return !Mix_Playing(channel);
    }

private:
    std::vector<std::string> files;
};

#pragma once
// The four settings the options menu edits, as entries of the save game:
// "SOUND_VOLUME" and "MUSIC_VOLUME" (ints, 0 to 128), "FULL_SCREEN" and
// "HARDWARE_CURSOR" (chars, non-zero = on). An entry the store lacks (or a
// store that is null) reads as 0 / off and ignores writes.
#include <string>

class SaveGame;
template <typename T>
class GenericEntry;

class OptionsSettings {
public:
    static constexpr int MaxVolume = 128;

    explicit OptionsSettings(SaveGame* store);

    // A slider position (0 to 1) as a volume, truncated, and back.
    static int volumeOf(float sliderValue);
    static float sliderOf(int volume);

    int getMusicVolume() const;
    int getSoundVolume() const;
    bool isFullScreen() const;
    bool isCustomCursor() const;
    void setMusicVolume(int volume);
    void setSoundVolume(int volume);
    void setFullScreen(bool on);
    void setCustomCursor(bool on);

    // Writes every entry of the store to its file; false without a store or
    // when writing fails.
    bool save();

private:
    SaveGame* store;  // not owned
    GenericEntry<int>* music = nullptr;
    GenericEntry<int>* sound = nullptr;
    GenericEntry<char>* fullScreen = nullptr;
    GenericEntry<char>* cursor = nullptr;
};

#include "frontend/OptionsSettings.h"

#include "engine/store/GenericEntry.h"
#include "engine/store/SaveGame.h"

namespace {
template <typename T>
GenericEntry<T>* entry(SaveGame* store, const char* key)
{
    return store ? dynamic_cast<GenericEntry<T>*>(store->getEntry(key)) : nullptr;
}
} // namespace

OptionsSettings::OptionsSettings(SaveGame* saveGame)
    : store(saveGame)
    , music(entry<int>(saveGame, "MUSIC_VOLUME"))
    , sound(entry<int>(saveGame, "SOUND_VOLUME"))
    , fullScreen(entry<char>(saveGame, "FULL_SCREEN"))
    , cursor(entry<char>(saveGame, "HARDWARE_CURSOR"))
{
}

int OptionsSettings::volumeOf(float sliderValue)
{
    return static_cast<int>(sliderValue * MaxVolume);
}

float OptionsSettings::sliderOf(int volume)
{
    return static_cast<float>(volume) / MaxVolume;
}

int OptionsSettings::getMusicVolume() const
{
    return music ? music->value : 0;
}

int OptionsSettings::getSoundVolume() const
{
    return sound ? sound->value : 0;
}

bool OptionsSettings::isFullScreen() const
{
    return fullScreen && fullScreen->value != 0;
}

bool OptionsSettings::isCustomCursor() const
{
    return cursor && cursor->value != 0;
}

void OptionsSettings::setMusicVolume(int volume)
{
    if (music)
        music->value = volume;
}

void OptionsSettings::setSoundVolume(int volume)
{
    if (sound)
        sound->value = volume;
}

void OptionsSettings::setFullScreen(bool on)
{
    if (fullScreen)
        fullScreen->value = on ? 1 : 0;
}

void OptionsSettings::setCustomCursor(bool on)
{
    if (cursor)
        cursor->value = on ? 1 : 0;
}

bool OptionsSettings::save()
{
    return store && store->save();
}

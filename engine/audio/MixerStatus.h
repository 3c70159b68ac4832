#pragma once
// Whether SDL_mixer's audio device is open. Several mixer calls read freed
// channel tables (or divide by the channel count) once the mixer is closed or
// before it was ever opened; every caller in this module asks first.
bool mixerIsOpen();

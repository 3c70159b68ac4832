#pragma once
// The story screens' voices and effects by name, through the game's sound
// effect container: nothing sounds (and lengths are 0) before its list is
// loaded or for a name it does not hold.
#include <string>

class StoryVoice {
public:
    static void play(const std::string& name, bool loop = false);
    static void stop(const std::string& name);
    // Play length in ms of the name's first variant; 0 when unknown.
    static int lengthMs(const std::string& name);
};

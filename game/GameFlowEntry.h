#pragma once
// One step of the game flow: a screen type and every attribute of its
// element ("type" included), handed to the type's creator.
#include "game/ScreenCreator.h"

#include <string>

struct GameFlowEntry {
    std::string type;
    ScreenAttributes attributes;
};

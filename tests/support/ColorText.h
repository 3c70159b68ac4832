#pragma once
// Colours written out for failure messages.
#include "engine/core/Types.h"

#include <string>

// "(r,g,b)"; alpha is left out.
inline std::string describe(Color c)
{
    return "(" + std::to_string(c.r) + "," + std::to_string(c.g) + "," + std::to_string(c.b) + ")";
}

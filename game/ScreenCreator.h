#pragma once
// What the game flow needs to build a screen from a description: the
// attributes of one flow element and the function that turns them into a
// screen.
#include <functional>
#include <map>
#include <string>

class ScreenBase;

// Attribute name -> value, both as written in the XML element.
using ScreenAttributes = std::map<std::string, std::string>;

// Builds a new screen (owned by the caller, not yet shown) from the
// attributes, or returns null when they do not describe one (a required
// attribute missing). It reads the map only: an absent attribute never
// appears in it by being asked for.
using ScreenFactory = std::function<ScreenBase*(const ScreenAttributes& attributes)>;

// The registry's record of one screen type.
struct ScreenCreator {
    ScreenFactory factory;
};

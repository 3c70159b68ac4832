#pragma once
// How the game's simple screens hand over to the next screen. A screen calls
// these from its onClosed(), after reading everything it still needs: leave()
// pops (and so deletes) the screen.
#include "frontend/StoryRoutes.h"

class ScreenBase;

class ScreenRoutes {
public:
    // Shows the screen through the application: its resources are loaded and
    // it is pushed on top. Null is ignored; without an application the
    // screen cannot be shown and is deleted.
    static void show(ScreenBase* screen);
    // Pops the top screen, which is `leaving` (it is deleted), then shows
    // `next` (may be null: nothing is shown).
    static void leave(ScreenBase* leaving, ScreenBase* next = nullptr);
    // A new screen from the game flow: the entry after the position when
    // `advance` is set (the position moves on), else the entry at the
    // position. When the flow gives none (past its end, or a type without a
    // creator) a new main menu, with one line saying so, so that the player
    // is never left with an empty screen stack.
    static ScreenBase* flowScreenOrMenu(bool advance);
    // The screen of a story decision: null for Stay (the screen below runs
    // again), the flow's next or current screen (or the main menu), the
    // chapter transition of `chapter` (faded in and out over 500 ms) or the
    // map opened from the menus.
    static ScreenBase* storyScreen(StoryRoutes::Next next, int chapter);
};

#pragma once
// The story walk: plays the game from whatever screen is on top by looking
// at that screen each time and doing what a player would there, with real
// input only (clicks, keys, the minigame driver's solvers), until a goal.
//
//   name entry      clicks the field, types the walk's name, ticks the
//                   fearless box for play mode 1, presses Return
//   main menu       PLAY (after the credits: the walk has arrived)
//   prologue, epilogue, chapter transition
//                   Escape once the screen runs
//   journal         CONTINUE once no page turns
//   conversation    its continue button, a frame after it shows
//   map             the marker of the lowest open quest's location
//   scene           a clickable wanted item where its picture shows (the
//                   scene opens its own minigames and journal steps)
//   minigame        OK on its messages, `minigame solve` while it plays
//   credits         waits for them to end (OK after two minutes)
//   anything else   waits (the logos, a screen entering or leaving)
//
// Every new screen (and every new scene step) is photographed with F8 into
// the save folder's ScreenShots. Whenever the flow index or the set of done
// quests changes, the save file is read back (SaveFileCheck): it must load,
// and its current profile's flow index and done quests never go back while
// the story runs (the epilogue starts it again). In play mode 0 the score
// stays 0; in play mode 1 it never falls (the walk misses nothing).
// The walk fails when nothing moves for 90 s of game time, and at once when
// the story goes round: a screen (or a scene at the same step) arrives a
// second time while neither the flow index nor the done quests moved on,
// as when the map and a scene keep opening each other; the failure names
// the screens of the round.
//
// Commands:
//   walk-as NAME MODE       the name and play mode the name entry gets
//   walk credits            walks until the main menu after the credits
//   walk flow N             walks until a scene of flow entry N runs and the
//                           save file holds that flow index (a point to
//                           leave the game and go on in a new process)
// Dump lines: walk.shots (screenshots taken), walk.checks (save-file
// checks passed), walk.credits (1 once the credits were seen).
class GameDriver;

void addStoryWalker(GameDriver& driver);

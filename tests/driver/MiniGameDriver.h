#pragma once
// The game driver's minigame support: dump lines about the minigame on top,
// the ending of the last minigame that closed, and a "minigame" command that
// plays a minigame with real pointer input (computed from the game's state,
// so a script solves a shuffled board the same way every time).
//
// Dump lines, while a minigame is the top screen:
//   minigame.quest     its quest id
//   minigame.phase     entering, tutorial, question, finished, playing,
//                      paused or leaving
//   minigame.skip      none (no skip button), "counting N" / "held N" (N
//                      whole seconds left, running or stopped), or ready
//   minigame.puzzle    the game's puzzleState()
// always:
//   minigame.last, minigame.lastQuest, minigame.lastResult
//                      the class, quest and close code of the last minigame
//                      seen leaving (none, -1, -1 before any)
//   profile.bonus      the current profile's three bonus flags, e.g. 010
//
// Commands (each steps frames until its effect is done; fails when it is
// not within the time given):
//   minigame ok | yes | no      clicks that button of the open message
//   minigame swap A B           tile-swap games: clicks the tiles of slots A
//                               and B, then waits for the exchange to end
//   minigame trace forward|backward|across
//                               casting spells: drags the pointer along the
//                               current spell's shape (across: turned by 90
//                               degrees) through the drawing area
//   minigame solve              plays the game on top until the finished
//                               message is open (cipher tiles, casting
//                               spells, and the games of MiniGameSolvers15.h,
//                               MiniGameSolvers17.h and
//                               MiniGameSolversNecklaceStars.h)
//   minigame wait MS            lets MS of game time pass like `wait`, in
//                               frames of 30 ms (the longest the game takes)
//                               instead of 10, so long waits draw fewer
//                               frames; these commands all step that way,
//                               and wait and solve rasterise their frames
//                               into one pixel (QuickFrames.h)
//   tune KEY VALUE              the tuning table from now on gives VALUE for
//                               KEY (screens made later read it), e.g.
//                               "tune MiniGameBase.SkipButton.CountdownTime
//                               3000"; the game's file is not changed
class GameDriver;

void addMiniGameDriver(GameDriver& driver);

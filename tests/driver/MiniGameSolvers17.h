#pragma once
// The game driver's players of six minigames: memory match, shooting
// practice, sum the numbers, triangle count, image puzzle and collect
// armour. Each plays its game to the solution with pointer input worked out
// from the game's state (clicks on the buttons, knobs and tiles, pieces
// carried or dragged home), as `minigame solve` does for every game
// (tests/driver/MiniGameDriver.h).
//
// Dump lines (addMiniGameProbes17):
//   puzzle.KEY         while one of the six is on top: each KEY=VALUE word of
//                      its puzzleState (e.g. puzzle.answers, puzzle.phase,
//                      puzzle.count, puzzle.zorder)
// Command:
//   memory-answer right|wrong   on the memory match, once no slide runs:
//                               clicks the button that answers so
#include <functional>
#include <string>

class GameDriver;
class HeadlessDriver;
class MiniGameBase;

// Steps frames until `done` holds or `ms` of game time have passed; returns
// whether it holds.
using StepUntil = std::function<bool(const std::function<bool()>& done, int ms)>;

// Plays `game` until its solution is reached: true when the game is one of
// the six (then `error` holds "" or why it could not be solved), false for
// any other game.
bool solveMiniGame17(MiniGameBase* game, HeadlessDriver& driver, const StepUntil& stepUntil, std::string& error);

void addMiniGameProbes17(GameDriver& driver);

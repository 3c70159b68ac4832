#pragma once
// The game driver's players for the necklace pair (MgWhackAMole, then
// MgMatchElements), MgZodiacSigns and MgFaceDrawing. They play with real
// pointer input worked out from the game's state: clicks on a squirrel's
// visible pixels, drags of pieces and signs from a pixel that takes the
// press, a stroke through the stars.
//
// `minigame solve` (MiniGameDriver.h) hands these games to
// solveNecklaceStarsGame:
//   whack-a-mole      clicks every squirrel that holds a piece until the
//                     game has given way to match elements
//   match elements    drags each piece home, in order
//   zodiac signs      drags each sign to its place (a sign on another's
//                     place first makes way)
//   face drawing      one stroke with the left button through every star
// each of the last three until its finished message is open.
//
// Dump line added, while a minigame is on top with a message open:
//   minigame.message  the message's text (line breaks as blanks)
//
// Command added:
//   place I J DX DY   match elements or zodiac signs: drags piece or sign I
//                     (from 0) so that its corner is let go at the home or
//                     place of J, moved by (DX, DY)
#include <functional>
#include <optional>
#include <string>

class GameDriver;
class HeadlessDriver;
class MiniGameBase;

// What the players need from the minigame driver: input, frames stepped
// until a condition holds or `ms` of game time have passed (false then),
// and the minigame on top (or null).
struct MiniGameSteps {
    HeadlessDriver& driver;
    std::function<bool(const std::function<bool()>& done, int ms)> stepUntil;
    std::function<MiniGameBase*()> top;
};

// Nothing when `game` is none of these four; else "" once played, or why
// not.
std::optional<std::string> solveNecklaceStarsGame(MiniGameBase* game, const MiniGameSteps& steps);
// Adds `place` and the dump line.
void addNecklaceStarsCommands(GameDriver& driver, const MiniGameSteps& steps);

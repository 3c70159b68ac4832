#pragma once
// The game driver's play of six minigames with real pointer input worked out
// from each game's state: the rectangle tile sum (swaps towards a solved
// arrangement), the scrambled dials, the cypher wheel and the secret niche
// (each ring or the wheel pressed where it alone takes the pointer and
// turned to its target, the niche's wheel the one way it turns), the
// sliding blocks (the shortest sequence of one-cell drags, found by a
// search over the board) and the labyrinth (the ball dragged along a path
// through the corridors found on the game's own wall test).
//
// Also the script command
//   seed N     the games' random numbers from now on start from N, so that
//              the rings' and the wheels' start angles repeat from run to run
#include <functional>
#include <string>

class GameDriver;
class HeadlessDriver;
class MiniGameBase;

// What the minigame driver lends a solver.
struct MiniGameInput {
    HeadlessDriver& driver;
    // Runs frames until the test holds or the time (ms of game time) is
    // over; returns whether it holds.
    std::function<bool(const std::function<bool()>& done, int ms)> stepUntil;
    // Tile-swap games: clicks the tiles of two slots and waits for the
    // exchange to end; "" or why not.
    std::function<std::string(int slotA, int slotB)> swap;
};

// Plays `game` to its solved state when it is one of the six: returns true
// and sets `error` ("" when it worked). False for any other game.
bool solveMechanismGame(MiniGameBase* game, MiniGameInput& input, std::string& error);

// The `seed` command.
void addMechanismCommands(GameDriver& game);

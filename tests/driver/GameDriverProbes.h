#pragma once
// The dump lines each kind of screen adds to the game driver's dump. Each
// screen family's test support adds its probe here, so that every driver
// program describes every screen the same way.
class GameDriver;

void addGameDriverProbes(GameDriver& driver);

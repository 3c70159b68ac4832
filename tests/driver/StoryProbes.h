#pragma once
// The story screens' part of the game driver: dump lines for the journal,
// the credits, the prologue and epilogue, the chapter transition and the
// options menu, and the command
//   story prologue | epilogue | credits
//                            every screen goes; that screen shows (the
//                            epilogue is otherwise reached only at the
//                            story's last quest)
class GameDriver;

void addStoryProbes(GameDriver& driver);

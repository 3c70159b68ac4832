#pragma once
// The front end's part of the game driver: dump lines for the main menu,
// the profiles menu, the name entry, the dialog screen, the map and the
// quit dialog, and the commands
//   type TEXT...             each character as a key press (blanks between
//                            the words as the space key)
//   show mainmenu | map L | profiles | chapter N
//                            every screen goes; that screen shows
//   quests done N... / quests current N
//                            completes quests (opening what they open) /
//                            makes a quest current
//   until MS KEY [VALUE...]  runs frames of 30 ms (the longest the game
//                            takes in one) until the game dump's KEY holds
//                            VALUE (as `expect` reads it); fails when MS ms
//                            of fake time pass first
class GameDriver;

void addFrontendProbes(GameDriver& driver);

#pragma once
// What the game driver knows of a game scene's spells and effects.
//
// Dump lines (the topmost QDScene):
//   spell.armed              the armed spell, -1 for none
//   spell.choosing           1 while the goal panel picks a spell's target
//   spell.button.N           spell button N's charge and "ready" when it is
//                            ("none" without buttons)
//   spell.blink.N            1 while spell button N blinks (absent otherwise)
//   spell.staff              none, or idle / busy
//   spell.hint               idle, or the hint's phase while it runs
//   spell.fireballs          the number of fire balls on the screen
//   spell.visibility         the visibility spell's phase (-1 idle, 0 flying,
//                            1 glowing at its target), "none" before its
//                            first use
//   spell.renderers          the renderer classes of the render list, in
//                            drawing order, "|"-separated (one each)
//   sfx.NAME                 how often the effect NAME was asked for since
//                            the driver started (absent when never, unless
//                            watched; whatever screen is on top)
//
// Commands:
//   spell-button N           a release over spell button N (as a click)
//   choose-target            the goal panel's choice of its first wanted
//                            item while a spell is armed
//   sfx-watch NAME...        the effects' sfx.NAME lines show from now on,
//                            0 while never asked for
class GameDriver;

void addSpellDriverSupport(GameDriver& driver);

#pragma once
// What the game driver knows of hidden-object scenes: dump lines about the
// topmost scene on the stack and script commands that click its items.
//
// Dump lines (the topmost HOScene, also under a child screen):
//   scene.id                 the scene id, or "none" without a scene
//   scene.step, scene.steps  the step index and the number of steps
//   scene.stepKind           collect, screen, or none (no such step)
//   scene.child              the class of the child a Screen step made and
//                            has not seen return, or "none"
//   scene.black              1 while the scene is covered in black
//   scene.count.G            this scene's items in group G (-1 to 6)
//   scene.wanted             item indices of this scene in group 2
//   scene.drawn              item indices of the render list, drawing order
//   scene.goal               the goal panel's wanted item indices, or "none"
//   scene.panel              the goal panel's class, "hidden" or "none"
//   scene.panel.wanted       the number the panel's counter shows
//   scene.panel.slots        a stacked panel's slot texts, "|"-separated
// and of a game scene (QDScene):
//   scene.score              the score shown, "none" without a score panel
//   scene.rising             the texts of the rising score notes, "|"-separated
//   scene.questStep          the quest of the running CollectGroup step
//   scene.fog                none, fog or spyhole; scene.fog.alpha its darkness
//   scene.fog.countdown      the spyhole's seconds while shown, else "none"
//   scene.runeMessage        1 while the rune message shows
//
// Commands:
//   click-item SCENE INDEX   move, press and release on a point where that
//                            item is the one hit (it may lie under others)
//   click-wanted             the same on the first clickable wanted item that
//                            shows
//   close-top CODE           the top screen closes with the result code
//   quest N                  quests before N done (each opening what it
//                            opens), N open and current
//   savedstep N              the current profile's saved step
class GameDriver;
class HOScene;
class ItemState;
struct Point;

void addSceneDriverSupport(GameDriver& driver);

// The topmost HOScene of the game's screen stack, or null.
HOScene* topScene(GameDriver& driver);
// A point (scene coordinates) where the scene's hit test gives `item`,
// as near the middle of its picture as can be; false when there is none.
bool visiblePointOf(const HOScene& scene, ItemState* item, Point& out);
// Clicks the first clickable wanted item of the topmost scene that shows
// (as `click-wanted`); false when there is none.
bool clickWanted(GameDriver& driver);

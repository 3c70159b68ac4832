#pragma once
// The score of a scene played in mode 1: the score panel at the top centre
// and the rising texts of won and lost points. Points come by typeId from
// the tuning file: "Points.ItemFound" (0), "Points.KeyItemFound" (100-199),
// "Points.RuneFound" (200, 213), "Points.MagicBonusItem" (667); other
// typeIds win nothing. A missed click adds "Points.WrongClick". The score
// never drops below 0, and no text rises while it stands at 0.
//
// The points of a find whose item is still on its way out of the scene (its
// collect animation) can be held back (holdBack) until the item has left
// (release): settled() is the score without them, the one the player's
// profile may hold while the item is still saved as wanted.
//
// The profile's score and the one shown are kept apart: the profile holds
// what the scene last wrote to it (settle), and only what it gained since
// from elsewhere (a solved minigame's points) is added to the score shown
// (takeProfileGain). The score shown is never rebuilt from the profile: with
// misses that took it below the points held back, settled() stands at 0 and
// would forgive them.
//
// The widgets belong to the screen; this keeps non-owning pointers and
// reuses idle texts.
#include <map>
#include <string>
#include <vector>

class ItemState;
class ScoreNotificationWidget;
class ScoreWidget;
class ScreenBase;

class SceneScore {
public:
    explicit SceneScore(ScreenBase* screen);

    // Adds the score panel, showing `score`, with the caption of "SCORE".
    void open(int score);
    bool isOpen() const { return widget != nullptr; }
    // The score shown; 0 before open.
    int value() const;
    // Shows another score (kept at 0 or above); nothing before open.
    void set(int score);

    // A find of an item of the typeId: its points, and their label text
    // rising from (x, y) when the score is above 0 afterwards. Returns the
    // points the score gained (0 before open).
    int award(int typeId, int x, int y);
    // A missed click: "Points.WrongClick" and "SCORE_ITEM_MISSED" in red.
    void penalise(int x, int y);

    // Holds `points` back from settled() until the item is released.
    void holdBack(const ItemState* item, int points);
    // The item has left the scene's wanted and waiting items: its points
    // count in settled() again. Nothing for an item not held back.
    void release(const ItemState* item);
    // The points held back.
    int heldBack() const;
    // The score shown less the points held back, at least 0.
    int settled() const;

    // The profile's score now: what it gained since the scene last wrote it
    // (open, settle) is added to the score shown. Nothing before open.
    void takeProfileGain(int profileScore);
    // takeProfileGain, then settled(), which the caller writes to the
    // profile; it is remembered as what the profile holds. 0 before open.
    int settle(int profileScore);

    // The tuning key and the label of a find's points; both null for a
    // typeId that wins nothing.
    static void pointsOf(int typeId, const char*& key, const char*& text);

    ScoreWidget* getWidget() const { return widget; }
    const std::vector<ScoreNotificationWidget*>& getNotifications() const { return notifications; }

private:
    // Adds the points (clamped to 0 and above); the new score.
    int add(int points);
    // An idle rising text, or a new one added to the screen.
    ScoreNotificationWidget* takeNotification();

    ScreenBase* screen;            // not owned
    ScoreWidget* widget = nullptr;  // owned by the screen
    std::vector<ScoreNotificationWidget*> notifications;  // owned by the screen
    std::map<const ItemState*, int> held;  // the items are not owned
    // The profile's score as the scene last read or wrote it.
    int profileHeld = 0;
};

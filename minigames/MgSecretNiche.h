#pragma once
// The secret niche minigame (quest 38): the cypher wheel set as a riddle
// on a hidden drawer. The riddle stands at the top of the screen; the wheel
// turns counter-clockwise only (its spin still turns it clockwise), and any
// release of the wheel away from the next piece's angle, even without
// turning it, starts the decoding again at the first piece and hides every
// decoded word. When the whole word is decoded the drawer fades away
// (600 ms), the key behind it rises 217 pixels while growing to full size
// (1000 ms), glows (1000 ms) and, 1000 ms later, the frame's finish follows
// (700 ms, then the finished message).
//
// The description file and its key are the cypher wheel's for the quest
// id; the key and drawer pictures are the registered "MG_SECRETNICHE_KEY",
// "..._KEY_GLOW" and "..._DRAWER" (quest 38's folder). Sounds
// "MG_SECRETNICHE_INPLACE" (a piece decoded), "..._RESET" and
// "..._KEYMOVING".
#include "minigames/MgCypherWheel.h"

#include <vector>

class ScaleImage;
class TextLabelEx;

class MgSecretNiche : public MgCypherWheel {
public:
    // Action ids beside the cypher wheel's.
    static constexpr int DrawerFadeAction = 111;
    static constexpr int KeyMoveAction = 112;
    static constexpr int KeyGlowAction = 113;
    static constexpr int DrawerFadeMs = 600;
    static constexpr int KeyMoveMs = 1000;
    static constexpr int KeyRise = 217;
    static constexpr int KeyGlowWaitMs = 1000;
    static const Point KeyCorner;
    static const Point DrawerCorner;

    explicit MgSecretNiche(int questId);
    ~MgSecretNiche() override;

    // The frame's buttons; then a release of the wheel reveals the current
    // piece when the wheel locked in place, and resets the decoding
    // otherwise.
    void onButton(int id, int state) override;
    // The cypher wheel's ids, then 111 (drawer gone: the key moves), 112
    // (key arrived: it glows) and 113 (the frame's finish).
    void onActionFinished(int32_t id) override;

    // The key's scale while it sits behind the drawer: the drawer's width
    // less 20 over the key's width (1 for a key without width).
    static float keyScaleFor(int drawerWidth, int keyWidth);

    ScaleImage* getKey() const { return key; }
    ImageWidget* getDrawer() const { return drawer; }
    TextLabelEx* getRiddle() const { return riddle; }
    const std::vector<ImageWidget*>& getWordImages() const { return wordImages; }
    int getDrawerAlpha() const { return drawerAlpha; }
    // The cypher wheel's, then the key's corner and scale and the drawer's
    // alpha.
    std::string puzzleState() const override;

protected:
    void loadResources() override;
    void build() override;
    void onUpdate(int dt) override;
    // Back to the first piece; decoded words hidden; the wheel stays.
    void resetPuzzle() override;
    // The drawer fades away.
    void onSolved() override;
    // The piece's word image, made once and reused after a reset.
    ImageWidget* wordImageFor(const SolutionComponent& piece) override;
    std::string revealSound() const override;

private:
    // The key at its corner and scale.
    void placeKey();

    int keyX;
    int keyY;
    float keyScale = 1.f;
    int drawerAlpha = 255;
    bool drawerFading = false;
    bool keyMoving = false;
    // Widgets owned by the screen.
    ImageWidget* drawer = nullptr;
    ScaleImage* key = nullptr;
    TextLabelEx* riddle = nullptr;
    std::vector<ImageWidget*> wordImages;
};

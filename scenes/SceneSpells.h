#pragma once
// The spells of the game scene: the four spell buttons and the staff in the
// heads-up display, arming a charged spell with its button (an uncharged
// one opens its tutorial), choosing the target in the goal panel, the
// panorama scroll before a cast, the cast with a swing of the staff and,
// when the staff's glow has run, the spell's effect:
//   0 visibility: a fire ball flies to the item and makes it glow;
//   1 drawn: a drawn symbol follows the pointer and draws nearby wanted
//     items toward it, until an item is found or the button is pressed again;
//   2 vision: the hint (HintRenderer) shows the item;
//   3 lightning: a bolt strikes the item (MyLightningWidget, the main
//     menu's storm widget), which is outlined
//     and found at once; the end of the strike lets a paused panorama
//     scroll on.
// Casting uses up the spell's runes (SpellRunes).
//
// The widgets belong to the scene screen; this object keeps non-owning
// pointers and owns the drawn spell's animation player.
#include "engine/anim/ActionListener.h"
#include "scenes/SpellButtonListener.h"

#include <memory>

class AnimatedStaff;
class AnimationPlayer;
class HintRenderer;
class ItemState;
class MyLightningWidget;
class QDScene;
class SpellButton;
class VisibilitySpell;

class SceneSpells : public SpellButtonListener, public ActionListener {
public:
    enum Spell { None = -1, Visibility = 0, Drawn = 1, Vision = 2, Lightning = 3 };
    static constexpr int SpellCount = 4;
    static constexpr int DrawnRadius = 70;
    static constexpr int DrawnAnimationId = 0;
    static constexpr int ScrollActionId = 2;

    explicit SceneSpells(QDScene* scene);
    ~SceneSpells() override;
    SceneSpells(const SceneSpells&) = delete;
    SceneSpells& operator=(const SceneSpells&) = delete;

    // The hint and lightning widgets (once).
    void createEffects();
    // What the quest shows and is missing: the staff from quest 1 on (its
    // first appearance at quest 1), the spell buttons from quest 3 on, each
    // charged from the runes found so far.
    void buildHud(int questId);
    void raise();
    void hide();

    void onSpellButtonPressed(int id, int event) override;
    // A rune found: its spell's button gets one charge.
    void chargeSpellFromRune(const ItemState* item);
    bool isChoosingTarget() const { return choosingTarget; }
    // The goal panel's choice while a spell is armed: the panorama scrolls
    // it into the middle first, else the spell is cast at once.
    void chooseTarget(ItemState* item);
    void scrollToTarget();
    void castArmedSpell();
    // The staff's glow has run: the armed spell takes effect.
    void releaseSpell();
    // Each update: the drawn spell pulls the wanted items near the pointer.
    void update(int pointerX, int pointerY);
    // An item was found: the drawn spell ends.
    void onItemFound();
    // A lightning strike ended.
    void onActionFinished(int32_t id) override;

    int getArmedSpell() const { return armedSpell; }
    ItemState* getTarget() const { return target; }
    SpellButton* getButton(int index) const;
    AnimatedStaff* getStaff() const { return staff; }
    HintRenderer* getHint() const { return hint; }
    MyLightningWidget* getLightning() const { return lightning; }
    VisibilitySpell* getVisibilitySpell() const { return visibility; }

private:
    void disarm();
    void armVisibility();
    void armDrawn();
    void showTutorial(int index);
    void consume(int index);
    void applyDrawnSpell(int pointerX, int pointerY);
    // The target's centre x on screen, shifted by the panorama.
    int targetCentreX() const;

    QDScene* scene;  // not owned
    SpellButton* buttons[SpellCount] = {nullptr, nullptr, nullptr, nullptr};
    AnimatedStaff* staff = nullptr;
    HintRenderer* hint = nullptr;
    MyLightningWidget* lightning = nullptr;
    VisibilitySpell* visibility = nullptr;
    std::unique_ptr<AnimationPlayer> spellPlayer;
    int armedSpell = None;
    bool choosingTarget = false;
    ItemState* target = nullptr;  // not owned
};

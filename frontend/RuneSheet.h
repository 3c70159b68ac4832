#pragma once
// The overview of the twelve runes and four spells, opened by a scene over
// itself: over the dimmed scene the opening clip draws the sheet; then the
// collected runes (group 0 of the item registry, over all scenes; a rune
// item's minor group id is its number - 1) and the spells whose three runes
// are all known show, each place with a tooltip, and an OK button. OK plays
// the closing clip, after which the sheet closes (code 0) and pops itself.
// Keys do nothing. Items of group 0 whose minor group id is not a rune
// number (0 to 11) are ignored.
#include "engine/ui/AnimationPlayerListener.h"
#include "engine/ui/QuarnButtonListener.h"
#include "engine/ui/ScreenBase.h"

#include <bitset>
#include <memory>
#include <vector>

class AnimationPlayer;
class QuarnButton;
class RunesMenuImage;

class RuneSheet : public ScreenBase, public QuarnButtonListener, public AnimationPlayerListener {
public:
    enum ButtonId { OkButton = 0 };
    enum ClipId { OpenClip = 0, CloseClip = 1 };
    static constexpr int CloseCode = 0;
    static constexpr int RuneCount = 12;
    static constexpr int SpellCount = 4;
    using RuneFlags = std::bitset<RuneCount>;

    RuneSheet();
    ~RuneSheet() override;

    void onKey(KeyEvent* event) override;
    // QuarnButtonListener: OK released (id 0, event 1) closes the sheet.
    void onButtonEvent(int id, int event) override;
    // AnimationPlayerListener: the opening clip builds the widgets, the
    // closing one closes the sheet.
    void onAnimationFinished(int32_t id) override;

    // The runes of the given minor group ids (ids outside 0..11 ignored).
    static RuneFlags runesFromGroups(const std::vector<int>& minorGroupIds);
    // Whether every rune of the spell's row (1 to 4) is known.
    static bool isSpellKnown(const RuneFlags& runes, int spell);
    // The runes collected so far, from the item registry.
    static RuneFlags computeKnownRunes();

    const RuneFlags& getKnownRunes() const { return knownRunes; }
    RunesMenuImage* getRuneImage(int rune) const;
    RunesMenuImage* getSpellImage(int spell) const;
    QuarnButton* getOkButton() const { return okButton; }
    int getBgX() const { return bgX; }
    int getBgY() const { return bgY; }

protected:
    void loadResources() override;
    void build() override;
    void drawBackground(Graphics& g) override;
    void onClosed(int resultCode) override;

private:
    void buildWidgets();
    void takeWidgetsOff();

    QuarnButton* okButton = nullptr;
    RunesMenuImage* runes[RuneCount] = {};
    RunesMenuImage* spells[SpellCount] = {};
    std::unique_ptr<AnimationPlayer> player;
    RuneFlags knownRunes;
    int bgX = 0;
    int bgY = 0;
};

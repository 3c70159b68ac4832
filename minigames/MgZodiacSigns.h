#pragma once
// The star-chart puzzle (quests 46 and 61): sign pictures lie at their
// starting places and the player drags each onto its place in the sky. A
// sign dropped near a free place snaps onto it; only on its own place does
// it count as placed, lighting its glow and its constellation. A sign
// dropped nowhere glides back to its start. When every sign is placed the
// final glow rises over 1500 ms (when the quest has one), then the frame's
// finish follows (700 ms, then the finished message).
//
// The rules (snap search, placed, solved, the timing keys) are
// ZodiacBoard; the signs come from the quest's description file
// (ZodiacSignsFile). Without a usable file the screen shows its background
// and can only be skipped.
//
// Tuning keys "MgZodiacSigns.Quest<id>." + HasFinalGlow, PlacementSensitivity,
// GlowFadeTime, TranslateTime, GameXmlFile. Pictures in "content/images/
// minigames/ZodiacSigns/Quest<id>/": background, FinalGlow, each sign's
// image (and image + "G" with hasGlow) and constellation image, with
// "Game.Images.Extension". Sounds "MG_PRESS" (picked), "MG_RELEASE"
// (dropped), "MG_INPLACE" (placed).
//
// Widgets, bottom to top: the background, the final glow, the frame's
// buttons (raised over both), the signs. Background and signs take no
// pointer input themselves: the screen's press, move and release drag.
#include "minigames/MiniGameBase.h"
#include "minigames/ZodiacBoard.h"

#include <string>
#include <vector>

class ImageWidget;
class ZodiacSign;

class MgZodiacSigns : public MiniGameBase {
public:
    static constexpr int FinalGlowMs = 1500;

    explicit MgZodiacSigns(int questId);

    // 0: the final glow has risen; the frame's finish. 1122: the finished
    // message.
    void onActionFinished(int32_t id) override;

    // MouseListener (events that hit no button): pick, drag, drop.
    void onMousePressed(MouseEvent* event) override;
    void onMouseMoved(MouseEvent* event) override;
    void onMouseReleased(MouseEvent* event) override;

    const ZodiacBoard& getBoard() const { return board; }
    const std::vector<ZodiacSign*>& getSigns() const { return signs; }
    ImageWidget* getFinalGlow() const { return finalGlow; }
    int getFinalGlowAlpha() const { return finalGlowAlpha; }
    int getSelected() const { return selected; }
    // "placed=" one digit per sign, "selected=" the dragged sign or -1,
    // "at=" each sign's corner, "solved" once every sign is placed.
    std::string puzzleState() const override;

protected:
    void build() override;
    void onUpdate(int dt) override;
    // The final glow rises over 1500 ms (action 0); the signs' glows fade
    // out under it when there is one.
    void onSolved() override;

private:
    GLTexture* loadImage(const std::string& name);
    std::string key(const std::string& name) const;
    void raise(Widget* widget);

    std::string imageExtension;
    std::string imageFolder;
    ZodiacBoard board;
    std::vector<ZodiacSign*> signs;   // owned by the screen
    ImageWidget* finalGlow = nullptr;  // owned by the screen; null without
    int finalGlowAlpha = 0;
    int selected = -1;
    int grabX = 0;
    int grabY = 0;
};

#pragma once
// Shown while the game window has lost the input focus: it dims everything
// below it (black at alpha 200) and writes the "PAUSE" label in the middle in
// white, with the application font FONT_TIMES24. The screens below keep
// drawing but, being covered, get no input and no updates. It has no widgets
// of its own and loads nothing; the application pushes it on focus loss and
// removes it on focus gain.
#include "engine/ui/ScreenBase.h"

class GlobalGamePauseScreen : public ScreenBase {
public:
    static constexpr int VeilAlpha = 200;

    GlobalGamePauseScreen();
    ~GlobalGamePauseScreen() override;

protected:
    void loadResources() override;
    void build() override;
    void drawOverlay(Graphics& g) override;
};

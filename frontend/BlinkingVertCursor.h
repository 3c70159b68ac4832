#pragma once
// The caret of the player name field: a thin vertical bar at the caret's
// place that shows and hides by turns, each phase lasting until more than
// the interval has passed. Every move of the caret shows it afresh.
#include "engine/core/Types.h"
#include "engine/ui/TextInputCursor.h"

#include <cstdint>

class BlinkingVertCursor : public TextInputCursor {
public:
    BlinkingVertCursor(Color colour, int intervalMs, int width);

    // Visible, elapsed time 0.
    void reset() override;
    // Fills (x, y, width, caret height) in the colour while visible.
    void draw(Graphics& g) override;
    void update(int dt) override;

    bool isShown() const { return visible; }
    int getWidth() const { return width; }

private:
    Color colour;
    int32_t interval;
    int32_t width;
    int32_t elapsed = 0;
    bool visible = true;
};

#pragma once
// The score panel of a scene's heads-up display: a caption over a number on
// the "GUI_BG_SCORE" picture, both centred in their boxes in FONT_TIMES16.
// The owner writes the value whenever the score changes; the next draw shows
// it. The widget has no size, so the mouse never hits it.
//
// The font and the picture are not owned; without them the widget draws what
// it can (nothing without a font, no background without a picture).
#include "engine/ui/Widget.h"

#include <string>

class Font;
class GLTexture;

class ScoreWidget : public Widget {
public:
    // Caption box and value box, relative to the widget.
    static constexpr int TextX = 50;
    static constexpr int TextW = 102;
    static constexpr int TextH = 16;
    static constexpr int CaptionY = 2;
    static constexpr int ValueY = 22;

    // At (x, y); null coordinates count as 0.
    ScoreWidget(const int* x, const int* y, const std::string& caption, GLTexture* background, Font* font);

    void draw(Graphics& g, ScreenBase* screen) override;

    int getValue() const { return value; }
    void setValue(int newValue) { value = newValue; }
    const std::string& getCaption() const { return caption; }

private:
    int value = 0;
    Font* font;             // not owned
    GLTexture* background;  // not owned
    std::string caption;
};

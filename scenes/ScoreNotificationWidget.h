#pragma once
// A short text that rises from a point and fades out: the points won or lost
// at a click. show() starts one rise (100 pixels up and from opaque to clear
// over 1500 ms, both linear, by the milliseconds given to update); at its end
// the widget is idle again and its owner may reuse it. The text is centred
// on the widget's point. Input is off and the size is 0, so the mouse never
// hits it.
//
// The font is not owned; without one nothing is drawn.
#include "engine/anim/ActionListener.h"
#include "engine/core/Types.h"
#include "engine/ui/Widget.h"

#include <memory>
#include <string>

class Font;
class ParalelAction;

class ScoreNotificationWidget : public Widget, public ActionListener {
public:
    static constexpr int RiseMs = 1500;
    static constexpr int RisePixels = 100;

    explicit ScoreNotificationWidget(Font* font);
    ~ScoreNotificationWidget() override;

    // Starts a rise at (x, y) with the text in the colour (null: white). A
    // show during a rise starts again from the new point.
    void show(int x, int y, const std::string& text, const Color* colour);

    void update(int dt, ScreenBase* screen) override;
    void draw(Graphics& g, ScreenBase* screen) override;
    // The rise ended: the widget is idle.
    void onActionFinished(int32_t id) override;

    bool isIdle() const { return idle; }
    int getAlpha() const { return alpha; }
    const std::string& getText() const { return text; }
    const Color& getColour() const { return colour; }

private:
    Font* font;  // not owned
    Color colour;
    std::string text;
    std::unique_ptr<ParalelAction> motion;
    int alpha = 255;
    bool idle = true;
};

#pragma once
// The minigame frame's skip button: disabled while its countdown runs, with
// the remaining whole seconds as caption and a bar filling from the middle
// outwards; when the countdown has run out it shows its caption ("SKIP")
// and can be clicked. It reports (id, state) like every StaticImageButton.
//
// The countdown advances by frame time, and only while counting
// (resumeCountdown on, pauseCountdown off): the frame stops it while a
// message is open. A total of 0 ms or less has nothing to count: the button
// is finished, enabled and captioned at once.
//
// Hover: the pointer entering the button fades the over image in over the
// normal one (HoverFadeMs from nothing to full), leaving fades it out again;
// the fade, like the countdown, advances while counting or finished. A
// press shows the over image itself, as every StaticImageButton does.
#include "engine/ui/StaticImageButton.h"

#include <memory>
#include <string>

template <typename T>
class RelDecrementator;
template <typename T>
class RelIncrementator;

class CountdownButton : public StaticImageButton {
public:
    static constexpr int CountdownActionId = 500;
    static constexpr int HoverFadeActionId = 501;
    static constexpr int HoverFadeMs = 300;

    // Normal and over images, the listener (not owned) and the countdown
    // length; the id is the frame's skip id 1000. Disabled until finished.
    CountdownButton(GLTexture* normal, GLTexture* over, SimpleButtonListener* listener, int totalMs);
    ~CountdownButton() override;

    // Counting on; the first call starts the countdown.
    void resumeCountdown();
    void pauseCountdown() { counting = false; }

    // The caption shown when finished, and its font (not owned).
    void setCaptionText(const std::string& text, Font* font);
    // The bar: `image` (not owned) drawn once per filled column, from
    // (fillX, fillY) across `width` columns.
    void setFill(GLTexture* image, int fillX, int fillY, int width);

    void update(int dt, ScreenBase* screen) override;
    void draw(Graphics& g, ScreenBase* screen) override;
    // StaticImageButton's, keeping the normal image with the over image
    // fading in (enter) or out (leave) on top.
    void onMouseEnter() override;
    void onMouseLeave() override;
    // 500: the countdown has run out.
    void onActionFinished(int32_t id) override;

    int getRemainingMs() const { return remainingMs; }
    int getTotalMs() const { return totalMs; }
    bool isFinished() const { return finished; }
    bool isCounting() const { return counting; }
    // The over image's alpha drawn over the normal one, 0 ... 255.
    int getHoverAlpha() const { return hoverAlpha; }
    // The text drawn on the button now.
    const std::string& getShownText() const { return StaticImageButton::caption; }

    // The countdown caption: whole seconds left (integer division).
    static std::string secondsText(int remainingMs);
    // Columns of the bar: trunc((1 - remaining / total) x width), made even;
    // the whole width for a total of 0 or less.
    static int filledColumns(int remainingMs, int totalMs, int width);
    // The first filled column, counted from the bar's left end.
    static int firstFilledColumn(int filled, int width) { return static_cast<int>((width - filled) * 0.5f); }

private:
    void finish();
    // Starts the hover fade from the alpha it has towards `to`.
    void fadeHover(int to);

    int remainingMs;
    int fillX = 0;
    int fillY = 0;
    int fillWidth = 0;
    int totalMs;
    std::unique_ptr<RelDecrementator<int>> countdown;
    bool finished = false;
    bool counting = false;
    GLTexture* fillImage = nullptr;  // not owned
    std::string skipCaption;
    int hoverAlpha = 0;
    std::unique_ptr<RelIncrementator<int>> hoverFade;
};

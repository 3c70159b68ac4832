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
#include "engine/ui/StaticImageButton.h"

#include <memory>
#include <string>

template <typename T>
class RelDecrementator;

class CountdownButton : public StaticImageButton {
public:
    static constexpr int CountdownActionId = 500;

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
    // 500: the countdown has run out.
    void onActionFinished(int32_t id) override;

    int getRemainingMs() const { return remainingMs; }
    int getTotalMs() const { return totalMs; }
    bool isFinished() const { return finished; }
    bool isCounting() const { return counting; }
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
};

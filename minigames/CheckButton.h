#pragma once
// The check button of the triangle count game: its picture with a mark over
// it. A press reports (id, 0) and a release (id, 1) to the listener, but
// only while no mark is fading. showRight fades the right mark in over
// 500 ms (it stays); showWrong flashes the wrong mark in over 500 ms and out
// over 1500 ms. Both run on the game clock. Textures and the listener are
// not owned; the fades are.
#include "engine/ui/ImageWidget.h"

#include <memory>

class Action;
class SimpleButtonListener;

class CheckButton : public ImageWidget {
public:
    static constexpr int MarkInMs = 500;
    static constexpr int MarkOutMs = 1500;

    // At (x, y), sized to `image`.
    CheckButton(GLTexture* image, GLTexture* rightMark, GLTexture* wrongMark, int x, int y,
                SimpleButtonListener* listener, int id);
    ~CheckButton() override;

    void showRight();
    void showWrong();
    // A mark is fading in or out.
    bool isBusy() const;
    bool getLastResult() const { return lastResult; }
    int getMarkAlpha() const { return markAlpha; }

    void update(int dt, ScreenBase* screen) override;
    // The picture, then the last mark with its alpha.
    void draw(Graphics& g, ScreenBase* screen) override;
    void onMousePress(MouseEvent* event) override;
    void onMouseRelease(MouseEvent* event) override;

private:
    SimpleButtonListener* listener;  // not owned
    int id;
    GLTexture* rightMark;  // not owned
    GLTexture* wrongMark;  // not owned
    bool lastResult = false;
    int markAlpha = 0;
    std::unique_ptr<Action> rightFade;
    std::unique_ptr<Action> wrongFlash;
};

#pragma once
// The game window's title-bar controls. On Windows the windowed game offers a
// maximise box, and maximising the window switches to full screen. Here the
// window has no such box and nothing reports a maximise: the box operations
// only record the wish, the window is never minimised as far as the game is
// concerned, and restore does nothing. The application keeps these calls at
// the points where the window's mode changes.
class WindowControl {
public:
    WindowControl() = default;
    WindowControl(const WindowControl&) = delete;
    WindowControl& operator=(const WindowControl&) = delete;

    // Offer / withdraw the maximise box (recorded only).
    void addMaximizeBox();
    void removeMaximizeBox();
    // Brings a maximised window back to its normal size; nothing to do here.
    void restore();
    // Always false: no minimised state is reported on this platform.
    bool isMinimized() const;

    bool hasMaximizeBox() const { return maximizeBox; }

private:
    bool maximizeBox = false;
};

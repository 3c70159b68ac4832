#pragma once
// The keyboard hook that keeps system keys (the Windows key, task switching)
// from leaving the game while it runs full screen with the focus. On Windows
// it lives in an optional library loaded at start-up; this platform has no
// such library, so the three calls only record what was asked and touch
// nothing outside the program. The application keeps the calls where they
// belong: install once at start, enable while full screen with the focus,
// uninstall when it goes.
class KeyboardHook {
public:
    KeyboardHook() = default;
    KeyboardHook(const KeyboardHook&) = delete;
    KeyboardHook& operator=(const KeyboardHook&) = delete;

    // Loads nothing; the hook counts as installed from now on.
    void install();
    // The hook counts as removed; enabling it does nothing afterwards.
    void uninstall();
    // Switches the hook's effect on (non-zero) or off. Ignored while the
    // hook is not installed.
    void setEnabled(int enable);

    bool isInstalled() const { return installed; }
    bool isEnabled() const { return enabled; }

private:
    bool installed = false;
    bool enabled = false;
};

#pragma once
// Two button notifications every screen can take: (button id, event).
// Screens ignore both unless a subclass overrides them.
class ButtonListener {
public:
    virtual ~ButtonListener() = default;
    virtual void onButtonPressed(int id, int event) = 0;
    virtual void onButtonReleased(int id, int event) = 0;
};

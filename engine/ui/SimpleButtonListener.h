#pragma once
// Receiver of button events by the id the caller gave the button. Events:
// 0 pressed, 1 released, 2 pointer entered, 3 pointer left, 4 dropped.
class SimpleButtonListener {
public:
    virtual ~SimpleButtonListener() = default;
    virtual void onButton(int id, int event) = 0;
};

#pragma once
// Receiver of a QuarnButton's events by the id its owner gave the button.
// Events: 0 pressed, 1 released (a click: the press was made on the button),
// 2 pointer entered, 3 pointer left.
class QuarnButtonListener {
public:
    virtual ~QuarnButtonListener() = default;
    virtual void onButtonEvent(int id, int event) = 0;
};

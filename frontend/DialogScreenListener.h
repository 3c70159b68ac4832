#pragma once
// Told when a DialogScreen has closed, by the id its opener gave it.
class DialogScreenListener {
public:
    virtual ~DialogScreenListener() = default;
    // The dialog screen with this id has left the stack.
    virtual void onDialogScreenClosed(int id) = 0;
};

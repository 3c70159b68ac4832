#pragma once
// Told once when a conversation (MyDialog) has run out of steps, by the id
// its owner gave it.
class DialogListener {
public:
    virtual ~DialogListener() = default;
    virtual void onDialogFinished(int id) = 0;
};

#pragma once
// The game's conversation: a Dialog that tells its listener, by the id it
// was given, when its steps have run out. Nothing is drawn while it waits
// for a click.
#include "frontend/Dialog.h"

class DialogListener;

class MyDialog : public Dialog {
public:
    // `listener` is not owned and may be null.
    MyDialog(const std::string& path, AnimationPlayer* player, int listenerId, DialogListener* listener,
             ScreenBase* screen);
    MyDialog(const DialogFile::Conversation& conversation, AnimationPlayer* player, int listenerId,
             DialogListener* listener, ScreenBase* screen);

    void drawWaitingMark(Graphics& g) override;
    void onFinished() override;

private:
    int listenerId;
    DialogListener* listener;  // not owned
};

#include "frontend/MyDialog.h"

#include "frontend/DialogListener.h"

MyDialog::MyDialog(const std::string& path, AnimationPlayer* player, int id, DialogListener* dialogListener,
                   ScreenBase* screen)
    : Dialog(path, player, screen)
    , listenerId(id)
    , listener(dialogListener)
{
}

MyDialog::MyDialog(const DialogFile::Conversation& conversation, AnimationPlayer* player, int id,
                   DialogListener* dialogListener, ScreenBase* screen)
    : Dialog(conversation, player, screen)
    , listenerId(id)
    , listener(dialogListener)
{
}

void MyDialog::drawWaitingMark(Graphics&) {}

void MyDialog::onFinished()
{
    if (listener)
        listener->onDialogFinished(listenerId);
}

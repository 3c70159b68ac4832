#pragma once
// Helpers of the minigame tests on the fake application (no window): the
// frame's open message, and its buttons pressed the way a click reports
// them.
#include "engine/ui/MessageDialogSimple.h"
#include "engine/ui/MessageQuestionDialogSimple.h"
#include "engine/ui/WidgetManager.h"
#include "tests/minigames/PlaceholderMiniGame.h"
#include "tests/support/ScreenTestSupport.h"

#include <gtest/gtest.h>

// A minigame without a puzzle: the frame with the placeholder's "Solved"
// and "Skip" buttons, for the tests of the frame itself.
class FrameOnlyGame : public PlaceholderMiniGame {
public:
    explicit FrameOnlyGame(int questId) : PlaceholderMiniGame(questId, "FrameOnlyGame") {}
};

// The message dialog on the top screen, or null.
inline MessageDialogSimple* openMessage(ScreenTestApp& app)
{
    ScreenBase* top = app.top();
    if (!top)
        return nullptr;
    for (Widget* w : top->getWidgetManager()->getWidgets()) {
        auto* dialog = dynamic_cast<MessageDialogSimple*>(w);
        if (dialog && !dialog->isClosing())
            return dialog;
    }
    return nullptr;
}

// Waits for the open message's buttons, presses `buttonId` (the OK button
// by default) and lets the close animation run out.
inline void confirmMessage(ScreenTestApp& app, int buttonId = MessageDialogSimple::ConfirmButtonId)
{
    MessageDialogSimple* dialog = openMessage(app);
    ASSERT_NE(dialog, nullptr) << "no message is open";
    for (int i = 0; i < 20 && !dialog->isContentsShown(); ++i)
        app.frames(1);
    ASSERT_TRUE(dialog->isContentsShown());
    dialog->onButton(buttonId, 1);
    app.frames(10);
}

// Answers the open question: yes (1) or no (0).
inline void answerQuestion(ScreenTestApp& app, int answer)
{
    confirmMessage(app, answer == 1 ? MessageQuestionDialogSimple::YesButtonId : MessageQuestionDialogSimple::NoButtonId);
}

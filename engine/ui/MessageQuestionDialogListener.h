#pragma once
// Told the answer of a MessageQuestionDialogSimple once its close animation
// has ended and the dialog has been taken off its screen (it is deleted in
// the screen's next update).
#include <cstdint>

class MessageQuestionDialogListener {
public:
    virtual ~MessageQuestionDialogListener() = default;
    // `id` is the id the dialog was made with; `answer` is 1 for yes (the
    // first button), 0 for no (the second), -1 when the dialog was closed
    // without an answer.
    virtual void onAnswer(int32_t id, int32_t answer) = 0;
};

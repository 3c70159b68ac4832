#pragma once
// One receiver for every widget listener the end-to-end tests use. Each call
// becomes one line in the driver's HookLog:
//   QuarnButton                 "button <id> <event>"
//   simple buttons, draggables  "simple <id> <event>"
//   CheckBoxWidget              "check <id> <0|1>"
//   question dialog             "answer <id> <answer>"
//   message dialog              "closed <id> <result>"
//   TextInputWidget             "text <id> '<text>'"
#include "engine/ui/CheckBoxListener.h"
#include "engine/ui/MessageDialogSimpleListener.h"
#include "engine/ui/MessageQuestionDialogListener.h"
#include "engine/ui/QuarnButtonListener.h"
#include "engine/ui/SimpleButtonListener.h"
#include "engine/ui/TextInputListener.h"
#include <cstdint>
#include <functional>
#include <string>

class HookLog;

class ListenerRecorder : public QuarnButtonListener,
                         public SimpleButtonListener,
                         public CheckBoxListener,
                         public MessageQuestionDialogListener,
                         public MessageDialogSimpleListener,
                         public TextInputListener {
public:
    // `log` is not owned and must outlive the recorder.
    explicit ListenerRecorder(HookLog& log);
    ListenerRecorder(const ListenerRecorder&) = delete;
    ListenerRecorder& operator=(const ListenerRecorder&) = delete;

    void onButtonEvent(int id, int event) override;
    void onButton(int id, int event) override;
    void onCheckChanged(int id, bool checked) override;
    void onAnswer(int32_t id, int32_t answer) override;
    using MessageDialogSimpleListener::onDialogClosed;
    void onDialogClosed(int32_t id, int32_t result) override;
    void onTextChanged(const std::string& text, int id) override;

    // Run after a button event was logged (it may remove the button).
    std::function<void(int id, int event)> onButtonAction;

private:
    HookLog& log;
};

#include "tests/e2e/ListenerRecorder.h"

#include "tests/driver/HookLog.h"

ListenerRecorder::ListenerRecorder(HookLog& hookLog) : log(hookLog)
{
}

void ListenerRecorder::onButtonEvent(int id, int event)
{
    log.add("button " + std::to_string(id) + " " + std::to_string(event));
    if (onButtonAction) {
        auto action = onButtonAction;
        action(id, event);
    }
}

void ListenerRecorder::onButton(int id, int event)
{
    log.add("simple " + std::to_string(id) + " " + std::to_string(event));
}

void ListenerRecorder::onCheckChanged(int id, bool checked)
{
    log.add("check " + std::to_string(id) + " " + (checked ? "1" : "0"));
}

void ListenerRecorder::onAnswer(int32_t id, int32_t answer)
{
    log.add("answer " + std::to_string(id) + " " + std::to_string(answer));
}

void ListenerRecorder::onDialogClosed(int32_t id, int32_t result)
{
    log.add("closed " + std::to_string(id) + " " + std::to_string(result));
}

void ListenerRecorder::onTextChanged(const std::string& text, int id)
{
    log.add("text " + std::to_string(id) + " '" + text + "'");
}

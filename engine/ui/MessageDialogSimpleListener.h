#pragma once
// Told when a MessageDialogSimple has closed: its close animation has ended,
// and the dialog leaves its screen right after the call.
//
// Two forms of the same event: the dialog calls onDialogClosed(id, result),
// whose default calls onDialogClosed(id). Override whichever is needed; a
// class overriding one form should add
// `using MessageDialogSimpleListener::onDialogClosed;` to keep the other
// visible in its own scope.
#include <cstdint>

class MessageDialogSimpleListener {
public:
    virtual ~MessageDialogSimpleListener() = default;
    // `id` is the id the dialog was made with; `result` is 1 when the
    // confirming button closed it, -1 when something else did.
    virtual void onDialogClosed(int32_t id, int32_t result)
    {
        (void)result;
        onDialogClosed(id);
    }
    virtual void onDialogClosed(int32_t id) { (void)id; }
};

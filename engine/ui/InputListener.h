#pragma once
// Receiver of the application's key and mouse records.
struct KeyEvent;
struct MouseEvent;

class InputListener {
public:
    virtual ~InputListener() = default;
    // The record stays owned by the caller and lives for the call only.
    virtual void onKey(KeyEvent* event) = 0;
    // The record is passed by value: the receiver may change its copy.
    virtual void onMouse(MouseEvent event) = 0;
};

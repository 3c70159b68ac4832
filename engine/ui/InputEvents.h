#pragma once
// The application's input records, made from SDL events by the application
// and handed to the active screens from the top of the stack down.
#include <cstdint>

// One key press or release. Key and modifier values are SDL 1.2's
// (Return 13, Escape 27, F4 285, F8 289; left Alt 0x100, right Alt 0x200).
struct KeyEvent {
    enum Type : int32_t { Pressed = 0, Released = 1 };

    int32_t key = 0;
    int32_t modifiers = 0;
    int32_t type = Pressed;
    // The 16-bit Unicode value SDL reports for the key.
    int32_t unicode = 0;
    // The Unicode value when it is below 256, else 0 (fonts draw bytes).
    unsigned char character = 0;
};

// One pointer event. A freshly made record is a move with every other field 0.
struct MouseEvent {
    enum Type : int32_t { Press = 0, Release = 1, Move = 2, WheelUp = 3, WheelDown = 4 };
    enum Button : int32_t { Left = 1, Right = 2, Middle = 4 };

    // Relative motion; motion events only.
    int32_t dx = 0, dy = 0;
    // Pointer position in window pixels; 0, 0 for wheel events.
    int32_t x = 0, y = 0;
    // 0 when dispatched; a release handler sets it to 1 to stop being the
    // hovered widget after the release.
    int32_t handled = 0;
    int32_t type = Move;
    // Button mask. Moves: every button held; press and release: the button
    // concerned; wheel: 0.
    int32_t buttons = 0;
};

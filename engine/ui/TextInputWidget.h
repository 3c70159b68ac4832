#pragma once
// A one-line entry field with a caret, used for player names.
//
// The field takes keys once it is focused: by a mouse press on it, or, with
// follows-focus set, whenever the widget manager gives it the keyboard focus.
// A press runs the activation: a field built with clear-at-first-use empties
// its placeholder text the first time (a first key does the same when the
// field was focused without a press); otherwise the caret goes to the end.
//
// Pressed keys (SDL 1.2 codes; releases do nothing):
//   Backspace 8, Delete 127  remove the character before the caret
//   Up 273, Home 278         caret to the start
//   Down 274, End 279        caret to the end
//   Right 275, Left 276      caret one character right / left
//   any other key            plays "TEXT_INPUT" (the game's named effect when
//                            its sounds are loaded, else the field's own key
//                            sound when set), then inserts the key's 8-bit
//                            character at the caret when the filter accepts
//                            it (default: codes 32 to 255) and the text is
//                            shorter than the maximum length.
// After every insertion or removal, and when the first use clears a
// non-empty placeholder, the listener's copy of the text is updated and
// onTextChanged(text, id) is called. After every handled key the caret
// object is placed at the caret.
//
// The text is drawn at the field's top-left, or centred horizontally with
// alignment 2, shifted by the text offset. The font defaults to the game's
// input font (UiServices); without a font the field draws only its
// background. The listener is not owned; the caret object is.
#include "engine/core/Types.h"
#include "engine/ui/Widget.h"
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class Font;
class Sound;
class TextInputCursor;
class TextInputListener;

class TextInputWidget : public Widget {
public:
    enum Alignment : int32_t { Left = 0, Centred = 2 };
    using CharFilter = std::function<bool(unsigned char)>;

    // The caret starts at the end of the initial text. A null listener is
    // allowed: edits then notify nobody.
    TextInputWidget(TextInputListener* listener, uint32_t maxLength, const std::string& initialText,
                    bool clearAtFirstUse);
    ~TextInputWidget() override;

    void update(int dt, ScreenBase* screen) override;
    void draw(Graphics& g, ScreenBase* screen) override;
    void onMousePress(MouseEvent* event) override;
    void onKey(KeyEvent* event) override;
    void onFocusGained() override;
    void onFocusLost() override;
    // A centred text moves with the width: the caret object follows.
    void onGeometryChanged(const WidgetGeometry* oldGeometry, const WidgetGeometry* newGeometry) override;

    // The key handling described above; does nothing unless focused. Screens
    // that route keys themselves call it directly.
    void handleKey(const KeyEvent& event);
    void handleKey(KeyEvent* event);

    // Takes ownership of `caret` (may be null), deletes the previous caret
    // object and places the new one at the caret. Handing in the current
    // object again only places it.
    void setCursor(TextInputCursor* caret);
    TextInputCursor* getCursor() const { return cursor.get(); }

    const std::string& getText() const { return text; }
    int getCaret() const { return caret; }
    bool isFocused() const { return focused != 0; }

    void setId(int newId) { id = newId; }
    int getId() const { return id; }
    Font* getFont() const { return font; }
    void setAlignment(int newAlignment);
    void setTextOffset(int x, int y);
    void setBackgroundColour(Color c) { backgroundColour = c; }
    void setTextColour(Color c) { textColour = c; }
    // An empty filter restores the default (codes 32 and above).
    void setCharFilter(CharFilter filter);
    // Played for character keys when the game's named effects are not
    // loaded. Not owned; may be null.
    void setKeySound(Sound* sound) { keySound = sound; }
    void setFollowsFocus(bool on) { followsFocus = on ? 1 : 0; }

private:
    // The first-use clearing, or the caret to the end; then the caret object
    // is placed.
    void activate();
    void moveCaret(int key);
    void typeCharacter(unsigned char character);
    void playKeySound();
    void notifyListener();
    // Where the text's first character is drawn, without the text offset.
    int textStartX() const;
    void placeCursor();

    int32_t caret;
    Color backgroundColour{255, 255, 255, 255};
    Color textColour{0, 0, 0, 255};
    std::string text;
    uint32_t maxLength;
    Font* font;                    // not owned; may be null
    TextInputListener* listener;   // not owned; may be null
    int32_t id = 0;
    uint8_t clearAtFirstUse;
    std::unique_ptr<TextInputCursor> cursor;
    CharFilter filter;
    uint8_t focused = 0;
    int32_t textOffsetX = 0;
    int32_t textOffsetY = 0;
    Sound* keySound = nullptr;     // not owned
    int32_t alignment = Left;
    uint8_t followsFocus = 0;
};

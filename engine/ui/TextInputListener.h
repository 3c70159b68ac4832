#pragma once
// Receiver of a TextInputWidget's edits. It keeps its own copy of the field's
// text: the field overwrites that copy with its current text just before each
// onTextChanged, so the copy always equals the field's text after the latest
// edit.
#include <string>

class TextInputWidget;

class TextInputListener {
public:
    virtual ~TextInputListener() = default;

    // After every insertion or removal, with the new text and the field's id.
    // The default does nothing.
    virtual void onTextChanged(const std::string& /*text*/, int /*id*/) {}
    // The copy of the field's text (empty before the first edit).
    virtual std::string getText() const { return textCopy; }
    // The same as getText, under the name the menus use; either may be
    // overridden.
    virtual std::string text() const { return getText(); }

private:
    // Only the field writes the copy.
    friend class TextInputWidget;
    std::string textCopy;
};

#include "engine/ui/TextInputWidget.h"

#include "engine/audio/Sound.h"
#include "engine/gfx/Font.h"
#include "engine/gfx/Graphics.h"
#include "engine/ui/InputEvents.h"
#include "engine/ui/TextInputCursor.h"
#include "engine/ui/TextInputListener.h"
#include "engine/ui/UiServices.h"

namespace {

enum KeyCode : int32_t {
    KeyBackspace = 8,
    KeyDelete = 127,
    KeyUp = 273,
    KeyDown = 274,
    KeyRight = 275,
    KeyLeft = 276,
    KeyHome = 278,
    KeyEnd = 279,
};

bool acceptPrintable(unsigned char c)
{
    return c >= 32;
}

} // namespace

TextInputWidget::TextInputWidget(TextInputListener* inputListener, uint32_t maximumLength,
                                 const std::string& initialText, bool clearFirst)
    : caret(static_cast<int32_t>(initialText.size()))
    , text(initialText)
    , maxLength(maximumLength)
    , font(uiServices() ? uiServices()->inputFont() : nullptr)
    , listener(inputListener)
    , clearAtFirstUse(clearFirst ? 1 : 0)
    , filter(acceptPrintable)
{
}

TextInputWidget::~TextInputWidget() = default;

void TextInputWidget::update(int dt, ScreenBase*)
{
    if (focused && cursor)
        cursor->update(dt);
}

void TextInputWidget::draw(Graphics& g, ScreenBase*)
{
    g.fillRect(0, 0, geometry.w, geometry.h, backgroundColour);
    if (font)
        font->drawRun(g, textStartX() + textOffsetX, textOffsetY, text, textColour);
    if (focused && cursor)
        cursor->draw(g);
}

void TextInputWidget::onMousePress(MouseEvent*)
{
    activate();
    focused = 1;
}

void TextInputWidget::onKey(KeyEvent* event)
{
    handleKey(event);
}

void TextInputWidget::onFocusGained()
{
    if (followsFocus)
        focused = 1;
}

void TextInputWidget::onFocusLost()
{
    if (followsFocus)
        focused = 0;
}

void TextInputWidget::onGeometryChanged(const WidgetGeometry*, const WidgetGeometry*)
{
    placeCursor();
}

void TextInputWidget::handleKey(KeyEvent* event)
{
    if (event)
        handleKey(*event);
}

void TextInputWidget::handleKey(const KeyEvent& event)
{
    if (!focused || event.type != KeyEvent::Pressed)
        return;
    // Activation is not re-run for every key (that would send the caret back
    // to the end before each caret key); only a placeholder that no press has
    // cleared yet is cleared by the first key.
    if (clearAtFirstUse)
        activate();
    switch (event.key) {
    case KeyBackspace:
    case KeyDelete:
        if (caret > 0) {
            --caret;
            text.erase(static_cast<size_t>(caret), 1);
            notifyListener();
        }
        break;
    case KeyUp:
    case KeyHome:
    case KeyDown:
    case KeyEnd:
    case KeyRight:
    case KeyLeft:
        moveCaret(event.key);
        break;
    default:
        typeCharacter(event.character);
        break;
    }
    placeCursor();
}

void TextInputWidget::moveCaret(int key)
{
    const int32_t length = static_cast<int32_t>(text.size());
    if (key == KeyUp || key == KeyHome)
        caret = 0;
    else if (key == KeyDown || key == KeyEnd)
        caret = length;
    else if (key == KeyRight && caret < length)
        ++caret;
    else if (key == KeyLeft && caret > 0)
        --caret;
}

void TextInputWidget::typeCharacter(unsigned char character)
{
    // The click sounds for every such key, also one that inserts nothing.
    playKeySound();
    if (!filter(character))
        return;
    if (text.size() >= maxLength)
        return;
    text.insert(static_cast<size_t>(caret), 1, static_cast<char>(character));
    ++caret;
    notifyListener();
}

void TextInputWidget::playKeySound()
{
    UiServices* services = uiServices();
    if (services && services->soundsLoaded())
        services->playNamed("TEXT_INPUT");
    else if (keySound)
        keySound->play();
}

void TextInputWidget::notifyListener()
{
    if (!listener)
        return;
    listener->textCopy = text;
    listener->onTextChanged(listener->textCopy, id);
}

void TextInputWidget::activate()
{
    if (clearAtFirstUse) {
        clearAtFirstUse = 0;
        const bool hadText = !text.empty();
        text.clear();
        caret = 0;
        // The placeholder going is an edit like any other: a listener that
        // judges the text (an OK button kept for a non-empty name) hears it.
        if (hadText)
            notifyListener();
    } else {
        caret = static_cast<int32_t>(text.size());
    }
    placeCursor();
}

int TextInputWidget::textStartX() const
{
    if (alignment != Centred || !font)
        return 0;
    return static_cast<int>((geometry.w - font->textWidth(text)) * 0.5f);
}

void TextInputWidget::placeCursor()
{
    if (!cursor)
        return;
    WidgetGeometry rect;
    rect.y = textOffsetY;
    if (font) {
        // The caret sits on the drawn text: measured from where draw() puts
        // the first character, also when the text is centred.
        const int start = textStartX() + textOffsetX;
        const size_t at = static_cast<size_t>(caret);
        if (at < text.size()) {
            rect.x = start + font->textWidth(text.substr(0, at));
            rect.w = font->textWidth(text.substr(at, 1));
        } else {
            rect.x = start + font->textWidth(text);
            rect.w = font->textWidth("w");
        }
        rect.h = font->getLineHeight();
    } else {
        rect.x = textOffsetX;
    }
    cursor->setRect(rect);
}

void TextInputWidget::setCursor(TextInputCursor* caretObject)
{
    if (caretObject != cursor.get())
        cursor.reset(caretObject);
    placeCursor();
}

void TextInputWidget::setAlignment(int newAlignment)
{
    alignment = newAlignment;
    placeCursor();
}

void TextInputWidget::setTextOffset(int x, int y)
{
    textOffsetX = x;
    textOffsetY = y;
    placeCursor();
}

void TextInputWidget::setCharFilter(CharFilter newFilter)
{
    filter = newFilter ? std::move(newFilter) : CharFilter(acceptPrintable);
}

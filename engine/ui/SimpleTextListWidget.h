#pragma once
// A list of text lines with at most one selected line, showing a window of
// as many lines as fit in 164 pixels (integer division by the font's line
// height; a line height of 0 counts as 1). The widget is 240 pixels wide and
// exactly that many lines high. Lines are drawn in white, centred by
// default (alignment 2 centre, 1 right, other left), the selected one over a
// translucent bar.
//
// A mouse press selects the line under the pointer. Selecting scrolls the
// window just enough to show the line; removing lines keeps the window
// inside the list. Every selection and removal is reported to the listener
// with the list's id and the (new) selected index.
//
// The font defaults to the game's list font (UiServices) and is not owned;
// without one nothing but the selection bar is drawn. The listener is not
// owned and may be null.
#include "engine/core/Types.h"
#include "engine/ui/Widget.h"
#include <cstdint>
#include <string>
#include <vector>

class Font;
class SimpleTextListListener;

class SimpleTextListWidget : public Widget {
public:
    enum Alignment : int32_t { Left = 0, Right = 1, Centred = 2 };

    explicit SimpleTextListWidget(SimpleTextListListener* listener);

    void draw(Graphics& g, ScreenBase* screen) override;
    void onMousePress(MouseEvent* event) override;

    // Appends a line; returns the new line count.
    int addLine(const std::string& line);
    // Replaces line `index`; an index outside the list does nothing.
    void setLine(int index, const std::string& line);
    int lineCount() const { return static_cast<int>(lines.size()); }
    // The selected line's text; empty when nothing is selected.
    std::string selectedLine() const;
    // A valid index becomes the selection, is scrolled into view and is
    // reported. Any other index clears the selection (-1) without a report.
    void selectLine(int index);
    // An index outside the list does nothing. Otherwise the line goes and
    // the selection moves: up by one when the removed line lies above it or
    // is the last line (so removing the last line moves any selection up; a
    // selection of line 0 becomes -1), otherwise it keeps its index; it never
    // drops below -1. The new selection is reported.
    void removeLine(int index);

    // -1 when nothing is selected.
    int getSelectedIndex() const { return selected; }
    int getFirstVisible() const { return firstVisible; }
    int getVisibleLineCount() const { return visibleLines; }
    const std::string& getLine(int index) const { return lines.at(static_cast<size_t>(index)); }
    void setId(int newId) { id = newId; }
    int getId() const { return id; }
    void setAlignment(int newAlignment) { alignment = newAlignment; }

private:
    // The font's line height, at least 1 so that layout never divides by 0.
    int lineHeight() const;

    SimpleTextListListener* listener;  // not owned; may be null
    Font* font;                        // not owned; may be null
    int32_t alignment = Centred;
    int32_t id = 0;
    int32_t visibleLines;
    std::vector<std::string> lines;
    int32_t selected = -1;
    int32_t firstVisible = 0;
    Color selectionColour{127, 100, 100, 127};
};

#include "engine/ui/SimpleTextListWidget.h"

#include "engine/gfx/Font.h"
#include "engine/gfx/Graphics.h"
#include "engine/ui/InputEvents.h"
#include "engine/ui/SimpleTextListListener.h"
#include "engine/ui/UiServices.h"
#include <algorithm>

namespace {
constexpr int kListHeight = 164;
constexpr int kListWidth = 240;
} // namespace

SimpleTextListWidget::SimpleTextListWidget(SimpleTextListListener* listListener)
    : listener(listListener)
    , font(uiServices() ? uiServices()->listFont() : nullptr)
{
    visibleLines = kListHeight / lineHeight();
    geometry.w = kListWidth;
    geometry.h = visibleLines * lineHeight();
}

int SimpleTextListWidget::lineHeight() const
{
    // An empty font (unreadable descriptor) has line height 0.
    return font ? std::max(1, font->getLineHeight()) : 1;
}

void SimpleTextListWidget::draw(Graphics& g, ScreenBase*)
{
    const int h = lineHeight();
    const int count = lineCount();
    for (int i = firstVisible; i < firstVisible + visibleLines && i < count; ++i) {
        const int y = (i - firstVisible) * h;
        if (i == selected)
            g.fillRect(0, y, geometry.w, h, selectionColour);
        if (!font)
            continue;
        const std::string& line = lines[static_cast<size_t>(i)];
        const int width = font->textWidth(line);
        int x = 0;
        if (alignment == Centred)
            x = static_cast<int>((geometry.w - width) * 0.5f);
        else if (alignment == Right)
            x = geometry.w - width;
        font->drawRun(g, x, y, line, Color::white());
    }
}

void SimpleTextListWidget::onMousePress(MouseEvent* event)
{
    if (!event)
        return;
    const int index = (event->y - geometry.y) / lineHeight() + firstVisible;
    if (index >= 0 && index < lineCount())
        selectLine(index);
}

int SimpleTextListWidget::addLine(const std::string& line)
{
    lines.push_back(line);
    return lineCount();
}

void SimpleTextListWidget::setLine(int index, const std::string& line)
{
    if (index >= 0 && index < lineCount())
        lines[static_cast<size_t>(index)] = line;
}

std::string SimpleTextListWidget::selectedLine() const
{
    if (selected < 0 || selected >= lineCount())
        return std::string();
    return lines[static_cast<size_t>(selected)];
}

void SimpleTextListWidget::selectLine(int index)
{
    if (index < 0 || index >= lineCount()) {
        selected = -1;
        return;
    }
    selected = index;
    if (index < firstVisible)
        firstVisible = index;
    else if (firstVisible + visibleLines - 1 < index)
        firstVisible = index - visibleLines + 1;
    if (listener)
        listener->onLineSelected(id, index);
}

void SimpleTextListWidget::removeLine(int index)
{
    const int count = lineCount();
    if (index < 0 || index >= count)
        return;
    // A line above the selection takes the selection's text up with it.
    // Removing the last line moves the selection up by one whichever line is
    // selected (the profiles menu relies on this when it drops its last
    // entry); removing any other line at or below it keeps the index.
    if (index < selected || index == count - 1)
        --selected;
    // -1 means "none": with nothing selected the rule above would make it -2
    // and report an index that is neither a line nor "none".
    selected = std::max(selected, -1);
    lines.erase(lines.begin() + index);
    // Keep the window on the list: removals at the end would otherwise leave
    // it showing fewer lines than there are, or none at all, and a press,
    // counted from the first visible line, could not reach the lines above.
    firstVisible = std::max(0, std::min(firstVisible, lineCount() - visibleLines));
    if (listener)
        listener->onLineSelected(id, selected);
}

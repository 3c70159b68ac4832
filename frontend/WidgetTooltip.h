#pragma once
// The delayed tooltip of the settings widgets (CustomCheckBox,
// CustomSliderWidget): the pointer enters, 1500 ms later the text shows in a
// framed pale box standing above the widget from its horizontal middle; the
// pointer leaves, the box goes. Without a font or a text nothing starts.
//
// The widget owns one, feeds it its frame time and passes the delay's end
// (its ActionListener call with id 0) on to show().
#include "engine/core/Types.h"

#include <memory>
#include <string>

class ActionDelay;
class ActionListener;
class Font;
class Graphics;

class WidgetTooltip {
public:
    static constexpr int DelayMs = 1500;
    static constexpr int DelayId = 0;

    WidgetTooltip();
    ~WidgetTooltip();
    WidgetTooltip(const WidgetTooltip&) = delete;
    WidgetTooltip& operator=(const WidgetTooltip&) = delete;

    // Not owned; may be null (no tooltip then).
    void setFont(Font* f) { font = f; }
    void setText(const std::string& t) { text = t; }
    Font* getFont() const { return font; }
    const std::string& getText() const { return text; }

    // The pointer entered: with a font and a text, any pending delay is
    // dropped and a new one starts, telling `listener` (the widget) with
    // DelayId.
    void begin(ActionListener* listener);
    // The pointer left: the delay is dropped and the box hidden.
    void cancel();
    // Feeds the running delay.
    void update(int dt);
    void show() { visible = true; }
    bool isVisible() const { return visible; }
    bool isPending() const;
    // In the widget's coordinates; `widgetWidth` places the box.
    void draw(Graphics& g, int widgetWidth) const;
    // The framed box with the text at the given opacity, in the widget's
    // coordinates (nothing without a font).
    static void drawBox(Graphics& g, Font* font, const std::string& text, int widgetWidth, uint8_t alpha);

private:
    Font* font = nullptr;  // not owned
    std::string text;
    bool visible = false;
    std::unique_ptr<ActionDelay> delay;
};

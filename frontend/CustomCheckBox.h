#pragma once
// The check box of the settings screens: two pictures (unchecked, checked)
// at the widget's corner, greyed while disabled; a press toggles it, plays
// "CHECKBOX_CHECK" or "CHECKBOX_UNCHECK" (its own click sound while the
// game's named effects are not loaded) and tells the listener. With a click
// area set only presses inside that area (relative to the widget) count.
// A delayed tooltip (WidgetTooltip) shows while the pointer rests on it.
//
// setChecked (inherited) changes the state silently. The listener is not
// owned; the pictures belong to a resource manager.
#include "engine/anim/ActionListener.h"
#include "engine/ui/CheckBoxWidget.h"
#include "frontend/WidgetTooltip.h"

#include <string>

class Font;

class CustomCheckBox : public CheckBoxWidget, public ActionListener {
public:
    // Unchecked, sized to the unchecked picture, no click area, no tooltip.
    CustomCheckBox(int id, CheckBoxListener* listener, GLTexture* unchecked, GLTexture* checked);
    ~CustomCheckBox() override;

    void update(int dt, ScreenBase* screen) override;
    void draw(Graphics& g, ScreenBase* screen) override;
    void onMousePress(MouseEvent* event) override;
    void onMouseLeave() override;
    void onMouseEnter() override;
    // The tooltip delay ended (id 0).
    void onActionFinished(int32_t id) override;

    // Relative to the widget; x = -1 (the default) means the whole widget.
    void setClickArea(int x, int y, int w, int h) { clickArea = WidgetGeometry(x, y, 0, w, h); }
    const WidgetGeometry& getClickArea() const { return clickArea; }
    void setTooltipFont(Font* font) { tooltip.setFont(font); }
    void setTooltipText(const std::string& text) { tooltip.setText(text); }
    const WidgetTooltip& getTooltip() const { return tooltip; }

private:
    WidgetGeometry clickArea{-1, -1, 0, 0, 0};
    WidgetTooltip tooltip;
};

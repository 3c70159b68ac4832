#pragma once
// The horizontal slider of the settings screens: a rail picture, a fill
// picture tiled from the left as far as the value reaches, and a thumb that
// changes picture while the pointer is over it. A press jumps the value to
// the pressed point and starts a drag; every move of the drag sets the value
// from the pointer and tells the listener (also when the value stays); the
// release ends the drag and plays "SLIDER_MOUSE_RELEASED". A delayed tooltip
// (WidgetTooltip) shows while the pointer rests on it; a drag keeps it until
// the release, which hides it when it lands off the slider.
//
// Geometry relative to the widget: the track area (its width is the track
// length) is where the value runs from 0 to 1; the thumb is drawn at
// (thumb origin x + value x track length, thumb y); the fill starts at the
// fill origin. Only the track and the thumb take the pointer.
//
// A track of length 0 gives no value (presses and drags change nothing and
// tell nobody); a fill picture of width 0 is not drawn. Pictures belong to a
// resource manager; the listener is not owned.
#include "engine/anim/ActionListener.h"
#include "engine/ui/Widget.h"
#include "frontend/WidgetTooltip.h"

#include <cstdint>
#include <string>

class CustomSliderListener;
class Font;
class GLTexture;

class CustomSliderWidget : public Widget, public ActionListener {
public:
    // At (x, y), the rail's size; the track is the whole rail; origins 0,
    // value 0; `thumb` is the normal thumb (and the hovered one until
    // another is set).
    CustomSliderWidget(CustomSliderListener* listener, int id, int x, int y, GLTexture* rail, GLTexture* thumb);
    ~CustomSliderWidget() override;

    void update(int dt, ScreenBase* screen) override;
    void draw(Graphics& g, ScreenBase* screen) override;
    void onMousePress(MouseEvent* event) override;
    void onMouseMove(MouseEvent* event) override;
    void onMouseRelease(MouseEvent* event) override;
    void onMouseLeave() override;
    void onMouseEnter() override;
    bool hitTest(int x, int y) override;
    // The tooltip delay ended (id 0).
    void onActionFinished(int32_t id) override;

    void setHoverThumb(GLTexture* thumb) { hoverThumb = thumb; }
    void setFill(GLTexture* fillPicture) { fill = fillPicture; }
    void setThumbOrigin(int x, int y)
    {
        thumbOriginX = x;
        thumbY = y;
    }
    void setFillOrigin(int x, int y)
    {
        fillOriginX = x;
        fillY = y;
    }
    void setTrackArea(const WidgetGeometry& area) { track = area; }
    // Clamped to 0..1; tells nobody.
    void setValue(float v);
    void setTooltipFont(Font* font) { tooltip.setFont(font); }
    void setTooltipText(const std::string& text) { tooltip.setText(text); }

    float getValue() const { return value; }
    bool isDragging() const { return dragging; }
    GLTexture* getCurrentThumb() const { return currentThumb; }
    const WidgetTooltip& getTooltip() const { return tooltip; }
    // Copies of the fill picture the value asks for (0 without a fill).
    int fillTileCount() const;
    // Left edge of the thumb, relative to the widget.
    int thumbX() const;

private:
    // The value from the pointer's x, notified; nothing for a track of 0.
    void followPointer(const MouseEvent& event);

    CustomSliderListener* listener;  // not owned
    int32_t id;
    GLTexture* rail;                     // not owned
    GLTexture* currentThumb;             // not owned
    GLTexture* normalThumb;              // not owned
    GLTexture* hoverThumb = nullptr;     // not owned
    GLTexture* fill = nullptr;           // not owned
    int32_t thumbOriginX = 0;
    int32_t thumbY = 0;
    int32_t fillOriginX = 0;
    int32_t fillY = 0;
    float value = 0.f;
    WidgetGeometry track;
    bool dragging = false;
    WidgetTooltip tooltip;
};

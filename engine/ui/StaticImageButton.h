#pragma once
// A picture button with a normal, a hover and a pressed image, an optional
// caption drawn over the picture, and room for a glow: a derived button may
// install an action that drives the glow alpha, with which the hover image is
// then drawn over the normal one.
//
// Events to the listener: 2 entered, 0 pressed, 1 released (only when the
// press was made on the button and the pointer is still on it: a click), 3
// left. It plays "BUTTON_OVER" and "BUTTON_PRESS" unless silent; a silent
// button still reports every event. An invisible button ignores the pointer.
// The listener is called last in each handler, so it may take the button off
// its screen (ScreenBase::safeRemoveWidget) or add widgets.
//
// Hit test: the normal image's picture size at the button's position; with
// rectangle-hit off (the default) only the normal image's non-transparent
// pixels count, and a texture that no longer keeps its image is never hit.
//
// A normal image that failed to load (pictureFailed) is replaced by a stand-in
// box of the missing-picture size, hit anywhere, with the caption centred in
// it, so the button can still be read and clicked.
#include "engine/anim/ActionListener.h"
#include "engine/core/Types.h"
#include "engine/ui/Widget.h"
#include <cstdint>
#include <memory>
#include <string>

class Action;
class Font;
class GLTexture;
class SimpleButtonListener;

class StaticImageButton : public Widget, public ActionListener {
public:
    // Sized to the normal image's picture, at 0, 0. Without a pressed image
    // the hover image is shown while pressed. Images and listener are not
    // owned.
    StaticImageButton(GLTexture* normal, GLTexture* hover, SimpleButtonListener* listener, int id,
                      GLTexture* pressed = nullptr);
    ~StaticImageButton() override;

    // Places the button at (x, y) with the normal image's size. The depth is
    // kept, so a button already on a screen stays in its place among the
    // others.
    virtual void moveTo(int x, int y);
    // Widget::setEnabled; disabling also clears hover and press and shows
    // the normal image.
    virtual void setEnabled(bool on);

    // Drives the glow action, when there is one.
    void update(int dt, ScreenBase* screen) override;
    void draw(Graphics& g, ScreenBase* screen) override;
    void onMousePress(MouseEvent* event) override;
    void onMouseRelease(MouseEvent* event) override;
    void onMouseLeave() override;
    void onMouseEnter() override;
    void disable() override;
    bool hitTest(int x, int y) override;
    // For a derived button's actions; nothing here.
    void onActionFinished(int32_t id) override;

    // Caption drawn with Font::drawTextInBoxRuns in the box (relative to the
    // button), with the horizontal alignment, vertical alignment 2 and no
    // wrap. The font is not owned; null draws no caption.
    void setCaption(const std::string& text, Font* font, const WidgetGeometry& box, int hAlign, Color colour);
    void setCaptionShadow(bool on) { captionShadow = on; }
    void setSilent(bool on) { silent = on; }
    void setRectangleHit(bool on) { rectangleHit = on; }
    void setDisabledTint(Color c) { disabledTint = c; }

    GLTexture* getCurrentImage() const { return currentImage; }
    bool isHovered() const { return hovered; }
    bool isPressed() const { return pressed; }
    int getId() const { return id; }

protected:
    GLTexture* normalImage;   // not owned
    GLTexture* hoverImage;    // not owned
    GLTexture* pressedImage;  // not owned
    bool hovered = false;
    bool pressed = false;
    SimpleButtonListener* listener;  // not owned
    int32_t id;
    bool rectangleHit = false;
    GLTexture* currentImage;  // not owned
    Font* captionFont = nullptr;  // not owned
    std::string caption;
    WidgetGeometry captionBox;
    int32_t captionAlign = 2;
    Color captionColor = Color(0, 0, 0, 0);
    // Installed by derived buttons; it drives glowAlpha.
    std::unique_ptr<Action> glowAction;
    uint8_t glowAlpha = 0;
    bool silent = false;
    Color disabledTint = Color(255, 255, 255, 255);
    bool captionShadow = false;
};

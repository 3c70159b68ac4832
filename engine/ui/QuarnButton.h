#pragma once
// The engine's main animated button. It has four looks (ButtonDesc), one per
// state, and cross-fades between them when its state changes; it fades in
// when it is attached to a widget manager, plays the named effects
// "BUTTON_OVER" and "BUTTON_PRESS", and shows its tooltip text (when it has
// one) above itself after the pointer has rested on it for 1500 ms.
//
// Events to the listener (may be null: then nothing is reported): 2 when
// the pointer enters, 0 on a press while hovered, 1 on a release over the
// button that follows a press on it (a click), 3 when the pointer leaves.
// The listener is called last in each handler, so it may take the button off
// its screen (ScreenBase::safeRemoveWidget) or add widgets.
//
// A look whose picture failed to load draws a stand-in box over the whole
// button (faded with the look's fill alpha) under its caption.
//
// Time: the fades and the tooltip delay move only by the milliseconds given
// to update(). Placement: a new button has position and size 0; the owner
// sets them (setBounds). The button is owned by the screen it is added to.
#include "engine/anim/ActionListener.h"
#include "engine/ui/ButtonDesc.h"
#include "engine/ui/Widget.h"
#include <cstdint>
#include <memory>
#include <string>

class ActionDelay;
class Font;
class GLTexture;
class ParalelAction;
class QuarnButtonListener;

class QuarnButton : public Widget, public ActionListener {
public:
    enum State : uint32_t { Normal = 0, Hovered = 1, Pressed = 2, Disabled = 3 };
    // Ids of the button's own actions.
    static constexpr int FadeActionId = 0;
    static constexpr int TooltipDelayId = 1;
    static constexpr int TooltipDelayMs = 1500;
    // A tooltip that would pass this x (the logical screen width) is moved
    // left so that its right edge stays 4 pixels inside.
    static constexpr int TooltipRightLimit = 1024;

    // Copies the description (and takes the copy's colours as its saved
    // colours). The listener is not owned.
    QuarnButton(QuarnButtonListener* listener, int id, const ButtonDesc& desc, const std::string& caption);
    ~QuarnButton() override;

    // Fades the current look in.
    void onAttached() override;
    // Drives the running fade and the tooltip delay by dt ms.
    void update(int dt, ScreenBase* screen) override;
    // The previous look while fading, the current look, then the tooltip.
    void draw(Graphics& g, ScreenBase* screen) override;
    void onMousePress(MouseEvent* event) override;
    void onMouseRelease(MouseEvent* event) override;
    void onMouseLeave() override;
    void onMouseEnter() override;
    // Disabling also clears hover and press and hides the tooltip; no event
    // is sent either way.
    void enable() override;
    void disable() override;
    // Inside the rectangle; when the normal look's texture keeps its image,
    // the pixel there must also be non-transparent (a point outside the
    // picture is a miss). Without a kept image, or with a picture that
    // failed to load (pictureFailed), the rectangle decides.
    bool hitTest(int x, int y) override;
    // FadeActionId: the fade ended, the saved colours are back.
    // TooltipDelayId: the tooltip shows.
    void onActionFinished(int32_t id) override;

    // Stores the tooltip text and takes the tooltip font of the installed
    // UiServices; without services (or a font there) the font set before
    // stays. Without a tooltip font, or with an empty text, no tooltip is
    // shown (an empty text also hides one already showing).
    void setTooltip(const std::string& text);
    void setTooltipFont(Font* font) { tooltipFont = font; }
    // Replaces the caption text.
    void setCaption(const std::string& text) { caption = text; }
    // A picture drawn instead of the caption text (not owned; null: text).
    void setCaptionImage(GLTexture* image) { captionImage = image; }

    uint32_t getState() const { return state; }
    uint32_t getPreviousState() const { return previousState; }
    bool isHovered() const { return hovered; }
    bool isPressed() const { return pressed; }
    bool isFading() const { return fading; }
    bool isTooltipShown() const { return tooltipShown; }
    const std::string& getCaption() const { return caption; }
    const std::string& getTooltip() const { return tooltipText; }
    Font* getTooltipFont() const { return tooltipFont; }
    int getId() const { return id; }
    // The button's own copy of its description (colours change while fading).
    const ButtonDesc& getDesc() const { return desc; }

private:
    // Recomputes the state; on a change between looks that differ (as
    // described, whatever a running fade did to their colours) cross-fades.
    void applyStateRule();
    void startFadeIn();
    void startCrossFade();
    // Deletes a running fade and restores the saved colours.
    void clearFade();
    void startTooltipDelay();
    void stopTooltip();
    bool looksDiffer(int a, int b) const;
    void drawLook(Graphics& g, const ButtonDesc::Look& look);
    void drawTooltip(Graphics& g);

    ButtonDesc desc;
    uint32_t state = Normal;
    uint32_t previousState = Normal;
    bool pressed = false;
    bool hovered = false;
    bool fading = false;
    std::string caption;
    GLTexture* captionImage = nullptr;  // not owned
    bool tooltipShown = false;
    Font* tooltipFont = nullptr;  // not owned
    std::string tooltipText;
    Color tooltipFill = Color(251, 242, 184, 255);
    // Border and text of the tooltip.
    Color tooltipBorder = Color(91, 43, 8, 255);
    QuarnButtonListener* listener;  // not owned
    int32_t id;
    std::unique_ptr<ParalelAction> fadeAction;
    std::unique_ptr<ActionDelay> tooltipDelay;
};

// A new button for the description (null: a description with default looks,
// reported as an error). The caller owns the result, usually handing it to a
// screen with ScreenBase::addWidget.
QuarnButton* createQuarnButton(QuarnButtonListener* listener, int id, const ButtonDesc* desc,
                               const std::string& caption);
QuarnButton* createQuarnButton(QuarnButtonListener* listener, int id, const ButtonDesc& desc,
                               const std::string& caption);

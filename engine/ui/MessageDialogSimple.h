#pragma once
// A message shown over a screen with one confirming button. The dialog is a
// widget covering the whole 1024 x 768 layout: it dims everything below it
// and takes every click that its own buttons do not, so nothing under it can
// be used while it is there.
//
// Life of a dialog (each one is used once):
//  1. made from a MessageDialogDesc (copied) and added to a screen
//     (ScreenBase::addWidget; the screen owns it);
//  2. opening: at its first update on that screen it plays the open
//     animation (id 790790 in its own player) at the dialog position; only
//     the dim is drawn;
//  3. shown: when the open animation ends, buildContents() puts the button
//     on the screen's widget manager and the text and title are drawn;
//  4. closing: the button's click (or close()) takes the button off, stops
//     and removes the open animation and plays the close animation (790791);
//  5. when it ends the listener is told onDialogClosed(id, result) and then
//     the dialog takes itself off the screen, which deletes it in its next
//     update.
// An open animation that cannot be loaded (or has nothing to play) does not
// hold the dialog: the contents are built at once. A close animation that
// cannot be loaded finishes the close at once.
//
// The listener may close the screen or add widgets from onDialogClosed; it
// must not delete the dialog itself (the screen does that).
//
// Ownership: the dialog owns its animation player and its buttons. The
// buttons sit on the screen's widget manager while shown but are never owned
// by the screen; the animations belong to the screen once played. Leaving
// the widget manager (for any reason) takes the buttons off and removes both
// animations from the screen.
#include "engine/core/Types.h"
#include "engine/ui/AnimationPlayerListener.h"
#include "engine/ui/MessageDialogDesc.h"
#include "engine/ui/SimpleButtonListener.h"
#include "engine/ui/Widget.h"
#include <cstdint>
#include <memory>
#include <string>

class AnimationPlayer;
class MessageDialogSimpleListener;
class SimpleImageButton;

class MessageDialogSimple : public Widget, public AnimationPlayerListener, public SimpleButtonListener {
public:
    // Ids of the two animations in the dialog's own player.
    static constexpr int32_t OpenAnimationId = 790790;
    static constexpr int32_t CloseAnimationId = 790791;
    // Id of the confirming button.
    static constexpr int32_t ConfirmButtonId = -10000;
    // Layer of the text, title and decoration in the late drawing pass.
    static constexpr int LateDrawLayer = 100;

    // Without a listener.
    MessageDialogSimple(const MessageDialogDesc& desc, int32_t id);
    // The listener is not owned and may be null. Loads both animations, and
    // wraps the text to the box width when asked to (with the text font).
    MessageDialogSimple(const MessageDialogDesc& desc, MessageDialogSimpleListener* listener, int32_t id);
    // Takes the buttons off the widget manager if they are still there.
    ~MessageDialogSimple() override;

    // Starts closing: the button goes off the widget manager, the open
    // animation is stopped and removed, the close animation plays. True when
    // the close is under way (or already was); false when the dialog cannot
    // close because it has not yet been updated on a screen.
    virtual bool close();
    // Puts the button on the screen's widget manager and shows the texts.
    // Runs once, when the open animation has ended; does nothing once the
    // dialog is closing or while it is not on a widget manager.
    virtual void buildContents();

    // Stops and removes both animations and takes the buttons off.
    void onDetached() override;
    // Learns its screen; starts the opening at the first call.
    void update(int dt, ScreenBase* screen) override;
    // Dims the layout and asks for the late pass.
    void draw(Graphics& g, ScreenBase* screen) override;
    // Decoration, text and title, while the contents are shown.
    void drawLate(Graphics& g, ScreenBase* screen) override;
    // The end of the open animation builds the contents; the end of the
    // close animation tells the listener and removes the dialog.
    void onAnimationFinished(int32_t animationId) override;
    // A click (event 1) on the confirming button: result 1, then close.
    void onButton(int buttonId, int event) override;

    int32_t getId() const { return id; }
    // -1 until the confirming button was clicked, then 1.
    int32_t getResult() const { return result; }
    bool isContentsShown() const { return contentsShown; }
    bool isClosing() const { return closing; }
    // The message as drawn (after wrapping).
    const std::string& getText() const { return desc.text; }
    const MessageDialogDesc& getDesc() const { return desc; }
    // Null until the contents are built.
    SimpleImageButton* getButton() const { return button.get(); }
    AnimationPlayer* getPlayer() const { return player.get(); }
    // The screen the dialog was last updated on, or null.
    ScreenBase* getScreen() const { return screen; }

protected:
    // The common start of a close, with the z offset of the close animation.
    bool beginClose(int32_t zOffset);
    // Takes this dialog's buttons off the widget manager (they stay owned).
    virtual void removeButtons();
    // The close animation has ended, or could not be played: tell the
    // listener, then leave the screen.
    virtual void finishClose();
    // Deferred removal from the screen; does nothing before the screen is
    // known.
    void removeFromScreen();
    // A button of the desc's kind: captioned with the button font when there
    // is one, image-only otherwise; the caption is white.
    static SimpleImageButton* makeButton(GLTexture* normal, GLTexture* over, GLTexture* overlay, int32_t buttonId,
                                         Font* font, const std::string& caption);
    // Gives the button the desc's sounds, the overlay offset, this dialog as
    // listener and its place, and puts it on the widget manager.
    void placeButton(SimpleImageButton* b, int32_t bx, int32_t by);
    // Takes a button off the widget manager it is on, if any.
    static void takeOff(SimpleImageButton* b);

    MessageDialogDesc desc;
    std::unique_ptr<AnimationPlayer> player;
    std::unique_ptr<SimpleImageButton> button;
    ScreenBase* screen = nullptr;  // not owned; set by update()
    bool contentsShown = false;
    bool closing = false;
    bool openingStarted = false;
    int32_t result = -1;
    int32_t id;

private:
    MessageDialogSimpleListener* listener;  // not owned
};

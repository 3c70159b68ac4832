#include "engine/ui/MessageDialogSimple.h"

#include "engine/core/Log.h"
#include "engine/core/StringUtils.h"
#include "engine/gfx/Font.h"
#include "engine/gfx/GLTexture.h"
#include "engine/gfx/Graphics.h"
#include "engine/ui/AnimationPlayer.h"
#include "engine/ui/ButtonSupport.h"
#include "engine/ui/MessageDialogSimpleListener.h"
#include "engine/ui/ScreenBase.h"
#include "engine/ui/SimpleImageButton.h"
#include "engine/ui/WidgetManager.h"

namespace {
// The logical layout the dialog covers and centres its buttons in.
const int32_t LayoutWidth = 1024;
const int32_t LayoutHeight = 768;
const Color DimColour(0, 0, 0, 128);
const Color White(255, 255, 255, 255);
} // namespace

MessageDialogSimple::MessageDialogSimple(const MessageDialogDesc& d, int32_t dialogId)
    : MessageDialogSimple(d, nullptr, dialogId)
{
}

MessageDialogSimple::MessageDialogSimple(const MessageDialogDesc& d, MessageDialogSimpleListener* l,
                                         int32_t dialogId)
    : desc(d), player(std::make_unique<AnimationPlayer>(this)), id(dialogId), listener(l)
{
    // A failed load is reported by the player; the dialog then opens or
    // closes without that animation.
    (void)player->loadAnimation(OpenAnimationId, desc.openAnimation);
    (void)player->loadAnimation(CloseAnimationId, desc.closeAnimation);
    if (desc.wrap && desc.textBox.w > 0 && desc.textFont) {
        std::string wrapped;
        desc.textFont->wrapText(desc.text, wrapped, desc.textBox.w);
        desc.text = wrapped;
        // Wrapped once here; drawing must not wrap again.
        desc.wrap = false;
    }
    if (!desc.titleFont)
        desc.titleFont = desc.textFont;
    geometry = WidgetGeometry(0, 0, 0, LayoutWidth, LayoutHeight);
}

MessageDialogSimple::~MessageDialogSimple()
{
    // Normally already off (onDetached); a dialog deleted while managed must
    // not leave its buttons behind on the manager.
    takeOff(button.get());
}

void MessageDialogSimple::update(int, ScreenBase* host)
{
    if (host)
        screen = host;
    if (openingStarted || closing || !screen)
        return;
    openingStarted = true;
    if (player->findAnimation(OpenAnimationId)) {
        // Its end (reported from the animation's update, or at its next
        // update when it has nothing to play) builds the contents.
        player->playAnimation(OpenAnimationId, 10, desc.x, desc.y, screen);
    } else {
        // Nothing would ever end the opening, and the dialog would cover
        // the screen for good.
        buildContents();
    }
}

void MessageDialogSimple::buildContents()
{
    if (closing || button || !manager)
        return;
    // A desc that gives only the first button's pair still gets a button
    // that can be clicked.
    const bool shared = desc.buttonNormal != nullptr || desc.firstButtonNormal == nullptr;
    GLTexture* normal = shared ? desc.buttonNormal : desc.firstButtonNormal;
    GLTexture* over = shared ? desc.buttonOver : desc.firstButtonOver;
    int32_t bx = desc.firstButtonX;
    int32_t by = desc.firstButtonY;
    if (bx < 0 || by < 0) {
        const double w = pictureWidth(normal);
        bx = static_cast<int32_t>((LayoutWidth - desc.x) * 0.5 + 45 + (desc.x - w) * 0.5);
        by = static_cast<int32_t>((LayoutHeight - desc.y) * 0.5 + desc.y - 40);
    }
    button.reset(makeButton(normal, over, desc.firstOverlay, ConfirmButtonId, desc.buttonFont, desc.firstCaption));
    placeButton(button.get(), bx, by);
    contentsShown = true;
}

SimpleImageButton* MessageDialogSimple::makeButton(GLTexture* normal, GLTexture* over, GLTexture* overlay,
                                                   int32_t buttonId, Font* font, const std::string& caption)
{
    if (!normal)
        logError("message dialog: button " + std::to_string(buttonId) + " has no picture and cannot be clicked");
    if (!font)
        return new SimpleImageButton(normal, over, overlay, buttonId);
    auto* b = new SimpleImageButton(normal, over, overlay, buttonId, font, caption);
    b->setNormalTextColor(White);
    return b;
}

void MessageDialogSimple::placeButton(SimpleImageButton* b, int32_t bx, int32_t by)
{
    b->setOwnSounds(desc.pressSound, desc.hoverSound);
    b->setOverlayOffset(15, 6);
    b->setListener(this);
    b->setPosition(bx, by);
    manager->addWidget(b);
}

void MessageDialogSimple::takeOff(SimpleImageButton* b)
{
    if (b && b->getManager())
        b->getManager()->removeWidget(b);
}

void MessageDialogSimple::removeButtons()
{
    takeOff(button.get());
}

void MessageDialogSimple::onButton(int buttonId, int event)
{
    if (buttonId != ConfirmButtonId || event != 1)
        return;
    result = 1;
    if (!close())
        removeFromScreen();
}

bool MessageDialogSimple::close()
{
    return beginClose(10);
}

bool MessageDialogSimple::beginClose(int32_t zOffset)
{
    if (closing)
        return true;
    if (!screen)
        return false;
    closing = true;
    player->stopAnimation(OpenAnimationId);
    player->removeAnimation(OpenAnimationId, screen);
    removeButtons();
    contentsShown = false;
    if (player->findAnimation(CloseAnimationId))
        player->playAnimation(CloseAnimationId, zOffset, desc.x, desc.y, screen);
    else
        finishClose();
    return true;
}

void MessageDialogSimple::onAnimationFinished(int32_t animationId)
{
    // Called from inside the animation's own update: everything done here
    // (removing the dialog and with it the animation) is deferred by the
    // screen and by the animation.
    if (animationId == OpenAnimationId)
        buildContents();
    else if (animationId == CloseAnimationId && closing)
        finishClose();
}

void MessageDialogSimple::finishClose()
{
    if (listener)
        listener->onDialogClosed(id, result);
    removeFromScreen();
}

void MessageDialogSimple::removeFromScreen()
{
    if (screen)
        screen->safeRemoveWidget(this);
}

void MessageDialogSimple::onDetached()
{
    if (screen) {
        player->stopAnimation(OpenAnimationId);
        player->removeAnimation(OpenAnimationId, screen);
        player->stopAnimation(CloseAnimationId);
        player->removeAnimation(CloseAnimationId, screen);
    }
    removeButtons();
    contentsShown = false;
}

void MessageDialogSimple::draw(Graphics& g, ScreenBase*)
{
    g.fillRect(0, 0, geometry.w, geometry.h, DimColour);
    if (manager)
        manager->requestLateDraw(this, LateDrawLayer);
}

void MessageDialogSimple::drawLate(Graphics& g, ScreenBase*)
{
    if (!desc.textFont || !contentsShown)
        return;
    if (desc.decoration)
        g.drawImage(desc.x + 354, desc.y - 79, desc.decoration, White);
    if (desc.textBox.w < 0) {
        desc.textFont->drawRun(g, desc.x + 100, desc.y + 100, desc.text, desc.textColor);
    } else {
        const WidgetGeometry box(desc.x + desc.textBox.x, desc.y + desc.textBox.y, desc.textBox.z, desc.textBox.w,
                                 desc.textBox.h);
        desc.textFont->drawTextInBoxRuns(g, box, desc.text, desc.textColor, desc.textAlignment, 2, desc.wrap);
    }
    if (!desc.title.empty())
        desc.titleFont->drawRun(g, desc.x + desc.titleX, desc.y + desc.titleY, toUpper(desc.title), White);
}

#include "frontend/DialogScreen.h"

#include "engine/anim/FadeInTransition.h"
#include "engine/anim/FadeOutTransition.h"
#include "engine/anim/Tweens.h"
#include "engine/gfx/GLTexture.h"
#include "engine/gfx/Graphics.h"
#include "engine/res/ResourceManager.h"
#include "engine/ui/AnimationPlayer.h"
#include "engine/ui/QuarnButton.h"
#include "engine/ui/WidgetManager.h"
#include "frontend/DialogCharacterSet.h"
#include "frontend/DialogScreenListener.h"
#include "frontend/FrontendUi.h"
#include "frontend/MyDialog.h"
#include "frontend/ScreenRoutes.h"
#include "game/ContentTables.h"

namespace {
const WidgetGeometry CaptionBox(1, 7, 0, 204, 34);
const int DimDoneId = 0;
} // namespace

DialogScreen::DialogScreen(int id, const std::string& path, DialogScreenListener* dialogListener, bool isOverlay)
    : ScreenBase(std::string())
    , dialogPath(path)
    , player(std::make_unique<AnimationPlayer>(this))
    , screenId(id)
    , listener(dialogListener)
    , overlay(isOverlay)
{
    setInTransition(new FadeInTransition(FadeMs));
    setOutTransition(new FadeOutTransition(FadeMs));
}

DialogScreen::~DialogScreen()
{
    if (dialog) {
        if (DialogCharacterSet* set = dialog->getCharacters()) {
            for (const auto& entry : set->characters())
                entry.second->releaseAnimations();
        }
        flushRemovedWidgets();
        removeWidget(dialog);
        dialog = nullptr;
    }
    dim.reset();
    player.reset();
}

void DialogScreen::loadResources()
{
    registerStoryResources(getResources());
}

void DialogScreen::build()
{
    dialog = new MyDialog(dialogPath, player.get(), 0, this, this);
    addWidget(dialog);
    if (overlay)
        startDim(DimAlpha, nullptr);
    dialog->setBounds(0, 0, 1024, 768);
    dialog->setPaused(false);
    getWidgetManager()->raiseWidget(dialog);

    ResourceManager* res = getResources();
    GLTexture* normal = res->findTexture("STORY_BTN_N");
    GLTexture* over = res->findTexture("STORY_BTN_O");
    const ButtonDesc desc = FrontendUi::buttonDesc(normal, over, over, normal, CaptionBox);
    const int w = normal ? normal->getWidth() : 0;
    const int h = normal ? normal->getHeight() : 0;
    continueButton = FrontendUi::makeButton(this, ContinueButton, desc, std::string(), std::string(), 1024 - w,
                                            768 - h, normal);
    addWidget(continueButton);
    getWidgetManager()->raiseWidget(continueButton);
    hideContinueButton();
}

void DialogScreen::startDim(int target, ActionListener* whenDone)
{
    dim = std::make_unique<RelIncrementator<int32_t>>(Duration(FadeMs), &dimAlpha, target - dimAlpha);
    dim->start(whenDone, DimDoneId);
}

void DialogScreen::onUpdate(int dt)
{
    if (dim && dim->isRunning())
        dim->update(dt);
}

void DialogScreen::showContinueButton()
{
    if (!continueButton)
        return;
    continueButton->setVisible(true);
    getWidgetManager()->raiseWidget(continueButton);
    continueButton->setEnabled(true);
}

void DialogScreen::hideContinueButton()
{
    if (!continueButton)
        return;
    continueButton->setVisible(false);
    continueButton->setEnabled(false);
}

void DialogScreen::onButtonEvent(int id, int event)
{
    if (id != ContinueButton || event != 1)
        return;
    hideContinueButton();
    if (dialog)
        dialog->requestAdvance();
}

void DialogScreen::onDialogFinished(int)
{
    if (overlay)
        startDim(0, this);
    else
        close(ClosedCode, true);
}

void DialogScreen::onActionFinished(int32_t id)
{
    if (id == DimDoneId && getState() != Leaving)
        close(ClosedCode, true);
}

void DialogScreen::onAnimationFinished(int32_t) {}

void DialogScreen::drawBackground(Graphics& g)
{
    if (dialog && dialog->getBackground())
        g.drawImage(0, 0, dialog->getBackground(), Color::white());
    else
        g.fillRect(0, 0, 1024, 768, Color(40, 20, 25, static_cast<uint8_t>(dimAlpha)));
}

void DialogScreen::drawOverlay(Graphics& g)
{
    if (!dialog)
        return;
    if (dialog->speaker() >= 0 && dialog->getCharacters()) {
        if (const DialogCharacter* who = dialog->getCharacters()->find(dialog->speaker()))
            who->drawText(Color::white(), g);
    }
    if (dialog->isWaiting())
        dialog->drawWaitingMark(g);
}

void DialogScreen::onClosed(int)
{
    // Popping deletes this screen: keep what the route needs first.
    DialogScreenListener* toTell = listener;
    const int id = screenId;
    const bool continueFlow = !overlay;
    ScreenRoutes::leave(this);
    if (toTell)
        toTell->onDialogScreenClosed(id);
    if (continueFlow)
        ScreenRoutes::show(ScreenRoutes::flowScreenOrMenu(true));
}

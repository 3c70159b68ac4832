#include "frontend/DialogScreen.h"

#include "engine/anim/FadeInTransition.h"
#include "engine/anim/FadeOutTransition.h"
#include "frontend/DialogScreenListener.h"
#include "frontend/ScreenRoutes.h"
#include "game/ContentTables.h"

namespace {
const Color FullScreenFill(36, 28, 20, 255);
}

DialogScreen::DialogScreen(int id, const std::string& path, DialogScreenListener* dialogListener, bool noPush)
    : ScreenBase(std::string())
    , screenId(id)
    , dialogPath(path)
    , listener(dialogListener)
    , noPushOnLeave(noPush)
{
    setInTransition(new FadeInTransition(FadeMs));
    setOutTransition(new FadeOutTransition(FadeMs));
}

void DialogScreen::loadResources()
{
    registerStoryResources(getResources());
}

void DialogScreen::build()
{
    layout.attach(this, std::string(), "STORY_BTN_N", "STORY_BTN_O");
    layout.addTitle("Dialog", 160);
    layout.addText(dialogPath, 230);
    layout.addButtonRow(this, {{ContinueButton, "Continue"}}, 620);
}

void DialogScreen::drawBackground(Graphics& g)
{
    layout.drawBackground(g, noPushOnLeave ? Color(0, 0, 0, VeilAlpha) : FullScreenFill);
}

void DialogScreen::onButtonEvent(int id, int event)
{
    if (event == 1 && id == ContinueButton)
        close(ContinueCode, true);
}

void DialogScreen::onClosed(int)
{
    // Popping deletes this screen: keep what the route needs first.
    DialogScreenListener* toTell = listener;
    const int id = screenId;
    const bool continueFlow = !noPushOnLeave;
    ScreenRoutes::leave(this);
    if (toTell)
        toTell->onDialogScreenClosed(id);
    if (continueFlow)
        ScreenRoutes::show(ScreenRoutes::flowScreenOrMenu(true));
}

#include "frontend/QuitDialogScreen.h"

#include "engine/core/AppContext.h"
#include "frontend/ScreenRoutes.h"
#include "game/ContentTables.h"

#include <string>

namespace {
const Color Veil(0, 0, 0, 170);
}

QuitDialogScreen::QuitDialogScreen(AppContext* application)
    : ScreenBase(std::string())
    , app(application)
{
}

void QuitDialogScreen::loadResources()
{
    registerQuitDialogResources(getResources());
}

void QuitDialogScreen::build()
{
    layout.attach(this, std::string(), "QUIT_DLG_BTN_N", "QUIT_DLG_BTN_O");
    layout.addTitle("Quit the game?", 280);
    layout.addButtonRow(this, {{YesButton, "Yes"}, {NoButton, "No"}}, 400);
}

void QuitDialogScreen::drawBackground(Graphics& g)
{
    layout.drawBackground(g, Veil);
}

void QuitDialogScreen::onButtonEvent(int id, int event)
{
    if (event != 1)
        return;
    if (id == YesButton) {
        if (app)
            app->requestQuitNow();
    } else if (id == NoButton) {
        close(DeclinedCode, true);
    }
}

void QuitDialogScreen::onClosed(int)
{
    ScreenRoutes::leave(this);
}

#include "frontend/QuitDialogScreen.h"

#include "engine/core/AppContext.h"
#include "frontend/ScreenRoutes.h"
#include "game/ContentTables.h"
#include "game/GameShell.h"

#include <string>

namespace {
const Color Veil(0, 0, 0, 170);

// Sets the quit-dialog flag of the game application when `app` is that
// application and it is still running.
void markQuitDialog(AppContext* app, bool open)
{
    GameShell* game = GameShell::instance();
    if (game && app && dynamic_cast<AppContext*>(game) == app)
        game->setQuitDialogOpen(open);
}
}

QuitDialogScreen::QuitDialogScreen(AppContext* application)
    : ScreenBase(std::string())
    , app(application)
{
    markQuitDialog(app, true);
}

QuitDialogScreen::~QuitDialogScreen()
{
    markQuitDialog(app, false);
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
        markQuitDialog(app, false);
        close(DeclinedCode, true);
    }
}

void QuitDialogScreen::onClosed(int)
{
    ScreenRoutes::leave(this);
}

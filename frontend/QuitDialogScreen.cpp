#include "frontend/QuitDialogScreen.h"

#include "engine/core/AppContext.h"
#include "engine/gfx/Graphics.h"
#include "engine/res/ResourceManager.h"
#include "engine/ui/MessageQuestionDialogSimple.h"
#include "frontend/FrontendUi.h"
#include "frontend/ScreenRoutes.h"
#include "game/ContentTables.h"
#include "game/GameShell.h"

#include <string>

namespace {

// Sets the quit-dialog flag of the game application when `app` is that
// application and it is still running.
void markQuitDialog(AppContext* app, bool open)
{
    GameShell* game = GameShell::instance();
    if (game && app && dynamic_cast<AppContext*>(game) == app)
        game->setQuitDialogOpen(open);
}

} // namespace

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
    showQuestion();
}

void QuitDialogScreen::showQuestion()
{
    ResourceManager* res = getResources();
    question = new MessageQuestionDialogSimple(
        FrontendUi::questionDesc("EXIT_GAME", "MESSAGE_QUIT", 256, res->findTexture("QUIT_DLG_BTN_N"),
                                 res->findTexture("QUIT_DLG_BTN_O")),
        -1, this);
    addWidget(question);
}

void QuitDialogScreen::drawBackground(Graphics& g)
{
    g.fillRect(0, 0, 1024, 768, Color(0, 0, 0, VeilAlpha));
}

void QuitDialogScreen::onButton(int, int) {}

void QuitDialogScreen::onAnswer(int32_t, int32_t answer)
{
    if (answer == 1) {
        if (app)
            app->requestQuitNow();
    } else {
        // No, or a question closed without an answer: either way the
        // player is not quitting, and a screen without its question could
        // never be left.
        markQuitDialog(app, false);
        close(DeclinedCode, true);
    }
}

void QuitDialogScreen::onClosed(int)
{
    ScreenRoutes::leave(this);
}

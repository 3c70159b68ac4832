#include "frontend/CreditsScreen.h"

#include "engine/anim/ActionDelay.h"
#include "engine/anim/FadeInTransition.h"
#include "engine/anim/FadeOutTransition.h"
#include "engine/gfx/GLTexture.h"
#include "engine/gfx/Graphics.h"
#include "engine/res/ResourceManager.h"
#include "engine/ui/QuarnButton.h"
#include "frontend/FrontendUi.h"
#include "frontend/MainMenu.h"
#include "frontend/ScreenRoutes.h"
#include "game/ContentTables.h"

namespace {
const WidgetGeometry OkCaption(40, 10, 0, 40, 22);
} // namespace

CreditsScreen::CreditsScreen(bool returnOnly)
    : returnToCaller(returnOnly)
{
    camera.eye = Vec3(0.f, -6.1f, 23.5f);
    camera.center = Vec3(0.f, 6.43f, 0.f);
    camera.up = Vec3(0.f, 1.f, 1.f);
    camera.fieldOfView = 40.f;
    setInTransition(new FadeInTransition(500));
    setOutTransition(new FadeOutTransition(1000));
}

CreditsScreen::~CreditsScreen() = default;

void CreditsScreen::loadResources()
{
    registerCreditsResources(getResources());
    pageImage = getResources()->findTexture("CREDITS_PAGE_LEFT");
    backImage = getResources()->findTexture("CREDITS_PAGE_RIGHT");
}

void CreditsScreen::build()
{
    ResourceManager* res = getResources();
    GLTexture* plain = res->findTexture("CREDITS_BTN_OK_N");
    GLTexture* over = res->findTexture("CREDITS_BTN_OK_O");
    okButton = FrontendUi::makeButton(this, OkButton, FrontendUi::buttonDesc(plain, over, over, plain, OkCaption),
                                      FrontendUi::label("OK"), FrontendUi::label("TOOLTIP_BTN_OK_OPTIONS_WINDOW"),
                                      0, 0, nullptr);
    okButton->setBounds((1024 - (plain ? plain->getWidth() : 128)) / 2, 768 - (plain ? plain->getHeight() : 64),
                        128, 64);
    addWidget(okButton);

    pages.emplace_back();
    pages.emplace_back();
    loadBook(BookFile, 1000);
    pages.emplace_back();
    pages.emplace_back();
    createSheets();
    turnToNextPage();
    pageTimer = std::make_unique<ActionDelay>(Duration(PageMs));
    pageTimer->start(this, 0);
}

void CreditsScreen::onUpdate(int dt)
{
    BookScreen::onUpdate(dt);
    if (pageTimer && pageTimer->isRunning())
        pageTimer->step();
}

void CreditsScreen::onActionFinished(int32_t id)
{
    if (id != 0 || getState() == Leaving)
        return;
    turnToNextPage();
    if (isAtLastSpread())
        close(CloseCode, true);
    else
        pageTimer->start(this, 0);
}

void CreditsScreen::onButtonEvent(int, int event)
{
    if (event == 1 && getState() != Leaving)
        close(CloseCode, true);
}

void CreditsScreen::drawUnder3D(Graphics& g)
{
    if (GLTexture* background = getResources()->findTexture("CREDITS_BG"))
        g.drawImage(0, 0, background, Color::white());
}

void CreditsScreen::onClosed(int)
{
    const bool back = returnToCaller;
    ScreenRoutes::leave(this, back ? nullptr : new MainMenu());
}

#include "game/GlobalGamePauseScreen.h"

#include "engine/app/GameApp.h"
#include "engine/gfx/Font.h"
#include "engine/gfx/Graphics.h"
#include "engine/store/LabelManager.h"
#include "game/ContentTables.h"

#include <string>

namespace {
constexpr int DefaultWidth = 1024;
constexpr int DefaultHeight = 768;
constexpr int AlignCentre = 2;
constexpr int AlignMiddle = 2;
}

GlobalGamePauseScreen::GlobalGamePauseScreen()
    : ScreenBase(std::string())
{
}

GlobalGamePauseScreen::~GlobalGamePauseScreen() = default;

void GlobalGamePauseScreen::loadResources()
{
}

void GlobalGamePauseScreen::build()
{
}

void GlobalGamePauseScreen::drawOverlay(Graphics& g)
{
    GameApp* app = GameApp::instance();
    const int w = app && app->getWidth() > 0 ? app->getWidth() : DefaultWidth;
    const int h = app && app->getHeight() > 0 ? app->getHeight() : DefaultHeight;
    g.fillRect(0, 0, w, h, Color(0, 0, 0, VeilAlpha));
    // The font exists once the application registered its global resources.
    if (!FONT_TIMES24 || !app || !app->getLabels())
        return;
    FONT_TIMES24->drawTextInBox(g, WidgetGeometry(0, 0, 0, w, h), app->getLabels()->getLabel("PAUSE"),
                                Color::white(), AlignCentre, AlignMiddle, false);
}

#include "frontend/HighScoresMenu.h"

#include "engine/gfx/Font.h"
#include "engine/gfx/GLTexture.h"
#include "engine/gfx/Graphics.h"
#include "engine/res/ResourceManager.h"
#include "engine/ui/AnimationPlayer.h"
#include "engine/ui/QuarnButton.h"
#include "engine/ui/TextLabel.h"
#include "engine/ui/WidgetManager.h"
#include "frontend/FrontendUi.h"
#include "frontend/ScreenRoutes.h"
#include "game/ContentTables.h"
#include "game/HighScoreEntry.h"
#include "game/PlayerProfiles.h"

namespace {
const char* const OpenFile = "content/animations/HighScore/DialogStart.xml";
const char* const CloseFile = "content/animations/HighScore/DialogClose.xml";
const WidgetGeometry OkCaption(40, 10, 0, 40, 22);
} // namespace

HighScoresMenu::HighScoresMenu()
    : ScreenBase(std::string())
    , player(std::make_unique<AnimationPlayer>(this))
    , rows(rowsOf(PlayerProfiles::instance()->getHighScores()))
{
}

HighScoresMenu::~HighScoresMenu()
{
    player.reset();
    WidgetManager* manager = getWidgetManager();
    for (Widget* w : {static_cast<Widget*>(okButton.get()), static_cast<Widget*>(title.get())}) {
        if (manager && w && manager->contains(w))
            manager->removeWidget(w);
    }
}

std::vector<HighScoreRow> HighScoresMenu::rowsOf(const std::vector<HighScoreEntry>& table)
{
    std::vector<HighScoreRow> out;
    for (std::size_t i = 0; i < table.size(); ++i)
        out.push_back({std::to_string(i + 1) + ".", table[i].getName(), std::to_string(table[i].getScore())});
    return out;
}

void HighScoresMenu::onKey(KeyEvent*) {}

void HighScoresMenu::loadResources()
{
    registerHighScoreResources(getResources());
    GLTexture* panel = getResources()->findTexture("HIGHSCORE_BG");
    panelHeight = panel ? panel->getHeight() : 0;
    bgX = static_cast<int>((1024 - (panel ? panel->getWidth() : 0)) * 0.5);
    bgY = static_cast<int>((768 - panelHeight) * 0.5);
}

void HighScoresMenu::build()
{
    (void)player->loadAnimation(OpenClip, OpenFile);
    (void)player->loadAnimation(CloseClip, CloseFile);
    if (player->findAnimation(OpenClip))
        player->playAnimation(OpenClip, 0, bgX, bgY, this);
    else
        buildWidgets();
}

void HighScoresMenu::buildWidgets()
{
    if (okButton)
        return;
    ResourceManager* res = getResources();
    GLTexture* plain = res->findTexture("HIGHSCORE_BTN_OK_N");
    GLTexture* over = res->findTexture("HIGHSCORE_BTN_OK_O");
    okButton.reset(FrontendUi::makeButton(this, OkButton, FrontendUi::buttonDesc(plain, over, over, plain, OkCaption),
                                          FrontendUi::label("OK"), FrontendUi::label("TOOLTIO_BTN_OK_HIGHSCORE_WINDOW"),
                                          static_cast<int>((1024 - (plain ? plain->getWidth() : 0)) * 0.5),
                                          bgY + 386, plain));
    getWidgetManager()->addWidget(okButton.get());
    Font* font = FrontendUi::font("FONT_TIMES24");
    const std::string text = FrontendUi::label("HIGHSCORE");
    title = std::make_unique<TextLabel>(text, font, TextLabel::Left, Color::white(), Color(0, 0, 0, 0));
    title->setBounds(static_cast<int>((1024 - FrontendUi::textWidth(font, text)) * 0.5), bgY + 44, 0, 0);
    getWidgetManager()->addWidget(title.get());
    rowsVisible = true;
}

void HighScoresMenu::drawBackground(Graphics& g)
{
    g.fillRect(0, 0, 1024, 768, Color(0, 0, 0, 127));
}

void HighScoresMenu::drawOverlay(Graphics& g)
{
    Font* font = FrontendUi::font("FONT_TIMES16_NE");
    Font* spacing = FrontendUi::font("FONT_TIMES16");
    if (!rowsVisible || !font)
        return;
    const int step = (spacing ? spacing->getLineHeight() : font->getLineHeight()) + 4;
    int y = static_cast<int>((768 - panelHeight) * 0.5 + 124);
    for (const HighScoreRow& row : rows) {
        font->drawRun(g, bgX + 60 - font->textWidth(row.rank), y, row.rank, Color::white());
        font->drawRun(g, bgX + 74, y, row.name, Color::white());
        font->drawRun(g, bgX + 360 - font->textWidth(row.score), y, row.score, Color::white());
        y += step;
    }
}

void HighScoresMenu::onButtonEvent(int id, int event)
{
    if (id != OkButton || event != 1 || !rowsVisible)
        return;
    rowsVisible = false;
    getWidgetManager()->removeWidget(okButton.get());
    getWidgetManager()->removeWidget(title.get());
    player->removeAnimation(OpenClip, this);
    if (player->findAnimation(CloseClip))
        player->playAnimation(CloseClip, 0, bgX, bgY, this);
    else
        close(CloseCode, true);
}

void HighScoresMenu::onAnimationFinished(int32_t id)
{
    if (id == OpenClip) {
        buildWidgets();
    } else if (id == CloseClip) {
        player->removeAnimation(CloseClip, this);
        close(CloseCode, true);
    }
}

void HighScoresMenu::onClosed(int)
{
    ScreenRoutes::leave(this);
}

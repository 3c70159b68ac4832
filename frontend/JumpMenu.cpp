#include "frontend/JumpMenu.h"

#include "engine/anim/FadeInTransition.h"
#include "engine/anim/FadeOutTransition.h"
#include "engine/gfx/GLTexture.h"
#include "engine/gfx/Graphics.h"
#include "engine/res/ResourceManager.h"
#include "engine/ui/InputEvents.h"
#include "engine/ui/SimpleTextButton.h"
#include "engine/ui/StaticImageButton.h"
#include "engine/ui/TextLabel.h"
#include "frontend/FrontendUi.h"
#include "frontend/MainMenu.h"
#include "frontend/ScreenRoutes.h"
#include "game/ContentTables.h"

#include <cstdio>

JumpMenu::JumpMenu()
    : ScreenBase(std::string())
{
    setInTransition(new FadeInTransition(500));
    setOutTransition(new FadeOutTransition(500));
}

void JumpMenu::addColumns(const std::string& prefix, int firstId, int count,
                          const std::vector<std::pair<int, std::vector<int>>>& columns)
{
    int n = 0;
    for (const auto& column : columns) {
        for (int y : column.second) {
            if (n == count)
                return;
            char caption[64];
            std::snprintf(caption, sizeof caption, "%s %02d", prefix.c_str(), n + 1);
            entries.push_back({caption, firstId + n, column.first, y});
            ++n;
        }
    }
}

void JumpMenu::onKey(KeyEvent* event)
{
    if (event && event->key == 27 && event->type == KeyEvent::Pressed && getState() != Leaving)
        close(CloseCode, true);
}

void JumpMenu::loadResources()
{
    registerMiniGamesMenuResources(getResources());
}

void JumpMenu::build()
{
    Font* font = FrontendUi::font("FONT_PH_SMALL");
    auto* title = new TextLabel(FrontendUi::label("MINIGAMES_MENU_PLACEHOLDER"), font, TextLabel::Left,
                                Color::white(), Color(0, 0, 0, 0));
    title->setBounds(20, 20, 0, 0);
    addWidget(title);

    ResourceManager* res = getResources();
    auto* back = new StaticImageButton(res->findTexture("MGMENU_GUI_BTN_N"), res->findTexture("MGMENU_GUI_BTN_O"),
                                       this, MainMenuButton);
    back->moveTo(794, 688);
    back->setCaption(FrontendUi::label("MAIN_MENU"), font, WidgetGeometry(32, 15, 0, 102, 19), 2, Color::white());
    addWidget(back);

    for (const Entry& entry : entries) {
        auto* button = new SimpleTextButton(entry.caption, this, font, entry.id);
        button->setBackgroundColors(Color(0, 0, 0, 190), Color(64, 64, 64, 190), Color(127, 127, 127, 190));
        button->setTextColors(Color::white(), Color(0, 0, 255, 255), Color(0, 0, 255, 255));
        button->setBounds(entry.x, entry.y, 256, 30);
        addWidget(button);
        buttons.push_back(button);
    }
}

SimpleTextButton* JumpMenu::findButton(int id) const
{
    for (SimpleTextButton* button : buttons) {
        if (button->getId() == id)
            return button;
    }
    return nullptr;
}

void JumpMenu::drawBackground(Graphics& g)
{
    if (GLTexture* background = getResources()->findTexture("MGMENU_GUI_BG"))
        g.drawImage(0, 0, background, Color::white());
}

void JumpMenu::onButton(int id, int event)
{
    if (event != 1 || getState() == Leaving)
        return;
    if (id == MainMenuButton)
        close(CloseCode, true);
    else
        onEntryChosen(id);
}

void JumpMenu::onClosed(int resultCode)
{
    ScreenRoutes::leave(this, resultCode == CloseCode ? new MainMenu() : nullptr);
}

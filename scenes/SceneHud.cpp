#include "scenes/SceneHud.h"

#include "engine/gfx/Font.h"
#include "engine/gfx/GLTexture.h"
#include "engine/res/ResourceManager.h"
#include "engine/ui/ButtonDesc.h"
#include "engine/ui/QuarnButton.h"
#include "engine/ui/ScreenBase.h"
#include "engine/ui/TextLabel.h"
#include "engine/ui/WidgetManager.h"
#include "game/ContentTables.h"
#include "scenes/SceneText.h"

namespace {

constexpr int ScreenW = 1024;
constexpr int ButtonFadeMs = 300;
const Color White(255, 255, 255, 255);
const Color Clear(0, 0, 0, 0);

} // namespace

SceneHud::SceneHud(ScreenBase* owner, QuarnButtonListener* buttonListener) : screen(owner), listener(buttonListener) {}

TextLabel* SceneHud::makeCaption(const std::string& labelId, bool large, int y)
{
    Font* font = large ? FONT_TIMES24 : FONT_TIMES16;
    const std::string text = sceneLabel(labelId);
    const int w = font ? font->textWidth(text) : 0;
    const int h = font ? font->getLineHeight() : 0;
    auto* caption = new TextLabel(text, font, TextLabel::Left, White, Clear);
    caption->setBounds((ScreenW - w) / 2, y, w, h);
    caption->setVisible(false);
    caption->setEnabled(false);
    screen->addWidget(caption);
    return caption;
}

QuarnButton* SceneHud::makeButton(int id, const std::string& captionId, const std::string& tooltipId,
                                  const char* normalTexture, const char* hoverTexture, int y)
{
    ResourceManager* resources = screen->getResources();
    GLTexture* normal = resources ? resources->findTexture(normalTexture) : nullptr;
    GLTexture* hover = resources ? resources->findTexture(hoverTexture) : nullptr;
    const ButtonDesc::Look n(White, White, normal, WidgetGeometry(), FONT_TRISK10);
    const ButtonDesc::Look o(White, White, hover ? hover : normal, WidgetGeometry(), FONT_TRISK10);
    ButtonDesc desc(n, o, o, n, ButtonFadeMs);
    desc.hAlign = 0;
    desc.vAlign = 2;
    desc.captionBox = WidgetGeometry(4, 6, 0, 118, 16);
    QuarnButton* button = createQuarnButton(listener, id, desc, sceneLabel(captionId));
    button->setTooltip(sceneLabel(tooltipId));
    if (FONT_TRISK10)
        button->setTooltipFont(FONT_TRISK10);
    button->setBounds(0, y, normal ? normal->getWidth() : 128, normal ? normal->getHeight() : 42);
    screen->addWidget(button);
    return button;
}

void SceneHud::show(int questId)
{
    if (!clueCaption)
        clueCaption = makeCaption("CLUE_LIST", false, 664);
    if (!chooseCaption)
        chooseCaption = makeCaption("CHOOSE_YOUR_ITEM", true, 624 - (FONT_TIMES16 ? FONT_TIMES16->getLineHeight() : 0));
    buildNavigationButtons(questId);
    if (questId > 2 && !runesButton)
        runesButton = makeButton(RunesButton, "BTN_RUNES", "TOOLTIP_BTN_RUNE", "GUI_BTN_RUNES_N", "GUI_BTN_RUNES_O",
                                 RunesY);
}

void SceneHud::buildNavigationButtons(int questId)
{
    if (questId < 4) {
        if (!menuButton)
            menuButton = makeButton(MenuButton, "MENU", "TOOLTIP_BTN_MENU", "GUI_BTN_MM_N", "GUI_BTN_MM_O",
                                    NavigationY);
        // Both would lie on one spot: the one that no longer applies goes.
        screen->safeRemoveWidget(mapButton);
        mapButton = nullptr;
    } else {
        if (!mapButton)
            mapButton = makeButton(MapButton, "BTN_MAP", "TOOLTIP_BTN_MAP", "GUI_BTN_MAP_N", "GUI_BTN_MAP_O",
                                   NavigationY);
        screen->safeRemoveWidget(menuButton);
        menuButton = nullptr;
    }
}

void SceneHud::raise(Widget* widget)
{
    if (widget && screen->getWidgetManager())
        screen->getWidgetManager()->raiseWidget(widget);
}

void SceneHud::raise()
{
    raise(mapButton);
    raise(runesButton);
    if (clueCaption)
        clueCaption->setVisible(true);
    raise(clueCaption);
    raise(menuButton);
}

void SceneHud::hide(Widget* goalPanel)
{
    if (clueCaption)
        clueCaption->setVisible(false);
    if (goalPanel)
        goalPanel->setVisible(false);
    if (chooseCaption)
        chooseCaption->setVisible(false);
}

void SceneHud::showChooseCaption(bool on)
{
    if (chooseCaption)
        chooseCaption->setVisible(on);
}

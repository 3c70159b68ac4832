#include "frontend/OptionsMenu.h"

#include "engine/app/GameApp.h"
#include "engine/app/SDLGameApp.h"
#include "engine/audio/SoundSystem.h"
#include "engine/gfx/Font.h"
#include "engine/gfx/GLTexture.h"
#include "engine/gfx/Graphics.h"
#include "engine/res/ResourceManager.h"
#include "engine/ui/AnimationPlayer.h"
#include "engine/ui/QuarnButton.h"
#include "engine/ui/TextLabel.h"
#include "engine/ui/WidgetManager.h"
#include "frontend/CreditsScreen.h"
#include "frontend/CustomCheckBox.h"
#include "frontend/CustomSliderWidget.h"
#include "frontend/FrontendUi.h"
#include "frontend/HighScoresMenu.h"
#include "frontend/ScreenRoutes.h"
#include "game/ContentTables.h"
#include "game/GameShell.h"
#include "game/GlobalEventManager.h"

namespace {
const char* const OpenFile = "content/animations/OptionsMenu/DialogStart.xml";
const char* const CloseFile = "content/animations/OptionsMenu/DialogClose.xml";
const WidgetGeometry WideCaption(1, 7, 0, 204, 34);
const WidgetGeometry OkCaption(40, 10, 0, 40, 22);

SaveGame* saveGame()
{
    GameApp* app = GameApp::instance();
    return app ? app->getSaveGame() : nullptr;
}

GlobalEventManager* eventManager()
{
    return dynamic_cast<GlobalEventManager*>(GameApp::instance());
}

SoundSystem* soundSystem()
{
    GameApp* app = GameApp::instance();
    return app ? app->getSoundSystem() : nullptr;
}
} // namespace

OptionsMenu::OptionsMenu()
    : ScreenBase(std::string())
    , settings(saveGame())
    , player(std::make_unique<AnimationPlayer>(this))
{
    if (GlobalEventManager* events = eventManager()) {
        eventHandle = events->registerListener(this);
        events->subscribe(eventHandle, GlobalEventManager::VideoModeChanged);
    }
}

OptionsMenu::~OptionsMenu()
{
    if (GlobalEventManager* events = eventManager())
        events->unregisterListener(eventHandle);
    player.reset();
    takeWidgetsOff();
}

void OptionsMenu::loadResources()
{
    registerOptionsResources(getResources());
    GLTexture* panel = getResources()->findTexture("OPT_BG");
    panelWidth = panel ? panel->getWidth() : 0;
    panelHeight = panel ? panel->getHeight() : 0;
    ox = static_cast<int>((1024 - panelWidth) * 0.5);
    oy = static_cast<int>((768 - panelHeight) * 0.5);
    (void)player->loadAnimation(OpenClip, OpenFile);
    (void)player->loadAnimation(CloseClip, CloseFile);
}

void OptionsMenu::build()
{
    if (player->findAnimation(OpenClip))
        player->playAnimation(OpenClip, 0, ox, oy, this);
    else
        buildWidgets();
}

void OptionsMenu::drawBackground(Graphics& g)
{
    g.fillRect(0, 0, 1024, 768, Color(0, 0, 0, 128));
}

std::string OptionsMenu::versionText() const
{
    GameShell* shell = GameShell::instance();
    return FrontendUi::label("VERSION") + " " + (shell ? shell->versionString() : std::string());
}

CustomSliderWidget* OptionsMenu::makeSlider(int id, int x, int y, const char* tooltip, int volume)
{
    ResourceManager* res = getResources();
    auto* slider = new CustomSliderWidget(this, id, x, y, res->findTexture("OPT_SLIDER_RAIL"),
                                          res->findTexture("OPT_SLIDER_THUMB_N"));
    slider->setHoverThumb(res->findTexture("OPT_SLIDER_THUMB_O"));
    slider->setFill(res->findTexture("OPT_SLIDER_FILL"));
    slider->setThumbOrigin(20, 0);
    slider->setFillOrigin(20, 5);
    slider->setTrackArea(WidgetGeometry(20, 2, 0, 202, 18));
    slider->setValue(OptionsSettings::sliderOf(volume));
    slider->setTooltipFont(FrontendUi::font("FONT_TRISK10"));
    slider->setTooltipText(FrontendUi::label(tooltip));
    return slider;
}

CustomCheckBox* OptionsMenu::makeBox(int id, int x, int y, const char* tooltip, bool checked)
{
    ResourceManager* res = getResources();
    auto* box = new CustomCheckBox(id, this, res->findTexture("OPT_CHECKBOX_OFF"), res->findTexture("OPT_CHECKBOX_ON"));
    box->setBounds(x, y, 220, 60);
    box->setClickArea(184, 12, 216, 40);
    box->setChecked(checked);
    box->setTooltipFont(FrontendUi::font("FONT_TRISK10"));
    box->setTooltipText(FrontendUi::label(tooltip));
    return box;
}

Widget* OptionsMenu::makeLabel(const char* id, const char* fontId, int x, int y, bool rightAligned)
{
    Font* font = FrontendUi::font(fontId);
    const std::string text = FrontendUi::label(id);
    auto* label = new TextLabel(text, font, TextLabel::Left, Color::white(), Color(0, 0, 0, 0));
    label->setBounds(rightAligned ? x - FrontendUi::textWidth(font, text) : x, y, 0, 0);
    return label;
}

void OptionsMenu::buildWidgets()
{
    if (open)
        return;
    ResourceManager* res = getResources();
    GLTexture* plain = res->findTexture("OPT_BTN_N");
    GLTexture* over = res->findTexture("OPT_BTN_O");
    GLTexture* okPlain = res->findTexture("OPT_BTN_OK_N");
    GLTexture* okOver = res->findTexture("OPT_BTN_OK_O");
    const ButtonDesc wide = FrontendUi::buttonDesc(plain, over, over, plain, WideCaption);

    cursorBox = makeBox(CursorBox, ox + 152, oy + 194, "TOOLTIP_CHECKBOX_CUSTOM_CURSOR", settings.isCustomCursor());
    fullScreenBox = makeBox(FullScreenBox, ox + 152, oy + 266, "TOOLTIP_CHECKBOX_FULL_SCREEN", settings.isFullScreen());
    soundSlider = makeSlider(SoundSlider, ox + 138, oy + 100, "TOOLTIP_SLIDER_SOUND", settings.getSoundVolume());
    musicSlider = makeSlider(MusicSlider, ox + 138, oy + 160, "TOOLTIP_SLIDER_MUSIC", settings.getMusicVolume());

    const int okWidth = okPlain ? okPlain->getWidth() : 0;
    const int okHeight = okPlain ? okPlain->getHeight() : 0;
    const int okX = static_cast<int>((1024 - okWidth) * 0.5);
    const int okY = oy + 488;

    Font* versionFont = FrontendUi::font("FONT_ARIAL14");
    const std::string version = versionText();
    versionLabel = new TextLabel(version, versionFont, TextLabel::Left, Color(255, 255, 0, 255), Color(0, 0, 0, 0));
    const int versionWidth = FrontendUi::textWidth(versionFont, version);
    const int versionHeight = versionFont ? versionFont->getLineHeight() : 0;
    int versionX = ox + panelWidth - versionWidth - 120;
    const int versionY = oy + panelHeight - 40;
    // The line ends 120 px short of the panel's right edge; where that puts
    // it under the OK button (whose picture would hide it), it starts just
    // right of the button instead.
    if (versionX < okX + okWidth && okX < versionX + versionWidth && versionY < okY + okHeight &&
        okY < versionY + versionHeight)
        versionX = okX + okWidth + 8;
    versionLabel->setBounds(versionX, versionY, 0, 0);
    Font* titleFont = FrontendUi::font("FONT_TIMES24");
    const std::string titleText = FrontendUi::label("OPTIONS");
    auto* title = new TextLabel(titleText, titleFont, TextLabel::Left, Color::white(), Color(0, 0, 0, 0));
    title->setBounds(static_cast<int>((1024 - FrontendUi::textWidth(titleFont, titleText)) * 0.5 + 10), oy + 24, 0, 0);

    Widget* widgets[] = {
        cursorBox,
        fullScreenBox,
        makeLabel("CUSTOM_CURSOR", "FONT_TIMES16", ox + 326, oy + 212, true),
        makeLabel("FULL_SCREEN", "FONT_TIMES16", ox + 326, oy + 284, true),
        soundSlider,
        musicSlider,
        makeLabel("SOUND", "FONT_TIMES16", ox + 172, oy + 80, false),
        makeLabel("MUSIC", "FONT_TIMES16", ox + 172, oy + 140, false),
        FrontendUi::makeButton(this, CreditsButton, wide, FrontendUi::label("CREDITS"),
                               FrontendUi::label("TOOLTIP_BTN_CREDITS"), ox + 156, oy + 410, plain),
        FrontendUi::makeButton(this, HighScoreButton, wide, FrontendUi::label("HIGHSCORE"),
                               FrontendUi::label("TOOLTIP_BTN_HIGHSCORE"), ox + 156, oy + 342, plain),
        versionLabel,
        FrontendUi::makeButton(this, OkButton, FrontendUi::buttonDesc(okPlain, okOver, okOver, okPlain, OkCaption),
                               FrontendUi::label("OK"), FrontendUi::label("TOOLTIP_BTN_OK_OPTIONS_WINDOW"), okX, okY,
                               okPlain),
        title,
    };
    owned.clear();
    for (Widget* w : widgets) {
        owned.emplace_back(w);
        getWidgetManager()->addWidget(w);
    }
    open = true;
}

void OptionsMenu::takeWidgetsOff()
{
    WidgetManager* manager = getWidgetManager();
    for (auto& w : owned) {
        if (manager && manager->contains(w.get()))
            manager->removeWidget(w.get());
    }
}

void OptionsMenu::onCheckChanged(int id, bool checked)
{
    if (id == FullScreenBox) {
        settings.setFullScreen(checked);
    } else if (id == CursorBox) {
        settings.setCustomCursor(checked);
        if (GameShell* shell = GameShell::instance())
            shell->applyCursorMode(checked);
    }
}

void OptionsMenu::onSliderChanged(int id, float value)
{
    const int volume = OptionsSettings::volumeOf(value);
    SoundSystem* sound = soundSystem();
    if (id == MusicSlider) {
        settings.setMusicVolume(volume);
        if (sound)
            sound->setMusicVolume(volume);
    } else if (id == SoundSlider) {
        settings.setSoundVolume(volume);
        if (sound)
            sound->setSoundVolume(-1, volume);
    }
}

void OptionsMenu::onButtonEvent(int id, int event)
{
    if (event != 1 || !open)
        return;
    switch (id) {
    case CreditsButton:
        ScreenRoutes::show(new CreditsScreen(true));
        break;
    case HighScoreButton:
        ScreenRoutes::show(new HighScoresMenu());
        break;
    case OkButton:
        open = false;
        player->stopAnimation(OpenClip);
        player->removeAnimation(OpenClip, this);
        takeWidgetsOff();
        if (player->findAnimation(CloseClip))
            player->playAnimation(CloseClip, 0, ox, oy, this);
        else
            close(CloseCode, true);
        break;
    default:
        break;
    }
}

void OptionsMenu::onAnimationFinished(int32_t id)
{
    if (id == OpenClip)
        buildWidgets();
    else if (id == CloseClip)
        close(CloseCode, true);
}

void OptionsMenu::onGlobalEvent(int eventId, int)
{
    if (eventId == GlobalEventManager::VideoModeChanged && fullScreenBox)
        fullScreenBox->setChecked(settings.isFullScreen());
}

void OptionsMenu::onClosed(int resultCode)
{
    player->stopAnimation(CloseClip);
    player->removeAnimation(CloseClip, this);
    settings.save();
    // Switching the mode reloads every texture: only when it differs.
    SDLGameApp* app = SDLGameApp::instance();
    if (app && app->isFullscreen() != settings.isFullScreen())
        app->setFullscreen(settings.isFullScreen());
    if (resultCode == CloseCode)
        ScreenRoutes::leave(this);
}

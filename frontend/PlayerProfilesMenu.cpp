#include "frontend/PlayerProfilesMenu.h"

#include "engine/gfx/Font.h"
#include "engine/gfx/GLTexture.h"
#include "engine/gfx/Graphics.h"
#include "engine/res/ResourceManager.h"
#include "engine/ui/AnimationPlayer.h"
#include "engine/ui/ImageWidget.h"
#include "engine/ui/MessageQuestionDialogSimple.h"
#include "engine/ui/QuarnButton.h"
#include "engine/ui/SimpleTextListWidget.h"
#include "engine/ui/TextLabel.h"
#include "engine/ui/WidgetManager.h"
#include "frontend/FrontendUi.h"
#include "frontend/PlayerNameEntry.h"
#include "frontend/ScreenRoutes.h"
#include "game/ContentTables.h"
#include "game/PlayerProfile.h"
#include "game/PlayerProfiles.h"

namespace {

const char* const OpenClipFile = "content/animations/PlayerProfiles/DialogStart.xml";
const char* const CloseClipFile = "content/animations/PlayerProfiles/DialogClose.xml";
const WidgetGeometry WideCaption(25, 6, 0, 147, 26);
const WidgetGeometry OkCaption(40, 10, 0, 40, 22);

// Corner that centres a picture of this size on the 1024 x 768 layout.
int centred(int layout, int size)
{
    return static_cast<int>((layout - size) * 0.5);
}

} // namespace

PlayerProfilesMenu::PlayerProfilesMenu()
    : ScreenBase(std::string())
    , player(std::make_unique<AnimationPlayer>(this))
{
}

PlayerProfilesMenu::~PlayerProfilesMenu()
{
    // The clips on the screen outlive the player as widgets; it goes first.
    player.reset();
}

void PlayerProfilesMenu::onKey(KeyEvent*) {}

void PlayerProfilesMenu::loadResources()
{
    registerProfilesResources(getResources());
    GLTexture* panel = getResources()->findTexture("PROF_BG");
    bgX = centred(1024, panel ? panel->getWidth() : 0);
    bgY = centred(768, panel ? panel->getHeight() : 0);
    (void)player->loadAnimation(OpenClip, OpenClipFile);
    (void)player->loadAnimation(CloseClip, CloseClipFile);
}

void PlayerProfilesMenu::build() {}

void PlayerProfilesMenu::drawBackground(Graphics& g)
{
    g.fillRect(0, 0, 1024, 768, Color(0, 0, 0, DimAlpha));
}

void PlayerProfilesMenu::onEntered()
{
    if (player->findAnimation(OpenClip))
        player->playAnimation(OpenClip, 0, bgX, bgY, this);
    else
        buildWidgets();  // no clip to wait for: the dialog must still open
}

void PlayerProfilesMenu::onClosed(int)
{
    ScreenRoutes::leave(this);
}

QuarnButton* PlayerProfilesMenu::getButton(int id) const
{
    return id >= 0 && id < 6 ? buttons[id] : nullptr;
}

bool PlayerProfilesMenu::isOpen() const
{
    return list && getWidgetManager()->contains(list);
}

QuarnButton* PlayerProfilesMenu::addButton(int id, const char* caption, const char* tooltip, int x, int y,
                                           const char* normal, const char* over, const char* pressed,
                                           const WidgetGeometry& captionBox)
{
    ResourceManager* res = getResources();
    GLTexture* n = res->findTexture(normal);
    const ButtonDesc desc =
        FrontendUi::buttonDesc(n, res->findTexture(over), res->findTexture(pressed), n, captionBox);
    QuarnButton* button = FrontendUi::makeButton(this, id, desc, caption ? FrontendUi::label(caption) : std::string(),
                                                 FrontendUi::label(tooltip), x, y, n);
    addWidget(button);
    buttons[id] = button;
    return button;
}

void PlayerProfilesMenu::buildWidgets()
{
    if (list)
        return;
    ResourceManager* res = getResources();
    background = new ImageWidget(res->findTexture("PROF_BG"), bgX, bgY);
    addWidget(background);

    Font* titleFont = FrontendUi::font("FONT_TIMES24");
    const std::string titleText = FrontendUi::label("PROFILES");
    const int titleWidth = FrontendUi::textWidth(titleFont, titleText);
    title = new TextLabel(titleText, titleFont, TextLabel::Left, Color::white(), Color(0, 0, 0, 0));
    title->setBounds(centred(1024, titleWidth), bgY + 28, titleWidth, titleFont ? titleFont->getLineHeight() : 0);
    addWidget(title);

    addButton(CreateButton, "CREATE", "TOOLTIP_BTN_CREATE", bgX + 158, bgY + 292, "PROF_BTN_N", "PROF_BTN_O",
              "PROF_BTN_O", WideCaption);
    addButton(RenameButton, "RENAME", "TOOLTIP_BTN_RENAME", bgX + 158, bgY + 344, "PROF_BTN_N", "PROF_BTN_O",
              "PROF_BTN_O", WideCaption);
    addButton(DeleteButton, "DELETE", "TOOLTIP_BTN_DELETE", bgX + 158, bgY + 396, "PROF_BTN_N", "PROF_BTN_O",
              "PROF_BTN_O", WideCaption);
    addButton(OkButton, "OK", "TOOLTIP_BTN_OK_PROFILES_WINDOW", bgX + 192, bgY + 480, "PROF_BTN_OK_N",
              "PROF_BTN_OK_O", "PROF_BTN_OK_O", OkCaption);

    list = new SimpleTextListWidget(this);
    list->setPosition(bgX + 140, bgY + 96);
    addWidget(list);

    addButton(UpButton, nullptr, "TOOLTIP_BTN_PROFILES_UP", bgX + 376, bgY + 84, "PROF_ARROW_UP_N",
              "PROF_ARROW_UP_O", "PROF_ARROW_UP_P", WidgetGeometry());
    addButton(DownButton, nullptr, "TOOLTIP_BTN_PROFILES_DOWN", bgX + 376, bgY + 250, "PROF_ARROW_DOWN_N",
              "PROF_ARROW_DOWN_O", "PROF_ARROW_DOWN_P", WidgetGeometry());

    PlayerProfiles* profiles = PlayerProfiles::instance();
    if (profiles->profileCount() == 0)
        buttons[OkButton]->setEnabled(false);
    buttons[RenameButton]->setEnabled(false);
    buttons[DeleteButton]->setEnabled(false);
    for (int i = 0; i < profiles->profileCount(); ++i) {
        if (const PlayerProfile* profile = profiles->profileAt(i))
            list->addLine(profile->getName());
    }
    if (profiles->profileCount() > 0)
        list->selectLine(profiles->getCurrentIndex());
    else
        openNameEntry(CreateEntry);
}

void PlayerProfilesMenu::onLineSelected(int, int index)
{
    const bool on = index >= 0;
    if (buttons[RenameButton])
        buttons[RenameButton]->setEnabled(on);
    if (buttons[DeleteButton])
        buttons[DeleteButton]->setEnabled(on);
}

void PlayerProfilesMenu::openNameEntry(int mode)
{
    entryMode = mode;
    nameBuffer = mode == RenameEntry && list ? list->selectedLine() : std::string();
    ScreenRoutes::show(new PlayerNameEntry(&nameBuffer, &playModeBuffer, getResources()));
}

void PlayerProfilesMenu::onButtonEvent(int id, int event)
{
    if (event != 1 || !list)
        return;
    switch (id) {
    case CreateButton:
        openNameEntry(CreateEntry);
        break;
    case RenameButton:
        if (list->getSelectedIndex() >= 0)
            openNameEntry(RenameEntry);
        break;
    case DeleteButton:
        askDelete();
        break;
    case OkButton:
        pressOk();
        break;
    case UpButton:
        if (list->getSelectedIndex() > 0)
            list->selectLine(list->getSelectedIndex() - 1);
        break;
    case DownButton:
        if (list->getSelectedIndex() < list->lineCount() - 1)
            list->selectLine(list->getSelectedIndex() + 1);
        break;
    default:
        break;
    }
}

void PlayerProfilesMenu::askDelete()
{
    ResourceManager* res = getResources();
    deleteQuestion = new MessageQuestionDialogSimple(
        FrontendUi::questionDesc("DIALOG_DELETE_PROFILE_CAPTION", "MESSAGE_DELETE_PROFILE", 246,
                                 res->findTexture("PROF_BTN_N"), res->findTexture("PROF_BTN_O")),
        -1, this);
    addWidget(deleteQuestion);
}

void PlayerProfilesMenu::onAnswer(int32_t, int32_t answer)
{
    deleteQuestion = nullptr;  // it has taken itself off; the screen deletes it
    if (answer != 1 || !list)
        return;
    const int selected = list->getSelectedIndex();
    if (selected >= 0) {
        list->removeLine(selected);
        PlayerProfiles::instance()->removeProfile(selected);
    }
    if (PlayerProfiles::instance()->profileCount() == 0) {
        buttons[OkButton]->setEnabled(false);
        openNameEntry(CreateEntry);
    }
}

void PlayerProfilesMenu::pressOk()
{
    if (!isOpen())
        return;
    if (list->getSelectedIndex() >= 0)
        PlayerProfiles::instance()->select(list->getSelectedIndex());
    player->stopAnimation(OpenClip);
    player->removeAnimation(OpenClip, this);
    WidgetManager* manager = getWidgetManager();
    Widget* nine[] = {background, list, buttons[CreateButton], buttons[RenameButton], buttons[DeleteButton],
                      buttons[OkButton], buttons[UpButton], buttons[DownButton], title};
    for (Widget* w : nine)
        manager->removeWidget(w);
    if (player->findAnimation(CloseClip))
        player->playAnimation(CloseClip, 0, bgX, bgY, this);
    else
        close(ClosedCode, true);  // nothing to wait for
}

void PlayerProfilesMenu::onAnimationFinished(int32_t id)
{
    if (id == OpenClip) {
        buildWidgets();
    } else if (id == CloseClip) {
        close(ClosedCode, true);
        player->stopAnimation(CloseClip);
        player->removeAnimation(CloseClip, this);
    }
}

void PlayerProfilesMenu::activate(GameApp* app)
{
    ScreenBase::activate(app);
    const int mode = entryMode;
    // Whatever uncovers the menu next (a pause screen, the quit dialog) must
    // not hand back the same name again.
    entryMode = NoEntry;
    if (!list)
        return;
    PlayerProfiles* profiles = PlayerProfiles::instance();
    if (mode == CreateEntry) {
        if (!nameBuffer.empty()) {
            list->addLine(nameBuffer);
            list->selectLine(list->lineCount() - 1);
            profiles->addProfile(nameBuffer, playModeBuffer);
            profiles->select(profiles->profileCount() - 1);
        }
        pressOk();
    } else if (mode == RenameEntry) {
        const int selected = list->getSelectedIndex();
        if (selected >= 0) {
            list->setLine(selected, nameBuffer);
            if (PlayerProfile* profile = profiles->profileAt(selected))
                profile->setName(nameBuffer);
        }
        pressOk();
    }
}

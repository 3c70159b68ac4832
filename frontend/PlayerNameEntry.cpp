#include "frontend/PlayerNameEntry.h"

#include "engine/gfx/Font.h"
#include "engine/gfx/GLTexture.h"
#include "engine/gfx/Graphics.h"
#include "engine/res/ResourceManager.h"
#include "engine/store/ConfigFile.h"
#include "engine/ui/AnimationPlayer.h"
#include "engine/ui/InputEvents.h"
#include "engine/ui/QuarnButton.h"
#include "engine/ui/TextInputWidget.h"
#include "engine/ui/TextLabel.h"
#include "engine/ui/TextLabelEx.h"
#include "engine/ui/WidgetManager.h"
#include "frontend/BlinkingVertCursor.h"
#include "frontend/CustomCheckBox.h"
#include "frontend/FrontendUi.h"
#include "frontend/ScreenRoutes.h"
#include "game/PlayerProfile.h"
#include "game/PlayerProfiles.h"

namespace {

const char* const OpenClipFile = "content/animations/PlayerName/DialogStart.xml";
const int OpenClip = 0;
const WidgetGeometry CaptionBox(25, 10, 0, 145, 22);
const Color Clear(0, 0, 0, 0);

// No name at all, or one of spaces only (a blank line in the profiles list).
bool isBlank(const std::string& name)
{
    return name.find_first_not_of(' ') == std::string::npos;
}

} // namespace

PlayerNameEntry::PlayerNameEntry(std::string* name, int* playMode, ResourceManager* profileTextures)
    : ScreenBase(std::string())
    , createMode(!name || name->empty())
    , nameBuffer(name)
    , playModeBuffer(playMode)
    , textures(profileTextures)
    , player(std::make_unique<AnimationPlayer>(this))
{
    GLTexture* panel = textures ? textures->findTexture("PROF_BG_NAME_INPUT") : nullptr;
    const int w = panel ? panel->getWidth() : 0;
    const int h = panel ? panel->getHeight() : 0;
    bgX = static_cast<int>((1024 - w) * 0.5);
    bgY = static_cast<int>((768 - h) * 0.5 - 75);
}

PlayerNameEntry::~PlayerNameEntry()
{
    player.reset();
}

int PlayerNameEntry::nameLength()
{
    const int length = getParamInt("PlayerName.Length", DefaultNameLength);
    return length > 0 ? length : DefaultNameLength;
}

void PlayerNameEntry::loadResources()
{
    (void)player->loadAnimation(OpenClip, OpenClipFile);
}

void PlayerNameEntry::build()
{
    if (player->findAnimation(OpenClip))
        player->playAnimation(OpenClip, 0, bgX, bgY, this);
    else
        buildWidgets();  // no clip to wait for: the entry must still open
}

void PlayerNameEntry::drawBackground(Graphics& g)
{
    g.fillRect(0, 0, 1024, 768, Color(0, 0, 0, DimAlpha));
}

void PlayerNameEntry::onClosed(int)
{
    ScreenRoutes::leave(this);
}

void PlayerNameEntry::onAnimationFinished(int32_t id)
{
    if (id == OpenClip)
        buildWidgets();
}

CustomCheckBox* PlayerNameEntry::addModeBox(int id, int x, const char* tooltip)
{
    GLTexture* off = textures ? textures->findTexture("PROF_CHECKBOX_OFF") : nullptr;
    GLTexture* on = textures ? textures->findTexture("PROF_CHECKBOX_ON") : nullptr;
    auto* box = new CustomCheckBox(id, this, off, on);
    box->setPosition(x, bgY + 278);
    box->setTooltipFont(FrontendUi::font("FONT_TRISK10"));
    box->setTooltipText(FrontendUi::label(tooltip));
    addWidget(box);
    return box;
}

TextLabel* PlayerNameEntry::addCaption(const char* labelId, int rightX)
{
    Font* font = FrontendUi::font("FONT_TIMES16_NE");
    const std::string text = FrontendUi::label(labelId);
    const int width = FrontendUi::textWidth(font, text);
    auto* caption = new TextLabel(text, font, TextLabel::Left, Color::white(), Clear);
    caption->setBounds(rightX - width, bgY + 290, width, font ? font->getLineHeight() : 0);
    addWidget(caption);
    return caption;
}

void PlayerNameEntry::buildWidgets()
{
    if (field)
        return;
    Font* titleFont = FrontendUi::font("FONT_TIMES24");
    const std::string titleText = FrontendUi::label("NEW_PLAYER");
    const int titleWidth = FrontendUi::textWidth(titleFont, titleText);
    title = new TextLabel(titleText, titleFont, TextLabel::Left, Color::white(), Clear);
    title->setBounds(static_cast<int>((1024 - titleWidth) * 0.5) + 10, bgY + 24, titleWidth,
                     titleFont ? titleFont->getLineHeight() : 0);
    addWidget(title);

    GLTexture* normal = textures ? textures->findTexture("PROF_BTN_N") : nullptr;
    GLTexture* over = textures ? textures->findTexture("PROF_BTN_O") : nullptr;
    const ButtonDesc desc = FrontendUi::buttonDesc(normal, over, over, normal, CaptionBox);
    cancelButton = FrontendUi::makeButton(this, CancelButton, desc, FrontendUi::label("CANCEL"),
                                          FrontendUi::label("TOOLTIP_BTN_CANCEL_NAMEINPUT"), bgX + 334, bgY + 394, over);
    addWidget(cancelButton);
    okButton = FrontendUi::makeButton(this, OkButton, desc, FrontendUi::label("OK"),
                                      FrontendUi::label("TOOLTIP_BTN_OK_NAMEINPUT"), bgX + 510, bgY + 394, over);
    addWidget(okButton);

    nameDescription = new TextLabelEx(FrontendUi::label("NAME_INPUT_DESCRIPTION"), FrontendUi::font("FONT_TIMES24_NE"),
                                      Color::white(), Clear);
    nameDescription->setBounds(bgX + 96, bgY + 96, 820, 58);
    addWidget(nameDescription);

    const std::string initial = createMode ? FrontendUi::label("ENTER_YOUR_NAME") : *nameBuffer;
    field = new TextInputWidget(this, static_cast<uint32_t>(nameLength()), initial, createMode);
    field->setBounds(bgX + 348, bgY + 166, 352, 32);
    field->setAlignment(TextInputWidget::Centred);
    field->setBackgroundColour(Clear);
    field->setTextColour(Color::white());
    field->setCursor(new BlinkingVertCursor(Color(200, 200, 200, 200), 500, 2));
    addWidget(field);

    modeDescription = new TextLabelEx(FrontendUi::label("CASUAL_DESCRIPTION"), FrontendUi::font("FONT_TIMES16_NE"),
                                      Color::white(), Clear);
    modeDescription->setBounds(bgX + 292, bgY + 212, 460, 48);
    addWidget(modeDescription);

    casualBox = addModeBox(CasualBox, bgX + 400, "TOOLTIP_CHECKBOX_CASUAL");
    casualBox->setChecked(true);
    casualCaption = addCaption("CASUAL", bgX + 394);
    fearlessBox = addModeBox(FearlessBox, bgX + 620, "TOOLTIP_CHECKBOX_FEARLESS");
    fearlessCaption = addCaption("FEARLESS", bgX + 614);

    PlayerProfiles* profiles = PlayerProfiles::instance();
    if (!createMode) {
        casualBox->setEnabled(false);
        fearlessBox->setEnabled(false);
    }
    if (profiles->profileCount() == 0)
        cancelButton->setEnabled(false);
    if (nameBuffer && !nameBuffer->empty() && profiles->profileCount() > 0) {
        const PlayerProfile* profile = profiles->findByName(*nameBuffer);
        if (profile && profile->getPlayMode() == PlayerProfile::Fearless) {
            casualBox->setChecked(false);
            fearlessBox->setChecked(true);
            modeDescription->setText(FrontendUi::label("FEARLESS_DESCRIPTION"));
        }
    }
}

void PlayerNameEntry::removeWidgets()
{
    WidgetManager* manager = getWidgetManager();
    Widget* ten[] = {title, cancelButton, okButton, nameDescription, field, modeDescription,
                     casualBox, casualCaption, fearlessBox, fearlessCaption};
    for (Widget* w : ten)
        manager->removeWidget(w);
}

bool PlayerNameEntry::isNameValid() const
{
    if (!field)
        return false;
    const std::string& name = field->getText();
    if (isBlank(name) || name == FrontendUi::label("ENTER_YOUR_NAME"))
        return false;
    PlayerProfiles* profiles = PlayerProfiles::instance();
    for (int i = 0; i < profiles->profileCount(); ++i) {
        const PlayerProfile* profile = profiles->profileAt(i);
        if (profile && profile->getName() == name)
            return false;
    }
    return true;
}

void PlayerNameEntry::onTextChanged(const std::string& text, int)
{
    if (okButton)
        okButton->setEnabled(!isBlank(text));
}

void PlayerNameEntry::onCheckChanged(int id, bool checked)
{
    if (!casualBox || !fearlessBox)
        return;
    if (id == CasualBox) {
        casualBox->setChecked(checked);
        fearlessBox->setChecked(!checked);
    } else if (id == FearlessBox) {
        fearlessBox->setChecked(checked);
        casualBox->setChecked(!checked);
    }
    modeDescription->setText(FrontendUi::label(casualBox->isChecked() ? "CASUAL_DESCRIPTION" : "FEARLESS_DESCRIPTION"));
}

void PlayerNameEntry::accept()
{
    if (!isNameValid() || getState() == Leaving)
        return;
    if (nameBuffer)
        *nameBuffer = field->getText();
    if (playModeBuffer)
        *playModeBuffer = casualBox->isChecked() ? PlayerProfile::Casual : PlayerProfile::Fearless;
    removeWidgets();
    close(AcceptedCode, true);
}

void PlayerNameEntry::onButtonEvent(int id, int event)
{
    if (event != 1 || !field)
        return;
    if (id == OkButton) {
        accept();
    } else if (id == CancelButton && getState() != Leaving) {
        removeWidgets();
        close(CancelledCode, true);
    }
}

void PlayerNameEntry::onKey(KeyEvent* event)
{
    if (!event)
        return;
    if (event->type == KeyEvent::Pressed && event->unicode == 13 && okButton && okButton->isEnabled() &&
        getWidgetManager()->contains(okButton))
        accept();
    if (field && getWidgetManager()->contains(field))
        field->handleKey(event);
}

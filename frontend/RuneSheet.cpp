#include "frontend/RuneSheet.h"

#include "engine/gfx/GLTexture.h"
#include "engine/gfx/Graphics.h"
#include "engine/res/ResourceManager.h"
#include "engine/ui/AnimationPlayer.h"
#include "engine/ui/QuarnButton.h"
#include "engine/ui/WidgetManager.h"
#include "frontend/FrontendUi.h"
#include "frontend/RunesMenuImage.h"
#include "frontend/ScreenRoutes.h"
#include "game/ContentTables.h"
#include "game/ItemRegistry.h"
#include "game/ItemState.h"
#include "game/SceneItem.h"

#include <string>

namespace {

const char* const OpenFile = "content/animations/RuneSheet/Open.xml";
const char* const CloseFile = "content/animations/RuneSheet/Close.xml";
const WidgetGeometry OkCaption(40, 10, 0, 40, 22);

struct Place {
    int x, y;
};
// Rune k (1 to 12) at index k - 1, relative to the sheet.
const Place RunePlaces[RuneSheet::RuneCount] = {
    {159, 86}, {160, 223}, {248, 86}, {160, 291}, {72, 291},   {70, 154},
    {70, 86},  {159, 154}, {247, 154}, {248, 291}, {248, 223}, {72, 223},
};
struct Spell {
    const char* tooltip;
    Place place;
    int runes[3];
};
const Spell Spells[RuneSheet::SpellCount] = {
    {"SPELL_VISIBILITY", {359, 86}, {7, 1, 3}},
    {"SPELL_DRAWN", {358, 152}, {6, 8, 9}},
    {"SPELL_VISION", {358, 221}, {12, 2, 11}},
    {"SPELL_LIGHTNING", {358, 290}, {5, 4, 10}},
};

} // namespace

RuneSheet::RuneSheet()
    : ScreenBase(std::string())
    , player(std::make_unique<AnimationPlayer>(this))
{
}

RuneSheet::~RuneSheet()
{
    // The clips on the screen outlive the player as widgets; it goes first.
    player.reset();
    takeWidgetsOff();
    delete okButton;
    for (RunesMenuImage* image : runes)
        delete image;
    for (RunesMenuImage* image : spells)
        delete image;
}

void RuneSheet::onKey(KeyEvent*) {}

RuneSheet::RuneFlags RuneSheet::runesFromGroups(const std::vector<int>& minorGroupIds)
{
    RuneFlags flags;
    for (int m : minorGroupIds) {
        if (m >= 0 && m < RuneCount)
            flags.set(static_cast<std::size_t>(m));
    }
    return flags;
}

bool RuneSheet::isSpellKnown(const RuneFlags& flags, int spell)
{
    if (spell < 1 || spell > SpellCount)
        return false;
    for (int rune : Spells[spell - 1].runes) {
        if (!flags.test(static_cast<std::size_t>(rune - 1)))
            return false;
    }
    return true;
}

RuneSheet::RuneFlags RuneSheet::computeKnownRunes()
{
    std::vector<int> minors;
    for (ItemState* state : ItemRegistry::instance()->itemsOfGroup(0, -1)) {
        if (state && state->item)
            minors.push_back(state->item->minorGroupID);
    }
    return runesFromGroups(minors);
}

RunesMenuImage* RuneSheet::getRuneImage(int rune) const
{
    return rune >= 1 && rune <= RuneCount ? runes[rune - 1] : nullptr;
}

RunesMenuImage* RuneSheet::getSpellImage(int spell) const
{
    return spell >= 1 && spell <= SpellCount ? spells[spell - 1] : nullptr;
}

void RuneSheet::loadResources()
{
    registerRuneSheetResources(getResources());
    GLTexture* sheet = getResources()->findTexture("RUNE_BG");
    bgX = static_cast<int>((1024 - (sheet ? sheet->getWidth() : 0)) / 2.0);
    bgY = static_cast<int>((768 - (sheet ? sheet->getHeight() : 0)) / 2.0);
}

void RuneSheet::build()
{
    (void)player->loadAnimation(OpenClip, OpenFile);
    (void)player->loadAnimation(CloseClip, CloseFile);
    if (player->findAnimation(OpenClip))
        player->playAnimation(OpenClip, 0, bgX, bgY, this);
    else
        buildWidgets();  // no clip to wait for: the sheet must still open
}

void RuneSheet::drawBackground(Graphics& g)
{
    g.fillRect(0, 0, 1024, 768, Color(0, 0, 0, 127));
}

void RuneSheet::buildWidgets()
{
    if (okButton)
        return;
    knownRunes = computeKnownRunes();
    ResourceManager* res = getResources();
    GLTexture* plain = res->findTexture("RUNE_BTN_OK_N");
    GLTexture* over = res->findTexture("RUNE_BTN_OK_O");
    okButton = FrontendUi::makeButton(this, OkButton, FrontendUi::buttonDesc(plain, over, over, plain, OkCaption),
                                      FrontendUi::label("OK"), FrontendUi::label("TOOLTIP_BTN_OK_RUNE_WINDOW"), 0, 0,
                                      nullptr);
    okButton->setBounds(bgX + 176, bgY + 436, 128, 64);
    getWidgetManager()->addWidget(okButton);

    Font* tooltipFont = FrontendUi::font("FONT_TRISK10");
    for (int k = 1; k <= RuneCount; ++k) {
        const Place& at = RunePlaces[k - 1];
        auto* image = new RunesMenuImage(res->findTexture("RUNE_RUNE_" + std::to_string(k)), bgX + at.x,
                                         bgY + at.y, knownRunes.test(static_cast<std::size_t>(k - 1)));
        image->setTooltip(FrontendUi::label("RUNE" + std::to_string(k)), tooltipFont);
        runes[k - 1] = image;
        getWidgetManager()->addWidget(image);
    }
    for (int s = 1; s <= SpellCount; ++s) {
        const Spell& spell = Spells[s - 1];
        auto* image = new RunesMenuImage(res->findTexture("RUNE_SPELL_" + std::to_string(s)),
                                         bgX + spell.place.x, bgY + spell.place.y, isSpellKnown(knownRunes, s));
        image->setTooltip(FrontendUi::label(spell.tooltip), tooltipFont);
        spells[s - 1] = image;
        getWidgetManager()->addWidget(image);
    }
}

void RuneSheet::takeWidgetsOff()
{
    WidgetManager* manager = getWidgetManager();
    if (!manager)
        return;
    auto off = [manager](Widget* w) {
        if (w && manager->contains(w))
            manager->removeWidget(w);
    };
    off(okButton);
    for (RunesMenuImage* image : runes)
        off(image);
    for (RunesMenuImage* image : spells)
        off(image);
}

void RuneSheet::onButtonEvent(int id, int event)
{
    if (id != OkButton || event != 1 || !okButton || !getWidgetManager()->contains(okButton))
        return;
    takeWidgetsOff();
    player->removeAnimation(OpenClip, this);
    if (player->findAnimation(CloseClip))
        player->playAnimation(CloseClip, 0, bgX, bgY, this);
    else
        close(CloseCode, true);
}

void RuneSheet::onAnimationFinished(int32_t id)
{
    if (id == OpenClip) {
        buildWidgets();
    } else if (id == CloseClip) {
        player->removeAnimation(CloseClip, this);
        close(CloseCode, true);
    }
}

void RuneSheet::onClosed(int)
{
    ScreenRoutes::leave(this);
}

#include "scenes/SceneSpells.h"

#include "engine/anim/CompositeAction.h"
#include "engine/anim/EmptyTransition.h"
#include "engine/anim/Tweens.h"
#include "engine/core/AppContext.h"
#include "engine/gfx/GLTexture.h"
#include "engine/res/ResourceManager.h"
#include "engine/ui/AnimationPlayer.h"
#include "engine/ui/WidgetManager.h"
#include "frontend/DialogScreen.h"
#include "frontend/ScreenRoutes.h"
#include "game/ContentTables.h"
#include "game/ItemState.h"
#include "game/SceneItem.h"
#include "scenes/AnimatedStaff.h"
#include "scenes/CollectableItemRenderer.h"
#include "scenes/HintRenderer.h"
#include "scenes/ItemGoalRenderer.h"
#include "scenes/MyLightningWidget.h"
#include "scenes/QDScene.h"
#include "scenes/SceneText.h"
#include "scenes/SpellButton.h"
#include "scenes/SpellRunes.h"
#include "scenes/VisibilitySpell.h"

#include <cmath>
#include <string>


namespace {

struct SpellDesc {
    int x;
    const char* label;
    const char* readySound;
    const char* voice;
    const char* castSound;
};

const SpellDesc Spells[SceneSpells::SpellCount] = {
    {268, "SPELL_VISIBILITY", "VISIBILITY_ENABLED", "VO_SPELL_VISIBILITY", "SCENE_SPELL_VISIBILITY"},
    {340, "SPELL_DRAWN", "DRAWN_ENABLED", "VO_SPELL_DRAWN", "SCENE_SPELL_DRAWN"},
    {635, "SPELL_VISION", "VISION_ENABLED", "VO_SPELL_VISION", "SCENE_SPELL_VISION"},
    {707, "SPELL_LIGHTNING", "LIGHTNING_ENABLED", "VO_SPELL_LIGHTNING", "SCENE_SPELL_LIGHTNING"},
};
constexpr int ButtonY = 632;
constexpr int StaffRight = 994;
constexpr int PivotX = 221;
constexpr int PivotY = 228;
const char* const DrawnAnimation = "content/animations/DrawnSpell/SpellDrawn.xml";

std::string textureId(int spell, const char* suffix)
{
    return "GUI_BTN_SPELL" + std::to_string(spell + 1) + "_" + suffix;
}

} // namespace

SceneSpells::SceneSpells(QDScene* owner)
    : scene(owner)
    , spellPlayer(std::make_unique<AnimationPlayer>())
{
}

SceneSpells::~SceneSpells() = default;

SpellButton* SceneSpells::getButton(int index) const
{
    return index >= 0 && index < SpellCount ? buttons[index] : nullptr;
}

void SceneSpells::createEffects()
{
    if (hint)
        return;
    hint = new HintRenderer(scene, scene->getResources());
    scene->addWidget(hint);
    lightning = new MyLightningWidget();
    lightning->setStrikeListener(this);
    scene->addWidget(lightning);
}

void SceneSpells::onActionFinished(int32_t)
{
    if (scene->isPanorama())
        scene->setAutoScroll(true);
}

void SceneSpells::buildHud(int questId)
{
    ResourceManager* res = scene->getResources();
    if (questId > 0 && !staff) {
        GLTexture* picture = res->findTexture("GUI_STAFF_N");
        const int w = picture ? picture->getWidth() : 0;
        const int h = picture ? picture->getHeight() : 0;
        staff = new AnimatedStaff(StaffRight - w, QDScene::ScreenHeight - h, picture, res->findTexture("GUI_STAFF_O"),
                                  res->findTexture("GUI_STAFF_MAGIC_ANIM"));
        staff->setPivot(PivotX, PivotY);
        staff->setScene(scene);
        scene->addWidget(staff);
        // Above the scene but not in the way of its clicks.
        staff->setEnabled(false);
        if (questId == 1)
            staff->appear();
    }
    if (questId <= 2 || buttons[0])
        return;
    for (int i = 0; i < SpellCount; ++i) {
        auto* button = new SpellButton(i, this, res->findTexture(textureId(i, "N")), res->findTexture(textureId(i, "O")));
        GLTexture* marks[3] = {res->findTexture(textureId(i, "R1")), res->findTexture(textureId(i, "R2")),
                               res->findTexture(textureId(i, "R3"))};
        button->setDecorations(marks, res->findTexture(textureId(i, "STRIP")));
        button->setTooltip(FONT_TRISK10, sceneLabel(Spells[i].label));
        button->setReadySound(Spells[i].readySound);
        button->setPosition(Spells[i].x, ButtonY);
        scene->addWidget(button);
        button->setVisible(false);
        recountSpellRunes(*button);
        buttons[i] = button;
    }
}

void SceneSpells::raise()
{
    for (SpellButton* button : buttons)
        if (button) {
            if (scene->getWidgetManager())
                scene->getWidgetManager()->raiseWidget(button);
            button->setVisible(true);
        }
}

void SceneSpells::hide()
{
    for (SpellButton* button : buttons)
        if (button)
            button->setVisible(false);
}

void SceneSpells::showTutorial(int index)
{
    auto* dialog = new DialogScreen(index, "content/story/dialogs/TUTORIAL_Spell" + std::to_string(index + 1) + ".xml",
                                    nullptr, true);
    dialog->setInTransition(new EmptyTransition());
    dialog->setOutTransition(new EmptyTransition());
    ScreenRoutes::show(dialog);
}

void SceneSpells::consume(int index)
{
    if (buttons[index])
        consumeSpellRunes(*buttons[index]);
}

void SceneSpells::disarm()
{
    // The drawn spell's runes went when it was armed; taking them again
    // here would use up a second set.
    if (armedSpell == Drawn && staff)
        staff->fadeOutGlow();
    armedSpell = None;
    choosingTarget = false;
    target = nullptr;
    scene->showChooseCaption(false);
    spellPlayer->stopAnimation(DrawnAnimationId);
    spellPlayer->removeAnimation(DrawnAnimationId, scene);
}

void SceneSpells::armVisibility()
{
    if (!visibility) {
        visibility = new VisibilitySpell(scene, 200);
        visibility->setResourceManager(scene->getResources());
        visibility->spreadX = visibility->spreadY = 0.03f;
        visibility->baseScale = 1.0f;
        visibility->spawnRangeX = visibility->spawnRangeY = 2;
        scene->addWidget(visibility);
        visibility->setSource(900, 700);
        Particle settings;
        settings.lifetime = 1000;
        settings.vx = settings.vy = 0.5f;
        settings.ay = 0.05f;
        visibility->emit(settings);
    }
    armedSpell = Visibility;
}

void SceneSpells::armDrawn()
{
    (void)spellPlayer->loadAnimation(DrawnAnimationId, DrawnAnimation);
    if (staff)
        staff->swing(true);
    armedSpell = Drawn;
    playSceneEffect(Spells[Drawn].castSound);
    // The runes go now: the drawn spell has no target to wait for.
    if (buttons[Drawn])
        consumeSpellRunes(*buttons[Drawn]);
    scene->enableSpecialItems(false);
}

void SceneSpells::onSpellButtonPressed(int id, int event)
{
    if (event != SpellButton::Released || id < 0 || id >= SpellCount)
        return;
    // Not while a panorama is held for a cast, nor while the staff swings.
    if ((scene->isPanorama() && !scene->isAutoScroll()) || (staff && staff->isBusy()))
        return;
    if (armedSpell != None) {
        disarm();
        return;
    }
    if (!buttons[id] || !buttons[id]->isReady()) {
        showTutorial(id);
        return;
    }
    if (id == Visibility)
        armVisibility();
    else if (id == Drawn)
        armDrawn();
    else
        armedSpell = id;
    if (id != Drawn) {
        choosingTarget = true;
        scene->showChooseCaption(true);
    }
    playSceneEffect(Spells[id].voice);
}

void SceneSpells::chargeSpellFromRune(const ItemState* item)
{
    if (!item || !item->item || (item->item->typeId != QDScene::RuneTypeId && item->item->typeId != QDScene::RuneTypeId2))
        return;
    if (SpellButton* button = getButton(item->item->majorGroupID))
        button->addCharge();
}

void SceneSpells::chooseTarget(ItemState* item)
{
    if (!choosingTarget || !item)
        return;
    target = item;
    if (scene->isPanorama())
        scrollToTarget();
    else
        castArmedSpell();
}

int SceneSpells::targetCentreX() const
{
    const int w = target->renderer ? target->renderer->geometry().w : 0;
    return static_cast<int>(target->item->x + static_cast<float>(w / 2) + scene->getScrollX());
}

void SceneSpells::scrollToTarget()
{
    if (!target || !target->item)
        return;
    const float width = static_cast<float>(scene->getSceneWidth());
    float* scroll = scene->scrollPosition();
    float centre = static_cast<float>(targetCentreX());
    if (scene->isWrapVisible() && centre < 0)
        centre += width;
    // The scroll moves left (towards -width, where it wraps to 0) or right
    // by the shorter way that keeps it within (-width, 0].
    const float move = 512.0f - centre;
    auto sequence = std::make_unique<ActionSequence>();
    sequence->add(std::make_unique<Setter<bool>>(scene->autoScrollFlag(), false));
    const float end = *scroll + move;
    const auto ms = [](float px) { return Duration(static_cast<int>(std::fabs(px) * 2.0f)); };
    if (end <= -width) {
        // Across the seam: on to -width, then from 0 the rest.
        const float first = -width - *scroll;
        sequence->add(std::make_unique<RelIncrementator<float>>(ms(first), scroll, first));
        sequence->add(std::make_unique<Setter<float>>(scroll, 0.0f));
        sequence->add(std::make_unique<RelIncrementator<float>>(ms(move - first), scroll, move - first));
    } else if (end > 0) {
        // Right across the seam: on to 0, then from -width the rest.
        const float first = -*scroll;
        sequence->add(std::make_unique<RelIncrementator<float>>(ms(first), scroll, first));
        sequence->add(std::make_unique<Setter<float>>(scroll, -width));
        sequence->add(std::make_unique<RelIncrementator<float>>(ms(move - first), scroll, move - first));
    } else {
        sequence->add(std::make_unique<RelIncrementator<float>>(ms(move), scroll, move));
    }
    scene->runAction(std::move(sequence), ScrollActionId);
}

void SceneSpells::castArmedSpell()
{
    if (!target)
        return;
    if (armedSpell == Lightning && lightning && target->item) {
        // The bolt comes down from above the screen onto the item's centre,
        // leaning the way the item lies from the middle. Left of the screen
        // in a panorama the item's copy one scene width on is meant.
        int x = targetCentreX();
        if (x < 0)
            x += scene->getSceneWidth();
        const int h = target->renderer ? target->renderer->geometry().h : 0;
        const int y = static_cast<int>(target->item->y) + h / 2;
        lightning->aim(WidgetGeometry(-256, 0, 0, 1280, y + 32), PointF{static_cast<float>(x), static_cast<float>(y)},
                       -90.0f - static_cast<float>(x - 512) * 45.0f / 512.0f, 60.0f);
    }
    if (armedSpell == Lightning || armedSpell == Visibility || armedSpell == Vision) {
        if (staff)
            staff->swing(false);
        playSceneEffect(Spells[armedSpell].castSound);
        consume(armedSpell);
    }
    choosingTarget = false;
    scene->enableSpecialItems(false);
    scene->showChooseCaption(false);
}

void SceneSpells::releaseSpell()
{
    int offset = static_cast<int>(scene->getScrollX());
    if (target && target->item && scene->isWrapVisible() &&
        target->item->x < static_cast<float>(scene->getSceneWidth()) / 2.0f)
        offset += scene->getSceneWidth();
    switch (armedSpell) {
    case Visibility:
        if (visibility) {
            visibility->setSource(924, 676);
            visibility->castAt(target, offset);
        }
        break;
    case Drawn: {
        const Point at = scene->pointer();
        spellPlayer->playAnimation(DrawnAnimationId, 0, at.x - 64, at.y - 64, scene);
        return;
    }
    case Vision:
        if (hint)
            hint->start(target, offset);
        break;
    case Lightning:
        if (lightning)
            lightning->strike();
        if (target && target->renderer) {
            if (auto* collectable = dynamic_cast<CollectableItemRenderer*>(target->renderer.get()))
                collectable->outline();
            target->renderer->onMouseState(0);
        }
        break;
    default:
        return;
    }
    target = nullptr;
    armedSpell = None;
}

void SceneSpells::update(int pointerX, int pointerY)
{
    if (armedSpell != Drawn)
        return;
    applyDrawnSpell(pointerX, pointerY);
    spellPlayer->moveAnimation(DrawnAnimationId, pointerX - 64, pointerY - 64);
}

void SceneSpells::applyDrawnSpell(int pointerX, int pointerY)
{
    const ItemGoalRenderer* panel = scene->getGoalRenderer();
    if (!panel)
        return;
    const int scroll = static_cast<int>(scene->getScrollX());
    for (const GoalEntry& entry : panel->wantedEntries()) {
        ItemState* item = entry.item;
        auto* renderer = item ? dynamic_cast<CollectableItemRenderer*>(item->renderer.get()) : nullptr;
        if (!renderer || !renderer->isDecoratorEnabled() || !item->item)
            continue;
        const WidgetGeometry& box = renderer->geometry();
        int dx = pointerX - box.w / 2 - static_cast<int>(item->item->x + static_cast<float>(scroll));
        const int dy = pointerY - static_cast<int>(item->item->y) - box.h / 2;
        if (dx * dx + dy * dy >= DrawnRadius * DrawnRadius && scene->isWrapVisible())
            dx += 1 - scene->getSceneWidth();
        if (dx * dx + dy * dy < DrawnRadius * DrawnRadius)
            renderer->push(dx, dy);
    }
}

void SceneSpells::onItemFound()
{
    if (armedSpell != Drawn)
        return;
    if (staff)
        staff->fadeOutGlow();
    armedSpell = None;
    spellPlayer->stopAnimation(DrawnAnimationId);
    spellPlayer->removeAnimation(DrawnAnimationId, scene);
}

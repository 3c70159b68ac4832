#include "minigames/MgShootingPractice.h"

#include "engine/anim/CompositeAction.h"
#include "engine/anim/LoopAction.h"
#include "engine/anim/Tweens.h"
#include "engine/gfx/Font.h"
#include "engine/gfx/GLTexture.h"
#include "engine/gfx/Graphics.h"
#include "engine/res/ResourceManager.h"
#include "engine/ui/ButtonSupport.h"
#include "engine/ui/QuarnButton.h"
#include "engine/ui/UiServices.h"
#include "game/ContentTables.h"
#include "game/SfxContainer.h"

#include <algorithm>
#include <cmath>

namespace {

// The button (reporting to onButtonEvent) and the actions of this game.
enum ShootingId : int {
    ShootButton = 0,
    DotSwingAction = 0,
    TargetFadeAction = 2,
    MarkerFadeAction = 3,
    ArrowSwayAction = 5
};

const char* const AimSound = "MG_SHOOTINGPRACTICE_AIM";
constexpr int SwingQuarterMs = 500;
constexpr int SwayQuarterMs = 1000;
constexpr int SwayHalf = 50;
constexpr int FadeMs = 500;
// The arrow's resting place is below the layout's bottom edge once shot.
constexpr int ArrowGone = 769;
constexpr int LayoutWidth = 1024;
constexpr int LayoutHeight = 768;
constexpr int BarMiddleY = 50;
constexpr int VerticalShift = 100;

uint8_t alphaOf(int value)
{
    return static_cast<uint8_t>(std::clamp(value, 0, 255));
}

// Out by `half` from rest, on to rest, back by `half` from rest and on to
// rest: four quarters of `quarterMs`, repeated until stopped.
std::unique_ptr<Action> swing(int* target, int half, int quarterMs)
{
    auto cycle = std::make_unique<ActionSequence>();
    for (int distance : {half, half, -half, -half}) {
        const int mode = cycle->childCount() % 2 == 0 ? AcceleratorMode::FromRest : AcceleratorMode::ToRest;
        cycle->add(std::make_unique<Accelerator<int>>(Duration(quarterMs), target, distance, mode));
    }
    return std::make_unique<LoopAction>(std::move(cycle), LoopAction::Forever);
}

} // namespace

const Point MgShootingPractice::ButtonPlace(820, 700);
const WidgetGeometry MgShootingPractice::CounterBox(412, 0, 0, 200, 40);

MgShootingPractice::MgShootingPractice(int questId)
    : MiniGameBase(questId)
{
}

MgShootingPractice::~MgShootingPractice()
{
    // Skipped or left while aiming: the loop would outlive the screen.
    SfxContainer* sfx = SfxContainer::existingInstance();
    if (aimSoundOn && sfx)
        sfx->stopSound(AimSound);
}

void MgShootingPractice::loadResources()
{
    MiniGameBase::loadResources();
    registerShootingResources(getResources());
}

int MgShootingPractice::travel() const
{
    ResourceManager* res = getResources();
    return pictureWidth(res->findTexture("MG_SHOOTING_BAR")) - pictureWidth(res->findTexture("MG_SHOOTING_DOT"));
}

void MgShootingPractice::build()
{
    MiniGameBase::build();
    arrowY = LayoutHeight - pictureHeight(getResources()->findTexture("MG_SHOOTING_ARROW"));
    button = addCaptionButton(ShootButton, "MG_BASE_BTN_N", "MG_BASE_BTN_O", std::string(), ButtonPlace.x,
                              ButtonPlace.y);
    setCaption("MGSHOOTING_START_AIMING");
    const int half = std::max(0, travel()) / 2;
    ownActions.push_back(swing(&dotX, half, SwingQuarterMs));
    swingX = ownActions.back().get();
    ownActions.push_back(swing(&dotY, half, SwingQuarterMs));
    swingY = ownActions.back().get();
    ownActions.push_back(swing(&arrowSway, SwayHalf, SwayQuarterMs));
    sway = ownActions.back().get();
    ownActions.push_back(std::make_unique<RelIncrementator<int>>(Duration(FadeMs), &targetAlpha, 255));
    targetFade = ownActions.back().get();
    ownActions.push_back(std::make_unique<RelIncrementator<int>>(Duration(FadeMs), &markerAlpha, 255));
    markerFade = ownActions.back().get();
}

void MgShootingPractice::setCaption(const std::string& labelId)
{
    button->setCaption(label(labelId));
    button->setTooltip(label(labelId + "_TOOLTIP"));
}

void MgShootingPractice::stopAiming()
{
    swingX->stop();
    swingY->stop();
    sway->stop();
}

void MgShootingPractice::onButtonEvent(int id, int event)
{
    if (id != ShootButton || event != 1)
        return;
    SfxContainer* sfx = SfxContainer::instance();
    switch (range.press()) {
    case ShootingRange::StartAiming:
        if (sfx->isLoaded()) {
            sfx->playSound(AimSound, true);
            aimSoundOn = true;
        }
        setCaption("MGSHOOTING_STOP_DOT");
        swingX->start(this, DotSwingAction);
        sway->start(this, ArrowSwayAction);
        break;
    case ShootingRange::StopHorizontal:
        swingX->stop();
        playUiSound("MG_SHOOTINGPRACTICE_AIM_STOP");
        swingY->start(this, DotSwingAction);
        break;
    case ShootingRange::Shoot:
        playUiSound("MG_SHOOTINGPRACTICE_AIM_STOP");
        sfx->stopSound(AimSound);
        aimSoundOn = false;
        playUiSound("MG_SHOOTINGPRACTICE_TARGETHIT");
        setCaption("MGSHOOTING_CONTINUE");
        stopAiming();
        arrowSway = 0;
        markerPosition = ShootingRange::marker(dotX, dotY, travel());
        targetFade->start(this, TargetFadeAction);
        arrowY = ArrowGone;
        break;
    case ShootingRange::NextShot:
        setCaption("MGSHOOTING_START_AIMING");
        arrowY = LayoutHeight - pictureHeight(getResources()->findTexture("MG_SHOOTING_ARROW"));
        targetAlpha = markerAlpha = dotX = dotY = 0;
        targetFade->stop();
        markerFade->stop();
        break;
    case ShootingRange::Finished:
        setCaption("MGSHOOTING_START_AIMING");
        button->setVisible(false);
        button->setEnabled(false);
        onSolved();
        break;
    case ShootingRange::Ignored:
        break;
    }
}

void MgShootingPractice::onActionFinished(int32_t id)
{
    switch (id) {
    case TargetFadeAction:
        markerFade->start(this, MarkerFadeAction);
        break;
    case MarkerFadeAction:
        range.setBusy(false);
        break;
    default:
        MiniGameBase::onActionFinished(id);
        break;
    }
}

void MgShootingPractice::onUpdate(int dt)
{
    MiniGameBase::onUpdate(dt);
    for (const auto& action : ownActions)
        if (action->isRunning())
            action->update(dt);
}

void MgShootingPractice::drawBar(Graphics& g)
{
    ResourceManager* res = getResources();
    GLTexture* bar = res->findTexture("MG_SHOOTING_BAR");
    GLTexture* dot = res->findTexture("MG_SHOOTING_DOT");
    GLTexture* frame = res->findTexture("MG_SHOOTING_BAR_FRAME");
    const int mid = LayoutWidth / 2;
    const int pos = range.isAimingHorizontally() ? dotX : dotY;
    const int barX = mid - pictureWidth(bar) / 2;
    const int barY = BarMiddleY - pictureHeight(bar) / 2;
    g.pushTransform();
    if (range.isAimingVertically()) {
        // Turned a quarter about the horizontal bar's middle, then along it.
        g.translate(static_cast<float>(mid), static_cast<float>(BarMiddleY));
        g.rotate(90.f, 0.f, 0.f, 1.f);
        g.translate(static_cast<float>(VerticalShift), 0.f);
        g.translate(static_cast<float>(-mid), static_cast<float>(-BarMiddleY));
    }
    const Color white = Color::white();
    if (bar)
        g.drawImage(barX, barY, bar, white);
    if (dot)
        g.drawImage(barX + pos, barY + (pictureHeight(bar) - pictureHeight(dot)) / 2, dot, white);
    if (frame)
        g.drawImage(barX, barY, frame, white);
    g.popTransform();
}

void MgShootingPractice::drawBackground(Graphics& g)
{
    ResourceManager* res = getResources();
    const Color white = Color::white();
    if (GLTexture* bg = res->findTexture("MG_SHOOTING_BG"))
        g.drawImage(0, 0, bg, white);
    if (GLTexture* target = res->findTexture("MG_SHOOTING_BG_TARGET"))
        g.drawImage(0, 0, target, Color(255, 255, 255, alphaOf(targetAlpha)));
    if (GLTexture* mark = res->findTexture("MG_SHOOTING_ARROW_SMALL"))
        g.drawImage(markerPosition.x, markerPosition.y, mark, Color(255, 255, 255, alphaOf(markerAlpha)));
    GLTexture* arrow = res->findTexture("MG_SHOOTING_ARROW");
    if (arrow && arrowY != -1) {
        const int x = static_cast<int>((LayoutWidth - pictureWidth(arrow)) * 0.5 + arrowSway - SwayHalf);
        const int y = static_cast<int>(std::cos(arrowSway * 0.08) * 4 + arrowY);
        g.drawImage(x, y, arrow, white);
    }
    if (range.isAimingHorizontally() || range.isAimingVertically())
        drawBar(g);
    if (GLTexture* mask = res->findTexture("MG_SHOOTING_BG_TARGET_MASK"))
        g.drawImage(0, 0, mask, Color(255, 255, 255, alphaOf(targetAlpha)));
    if (range.getPhase() > 0 && FONT_TIMES24)
        FONT_TIMES24->drawTextInBox(g, CounterBox,
                                    std::to_string(range.getShots()) + "/" + std::to_string(ShootingRange::ShotCount),
                                    white, 2, 2, false);
}

std::string MgShootingPractice::puzzleState() const
{
    return range.describe() + " dot=" + std::to_string(dotX) + "," + std::to_string(dotY) +
           " marker=" + std::to_string(markerPosition.x) + "," + std::to_string(markerPosition.y);
}

#include "minigames/MgTriangleCount.h"

#include "engine/anim/Tweens.h"
#include "engine/gfx/GLTexture.h"
#include "engine/gfx/Graphics.h"
#include "engine/res/ResourceManager.h"
#include "engine/store/ConfigFile.h"
#include "engine/ui/ButtonSupport.h"
#include "engine/ui/UiServices.h"
#include "game/ContentTables.h"
#include "minigames/CheckButton.h"
#include "minigames/ContentBounds.h"
#include "minigames/KnobWidget.h"

#include <algorithm>

namespace {

// The check button (reporting to onButton) and the glow action.
enum TriangleCountId : int { CheckButtonId = 0, GlowAction = 0 };

constexpr int GlowMs = 1500;
const char* const KeyPrefix = "MgTriangleCount.";

} // namespace

MgTriangleCount::MgTriangleCount(int questId)
    : MiniGameBase(questId)
    , counter(readSolution())
{
}

int MgTriangleCount::readSolution()
{
    const std::string key = std::string(KeyPrefix) + "SolutionNumber";
    const int solution = getParamInt(key, TriangleCounter::DefaultSolution);
    // The knobs reach 0 ... MaxCount only: any other answer could never be
    // given.
    if (!ContentBounds::inRange(solution, 0, TriangleCounter::MaxCount, tuningFile(), key,
                                "the answer is " + std::to_string(TriangleCounter::DefaultSolution)))
        return TriangleCounter::DefaultSolution;
    return solution;
}

MgTriangleCount::~MgTriangleCount() = default;

int MgTriangleCount::setting(const std::string& name, int def) const
{
    return requiredInt(KeyPrefix + name, def);
}

void MgTriangleCount::loadResources()
{
    MiniGameBase::loadResources();
    registerTriangleCountResources(getResources());
}

void MgTriangleCount::build()
{
    MiniGameBase::build();
    ResourceManager* res = getResources();
    for (int d = 0; d < 10; ++d)
        digits[d] = res->findTexture("MG_TRIANGLES_" + std::to_string(d));
    const float step = static_cast<float>(setting("RotationIncrement", 36));
    const float turnMs = static_cast<float>(setting("RotationDuration", 300));
    leftKnob = new KnobWidget(res->findTexture("MG_TRIANGLES_LEFT_KNOB"), setting("LeftKnobX", 0),
                              setting("LeftKnobY", 0), step, turnMs, this, TriangleCounter::LeftKnob);
    rightKnob = new KnobWidget(res->findTexture("MG_TRIANGLES_RIGHT_KNOB"), setting("RightKnobX", 0),
                               setting("RightKnobY", 0), -step, turnMs, this, TriangleCounter::RightKnob);
    addWidget(leftKnob);
    addWidget(rightKnob);
    checkButton = new CheckButton(res->findTexture("MG_TRIANGLES_CHECK"), res->findTexture("MG_TRIANGLES_CHECK_OK"),
                                  res->findTexture("MG_TRIANGLES_CHECK_NOT_OK"), setting("CheckX", 0),
                                  setting("CheckY", 0), this, CheckButtonId);
    addWidget(checkButton);
    updateLocks();
}

void MgTriangleCount::updateLocks()
{
    leftKnob->setLocked(counter.isLocked(TriangleCounter::LeftKnob));
    rightKnob->setLocked(counter.isLocked(TriangleCounter::RightKnob));
}

void MgTriangleCount::onKnobTurned(int knobId)
{
    counter.turned(knobId);
    updateLocks();
}

void MgTriangleCount::onButton(int id, int state)
{
    MiniGameBase::onButton(id, state);
    if (id != CheckButtonId || state != 0 || !leftKnob || !rightKnob)
        return;
    switch (counter.check()) {
    case TriangleCounter::RightCount:
        checkButton->showRight();
        playUiSound("MG_CORRECT");
        updateLocks();
        onSolved();
        break;
    case TriangleCounter::WrongCount:
        checkButton->showWrong();
        playUiSound("MG_NOTCORRECT");
        break;
    case TriangleCounter::NoCheck:
        break;
    }
}

void MgTriangleCount::onSolved()
{
    markSolved();
    auto glow = std::make_unique<RelIncrementator<int>>(Duration(GlowMs), &glowAlpha, 255);
    glow->start(this, GlowAction);
    addAction(std::move(glow));
}

void MgTriangleCount::onActionFinished(int32_t id)
{
    switch (id) {
    case GlowAction:
        scheduleFinish();
        break;
    default:
        MiniGameBase::onActionFinished(id);
        break;
    }
}

void MgTriangleCount::drawBackground(Graphics& g)
{
    ResourceManager* res = getResources();
    if (GLTexture* bg = res->findTexture("MG_TRIANGLES_BG"))
        g.drawImage(0, 0, bg, Color::white());
    if (GLTexture* glow = res->findTexture("MG_TRIANGLES_GLOW"))
        g.drawImage(0, 0, glow, Color(255, 255, 255, static_cast<uint8_t>(std::clamp(glowAlpha, 0, 255))));
    int widths[10];
    int heights[10];
    for (int d = 0; d < 10; ++d) {
        widths[d] = pictureWidth(digits[d]);
        heights[d] = pictureHeight(digits[d]);
    }
    const TriangleCounter::DigitPlaces p = TriangleCounter::digitPlaces(counter.getCount(), widths, heights);
    if (p.tens >= 0 && digits[p.tens])
        g.drawImage(p.tensX, p.y, digits[p.tens], Color::white());
    if (digits[p.units])
        g.drawImage(p.unitsX, p.y, digits[p.units], Color::white());
}

std::string MgTriangleCount::puzzleState() const
{
    std::string mark = "none";
    if (checkButton && checkButton->getMarkAlpha() > 0)
        mark = checkButton->getLastResult() ? "right" : "wrong";
    return counter.describe() + " mark=" + mark;
}

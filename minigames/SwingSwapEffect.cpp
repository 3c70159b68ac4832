#include "minigames/SwingSwapEffect.h"

#include "engine/anim/CompositeAction.h"
#include "engine/anim/Tweens.h"
#include "engine/ui/UiServices.h"
#include "minigames/TileSwapListener.h"
#include "minigames/TileWidget.h"

namespace {
constexpr int LeadInMs = 200;
constexpr float FirstStepMs = 200.0f;
constexpr float SmallestSwing = 0.5f;
constexpr float AmplitudeFall = 1.5f;
constexpr float TimeFall = 1.22f;
constexpr float Lift = 0.1f;
// The swing hangs from a point near the tile's top edge.
const Point SwingPivot(80, 10);
} // namespace

SwingSwapEffect::SwingSwapEffect() = default;
SwingSwapEffect::~SwingSwapEffect() = default;

std::vector<SwingSwapEffect::SwingStep> SwingSwapEffect::swingSchedule(float angle, int sign)
{
    std::vector<SwingStep> steps;
    const float s0 = static_cast<float>(sign);
    steps.push_back({-s0 * angle, LeadInMs, true});
    float c = angle;
    float t = FirstStepMs;
    float s = s0;
    while (c > SmallestSwing) {
        s = -s;
        steps.push_back({s * c, static_cast<int>(t), false});
        steps.push_back({-s * c, static_cast<int>(t), true});
        c /= AmplitudeFall;
        t /= TimeFall;
    }
    return steps;
}

void SwingSwapEffect::start(TileWidget* a, TileWidget* b, TileSwapListener* swapListener)
{
    if (!a || !b)
        return;
    tileA = a;
    tileB = b;
    listener = swapListener;
    const WidgetGeometry& ga = a->getGeometry();
    const WidgetGeometry& gb = b->getGeometry();
    const int dx = gb.x - ga.x;
    const int dy = gb.y - ga.y;
    for (TileWidget* tile : {a, b}) {
        const WidgetGeometry& g = tile->getGeometry();
        tile->scalePivot = Point(g.w / 2, g.h / 2);
        tile->rotationPivot = SwingPivot;
        tile->angle = 0.f;
        tile->scale = 1.f;
    }
    moveAction = parallel(buildMove(a, dx, dy, SwingAngle), buildMove(b, -dx, -dy, -SwingAngle));
    swingAction = parallel(buildSwing(a, 1), buildSwing(b, -1));
    moveAction->start(this, MoveActionId);
    if (listener)
        listener->onSwapStarted(a->getId(), b->getId());
}

std::unique_ptr<Action> SwingSwapEffect::buildMove(TileWidget* tile, int dx, int dy, float tilt)
{
    auto travel = parallel(std::make_unique<RelIncrementator<int>>(Duration(MoveTime), tile->xTarget(), dx),
                           std::make_unique<RelIncrementator<int>>(Duration(MoveTime), tile->yTarget(), dy));
    travel = parallel(std::move(travel), std::make_unique<RelIncrementator<float>>(Duration(MoveTime), &tile->angle, tilt));
    auto sequence = then(std::make_unique<RelIncrementator<float>>(Duration(LiftTime), &tile->scale, Lift),
                         std::move(travel));
    return then(std::move(sequence), std::make_unique<RelIncrementator<float>>(Duration(LiftTime), &tile->scale, -Lift));
}

std::unique_ptr<Action> SwingSwapEffect::buildSwing(TileWidget* tile, int sign)
{
    auto sequence = std::make_unique<ActionSequence>();
    for (const SwingStep& step : swingSchedule(SwingAngle, sign))
        sequence->add(std::make_unique<Accelerator<float>>(
            Duration(step.ms), &tile->angle, step.distance,
            step.fromRest ? AcceleratorMode::FromRest : AcceleratorMode::ToRest));
    return sequence;
}

void SwingSwapEffect::update(int dt)
{
    // A swing started by this update's end of the movement gets its first
    // time in the next one.
    const bool swinging = swingAction && swingAction->isRunning();
    if (moveAction)
        moveAction->update(dt);
    if (swinging)
        swingAction->update(dt);
}

bool SwingSwapEffect::isRunning() const
{
    return (moveAction && moveAction->isRunning()) || (swingAction && swingAction->isRunning());
}

void SwingSwapEffect::onActionFinished(int32_t id)
{
    if (!tileA || !tileB)
        return;
    switch (id) {
    case MoveActionId:
        if (listener)
            listener->onSwapCommit(tileA->getId(), tileB->getId());
        swingAction->start(this, SwingActionId);
        playUiSound("MG_CIPHERTILES_SWING");
        break;
    case SwingActionId:
        if (listener)
            listener->onSwapFinished(tileA->getId(), tileB->getId());
        break;
    default:
        break;
    }
}

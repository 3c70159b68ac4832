#include "scenes/MyLightningWidget.h"

#include "engine/anim/ActionDelay.h"
#include "engine/anim/CompositeAction.h"
#include "engine/anim/Tweens.h"
#include "engine/core/StringUtils.h"
#include "engine/gfx/Graphics.h"
#include "game/SfxContainer.h"

#include <GL/gl.h>

#include <cmath>

namespace {

const float Pi = 3.1415927f;
const float MainRemaining = 1000.f;
const float SideRemaining = 300.f;
// Chance, in eighths of a percent, that the main branch spawns a side
// branch in one step.
const int MainBranchChance = 15;
// Branches and points per branch made ready when the widget is built: a
// bolt straight down the screen has 96 points, a side branch at most 38.
constexpr int ReservedBranches = 16;
constexpr size_t ReservedPoints = 256;

LightningBranch freshBranch()
{
    LightningBranch b;
    b.points.reserve(ReservedPoints);
    return b;
}

template <typename T>
std::unique_ptr<Action> own(T* action)
{
    return std::unique_ptr<Action>(action);
}

std::unique_ptr<Action> boltSequence(int32_t* alpha)
{
    auto s = std::make_unique<ActionSequence>();
    s->add(own(new Setter<int32_t>(alpha, 0)));
    s->add(own(new RelIncrementator<int32_t>(Duration(20), alpha, 255)));
    s->add(own(new ActionDelay(Duration(20))));
    s->add(own(new RelIncrementator<int32_t>(Duration(20), alpha, -100)));
    s->add(own(new RelIncrementator<int32_t>(Duration(20), alpha, 100)));
    s->add(own(new ActionDelay(Duration(20))));
    s->add(own(new RelIncrementator<int32_t>(Duration(100), alpha, -255)));
    return s;
}

std::unique_ptr<Action> flashSequence(int32_t* alpha)
{
    auto s = std::make_unique<ActionSequence>();
    s->add(own(new Setter<int32_t>(alpha, 0)));
    s->add(own(new RelIncrementator<int32_t>(Duration(100), alpha, 100)));
    s->add(own(new RelIncrementator<int32_t>(Duration(100), alpha, -100)));
    return s;
}

} // namespace

MyLightningWidget::MyLightningWidget()
    : strikeAction(std::make_unique<ParalelAction>())
{
    strikeAction->add(boltSequence(&boltAlpha));
    strikeAction->add(flashSequence(&flashAlpha));
    setEnabled(false);
    // Room for the bolts of a whole session, made while the screen is built:
    // a bolt has a main branch and a side branch every fifty steps or so.
    branches.reserve(ReservedBranches);
    spawned.reserve(ReservedBranches);
    spareBranches.reserve(ReservedBranches);
    for (int i = 0; i < ReservedBranches; ++i)
        spareBranches.push_back(freshBranch());
}

MyLightningWidget::~MyLightningWidget() = default;

void MyLightningWidget::aim(const WidgetGeometry& area, PointF from, float direction, float range)
{
    bounds = area;
    start = from;
    angle = direction;
    spread = range;
    width = 4;
    branching = true;
}

bool MyLightningWidget::isStriking() const
{
    return strikeAction->isRunning();
}

bool MyLightningWidget::advance(LightningBranch& b) const
{
    const int tx = static_cast<int>(b.x);
    const int ty = static_cast<int>(b.y);
    const bool inside = bounds.x <= tx && tx < bounds.x + bounds.w && bounds.y <= ty && ty < bounds.y + bounds.h;
    if (!inside || b.remaining <= 0.f)
        return false;
    b.points.emplace_back(b.x, b.y);
    const float r = b.angle * Pi / 180.f;
    b.x += std::cos(r) * StepLength;
    b.y += std::sin(r) * StepLength;
    if (b.depth > 0)
        b.remaining -= StepLength;
    b.angle += static_cast<float>(randomBelow(500) - 250) / 250.f * 60.f;
    if (b.angle < b.minAngle)
        b.angle = b.minAngle;
    else if (b.angle > b.maxAngle)
        b.angle = b.maxAngle;
    return true;
}

void MyLightningWidget::sideBranchOf(const LightningBranch& parent, LightningBranch& side) const
{
    const float s = parent.maxAngle - parent.minAngle;
    if (parent.angle < (parent.minAngle + parent.maxAngle) / 2.f) {
        side.minAngle = parent.angle;
        side.maxAngle = parent.angle + s;
    } else {
        side.minAngle = parent.angle - s;
        side.maxAngle = parent.angle;
    }
    side.angle = (side.minAngle + side.maxAngle) / 2.f;
    side.width = parent.width * 40 / 100;
    side.x = parent.x;
    side.y = parent.y;
    side.depth = parent.depth + 1;
    side.remaining = SideRemaining;
}

// Branches of earlier bolts are kept with their point buffers, so that a
// strike during play allocates only when a bolt outgrows all earlier ones.
LightningBranch MyLightningWidget::takeBranch()
{
    if (spareBranches.empty())
        return freshBranch();
    LightningBranch b = std::move(spareBranches.back());
    spareBranches.pop_back();
    b.points.clear();
    return b;
}

void MyLightningWidget::growBolt()
{
    for (LightningBranch& b : branches)
        spareBranches.push_back(std::move(b));
    branches.clear();
    LightningBranch main = takeBranch();
    main.width = width;
    main.angle = angle;
    main.minAngle = angle - spread / 2.f;
    main.maxAngle = angle + spread / 2.f;
    main.x = start.x;
    main.y = start.y;
    main.depth = 0;
    main.remaining = MainRemaining;
    branches.push_back(std::move(main));

    spawned.clear();
    for (int pass = 0; pass < MaxSteps; ++pass) {
        for (LightningBranch& b : spawned)
            branches.push_back(std::move(b));
        spawned.clear();
        bool advanced = false;
        for (size_t i = 0; i < branches.size(); ++i) {
            if (advance(branches[i]))
                advanced = true;
            if (branching) {
                const int chance = branches[i].depth == 0 ? MainBranchChance : 0;
                const int k = randomBelow(100);
                if (static_cast<float>(chance) * 8.f / 100.f > static_cast<float>(k)) {
                    spawned.push_back(takeBranch());
                    sideBranchOf(branches[i], spawned.back());
                }
            }
        }
        if (!advanced)
            break;
    }
}

void MyLightningWidget::strike()
{
    growBolt();
    strikeAction->stop();
    strikeAction->start(this, 0);
    SfxContainer* sfx = SfxContainer::instance();
    if (sfx->isLoaded())
        sfx->playSound("LIGHTNING", false);
}

void MyLightningWidget::update(int dt, ScreenBase*)
{
    if (strikeAction->isRunning())
        strikeAction->update(dt);
}

void MyLightningWidget::onActionFinished(int32_t)
{
    if (strikeListener)
        strikeListener->onActionFinished(0);
}

void MyLightningWidget::draw(Graphics& g, ScreenBase*)
{
    if (boltAlpha <= 0 && flashAlpha <= 0)
        return;
    if (boltAlpha > 0) {
        glDisable(GL_TEXTURE_2D);
        glEnable(GL_LINE_STIPPLE);
        glEnable(GL_LINE_SMOOTH);
        glColor4f(0.95f, 0.95f, 1.f, static_cast<float>(boltAlpha) / 255.f);
        const float z = static_cast<float>(geometry.z);
        for (const LightningBranch& b : branches) {
            if (b.points.empty())
                continue;
            glLineWidth(static_cast<float>(b.width > 0 ? b.width : 1));
            glBegin(GL_LINE_STRIP);
            for (const PointF& p : b.points)
                glVertex3f(p.x, p.y, z);
            glEnd();
        }
        glDisable(GL_LINE_SMOOTH);
        glDisable(GL_LINE_STIPPLE);
    }
    if (flashAlpha > 0)
        g.fillRect(0, 0, 1024, 768, Color(255, 255, 255, static_cast<uint8_t>(flashAlpha & 0xff)));
}

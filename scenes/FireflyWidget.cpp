#include "scenes/FireflyWidget.h"

#include "engine/anim/CompositeAction.h"
#include "engine/anim/Tweens.h"
#include "engine/core/StringUtils.h"
#include "engine/gfx/Graphics.h"

#include <cmath>

namespace {

constexpr float Pi = 3.1415927f;

float randomShare(int n)
{
    return static_cast<float>(randomBelow(n));
}

} // namespace

FireflyWidget::FireflyWidget(GLTexture* picture, int x, int y, int homeRadius, float slowest, float fastest,
                             float turnSpeed, float variation)
    : ImageWidget(picture, x, y)
    , homeX(x)
    , homeY(y)
    , posX(static_cast<float>(x))
    , posY(static_cast<float>(y))
    , radius(homeRadius)
    , speed(slowest)
    , maxSpeed(fastest)
    , minSpeed(slowest)
    , turnRate(turnSpeed)
    , speedVariation(variation)
{
    buildPulse();
    heading = randomShare(1000) * 360.0f / 1000.0f;
    speed = minSpeed + randomShare(1000) * (maxSpeed - minSpeed) / 1000.0f;
}

FireflyWidget::~FireflyWidget() = default;

void FireflyWidget::buildPulse()
{
    // Built once; each pulse retunes the two tweens, so that the steady run
    // allocates nothing.
    pulse = std::make_unique<ActionSequence>();
    pulse->add(std::make_unique<Setter<float>>(&scale, 1.0f));
    auto up = std::make_unique<RelIncrementator<float>>(Duration(0), &scale, 0.0f);
    auto down = std::make_unique<RelIncrementator<float>>(Duration(0), &scale, 0.0f);
    swellUp = up.get();
    swellDown = down.get();
    pulse->add(std::move(up));
    pulse->add(std::move(down));
    startPulse();
}

void FireflyWidget::startPulse()
{
    const int ms = randomBelow(2000) + 300;
    const float swell = randomShare(2000) * 0.4f / 1000.0f;
    swellUp->retune(ms, swell);
    swellDown->retune(ms, -swell);
    pulse->start(this, 0);
}

void FireflyWidget::onActionFinished(int32_t id)
{
    // Called from inside the pulse's own update: the new pulse replaces it
    // only after that update has returned (see update()).
    if (id == 0)
        pulseDone = true;
}

void FireflyWidget::turnHome(int dt)
{
    const float target = std::atan2(static_cast<float>(homeY) - posY, static_cast<float>(homeX) - posX) * 180.0f / Pi;
    float d = target - heading;
    if (d < -180.0f)
        d += 360.0f;
    else if (d > 180.0f)
        d -= 360.0f;
    const float turn = turnRate * static_cast<float>(dt) / 1000.0f;
    heading += d >= 0 ? turn : -turn;
}

void FireflyWidget::steer(int dt)
{
    const int dx = geometry.x - homeX;
    const int dy = geometry.y - homeY;
    if (dx * dx + dy * dy >= radius * radius)
        turnHome(dt);
}

void FireflyWidget::changeSpeed(int dt)
{
    speed += (randomShare(2000) - 1000.0f) / 1000.0f * (speedVariation * static_cast<float>(dt) / 1000.0f);
    if (speed < minSpeed)
        speed = minSpeed;
    else if (speed > maxSpeed)
        speed = maxSpeed;
}

void FireflyWidget::move(int dt)
{
    const float r = heading * Pi / 180.0f;
    posX += std::cos(r) * speed * static_cast<float>(dt) / 1000.0f;
    posY += std::sin(r) * speed * static_cast<float>(dt) / 1000.0f;
    geometry.x = static_cast<int32_t>(posX);
    geometry.y = static_cast<int32_t>(posY);
}

void FireflyWidget::update(int dt, ScreenBase*)
{
    steer(dt);
    turnTimer -= dt;
    if (turnTimer < 0) {
        turnDirection = static_cast<float>(randomBelow(2) * 2 - 1);
        turnTimer = randomBelow(500);
    }
    heading += randomShare(1000) / 1000.0f * (turnRate * static_cast<float>(dt) / 1000.0f) * turnDirection;
    if (heading <= 0)
        heading += 360.0f;
    if (heading >= 360.0f)
        heading -= 360.0f;
    changeSpeed(dt);
    move(dt);
    pulse->update(dt);
    if (pulseDone) {
        pulseDone = false;
        startPulse();
    }
}

void FireflyWidget::draw(Graphics& g, ScreenBase* screen)
{
    g.pushTransform();
    g.scale(scale, scale);
    ImageWidget::draw(g, screen);
    g.popTransform();
}

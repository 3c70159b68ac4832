#include "scenes/SceneFog.h"

#include "engine/anim/ActionDelay.h"
#include "engine/anim/CompositeAction.h"
#include "engine/anim/Tweens.h"
#include "engine/gfx/Font.h"
#include "engine/gfx/GLTexture.h"
#include "engine/gfx/Graphics.h"
#include "engine/store/ConfigFile.h"

#include <algorithm>
#include <string>

namespace {

constexpr int ScreenW = 1024;
constexpr int ScreenH = 768;

// Values used when the tuning file lacks a key.
int setting(const char* key, int def)
{
    return std::max(0, getParamInt(key, def));
}

} // namespace

SceneFog::SceneFog() = default;

SceneFog::~SceneFog() = default;

bool SceneFog::clicksWithin(const std::vector<uint64_t>& times, size_t count, uint32_t windowMs)
{
    if (count == 0 || times.size() < count)
        return false;
    const uint32_t span = static_cast<uint32_t>(times.back() - times[times.size() - count]);
    return span < windowMs;
}

bool SceneFog::recordMiss(uint64_t nowMs)
{
    clickTimes.push_back(nowMs);
    if (!clicksWithin(clickTimes, BurstClicks, BurstWindowMs)) {
        // Only the newest few can still make a burst.
        if (clickTimes.size() > BurstClicks)
            clickTimes.erase(clickTimes.begin());
        return false;
    }
    clickTimes.clear();
    return true;
}

bool SceneFog::isRunning(Mode mode) const
{
    return std::any_of(actions.begin(), actions.end(), [mode](const std::unique_ptr<Action>& a) {
        return a->isRunning() && a->getId() == mode;
    });
}

void SceneFog::start()
{
    const int fade = setting("QDScene.FogFadeDuration", 300);
    int alphaTotal = setting("QDScene.FogAlphaValue", 160);
    int alphaStep = alphaTotal;
    Mode mode = Fog;
    for (const std::unique_ptr<Action>& action : actions) {
        if (!action->isRunning())
            continue;
        if (action->getId() == Spyhole)
            return;
        if (action->getId() == Fog) {
            action->stop();
            fogOn = false;
            spyholeOn = true;
            alphaTotal = setting("QDScene.SpyholeAlphaValue", 235);
            // From the darkness reached so far, so the spyhole ends clear.
            alphaStep = alphaTotal - alpha;
            mode = Spyhole;
        }
    }
    const int hold = mode == Spyhole ? setting("QDScene.SpyholeDuration", 5000) : setting("QDScene.FogDuration", 3000);
    auto sequence = std::make_unique<ActionSequence>();
    sequence->add(std::make_unique<RelIncrementator<int>>(Duration(fade), &alpha, alphaStep));
    if (mode == Spyhole) {
        sequence->add(std::make_unique<Setter<int>>(&countdownMs, hold));
        sequence->add(std::make_unique<Setter<bool>>(&showCountdown, true));
    }
    auto wait = std::make_unique<ParalelAction>();
    wait->add(std::make_unique<ActionDelay>(Duration(hold)));
    if (mode == Spyhole)
        wait->add(std::make_unique<RelIncrementator<int>>(Duration(hold), &countdownMs, -hold));
    sequence->add(std::move(wait));
    sequence->add(std::make_unique<Setter<bool>>(&showCountdown, false));
    sequence->add(std::make_unique<RelIncrementator<int>>(Duration(fade), &alpha, -alphaTotal));
    // Ended sequences are of no further use.
    actions.erase(std::remove_if(actions.begin(), actions.end(),
                                 [](const std::unique_ptr<Action>& a) { return !a->isRunning(); }),
                  actions.end());
    actions.push_back(std::move(sequence));
    actions.back()->start(this, mode);
    if (!spyholeOn)
        fogOn = true;
}

void SceneFog::update(int dt)
{
    // A listener call may start another sequence: walk by index.
    for (size_t i = 0; i < actions.size(); ++i)
        actions[i]->update(dt);
}

void SceneFog::onActionFinished(int32_t)
{
    spyholeOn = false;
}

void SceneFog::draw(Graphics& g, int pointerX, int pointerY, GLTexture* spyhole, Font* countdownFont) const
{
    const Color dark(0, 0, 0, static_cast<uint8_t>(std::clamp(alpha, 0, 255)));
    if (fogOn)
        g.fillRect(0, 0, ScreenW, ScreenH, dark);
    if (!spyholeOn)
        return;
    const int w = spyhole ? spyhole->getWidth() : 0;
    const int h = spyhole ? spyhole->getHeight() : 0;
    const int sx = pointerX - w / 2;
    const int sy = pointerY - h / 2;
    if (spyhole)
        g.drawImage(sx, sy, spyhole, dark);
    g.fillRect(0, 0, ScreenW, sy, dark);
    g.fillRect(0, sy + h, ScreenW, ScreenH - sy, dark);
    g.fillRect(0, sy, sx, h, dark);
    g.fillRect(sx + w, sy, ScreenW, h, dark);
    if (showCountdown && countdownFont)
        countdownFont->drawTextInBoxRuns(g, WidgetGeometry(460, 62, 0, 116, 30),
                                         std::to_string((countdownMs + 1) / 1000), Color(255, 255, 255, 150), 2,
                                         2, false);
}

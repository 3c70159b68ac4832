#include "tests/driver/SpellDriverSupport.h"

#include "engine/ui/ScreenBase.h"
#include "engine/ui/WidgetManager.h"
#include "game/ItemRenderer.h"
#include "game/ItemState.h"
#include "game/SfxContainer.h"
#include "scenes/AnimatedStaff.h"
#include "scenes/HintRenderer.h"
#include "scenes/ItemGoalRenderer.h"
#include "scenes/QDScene.h"
#include "scenes/SpellButton.h"
#include "scenes/SpellFireBall.h"
#include "scenes/VisibilitySpell.h"
#include "tests/driver/DriverScript.h"
#include "tests/driver/GameDriver.h"
#include "tests/driver/HeadlessDriver.h"
#include "tests/driver/SceneDriverSupport.h"

#include <map>
#include <memory>
#include <set>
#include <typeinfo>
#include <string>
#include <vector>

namespace {

QDScene* topGameScene(GameDriver& driver)
{
    return dynamic_cast<QDScene*>(topScene(driver));
}

int fireBalls(QDScene& scene)
{
    int count = 0;
    if (WidgetManager* widgets = scene.getWidgetManager())
        for (Widget* widget : widgets->getWidgets())
            if (dynamic_cast<SpellFireBall*>(widget))
                ++count;
    return count;
}

// The effects asked for since the driver started, by name, counted on
// whichever effect list the game has (it may be made anew).
struct SfxCounts {
    SfxContainer* hooked = nullptr;
    std::map<std::string, int> played;

    ~SfxCounts()
    {
        if (hooked && hooked == SfxContainer::existingInstance())
            hooked->setPlayObserver(nullptr);
    }
    void hook()
    {
        SfxContainer* sfx = SfxContainer::existingInstance();
        if (!sfx || sfx == hooked)
            return;
        hooked = sfx;
        sfx->setPlayObserver([this](const std::string& name) { ++played[name]; });
    }
};

void probe(GameDriver& driver, GameDriver::DumpLines& out)
{
    QDScene* scene = topGameScene(driver);
    if (!scene)
        return;
    const SceneSpells& spells = scene->getSpells();
    out.emplace_back("spell.armed", std::to_string(spells.getArmedSpell()));
    out.emplace_back("spell.choosing", spells.isChoosingTarget() ? "1" : "0");
    for (int i = 0; i < SceneSpells::SpellCount; ++i) {
        const SpellButton* button = spells.getButton(i);
        out.emplace_back("spell.button." + std::to_string(i),
                         !button ? "none" : std::to_string(button->getCharge()) + (button->isReady() ? " ready" : ""));
        if (button && button->isBlinking())
            out.emplace_back("spell.blink." + std::to_string(i), "1");
    }
    const AnimatedStaff* staff = spells.getStaff();
    out.emplace_back("spell.staff", !staff ? "none" : staff->isBusy() ? "busy" : "idle");
    const HintRenderer* hint = spells.getHint();
    out.emplace_back("spell.hint", hint && hint->isActive() ? std::to_string(hint->getPhase()) : "idle");
    out.emplace_back("spell.fireballs", std::to_string(fireBalls(*scene)));
    const SpellFireBall* visibility = spells.getVisibilitySpell();
    out.emplace_back("spell.visibility", visibility ? std::to_string(visibility->getPhase()) : "none");
    std::string classes;
    std::set<std::string> seen;
    for (ItemState* state : scene->getRenderList()) {
        const std::string name = state->renderer ? GameDriver::typeName(typeid(*state->renderer)) : "none";
        if (seen.insert(name).second)
            classes += (classes.empty() ? "" : "|") + name;
    }
    out.emplace_back("spell.renderers", classes);
}

} // namespace

void addSpellDriverSupport(GameDriver& driver)
{
    using Args = std::vector<std::string>;
    driver.addProbe([&driver](ScreenBase*, GameDriver::DumpLines& out) { probe(driver, out); });
    HeadlessDriver& headless = driver.driver();
    auto sfx = std::make_shared<SfxCounts>();
    headless.addFrameObserver([sfx] { sfx->hook(); });
    driver.addProbe([sfx](ScreenBase*, GameDriver::DumpLines& out) {
        sfx->hook();
        for (const auto& [name, count] : sfx->played)
            out.emplace_back("sfx." + name, std::to_string(count));
    });
    headless.addCommand("sfx-watch", 1, 8, [sfx](HeadlessDriver&, const Args& a) {
        for (const std::string& name : a)
            sfx->played.emplace(name, 0);
        return std::string();
    });
    headless.addCommand("spell-button", 1, 1, [&driver](HeadlessDriver&, const Args& a) {
        int index = 0;
        if (!DriverScript::toInt(a[0], index) || index < 0 || index >= SceneSpells::SpellCount)
            return std::string("spell-button: N is 0 to 3");
        QDScene* scene = topGameScene(driver);
        if (!scene)
            return std::string("spell-button: no game scene");
        scene->onSpellButtonPressed(index, SpellButton::Released);
        return std::string();
    });
    headless.addCommand("choose-target", 0, 0, [&driver](HeadlessDriver&, const Args&) {
        QDScene* scene = topGameScene(driver);
        if (!scene || !scene->getGoalRenderer() || scene->getGoalRenderer()->wantedEntries().empty())
            return std::string("choose-target: no wanted item");
        scene->chooseTarget(scene->getGoalRenderer()->wantedEntries().front().item);
        return std::string();
    });
}

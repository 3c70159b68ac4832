// The scene effects' pure parts: particles (the random moduli that would
// divide by zero are guarded; a cloud keeps its size and stays near its
// origin over a long run), their tuning keys, fireflies, the flickering
// light, rune counting and the staff.
#include "engine/store/ConfigFile.h"
#include "game/ItemState.h"
#include "game/SceneItem.h"
#include "game/SfxContainer.h"
#include "scenes/AnimatedStaff.h"
#include "scenes/FireflyWidget.h"
#include "scenes/FlickerRenderer.h"
#include "scenes/ParticleEmmiter.h"
#include "scenes/ParticleSettings.h"
#include "scenes/SceneFog.h"
#include "scenes/SpellRunes.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

namespace {

Particle settings(int lifetime, float vx, float vy, float ay)
{
    Particle s;
    s.lifetime = lifetime;
    s.vx = vx;
    s.vy = vy;
    s.ay = ay;
    return s;
}

} // namespace

TEST(ParticleTest, ZeroLifeNegativeSpeedsAndRangeMinusOneAreGuarded)
{
    ParticleEmmiter e(nullptr, 50);
    e.spawnRangeX = -1;
    e.spawnRangeY = -1;
    e.emit(settings(0, -0.005f, -0.5f, 0));
    e.setActive(true);
    ASSERT_EQ(e.getParticles().size(), 50u);
    for (const Particle& p : e.getParticles()) {
        EXPECT_GE(p.lifetime, 1);
        // -0.005 * 200 + 1 is 0 as an int: no random share.
        EXPECT_FLOAT_EQ(p.vx, -0.005f);
        EXPECT_FLOAT_EQ(p.x, 1.0f);
    }
    for (int i = 0; i < 100; ++i)
        e.advance(16);
    for (const Particle& p : e.getParticles())
        EXPECT_GE(p.lifetime, 1);
}

// A rising flame (vy -0.8, spread 0.01, as the torch is tuned): the divisor
// (int)(-0.8 * 200 + 1) is -159, the remainder of rand() by it lies in 0 to
// 158, so the speeds spread from -0.8 to -2.38 instead of all being -0.8.
TEST(ParticleTest, ANegativeSpeedGetsItsRandomShare)
{
    std::srand(7);
    ParticleEmmiter e(nullptr, 400);
    e.spreadY = 0.01f;
    e.emit(settings(900, 0.1f, -0.8f, 0));
    float slowest = -100.0f, fastest = 0.0f;
    for (const Particle& p : e.getParticles()) {
        slowest = std::max(slowest, p.vy);
        fastest = std::min(fastest, p.vy);
        const float steps = (-0.8f - p.vy) / 0.01f;
        ASSERT_NEAR(steps, std::round(steps), 1e-3f) << p.vy;
    }
    EXPECT_GE(fastest, -2.38f - 1e-5f);
    EXPECT_LT(fastest, -2.2f);
    EXPECT_LE(slowest, -0.8f);
    EXPECT_GT(slowest, -0.9f);
}

TEST(ParticleTest, LongRunStaysBoundedAndTheChosenChannelFollowsTheAlpha)
{
    ParticleEmmiter e(nullptr, 200);
    e.spreadX = e.spreadY = 0.03f;
    e.spawnRangeX = e.spawnRangeY = 2;
    e.alphaOut = &e.g;
    e.emit(settings(1000, 0.5f, 0.5f, 0.05f));
    e.setActive(true);
    // A particle lives at most 64 updates of 16 ms: |v| <= 2.5, y gains at
    // most 0.05 per update per update.
    for (int frame = 0; frame < 20000; ++frame) {
        e.advance(16);
        if (frame % 1000 != 999)
            continue;
        ASSERT_EQ(e.getParticles().size(), 200u);
        for (const Particle& p : e.getParticles()) {
            ASSERT_LE(std::fabs(p.x), 170.0f);
            ASSERT_LE(std::fabs(p.y), 280.0f);
            ASSERT_GE(p.alpha, 0);
            ASSERT_LE(p.alpha, 255);
        }
    }
    EXPECT_EQ(e.g, e.getParticles().back().alpha);
}

TEST(ParticleTest, InactiveEmitterDoesNotMove)
{
    ParticleEmmiter e(nullptr, 5);
    e.emit(settings(100, 1.0f, 1.0f, 0));
    const float x = e.getParticles()[0].x;
    e.advance(16);
    EXPECT_EQ(e.getParticles()[0].x, x);
}

// Four misses bring the fog when the first and the fourth lie less than
// 1000 ms apart: 999 ms do, exactly 1000 ms do not; the oldest of five then
// drops out, so a fifth miss 701 ms after the second one does.
TEST(SceneFogTest, FourMissesWithinLessThanASecondMakeABurst)
{
    SceneFog quick;
    EXPECT_FALSE(quick.recordMiss(5000));
    EXPECT_FALSE(quick.recordMiss(5300));
    EXPECT_FALSE(quick.recordMiss(5700));
    EXPECT_TRUE(quick.recordMiss(5999));
    EXPECT_TRUE(quick.getClickTimes().empty());

    SceneFog slow;
    EXPECT_FALSE(slow.recordMiss(5000));
    EXPECT_FALSE(slow.recordMiss(5300));
    EXPECT_FALSE(slow.recordMiss(5700));
    EXPECT_FALSE(slow.recordMiss(6000));
    EXPECT_TRUE(slow.recordMiss(6001));
}

TEST(FireflyTest, SpeedStaysWithinItsBoundsAndItTurnsHome)
{
    FireflyWidget fixed(nullptr, 100, 100, 60, 20.0f, 20.0f, 180.0f, 100.0f);
    FireflyWidget wandering(nullptr, 100, 100, 60, 10.0f, 40.0f, 180.0f, 100.0f);
    float farthest = 0;
    for (int i = 0; i < 5000; ++i) {
        fixed.update(16, nullptr);
        wandering.update(16, nullptr);
        ASSERT_FLOAT_EQ(fixed.getSpeed(), 20.0f);
        ASSERT_GE(wandering.getSpeed(), 10.0f);
        ASSERT_LE(wandering.getSpeed(), 40.0f);
        farthest = std::max(farthest, std::hypot(wandering.getPosX() - 100.0f, wandering.getPosY() - 100.0f));
    }
    // Beyond the radius it turns back (the random turn may slow that down,
    // never reverse it); one that did not would be kilometres away.
    EXPECT_LT(farthest, 160.0f);
    EXPECT_GT(fixed.getScale(), 0.99f);
}

// Runes: distinct minor ids of one spell count, other spells and other
// items do not, and a cast uses up one rune per minor id, at most four.
TEST(SpellRunesTest, CountsDistinctRunesOfTheSpellAndPicksOnePerMinorToConsume)
{
    std::vector<std::unique_ptr<ItemState>> owned;
    std::vector<ItemState*> found;
    const auto add = [&](int typeId, int major, int minor) {
        auto record = std::make_unique<SceneItem>();
        record->typeId = typeId;
        record->majorGroupID = major;
        record->minorGroupID = minor;
        const int index = static_cast<int>(owned.size());
        owned.push_back(std::make_unique<ItemState>(index, index, 3, std::move(record)));
        found.push_back(owned.back().get());
    };
    add(200, 0, 0);
    add(200, 0, 0);   // the same rune number again
    add(213, 0, 1);
    add(0, 0, 2);     // not a rune
    add(200, 1, 2);   // another spell
    EXPECT_EQ(countSpellRunes(found, 0), 2);
    EXPECT_EQ(countSpellRunes(found, 1), 1);
    EXPECT_EQ(countSpellRunes(found, 3), 0);
    add(200, 0, 5);
    add(200, 0, 6);
    add(200, 0, 7);
    EXPECT_EQ(countSpellRunes(found, 0), 5);
    const std::vector<ItemKey> used = spellRunesToConsume(found, 0);
    ASSERT_EQ(used.size(), 4u);
    EXPECT_EQ(used[0].itemIndex, 0);
    EXPECT_EQ(used[1].itemIndex, 2);
    EXPECT_EQ(used[2].itemIndex, 5);
    EXPECT_EQ(used[3].itemIndex, 6);
}

// The staff: a swing asked for while one swings or glows starts nothing;
// a held glow stays at full until faded out; the sparkle plays once.
TEST(AnimatedStaffTest, SwingsOnceGlowsAndHoldsItsGlow)
{
    AnimatedStaff staff(0, 0, nullptr, nullptr, nullptr);
    staff.swing(true);
    ASSERT_TRUE(staff.isBusy());
    staff.update(200, nullptr);
    const int angle = staff.getAngle();
    EXPECT_GT(angle, 0);
    staff.swing(false);  // ignored: the first swing goes on unchanged
    staff.update(200, nullptr);
    EXPECT_GT(staff.getAngle(), angle);
    for (int t = 0; t < 3000; t += 50)
        staff.update(50, nullptr);
    EXPECT_EQ(staff.getAngle(), 0);
    EXPECT_EQ(staff.getGlowAlpha(), 255);
    EXPECT_FALSE(staff.isBusy());
    staff.fadeOutGlow();
    for (int t = 0; t < 1000; t += 50)
        staff.update(50, nullptr);
    EXPECT_EQ(staff.getGlowAlpha(), 0);
    EXPECT_FALSE(staff.isMoving());

    AnimatedStaff appearing(0, 0, nullptr, nullptr, nullptr);
    appearing.appear();
    EXPECT_EQ(appearing.getStaffAlpha(), 0);
    bool sparkled = false;
    for (int t = 0; t < 5000; t += 20) {
        appearing.update(20, nullptr);
        sparkled = sparkled || appearing.isSparkleOn();
    }
    EXPECT_EQ(appearing.getStaffAlpha(), 255);
    EXPECT_TRUE(sparkled);
    EXPECT_FALSE(appearing.isSparkleOn());
}

namespace {

// A tuning table of the given lines installed for one test.
class Tuning {
public:
    explicit Tuning(const std::string& lines)
        : table(folder.write("tuning.txt", lines))
        , before(gameParameters())
    {
        setGameParameters(&table);
    }
    ~Tuning() { setGameParameters(before); }

private:
    TempFolder folder;
    ConfigFile table;
    ConfigFile* before;
};

std::unique_ptr<ItemState> decoratedItem(const std::string& tip)
{
    auto record = std::make_unique<SceneItem>();
    record->infoTip = tip;
    record->R = record->G = record->B = record->A = 255;
    return std::make_unique<ItemState>(0, 0, 5, std::move(record));
}

} // namespace

// The flicker turns at every update with Randomness 100 (and above, which
// is clamped), about once in 100 with 0, and stays within its bounds.
TEST(FlickerRendererTest, RandomnessSetsHowOftenItTurnsAndTheIntensityStaysInItsBounds)
{
    Tuning tuning("SceneFlicker.A.Randomness = 150\nSceneFlicker.A.MinIntensity = 0.2\n"
                  "SceneFlicker.A.MaxIntensity = 0.6\nSceneFlicker.A.FlickerSpeed = 5\n"
                  "SceneFlicker.B.Randomness = 0\n");
    auto a = decoratedItem("A");
    auto b = decoratedItem("B");
    FlickerRenderer always(nullptr, a.get());
    FlickerRenderer seldom(nullptr, b.get());
    always.load(nullptr);
    seldom.load(nullptr);
    EXPECT_EQ(always.getFlipDivisor(), 1);
    EXPECT_EQ(seldom.getFlipDivisor(), 100);
    for (int i = 0; i < 1000; ++i) {
        const bool rising = always.isRising();
        always.update(16);
        ASSERT_GE(always.getIntensity(), 0.2f);
        ASSERT_LE(always.getIntensity(), 0.6f);
        // Flipped by the random turn, unless a bound turned it back.
        if (always.getIntensity() > 0.2f && always.getIntensity() < 0.6f) {
            ASSERT_NE(always.isRising(), rising);
        }
    }
}

// Particle settings: the channel named by ".ColorToChange" follows the
// alpha, a missing ".Life" runs as 1 ms, the count comes from the keys.
TEST(ParticleSettingsTest, ChosenChannelFollowsTheAlphaAndAMissingLifeIsGuarded)
{
    Tuning tuning("SceneFlame.T.ParticleNumber = 12\nSceneFlame.T.ColorToChange = 2\nSceneFlame.T.vy = -0.005\n");
    ParticleEmmiter emitter(nullptr, 0);
    ParticleSettings::read("SceneFlame.", "T").apply(emitter, nullptr);
    ASSERT_EQ(emitter.getParticles().size(), 12u);
    EXPECT_TRUE(emitter.isActive());
    EXPECT_EQ(emitter.alphaOut, &emitter.b);
    for (const Particle& p : emitter.getParticles())
        EXPECT_EQ(p.lifetime, 1);
    emitter.advance(16);
    EXPECT_EQ(emitter.b, 0);
}

// Two clicks on the staff 250 ms apart swing it once with one
// "STAFF_MOVING"; its first appearance fades in over
// "AnimatedStaff.FadeIn.Duration", then the sparkle plays its 40 frames of
// 40 ms once and never again.
TEST(AnimatedStaffTest, TwoQuickClicksSwingOnceAndTheSparklePlaysOnceAfterTheFadeIn)
{
    Tuning tuning("AnimatedStaff.FadeIn.Duration = 800\n");
    TempFolder folder;
    SfxContainer* sfx = SfxContainer::instance();
    ASSERT_TRUE(sfx->loadSfx(folder.write("sfx.xml", "<SFX/>")));
    std::vector<std::string> played;
    sfx->setPlayObserver([&played](const std::string& name) { played.push_back(name); });
    AnimatedStaff staff(0, 0, nullptr, nullptr, nullptr);
    staff.onMousePress(nullptr);
    staff.update(250, nullptr);
    staff.onMousePress(nullptr);
    EXPECT_EQ(played, std::vector<std::string>{"STAFF_MOVING"});
    sfx->setPlayObserver(nullptr);
    SfxContainer::destroyInstance();

    AnimatedStaff appearing(0, 0, nullptr, nullptr, nullptr);
    appearing.appear();
    appearing.update(400, nullptr);
    EXPECT_NEAR(appearing.getStaffAlpha(), 128, 3);
    EXPECT_FALSE(appearing.isSparkleOn());
    appearing.update(400, nullptr);
    EXPECT_EQ(appearing.getStaffAlpha(), 255);
    int sparkleMs = 0, lastFrame = -1;
    for (int t = 0; t < 6000; t += 10) {
        appearing.update(10, nullptr);
        if (appearing.isSparkleOn()) {
            ASSERT_LT(t, 2000) << "the sparkle plays again";
            sparkleMs += 10;
            ASSERT_GE(appearing.getSparkleFrame(), lastFrame);
            lastFrame = appearing.getSparkleFrame();
        }
    }
    EXPECT_NEAR(sparkleMs, 1600, 40);
    EXPECT_EQ(lastFrame, 39);
}

// Sprite-sheet Animation without a window: frame layout, stepping in every
// mode (including the steps and frame counts that would leave the frames) and
// owner-fed time. Drawing is checked in SpriteSheetGLTest.cpp.
#include "engine/anim/Animation.h"
#include "engine/anim/SystemAnimationListener.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

class EndRecorder : public SystemAnimationListener {
public:
    void onAnimationEnded(int32_t id) override { ids.push_back(id); }
    std::vector<int32_t> ids;
};

// Frames visited by `steps` steps, the start frame first.
std::vector<int32_t> visit(Animation& a, int steps)
{
    std::vector<int32_t> seen{a.getCurrentFrame()};
    for (int i = 0; i < steps; ++i) {
        a.step();
        seen.push_back(a.getCurrentFrame());
    }
    return seen;
}

// (column, row) of a frame built with 10 x 20 pixel cells.
std::pair<int, int> cellOf(const Animation& a, int index)
{
    const Rect& r = a.frame(index);
    return {static_cast<int>(r.x1) / 10, static_cast<int>(r.y1) / 20};
}

} // namespace

TEST(SpriteSheetFrames, AreTakenDownTheColumnsUpToTheFrameCount)
{
    Animation a(nullptr, 10, 20, 4, 2, 6);
    ASSERT_EQ(6, a.frameCount());
    const std::vector<std::pair<int, int>> expected{{0, 0}, {0, 1}, {1, 0}, {1, 1}, {2, 0}, {2, 1}};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(expected[static_cast<size_t>(i)], cellOf(a, i)) << "frame " << i;
        const Rect& r = a.frame(i);
        EXPECT_EQ(10, r.width());
        EXPECT_EQ(20, r.height());
        EXPECT_LT(r.x1, r.x2);  // not mirrored in the data
    }
}

TEST(SpriteSheetFrames, CountAboveTheGridIsClampedToItsCells)
{
    Animation a(nullptr, 10, 20, 2, 2, 9);
    EXPECT_EQ(4, a.frameCount());
    EXPECT_EQ(std::make_pair(1, 1), cellOf(a, 3));
    // Stepping round the clamped count stays on built frames.
    for (int i = 0; i < 9; ++i) {
        a.step();
        EXPECT_GE(a.getCurrentFrame(), 0);
        EXPECT_LT(a.getCurrentFrame(), 4);
    }
}

TEST(SpriteSheetFrames, ZeroOrNegativeSizesGiveNoFramesAndStepsDoNothing)
{
    Animation zeroCount(nullptr, 10, 20, 4, 2, 0);
    Animation negativeCount(nullptr, 10, 20, 4, 2, -3);
    Animation noColumns(nullptr, 10, 20, 0, 2, 6);
    Animation negativeRows(nullptr, 10, 20, 4, -1, 6);
    for (Animation* a : {&zeroCount, &negativeCount, &noColumns, &negativeRows}) {
        EXPECT_EQ(0, a->frameCount());
        for (int mode : {Animation::Loop, Animation::BackAndForth, Animation::Once}) {
            a->setMode(mode);
            a->setStep(-1);
            a->step();
            a->update(500);
            EXPECT_EQ(0, a->getCurrentFrame()) << "mode " << mode;
        }
        a->setCurrentFrame(3);
        EXPECT_EQ(0, a->getCurrentFrame());
    }
}

TEST(SpriteSheetStep, LoopWrapsBothWaysWithATrueModulo)
{
    Animation a(nullptr, 10, 10, 3, 1, 3);
    EXPECT_EQ((std::vector<int32_t>{0, 1, 2, 0, 1}), visit(a, 4));

    a.setCurrentFrame(0);
    a.setStep(-1);
    EXPECT_EQ((std::vector<int32_t>{0, 2, 1, 0, 2}), visit(a, 4));

    // Steps longer than the sequence, both signs: -7 = -3 * 3 + 2, 7 = 2 * 3 + 1.
    a.setCurrentFrame(0);
    a.setStep(-7);
    a.step();
    EXPECT_EQ(2, a.getCurrentFrame());
    a.setCurrentFrame(0);
    a.setStep(7);
    a.step();
    EXPECT_EQ(1, a.getCurrentFrame());
}

TEST(SpriteSheetStep, BackAndForthTurnsAtBothEnds)
{
    Animation a(nullptr, 10, 10, 4, 1, 4);
    a.setMode(Animation::BackAndForth);
    EXPECT_EQ((std::vector<int32_t>{0, 1, 2, 3, 2, 1, 0, 1}), visit(a, 7));
    EXPECT_EQ(1, a.getStep());

    // A negative step at frame 0 turns at once instead of leaving the frames.
    a.setCurrentFrame(0);
    a.setStep(-1);
    EXPECT_EQ((std::vector<int32_t>{0, 0, 1, 2}), visit(a, 3));

    // A step longer than the sequence is held at each end.
    a.setCurrentFrame(1);
    a.setStep(9);
    EXPECT_EQ((std::vector<int32_t>{1, 3, 0, 3}), visit(a, 3));
}

TEST(SpriteSheetStep, BackAndForthWithOneFrameStaysOnIt)
{
    Animation a(nullptr, 10, 10, 1, 1, 1);
    a.setMode(Animation::BackAndForth);
    a.setStep(3);
    EXPECT_EQ((std::vector<int32_t>{0, 0, 0}), visit(a, 2));
}

TEST(SpriteSheetStep, OnceReportsAtEveryStepOnTheLastFrameAndNeverPassesIt)
{
    Animation a(nullptr, 10, 10, 3, 1, 3);
    EndRecorder ends;
    a.setMode(Animation::Once);
    a.setListener(&ends, 42);

    a.step();
    a.step();
    EXPECT_EQ(2, a.getCurrentFrame());
    EXPECT_TRUE(ends.ids.empty()) << "reaching the last frame is not yet the end";

    a.step();
    EXPECT_EQ(2, a.getCurrentFrame());
    EXPECT_EQ(std::vector<int32_t>{42}, ends.ids);
    a.step();
    EXPECT_EQ(2, a.getCurrentFrame());
    EXPECT_EQ((std::vector<int32_t>{42, 42}), ends.ids);
}

TEST(SpriteSheetStep, OnceStaysWithinTheFramesWhateverTheStep)
{
    Animation a(nullptr, 10, 10, 4, 1, 4);
    a.setMode(Animation::Once);

    // Without a listener the last frame simply holds.
    a.setStep(10);
    EXPECT_EQ((std::vector<int32_t>{0, 3, 3}), visit(a, 2));

    // A negative step stops at frame 0 instead of going below it.
    a.setCurrentFrame(2);
    a.setStep(-1);
    EXPECT_EQ((std::vector<int32_t>{2, 1, 0, 0}), visit(a, 3));
    a.setCurrentFrame(1);
    a.setStep(-5);
    EXPECT_EQ((std::vector<int32_t>{1, 0}), visit(a, 1));
}

TEST(SpriteSheetStep, SetFrameIsClampedToTheFrames)
{
    Animation a(nullptr, 10, 10, 4, 1, 4);
    a.setCurrentFrame(9);
    EXPECT_EQ(3, a.getCurrentFrame());
    a.setCurrentFrame(-2);
    EXPECT_EQ(0, a.getCurrentFrame());
}

TEST(SpriteSheetTime, ALongUpdateAdvancesOneFrameAndKeepsTheRest)
{
    Animation a(nullptr, 10, 10, 8, 1, 8, 100);
    a.update(250);
    EXPECT_EQ(1, a.getCurrentFrame());
    EXPECT_EQ(150, a.getAccumulatedTime());

    // The kept time pays for the next frame at once.
    a.update(0);
    EXPECT_EQ(2, a.getCurrentFrame());
    EXPECT_EQ(50, a.getAccumulatedTime());

    a.update(49);
    EXPECT_EQ(2, a.getCurrentFrame());
    a.update(1);
    EXPECT_EQ(3, a.getCurrentFrame());
    EXPECT_EQ(0, a.getAccumulatedTime());
}

TEST(SpriteSheetTime, PausedConsumesTimeWithoutMoving)
{
    Animation a(nullptr, 10, 10, 8, 1, 8, 100);
    a.setPaused(true);
    a.update(130);
    EXPECT_EQ(0, a.getCurrentFrame());
    EXPECT_EQ(30, a.getAccumulatedTime());

    a.setPaused(false);
    a.update(70);
    EXPECT_EQ(1, a.getCurrentFrame());
}

TEST(SpriteSheetTime, ZeroFrameTimeStepsOncePerUpdateWithoutCarryingTime)
{
    Animation a(nullptr, 10, 10, 8, 1, 8, 0);
    a.update(5);
    a.update(5);
    EXPECT_EQ(2, a.getCurrentFrame());
    EXPECT_EQ(0, a.getAccumulatedTime());
}


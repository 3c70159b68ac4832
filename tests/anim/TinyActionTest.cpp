#include "engine/anim/ActionListener.h"
#include "engine/anim/MathFunction.h"
#include "engine/anim/TinyAction.h"
#include "engine/anim/TinyCompositeAction.h"
#include "engine/anim/TinyLoopAction.h"
#include "engine/anim/TinyTweens.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

struct Recorder : ActionListener {
    std::vector<int32_t> ids;
    void onActionFinished(int32_t id) override { ids.push_back(id); }
};

// Updates `action` by dt until it stops; returns the number of the update on
// which it stopped, or 0 when it still runs after `limit` updates.
int updatesUntilEnd(TinyAction& action, int32_t dt, int limit = 100)
{
    for (int u = 1; u <= limit; ++u) {
        action.update(dt);
        if (!action.isRunning())
            return u;
    }
    return 0;
}

}  // namespace

// --- Leaves ----------------------------------------------------------------

TEST(TinyAction, IncrementatorOfLengthZeroOrLessEndsAtStartLeavingTheTarget)
{
    for (int32_t len : {0, -20}) {
        Recorder rec;
        float x = 3.0f;
        TinyRelIncrementator<float> inc(TinyDuration(len), &x, 10.0f);
        inc.start(&rec, 5);
        EXPECT_FALSE(inc.isRunning());
        EXPECT_EQ(rec.ids, std::vector<int32_t>{5});
        inc.update(100);
        EXPECT_EQ(x, 3.0f);
    }
}

TEST(TinyAction, IncrementatorFed200MsStepsWrites40And80PercentThenExactEnd)
{
    Recorder rec;
    float x = 1.0f;
    TinyRelIncrementator<float> inc(TinyDuration(500), &x, 10.0f);
    inc.start(&rec, 2);
    inc.update(200);
    EXPECT_FLOAT_EQ(x, 5.0f);
    inc.update(200);
    EXPECT_FLOAT_EQ(x, 9.0f);
    EXPECT_TRUE(inc.isRunning());
    inc.update(200);
    EXPECT_EQ(x, 11.0f);
    EXPECT_FALSE(inc.isRunning());
    EXPECT_EQ(rec.ids, std::vector<int32_t>{2});
}

TEST(TinyAction, IncrementatorIsRelativeToTheValueAtStart)
{
    float x = 0.0f;
    TinyRelIncrementator<float> inc(TinyDuration(100), &x, 1.0f);
    x = 4.0f;  // changed by someone else before the start
    inc.start(nullptr, 0);
    inc.update(50);
    EXPECT_FLOAT_EQ(x, 4.5f);
    inc.update(50);
    inc.start(nullptr, 0);  // again, from 5
    inc.update(100);
    EXPECT_EQ(x, 6.0f);
}

TEST(TinyAction, DelayOfZeroOrNegativeLengthEndsOnFirstUpdate)
{
    for (int32_t len : {0, -1}) {
        TinyActionDelay delay{TinyDuration(len)};
        delay.start(nullptr, 0);
        EXPECT_TRUE(delay.isRunning());
        delay.update(0);
        EXPECT_FALSE(delay.isRunning());
    }
}

TEST(TinyAction, DelayCountsTimeWhileIdleButStartResetsIt)
{
    Recorder rec;
    TinyActionDelay delay{TinyDuration(100)};
    delay.update(500);
    delay.start(&rec, 1);
    delay.update(50);
    EXPECT_TRUE(delay.isRunning());
    delay.update(50);
    EXPECT_FALSE(delay.isRunning());
    EXPECT_EQ(rec.ids, std::vector<int32_t>{1});
}

TEST(TinyAction, SetterWritesAtStartNotAtItsFirstUpdate)
{
    Recorder rec;
    float x = 0.0f;
    TinySetter<float> set(&x, 2.5f);
    set.start(&rec, 3);
    EXPECT_EQ(x, 2.5f);
    x = 7.0f;
    set.update(16);
    EXPECT_EQ(x, 7.0f);
    EXPECT_FALSE(set.isRunning());
    EXPECT_EQ(rec.ids, std::vector<int32_t>{3});
}

// --- Composites ------------------------------------------------------------

TEST(TinyAction, SequenceOfThreeSettersEndsOnTheSixthUpdate)
{
    Recorder rec;
    float a = 0, b = 0, c = 0;
    TinyActionSequence seq;
    seq.add(std::make_unique<TinySetter<float>>(&a, 1.0f));
    seq.add(std::make_unique<TinySetter<float>>(&b, 2.0f));
    seq.add(std::make_unique<TinySetter<float>>(&c, 3.0f));
    seq.start(&rec, 4);
    EXPECT_EQ(a, 1.0f);
    EXPECT_EQ(b, 0.0f);
    EXPECT_EQ(updatesUntilEnd(seq, 16), 6);
    EXPECT_EQ(c, 3.0f);
    EXPECT_EQ(rec.ids, std::vector<int32_t>{4});
}

TEST(TinyAction, SequenceGivesTheNextChildNoTimeInTheUpdateItStarts)
{
    float x = 0.0f;
    TinyActionSequence seq;
    seq.add(std::make_unique<TinyActionDelay>(TinyDuration(100)));
    seq.add(std::make_unique<TinyRelIncrementator<float>>(TinyDuration(100), &x, 10.0f));
    seq.start(nullptr, 0);
    seq.update(100);  // the delay ends
    seq.update(60);   // the incrementator starts, no time
    EXPECT_EQ(x, 0.0f);
    seq.update(60);
    EXPECT_FLOAT_EQ(x, 6.0f);
}

TEST(TinyAction, GroupOfUnequalLengthsEndsWithTheShortestChild)
{
    Recorder rec;
    float x = 0.0f, y = 0.0f;
    auto longer = std::make_unique<TinyRelIncrementator<float>>(TinyDuration(300), &y, 30.0f);
    TinyAction* longerView = longer.get();
    TinyParalelAction group;
    group.add(std::make_unique<TinyRelIncrementator<float>>(TinyDuration(100), &x, 10.0f));
    group.add(std::move(longer));
    group.start(&rec, 6);
    EXPECT_EQ(updatesUntilEnd(group, 50), 2);
    EXPECT_EQ(x, 10.0f);
    EXPECT_FLOAT_EQ(y, 10.0f);
    EXPECT_FALSE(longerView->isRunning());  // stopped with the group
    EXPECT_EQ(rec.ids, std::vector<int32_t>{6});
}

TEST(TinyAction, EmptyCompositesEndAtStartAndStopIsSilent)
{
    Recorder rec;
    TinyActionSequence seq;
    seq.start(&rec, 1);
    TinyParalelAction group;
    group.start(&rec, 2);
    EXPECT_EQ(rec.ids, (std::vector<int32_t>{1, 2}));

    TinyActionSequence running;
    running.add(std::make_unique<TinyActionDelay>(TinyDuration(100)));
    running.start(&rec, 3);
    running.stop();
    EXPECT_EQ(updatesUntilEnd(running, 100), 1);  // already stopped
    EXPECT_EQ(rec.ids.size(), 2u);
}

TEST(TinyAction, ThenAndParallelBuildOneCompositeEach)
{
    float x = 0.0f;
    std::unique_ptr<TinyAction> seq = then(then(std::make_unique<TinySetter<float>>(&x, 1.0f),
                                                std::make_unique<TinySetter<float>>(&x, 2.0f)),
                                           std::make_unique<TinySetter<float>>(&x, 3.0f));
    auto* asSeq = dynamic_cast<TinyActionSequence*>(seq.get());
    ASSERT_NE(asSeq, nullptr);
    EXPECT_EQ(asSeq->childCount(), 3u);

    std::unique_ptr<TinyAction> group = parallel(parallel(std::make_unique<TinyActionDelay>(TinyDuration(1)),
                                                          std::make_unique<TinyActionDelay>(TinyDuration(2))),
                                                 std::move(seq));
    auto* asGroup = dynamic_cast<TinyParalelAction*>(group.get());
    ASSERT_NE(asGroup, nullptr);
    EXPECT_EQ(asGroup->childCount(), 3u);
}

// --- Loop ------------------------------------------------------------------

TEST(TinyAction, LoopCountTwoRunsItsChildTwiceThenEnds)
{
    Recorder rec;
    float x = 0.0f;
    TinyLoopAction loop(std::make_unique<TinyRelIncrementator<float>>(TinyDuration(100), &x, 1.0f), 2);
    loop.start(&rec, 9);
    EXPECT_EQ(updatesUntilEnd(loop, 100), 2);
    EXPECT_EQ(x, 2.0f);  // each run adds to where the previous one ended
    EXPECT_EQ(loop.completedRuns(), 2);
    EXPECT_EQ(rec.ids, std::vector<int32_t>{9});
}

TEST(TinyAction, LoopForeverNeverEnds)
{
    Recorder rec;
    TinyLoopAction loop(std::make_unique<TinyActionDelay>(TinyDuration(20)), TinyLoopAction::Forever);
    loop.start(&rec, 1);
    EXPECT_EQ(updatesUntilEnd(loop, 20, 500), 0);
    EXPECT_TRUE(rec.ids.empty());
    loop.stop();
    EXPECT_FALSE(loop.isRunning());
    EXPECT_TRUE(rec.ids.empty());
}

// A zero-length incrementator ends during its start; restarting it from its
// own report recursed without end under a forever-loop.
TEST(TinyAction, LoopOverAChildEndingAtStartCountsOneRunPerUpdate)
{
    float x = 0.0f;
    TinyLoopAction forever(std::make_unique<TinyRelIncrementator<float>>(TinyDuration(0), &x, 1.0f),
                           TinyLoopAction::Forever);
    forever.start(nullptr, 0);
    EXPECT_EQ(updatesUntilEnd(forever, 16, 50), 0);

    TinyLoopAction thrice(std::make_unique<TinyActionSequence>(), 3);
    thrice.start(nullptr, 0);
    EXPECT_EQ(updatesUntilEnd(thrice, 16), 3);
}

// --- Clone -----------------------------------------------------------------

TEST(TinyAction, CloneKeepsIdListenerRunningAndCopiesChildren)
{
    Recorder rec;
    float x = 0.0f;
    auto seq = std::make_unique<TinyActionSequence>();
    seq->add(std::make_unique<TinyRelIncrementator<float>>(TinyDuration(100), &x, 10.0f));
    seq->start(&rec, 12);
    seq->update(50);
    std::unique_ptr<TinyAction> copy = seq->clone();
    seq.reset();
    EXPECT_TRUE(copy->isRunning());
    EXPECT_EQ(copy->getId(), 12);
    EXPECT_EQ(updatesUntilEnd(*copy, 50), 2);
    EXPECT_EQ(x, 10.0f);
    EXPECT_EQ(rec.ids, std::vector<int32_t>{12});

    auto loop = std::make_unique<TinyLoopAction>(std::make_unique<TinyActionDelay>(TinyDuration(10)), 2);
    loop->start(&rec, 13);
    std::unique_ptr<TinyAction> loopCopy = loop->clone();
    loop.reset();
    EXPECT_EQ(updatesUntilEnd(*loopCopy, 10), 2);
    EXPECT_EQ(rec.ids, (std::vector<int32_t>{12, 13}));
}

// --- Interpolation functions -----------------------------------------------

namespace {
// Stands in for the animation player, whose member gives the linear function.
struct LinearOwner {
    int calls = 0;
    float linear(float x, MathFunctionProperty* p)
    {
        ++calls;
        auto* lin = dynamic_cast<MathFunctionPropertyLinear*>(p);
        return lin ? x * lin->slope() : x;
    }
};

std::unique_ptr<MathFunction> makeLinear(LinearOwner& owner, std::unique_ptr<MathFunctionProperty> prop)
{
    using Functor = CustomFunctor<LinearOwner, float, float, MathFunctionProperty*>;
    return std::make_unique<MathFunction>(std::make_unique<Functor>(&owner, &LinearOwner::linear), std::move(prop));
}
}

TEST(MathFunction, LinearWithSlopePointSixAtTenGivesSix)
{
    LinearOwner owner;
    auto fn = makeLinear(owner, std::make_unique<MathFunctionPropertyLinear>(0.6f));
    EXPECT_FLOAT_EQ(fn->evaluate(10.0f), 6.0f);
    EXPECT_EQ(owner.calls, 1);
    EXPECT_EQ(fn->property()->kind(), MathFunctionPropertyLinear::Kind);
}

TEST(MathFunction, CloneOwnsItsOwnPropertyAndKeepsTheParameters)
{
    LinearOwner owner;
    auto fn = makeLinear(owner, std::make_unique<MathFunctionPropertyLinear>(0.6f));
    EXPECT_EQ(fn->parameterA(), 1.0f);
    EXPECT_EQ(fn->parameterB(), -1.0f);
    fn->setParameters(2.0f, 3.0f);

    std::unique_ptr<MathFunction> copy = fn->clone();
    EXPECT_NE(copy->property(), fn->property());
    static_cast<MathFunctionPropertyLinear*>(copy->property())->setSlope(2.0f);
    EXPECT_FLOAT_EQ(copy->evaluate(10.0f), 20.0f);
    EXPECT_FLOAT_EQ(fn->evaluate(10.0f), 6.0f);
    EXPECT_EQ(copy->parameterA(), 2.0f);
    EXPECT_EQ(copy->parameterB(), 3.0f);
    fn.reset();
    EXPECT_FLOAT_EQ(copy->evaluate(1.0f), 2.0f);  // the clone outlives the original
}

TEST(MathFunction, MissingPropertyOrFunctor)
{
    LinearOwner owner;
    auto noProp = makeLinear(owner, nullptr);
    EXPECT_EQ(noProp->property(), nullptr);
    EXPECT_FLOAT_EQ(noProp->evaluate(4.0f), 4.0f);  // the functor got a null set
    EXPECT_EQ(noProp->clone()->property(), nullptr);

    MathFunction empty(nullptr);
    EXPECT_EQ(empty.evaluate(4.0f), 0.0f);
    EXPECT_EQ(empty.clone()->evaluate(4.0f), 0.0f);
}

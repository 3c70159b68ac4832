#include "engine/anim/ActionDelay.h"
#include "engine/anim/ActionListener.h"
#include "engine/anim/CompositeAction.h"
#include "engine/anim/Duration.h"
#include "engine/anim/LoopAction.h"
#include "engine/anim/Tweens.h"
#include "engine/core/GameClock.h"
#include "tests/anim/FakeAppContext.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

namespace {

// A hand-stepped timer for the length of a test.
struct FakeTicks {
    uint64_t now = 0;
    FakeTicks() { setTickSource([this] { return now; }); }
    ~FakeTicks() { setTickSource(nullptr); }
};

struct Recorder : ActionListener {
    std::vector<int32_t> ids;
    void onActionFinished(int32_t id) override { ids.push_back(id); }
};

class ActionTest : public ::testing::Test {
protected:
    void SetUp() override { clock.reset(); }
    // Sets the game clock's elapsed time (the clock was reset at 0).
    void at(uint64_t ms) { ticks.now = ms; }
    Duration ms(int32_t length) { return Duration(length, &clock); }

    FakeTicks ticks;
    GameClock clock;
    Recorder rec;
};

}  // namespace

// --- Duration --------------------------------------------------------------

TEST_F(ActionTest, DurationCountsClockTimeSinceRestart)
{
    Duration d = ms(100);
    at(50);
    EXPECT_EQ(d.elapsed(), 0);  // not restarted yet
    d.restart();
    at(80);
    EXPECT_EQ(d.elapsed(), 30);
    EXPECT_FALSE(d.isManual());
}

TEST_F(ActionTest, DurationFedOnceStaysManualAfterEveryRestart)
{
    Duration d = ms(100);
    d.restart();
    d.add(30);
    EXPECT_TRUE(d.isManual());
    EXPECT_EQ(d.elapsed(), 30);
    at(500);
    d.restart();
    at(900);
    EXPECT_TRUE(d.isManual());
    EXPECT_EQ(d.elapsed(), 0);  // clock time no longer counts
    d.add(10);
    EXPECT_EQ(d.elapsed(), 10);
    d.restart();
    EXPECT_EQ(d.elapsed(), 0);
}

TEST(Duration, WithoutClockStandsStillOrFollowsTheApplicationClock)
{
    FakeTicks ticks;
    Duration d(100);
    d.restart();
    ticks.now = 40;
    EXPECT_EQ(d.elapsed(), 0);  // no application: clock time stands at 0

    FakeAppContext app;  // installs itself and its own stepped clock
    d.restart();
    FakeAppContext::advance(30);
    EXPECT_EQ(d.elapsed(), 30);
    app.clock.pause();
    FakeAppContext::advance(30);
    EXPECT_EQ(d.elapsed(), 30);
}

TEST_F(ActionTest, PausedClockStopsTimedActions)
{
    int x = 0;
    RelIncrementator<int> inc(ms(1000), &x, 100);
    inc.start(&rec, 1);
    at(250);
    inc.step();
    EXPECT_EQ(x, 25);
    clock.pause();
    at(900);
    inc.step();
    EXPECT_EQ(x, 25);
    clock.resume();
    at(1150);
    inc.step();
    EXPECT_EQ(x, 50);
    EXPECT_TRUE(inc.isRunning());
}

// --- Linear tweens ---------------------------------------------------------

TEST_F(ActionTest, RelIncrementatorIntOnClockWrites0_2_9_10AndEndsOnLastStep)
{
    int x = 0;
    RelIncrementator<int> inc(ms(1000), &x, 10);
    inc.start(&rec, 7);
    const int expected[] = {0, 2, 9, 10};
    const uint64_t times[] = {0, 250, 999, 1000};
    for (int i = 0; i < 4; ++i) {
        at(times[i]);
        inc.step();
        EXPECT_EQ(x, expected[i]) << "at " << times[i] << " ms";
        EXPECT_EQ(inc.isRunning(), i < 3);
    }
    EXPECT_EQ(rec.ids, std::vector<int32_t>{7});
    inc.step();
    EXPECT_EQ(rec.ids.size(), 1u);  // a finished action ignores further steps
}

TEST_F(ActionTest, RelIncrementatorOnFedTimeRestartsFromTheCurrentValue)
{
    float x = 5.0f;
    RelIncrementator<float> inc(ms(100), &x, 10.0f);
    inc.start(&rec, 1);
    at(10000);  // clock time is ignored once time is fed
    inc.update(50);
    EXPECT_FLOAT_EQ(x, 10.0f);
    inc.update(80);  // a late frame: exactly the end, no overshoot
    EXPECT_EQ(x, 15.0f);
    EXPECT_FALSE(inc.isRunning());
    inc.update(50);
    EXPECT_EQ(x, 15.0f);

    inc.start(&rec, 2);
    inc.update(100);
    EXPECT_EQ(x, 25.0f);
    EXPECT_EQ(rec.ids, (std::vector<int32_t>{1, 2}));
}

TEST_F(ActionTest, RelDecrementatorSubtractsAndEndsExactly)
{
    unsigned char alpha = 255;
    RelDecrementator<unsigned char> dec(ms(400), &alpha, 255);
    dec.start(nullptr, 0);
    dec.update(100);
    EXPECT_EQ(alpha, 191);  // 255 - 63.75, truncated
    dec.update(300);
    EXPECT_EQ(alpha, 0);
    EXPECT_FALSE(dec.isRunning());

    int y = 10;
    RelDecrementator<int> decInt(ms(100), &y, 30);
    decInt.start(nullptr, 0);
    decInt.update(50);
    EXPECT_EQ(y, -5);
    decInt.update(50);
    EXPECT_EQ(y, -20);
}

TEST_F(ActionTest, UnsignedCharTargetsWrapModulo256)
{
    unsigned char v = 250;
    RelIncrementator<unsigned char> inc(ms(1000), &v, 10);
    inc.start(nullptr, 0);
    inc.update(600);  // 256
    EXPECT_EQ(v, 0);
    inc.update(100);  // 257
    EXPECT_EQ(v, 1);
    inc.update(300);  // 260
    EXPECT_EQ(v, 4);

    unsigned char w = 3;
    RelDecrementator<unsigned char> dec(ms(100), &w, 10);
    dec.start(nullptr, 0);
    dec.update(50);  // -2
    EXPECT_EQ(w, 254);
    dec.update(50);  // -7
    EXPECT_EQ(w, 249);
}

// Length 0 or less used to divide by zero: NaN converted to int is undefined.
TEST_F(ActionTest, ZeroOrNegativeLengthWritesEndValueAndEndsOnFirstStep)
{
    for (int32_t len : {0, -5}) {
        int x = 3;
        RelIncrementator<int> inc(ms(len), &x, 7);
        inc.start(&rec, 1);
        EXPECT_EQ(x, 3);
        EXPECT_TRUE(inc.isRunning());
        inc.step();
        EXPECT_EQ(x, 10);
        EXPECT_FALSE(inc.isRunning());

        float f = 1.0f;
        RelDecrementator<float> dec(ms(len), &f, 0.5f);
        dec.start(&rec, 2);
        dec.update(0);
        EXPECT_EQ(f, 0.5f);

        int a = 4;
        Accelerator<int> acc(ms(len), &a, 50, AcceleratorMode::FromRest);
        acc.start(&rec, 3);
        acc.step();
        EXPECT_EQ(a, 54);

        float b = 0.0f;
        Accelerator<float> toRest(ms(len), &b, 8.0f, AcceleratorMode::ToRest);
        toRest.start(&rec, 4);
        toRest.update(16);
        EXPECT_EQ(b, 8.0f);
    }
    EXPECT_EQ(rec.ids, (std::vector<int32_t>{1, 2, 3, 4, 1, 2, 3, 4}));
}

// --- Accelerator -----------------------------------------------------------

TEST_F(ActionTest, AcceleratorFloatFromRestAndToRestOnClock)
{
    float x = 0.0f;
    Accelerator<float> from(ms(1000), &x, 100.0f, AcceleratorMode::FromRest);
    from.start(&rec, 1);
    at(500);
    from.step();
    EXPECT_FLOAT_EQ(x, 25.0f);
    at(1000);
    from.step();
    EXPECT_FLOAT_EQ(x, 100.0f);
    EXPECT_FALSE(from.isRunning());

    float y = 0.0f;
    Accelerator<float> to(ms(1000), &y, 100.0f, AcceleratorMode::ToRest);
    to.start(&rec, 2);
    at(1000);
    to.step();  // 0 ms since this start
    EXPECT_FLOAT_EQ(y, 0.0f);
    at(1500);
    to.step();
    EXPECT_FLOAT_EQ(y, 75.0f);
    at(2100);
    to.step();
    EXPECT_FLOAT_EQ(y, 100.0f);
    EXPECT_EQ(rec.ids, (std::vector<int32_t>{1, 2}));
}

// Effects built from accelerators keep the game clock's pace even inside a
// sequence fed frame time: a fed dt neither moves them nor switches their
// duration to fed time.
TEST_F(ActionTest, AcceleratorIgnoresFedTimeAndRunsOnTheGameClock)
{
    float x = 10.0f;
    auto seq = std::make_unique<ActionSequence>();
    seq->add(std::make_unique<Accelerator<float>>(ms(1000), &x, 100.0f, AcceleratorMode::FromRest));
    seq->start(&rec, 1);
    seq->update(5000);
    EXPECT_FLOAT_EQ(x, 10.0f);
    at(500);
    seq->update(0);
    EXPECT_FLOAT_EQ(x, 35.0f);
    at(1000);
    seq->update(1);
    EXPECT_FLOAT_EQ(x, 110.0f);
    seq->update(1);
    EXPECT_EQ(rec.ids, std::vector<int32_t>{1});

    int y = 0;
    Accelerator<int> alone(ms(1000), &y, 100, AcceleratorMode::ToRest);
    alone.start(&rec, 2);
    alone.update(2000);
    EXPECT_EQ(y, 0);
    EXPECT_TRUE(alone.isRunning());
}

TEST_F(ActionTest, AcceleratorIntTruncatesTheTermTowardZero)
{
    int x = 0;
    Accelerator<int> from(ms(1000), &x, 100, AcceleratorMode::FromRest);
    int y = 0;
    Accelerator<int> to(ms(1000), &y, 100, AcceleratorMode::ToRest);
    int z = 0;
    Accelerator<int> back(ms(1000), &z, -100, AcceleratorMode::FromRest);
    from.start(nullptr, 0);
    to.start(nullptr, 0);
    back.start(nullptr, 0);
    at(333);
    from.step();  // 11.09
    EXPECT_EQ(x, 11);
    to.step();  // 100 - 44.49: the term -44.49 truncates to -44
    EXPECT_EQ(y, 56);
    back.step();
    EXPECT_EQ(z, -11);
}

// 2 × 50 / 155² × 155² / 2 is 49.999… in double precision: truncated, the last
// value was one short of the end position.
TEST_F(ActionTest, AcceleratorIntEndsExactlyAtTheDistance)
{
    int x = 0;
    Accelerator<int> acc(ms(155), &x, 50, AcceleratorMode::FromRest);
    acc.start(nullptr, 0);
    at(154);
    acc.step();
    EXPECT_EQ(x, 49);
    at(155);
    acc.step();
    EXPECT_EQ(x, 50);
    EXPECT_FALSE(acc.isRunning());
}

// --- Setter ----------------------------------------------------------------

TEST_F(ActionTest, SetterWritesAtStartAndEndsAtTheFirstUpdateOrStep)
{
    bool flag = false;
    Setter<bool> set(&flag, true);
    set.start(&rec, 4);
    EXPECT_TRUE(flag);
    EXPECT_TRUE(set.isRunning());
    EXPECT_TRUE(rec.ids.empty());
    set.update(16);
    EXPECT_FALSE(set.isRunning());
    EXPECT_EQ(rec.ids, std::vector<int32_t>{4});

    unsigned char c = 0;
    Setter<unsigned char> setC(&c, 200);
    setC.start(&rec, 5);
    EXPECT_EQ(c, 200);
    setC.step();
    EXPECT_EQ(rec.ids, (std::vector<int32_t>{4, 5}));
}

// --- Sequence --------------------------------------------------------------

TEST_F(ActionTest, SequenceOfTwoDelaysFedFiftyMsEndsOnTheSixthUpdate)
{
    ActionSequence seq;
    seq.add(std::make_unique<ActionDelay>(ms(100)));
    seq.add(std::make_unique<ActionDelay>(ms(100)));
    seq.start(&rec, 9);
    int endedOn = 0;
    for (int u = 1; u <= 10 && endedOn == 0; ++u) {
        seq.update(50);
        if (!seq.isRunning())
            endedOn = u;
    }
    EXPECT_EQ(endedOn, 6);
    EXPECT_EQ(rec.ids, std::vector<int32_t>{9});
}

TEST_F(ActionTest, SequenceOnClockStartsTheNextChildOneStepLater)
{
    int x = 0;
    int y = 0;
    ActionSequence seq;
    seq.add(std::make_unique<RelIncrementator<int>>(ms(100), &x, 10));
    seq.add(std::make_unique<Setter<int>>(&y, 3));
    seq.start(&rec, 1);
    at(100);
    seq.step();
    EXPECT_EQ(x, 10);
    EXPECT_EQ(y, 0);
    seq.step();  // starts the setter
    EXPECT_EQ(y, 3);
    seq.step();  // the setter ends
    EXPECT_TRUE(seq.isRunning());
    seq.step();
    EXPECT_FALSE(seq.isRunning());
    EXPECT_EQ(rec.ids, std::vector<int32_t>{1});
}

TEST_F(ActionTest, EmptyCompositesEndAtStart)
{
    ActionSequence seq;
    seq.start(&rec, 1);
    ParalelAction group;
    group.start(&rec, 2);
    EXPECT_FALSE(seq.isRunning());
    EXPECT_FALSE(group.isRunning());
    EXPECT_EQ(rec.ids, (std::vector<int32_t>{1, 2}));
}

TEST_F(ActionTest, ThenAndParallelBuildOneCompositeEach)
{
    int x = 0;
    std::unique_ptr<Action> seq = then(then(std::make_unique<Setter<int>>(&x, 1),
                                            std::make_unique<RelIncrementator<int>>(ms(100), &x, 10)),
                                       std::make_unique<Setter<int>>(&x, 50));
    auto* asSeq = dynamic_cast<ActionSequence*>(seq.get());
    ASSERT_NE(asSeq, nullptr);
    EXPECT_EQ(asSeq->childCount(), 3u);
    seq->start(&rec, 1);
    EXPECT_EQ(x, 1);
    seq->update(0);  // setter ends
    seq->update(0);  // incrementator starts from 1
    seq->update(100);
    EXPECT_EQ(x, 11);
    seq->update(0);  // last setter starts
    EXPECT_EQ(x, 50);

    std::unique_ptr<Action> group = parallel(parallel(std::make_unique<ActionDelay>(ms(10)),
                                                      std::make_unique<ActionDelay>(ms(20))),
                                             std::make_unique<ActionDelay>(ms(30)));
    auto* asGroup = dynamic_cast<ParalelAction*>(group.get());
    ASSERT_NE(asGroup, nullptr);
    EXPECT_EQ(asGroup->childCount(), 3u);
}

// --- Parallel group --------------------------------------------------------

TEST_F(ActionTest, ParalelActionEndsInTheUpdateAfterItsLastChildEnded)
{
    ParalelAction group;
    group.add(std::make_unique<ActionDelay>(ms(100)));
    group.add(std::make_unique<ActionDelay>(ms(200)));
    group.start(&rec, 3);
    int endedOn = 0;
    for (int u = 1; u <= 10 && endedOn == 0; ++u) {
        group.update(50);
        if (!group.isRunning())
            endedOn = u;
    }
    EXPECT_EQ(endedOn, 5);  // the longer child ends on update 4
    EXPECT_EQ(rec.ids, std::vector<int32_t>{3});
}

TEST_F(ActionTest, StopEndsCompositesSilentlyAndStopsTheirChildren)
{
    int x = 0;
    auto inc = std::make_unique<RelIncrementator<int>>(ms(100), &x, 100);
    Action* incView = inc.get();
    ParalelAction group;
    group.add(std::move(inc));
    group.start(&rec, 1);
    group.update(50);
    group.stop();
    EXPECT_FALSE(group.isRunning());
    EXPECT_FALSE(incView->isRunning());
    group.update(50);
    EXPECT_EQ(x, 50);
    EXPECT_TRUE(rec.ids.empty());
}

// --- Loop ------------------------------------------------------------------

TEST_F(ActionTest, LoopCountThreeReportsAfterTheThirdRun)
{
    LoopAction loop(std::make_unique<ActionDelay>(ms(100)), 3);
    loop.start(&rec, 8);
    at(100);
    loop.step();
    at(200);
    loop.step();
    EXPECT_EQ(loop.completedRuns(), 2);
    EXPECT_TRUE(rec.ids.empty());
    at(300);
    loop.step();
    EXPECT_EQ(loop.completedRuns(), 3);
    EXPECT_FALSE(loop.isRunning());
    EXPECT_EQ(rec.ids, std::vector<int32_t>{8});
}

TEST_F(ActionTest, LoopForeverNeverReportsAndCountsZeroOrOneRunOnce)
{
    LoopAction forever(std::make_unique<ActionDelay>(ms(10)), LoopAction::Forever);
    forever.start(&rec, 1);
    for (uint64_t t = 10; t <= 10000; t += 10) {
        at(t);
        forever.step();
    }
    EXPECT_TRUE(forever.isRunning());
    EXPECT_TRUE(rec.ids.empty());

    for (int32_t count : {0, 1}) {
        LoopAction once(std::make_unique<ActionDelay>(ms(10)), count);
        once.start(&rec, 2);
        at(ticks.now + 10);
        once.step();
        EXPECT_FALSE(once.isRunning());
    }
    EXPECT_EQ(rec.ids, (std::vector<int32_t>{2, 2}));
}

// A loop steps its child on the game clock whatever dt it is fed, so even a
// child that would follow fed time (a linear change) keeps the clock's pace.
TEST_F(ActionTest, LoopStepsItsChildOnTheGameClockAndIgnoresFedTime)
{
    int x = 0;
    LoopAction loop(std::make_unique<RelIncrementator<int>>(ms(100), &x, 10), 2);
    loop.start(&rec, 1);
    loop.update(100);
    EXPECT_EQ(x, 0);
    at(50);
    loop.update(0);
    EXPECT_EQ(x, 5);
    at(100);
    loop.update(7);
    EXPECT_EQ(x, 10);
    EXPECT_EQ(loop.completedRuns(), 1);
    at(150);
    loop.update(500);
    EXPECT_EQ(x, 15);
    at(200);
    loop.update(0);
    EXPECT_EQ(x, 20);
    EXPECT_FALSE(loop.isRunning());
    EXPECT_EQ(rec.ids, std::vector<int32_t>{1});
}

// A child that ends during its own start used to restart itself from inside
// its report: a forever-loop over it recursed until the stack overflowed.
TEST_F(ActionTest, LoopOverAChildEndingAtStartDoesNotRecurse)
{
    LoopAction forever(std::make_unique<ActionSequence>(), LoopAction::Forever);
    forever.start(&rec, 1);
    for (int u = 0; u < 10; ++u)
        forever.update(16);
    EXPECT_TRUE(forever.isRunning());

    LoopAction twice(std::make_unique<ActionSequence>(), 2);
    twice.start(&rec, 2);
    twice.step();
    EXPECT_TRUE(twice.isRunning());
    twice.step();
    EXPECT_FALSE(twice.isRunning());
    EXPECT_EQ(rec.ids, std::vector<int32_t>{2});
}

// --- Clone and ownership ---------------------------------------------------

TEST_F(ActionTest, CloneCopiesStateAndChildrenDeeply)
{
    int x = 0;
    auto seq = std::make_unique<ActionSequence>();
    seq->add(std::make_unique<RelIncrementator<int>>(ms(100), &x, 10));
    seq->add(std::make_unique<ActionDelay>(ms(50)));
    seq->start(&rec, 6);
    seq->update(50);

    std::unique_ptr<Action> copy = seq->clone();
    seq.reset();  // the clone shares no child with the original
    EXPECT_TRUE(copy->isRunning());
    EXPECT_EQ(copy->getId(), 6);
    copy->update(50);
    EXPECT_EQ(x, 10);
    for (int u = 0; u < 4; ++u)
        copy->update(50);
    EXPECT_FALSE(copy->isRunning());
    EXPECT_EQ(rec.ids, std::vector<int32_t>{6});  // the clone kept the listener

    auto loop = std::make_unique<LoopAction>(std::make_unique<ActionDelay>(ms(10)), 2);
    loop->start(&rec, 7);
    std::unique_ptr<Action> loopCopy = loop->clone();
    loop.reset();
    at(10);
    loopCopy->update(10);
    at(20);
    loopCopy->update(10);
    EXPECT_FALSE(loopCopy->isRunning());
    EXPECT_EQ(rec.ids, (std::vector<int32_t>{6, 7}));
}

namespace {
// Deletes its action when told it ended, as owners usually do.
struct DeletingOwner : ActionListener {
    std::unique_ptr<Action> action;
    int reports = 0;
    void onActionFinished(int32_t) override
    {
        ++reports;
        action.reset();
    }
};
}

TEST_F(ActionTest, OwnerMayDeleteTheActionWhenToldItEnded)
{
    int x = 0;
    DeletingOwner owner;
    owner.action = std::make_unique<LoopAction>(std::make_unique<Setter<int>>(&x, 1), 1);
    owner.action->start(&owner, 0);
    owner.action->update(16);  // setter ends -> loop ends -> owner deletes both
    EXPECT_EQ(owner.reports, 1);
    EXPECT_EQ(owner.action, nullptr);

    owner.action = then(std::make_unique<ActionDelay>(ms(10)), std::make_unique<ActionDelay>(ms(10)));
    owner.action->start(&owner, 0);
    for (int u = 0; u < 10 && owner.action; ++u)
        owner.action->update(10);
    EXPECT_EQ(owner.reports, 2);
}

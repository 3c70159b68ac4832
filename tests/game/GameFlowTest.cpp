// The game flow: reading GameFlow.xml, moving through it with nextScreen and
// building screens by type.
#include "game/GameFlow.h"

#include "engine/ui/ScreenBase.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// A screen that keeps the attributes it was built from.
class SpyScreen : public ScreenBase {
public:
    explicit SpyScreen(const ScreenAttributes& a) : ScreenBase("spy"), attributes(a) {}
    void loadResources() override {}
    void build() override {}
    ScreenAttributes attributes;
};

// Creators that record every call and make SpyScreens.
struct SpyCreators {
    std::vector<std::string> calls;  // type name per call
    ScreenFactory make(const std::string& type)
    {
        return [this, type](const ScreenAttributes& a) -> ScreenBase* {
            calls.push_back(type);
            return new SpyScreen(a);
        };
    }
};

const char* const ThreeEntries =
    "<GameFlow>\n"
    "  <Screen type=\"alpha\" n=\"0\"/>\n"
    "  <Note type=\"alpha\" n=\"skipped\"/>\n"
    "  <Screen n=\"no type\"/>\n"
    "  <Screen type=\"beta\" n=\"1\" extra=\"x\"/>\n"
    "  <Screen type=\"alpha\" n=\"2\"/>\n"
    "</GameFlow>\n";

class GameFlowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        flow.registerFactory("alpha", spies.make("alpha"));
        flow.registerFactory("beta", spies.make("beta"));
        path = folder.write("GameFlow.xml", ThreeEntries);
        ASSERT_TRUE(flow.load(path));
    }

    static std::unique_ptr<SpyScreen> spy(ScreenBase* screen)
    {
        return std::unique_ptr<SpyScreen>(dynamic_cast<SpyScreen*>(screen));
    }

    TempFolder folder;
    std::string path;
    SpyCreators spies;
    GameFlow flow;
};

}  // namespace

TEST_F(GameFlowTest, ReadsOnlyScreenElementsWithATypeInDocumentOrder)
{
    ASSERT_EQ(flow.entryCount(), 3);
    EXPECT_EQ(flow.entryAt(0)->type, "alpha");
    EXPECT_EQ(flow.entryAt(1)->type, "beta");
    EXPECT_EQ(flow.entryAt(2)->attributes.at("n"), "2");
    EXPECT_EQ(flow.entryAt(3), nullptr);
    EXPECT_EQ(flow.entryAt(-1), nullptr);
    EXPECT_EQ(flow.index, 0);
}

TEST_F(GameFlowTest, EveryAttributeIncludingTypeReachesTheCreator)
{
    flow.index = 1;
    auto screen = spy(flow.nextScreen(false));
    ASSERT_NE(screen, nullptr);
    const ScreenAttributes expected{{"type", "beta"}, {"n", "1"}, {"extra", "x"}};
    EXPECT_EQ(screen->attributes, expected);
}

TEST_F(GameFlowTest, NextScreenWithoutAdvanceBuildsANewScreenEachTime)
{
    auto first = spy(flow.nextScreen(false));
    auto second = spy(flow.nextScreen(false));
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(first.get(), second.get());
    EXPECT_EQ(first->attributes.at("n"), "0");
    EXPECT_EQ(second->attributes.at("n"), "0");
    EXPECT_EQ(flow.index, 0);
}

TEST_F(GameFlowTest, AdvancingPastTheLastEntryGivesNothingAndKeepsTheIndex)
{
    auto middle = spy(flow.nextScreen(true));
    ASSERT_NE(middle, nullptr);
    EXPECT_EQ(middle->attributes.at("n"), "1");
    flow.index = 2;
    EXPECT_EQ(flow.nextScreen(true), nullptr);
    EXPECT_EQ(flow.index, 3);
    EXPECT_EQ(flow.nextScreen(false), nullptr);
    EXPECT_EQ(flow.index, 3);

    flow.index = -1;
    EXPECT_EQ(flow.nextScreen(false), nullptr);
    EXPECT_EQ(spies.calls.size(), 1u);
}

// A flow whose file could not be read has no entries at all: position 0 is
// already past its end.
TEST_F(GameFlowTest, AFlowWithoutEntriesGivesNothingAtAnyPosition)
{
    GameFlow empty;
    empty.registerFactory("alpha", spies.make("alpha"));
    EXPECT_FALSE(empty.load(folder.missing("GameFlowMissing.xml")));
    ASSERT_EQ(empty.entryCount(), 0);
    EXPECT_EQ(empty.entryAt(0), nullptr);
    EXPECT_EQ(empty.nextScreen(false), nullptr);
    EXPECT_EQ(empty.index, 0);
    EXPECT_EQ(empty.nextScreen(true), nullptr);
    EXPECT_EQ(empty.index, 1);
    EXPECT_TRUE(spies.calls.empty());
}

TEST_F(GameFlowTest, TypesWithoutCreatorGiveNothing)
{
    GameFlow bare;
    ASSERT_TRUE(bare.load(path));
    EXPECT_EQ(bare.nextScreen(false), nullptr);
    EXPECT_EQ(bare.createScreen("Nope", {}), nullptr);
    EXPECT_EQ(flow.createScreen("Nope", {}), nullptr);

    bare.registerFactory("alpha", ScreenFactory());
    EXPECT_FALSE(bare.hasFactory("alpha"));
    EXPECT_EQ(bare.nextScreen(false), nullptr);
}

TEST_F(GameFlowTest, CreateScreenUsesTheGivenAttributesAndLeavesTheIndex)
{
    flow.index = 2;
    auto screen = spy(flow.createScreen("beta", {{"k", "v"}}));
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->attributes, (ScreenAttributes{{"k", "v"}}));
    EXPECT_EQ(flow.index, 2);
}

TEST_F(GameFlowTest, ALaterRegistrationReplacesTheCreator)
{
    SpyCreators later;
    flow.registerFactory("alpha", later.make("alpha again"));
    auto screen = spy(flow.nextScreen(false));
    ASSERT_NE(screen, nullptr);
    EXPECT_TRUE(spies.calls.empty());
    EXPECT_EQ(later.calls, std::vector<std::string>{"alpha again"});
}

TEST_F(GameFlowTest, ASecondFileAppends)
{
    const std::string more = folder.write("More.xml", "<GameFlow><Screen type=\"beta\" n=\"3\"/></GameFlow>");
    ASSERT_TRUE(flow.load(more));
    ASSERT_EQ(flow.entryCount(), 4);
    EXPECT_EQ(flow.entryAt(0)->attributes.at("n"), "0");
    EXPECT_EQ(flow.entryAt(3)->attributes.at("n"), "3");
}

TEST_F(GameFlowTest, UnreadableFilesAddNothing)
{
    EXPECT_FALSE(flow.load(folder.missing("none.xml")));
    EXPECT_FALSE(flow.load(folder.write("Wrong.xml", "<Flow><Screen type=\"alpha\"/></Flow>")));
    EXPECT_FALSE(flow.load(folder.write("Broken.xml", "<GameFlow><Screen type=\"alpha\">")));
    EXPECT_TRUE(flow.load(folder.write("Empty.xml", "<GameFlow/>")));
    EXPECT_EQ(flow.entryCount(), 3);
}

TEST(GameFlowSingleton, IsCreatedOnFirstUseAndCanBeRenewed)
{
    EXPECT_EQ(GameFlow::existingInstance(), nullptr);
    GameFlow* flow = GameFlow::instance();
    EXPECT_EQ(GameFlow::instance(), flow);
    flow->index = 7;
    GameFlow::destroyInstance();
    EXPECT_EQ(GameFlow::existingInstance(), nullptr);
    EXPECT_EQ(GameFlow::instance()->index, 0);
    GameFlow::destroyInstance();
}

// The mechanics script reader: steps in document order, the Collect rules'
// required attributes, pick names, type id lists and Screen attributes.
#include "scenes/SceneMechanics.h"

#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

TEST(SceneMechanics, StepsRulesAndScreenAttributesAreReadAsWritten)
{
    TempFolder dir;
    const MechanicsSteps steps = loadSceneMechanics(dir.write("m.xml",
        "<SceneMechanics>"
        "  <CollectGroup identifier='FIND_X_ITEMS'>"
        "    <Collect name='A' typeId=',5,,7,' pick='Random' count='2' questId='3'/>"
        "    <Collect name='B' typeId='1' pick='first'/>"
        "    <Collect name='C' typeId='1'/>"
        "    <Collect name='D' typeId='2' pick='random' count='x'/>"
        "  </CollectGroup>"
        "  <Note/>"
        "  <Screen transition='fade'/>"
        "  <Screen type='MgKlotsky' questId='4' transition='none'/>"
        "  <CollectGroup><Collect typeId='1' pick='all'/></CollectGroup>"
        "</SceneMechanics>"));
    ASSERT_EQ(steps.size(), 3u);

    const MechanicsStep& collect = *steps[0];
    EXPECT_EQ(collect.kind, MechanicsStep::CollectGroup);
    EXPECT_EQ(collect.name, "FIND_X_ITEMS");
    ASSERT_EQ(collect.rules.size(), 3u);  // C lacks its pick
    EXPECT_EQ(collect.rules[0].typeIds, (std::vector<int32_t>{5, 7}));
    EXPECT_EQ(collect.rules[0].pick, CollectRule::All);  // "Random" is not "random"
    EXPECT_EQ(collect.rules[0].count, 2);
    EXPECT_EQ(collect.rules[0].questId, 3);
    EXPECT_EQ(collect.rules[1].pick, CollectRule::First);
    EXPECT_EQ(collect.rules[1].count, -1);
    EXPECT_EQ(collect.rules[1].questId, -1);
    EXPECT_EQ(collect.rules[2].pick, CollectRule::Random);
    EXPECT_EQ(collect.rules[2].count, 0);  // not a number: picks nothing

    const MechanicsStep& screen = *steps[1];
    EXPECT_EQ(screen.kind, MechanicsStep::Screen);
    EXPECT_EQ(screen.name, "MgKlotsky");
    EXPECT_EQ(screen.attributes, (std::map<std::string, std::string>{
                                     {"type", "MgKlotsky"}, {"questId", "4"}, {"transition", "none"}}));

    // No valid rule, still a step.
    EXPECT_EQ(steps[2]->name, "UNSPECIFIED");
    EXPECT_TRUE(steps[2]->rules.empty());
}

TEST(SceneMechanics, AMissingOrForeignFileGivesNoSteps)
{
    TempFolder dir;
    EXPECT_TRUE(loadSceneMechanics(dir.missing("none.xml")).empty());
    EXPECT_TRUE(loadSceneMechanics(dir.write("w.xml", "<Mechanics><CollectGroup/></Mechanics>")).empty());
    EXPECT_TRUE(loadSceneMechanics(dir.write("b.xml", "<SceneMechanics><Collect")).empty());
}

// A count of -1 ("keep all") means no limit, as an absent one does, and is
// no fault; one below -1 or beyond what a scene holds also means no limit,
// and each of those is named in one line.
TEST(SceneMechanics, NegativeAndHugeCountsMeanNoLimitAndOnlyTheInvalidOnesAreLogged)
{
    TempFolder dir;
    testing::internal::CaptureStdout();
    const MechanicsSteps steps = loadSceneMechanics(dir.write("m.xml",
        "<SceneMechanics><CollectGroup>"
        "  <Collect name='A' typeId='0' pick='random' count='-1'/>"
        "  <Collect name='B' typeId='0' pick='first' count='999999999'/>"
        "  <Collect name='C' typeId='0' pick='first' count='8'/>"
        "  <Collect name='D' typeId='0' pick='first'/>"
        "  <Collect name='E' typeId='0' pick='first' count='-2'/>"
        "</CollectGroup></SceneMechanics>"));
    const std::string out = testing::internal::GetCapturedStdout();
    ASSERT_EQ(steps.size(), 1u);
    ASSERT_EQ(steps[0]->rules.size(), 5u);
    EXPECT_EQ(steps[0]->rules[0].count, -1);
    EXPECT_EQ(steps[0]->rules[2].count, 8);
    EXPECT_EQ(steps[0]->rules[4].count, -2);
    EXPECT_EQ(out.find("\"A\""), std::string::npos) << out;
    EXPECT_NE(out.find("m.xml\": <Collect name=\"E\"> has count -2"), std::string::npos) << out;
    EXPECT_NE(out.find("<Collect name=\"B\"> has count 999999999"), std::string::npos) << out;
    EXPECT_EQ(out.find("\"C\""), std::string::npos) << out;
    EXPECT_EQ(out.find("\"D\""), std::string::npos) << out;
}

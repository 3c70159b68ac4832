// The item renderer factory: creators by id (the first registration stays),
// the scene's rules matched in file order, and a fresh factory per scene.
#include "game/ItemRendererRule.h"
#include "scenes/ItemRendererCreators.h"
#include "scenes/ItemRendererFactory.h"
#include "scenes/TexItemRenderer.h"

#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

// Remembers which creator made it.
class TaggedRenderer : public ItemRenderer {
public:
    TaggedRenderer(ItemRendererOwner* owner, ItemState* item, int by) : ItemRenderer(owner, item), madeBy(by) {}
    int madeBy;
};

ItemRenderer* makeZero(ItemRendererCreatorArg* a) { return new TaggedRenderer(a->owner, a->item, 0); }
ItemRenderer* makeOne(ItemRendererCreatorArg* a) { return new TaggedRenderer(a->owner, a->item, 1); }
ItemRenderer* makeOther(ItemRendererCreatorArg* a) { return new TaggedRenderer(a->owner, a->item, 99); }

int madeBy(ItemRendererFactory& f, int group, int typeId, int type)
{
    ItemRendererCreatorArg arg;
    const ItemRendererFactoryInput pattern(group, typeId, type);
    std::unique_ptr<ItemRenderer> r(f.create(&pattern, &arg));
    auto* tagged = dynamic_cast<TaggedRenderer*>(r.get());
    return tagged ? tagged->madeBy : -1;
}

class ItemRendererFactoryTest : public ::testing::Test {
protected:
    void SetUp() override { ItemRendererFactory::destroyInstance(); }
    void TearDown() override { ItemRendererFactory::destroyInstance(); }
    TempFolder dir;
};

} // namespace

TEST_F(ItemRendererFactoryTest, TheFirstMatchingRuleAndTheFirstCreatorOfAnIdDecide)
{
    ItemRendererFactory& f = *ItemRendererFactory::instance();
    f.registerCreator(0, makeZero);
    f.registerCreator(1, makeOne);
    f.registerCreator(1, makeOther);  // ignored: id 1 has its creator
    testing::internal::CaptureStdout();
    f.loadRules(dir.write("r.xml", "<ItemRendererRules><Rule typeId='7' renderer='1'/><Rule groupId='4' "
                                   "renderer='5'/><Rule renderer='0'/></ItemRendererRules>"));
    // The rule naming an id without a creator is named, once.
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find("r.xml\": rule 2 names renderer 5, which does not exist"), std::string::npos) << out;
    EXPECT_EQ(out.find("rule 1"), std::string::npos) << out;
    EXPECT_EQ(out.find("rule 3"), std::string::npos) << out;
    EXPECT_EQ(f.ruleCount(), 3u);
    EXPECT_EQ(f.ruleIndexFor(nullptr), -1);
    EXPECT_EQ(madeBy(f, 2, 7, 0), 1);
    EXPECT_EQ(madeBy(f, 2, 8, 0), 0);
    // An item without a record (-1) matches the first rule's type id.
    EXPECT_EQ(madeBy(f, 2, -1, -1), 1);
    // Id 5 has no creator: no renderer, although a later rule would match.
    EXPECT_EQ(madeBy(f, 4, 8, 0), -1);
    const ItemRendererFactoryInput group4(4, 8, 0), group2(2, 8, 0);
    EXPECT_EQ(f.ruleIndexFor(&group4), 1);
    EXPECT_EQ(f.ruleIndexFor(&group2), 2);
    EXPECT_EQ(f.create(nullptr, nullptr), nullptr);

    // Only the same kind of description is matched.
    struct Other : InputData {
        bool matches(const InputData*) const override { return true; }
    } other;
    EXPECT_FALSE(ItemRendererFactoryInput().matches(&other));
    EXPECT_FALSE(ItemRendererFactoryInput().matches(nullptr));
}

TEST_F(ItemRendererFactoryTest, AFreshFactoryHasNoRulesAndTheTableCreators)
{
    ItemRendererFactory::instance()->loadRules(dir.write("r.xml", "<ItemRendererRules><Rule renderer='1'/>"
                                                                  "</ItemRendererRules>"));
    ItemRendererFactory::destroyInstance();
    ItemRendererFactory& f = *ItemRendererFactory::instance();
    EXPECT_EQ(f.ruleCount(), 0u);
    EXPECT_FALSE(f.hasCreator(1));
    registerItemRendererCreators(f);
    f.addRule(new ItemRendererFactoryInput(), 1);
    ItemRendererCreatorArg arg;
    const ItemRendererFactoryInput pattern(1, 0, 0);
    std::unique_ptr<ItemRenderer> r(f.create(&pattern, &arg));
    ASSERT_NE(dynamic_cast<TexItemRenderer*>(r.get()), nullptr);
    EXPECT_FALSE(r->isDecoratorEnabled());
    EXPECT_TRUE(r->isVisible());
    EXPECT_EQ(createItemRenderer<TexItemRenderer>(nullptr), nullptr);
}

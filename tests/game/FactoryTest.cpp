// Creators by id chosen through an ordered list of matching rules.
#include "game/Factory.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

struct Product {
    int madeBy;
    int arg;
};

struct Arg {
    int value;
};

// Matches when every field is equal or either side is -1.
class Pattern : public InputData {
public:
    Pattern(int g, int t) : group(g), type(t) {}
    bool matches(const InputData* other) const override
    {
        const auto* p = dynamic_cast<const Pattern*>(other);
        if (!p)
            return false;
        return (group == -1 || p->group == -1 || group == p->group) &&
               (type == -1 || p->type == -1 || type == p->type);
    }
    int group;
    int type;
};

class OtherData : public InputData {
public:
    bool matches(const InputData*) const override { return true; }
};

Product* makeOne(Arg* a) { return new Product{1, a ? a->value : -1}; }
Product* makeTwo(Arg* a) { return new Product{2, a ? a->value : -1}; }

using TestFactory = Factory<Product, Arg>;

}  // namespace

TEST(Factory, TheFirstMatchingRuleChoosesTheCreator)
{
    TestFactory f;
    f.registerCreator(1, makeOne);
    f.registerCreator(2, makeTwo);
    f.addRule(new Pattern(5, -1), 2);
    f.addRule(new Pattern(-1, -1), 1);

    Arg arg{42};
    Pattern inGroup5(5, 9);
    std::unique_ptr<Product> p(f.create(&inGroup5, &arg));
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->madeBy, 2);
    EXPECT_EQ(p->arg, 42);

    Pattern elsewhere(3, 9);
    p.reset(f.create(&elsewhere, &arg));
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->madeBy, 1);
}

TEST(Factory, NoRuleNoCreatorOrNoPatternGivesNothing)
{
    TestFactory f;
    f.registerCreator(1, makeOne);
    f.addRule(new Pattern(5, 5), 1);
    f.addRule(new Pattern(6, -1), 7);  // id 7 has no creator
    f.addRule(nullptr, 1);
    EXPECT_EQ(f.ruleCount(), 2u);

    Arg arg{0};
    Pattern miss(4, 4);
    Pattern toSeven(6, 0);
    OtherData other;
    EXPECT_EQ(f.create(&miss, &arg), nullptr);
    EXPECT_EQ(f.create(&toSeven, &arg), nullptr);
    EXPECT_EQ(f.create(nullptr, &arg), nullptr);
    EXPECT_EQ(f.create(&other, &arg), nullptr);

    f.clearRules();
    Pattern hit(5, 5);
    EXPECT_EQ(f.create(&hit, &arg), nullptr);
}

TEST(Factory, TheFirstCreatorOfAnIdStays)
{
    TestFactory f;
    f.registerCreator(1, nullptr);
    EXPECT_FALSE(f.hasCreator(1));
    f.registerCreator(1, makeOne);
    f.registerCreator(1, makeTwo);
    f.addRule(new Pattern(-1, -1), 1);
    Pattern any(0, 0);
    std::unique_ptr<Product> p(f.create(&any, nullptr));
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->madeBy, 1);
}

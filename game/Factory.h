#pragma once
// Creators of Product objects chosen by integer id, and an ordered list of
// rules that map a description (an InputData pattern) to a creator id.
//
// create(pattern, arg): the first rule, in the order added, whose pattern
// matches the given one names the creator id; that creator builds the
// product from `arg`. No matching rule, or an id without a creator, gives
// null. The caller owns the product.
#include "game/InputData.h"

#include <cstdint>
#include <map>
#include <memory>
#include <utility>
#include <vector>

template <class Product, class Arg>
class Factory {
public:
    // Builds a new product from the argument, or returns null.
    using Creator = Product* (*)(Arg* arg);

    Factory() = default;
    virtual ~Factory() = default;
    Factory(const Factory&) = delete;
    Factory& operator=(const Factory&) = delete;

    // Stores the creator under the id. A null creator, and an id that already
    // has one, are ignored (the first registration stays).
    void registerCreator(int32_t id, Creator creator)
    {
        if (creator)
            creators.emplace(id, creator);
    }
    bool hasCreator(int32_t id) const { return creators.count(id) != 0; }

    // Appends a rule: objects whose description `pattern` matches go to the
    // creator `id`. Takes ownership of the pattern; null is ignored.
    void addRule(InputData* pattern, int32_t id)
    {
        std::unique_ptr<InputData> owned(pattern);
        if (owned)
            rules.emplace_back(std::move(owned), id);
    }
    // Deletes every rule; the creators stay.
    void clearRules() { rules.clear(); }
    size_t ruleCount() const { return rules.size(); }

    // The position of the rule that decides the description, or -1 when none
    // matches (or the pattern is null).
    int ruleIndexFor(const InputData* pattern) const
    {
        if (!pattern)
            return -1;
        for (size_t i = 0; i < rules.size(); ++i)
            if (rules[i].first->matches(pattern))
                return static_cast<int>(i);
        return -1;
    }

    // The product for the description, or null (see above). A null pattern
    // gives null.
    Product* create(const InputData* pattern, Arg* arg) const
    {
        const int rule = ruleIndexFor(pattern);
        if (rule < 0)
            return nullptr;
        const auto it = creators.find(rules[static_cast<size_t>(rule)].second);
        return it != creators.end() ? it->second(arg) : nullptr;
    }

private:
    std::map<int32_t, Creator> creators;
    std::vector<std::pair<std::unique_ptr<InputData>, int32_t>> rules;
};

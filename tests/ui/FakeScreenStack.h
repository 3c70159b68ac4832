#pragma once
// The fake application with a screen stack in the application's push and pop
// order: push deactivates the old top, appends and enters; pop removes the
// top, lets it delete itself and activates the new top. The destructor pops
// what is left, top first.
#include "engine/ui/ScreenBase.h"
#include "tests/anim/FakeAppContext.h"
#include <vector>

class FakeScreenStack : public FakeAppContext {
public:
    ~FakeScreenStack() override
    {
        while (!stack.empty())
            closeScreen(nullptr);
    }

    void pushScreen(ScreenBase* screen) override
    {
        if (!stack.empty())
            stack.back()->deactivate(nullptr);
        stack.push_back(screen);
        screen->enter(nullptr);
    }

    void closeScreen(ScreenBase*) override
    {
        if (stack.empty())
            return;
        ScreenBase* top = stack.back();
        stack.pop_back();
        top->popped(nullptr);
        if (!stack.empty())
            stack.back()->activate(nullptr);
    }

    // Updates the active screens bottom to top, re-checking the size because
    // a screen may pop itself.
    void updateFrame(int dt)
    {
        for (std::size_t i = 0; i < stack.size(); ++i) {
            if (stack[i]->isActive())
                stack[i]->update(dt);
        }
    }

    std::vector<ScreenBase*> stack;
};

// The registry of game-wide events: handles, subscriptions, the order of the
// calls, and changes made from inside a call.
#include "game/GlobalEventListener.h"
#include "game/GlobalEventManager.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

// Writes "<name> <event> <value>" into a shared trace and can run an action
// when called.
class TraceListener : public GlobalEventListener {
public:
    TraceListener(std::string listenerName, std::vector<std::string>& sharedTrace)
        : name(std::move(listenerName)), trace(sharedTrace)
    {
    }
    void onGlobalEvent(int eventId, int value) override
    {
        trace.push_back(name + " " + std::to_string(eventId) + " " + std::to_string(value));
        if (action)
            action();
    }

    std::string name;
    std::vector<std::string>& trace;
    std::function<void()> action;
};

} // namespace

TEST(GlobalEventManager, HandlesCountUpAndAreNeverReused)
{
    GlobalEventManager events;
    std::vector<std::string> trace;
    TraceListener a("a", trace);
    TraceListener b("b", trace);
    EXPECT_EQ(events.registerListener(&a), 0);
    EXPECT_EQ(events.registerListener(&b), 1);
    events.unregisterListener(0);
    EXPECT_EQ(events.registerListener(&a), 2);
    EXPECT_EQ(events.registerListener(nullptr), -1);
    EXPECT_EQ(events.listenerCount(), 2);
    // Unknown handles change nothing.
    events.unregisterListener(0);
    events.unregisterListener(-1);
    events.unregisterListener(17);
    events.subscribe(-1, 0);
    events.subscribe(9, 0);
    EXPECT_EQ(events.listenerCount(), 2);
    events.fire();
    EXPECT_TRUE(trace.empty());
}

TEST(GlobalEventManager, FireCallsTheListenersOfEventZeroInHandleOrder)
{
    GlobalEventManager events;
    std::vector<std::string> trace;
    TraceListener a("a", trace);
    TraceListener b("b", trace);
    TraceListener c("c", trace);
    TraceListener other("other", trace);
    TraceListener silent("silent", trace);
    const int hc = events.registerListener(&c);
    const int ha = events.registerListener(&a);
    const int hOther = events.registerListener(&other);
    events.registerListener(&silent);  // subscribed to nothing
    const int hb = events.registerListener(&b);
    events.subscribe(hb, 0);
    events.subscribe(ha, 0);
    events.subscribe(ha, 0);  // twice: still one call
    events.subscribe(hc, 0);
    events.subscribe(hc, 5);
    events.subscribe(hOther, 1);
    events.fire();
    EXPECT_EQ(trace, (std::vector<std::string>{"c 0 0", "a 0 0", "b 0 0"}));
}

TEST(GlobalEventManager, AListenerMayUnregisterItselfOrOthersWhileCalled)
{
    GlobalEventManager events;
    std::vector<std::string> trace;
    TraceListener a("a", trace);
    TraceListener b("b", trace);
    TraceListener c("c", trace);
    const int ha = events.registerListener(&a);
    const int hb = events.registerListener(&b);
    const int hc = events.registerListener(&c);
    for (int h : {ha, hb, hc})
        events.subscribe(h, 0);
    TraceListener late("late", trace);
    // a removes itself and c; b registers a newcomer, who is not called yet.
    a.action = [&]() {
        events.unregisterListener(ha);
        events.unregisterListener(hc);
    };
    b.action = [&]() { events.subscribe(events.registerListener(&late), 0); };
    events.fire();
    EXPECT_EQ(trace, (std::vector<std::string>{"a 0 0", "b 0 0"}));

    trace.clear();
    b.action = nullptr;
    events.fire();
    EXPECT_EQ(trace, (std::vector<std::string>{"b 0 0", "late 0 0"}));
}

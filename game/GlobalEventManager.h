#pragma once
// A registry of listeners for game-wide events. A listener registers once,
// gets a handle and subscribes that handle to the event ids it wants; fire()
// then calls every listener subscribed to event 0 (the only event: the video
// mode has changed), in ascending handle order. The game application is the
// one registry (its second base); the options menu listens for full-screen
// switches.
//
// Listeners are not owned; a listener unregisters before it goes. Handles
// count up from 0 and are never reused. A listener may unregister itself or
// others from inside onGlobalEvent: a listener unregistered during fire() is
// not called after that.
#include <map>
#include <set>

class GlobalEventListener;

class GlobalEventManager {
public:
    // The id of the one event: the video mode has changed.
    static constexpr int VideoModeChanged = 0;

    GlobalEventManager() = default;
    virtual ~GlobalEventManager();
    GlobalEventManager(const GlobalEventManager&) = delete;
    GlobalEventManager& operator=(const GlobalEventManager&) = delete;

    // A new handle for the listener, subscribed to nothing yet; -1 (and
    // nothing stored) for null.
    int registerListener(GlobalEventListener* listener);
    // Adds the event to the handle's subscriptions; an unknown handle does
    // nothing.
    void subscribe(int handle, int eventId);
    // Forgets the registration; an unknown handle does nothing.
    void unregisterListener(int handle);
    // onGlobalEvent(0, 0) on every listener subscribed to event 0, in
    // ascending handle order.
    void fire();

    // Number of registrations (diagnostics and tests).
    int listenerCount() const { return static_cast<int>(registrations.size()); }

private:
    struct Registration {
        GlobalEventListener* listener;  // not owned
        std::set<int> events;
    };

    std::map<int, Registration> registrations;
    int lastHandle = -1;
};

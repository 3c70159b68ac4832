#include "game/GlobalEventManager.h"

#include "game/GlobalEventListener.h"

#include <vector>

GlobalEventManager::~GlobalEventManager() = default;

int GlobalEventManager::registerListener(GlobalEventListener* listener)
{
    if (!listener)
        return -1;
    ++lastHandle;
    registrations[lastHandle] = Registration{listener, {}};
    return lastHandle;
}

void GlobalEventManager::subscribe(int handle, int eventId)
{
    auto it = registrations.find(handle);
    if (it != registrations.end())
        it->second.events.insert(eventId);
}

void GlobalEventManager::unregisterListener(int handle)
{
    registrations.erase(handle);
}

void GlobalEventManager::fire()
{
    // Handles first: a listener may register or unregister while it is
    // called, so each one is looked up again before its call.
    std::vector<int> handles;
    for (const auto& entry : registrations)
        if (entry.second.events.count(VideoModeChanged))
            handles.push_back(entry.first);
    for (int handle : handles) {
        auto it = registrations.find(handle);
        if (it != registrations.end() && it->second.events.count(VideoModeChanged))
            it->second.listener->onGlobalEvent(VideoModeChanged, 0);
    }
}

#pragma once
// Something that wants to hear of game-wide events (see GlobalEventManager).
// Event 0: the video mode (window or full screen) has changed; value 0.
class GlobalEventListener {
public:
    virtual ~GlobalEventListener() = default;
    virtual void onGlobalEvent(int eventId, int value) = 0;
};

#pragma once
// A key-framed animation played as a widget: a list of image elements drawn
// in a fixed order (ascending whole-number z at load, file order among
// equals) at the widget's position, each moved by one tiny action built from
// its key frames. Time comes only from update() (the frame's milliseconds
// from the widget manager); a paused animation is drawn but not advanced.
//
// Made and loaded by AnimationPlayer, which owns it until it plays it onto a
// screen; from then on the screen owns it. The animation and its player know
// each other until one of them goes: a deleted animation leaves the player's
// table, and a destroyed player detaches its animations left on screens
// (they keep their place but draw nothing and report nothing).
//
// Stopping or restarting from inside the animation's own update (a listener
// that reacts to the end report) is safe: the actions being walked are kept
// until the walk is over, and the walk ends there.
#include "engine/anim/ActionListener.h"
#include "engine/ui/Widget.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class AnimationElement2D;
class AnimationListener;
class AnimationPlayer;
class ResourceManager;
class TinyAction;
struct AnimationDesc;

class Animation2D : public Widget, public ActionListener {
public:
    // `player` is the loading player, also the end listener (not owned).
    Animation2D(AnimationPlayer* player, int32_t id, std::string path);
    // Tells the player (if still attached) that the animation is gone.
    ~Animation2D() override;

    // Builds the actions when there are none (z offset taken now), then
    // starts every action that is not running. The end is never reported
    // from in here: an animation that ends as it starts, or that does not
    // loop and has no actions, reports it at its next update.
    void restart(int32_t zOffset);
    // Stops and drops the actions and returns every element to its first
    // key frame; the widget stays where it is.
    void stop();
    void setPaused(bool on) { paused = on ? 1 : 0; }

    // Unless paused, advances every action by dt.
    void update(int dt, ScreenBase* screen) override;
    // Resets the transform to identity, then draws the image elements at the
    // widget's x and y plus their own positions, in window coordinates: the
    // origin the widget manager and the screen set up (widget corner,
    // centring shift) does not move them. Only while managed.
    void draw(Graphics& g, ScreenBase* screen) override;
    // The same drawing without the reset: at the widget's x and y in the
    // caller's transform, which moves them. For owners that draw the
    // animation inside their own transform; only while managed.
    void drawElements(Graphics& g);
    // The end of the action at `index`: the end of the last one is the end
    // of the animation, reported to the end listener with the id.
    void onActionFinished(int32_t index) override;

    int32_t getId() const { return id; }
    const std::string& getPath() const { return path; }
    const std::string& getName() const { return name; }
    // The "Scene" length in ms; length() is the same.
    int32_t getLength() const { return lengthMs; }
    int32_t length() const { return lengthMs; }
    bool isLooping() const { return loop != 0; }
    bool isPrepared() const { return prepared != 0; }
    bool isPaused() const { return paused != 0; }
    // Whether any action is running.
    bool isRunning() const;
    int32_t getZOffset() const { return zOffset; }
    // The screen that owns the widget, or null while the player owns it.
    ScreenBase* getHostScreen() const { return hostScreen; }
    AnimationPlayer* getPlayer() const { return player; }
    std::size_t elementCount() const { return elements.size(); }
    AnimationElement2D* element(std::size_t index) const;
    std::size_t actionCount() const { return actions.size(); }

private:
    // Loading, placing and parting are the player's business.
    friend class AnimationPlayer;

    // Builds the elements and key frames from a description read from
    // `path`; the size comes from it and the position becomes 0, 0. Key
    // frames take clones of the player's interpolators. A second key frame
    // with a time stamp already used by its object is dropped.
    void build(const AnimationDesc& desc);
    // Gives every image element the texture of folder(path) + its file from
    // `resources`, loading and registering it there under that full path
    // when it is not there yet. Then sorts the elements for drawing.
    void loadTextures(ResourceManager& resources);
    // On a screen now, which owns the widget.
    void setHostScreen(ScreenBase* screen) { hostScreen = screen; }
    // Cut off from the player: no more reports, and the textures (which
    // belong to the player's resource manager) are dropped.
    void detachFromPlayer();
    void prepare(int32_t zOffset);
    void drawAt(Graphics& g, float x, float y);

    // Draw order.
    std::vector<std::unique_ptr<AnimationElement2D>> elements;
    uint8_t prepared = 0;
    // One per element with key frames, in element order.
    std::vector<std::unique_ptr<TinyAction>> actions;
    // Actions dropped during update(): kept alive until the walk is over.
    std::vector<std::unique_ptr<TinyAction>> retiredActions;
    int32_t lengthMs = 0;
    uint8_t loop = 0;
    std::string path = "not loaded";
    std::string name = "anim noname";
    AnimationPlayer* player;  // not owned; null once detached
    int32_t zOffset = 0;
    int32_t id;
    AnimationListener* endListener;  // not owned; null once detached
    uint8_t paused = 0;
    ScreenBase* hostScreen = nullptr;  // not owned
    // Inside the walk over the actions in update().
    bool updating = false;
    // The actions were dropped during this walk.
    bool actionsRetired = false;
    // Inside restart(), starting the actions.
    bool starting = false;
    // The end is reported at the next update: the last action ended while
    // it was started, or there are no actions and the animation does not
    // loop.
    bool endReportPending = false;
};

#pragma once
// A frame sequence cut from one texture laid out as a grid of equal frames
// (a sprite sheet). It is not a widget: its owner feeds it the frame time
// through update() (or calls step() itself) and draws it where it wants.
//
// Frames are numbered down the columns: frame i lies in column i / rows and
// row i % rows. The frame count given to the constructor is clamped to the
// cells of the grid, so an animation never reads past its frames; with no
// frames, stepping and drawing do nothing.
//
// The current frame always stays in [0, frameCount() - 1] (0 with no frames),
// whatever the step's sign or size and whatever the owner sets.
#include "engine/core/Types.h"
#include <cstddef>
#include <cstdint>
#include <vector>

class GLTexture;
class Graphics;
class SystemAnimationListener;

class Animation {
public:
    enum Mode {
        Loop = 0,          // wraps around in both directions
        BackAndForth = 1,  // turns at the first and the last frame
        Once = 2,          // stops at the last frame and tells the listener
    };

    // Builds min(frameCount, columns * rows) frames of frameWidth x
    // frameHeight pixels, column by column from the top-left cell. A negative
    // count, column or row number gives no frames. `texture` is not owned and
    // may be null (nothing is drawn).
    Animation(GLTexture* texture, int frameWidth, int frameHeight, int columns, int rows, int frameCount,
              int frameTime = 100);
    virtual ~Animation() = default;
    Animation(const Animation&) = delete;
    Animation& operator=(const Animation&) = delete;

    // Draws the current frame at its own size with its top-left at (x, y) in
    // the colour given; when mirrored, flipped left to right in the same
    // place. Does nothing without frames or texture.
    void draw(Graphics& graphics, int x, int y, Color color) const;

    // One frame change by the mode:
    //  - Loop: current + step, wrapped into the frames (a true modulo, so a
    //    negative step goes from frame 0 to the last frame).
    //  - BackAndForth: current + step; on reaching the last frame (stepping
    //    up) or frame 0 (stepping down) the frame is held there and the step
    //    changes sign. One frame stays on frame 0.
    //  - Once: on the last frame, tells the listener (when there is one) and
    //    stays; this repeats at every later step. Otherwise current + step,
    //    kept within [0, last frame].
    //  - any other mode: nothing.
    // Does nothing without frames. Ignores `paused` (update() honours it).
    void step();

    // Owner-fed time: adds dt to the accumulated time; when that reaches the
    // frame time, subtracts the frame time and steps once unless paused. At
    // most one frame change per call, however long dt: the rest is kept for
    // later calls. A frame time of 0 or less steps at every call and keeps no
    // time.
    void update(int32_t dt);

    int32_t frameCount() const { return static_cast<int32_t>(frames.size()); }
    // Source rectangle of frame `index` in texture pixels; index must be in
    // [0, frameCount() - 1].
    const Rect& frame(int32_t index) const { return frames[static_cast<std::size_t>(index)]; }

    int32_t getMode() const { return mode; }
    void setMode(int32_t m) { mode = m; }
    int32_t getStep() const { return stepSize; }
    void setStep(int32_t s) { stepSize = s; }
    int32_t getCurrentFrame() const { return current; }
    // Clamped into [0, last frame] (0 with no frames).
    void setCurrentFrame(int32_t frameIndex);
    bool isMirrored() const { return mirrored; }
    void setMirrored(bool m) { mirrored = m; }
    int32_t getFrameTime() const { return frameTime; }
    void setFrameTime(int32_t ms) { frameTime = ms; }
    bool isPaused() const { return paused; }
    void setPaused(bool p) { paused = p; }
    // Time fed since the last frame change (ms).
    int32_t getAccumulatedTime() const { return accumulated; }
    // `listener` is not owned and must outlive the animation or be reset to
    // null; `id` is handed back in every call.
    void setListener(SystemAnimationListener* l, int32_t id)
    {
        listener = l;
        listenerId = id;
    }

    GLTexture* getTexture() const { return texture; }

private:
    int32_t lastFrame() const { return frameCount() - 1; }

    int32_t accumulated = 0;
    std::vector<Rect> frames;
    GLTexture* texture = nullptr;  // not owned
    int32_t stepSize = 1;
    int32_t mode = Loop;
    int32_t current = 0;
    bool mirrored = false;
    int32_t frameTime = 100;
    SystemAnimationListener* listener = nullptr;  // not owned
    int32_t listenerId = 0;
    bool paused = false;
};

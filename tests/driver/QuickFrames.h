#pragma once
// While one of these lives, the frames the driver runs are updated and drawn
// as ever, but rasterised into a single pixel (the GL viewport shrinks to
// 1 x 1): long waits and played-through minigames then cost the time of the
// game's logic and of its draw calls, not of filling a 1024 x 768 frame in
// software dozens of times a second. Nobody sees those frames; a `shot` or a
// plain `step` after it draws the full frame again. Nested ones share the
// outermost one's scope.
class HeadlessDriver;

class QuickFrames {
public:
    explicit QuickFrames(HeadlessDriver& driver);
    ~QuickFrames();
    QuickFrames(const QuickFrames&) = delete;
    QuickFrames& operator=(const QuickFrames&) = delete;

private:
    HeadlessDriver& driver;
};

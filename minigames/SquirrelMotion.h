#pragma once
// One squirrel's appearance as a function of the time fed to it, without a
// widget: it slides out by `distance` pixels while fading in, coming to
// rest over the move time; stays out for the delay time; then slides back
// and fades out, starting from rest, over the move time. Position offset
// and alpha follow constant acceleration (the Accelerator shape):
//   out:  offset = D - D (m - t)^2 / m^2,  alpha = 255 - 255 (m - t)^2 / m^2
//   back: offset = D - D t^2 / m^2,        alpha = 255 - 255 t^2 / m^2
// with the acceleration term truncated toward zero.
//
// Time moves only through advance(), so a squirrel whose game is paused (a
// frame message open) stands exactly where it was and goes on from there.
class SquirrelMotion {
public:
    enum Phase : int { Resting = 0, Out = 1, Waiting = 2, Back = 3 };

    SquirrelMotion() = default;
    // Negative times count as 0 (that phase passes at once).
    SquirrelMotion(int moveMs, int delayMs, int distance);

    // From the start: offset 0, alpha 0, phase Out.
    void start();
    // Feeds `dt` ms; true when the appearance ended in this call (offset
    // and alpha are then 0 and the phase Resting). Does nothing at rest.
    bool advance(int dt);

    bool isRunning() const { return phase != Resting; }
    Phase getPhase() const { return phase; }
    // Elapsed ms since start (while running).
    int getElapsed() const { return elapsed; }
    // The total length of one appearance.
    int length() const { return 2 * moveMs + delayMs; }
    int offset() const { return offsetNow; }
    int alpha() const { return alphaNow; }

private:
    void place();

    int moveMs = 0;
    int delayMs = 0;
    int distance = 0;
    Phase phase = Resting;
    int elapsed = 0;
    int offsetNow = 0;
    int alphaNow = 0;
};

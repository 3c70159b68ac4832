#pragma once
// Actions that write a value: Setter<T> (at once), RelIncrementator<T> and
// RelDecrementator<T> (linearly over a duration), Accelerator<T> (with
// constant acceleration or deceleration over a duration). Instances in use:
// int, float and unsigned char (bool for Setter).
//
// Integer targets take the computed value truncated toward zero; an unsigned
// char wraps modulo 256 (see TweenValue.h). A null target makes the action
// only keep time. The target is not owned and must outlive the running
// action.
#include "engine/anim/Action.h"
#include "engine/anim/Duration.h"
#include "engine/anim/TweenValue.h"

// Writes its value at start and ends at the first step or update after.
template <typename T>
class Setter : public Action {
public:
    Setter(T* target_, T value_) : target(target_), value(value_) {}

    void start(ActionListener* listener_, int32_t id_) override
    {
        if (target)
            *target = value;
        Action::start(listener_, id_);
    }
    void step() override
    {
        if (running)
            finish();
    }
    std::unique_ptr<Action> clone() const override { return std::unique_ptr<Action>(new Setter(*this)); }

private:
    T* target;  // not owned
    T value;
};

// Shared body of the two linear tweens: from the target's value at start, by
// `sign` × delta over the duration.
template <typename T>
class LinearTween : public Action {
public:
    // Restarts the duration and takes the target's current value as start.
    void start(ActionListener* listener_, int32_t id_) override
    {
        duration.restart();
        if (target)
            from = *target;
        Action::start(listener_, id_);
    }
    // Writes start + sign × delta × elapsed / length; once the elapsed time
    // reaches the length, writes exactly start + sign × delta and ends, so a
    // late frame overshoots nothing. A length of 0 or less writes the end
    // value and ends at the first step.
    void step() override
    {
        if (!running)
            return;
        const int32_t e = duration.elapsed();
        const int32_t len = duration.length();
        if (len <= 0 || e >= len) {
            if (target)
                *target = tween::offset<T>(from, delta, sign);
            finish();
            return;
        }
        if (target) {
            const double part = static_cast<double>(e) / static_cast<double>(len);
            *target = tween::fromReal<T>(static_cast<double>(from) + sign * part * static_cast<double>(delta));
        }
    }
    // Feeds dt, then steps.
    void update(int32_t dt) override
    {
        if (!running)
            return;
        duration.add(dt);
        step();
    }
    // A new length and delta for the next start: a finished tween is reused
    // instead of being rebuilt.
    void retune(int32_t lengthMs, T delta_)
    {
        duration.setLength(lengthMs);
        delta = delta_;
    }

protected:
    LinearTween(const Duration& duration_, T* target_, T delta_, int sign_)
        : target(target_), delta(delta_), duration(duration_), sign(sign_)
    {
    }
    LinearTween(const LinearTween&) = default;

private:
    T from = T();
    T* target;  // not owned
    T delta;
    Duration duration;
    int sign;
};

// Adds delta to the target linearly over the duration.
template <typename T>
class RelIncrementator : public LinearTween<T> {
public:
    RelIncrementator(const Duration& duration_, T* target_, T delta_)
        : LinearTween<T>(duration_, target_, delta_, 1)
    {
    }
    std::unique_ptr<Action> clone() const override { return std::unique_ptr<Action>(new RelIncrementator(*this)); }
};

// Takes delta from the target linearly over the duration.
template <typename T>
class RelDecrementator : public LinearTween<T> {
public:
    RelDecrementator(const Duration& duration_, T* target_, T delta_)
        : LinearTween<T>(duration_, target_, delta_, -1)
    {
    }
    std::unique_ptr<Action> clone() const override { return std::unique_ptr<Action>(new RelDecrementator(*this)); }
};

// The two modes callers pass to Accelerator.
struct AcceleratorMode {
    static constexpr int FromRest = 1;  // starts slow, moves fastest at the end
    static constexpr int ToRest = -1;   // starts fast, comes to rest at the end
};

// Moves the target by `distance` from its value at start with constant
// acceleration a = 2 × distance / length² × mode.
//  - mode > 0, from rest:  start + a t² / 2 (ends at start + distance × mode);
//  - mode <= 0, to rest:   start + distance + a (length - t)² / 2
//                          (with -1: start + distance - |a| (length - t)² / 2).
// For integer targets the a-term is truncated toward zero before it is added.
// Time is always the game clock's (see update below).
template <typename T>
class Accelerator : public Action {
public:
    Accelerator(const Duration& duration_, T* target_, T distance_, int mode_)
        : duration(duration_), target(target_), distance(distance_), mode(mode_)
    {
        const double len = duration.length();
        // A length of 0 or less has no motion to shape; step() then only
        // writes the end value.
        acceleration = len > 0 ? 2.0 * static_cast<double>(distance) / len / len * mode : 0.0;
    }

    // Takes the target's current value as start and restarts the duration.
    void start(ActionListener* listener_, int32_t id_) override
    {
        if (target)
            from = *target;
        duration.restart();
        Action::start(listener_, id_);
    }
    // Writes the position at the elapsed time; once it reaches the length
    // (at once for a length of 0 or less), writes the exact end position and
    // ends.
    void step() override
    {
        if (!running)
            return;
        const int32_t e = duration.elapsed();
        const int32_t len = duration.length();
        if (len <= 0 || e >= len) {
            if (target)
                *target = endValue();
            finish();
            return;
        }
        if (!target)
            return;
        const double t = e > 0 ? static_cast<double>(e) : 0.0;
        const double u = mode > 0 ? t : static_cast<double>(len) - t;
        double term = acceleration * u * u / 2.0;
        if constexpr (std::is_integral_v<T>)
            term = std::trunc(term);
        double base = static_cast<double>(from);
        if (mode <= 0)
            base += static_cast<double>(distance);
        *target = tween::fromReal<T>(base + term);
    }
    // update(dt) is the default (a step): an accelerator always runs on
    // game-clock time and ignores a fed dt, so effects built from it keep
    // the clock's pace (and stop with a paused clock) whoever drives them.
    std::unique_ptr<Action> clone() const override { return std::unique_ptr<Action>(new Accelerator(*this)); }

private:
    // The position at t = length, computed exactly rather than through the
    // rounded acceleration: with mode > 0, start + distance × mode; otherwise
    // start + distance.
    T endValue() const
    {
        if constexpr (std::is_floating_point_v<T>)
            return mode > 0 ? T(from + distance * static_cast<T>(mode)) : T(from + distance);
        else
            return tween::fromReal<T>(static_cast<double>(from) + static_cast<double>(distance) * (mode > 0 ? mode : 1));
    }

    Duration duration;
    T* target;  // not owned
    T distance;
    T from = T();
    int mode;
    double acceleration;
};

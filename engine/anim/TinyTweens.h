#pragma once
// Tiny actions that write a value: TinySetter<T> and TinyRelIncrementator<T>
// (instance in use: float). The target is not owned and must outlive the
// running action; a null target makes the action only keep time.
#include "engine/anim/TinyAction.h"
#include "engine/anim/TweenValue.h"

// Writes its value at start and ends at the first update after.
template <typename T>
class TinySetter : public TinyAction {
public:
    TinySetter(T* target_, T value_) : target(target_), value(value_) {}

    void start(ActionListener* listener_, int32_t id_) override
    {
        if (target)
            *target = value;
        TinyAction::start(listener_, id_);
    }
    void update(int32_t) override
    {
        if (running)
            finish();
    }
    std::unique_ptr<TinyAction> clone() const override { return std::unique_ptr<TinyAction>(new TinySetter(*this)); }

private:
    T* target;  // not owned
    T value;
};

// Adds delta to the target linearly over its length, relative to what the
// target held at start, so changes made before by other actions are kept.
// A length of 0 or less ends at start and leaves the target unchanged.
template <typename T>
class TinyRelIncrementator : public TinyAction {
public:
    TinyRelIncrementator(const TinyDuration& duration_, T* target_, T delta_)
        : target(target_), delta(delta_), duration(duration_)
    {
    }

    void start(ActionListener* listener_, int32_t id_) override
    {
        duration.reset();
        if (target)
            from = *target;
        TinyAction::start(listener_, id_);
        length = duration.length();
        if (length <= 0) {
            finish();
            return;
        }
        inverseLength = 1.0f / static_cast<float>(length);
    }
    // Writes start + elapsed / length × delta; once the length is reached,
    // writes exactly start + delta and ends.
    void update(int32_t dt) override
    {
        if (!running)
            return;
        duration.add(dt);
        const int32_t e = duration.elapsed();
        if (e >= length) {
            if (target)
                *target = tween::offset<T>(from, delta, 1);
            finish();
            return;
        }
        if (target)
            *target = tween::fromReal<T>(static_cast<float>(from) + static_cast<float>(e) * inverseLength * static_cast<float>(delta));
    }
    std::unique_ptr<TinyAction> clone() const override
    {
        return std::unique_ptr<TinyAction>(new TinyRelIncrementator(*this));
    }

private:
    T from = T();
    T* target;  // not owned
    T delta;
    TinyDuration duration;
    float inverseLength = 0.0f;
    int32_t length = 0;
};

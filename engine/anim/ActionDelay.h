#pragma once
// Waits for its duration, then ends. Fed time or clock time, see Duration.
#include "engine/anim/Action.h"
#include "engine/anim/Duration.h"

class ActionDelay : public Action {
public:
    explicit ActionDelay(const Duration& duration);

    // Restarts the duration, then runs.
    void start(ActionListener* listener, int32_t id) override;
    // Ends once the elapsed time reaches the length (at once for a length of
    // 0 or less).
    void step() override;
    // Feeds dt, then steps.
    void update(int32_t dt) override;
    std::unique_ptr<Action> clone() const override;
    // A new length for the next start, for a delay that is reused.
    void setLength(int32_t ms) { duration.setLength(ms); }

private:
    Duration duration;
};

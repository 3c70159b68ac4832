#pragma once
// Told by a KnobWidget when one of its turns has ended.
class KnobListener {
public:
    virtual ~KnobListener() = default;
    virtual void onKnobTurned(int knobId) = 0;
};

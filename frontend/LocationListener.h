#pragma once
// Told what happens to a map location marker: 0 press, 1 release (a choice),
// 2 the pointer entered, 3 it left.
class LocationListener {
public:
    enum Event { Press = 0, Release = 1, Enter = 2, Leave = 3 };
    virtual ~LocationListener() = default;
    virtual void onLocationEvent(int index, int event) = 0;
};

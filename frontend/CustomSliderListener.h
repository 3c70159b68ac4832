#pragma once
// Told every change of a CustomSliderWidget's value (0 to 1), also when a
// drag leaves it where it was.
class CustomSliderListener {
public:
    virtual ~CustomSliderListener() = default;
    virtual void onSliderChanged(int id, float value) = 0;
};

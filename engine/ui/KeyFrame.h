#pragma once
// One key frame of an animation object: its time from the animation's start,
// the interpolator named in the file and, for image key frames, the object's
// state at that time. Playback changes values linearly between key frames
// and does not evaluate the interpolator.
#include <cstdint>
#include <memory>

class KeyFrameProperties;
class KeyFramePropertiesImage;
class MathFunction;

class KeyFrame {
public:
    // Owns both; either may be null (no interpolator of that id, a key frame
    // without properties).
    KeyFrame(int32_t timeStamp, std::unique_ptr<MathFunction> interpolator,
             std::unique_ptr<KeyFrameProperties> properties);
    virtual ~KeyFrame();
    KeyFrame(const KeyFrame&) = delete;
    KeyFrame& operator=(const KeyFrame&) = delete;

    int32_t getTimeStamp() const { return timeStamp; }
    // Null when the file's interpolator id is not in the player's table. The
    // function's functor refers to the player that loaded the key frame.
    MathFunction* getInterpolator() const { return interpolator.get(); }
    KeyFrameProperties* getProperties() const { return properties.get(); }
    // The properties when they are image properties, else null.
    const KeyFramePropertiesImage* imageProperties() const;

private:
    std::unique_ptr<MathFunction> interpolator;
    int32_t timeStamp;
    std::unique_ptr<KeyFrameProperties> properties;
};

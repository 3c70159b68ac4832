#pragma once
// What a key frame sets. Only image properties are read from animation
// files; the other kinds exist so that key frames can be typed, and are never
// created by the loader. Plain records: the fields are public.
#include <cstdint>
#include <memory>
#include <string>

class KeyFrameProperties {
public:
    enum Kind { Image = 0, Anim = 1, SoundEffect = 2, Music = 3 };

    virtual ~KeyFrameProperties() = default;
    KeyFrameProperties& operator=(const KeyFrameProperties&) = delete;

    virtual int kind() const = 0;
    // A copy of every field.
    virtual std::unique_ptr<KeyFrameProperties> clone() const = 0;

protected:
    KeyFrameProperties() = default;
    KeyFrameProperties(const KeyFrameProperties&) = default;
};

// The state of an image object at a key frame. The angle is stored as it is
// drawn: the negated file value (a file's 90 is stored as -90).
class KeyFramePropertiesImage final : public KeyFrameProperties {
public:
    KeyFramePropertiesImage() = default;

    int kind() const override { return Image; }
    std::unique_ptr<KeyFrameProperties> clone() const override;

    std::string file = "still not loaded";  // the object's image file
    float x = -1.0f, y = -1.0f, z = -1.0f;
    float scaleX = 100.0f, scaleY = 100.0f;  // percent
    float angle = 0.0f;                      // degrees
    int32_t red = 255, green = 255, blue = 255, alpha = 255;
};

class KeyFramePropertiesAnim final : public KeyFrameProperties {
public:
    KeyFramePropertiesAnim() = default;
    int kind() const override { return Anim; }
    std::unique_ptr<KeyFrameProperties> clone() const override;
};

class KeyFramePropertiesSoundEffect final : public KeyFrameProperties {
public:
    KeyFramePropertiesSoundEffect() = default;
    int kind() const override { return SoundEffect; }
    std::unique_ptr<KeyFrameProperties> clone() const override;
};

class KeyFramePropertiesMusic final : public KeyFrameProperties {
public:
    KeyFramePropertiesMusic() = default;
    int kind() const override { return Music; }
    std::unique_ptr<KeyFrameProperties> clone() const override;

    int32_t first = 0;
    int32_t second = 0;
};

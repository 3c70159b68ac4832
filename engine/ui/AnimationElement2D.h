#pragma once
// One object of a key-framed animation: its key frames by time stamp and its
// current state (position, depth, rotation, scale, colour), which the
// animation's tiny actions write while it plays. Objects of type 0 are
// images; other types are never drawn and get no texture.
//
// Ownership: the element owns its key frames and its copy of the first key
// frame's properties. Its texture belongs to the player's resource manager.
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string>

class Animation2D;
class GLTexture;
class Graphics;
class KeyFrame;
class KeyFramePropertiesImage;
class TinyAction;

class AnimationElement2D {
public:
    // The values the actions change; the angle in degrees as drawn, the
    // scales in percent, the colour channels 0-255.
    struct State {
        float x = 0.0f, y = 0.0f, z = 0.0f;
        float angle = 0.0f;
        float scaleX = 100.0f, scaleY = 100.0f;
        float red = 255.0f, green = 255.0f, blue = 255.0f, alpha = 255.0f;
    };

    // `owner` is not owned.
    AnimationElement2D(Animation2D* owner, int32_t type, std::string file);
    virtual ~AnimationElement2D();
    AnimationElement2D(const AnimationElement2D&) = delete;
    AnimationElement2D& operator=(const AnimationElement2D&) = delete;

    // Files the key frame under its time stamp. When that time stamp is
    // taken the first key frame stays, the new one is dropped and false is
    // returned.
    bool addKeyFrame(std::unique_ptr<KeyFrame> keyFrame);
    // The key frame with the smallest time stamp above t, or null.
    KeyFrame* nextKeyFrame(int32_t t) const;
    // Back to the first key frame at 0 ms or later: when it has image
    // properties, keeps a copy of them and takes their values; otherwise the
    // state stays as it is.
    void reset();
    // The action that plays the key frames: values set from the first key
    // frame (its z raised by zOffset), then one group of linear changes per
    // pair of image key frames, then a wait up to the animation's length;
    // forever repeated when `loop` is set. Null without key frames. The
    // action writes into this element, which must outlive it.
    std::unique_ptr<TinyAction> buildAction(int32_t zOffset, int32_t animationLength, bool loop);

    // Draws the texture with its top-left corner at (x + state x, y + state
    // y), rotated and scaled about its centre, modulated by the colour.
    // Nothing without a texture.
    virtual void draw(Graphics& g, float x, float y);

    // Not owned; null detaches the element from it. Half its picture size
    // becomes the centre of rotation and scaling.
    void setTexture(GLTexture* texture);
    GLTexture* getTexture() const { return texture; }

    State& state() { return current; }
    const State& state() const { return current; }
    int32_t getType() const { return type; }
    const std::string& getFile() const { return file; }
    // The largest key frame time stamp (0 without key frames).
    int32_t getLastTimeStamp() const { return lastTimeStamp; }
    std::size_t keyFrameCount() const { return keyFrames.size(); }
    // The copy made by the last reset, or null.
    const KeyFramePropertiesImage* getCurrentProperties() const { return currentProperties.get(); }
    Animation2D* getOwner() const { return owner; }

private:
    void apply(const KeyFramePropertiesImage& p);

    State current;
    GLTexture* texture = nullptr;  // not owned
    std::unique_ptr<KeyFramePropertiesImage> currentProperties;
    int32_t lastTimeStamp = 0;
    std::string file;
    int32_t type;
    std::map<int32_t, std::unique_ptr<KeyFrame>> keyFrames;
    Animation2D* owner;  // not owned
    float halfWidth = 0.0f, halfHeight = 0.0f;
};

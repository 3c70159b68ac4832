#include "engine/ui/AnimationElement2D.h"

#include "engine/anim/TinyCompositeAction.h"
#include "engine/anim/TinyLoopAction.h"
#include "engine/anim/TinyTweens.h"
#include "engine/gfx/GLTexture.h"
#include "engine/gfx/Graphics.h"
#include "engine/ui/KeyFrame.h"
#include "engine/ui/KeyFrameProperties.h"

#include <algorithm>
#include <cmath>

namespace {

// Changes of at most this much between two key frames are not animated.
constexpr float kSmallestChange = 0.01f;

// Colour values are whole numbers in the file but pass through floats while
// they are interpolated: truncate toward zero and keep them in a byte.
uint8_t channel(float value)
{
    return static_cast<uint8_t>(std::clamp(static_cast<int>(value), 0, 255));
}

std::unique_ptr<TinyAction> setter(float* target, float value)
{
    return std::make_unique<TinySetter<float>>(target, value);
}

} // namespace

AnimationElement2D::AnimationElement2D(Animation2D* owner_, int32_t type_, std::string file_)
    : file(std::move(file_)), type(type_), owner(owner_)
{
}

AnimationElement2D::~AnimationElement2D() = default;

bool AnimationElement2D::addKeyFrame(std::unique_ptr<KeyFrame> keyFrame)
{
    if (!keyFrame)
        return false;
    const int32_t t = keyFrame->getTimeStamp();
    if (!keyFrames.emplace(t, std::move(keyFrame)).second)
        return false;
    lastTimeStamp = keyFrames.rbegin()->first;
    return true;
}

KeyFrame* AnimationElement2D::nextKeyFrame(int32_t t) const
{
    const auto it = keyFrames.upper_bound(t);
    return it == keyFrames.end() ? nullptr : it->second.get();
}

void AnimationElement2D::reset()
{
    const KeyFrame* first = nextKeyFrame(-1);
    const KeyFramePropertiesImage* p = first ? first->imageProperties() : nullptr;
    if (!p)
        return;
    currentProperties.reset(static_cast<KeyFramePropertiesImage*>(p->clone().release()));
    apply(*currentProperties);
}

void AnimationElement2D::apply(const KeyFramePropertiesImage& p)
{
    current.x = p.x;
    current.y = p.y;
    current.z = p.z;
    current.angle = p.angle;
    current.scaleX = p.scaleX;
    current.scaleY = p.scaleY;
    current.red = static_cast<float>(p.red);
    current.green = static_cast<float>(p.green);
    current.blue = static_cast<float>(p.blue);
    current.alpha = static_cast<float>(p.alpha);
}

std::unique_ptr<TinyAction> AnimationElement2D::buildAction(int32_t zOffset, int32_t animationLength, bool loop)
{
    // A key frame at -1 still takes part here (reset starts after it).
    const KeyFrame* first = nextKeyFrame(-2);
    if (!first)
        return nullptr;
    auto sequence = std::make_unique<TinyActionSequence>();
    if (const KeyFramePropertiesImage* p = first->imageProperties()) {
        auto group = std::make_unique<TinyParalelAction>();
        group->add(setter(&current.x, p->x));
        group->add(setter(&current.y, p->y));
        group->add(setter(&current.z, p->z + static_cast<float>(zOffset)));
        group->add(setter(&current.angle, p->angle));
        group->add(setter(&current.scaleX, p->scaleX));
        group->add(setter(&current.scaleY, p->scaleY));
        group->add(setter(&current.red, static_cast<float>(p->red)));
        group->add(setter(&current.green, static_cast<float>(p->green)));
        group->add(setter(&current.blue, static_cast<float>(p->blue)));
        group->add(setter(&current.alpha, static_cast<float>(p->alpha)));
        sequence->add(std::move(group));
    }
    for (const KeyFrame* previous = first;;) {
        const KeyFrame* next = nextKeyFrame(previous->getTimeStamp());
        if (!next) {
            // Hold the last values up to the animation's length. A negative
            // remainder makes a delay that ends on its first update.
            const int32_t rest = animationLength - previous->getTimeStamp();
            if (rest != 0)
                sequence->add(std::make_unique<TinyActionDelay>(TinyDuration(rest)));
            break;
        }
        const KeyFramePropertiesImage* from = previous->imageProperties();
        const KeyFramePropertiesImage* to = next->imageProperties();
        if (from && to) {
            const TinyDuration span(next->getTimeStamp() - previous->getTimeStamp());
            auto group = std::make_unique<TinyParalelAction>();
            const auto change = [&](float* target, float delta, bool always) {
                if (always || std::fabs(delta) > kSmallestChange)
                    group->add(std::make_unique<TinyRelIncrementator<float>>(span, target, delta));
            };
            // z is set once from the first key frame and never changes.
            change(&current.x, to->x - from->x, false);
            change(&current.y, to->y - from->y, false);
            change(&current.angle, to->angle - from->angle, false);
            change(&current.scaleX, to->scaleX - from->scaleX, false);
            change(&current.scaleY, to->scaleY - from->scaleY, false);
            change(&current.red, static_cast<float>(to->red - from->red), false);
            change(&current.green, static_cast<float>(to->green - from->green), false);
            change(&current.blue, static_cast<float>(to->blue - from->blue), false);
            // Always present, so the group lasts the whole span even when
            // nothing else changes.
            change(&current.alpha, static_cast<float>(to->alpha - from->alpha), true);
            sequence->add(std::move(group));
        }
        previous = next;
    }
    if (loop)
        return std::make_unique<TinyLoopAction>(std::move(sequence), TinyLoopAction::Forever);
    return sequence;
}

void AnimationElement2D::draw(Graphics& g, float x, float y)
{
    if (!texture)
        return;
    g.translate(x + current.x + halfWidth, y + current.y + halfHeight);
    g.rotate(current.angle, 0.0f, 0.0f, 1.0f);
    g.scale(current.scaleX * 0.01f, current.scaleY * 0.01f);
    g.translate(-halfWidth, -halfHeight);
    g.drawImage(0, 0, texture, Color(channel(current.red), channel(current.green), channel(current.blue),
                                     channel(current.alpha)));
}

void AnimationElement2D::setTexture(GLTexture* texture_)
{
    texture = texture_;
    halfWidth = texture ? static_cast<float>(texture->getWidth()) * 0.5f : 0.0f;
    halfHeight = texture ? static_cast<float>(texture->getHeight()) * 0.5f : 0.0f;
}

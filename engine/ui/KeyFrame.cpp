#include "engine/ui/KeyFrame.h"

#include "engine/anim/MathFunction.h"
#include "engine/ui/KeyFrameProperties.h"

KeyFrame::KeyFrame(int32_t timeStamp_, std::unique_ptr<MathFunction> interpolator_,
                   std::unique_ptr<KeyFrameProperties> properties_)
    : interpolator(std::move(interpolator_)), timeStamp(timeStamp_), properties(std::move(properties_))
{
}

KeyFrame::~KeyFrame() = default;

const KeyFramePropertiesImage* KeyFrame::imageProperties() const
{
    if (!properties || properties->kind() != KeyFrameProperties::Image)
        return nullptr;
    return static_cast<const KeyFramePropertiesImage*>(properties.get());
}

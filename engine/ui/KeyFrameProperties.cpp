#include "engine/ui/KeyFrameProperties.h"

std::unique_ptr<KeyFrameProperties> KeyFramePropertiesImage::clone() const
{
    return std::unique_ptr<KeyFrameProperties>(new KeyFramePropertiesImage(*this));
}

std::unique_ptr<KeyFrameProperties> KeyFramePropertiesAnim::clone() const
{
    return std::unique_ptr<KeyFrameProperties>(new KeyFramePropertiesAnim(*this));
}

std::unique_ptr<KeyFrameProperties> KeyFramePropertiesSoundEffect::clone() const
{
    return std::unique_ptr<KeyFrameProperties>(new KeyFramePropertiesSoundEffect(*this));
}

std::unique_ptr<KeyFrameProperties> KeyFramePropertiesMusic::clone() const
{
    return std::unique_ptr<KeyFrameProperties>(new KeyFramePropertiesMusic(*this));
}

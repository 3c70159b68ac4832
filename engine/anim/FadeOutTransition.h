#pragma once
// Black covering the screen: the FadeInTransition run backwards, the alpha
// going from 0 to 255 over the duration. It ends fully black.
#include "engine/anim/FadeInTransition.h"

class FadeOutTransition : public FadeInTransition {
public:
    explicit FadeOutTransition(int durationMs);

protected:
    void begin() override;
};

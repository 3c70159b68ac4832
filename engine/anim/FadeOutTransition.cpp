#include "engine/anim/FadeOutTransition.h"

FadeOutTransition::FadeOutTransition(int durationMs)
    : FadeInTransition(durationMs)
{
}

void FadeOutTransition::begin()
{
    startFade(0, 255);
}

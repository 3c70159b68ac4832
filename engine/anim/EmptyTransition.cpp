#include "engine/anim/EmptyTransition.h"

void EmptyTransition::begin()
{
    finish();
}

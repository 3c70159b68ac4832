#pragma once
// One piece of a cypher wheel's solution as the screen uses it: the wheel
// angle at which it is decoded, the highlight drawn on the wheel and the
// symbol flashed beside it, and the word piece that then fades in at its
// place on the screen. Textures are not owned (the screen's resource
// manager holds them); positions are screen pixels.
#include "engine/core/Types.h"

class GLTexture;

struct SolutionComponent {
    float angle = 0.f;
    GLTexture* wheelOverlay = nullptr;
    GLTexture* wheelSymbol = nullptr;
    Point wheelSymbolPosition;
    GLTexture* wordSymbol = nullptr;
    Point wordPosition;
};

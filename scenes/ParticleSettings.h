#pragma once
// The particle settings of a decorated scene item, from the tuning keys
// prefix + infoTip + suffix (".TextureFilename" + "Game.Images.Extension",
// ".ParticleNumber", ".ScaleFactor", ".RandomFactorVX", ".RandomFactorVY",
// ".SpreadX", ".SpreadY", ".Red", ".Green", ".Blue", ".ColorToChange",
// ".Life", ".vx", ".vy"), applied to an emitter that then runs.
//
// Absent keys: 20 particles, scale 1, random factors 0.01, no spread,
// white, no channel following the alpha, and life, vx, vy 0 (the emitter
// treats a life of 0 as 1 ms).
#include <cstdint>
#include <string>

class ParticleEmmiter;
class ResourceManager;

struct ParticleSettings {
    std::string texturePath;
    int32_t count = 20;
    float scale = 1.0f;
    float randomVX = 0.01f, randomVY = 0.01f;
    int32_t spreadX = 0, spreadY = 0;
    int32_t red = 255, green = 255, blue = 255;
    int32_t colourToChange = -1;
    int32_t life = 0;
    float vx = 0, vy = 0;

    static ParticleSettings read(const std::string& prefix, const std::string& tip);
    // Loads the texture into `resources` (which owns it; nothing without a
    // manager or a name), sets the emitter's fields, emits and activates it.
    void apply(ParticleEmmiter& emitter, ResourceManager* resources) const;
};

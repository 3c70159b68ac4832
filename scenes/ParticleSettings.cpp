#include "scenes/ParticleSettings.h"

#include "engine/gfx/GLTexture.h"
#include "engine/res/ResourceManager.h"
#include "engine/store/ConfigFile.h"
#include "scenes/Particle.h"
#include "scenes/ParticleEmmiter.h"

ParticleSettings ParticleSettings::read(const std::string& prefix, const std::string& tip)
{
    const std::string key = prefix + tip;
    ParticleSettings s;
    const std::string name = getParamString(key + ".TextureFilename", "");
    if (!name.empty())
        s.texturePath = name + getParamString("Game.Images.Extension", ".jpg");
    s.count = getParamInt(key + ".ParticleNumber", s.count);
    s.scale = getParamFloat(key + ".ScaleFactor", s.scale);
    s.randomVX = getParamFloat(key + ".RandomFactorVX", s.randomVX);
    s.randomVY = getParamFloat(key + ".RandomFactorVY", s.randomVY);
    s.spreadX = getParamInt(key + ".SpreadX", s.spreadX);
    s.spreadY = getParamInt(key + ".SpreadY", s.spreadY);
    s.red = getParamInt(key + ".Red", s.red);
    s.green = getParamInt(key + ".Green", s.green);
    s.blue = getParamInt(key + ".Blue", s.blue);
    s.colourToChange = getParamInt(key + ".ColorToChange", s.colourToChange);
    s.life = getParamInt(key + ".Life", s.life);
    s.vx = getParamFloat(key + ".vx", s.vx);
    s.vy = getParamFloat(key + ".vy", s.vy);
    return s;
}

void ParticleSettings::apply(ParticleEmmiter& emitter, ResourceManager* resources) const
{
    if (resources && !texturePath.empty())
        emitter.setTexture(resources->textureForFile(texturePath));
    emitter.setCount(count);
    emitter.baseScale = scale;
    emitter.spreadX = randomVX;
    emitter.spreadY = randomVY;
    emitter.spawnRangeX = spreadX;
    emitter.spawnRangeY = spreadY;
    emitter.r = red;
    emitter.g = green;
    emitter.b = blue;
    emitter.alphaOut = colourToChange == 0   ? &emitter.r
                       : colourToChange == 1 ? &emitter.g
                       : colourToChange == 2 ? &emitter.b
                                             : nullptr;
    Particle settings;
    settings.lifetime = life;
    settings.vx = vx;
    settings.vy = vy;
    emitter.emit(settings);
    emitter.setActive(true);
}

#include "scenes/ItemSprite.h"

#include "engine/anim/Animation.h"
#include "engine/gfx/GLTexture.h"
#include "engine/res/ResourceManager.h"
#include "engine/store/ConfigFile.h"

#include <cstdlib>

ItemSprite::ItemSprite() = default;
ItemSprite::~ItemSprite() = default;

void ItemSprite::load(const std::string& prefix, const std::string& tip, ResourceManager* resources,
                      bool randomStart)
{
    const std::string key = prefix + tip;
    frameWidth = getParamInt(key + ".AnimWidth", 64);
    frameHeight = getParamInt(key + ".AnimHeight", 64);
    offsetX = getParamInt(key + ".AnimOffsetX", 0);
    offsetY = getParamInt(key + ".AnimOffsetY", 0);
    const int columns = getParamInt(key + ".NumColumns", 1);
    const int rows = getParamInt(key + ".NumRows", 1);
    const int frames = getParamInt(key + ".NumFrames", 1);
    const int frameMs = getParamInt(key + ".FrameDuration", 100);
    GLTexture* sheet = nullptr;
    const std::string name = getParamString(key + ".TextureFileName", "");
    if (resources && !name.empty())
        sheet = resources->textureForFile(name + getParamString("Game.Images.Extension", ".jpg"));
    animation = std::make_unique<Animation>(sheet, frameWidth, frameHeight, columns, rows, frames, frameMs);
    if (randomStart && animation->frameCount() > 0)
        animation->setCurrentFrame(std::rand() % animation->frameCount());
}

void ItemSprite::update(int dt)
{
    if (animation)
        animation->update(dt);
}

void ItemSprite::draw(Graphics& g, int x, int y) const
{
    if (animation)
        animation->draw(g, x, y, Color::white());
}

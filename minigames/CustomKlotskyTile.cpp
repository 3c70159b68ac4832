#include "minigames/CustomKlotskyTile.h"

#include "engine/gfx/GLTexture.h"
#include "engine/gfx/Graphics.h"
#include "engine/gfx/Image.h"

CustomKlotskyTile::CustomKlotskyTile(KlotskyGrid* board, int r, int c, int width, int height, GLTexture* image,
                                     bool* placedCleanly)
    : KlotskyTile(board, r, c)
    , texture(image)
{
    block.row = r;
    block.column = c;
    block.width = width;
    block.height = height;
    if (image)
        textures[NormalKey] = image;
    const bool clean = grid ? grid->place(block) : false;
    if (placedCleanly)
        *placedCleanly = clean;
}

bool CustomKlotskyTile::canMoveTo(int r, int c) const
{
    return movable && grid && grid->canMoveTo(block, r, c);
}

bool CustomKlotskyTile::occupy(int r, int c)
{
    if (!movable || !grid || !grid->occupy(block, r, c))
        return false;
    row = block.row;
    column = block.column;
    return true;
}

bool CustomKlotskyTile::covers(int r, int c) const
{
    return block.covers(r, c);
}

void CustomKlotskyTile::slideTo(int x, int y)
{
    setTexture(NormalKey);
    KlotskyTile::slideTo(x, y);
}

void CustomKlotskyTile::setKeyTexture(int key, GLTexture* image)
{
    if (image)
        textures[key] = image;
    else
        textures.erase(key);
}

void CustomKlotskyTile::setTexture(int key)
{
    const auto it = textures.find(key);
    if (it == textures.end())
        return;
    if (isSliding())
        pendingKey = key;
    else
        texture = it->second;
}

int CustomKlotskyTile::getShownKey() const
{
    if (pendingKey >= 0)
        return pendingKey;
    for (const auto& [key, image] : textures)
        if (image == texture)
            return key;
    return -1;
}

void CustomKlotskyTile::update(int dt, ScreenBase* screen)
{
    if (pendingKey >= 0 && !isSliding()) {
        const auto it = textures.find(pendingKey);
        if (it != textures.end())
            texture = it->second;
        pendingKey = -1;
    }
    KlotskyTile::update(dt, screen);
}

void CustomKlotskyTile::draw(Graphics& g, ScreenBase*)
{
    if (texture)
        g.drawImage(0, 0, texture, Color::white());
    else
        g.fillRect(0, 0, geometry.w, geometry.h, tint);
}

bool CustomKlotskyTile::hitTest(int x, int y)
{
    const int dx = x - geometry.x;
    const int dy = y - geometry.y;
    if (!texture)
        return dx >= 0 && dx <= geometry.w && dy >= 0 && dy <= geometry.h;
    if (dx < 0 || dy < 0 || dx >= texture->getWidth() || dy >= texture->getHeight())
        return false;
    const Image* image = texture->getImage();
    return image && dx < image->getWidth() && dy < image->getHeight() && image->getPixel(dx, dy).a != 0;
}

#include "engine/ui/ButtonSupport.h"

#include "engine/audio/Sound.h"
#include "engine/gfx/GLTexture.h"
#include "engine/gfx/Graphics.h"
#include "engine/gfx/Image.h"
#include "engine/ui/UiServices.h"

bool pictureFailed(const GLTexture* texture)
{
    if (!texture || texture->getWidth() > 1 || texture->getHeight() > 1)
        return false;
    // A real one-pixel picture that shows something did not fail; without a
    // kept image there is no telling, and one pixel is no button anyway.
    const Image* image = texture->getImage();
    return !image || image->getWidth() < 1 || image->getHeight() < 1 || image->getPixel(0, 0).a == 0;
}

int pictureWidth(const GLTexture* texture)
{
    if (!texture)
        return 0;
    return pictureFailed(texture) ? MissingPictureWidth : texture->getWidth();
}

int pictureHeight(const GLTexture* texture)
{
    if (!texture)
        return 0;
    return pictureFailed(texture) ? MissingPictureHeight : texture->getHeight();
}

void drawMissingPicture(Graphics& g, int width, int height, unsigned char alpha)
{
    const auto scaled = [alpha](int a) { return static_cast<uint8_t>(a * alpha / 255); };
    g.fillRect(0, 0, width, height, Color(40, 36, 56, scaled(200)));
    g.drawRect(0, 0, width, height, Color(230, 224, 240, scaled(255)));
}

bool keptPixelOpaque(const GLTexture* texture, int dx, int dy)
{
    if (!texture || dx < 0 || dy < 0 || dx >= texture->getWidth() || dy >= texture->getHeight())
        return false;
    // The kept image is widened to a power of two, so it is never smaller
    // than the picture; the second check guards images that were replaced.
    const Image* image = texture->getImage();
    if (!image || dx >= image->getWidth() || dy >= image->getHeight())
        return false;
    return image->getPixel(dx, dy).a != 0;
}

void playNamedOrOwn(const std::string& name, Sound* own)
{
    UiServices* services = uiServices();
    if (services && services->soundsLoaded())
        services->playNamed(name);
    else if (own)
        own->play();
}

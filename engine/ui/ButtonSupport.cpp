#include "engine/ui/ButtonSupport.h"

#include "engine/audio/Sound.h"
#include "engine/gfx/GLTexture.h"
#include "engine/gfx/Image.h"
#include "engine/ui/UiServices.h"

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

#include "engine/gfx/GLTexture.h"

#include "engine/core/Log.h"
#include "engine/gfx/GLUpload.h"
#include "engine/gfx/ImageFile.h"
#include "engine/gfx/ImageFilter.h"
#include "engine/gfx/MinimalSurfaceImage.h"
#include "engine/gfx/SDLSurfaceImage.h"

#include <GL/gl.h>
#include <SDL.h>
#include <SDL_image.h>
#include <cctype>
#include <memory>
#include <vector>

namespace {

int g_liveTextures = 0;

constexpr uint32_t kNoName = static_cast<uint32_t>(-1);
// Widening never needs more: SDL surfaces are addressed with 16-bit sides.
constexpr int kMaxWidenedSide = 1 << 16;
// Larger textures still work but cost video memory on small cards.
constexpr int kWarnTextureSide = 1024;

std::string upperCase(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

// The mask of "dir/pic.jpg" is "dir/pic_.jpg", with the extension exactly as
// written (the file system may be case-sensitive). Empty for non-JPEG paths.
std::string maskPathFor(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    const size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return std::string();
    const std::string extension = path.substr(dot + 1);
    const std::string upper = upperCase(extension);
    if (upper != "JPG" && upper != "JPEG")
        return std::string();
    return path.substr(0, dot) + "_." + extension;
}

// A 32-bit RGBA copy of `decoded` at the top-left of a width x height
// surface. Per-surface alpha is switched off first so the copy takes the
// alpha values instead of blending them into the transparent new surface.
SDL_Surface* widen(SDL_Surface* decoded, int width, int height)
{
    SDL_SetAlpha(decoded, 0, SDL_ALPHA_OPAQUE);
    return convertToRGBA(decoded, width, height);
}

} // namespace

GLTexture::GLTexture(const std::string& sourcePath, ImageFilter* imageFilter, int mode)
    : Texture(sourcePath), filter(imageFilter), keepMode(mode)
{
    decodeFile();
    uploadImage();
    if (textureWidth > kWarnTextureSide || textureHeight > kWarnTextureSide)
        logInfo("WARNING: tex " + path + " size: " + std::to_string(textureWidth) + "x" +
                std::to_string(textureHeight));
    if (keepMode == KeepAlphaOnly)
        keepAlphaOnly();
    else if (keepMode == DropImage)
        replaceImage(nullptr);
    ++g_liveTextures;
    uploaded = true;
}

GLTexture::GLTexture(SDLSurfaceImage* given, ImageFilter* imageFilter, int mode, UploadMode uploadMode)
    : filter(imageFilter), keepMode(mode)
{
    std::unique_ptr<SDLSurfaceImage> owned(given);
    SDL_Surface* surface = owned ? owned->getSurface() : nullptr;
    SDL_Surface* widened = nullptr;
    if (surface) {
        sourceWidth = surface->w;
        sourceHeight = surface->h;
        widened = widen(surface, widenedWidth(), widenedHeight());
    }
    owned.reset();
    if (widened) {
        replaceImage(new SDLSurfaceImage(widened));
        if (filter)
            filter->apply(image);
    } else {
        logError(std::string("GLTexture: cannot build a texture from an in-memory image: ") +
                 (surface ? SDL_GetError() : "the image has no pixels"));
        useTransparentPixel();
    }
    if (uploadMode == UploadWhenUsed) {
        // The sizes the upload would give; the GL name comes with it.
        width = sourceWidth;
        height = sourceHeight;
        textureWidth = widenedWidth();
        textureHeight = widenedHeight();
        uploadPending = true;
    } else {
        uploadImage();
    }
    ++g_liveTextures;
    uploaded = true;
}

GLTexture::~GLTexture()
{
    deleteGLName();
    replaceImage(nullptr);
    delete[] alphaCopy;
    --g_liveTextures;
    logInfo("Texture count: " + std::to_string(g_liveTextures));
}

int GLTexture::liveCount()
{
    return g_liveTextures;
}

void GLTexture::bind()
{
    if (uploadPending)
        uploadImage();
    // Without a GL name bind nothing rather than leave a stale texture bound.
    glBindTexture(GL_TEXTURE_2D, glName == kNoName ? 0 : glName);
}

void GLTexture::upload()
{
    if (!uploaded)
        return;
    auto* picture = dynamic_cast<SDLSurfaceImage*>(image);
    // A picture redrawn in memory (a book's page) goes over the texture it
    // already has: a page turn then makes no new texture.
    if (glName != kNoName && picture && picture->getSurface() &&
        SDL_oglrefresh(glName, textureWidth, textureHeight, picture->getSurface()))
        return;
    // A name still held (no releaseGpu first) would leak.
    deleteGLName();

    if (picture && picture->getSurface()) {
        uploadImage();
        return;
    }
    // Only the alpha channel (or nothing) is left of the picture: decode the
    // file again rather than upload a blank texture, then reduce it as before.
    if (path.empty()) {
        logError("GLTexture: cannot upload again an in-memory picture that was reduced to its alpha");
        return;
    }
    const bool wasAlphaOnly = image != nullptr;
    decodeFile();
    uploadImage();
    if (wasAlphaOnly)
        keepAlphaOnly();
    else
        replaceImage(nullptr);
}

void GLTexture::releaseGpu()
{
    if (uploaded)
        deleteGLName();
}

void GLTexture::keepAlphaOnly()
{
    if (alphaCopy) {
        // The alpha copy is handed over: the new image owns it from now on.
        std::unique_ptr<uint8_t[]> alpha(alphaCopy);
        alphaCopy = nullptr;
        replaceImage(new MinimalSurfaceImage(std::move(alpha), widenedWidth(), widenedHeight()));
        return;
    }
    auto* picture = dynamic_cast<SDLSurfaceImage*>(image);
    if (picture && picture->getSurface())
        replaceImage(new MinimalSurfaceImage(picture->getSurface()));
}

void GLTexture::decodeFile()
{
    delete[] alphaCopy;
    alphaCopy = nullptr;

    SDL_Surface* decoded = ImageFile::load(path);
    if (!decoded) {
        logErrorOnce("GLTexture: cannot load " + path + ": " + IMG_GetError());
        useTransparentPixel();
        return;
    }
    sourceWidth = decoded->w;
    sourceHeight = decoded->h;
    SDL_Surface* widened = widen(decoded, widenedWidth(), widenedHeight());
    SDL_FreeSurface(decoded);
    if (!widened) {
        logError("GLTexture: cannot convert " + path + ": " + SDL_GetError());
        useTransparentPixel();
        return;
    }
    auto picture = std::make_unique<SDLSurfaceImage>(widened);
    applyMask(*picture);
    if (filter)
        filter->apply(picture.get());
    replaceImage(picture.release());
}

void GLTexture::applyMask(SDLSurfaceImage& picture)
{
    const std::string maskPath = maskPathFor(path);
    if (maskPath.empty())
        return;
    SDL_Surface* decoded = ImageFile::load(maskPath);
    if (!decoded) {
        // No mask is no fault (the picture stays opaque); a mask that is
        // there but cannot be used is.
        if (SDL_RWops* file = SDL_RWFromFile(maskPath.c_str(), "rb")) {
            SDL_RWclose(file);
            logError("GLTexture: cannot load mask " + maskPath + ": " + IMG_GetError() + "; " + path +
                     " stays opaque");
        }
        return;
    }
    if (decoded->w != sourceWidth || decoded->h != sourceHeight) {
        logWarning("mask " + maskPath + " is " + std::to_string(decoded->w) + "x" + std::to_string(decoded->h) +
                   " but " + path + " is " + std::to_string(sourceWidth) + "x" + std::to_string(sourceHeight) +
                   "; mask ignored");
        SDL_FreeSurface(decoded);
        return;
    }
    SDL_Surface* target = picture.getSurface();
    if (!target || target->format->BytesPerPixel != 4 || target->w < decoded->w || target->h < decoded->h) {
        logError("GLTexture: cannot apply mask " + maskPath + " to " + path);
        SDL_FreeSurface(decoded);
        return;
    }
    // A mask in a layout the row reader does not know is widened to RGBA
    // first; the usual 24-bit one is read as it was decoded.
    SDL_Surface* mask = decoded;
    if (!readsAsRGBA(decoded)) {
        mask = widen(decoded, decoded->w, decoded->h);
        SDL_FreeSurface(decoded);
        if (!mask) {
            logError("GLTexture: cannot apply mask " + maskPath + ": " + SDL_GetError());
            return;
        }
    }

    // The mask's grey level becomes the picture's alpha; the widened margin
    // outside the picture stays transparent, as it was made.
    const int w = target->w;
    const int h = target->h;
    alphaCopy = new uint8_t[static_cast<size_t>(w) * static_cast<size_t>(h)]();
    const SDL_PixelFormat* tf = target->format;
    const bool lockMask = SDL_MUSTLOCK(mask) && SDL_LockSurface(mask) == 0;
    const bool lockTarget = SDL_MUSTLOCK(target) && SDL_LockSurface(target) == 0;
    std::vector<Uint32> row(static_cast<size_t>(mask->w));
    for (int y = 0; y < mask->h; ++y) {
        rowToRGBA(mask, y, row.data());
        auto* t = reinterpret_cast<Uint32*>(static_cast<uint8_t*>(target->pixels) + y * target->pitch);
        uint8_t* copy = alphaCopy + static_cast<size_t>(y) * static_cast<size_t>(w);
        for (int x = 0; x < mask->w; ++x) {
            const Uint32 m = row[static_cast<size_t>(x)];
            const auto alpha = static_cast<uint8_t>(((m & 0xffu) + (m >> 8 & 0xffu) + (m >> 16 & 0xffu)) / 3);
            t[x] = (t[x] & ~tf->Amask) | (static_cast<Uint32>(alpha) << tf->Ashift);
            copy[x] = alpha;
        }
    }
    if (lockTarget)
        SDL_UnlockSurface(target);
    if (lockMask)
        SDL_UnlockSurface(mask);
    SDL_FreeSurface(mask);
}

void GLTexture::useTransparentPixel()
{
    sourceWidth = 1;
    sourceHeight = 1;
    replaceImage(new SDLSurfaceImage(1, 1));
}

void GLTexture::uploadImage()
{
    uploadPending = false;
    auto* picture = dynamic_cast<SDLSurfaceImage*>(image);
    std::unique_ptr<OglBlitTexture> result(SDL_oglblit(picture ? picture->getSurface() : nullptr));
    width = sourceWidth;
    height = sourceHeight;
    if (!result) {
        logError("GLTexture: cannot upload " + (path.empty() ? std::string("an in-memory picture") : path) + ": " +
                 SDL_GetError());
        return;
    }
    glName = result->name;
    textureWidth = result->texWidth;
    textureHeight = result->texHeight;
}

void GLTexture::replaceImage(Image* newImage)
{
    delete image;
    image = newImage;
}

void GLTexture::deleteGLName()
{
    if (glName == kNoName)
        return;
    const GLuint name = glName;
    glDeleteTextures(1, &name);
    glName = kNoName;
}

int GLTexture::widenedWidth() const
{
    return nextPowerOfTwo(sourceWidth, kMaxWidenedSide);
}

int GLTexture::widenedHeight() const
{
    return nextPowerOfTwo(sourceHeight, kMaxWidenedSide);
}

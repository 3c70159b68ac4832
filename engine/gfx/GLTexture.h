#pragma once
// An image file (PNG or JPEG) or an in-memory image, widened to a
// power-of-two RGBA image, optionally filtered, and uploaded as one OpenGL
// texture. The converted source image is kept so the texture can be uploaded
// again after the GL context is re-created and so widgets can test pixels.
//
// A JPEG "pic.jpg" takes its alpha from the greyscale mask "pic_.jpg" beside
// it (same extension case): alpha = (R + G + B) / 3 of the mask pixel. A
// mask of another size than its picture, or one that is there but cannot be
// decoded, is reported and ignored (opaque).
//
// Files are decoded by ImageFile: a CMYK JPEG is converted to RGB, and a
// picture larger than the largest texture is refused before it is decoded.
// A file that cannot be decoded or is refused gives a 1x1 transparent
// texture and one error line in the log naming the file and the reason; it
// never crashes.
//
// upload() after the kept picture was reduced (keepAlphaOnly, keep mode 1) or
// dropped (keep mode 2) decodes the file again, applies mask and filter, and
// reduces or drops the picture again afterwards.
#include "engine/gfx/Texture.h"
#include <cstdint>
#include <string>

class ImageFilter;
class SDLSurfaceImage;

class GLTexture : public Texture {
public:
    // What happens to the kept image after the first upload from a file.
    enum KeepMode { KeepImage = 0, KeepAlphaOnly = 1, DropImage = 2 };

    // Loads the file at once. `filter` is applied once before the first
    // upload and is not owned.
    explicit GLTexture(const std::string& path, ImageFilter* filter = nullptr, int keepMode = KeepImage);
    // When the in-memory image goes to the GPU: at once, or at the first
    // upload() or bind(), for a picture that is drawn into before it is shown.
    enum UploadMode { UploadAtOnce = 0, UploadWhenUsed = 1 };

    // Builds a texture from an image in memory; takes ownership of `image`
    // (deleted here). The kept image is always kept.
    explicit GLTexture(SDLSurfaceImage* image, ImageFilter* filter = nullptr, int keepMode = KeepImage,
                       UploadMode uploadMode = UploadAtOnce);
    ~GLTexture() override;

    void bind() override;
    void upload() override;
    void releaseGpu() override;

    // True when this texture was loaded whole from the file at `file`: no
    // filter, the picture kept. Such a texture can stand for any other load
    // of that file with the defaults.
    bool isPlainLoadOf(const std::string& file) const
    {
        return !file.empty() && path == file && !filter && keepMode == KeepImage;
    }

    // Replaces the kept image by an alpha-only image (one byte per pixel).
    void keepAlphaOnly();

    // Picture size in pixels as loaded (before widening): layout and hit tests.
    int getWidth() const { return width; }
    int getHeight() const { return height; }
    // Power-of-two size of the GL texture: texture coordinates.
    int getTextureWidth() const { return textureWidth; }
    int getTextureHeight() const { return textureHeight; }
    // The GL name, or (uint32_t)-1 before the first successful upload.
    uint32_t getGLName() const { return glName; }

    // Number of live textures (diagnostics).
    static int liveCount();

private:
    GLTexture(const GLTexture&) = delete;
    GLTexture& operator=(const GLTexture&) = delete;

    // Decodes the file into the kept image (widened, masked, filtered); a
    // file that cannot be decoded gives the transparent pixel instead.
    void decodeFile();
    // Gives a JPEG picture the alphas of its mask file, when there is one.
    void applyMask(SDLSurfaceImage& picture);
    // Keeps a 1x1 fully transparent image as the picture.
    void useTransparentPixel();
    // Uploads the kept image and takes the new GL name and sizes.
    void uploadImage();
    void replaceImage(Image* newImage);
    void deleteGLName();
    // Size of the widened image (and of the alpha copy).
    int widenedWidth() const;
    int widenedHeight() const;

    int32_t width = 0, height = 0;
    int32_t textureWidth = 0, textureHeight = 0;
    ImageFilter* filter = nullptr;  // not owned
    uint32_t glName = static_cast<uint32_t>(-1);
    int32_t sourceWidth = 0, sourceHeight = 0;
    uint8_t* alphaCopy = nullptr;   // owned; JPEG mask alphas of the widened image
    int32_t keepMode = KeepImage;
    bool uploadPending = false;  // UploadWhenUsed and not yet uploaded
};

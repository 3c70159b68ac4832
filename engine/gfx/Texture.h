#pragma once
// A picture that can be drawn: the kept source image plus its GPU copy.
#include "engine/core/DeferableResource.h"

class Image;

class Texture : public DeferableResource {
public:
    using DeferableResource::DeferableResource;
    ~Texture() override = default;

    // Binds the GPU copy for drawing.
    virtual void bind() = 0;
    // After the GL context was re-created: uploads the kept image again.
    virtual void upload() = 0;
    // Before the GL context goes: deletes the GPU copy; the image stays.
    virtual void releaseGpu() = 0;

    // The kept source image (owned by the texture), or null once dropped.
    Image* getImage() const { return image; }
    bool isUploaded() const { return uploaded; }

protected:
    Image* image = nullptr;
    bool uploaded = false;
};

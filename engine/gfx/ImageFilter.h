#pragma once
// Whole-image pixel filters run on a picture before it is uploaded.
// Filters hold no data; one instance can serve any number of textures.
class Image;

class ImageFilter {
public:
    virtual ~ImageFilter() = default;

    // Rewrites the image's pixels in place; a null image is ignored.
    virtual void apply(Image* image) const = 0;
};

// Every pixel with alpha above 0 becomes white with its alpha; fully
// transparent pixels are left exactly as they were.
class SilhouetteImageFilter : public ImageFilter {
public:
    void apply(Image* image) const override;
};

// Every pixel becomes white with alpha = min((r + g + b) * 0.3333, 255),
// truncated: white gives 254, black gives 0. Turns a grey-level glyph page
// into a coverage mask.
class IntensityAsAlphaImageFilter : public ImageFilter {
public:
    void apply(Image* image) const override;
};

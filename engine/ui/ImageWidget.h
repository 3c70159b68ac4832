#pragma once
// A picture at a place: draws its texture at the widget's origin, modulated
// by a tint (white: unchanged). The texture is not owned; it belongs to a
// resource manager.
#include "engine/core/Types.h"
#include "engine/ui/Widget.h"

class GLTexture;

class ImageWidget : public Widget {
public:
    // Geometry {x, y, 0, picture width, picture height}; 0 x 0 when zeroSize
    // is set (the pointer never hits it) or the texture is null.
    ImageWidget(GLTexture* texture, int x, int y, bool zeroSize = false);

    // Nothing without a texture.
    void draw(Graphics& g, ScreenBase* screen) override;

    // Replaces the drawn texture; the geometry stays.
    void setTexture(GLTexture* texture) { this->texture = texture; }
    GLTexture* getTexture() const { return texture; }
    void setTint(Color c) { tint = c; }
    Color getTint() const { return tint; }

protected:
    Color tint = Color::white();
    GLTexture* texture;  // not owned; may be null
};

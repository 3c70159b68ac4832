#pragma once
// Small helpers shared by the standard buttons: the pixel hit test on a
// texture's kept image, the stand-in for a picture that failed to load and
// the choice between a named effect and a widget's own sound.
#include <string>

class GLTexture;
class Graphics;
class Sound;

// The size a widget takes when the picture that should size it failed to
// load, so that it can still be seen, hit and read.
constexpr int MissingPictureWidth = 160;
constexpr int MissingPictureHeight = 48;

// Whether the texture is the 1 x 1 transparent stand-in GLTexture holds for
// a file it could not load. A widget sized by it would shrink to nothing and
// could never be clicked. False for null (no picture was asked for).
bool pictureFailed(const GLTexture* texture);
// The picture's size; the missing-picture size for a failed one, 0 for null.
int pictureWidth(const GLTexture* texture);
int pictureHeight(const GLTexture* texture);
// What a widget draws in place of a failed picture: a dark translucent box
// with a light outline, at (0, 0) in the widget, `alpha` scaling both.
void drawMissingPicture(Graphics& g, int width, int height, unsigned char alpha = 255);

// Whether the pixel (dx, dy) of the texture's picture, counted from its
// top-left corner, is not fully transparent in the texture's kept image.
// False for a null texture, a texture that no longer keeps its image, and any
// point outside the picture or outside the kept image: nothing outside the
// image is ever read.
bool keptPixelOpaque(const GLTexture* texture, int dx, int dy);

// Plays the named effect when the game's effects are loaded; otherwise plays
// `own` (may be null: then nothing sounds).
void playNamedOrOwn(const std::string& name, Sound* own);

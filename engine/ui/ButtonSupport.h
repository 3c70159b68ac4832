#pragma once
// Small helpers shared by the standard buttons: the pixel hit test on a
// texture's kept image and the choice between a named effect and a widget's
// own sound.
#include <string>

class GLTexture;
class Sound;

// Whether the pixel (dx, dy) of the texture's picture, counted from its
// top-left corner, is not fully transparent in the texture's kept image.
// False for a null texture, a texture that no longer keeps its image, and any
// point outside the picture or outside the kept image: nothing outside the
// image is ever read.
bool keptPixelOpaque(const GLTexture* texture, int dx, int dy);

// Plays the named effect when the game's effects are loaded; otherwise plays
// `own` (may be null: then nothing sounds).
void playNamedOrOwn(const std::string& name, Sound* own);

#include "engine/gfx/Graphics.h"

#include "engine/gfx/GLTexture.h"

// The base operations only compute source rectangles and forward to the
// renderer's primitives. A null texture or an empty sheet division draws
// nothing: a frame count of 0 would otherwise divide by zero.

void Graphics::drawImage(int x, int y, GLTexture* texture, Color c)
{
    if (!texture)
        return;
    drawImageRect(x, y, texture,
                  Rect(0.f, 0.f, static_cast<float>(texture->getWidth()), static_cast<float>(texture->getHeight())), c);
}

void Graphics::drawImageRect(int x, int y, GLTexture* texture, const Rect& rect, Color c)
{
    drawImageScaled(x, y, rect.width(), rect.height(), texture, rect, c);
}

// Frames are cut with truncating integer arithmetic and the right and bottom
// edges one pixel inside the cell, so a frame is drawn one pixel narrower and
// lower than its cell.
void Graphics::drawFrameH(int x, int y, int frameCount, int index, GLTexture* texture, Color c)
{
    if (!texture || frameCount <= 0)
        return;
    const int w = texture->getWidth();
    const int h = texture->getHeight();
    const Rect rect(static_cast<float>(index * w / frameCount), 0.f,
                    static_cast<float>(w * (index + 1) / frameCount - 1), static_cast<float>(h - 1));
    drawImageRect(x, y, texture, rect, c);
}

void Graphics::drawFrameV(int x, int y, int frameCount, int index, GLTexture* texture, Color c)
{
    if (!texture || frameCount <= 0)
        return;
    const int w = texture->getWidth();
    const int h = texture->getHeight();
    const Rect rect(0.f, static_cast<float>(index * h / frameCount),
                    static_cast<float>(w - 1), static_cast<float>(h * (index + 1) / frameCount - 1));
    drawImageRect(x, y, texture, rect, c);
}

// Grid frames are numbered down the columns: index = column * rows + row.
void Graphics::drawFrameGrid(int x, int y, int columns, int rows, int index, GLTexture* texture, Color c)
{
    if (!texture || columns <= 0 || rows <= 0)
        return;
    const int w = texture->getWidth();
    const int h = texture->getHeight();
    const int col = index / rows;
    const int row = index % rows;
    const Rect rect(static_cast<float>(w * col / columns), static_cast<float>(h * row / rows),
                    static_cast<float>(w * (col + 1) / columns - 1), static_cast<float>(h * (row + 1) / rows - 1));
    drawImageRect(x, y, texture, rect, c);
}

void Graphics::drawOutline(int x, int y, GLTexture* texture, Color fill, int thickness, float alphaRef)
{
    if (!texture)
        return;
    const int w = texture->getWidth();
    const int h = texture->getHeight();
    drawOutlineRect(x, y, texture, fill, thickness, alphaRef, w, h,
                    Rect(0.f, 0.f, static_cast<float>(w), static_cast<float>(h)));
}

void Graphics::drawTexturedOutline(int x, int y, GLTexture* texture, GLTexture* fillTexture, int thickness,
                                   float alphaRef)
{
    if (!texture || !fillTexture)
        return;
    const int w = texture->getWidth();
    const int h = texture->getHeight();
    drawTexturedOutlineRect(x, y, texture, fillTexture, thickness, alphaRef, w, h,
                            Rect(0.f, 0.f, static_cast<float>(w), static_cast<float>(h)));
}

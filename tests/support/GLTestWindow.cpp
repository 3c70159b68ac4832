#include "tests/support/GLTestWindow.h"

#include <GL/gl.h>
#include <SDL.h>
#include <SDL_image.h>

GLTestWindow::GLTestWindow(int width, int height) : w(width), h(height)
{
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        errorText = std::string("SDL_Init: ") + SDL_GetError();
        return;
    }
    IMG_Init(IMG_INIT_JPG | IMG_INIT_PNG);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    if (!SDL_SetVideoMode(width, height, 32, SDL_OPENGL)) {
        errorText = std::string("SDL_SetVideoMode: ") + SDL_GetError();
        SDL_Quit();
        return;
    }
    glReadBuffer(GL_BACK);
    opened = true;
}

GLTestWindow::~GLTestWindow()
{
    if (opened) {
        IMG_Quit();
        SDL_Quit();
    }
}

Color GLTestWindow::readPixel(int x, int y) const
{
    unsigned char px[4] = {0, 0, 0, 0};
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, h - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, px);
    return Color(px[0], px[1], px[2], px[3]);
}

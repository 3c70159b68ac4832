#include "tests/support/GLTestWindow.h"

#include <GL/gl.h>
#include <SDL.h>
#include <SDL_image.h>

#include <cstdlib>
#include <filesystem>

GLTestWindow::GLTestWindow(int width, int height) : w(width), h(height)
{
    // Under a loaded software GL a window now and then opens with a context
    // that answers nothing (no largest texture size): every upload in the
    // suite would fail. Such a window is closed and opened again.
    for (int attempt = 0; attempt < 3 && !opened; ++attempt) {
        if (SDL_Init(SDL_INIT_VIDEO) != 0) {
            errorText = std::string("SDL_Init: ") + SDL_GetError();
            return;
        }
        SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 8);
        SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
        if (!SDL_SetVideoMode(width, height, 32, SDL_OPENGL)) {
            errorText = std::string("SDL_SetVideoMode: ") + SDL_GetError();
            SDL_Quit();
            return;
        }
        GLint maxSize = 0;
        glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
        if (maxSize <= 0) {
            errorText = "the window's GL context answers no largest texture size";
            SDL_Quit();
            continue;
        }
        IMG_Init(IMG_INIT_JPG | IMG_INIT_PNG);
        glReadBuffer(GL_BACK);
        errorText.clear();
        opened = true;
    }
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

bool GLTestWindow::saveScreenshot(const std::string& name) const
{
    const char* folder = std::getenv("APPDATA");
    if (!folder)
        return true;
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 24, 0x0000ff, 0x00ff00, 0xff0000, 0);
    if (!s)
        return false;
    SDL_LockSurface(s);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    for (int y = 0; y < h; ++y)  // GL rows run bottom-up
        glReadPixels(0, h - 1 - y, w, 1, GL_RGB, GL_UNSIGNED_BYTE, static_cast<char*>(s->pixels) + y * s->pitch);
    SDL_UnlockSurface(s);
    const bool ok = SDL_SaveBMP(s, (std::string(folder) + "/" + name).c_str()) == 0;
    SDL_FreeSurface(s);
    return ok;
}

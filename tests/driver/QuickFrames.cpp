#include "tests/driver/QuickFrames.h"

#include "engine/app/SDLGameApp.h"
#include "tests/driver/HeadlessDriver.h"

#include <GL/gl.h>

namespace {

int depth = 0;

void setViewport(HeadlessDriver& driver, bool full)
{
    SDLGameApp* app = driver.application();
    if (!app || !app->isWindowOpen())
        return;
    // The clear at each frame's start ignores the viewport; a scissor box
    // of one pixel keeps it from filling the whole frame (until the game
    // clips something itself, which turns the box off again).
    if (full) {
        glViewport(0, 0, app->getWidth(), app->getHeight());
        glDisable(GL_SCISSOR_TEST);
    } else {
        glViewport(0, 0, 1, 1);
        glScissor(0, 0, 1, 1);
        glEnable(GL_SCISSOR_TEST);
    }
}

} // namespace

QuickFrames::QuickFrames(HeadlessDriver& d)
    : driver(d)
{
    if (depth++ == 0)
        setViewport(driver, false);
}

QuickFrames::~QuickFrames()
{
    if (--depth == 0)
        setViewport(driver, true);
}

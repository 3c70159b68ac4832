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
    if (full)
        glViewport(0, 0, app->getWidth(), app->getHeight());
    else
        glViewport(0, 0, 1, 1);
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

#include "engine/ui/ScreenBase3D.h"

#include "engine/core/AppContext.h"
#include "engine/gfx/Graphics.h"
#include <GL/gl.h>
#include <GL/glu.h>

namespace {
// Depth range of both set-ups.
const int SetupDepth = 10000;
}

ScreenBase3D::ScreenBase3D(const std::string& screenName)
    : ScreenBase(screenName)
{
}

void ScreenBase3D::drawUnder3D(Graphics&) {}

void ScreenBase3D::draw3D(Graphics&) {}

void ScreenBase3D::draw(Graphics& g)
{
    AppContext* app = appContext();
    const int width = app ? app->getWidth() : 0;
    const int height = app ? app->getHeight() : 0;

    drawUnder3D(g);

    if (width > 0 && height > 0) {
        g.setup3D(width, height, SetupDepth);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        gluPerspective(camera.fieldOfView, static_cast<double>(width) / height, camera.nearPlane, camera.farPlane);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        gluLookAt(camera.eye.x, camera.eye.y, camera.eye.z, camera.center.x, camera.center.y, camera.center.z,
                  camera.up.x, camera.up.y, camera.up.z);
        draw3D(g);
        g.setup2D(width, height, SetupDepth);
    }

    ScreenBase::draw(g);
}

// Widget and screen behaviour that needs real textures or a GL context.
#include "engine/gfx/GLGraphics.h"
#include "engine/gfx/GLTexture.h"
#include "engine/ui/ClickableImageWidget.h"
#include "engine/ui/InputEvents.h"
#include "engine/ui/ScreenBase3D.h"
#include "engine/ui/SimpleButtonListener.h"
#include "tests/anim/FakeAppContext.h"
#include "tests/anim/RecordingGraphics.h"
#include "tests/support/GLTestSuite.h"
#include "tests/support/TestTextures.h"
#include <GL/gl.h>
#include <SDL.h>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace {

class UiGL : public GLTestSuite {};

struct ButtonLog : SimpleButtonListener {
    std::vector<std::pair<int, int>> events;
    void onButton(int id, int event) override { events.emplace_back(id, event); }
};

} // namespace

TEST_F(UiGL, AlphaHitTestUsesTheKeptImageInsideThePictureOnly)
{
    std::unique_ptr<GLTexture> texture = dotTexture();
    ASSERT_NE(texture->getImage(), nullptr);
    ASSERT_GT(texture->getImage()->getWidth(), 3) << "the kept image is widened";
    ButtonLog listener;
    ClickableImageWidget widget(texture.get(), 10, 20, &listener, 42, true);
    EXPECT_EQ(widget.getGeometry().w, 3);
    EXPECT_EQ(widget.getGeometry().h, 3);
    EXPECT_TRUE(widget.hitTest(11, 21));
    EXPECT_FALSE(widget.hitTest(10, 20)) << "transparent pixel";
    EXPECT_FALSE(widget.hitTest(13, 21)) << "inside the widened image but outside the picture";
    EXPECT_FALSE(widget.hitTest(9, 21));
    EXPECT_FALSE(widget.hitTest(11, -5));

    widget.setAlphaTest(false);
    EXPECT_TRUE(widget.hitTest(10, 20));
    EXPECT_FALSE(widget.hitTest(13, 21));

    MouseEvent e;
    widget.onMousePress(&e);
    widget.onMouseRelease(&e);
    EXPECT_EQ(listener.events, (std::vector<std::pair<int, int>>{{42, 0}, {42, 1}}));
}

TEST_F(UiGL, AlphaHitTestWithoutAKeptImageIsAMiss)
{
    const std::string path = std::string(std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp") + "/ui_gl_dot_" +
                             std::to_string(::getpid()) + ".bmp";
    SDL_Surface* surface = SDL_CreateRGBSurface(SDL_SWSURFACE, 4, 4, 24, 0xff, 0xff00, 0xff0000, 0);
    ASSERT_NE(surface, nullptr);
    SDL_FillRect(surface, nullptr, 0xffffff);
    ASSERT_EQ(SDL_SaveBMP(surface, path.c_str()), 0);
    SDL_FreeSurface(surface);
    GLTexture texture(path, nullptr, GLTexture::DropImage);
    std::remove(path.c_str());
    ASSERT_EQ(texture.getImage(), nullptr);
    ASSERT_EQ(texture.getWidth(), 4);

    ClickableImageWidget widget(&texture, 0, 0, nullptr, 1, true);
    EXPECT_FALSE(widget.hitTest(1, 1));
    widget.setAlphaTest(false);
    EXPECT_TRUE(widget.hitTest(1, 1));

    ClickableImageWidget noTexture(nullptr, 0, 0, nullptr, 2, true);
    EXPECT_FALSE(noTexture.hitTest(0, 0));
}

TEST_F(UiGL, ImageWidgetDrawsItsTextureAtTheOriginWithItsTint)
{
    std::unique_ptr<GLTexture> texture = dotTexture();
    ImageWidget sized(texture.get(), 5, 6);
    ImageWidget passive(texture.get(), 5, 6, true);
    EXPECT_EQ(sized.getGeometry().w, 3);
    EXPECT_EQ(passive.getGeometry().w, 0);
    EXPECT_EQ(passive.getGeometry().h, 0);
    RecordingGraphics g;
    sized.setTint(Color(10, 20, 30, 40));
    sized.draw(g, nullptr);
    sized.setTexture(nullptr);
    sized.draw(g, nullptr);
    EXPECT_EQ(g.calls, std::vector<std::string>{"drawImage 0 0 10,20,30,40"});
}

namespace {

// Reads the matrices at each stage of the 3-D screen's drawing.
class Probe3D : public ScreenBase3D {
public:
    Probe3D() : ScreenBase3D("probe") {}
    void loadResources() override {}
    void build() override {}
    void drawUnder3D(Graphics&) override
    {
        order.push_back("under3D");
        glGetFloatv(GL_PROJECTION_MATRIX, under);
    }
    void draw3D(Graphics&) override
    {
        order.push_back("draw3D");
        glGetFloatv(GL_PROJECTION_MATRIX, projection);
        glGetFloatv(GL_MODELVIEW_MATRIX, modelView);
    }
    void drawBackground(Graphics&) override
    {
        order.push_back("background");
        glGetFloatv(GL_PROJECTION_MATRIX, after);
    }

    std::vector<std::string> order;
    float under[16] = {};
    float projection[16] = {};
    float modelView[16] = {};
    float after[16] = {};
};

} // namespace

TEST_F(UiGL, Screen3DDrawsUnderIn2DThenInTheCameraThenIn2DAgain)
{
    FakeAppContext app;
    GLGraphics g;
    g.init(1024, 768, 1000);
    Probe3D screen;
    screen.getCamera().fieldOfView = 90.f;
    screen.draw(g);

    EXPECT_EQ(screen.order, (std::vector<std::string>{"under3D", "draw3D", "background"}));
    const float ortho = 2.f / 1024.f;
    EXPECT_NEAR(screen.under[0], ortho, 1e-6);
    EXPECT_NEAR(screen.after[0], ortho, 1e-6);
    // 90 degrees: cot(45) = 1 on y, divided by the aspect on x.
    EXPECT_NEAR(screen.projection[5], 1.f, 1e-5);
    EXPECT_NEAR(screen.projection[0], 768.f / 1024.f, 1e-5);
    // Looking from the origin along +z with y up mirrors x and z.
    EXPECT_NEAR(screen.modelView[0], -1.f, 1e-5);
    EXPECT_NEAR(screen.modelView[5], 1.f, 1e-5);
    EXPECT_NEAR(screen.modelView[10], -1.f, 1e-5);
}

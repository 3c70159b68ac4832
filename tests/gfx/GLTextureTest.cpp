// Textures from files and from memory, drawn through a real GL context
// (run under Xvfb). Fixture pictures come from the folder named by
// QUILL_FIXTURES, which the content generator fills (scripts/gen-content.sh).
#include "engine/core/Log.h"
#include "engine/gfx/GLTexture.h"
#include "engine/gfx/ImageFilter.h"
#include "engine/gfx/MinimalSurfaceImage.h"
#include "engine/gfx/SDLSurfaceImage.h"
#include "tests/support/GLTestSuite.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TextLines.h"

#include <GL/gl.h>
#include <SDL.h>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace fs = std::filesystem;

namespace {

const char* const kFixtureFiles[] = {"tex300x200.png", "tex1025x10.png", "room.jpg",        "room_.jpg",
                                     "room.JPEG",      "room_.JPEG",     "mask_probe.jpg",  "mask_probe_.jpg",
                                     "badmask.jpg",    "badmask_.jpg",   "truncated.png",   "notanimage.png",
                                     "cmyk.jpg",       "cmyk_.jpg",      "huge_bilevel.png", "claims_huge.jpg"};

bool hasAllFixtures(const fs::path& dir)
{
    return std::all_of(std::begin(kFixtureFiles), std::end(kFixtureFiles),
                       [&](const char* name) { return fs::exists(dir / name); });
}

bool near(int a, int b, int tolerance)
{
    return std::abs(a - b) <= tolerance;
}

::testing::AssertionResult nearRgb(Color expected, Color actual, int tolerance)
{
    if (near(expected.r, actual.r, tolerance) && near(expected.g, actual.g, tolerance) &&
        near(expected.b, actual.b, tolerance))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "expected rgb (" << int(expected.r) << "," << int(expected.g) << ","
                                         << int(expected.b) << ") got (" << int(actual.r) << "," << int(actual.g)
                                         << "," << int(actual.b) << ")";
}

const Color kRed(255, 0, 0, 255);

} // namespace

class GLTextureTest : public GLTestSuite {
protected:
    static void SetUpTestSuite()
    {
        GLTestSuite::SetUpTestSuite();
        scratch = std::make_unique<TempFolder>();
        const char* env = std::getenv("QUILL_FIXTURES");
        if (env && hasAllFixtures(env))
            fixtures = env;
    }

    static void TearDownTestSuite()
    {
        GLTestSuite::TearDownTestSuite();
        scratch.reset();
    }

    void SetUp() override
    {
        GLTestSuite::SetUp();
        if (HasFatalFailure())
            return;
        ASSERT_FALSE(fixtures.empty()) << "fixture pictures missing from $QUILL_FIXTURES: run scripts/gen-content.sh";
        ASSERT_FALSE(scratch->path().empty()) << "no temporary folder";
    }

    static std::string fixture(const char* name) { return (fixtures / name).string(); }

    // A fresh folder (removed after the suite) for files that must sit side by side.
    static fs::path scratchFolder(const char* name)
    {
        const fs::path dir = scratch->path(name);
        fs::remove_all(dir);
        fs::create_directories(dir);
        return dir;
    }

    // Clears the back buffer to red and draws the whole picture at (x, y)
    // at its own size, blended by its alpha.
    static void drawOverRed(GLTexture& texture, int x, int y)
    {
        glViewport(0, 0, window->width(), window->height());
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(0, window->width(), window->height(), 0, -1, 1);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glDisable(GL_DEPTH_TEST);
        glClearColor(1.f, 0.f, 0.f, 1.f);
        glClear(GL_COLOR_BUFFER_BIT);
        glEnable(GL_TEXTURE_2D);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
        glColor4f(1.f, 1.f, 1.f, 1.f);
        texture.bind();
        const float w = static_cast<float>(texture.getWidth());
        const float h = static_cast<float>(texture.getHeight());
        const float u = w / static_cast<float>(texture.getTextureWidth());
        const float v = h / static_cast<float>(texture.getTextureHeight());
        glBegin(GL_QUADS);
        glTexCoord2f(0.f, 0.f);
        glVertex2f(static_cast<float>(x), static_cast<float>(y));
        glTexCoord2f(u, 0.f);
        glVertex2f(x + w, static_cast<float>(y));
        glTexCoord2f(u, v);
        glVertex2f(x + w, y + h);
        glTexCoord2f(0.f, v);
        glVertex2f(static_cast<float>(x), y + h);
        glEnd();
        glFinish();
    }

    // Checks the masked room picture drawn at (100, 100): red through the
    // transparent left half, the picture's own colour on the right.
    static void expectMaskedRoom(GLTexture& texture, Color pictureRight)
    {
        drawOverRed(texture, 100, 100);
        EXPECT_TRUE(nearRgb(kRed, window->readPixel(100 + 8, 100 + 16), 4));
        EXPECT_TRUE(nearRgb(pictureRight, window->readPixel(100 + texture.getWidth() - 8, 100 + 16), 4));
    }

    static Color roomPictureColour()
    {
        SDLSurfaceImage picture(fixture("room.jpg"));
        return picture.getPixel(picture.getWidth() - 8, 16);
    }

    static fs::path fixtures;
    static std::unique_ptr<TempFolder> scratch;
};

fs::path GLTextureTest::fixtures;
std::unique_ptr<TempFolder> GLTextureTest::scratch;

TEST_F(GLTextureTest, PngIsWidenedToPowerOfTwoSidesAndCountedWhileAlive)
{
    const int before = GLTexture::liveCount();
    ::testing::internal::CaptureStdout();
    {
        GLTexture texture(fixture("tex300x200.png"));
        EXPECT_EQ(texture.getWidth(), 300);
        EXPECT_EQ(texture.getHeight(), 200);
        EXPECT_EQ(texture.getTextureWidth(), 512);
        EXPECT_EQ(texture.getTextureHeight(), 256);
        EXPECT_TRUE(glIsTexture(texture.getGLName()));
        EXPECT_EQ(GLTexture::liveCount(), before + 1);
        ASSERT_NE(texture.getImage(), nullptr);
        EXPECT_EQ(texture.getImage()->getWidth(), 512);
    }
    const std::string out = ::testing::internal::GetCapturedStdout();
    EXPECT_EQ(out, "Texture count: " + std::to_string(before) + "\n");
    EXPECT_EQ(GLTexture::liveCount(), before);
}

TEST_F(GLTextureTest, SidesAbove1024PrintTheSizeWarning)
{
    ::testing::internal::CaptureStdout();
    auto texture = std::make_unique<GLTexture>(fixture("tex1025x10.png"));
    const std::string out = ::testing::internal::GetCapturedStdout();
    EXPECT_EQ(out, "WARNING: tex " + fixture("tex1025x10.png") + " size: 2048x16\n");
    EXPECT_EQ(texture->getWidth(), 1025);
    EXPECT_EQ(texture->getTextureWidth(), 2048);
    EXPECT_EQ(texture->getTextureHeight(), 16);
}

TEST_F(GLTextureTest, JpegMaskShowsTheBackgroundThroughItsBlackHalf)
{
    GLTexture texture(fixture("room.jpg"));
    EXPECT_EQ(texture.getWidth(), 64);
    EXPECT_EQ(texture.getTextureWidth(), 64);
    const Color right = roomPictureColour();
    ASSERT_FALSE(nearRgb(kRed, right, 40)) << "the fixture picture must differ from the red background";
    expectMaskedRoom(texture, right);
}

TEST_F(GLTextureTest, MaskFileKeepsTheExtensionAsWritten)
{
    const fs::path dir = scratchFolder("mask-case");
    fs::copy_file(fixture("room.JPEG"), dir / "upper.JPEG");
    fs::copy_file(fixture("room_.JPEG"), dir / "upper_.JPEG");
    // A mask whose extension differs in case belongs to another file.
    fs::copy_file(fixture("room.jpg"), dir / "lower.jpg");
    fs::copy_file(fixture("room_.jpg"), dir / "lower_.JPG");

    GLTexture upper((dir / "upper.JPEG").string());
    ASSERT_NE(upper.getImage(), nullptr);
    EXPECT_LE(upper.getImage()->getPixel(8, 16).a, 3);
    EXPECT_GE(upper.getImage()->getPixel(56, 16).a, 252);

    GLTexture lower((dir / "lower.jpg").string());
    ASSERT_NE(lower.getImage(), nullptr);
    EXPECT_EQ(lower.getImage()->getPixel(8, 16).a, 255);
    EXPECT_EQ(lower.getImage()->getPixel(56, 16).a, 255);
}

TEST_F(GLTextureTest, MaskAlphaIsTheIntegerMeanOfTheMaskColour)
{
    SDLSurfaceImage mask(fixture("mask_probe_.jpg"));
    const Color m = mask.getPixel(10, 10);
    ASSERT_EQ(m, Color(30, 60, 91)) << "the probe mask must decode to (30, 60, 91)";

    GLTexture texture(fixture("mask_probe.jpg"));
    ASSERT_NE(texture.getImage(), nullptr);
    for (auto [x, y] : {std::pair{0, 0}, {10, 10}, {63, 31}})
        EXPECT_EQ(texture.getImage()->getPixel(x, y).a, 60) << x << "," << y;
    // Colours come from the picture, not from the mask.
    const Color picture = SDLSurfaceImage(fixture("mask_probe.jpg")).getPixel(10, 10);
    EXPECT_TRUE(nearRgb(picture, texture.getImage()->getPixel(10, 10), 0));

    // All three channels count and the mean rounds down: (250 + 0 + 7) / 3
    // = 85.67 gives 85. Lossless files under JPEG names (SDL_image goes by
    // content) keep the colour exact.
    const fs::path dir = scratchFolder("mask-mean");
    SDL_Surface* surface = SDL_CreateRGBSurface(SDL_SWSURFACE, 4, 4, 24, 0xff, 0xff00, 0xff0000, 0);
    SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 1, 2, 3));
    ASSERT_EQ(SDL_SaveBMP(surface, (dir / "probe.jpg").c_str()), 0);
    SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 250, 0, 7));
    ASSERT_EQ(SDL_SaveBMP(surface, (dir / "probe_.jpg").c_str()), 0);
    SDL_FreeSurface(surface);
    GLTexture uneven((dir / "probe.jpg").string());
    ASSERT_NE(uneven.getImage(), nullptr);
    EXPECT_EQ(uneven.getImage()->getPixel(3, 3), Color(1, 2, 3, 85));
}

TEST_F(GLTextureTest, MaskOfAnotherSizeIsReportedAndIgnored)
{
    ::testing::internal::CaptureStdout();
    GLTexture texture(fixture("badmask.jpg"));
    const std::string out = ::testing::internal::GetCapturedStdout();
    EXPECT_EQ(lineCount(out), 1) << out;
    EXPECT_NE(out.find(fixture("badmask.jpg")), std::string::npos) << out;
    EXPECT_NE(out.find(fixture("badmask_.jpg")), std::string::npos) << out;
    ASSERT_NE(texture.getImage(), nullptr);
    EXPECT_EQ(texture.getImage()->getPixel(0, 0).a, 255);
    EXPECT_EQ(texture.getImage()->getPixel(texture.getWidth() - 1, texture.getHeight() - 1).a, 255);
}

// A CMYK picture with a CMYK mask, as other tools write them: its own
// colour where the mask is white, the background where it is black.
TEST_F(GLTextureTest, CmykJpegWithACmykMaskDrawsItsColourThroughItsMask)
{
    ::testing::internal::CaptureStdout();
    GLTexture texture(fixture("cmyk.jpg"));
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
    drawOverRed(texture, 100, 100);
    EXPECT_TRUE(nearRgb(kRed, window->readPixel(100 + 8, 100 + 16), 4));
    EXPECT_TRUE(nearRgb(Color(200, 40, 40), window->readPixel(100 + 24, 100 + 16), 4));
    EXPECT_EQ(texture.getImage()->getPixel(24, 16).a, 255);
}

TEST_F(GLTextureTest, KeepAlphaOnlyKeepsTheMaskAlphas)
{
    GLTexture full(fixture("room.jpg"));
    GLTexture reduced(fixture("room.jpg"), nullptr, GLTexture::KeepAlphaOnly);
    GLTexture reducedLater(fixture("room.jpg"));
    reducedLater.keepAlphaOnly();

    for (GLTexture* texture : {&reduced, &reducedLater}) {
        auto* alpha = dynamic_cast<MinimalSurfaceImage*>(texture->getImage());
        ASSERT_NE(alpha, nullptr);
        ASSERT_EQ(alpha->getWidth(), full.getImage()->getWidth());
        ASSERT_EQ(alpha->getHeight(), full.getImage()->getHeight());
        for (int y = 0; y < alpha->getHeight(); ++y)
            for (int x = 0; x < alpha->getWidth(); ++x)
                ASSERT_EQ(alpha->getPixel(x, y).a, full.getImage()->getPixel(x, y).a) << x << "," << y;
        EXPECT_TRUE(alpha->isTransparentAt(8, 16));
        EXPECT_FALSE(alpha->isTransparentAt(56, 16));
    }
}

TEST_F(GLTextureTest, KeepAlphaOnlyKeepsThePngAlphas)
{
    GLTexture texture(fixture("tex300x200.png"));
    texture.keepAlphaOnly();
    auto* alpha = dynamic_cast<MinimalSurfaceImage*>(texture.getImage());
    ASSERT_NE(alpha, nullptr);
    EXPECT_EQ(alpha->getWidth(), 512);

    SDLSurfaceImage decoded(fixture("tex300x200.png"));
    for (int y = 0; y < 200; y += 7)
        for (int x = 0; x < 300; x += 3)
            ASSERT_EQ(alpha->getPixel(x, y).a, decoded.getPixel(x, y).a) << x << "," << y;
    // The widening margin is transparent; beyond the image nothing is.
    EXPECT_TRUE(alpha->isTransparentAt(400, 10));
    EXPECT_TRUE(alpha->isTransparentAt(10, 230));
    EXPECT_FALSE(alpha->isTransparentAt(600, 10));
}

TEST_F(GLTextureTest, ReleaseAndUploadRestoreThePictureUnderANewName)
{
    GLTexture texture(fixture("room.jpg"));
    const uint32_t first = texture.getGLName();
    ASSERT_TRUE(glIsTexture(first));

    texture.releaseGpu();
    EXPECT_FALSE(glIsTexture(first));
    EXPECT_EQ(texture.getGLName(), static_cast<uint32_t>(-1));
    ASSERT_NE(texture.getImage(), nullptr);

    texture.upload();
    EXPECT_TRUE(glIsTexture(texture.getGLName()));
    EXPECT_EQ(texture.getWidth(), 64);
    EXPECT_EQ(texture.getTextureWidth(), 64);
    expectMaskedRoom(texture, roomPictureColour());
}

TEST_F(GLTextureTest, UploadAfterReductionDecodesTheFileAgain)
{
    const Color right = roomPictureColour();
    GLTexture alphaOnly(fixture("room.jpg"), nullptr, GLTexture::KeepAlphaOnly);
    alphaOnly.releaseGpu();
    alphaOnly.upload();
    expectMaskedRoom(alphaOnly, right);
    EXPECT_NE(dynamic_cast<MinimalSurfaceImage*>(alphaOnly.getImage()), nullptr);
    EXPECT_TRUE(alphaOnly.getImage()->isTransparentAt(8, 16));

    GLTexture dropped(fixture("room.jpg"), nullptr, GLTexture::DropImage);
    EXPECT_EQ(dropped.getImage(), nullptr);
    dropped.releaseGpu();
    dropped.upload();
    expectMaskedRoom(dropped, right);
    EXPECT_EQ(dropped.getImage(), nullptr);

    // The filter runs again on the decoded picture.
    SilhouetteImageFilter silhouette;
    GLTexture white(fixture("room.jpg"), &silhouette, GLTexture::KeepAlphaOnly);
    white.releaseGpu();
    white.upload();
    expectMaskedRoom(white, Color::white());
}

TEST_F(GLTextureTest, UnreadableFilesGiveOneTransparentPixelAndOneErrorLine)
{
    const int before = GLTexture::liveCount();
    // The last two are larger than the largest texture: refused from their
    // headers, before anything is decoded.
    for (const std::string& path : {fixture("no_such_picture.png"), fixture("truncated.png"),
                                     fixture("notanimage.png"), fixture("huge_bilevel.png"),
                                     fixture("claims_huge.jpg")}) {
        const int errorsBefore = errorCount();
        ::testing::internal::CaptureStdout();
        auto texture = std::make_unique<GLTexture>(path);
        const std::string out = ::testing::internal::GetCapturedStdout();
        EXPECT_EQ(out.rfind("error: GLTexture: cannot load " + path + ": ", 0), 0u) << out;
        EXPECT_EQ(lineCount(out), 1) << out;
        EXPECT_EQ(errorCount(), errorsBefore + 1);
        EXPECT_EQ(GLTexture::liveCount(), before + 1);
        EXPECT_EQ(texture->getWidth(), 1);
        EXPECT_EQ(texture->getHeight(), 1);
        EXPECT_EQ(texture->getTextureWidth(), 1);
        EXPECT_EQ(texture->getTextureHeight(), 1);
        ASSERT_NE(texture->getImage(), nullptr);
        EXPECT_TRUE(texture->getImage()->isTransparentAt(0, 0));

        drawOverRed(*texture, 50, 50);
        EXPECT_TRUE(nearRgb(kRed, window->readPixel(50, 50), 0));

        texture->releaseGpu();
        texture->upload();
        texture->keepAlphaOnly();
        texture->releaseGpu();
        texture->upload();
        EXPECT_EQ(texture->getWidth(), 1);
        texture.reset();
        EXPECT_EQ(GLTexture::liveCount(), before);
    }
}

TEST_F(GLTextureTest, InMemoryImageKeepsItsAlphaValues)
{
    auto* image = new SDLSurfaceImage(3, 2);
    image->setPixel(0, 0, Color(10, 20, 30, 128));
    image->setPixel(2, 1, Color(200, 100, 50, 255));
    GLTexture texture(image);
    EXPECT_EQ(texture.getWidth(), 3);
    EXPECT_EQ(texture.getHeight(), 2);
    EXPECT_EQ(texture.getTextureWidth(), 4);
    EXPECT_EQ(texture.getTextureHeight(), 2);
    ASSERT_NE(texture.getImage(), nullptr);
    EXPECT_EQ(texture.getImage()->getPixel(0, 0), Color(10, 20, 30, 128));
    EXPECT_EQ(texture.getImage()->getPixel(2, 1), Color(200, 100, 50, 255));
    EXPECT_TRUE(texture.getImage()->isTransparentAt(3, 0));

    auto* glyphs = new SDLSurfaceImage(2, 1);
    glyphs->setPixel(0, 0, Color::white());
    IntensityAsAlphaImageFilter intensity;
    GLTexture page(glyphs, &intensity);
    EXPECT_EQ(page.getImage()->getPixel(0, 0), Color(255, 255, 255, 254));
    EXPECT_EQ(page.getImage()->getPixel(1, 0), Color(255, 255, 255, 0));

    ::testing::internal::CaptureStdout();
    GLTexture nothing(static_cast<SDLSurfaceImage*>(nullptr));
    const std::string out = ::testing::internal::GetCapturedStdout();
    EXPECT_EQ(lineCount(out), 1) << out;
    EXPECT_EQ(nothing.getWidth(), 1);
    EXPECT_TRUE(glIsTexture(nothing.getGLName()));
}

TEST_F(GLTextureTest, InMemoryImageUploadedWhenUsedGoesToTheGpuOnceFilled)
{
    GLTexture page(new SDLSurfaceImage(3, 2), nullptr, GLTexture::KeepImage, GLTexture::UploadWhenUsed);
    EXPECT_EQ(page.getWidth(), 3);
    EXPECT_EQ(page.getTextureWidth(), 4);
    EXPECT_EQ(page.getTextureHeight(), 2);
    EXPECT_EQ(page.getGLName(), static_cast<uint32_t>(-1));
    page.getImage()->setPixel(1, 1, Color(200, 100, 50, 255));
    page.upload();
    ASSERT_TRUE(glIsTexture(page.getGLName()));
    page.bind();
    uint8_t texels[4 * 2 * 4] = {};
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels);
    const uint8_t* filled = texels + (1 * 4 + 1) * 4;
    EXPECT_EQ(filled[0], 200);
    EXPECT_EQ(filled[2], 50);

    // Filled again (a page turned): the same texture takes the new pixels.
    const uint32_t name = page.getGLName();
    page.getImage()->setPixel(1, 1, Color(10, 20, 30, 255));
    page.upload();
    EXPECT_EQ(page.getGLName(), name);
    page.bind();
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels);
    EXPECT_EQ(filled[0], 10);
    EXPECT_EQ(filled[2], 30);

    // Drawn before anything was put in: uploaded then, as it stands.
    GLTexture blank(new SDLSurfaceImage(2, 2), nullptr, GLTexture::KeepImage, GLTexture::UploadWhenUsed);
    blank.bind();
    EXPECT_TRUE(glIsTexture(blank.getGLName()));
}

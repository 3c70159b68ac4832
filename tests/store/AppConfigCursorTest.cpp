// Cursor selection with a real GL context: the texture handed to the
// application is the image at cursor folder + imageFile.
#include "engine/store/AppConfig.h"
#include "tests/store/FakeApp.h"
#include "tests/support/GLTestWindow.h"
#include "tests/support/TempFolder.h"

#include <SDL.h>
#include <gtest/gtest.h>

namespace {

// Writes a w x h BMP picture into the folder.
void writePicture(TempFolder& tmp, const std::string& name, int w, int h)
{
    const std::string path = tmp.write(name, "");
    SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 32, 0xff, 0xff00, 0xff0000, 0xff000000);
    ASSERT_NE(s, nullptr);
    SDL_FillRect(s, nullptr, 0xff0000ffu);
    ASSERT_EQ(SDL_SaveBMP(s, path.c_str()), 0) << SDL_GetError();
    SDL_FreeSurface(s);
}

} // namespace

TEST(AppConfigCursor, SelectedCursorReachesTheApplication)
{
    GLTestWindow window;
    ASSERT_TRUE(window.ok()) << window.error();
    AppConfig::destroyInstance();
    TempFolder tmp;
    writePicture(tmp, "arrow.bmp", 2, 2);
    writePicture(tmp, "hand.bmp", 3, 5);
    const std::string config = tmp.write("config.xml", "<Config><MouseCursors folder=\"" + tmp.path() + "/\">"
                                                       "<Cursor id=\"1\" imageFile=\"arrow.bmp\"/>"
                                                       "<Cursor id=\"2\" imageFile=\"hand.bmp\"/>"
                                                       "</MouseCursors></Config>");
    AppConfig& c = AppConfig::getInstance();
    ASSERT_TRUE(c.readConfig(config));
    {
        FakeApp app;
        const int liveBefore = GLTexture::liveCount();

        ASSERT_TRUE(c.selectCursor(1));
        EXPECT_EQ(c.getCurrentCursor(), 1);
        ASSERT_NE(app.cursor, nullptr);
        EXPECT_EQ(app.cursor->getPath(), tmp.path() + "/hand.bmp");
        EXPECT_EQ(app.cursor->getWidth(), 3);
        EXPECT_EQ(app.cursor->getHeight(), 5);

        // Selecting again gives a fresh texture; the application deleted the old one.
        const GLTexture* first = app.cursor.get();
        ASSERT_TRUE(c.reselectCursor());
        EXPECT_EQ(app.cursorCalls, 2);
        EXPECT_NE(app.cursor.get(), first);
        EXPECT_EQ(app.cursor->getPath(), tmp.path() + "/hand.bmp");
        EXPECT_EQ(GLTexture::liveCount(), liveBefore + 1);

        EXPECT_FALSE(c.selectCursor(2));
        EXPECT_FALSE(c.selectCursor(-1));
        EXPECT_EQ(c.getCurrentCursor(), 1);
        EXPECT_EQ(app.cursorCalls, 2);

        // A new read forgets the choice, so nothing is re-selected after it.
        ASSERT_TRUE(c.readConfig(config));
        EXPECT_EQ(c.getCurrentCursor(), -1);
        EXPECT_FALSE(c.reselectCursor());
        EXPECT_EQ(app.cursorCalls, 2);
    }
    AppConfig::destroyInstance();
}

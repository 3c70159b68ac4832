// Screenshots and the software cursor through the headless driver: F8's file
// name and pixels, the capture of the frame just drawn, the pointer tracked
// from pushed motion.
#include "engine/core/StringUtils.h"
#include "engine/gfx/GLTexture.h"
#include "engine/res/ResourceManager.h"
#include "engine/store/AppConfig.h"
#include "tests/app/DrivenAppTest.h"
#include "tests/support/FileSizeLimit.h"

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

const Color kRed(200, 40, 40);
const Color kBlue(0, 0, 255);

class Screenshots : public DrivenAppTest {
protected:
    void SetUp() override
    {
        DrivenAppTest::SetUp();
        // A save folder of its own: window tests run in parallel.
        saveFolder = "ScreenshotTest-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name());
        const std::string config = scratchFolder(saveFolder + "-config") + "/config.xml";
        std::ofstream(config) << "<Config><Savegame folder=\"" << saveFolder << "\" filename=\"x.sav\"/></Config>\n";
        ASSERT_TRUE(AppConfig::getInstance().readConfig(config));
        shots = scratchFolder(saveFolder) + "/ScreenShots/";
    }

    void TearDown() override
    {
        DrivenAppTest::TearDown();
        AppConfig::destroyInstance();
    }

    void seed(int n)
    {
        fs::create_directories(shots);
        std::ofstream(shots + "ScrShot" + std::to_string(n) + ".bmp") << "seed";
    }

    std::string saveFolder;
    std::string shots;
};

size_t openDescriptors()
{
    size_t n = 0;
    for (const auto& entry : fs::directory_iterator("/proc/self/fd")) {
        (void)entry;
        ++n;
    }
    return n;
}

} // namespace

TEST_F(Screenshots, ShiftF8WritesTheNextFreeNumberUpright)
{
    ASSERT_NO_FATAL_FAILURE(startApp());
    ProbeScreen* a = showProbe("A");
    a->setFill(kRed);
    a->addRect(0, 0, 10, 10, kBlue);
    seed(1);
    seed(2);
    seed(3);
    run("step 2\nkey shift+F8\nstep\n");

    EXPECT_FALSE(fs::exists(shots + "ScrShot0.bmp"));
    EXPECT_FALSE(fs::exists(shots + "ScrShot5.bmp"));
    BmpImage bmp(shots + "ScrShot4.bmp");
    ASSERT_TRUE(bmp.ok()) << "no ScrShot4.bmp in " << shots << "\n" << LOG_TEXT;
    EXPECT_EQ(bmp.width(), 1024);
    EXPECT_EQ(bmp.height(), 768);
    EXPECT_EQ(bmp.at(5, 5), kBlue) << describe(bmp.at(5, 5));
    EXPECT_TRUE(near(bmp.at(500, 500), kRed)) << describe(bmp.at(500, 500));
    // Upright: the square is at the top, not at the bottom-left.
    EXPECT_TRUE(near(bmp.at(5, 762), kRed)) << describe(bmp.at(5, 762));
    EXPECT_TRUE(near(bmp.at(15, 5), kRed)) << describe(bmp.at(15, 5));
    // The screens received the zero record of a hot key.
    EXPECT_GE(log().find("A key 0 0 0 0 mods 0"), 0) << LOG_TEXT;

    // The next one takes the next number.
    run("key F8\nstep\n");
    EXPECT_TRUE(fs::exists(shots + "ScrShot5.bmp"));
}

TEST_F(Screenshots, HoldingF8WritesOneScreenshotPerPress)
{
    ASSERT_NO_FATAL_FAILURE(startApp());
    showProbe("A");
    // Key repeat sends the key-down of a held key again and again.
    run("keydown F8\nstep\nkeydown F8\nstep\nkeydown shift+F8\nstep\nkeyup F8\nstep\n"
        "keydown F8\nkeydown F8\nstep\n"
        // A release made while another window has the focus is never heard.
        "focus lost\nstep\nfocus gained\nstep\nkeydown F8\nstep\n");
    EXPECT_TRUE(fs::exists(shots + "ScrShot1.bmp"));
    EXPECT_TRUE(fs::exists(shots + "ScrShot2.bmp"));
    EXPECT_TRUE(fs::exists(shots + "ScrShot3.bmp"));
    EXPECT_FALSE(fs::exists(shots + "ScrShot4.bmp"));
}

TEST_F(Screenshots, TheCaptureIsTheFrameDrawnInTheFrameOfTheKey)
{
    ASSERT_NO_FATAL_FAILURE(startApp());
    ProbeScreen* a = showProbe("A");
    // Every frame draws its own colour, so a capture of the previous frame
    // (or of the buffer after the swap) shows the wrong one.
    a->onUpdateAction = [this](ProbeScreen& self) {
        self.setFill(Color(static_cast<uint8_t>(driver.frame() * 20), 100, 50));
    };
    run("step 3\nkey F8\nstep\nstep\n");
    BmpImage bmp(shots + "ScrShot1.bmp");
    ASSERT_TRUE(bmp.ok()) << LOG_TEXT;
    EXPECT_EQ(bmp.at(512, 384), Color(80, 100, 50)) << describe(bmp.at(512, 384));

    // The driver's own capture obeys the same rule.
    const std::string path = shots + "driver-shot.bmp";
    run("shot \"" + path + "\"\n");
    BmpImage own(path);
    ASSERT_TRUE(own.ok());
    EXPECT_EQ(own.at(512, 384), Color(120, 100, 50)) << describe(own.at(512, 384));
}

TEST_F(Screenshots, NoFreeNumberWritesNothingAndHoldsNoFiles)
{
    ASSERT_NO_FATAL_FAILURE(startApp());
    showProbe("A")->setFill(kRed);
    fs::create_directories(shots);
    for (int i = 1; i <= 9998; ++i)
        std::ofstream(shots + "ScrShot" + std::to_string(i) + ".bmp");
    const size_t before = openDescriptors();
    run("key F8\nstep\n");
    EXPECT_EQ(openDescriptors(), before);
    EXPECT_FALSE(fs::exists(shots + "ScrShot0.bmp"));
    EXPECT_FALSE(fs::exists(shots + "ScrShot9999.bmp"));
    EXPECT_EQ(fs::file_size(shots + "ScrShot9998.bmp"), 0u);
    EXPECT_TRUE(driver.isRunning());

    // With one number free again, that one is taken.
    fs::remove(shots + "ScrShot4711.bmp");
    run("key F8\nstep\n");
    EXPECT_TRUE(BmpImage(shots + "ScrShot4711.bmp").ok());
}

TEST_F(Screenshots, AScreenshotThatCannotBeWrittenWholeIsRemoved)
{
    ASSERT_NO_FATAL_FAILURE(startApp());
    showProbe("A")->setFill(kRed);
    seed(1);
    // As on a nearly full disk: the frame (2.3 MB) stops at 64 KB. What was
    // written would only take the space the next save needs.
    {
        FileSizeLimit limit(65536);
        run("key F8\nstep\n");
    }
    EXPECT_FALSE(fs::exists(shots + "ScrShot2.bmp")) << fs::file_size(shots + "ScrShot2.bmp") << " bytes left";
    EXPECT_TRUE(driver.isRunning());
    // The driver's capture takes the same road, and says it failed.
    {
        FileSizeLimit limit(65536);
        EXPECT_FALSE(driver.shot(shots + "driver-shot.bmp"));
    }
    EXPECT_FALSE(fs::exists(shots + "driver-shot.bmp"));

    // With room again, the number is taken by a complete screenshot.
    run("key F8\nstep\n");
    EXPECT_EQ(fs::file_size(shots + "ScrShot2.bmp"), 54u + 1024u * 3u * 768u);
    EXPECT_TRUE(BmpImage(shots + "ScrShot2.bmp").ok());
}

TEST_F(Screenshots, TheSoftwareCursorIsDrawnWhereMotionEventsPutThePointer)
{
    ASSERT_NO_FATAL_FAILURE(startApp());
    showProbe("A")->setFill(kRed);
    const Color yellow(250, 240, 0);
    app->setCursorImage(solidTexture(16, 16, yellow));
    const std::string path = shots + "cursor.bmp";
    fs::create_directories(shots);

    // Pushed events do not move SDL's own pointer state; the cursor follows
    // the events anyway.
    run("mouse move 300 300\nshot \"" + path + "\"\n");
    {
        BmpImage bmp(path);
        ASSERT_TRUE(bmp.ok());
        EXPECT_EQ(bmp.at(300, 300), yellow) << describe(bmp.at(300, 300));
        EXPECT_EQ(bmp.at(315, 315), yellow) << describe(bmp.at(315, 315));
        EXPECT_TRUE(near(bmp.at(299, 299), kRed)) << describe(bmp.at(299, 299));
        EXPECT_TRUE(near(bmp.at(316, 300), kRed)) << describe(bmp.at(316, 300));
    }

    app->hideSoftwareCursor();
    run("shot \"" + path + "\"\n");
    EXPECT_TRUE(near(BmpImage(path).at(305, 305), kRed));

    app->showSoftwareCursor();
    app->setCursorImage(nullptr);  // no image: nothing drawn
    run("shot \"" + path + "\"\n");
    EXPECT_TRUE(near(BmpImage(path).at(305, 305), kRed));
}

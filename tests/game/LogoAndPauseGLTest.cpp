// The logo sequence over logo lists of every kind, and what the pause screen
// draws, on the running game application.
#include "engine/store/AppConfig.h"
#include "frontend/MainMenu.h"
#include "game/GlobalGamePauseScreen.h"
#include "game/LogoSeqManager.h"
#include "tests/app/BmpImage.h"
#include "tests/app/ProbeScreen.h"
#include "tests/quillendar/GameAppTestSupport.h"

#include <algorithm>

namespace {

using PauseScreen = GameAppTest;

// A logo screen that counts its deletions.
class CountedLogo : public LogoSeqManager {
public:
    explicit CountedLogo(int& deletions) : deleted(deletions) {}
    ~CountedLogo() override { ++deleted; }

private:
    int& deleted;
};

} // namespace

class LogoSequenceTest : public GameAppTest {
protected:
    // Starts the game, then replaces the configuration's logo list by
    // `screens` (XML <Screen> elements) and the stack by a new counted logo
    // sequence.
    void startWithLogos(const std::string& screens)
    {
        ASSERT_NO_FATAL_FAILURE(startGame());
        const std::string config = appData + "/logos.xml";
        writeFile(config, "<Config><Savegame folder=\"Quillendar\" filename=\"save.dat\"/><LogoScreens>" +
                              screens + "</LogoScreens></Config>");
        AppConfig::destroyInstance();
        ASSERT_TRUE(AppConfig::getInstance().readConfig(config));
        while (app->topScreen())
            app->popScreen();
        logo = new CountedLogo(deletions);
        app->showScreen(logo);
    }

    int deletions = 0;
    CountedLogo* logo = nullptr;  // owned by the stack
};

TEST_F(LogoSequenceTest, AnImageLogoShowsForItsTimeThenTheSequenceMovesOn)
{
    ASSERT_NO_FATAL_FAILURE(startWithLogos(
        "<Screen type=\"IMAGE\" folder=\"content/animations/logo/\" filename=\"Logo.jpg\"/>"
        "<Screen type=\"VIDEO\" folder=\"content/\" filename=\"intro.avi\"/>"
        "<Screen type=\"ANIMATION\" folder=\"content/animations/logo/\" filename=\"Missing.xml\"/>"
        "<Screen type=\"ANIMATION\" folder=\"content/animations/logo/\" filename=\"Logo.xml\"/>"));
    EXPECT_EQ(logo->currentIndex(), 0);

    // The picture is on screen (its red top-left corner, its dark centre
    // band), not a black frame.
    const std::string shot = appData + "/image_logo.bmp";
    ASSERT_TRUE(driver.shot(shot));
    BmpImage image(shot);
    ASSERT_TRUE(image.ok());
    EXPECT_GT(image.at(4, 4).r, 200) << describe(image.at(4, 4));
    EXPECT_LT(image.at(4, 4).g, 80) << describe(image.at(4, 4));

    // 3000 ms at 10 ms a frame (one frame is already gone).
    ASSERT_TRUE(driver.step(298));
    EXPECT_EQ(logo->currentIndex(), 0);
    ASSERT_TRUE(driver.step(2));
    // The unknown type and the missing file are skipped: the animation plays.
    EXPECT_EQ(logo->currentIndex(), 3);
    EXPECT_EQ(app->topScreen(), logo);

    EXPECT_TRUE(stepUntil([this]() { return topAs<MainMenu>() != nullptr; }, 300));
    EXPECT_EQ(deletions, 1);
    EXPECT_EQ(app->getScreens().size(), 1u);
}

TEST_F(LogoSequenceTest, ALogoListOfNothingShowableGoesStraightToTheStartScreen)
{
    ASSERT_NO_FATAL_FAILURE(startWithLogos(
        "<Screen type=\"VIDEO\" folder=\"content/\" filename=\"intro.avi\"/>"
        "<Screen type=\"ANIMATION\" folder=\"content/\" filename=\"Missing.xml\"/>"));
    EXPECT_EQ(logo->currentIndex(), 2);
    ASSERT_TRUE(driver.step(2));
    EXPECT_EQ(deletions, 1);
    EXPECT_NE(topAs<MainMenu>(), nullptr);
    EXPECT_EQ(app->getScreens().size(), 1u);
}

TEST_F(PauseScreen, ItDimsEverythingAndWritesThePauseLabelInWhite)
{
    ASSERT_NO_FATAL_FAILURE(startGame());
    while (app->topScreen())
        app->popScreen();
    ProbeScreen* white = new ProbeScreen("white", driver.log());
    white->setFill(Color::white());
    app->showScreen(white);
    ASSERT_TRUE(driver.step(2));
    app->onFocusLost();
    ASSERT_NE(topAs<GlobalGamePauseScreen>(), nullptr);

    const std::string shot = appData + "/pause.bmp";
    ASSERT_TRUE(driver.shot(shot));
    BmpImage image(shot);
    ASSERT_TRUE(image.ok());
    // White under black at alpha 200: 255 * 55 / 255.
    for (Point p : {Point(0, 0), Point(1023, 767), Point(100, 384)})
        EXPECT_TRUE(near(image.at(p.x, p.y), Color(55, 55, 55), 1)) << describe(image.at(p.x, p.y));
    // The label, centred: white glyph pixels on the middle rows only.
    int centreWhite = 0;
    int firstX = 1024;
    int lastX = -1;
    for (int y = 370; y < 398; ++y)
        for (int x = 0; x < 1024; ++x)
            if (image.at(x, y).r > 240) {
                ++centreWhite;
                firstX = std::min(firstX, x);
                lastX = std::max(lastX, x);
            }
    EXPECT_GT(centreWhite, 50);
    EXPECT_NEAR((firstX + lastX) / 2, 512, 8);
    int topWhite = 0;
    for (int x = 0; x < 1024; ++x)
        if (image.at(x, 200).r > 240)
            ++topWhite;
    EXPECT_EQ(topWhite, 0);

    app->onFocusGained();
    EXPECT_EQ(app->topScreen(), white);
    const std::string after = appData + "/after.bmp";
    ASSERT_TRUE(driver.shot(after));
    BmpImage clear(after);
    EXPECT_TRUE(near(clear.at(0, 0), Color::white(), 1)) << describe(clear.at(0, 0));
}

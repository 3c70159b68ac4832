#include "engine/core/Log.h"
#include "engine/store/AppConfig.h"
#include "tests/store/FakeApp.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

const char* const fullConfig =
    "<?xml version=\"1.0\" ?>\r\n<Config>\r\n"
    "  <Application><ScreenResolution width=\"1280\" height=\"800\" bitDepth=\"16\"/>\r\n"
    "    <WindowCaption name=\"The Test Game\"/></Application>\r\n"
    "  <Savegame folder=\"Studio/Game\" filename=\"save.dat\"/>\r\n"
    "  <Language active=\"DE\" labels=\"content/labels/de.xml\"/>\r\n"
    "  <LogoScreens><Screen type=\"anim\" folder=\"logos/a/\" filename=\"first.xml\"/>\r\n"
    "    <Screen type=\"image\" folder=\"logos/b/\" filename=\"second.jpg\"/></LogoScreens>\r\n"
    "  <MouseCursors folder=\"content/cur\"><Cursor id=\"7\" imageFile=\"arrow.png\"/>\r\n"
    "    <Cursor id=\"9\" imageFile=\"_hand.png\"/></MouseCursors>\r\n"
    "  <Volume soundVolume=\"128\" musicVolume=\"20\"/>\r\n"
    "</Config>\r\n";

class AppConfigTest : public testing::Test {
protected:
    void SetUp() override { AppConfig::destroyInstance(); }
    void TearDown() override { AppConfig::destroyInstance(); }

    // Reads the file; `output` receives what was printed.
    bool read(const std::string& path, std::string* output = nullptr)
    {
        testing::internal::CaptureStdout();
        const bool ok = config().readConfig(path);
        const std::string out = testing::internal::GetCapturedStdout();
        if (output)
            *output = out;
        return ok;
    }
    bool readText(const std::string& text) { return read(tmp.write("config.xml", text)); }
    static AppConfig& config() { return AppConfig::getInstance(); }

    static void expectFullConfig()
    {
        const AppConfig& c = config();
        EXPECT_EQ(c.getWidth(), 1280);
        EXPECT_EQ(c.getHeight(), 800);
        EXPECT_EQ(c.getBitDepth(), 16);
        EXPECT_EQ(c.getCaption(), "The Test Game");
        EXPECT_EQ(c.getSaveFolder(), "Studio/Game");
        EXPECT_EQ(c.getSaveFileName(), "save.dat");
        EXPECT_EQ(c.getLanguage(), "DE");
        EXPECT_EQ(c.getLabelsFile(), "content/labels/de.xml");
        EXPECT_EQ(c.getSoundVolume(), 128);  // the mixer's scale, unchanged
        EXPECT_EQ(c.getMusicVolume(), 20);
        EXPECT_EQ(c.getCurrentCursor(), -1);
        ASSERT_EQ(c.getLogoScreens().size(), 2u);
        EXPECT_EQ(c.getLogoScreens()[0].type, "anim");
        EXPECT_EQ(c.getLogoScreens()[0].folder, "logos/a/");
        EXPECT_EQ(c.getLogoScreens()[1].filename, "second.jpg");
        ASSERT_EQ(c.getCursors().size(), 2u);
        EXPECT_EQ(c.getCursors()[1].id, 9);
        EXPECT_EQ(c.getCursorFolder(), "content/cur");
        EXPECT_EQ(c.getCursorImagePath(0), "content/curarrow.png");  // no separator added
        EXPECT_EQ(c.getCursorImagePath(1), "content/cur_hand.png");
        EXPECT_EQ(c.getCursorImagePath(2), "");
        EXPECT_EQ(c.getCursorImagePath(-1), "");
    }

    static void expectDefaults()
    {
        const AppConfig& c = config();
        EXPECT_EQ(c.getWidth(), 1024);
        EXPECT_EQ(c.getHeight(), 768);
        EXPECT_EQ(c.getBitDepth(), 32);
        EXPECT_EQ(c.getSoundVolume(), 75);
        EXPECT_EQ(c.getMusicVolume(), 50);
        EXPECT_EQ(c.getCaption(), "");
        EXPECT_EQ(c.getSaveFolder(), "");
        EXPECT_EQ(c.getLabelsFile(), "");
        EXPECT_EQ(c.getCurrentCursor(), -1);
        EXPECT_TRUE(c.getLogoScreens().empty());
        EXPECT_TRUE(c.getCursors().empty());
    }

    TempFolder tmp;
};

} // namespace

TEST_F(AppConfigTest, ReadsEveryFieldAndDestroyingBringsBackTheDefaults)
{
    expectDefaults();
    std::string out;
    ASSERT_TRUE(read(tmp.write("config.xml", fullConfig), &out)) << out;
    EXPECT_EQ(out, "");
    expectFullConfig();
    AppConfig::destroyInstance();
    expectDefaults();
}

TEST_F(AppConfigTest, NumbersReadLikeAtoiAndMissingAttributesAsEmpty)
{
    ASSERT_TRUE(readText("<Config><Volume soundVolume=\"60\" musicVolume=\"abc\"/>"
                         "<Application><ScreenResolution width=\" 1280px\" height=\"1024\" bitDepth=\"24.9\"/>"
                         "<WindowCaption/></Application>"
                         "<Language active=\"EN\"/><MouseCursors><Cursor imageFile=\"a.png\"/></MouseCursors></Config>"));
    const AppConfig& c = config();
    EXPECT_EQ(c.getSoundVolume(), 60);
    EXPECT_EQ(c.getMusicVolume(), 0);
    EXPECT_EQ(c.getWidth(), 1280);
    EXPECT_EQ(c.getHeight(), 1024);
    EXPECT_EQ(c.getBitDepth(), 24);
    EXPECT_EQ(c.getCaption(), "");
    EXPECT_EQ(c.getLanguage(), "EN");
    EXPECT_EQ(c.getLabelsFile(), "");
    ASSERT_EQ(c.getCursors().size(), 1u);
    EXPECT_EQ(c.getCursors()[0].id, 0);
    EXPECT_EQ(c.getCursorImagePath(0), "a.png");
}

TEST_F(AppConfigTest, AbsentElementsKeepTheirValuesAndListsGrow)
{
    ASSERT_TRUE(readText("<Config><Savegame folder=\"Saves\" filename=\"s.dat\"/></Config>"));
    EXPECT_EQ(config().getSaveFolder(), "Saves");
    EXPECT_EQ(config().getSoundVolume(), 75);  // no Volume: the defaults
    EXPECT_EQ(config().getMusicVolume(), 50);
    EXPECT_EQ(config().getWidth(), 1024);      // no ScreenResolution: 1024 x 768 x 32
    EXPECT_EQ(config().getHeight(), 768);
    EXPECT_EQ(config().getBitDepth(), 32);

    ASSERT_TRUE(readText(fullConfig));
    ASSERT_TRUE(readText("<Config><Language active=\"FR\" labels=\"fr.xml\"/>"
                         "<MouseCursors folder=\"c/\"><Cursor id=\"1\" imageFile=\"x.png\"/></MouseCursors></Config>"));
    EXPECT_EQ(config().getLanguage(), "FR");
    EXPECT_EQ(config().getCaption(), "The Test Game");
    EXPECT_EQ(config().getSoundVolume(), 128);
    EXPECT_EQ(config().getLogoScreens().size(), 2u);
    ASSERT_EQ(config().getCursors().size(), 3u);
    EXPECT_EQ(config().getCursorImagePath(2), "c/x.png");
}

TEST_F(AppConfigTest, FailedReadsChangeNothingAndNameTheFile)
{
    EXPECT_FALSE(readText("<Config><Volume soundVolume=\"1\"></Config>"));
    expectDefaults();

    ASSERT_TRUE(readText(fullConfig));
    const std::string paths[] = {
        tmp.write("malformed.xml", "<Config>\n<Volume soundVolume=\"1\" musicVolume=\"2\">\n</Config>\n"),
        tmp.write("wrongroot.xml", "<Settings><Volume soundVolume=\"1\" musicVolume=\"2\"/></Settings>"),
        tmp.missing("absent.xml"),
    };
    for (const std::string& path : paths) {
        const int errorsBefore = errorCount();
        std::string out;
        EXPECT_FALSE(read(path, &out)) << path;
        EXPECT_EQ(errorCount(), errorsBefore + 1) << out;
        EXPECT_NE(out.find(path), std::string::npos) << out;
        expectFullConfig();
    }
}

TEST_F(AppConfigTest, AResolutionThatIsNoUsableWindowGivesTheDefaultWithOneLine)
{
    // 0x0, text, 1x1, below 1024x768, absurdly large, depths 8, none and 33.
    const char* const unusable[] = {"0 0 32", "wide tall 32", "1 1 32", "1023 768 32", "1024 767 32",
                                    "99999 99999 32", "8193 768 32", "1024 768 8", "1024 768 none", "1024 768 33"};
    for (const char* values : unusable) {
        ASSERT_TRUE(readText(fullConfig));
        char w[16] = "", h[16] = "", depth[16] = "";
        std::sscanf(values, "%15s %15s %15s", w, h, depth);
        const std::string path = tmp.write("window.xml", std::string("<Config><Application><ScreenResolution width=\"") +
                                                             w + "\" height=\"" + h + "\" bitDepth=\"" + depth +
                                                             "\"/></Application></Config>");
        const int errorsBefore = errorCount();
        std::string out;
        EXPECT_TRUE(read(path, &out)) << values;
        EXPECT_EQ(errorCount(), errorsBefore + 1) << values << "\n" << out;
        EXPECT_NE(out.find(path), std::string::npos) << out;
        EXPECT_EQ(config().getWidth(), 1024) << values;
        EXPECT_EQ(config().getHeight(), 768) << values;
        EXPECT_EQ(config().getBitDepth(), 32) << values;
    }
    EXPECT_TRUE(AppConfig::isUsableWindow(1024, 768, 16) && AppConfig::isUsableWindow(8192, 8192, 24));
}

TEST_F(AppConfigTest, DefaultsFillWhatTheFileLeftOutOrWouldLeadOutsideTheDataFolder)
{
    const AppConfigDefaults defaults{"Game", "Game", "save.dat", "EN", "labels.xml"};
    using Settings = std::vector<std::pair<std::string, std::string>>;
    EXPECT_EQ(config().applyDefaults(defaults),
              (Settings{{"caption", "Game"}, {"save folder", "Game"}, {"save file name", "save.dat"},
                        {"language", "EN"}, {"labels file", "labels.xml"}}));
    ASSERT_TRUE(readText(fullConfig));
    EXPECT_EQ(config().applyDefaults(defaults), Settings{});
    EXPECT_EQ(config().getSaveFolder(), "Studio/Game");

    const char* const outside[][3] = {{"../x", "s.dat", "save folder"}, {"/tmp", "s.dat", "save folder"},
                                      {"a/../..", "s.dat", "save folder"}, {"a", "../s.dat", "save file name"},
                                      {"a", "b/s.dat", "save file name"}, {"a", "..", "save file name"}};
    for (const auto& where : outside) {
        ASSERT_TRUE(readText(std::string("<Config><Savegame folder=\"") + where[0] + "\" filename=\"" + where[1] +
                             "\"/></Config>"));
        EXPECT_EQ(config().applyDefaults(defaults), (Settings{{where[2], where[2] == std::string("save folder") ? "Game" : "save.dat"}}))
            << where[0] << " " << where[1];
    }
}

TEST_F(AppConfigTest, SelectCursorRefusesWhenNothingCanBeShown)
{
    ASSERT_TRUE(readText("<Config><MouseCursors folder=\"" + tmp.path() + "/\">"
                         "<Cursor id=\"0\" imageFile=\"nothing-here.png\"/><Cursor id=\"1\" imageFile=\"b.png\"/>"
                         "</MouseCursors></Config>"));
    EXPECT_FALSE(config().selectCursor(0));  // no application installed

    FakeApp app;
    EXPECT_FALSE(config().selectCursor(2));
    EXPECT_FALSE(config().selectCursor(-1));
    EXPECT_FALSE(config().reselectCursor());  // none chosen yet
    const int errorsBefore = errorCount();
    testing::internal::CaptureStdout();
    EXPECT_FALSE(config().selectCursor(0));   // the image file is missing
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(errorCount(), errorsBefore + 1);
    EXPECT_NE(out.find(tmp.path() + "/nothing-here.png"), std::string::npos) << out;
    EXPECT_EQ(config().getCurrentCursor(), -1);
    EXPECT_EQ(app.cursorCalls, 0);
}

TEST_F(AppConfigTest, CenteringOffsetIsHalfTheWidthDifferenceTruncatedTowardZero)
{
    ASSERT_TRUE(readText(fullConfig));  // configured width 1280
    EXPECT_EQ(config().getCenteringOffset(), 0);  // no application

    FakeApp app(1280);
    EXPECT_EQ(config().getCenteringOffset(), 0);
    const int widths[][2] = {{1024, 128}, {1600, -160}, {1277, 1}, {1283, -1}};
    for (const auto& w : widths) {
        app.width = w[0];
        EXPECT_EQ(config().getCenteringOffset(), w[1]) << "window width " << w[0];
    }
}

// The game application's pieces that need no window: the build string and
// the start-up error line.
#include "quillendar/QuillendarApp.h"

#include <gtest/gtest.h>

#include <regex>

TEST(BuildVersion, IsTheDateAsYymmddAndOneSpace)
{
    EXPECT_EQ(QuillendarApp::versionStringFromDate("Sep 17 2010"), "100917 ");
    EXPECT_EQ(QuillendarApp::versionStringFromDate("Jan  5 2024"), "240105 ");
    EXPECT_EQ(QuillendarApp::versionStringFromDate("Dec 31 2099"), "991231 ");
    EXPECT_EQ(QuillendarApp::versionStringFromDate("Xyz  1 2020"), "200001 ");
    EXPECT_TRUE(std::regex_match(QuillendarApp::buildVersionString(), std::regex("[0-9]{6} ")))
        << QuillendarApp::buildVersionString();
}

TEST(StartupErrorLine, NamesTheBuildTheTimeAndTheFailure)
{
    const std::time_t when = 1700000000;
    std::string time = std::ctime(&when);
    time.pop_back();  // its line feed
    const std::string head = "Build " + QuillendarApp::buildVersionString() + " | " + time + " | ";
    EXPECT_EQ(QuillendarApp::errorLine(0, when),
              head + "Loading of SDL dynamically linked library and initialization of the subsystems failed.");
    EXPECT_EQ(QuillendarApp::errorLine(1, when), head + "Opening of the mixer with a certain audio format failed.");
    EXPECT_EQ(QuillendarApp::errorLine(2, when),
              head + "SDL_SetVideoMode(int width, int height, int bpp, Uint32 flags) failed.");
    EXPECT_EQ(QuillendarApp::errorLine(3, when), "");
    EXPECT_EQ(QuillendarApp::errorLine(-1, when), "");
    EXPECT_EQ(QuillendarApp::errorLine(0, when).find('\n'), std::string::npos);
}

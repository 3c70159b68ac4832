#pragma once
// Fixture of the window tests: a HeadlessDriver, then a DriverApp attached to
// it (destroyed in the opposite order). startApp opens the window and starts
// the driver; the test then pushes probe screens and runs scripts.
#include "tests/app/BmpImage.h"
#include "tests/app/ProbeScreen.h"
#include "tests/driver/DriverApp.h"
#include "tests/driver/HeadlessDriver.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>

class GLTexture;

class DrivenAppTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Opens the window and starts the driver; use with ASSERT_NO_FATAL_FAILURE.
    void startApp(int width = 1024, int height = 768);
    // A probe screen shown on the application (the stack owns it).
    ProbeScreen* showProbe(const std::string& name);
    // Runs the script and fails the test, with the log, when it stops.
    void run(const std::string& script);
    HookLog& log() { return driver.log(); }
    // A solid width x height texture (owned by the caller).
    static GLTexture* solidTexture(int width, int height, Color colour);
    // A fresh, empty folder under $APPDATA named after the test.
    std::string scratchFolder(const std::string& name);

    HeadlessDriver driver;
    std::unique_ptr<DriverApp> app;
};

// The log, for failure messages.
#define LOG_TEXT (::testing::Message() << "log:\n" << log().dump())

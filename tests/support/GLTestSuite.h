#pragma once
// Base fixtures of the test suites that draw through a real GL window (run
// them under Xvfb, scripts/with-xvfb.sh). A suite shares one 1024x768
// GLTestWindow, opened before its first test and closed after its last, and
// every test starts by asserting that the window opened. A suite that opens
// more (a mixer, a scratch folder) extends SetUpTestSuite/TearDownTestSuite
// and calls these; a SetUp of its own calls the base's first and returns
// when that failed (HasFatalFailure()).
#include "engine/gfx/GLGraphics.h"
#include "tests/support/GLTestWindow.h"

#include <gtest/gtest.h>

class GLTestSuite : public ::testing::Test {
public:
    // The window of the suite that runs; null between suites. Public so that
    // the helper functions beside a fixture can read pixels too.
    static inline GLTestWindow* window = nullptr;

protected:
    static void SetUpTestSuite() { window = new GLTestWindow(); }
    static void TearDownTestSuite()
    {
        delete window;
        window = nullptr;
    }
    void SetUp() override { ASSERT_TRUE(window->ok()) << window->error(); }
};

// With a GLGraphics renderer set up over the whole window before each test,
// which also clears the window to black.
class GLGraphicsTestSuite : public GLTestSuite {
protected:
    void SetUp() override
    {
        GLTestSuite::SetUp();
        if (HasFatalFailure())
            return;
        gfx.init(1024, 768, 1000);
    }

    GLGraphics gfx;
};

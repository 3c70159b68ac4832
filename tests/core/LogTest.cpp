// The log's once-a-run lines: a text repeated is printed the first time
// only, still counting as an error every time; other texts are not held
// back.
#include "engine/core/Log.h"

#include <gtest/gtest.h>

#include <string>

using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;

TEST(Log, ARepeatedLineIsPrintedOnceButCountedEachTime)
{
    const int before = errorCount();
    CaptureStdout();
    for (int i = 0; i < 3; ++i) {
        logErrorOnce("picture a.png is missing");
        logWarningOnce("key K is missing");
    }
    logErrorOnce("picture b.png is missing");
    // The same text as a warning and as an error are two lines.
    logWarningOnce("picture a.png is missing");
    logWarning("key K is missing");
    EXPECT_EQ(GetCapturedStdout(), "error: picture a.png is missing\n"
                                   "warning: key K is missing\n"
                                   "error: picture b.png is missing\n"
                                   "warning: picture a.png is missing\n"
                                   "warning: key K is missing\n");
    EXPECT_EQ(errorCount(), before + 4);
}

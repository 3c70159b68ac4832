#include "engine/core/MemoryLeakTracker.h"

#include <gtest/gtest.h>
#include <sstream>

TEST(MemoryLeakTracker, EmptyReportPrintsOnlyTheCleanLine)
{
    std::ostringstream out;
    MemoryLeakTracker::instance().reportLeaks(out);
    EXPECT_EQ(out.str(), "No memory leaks! Yeeeeej :)\n");
}

TEST(MemoryLeakTracker, ReportListsRecordsInOrderThenForgetsThem)
{
    int a = 0, b = 0;
    trackAllocation(&a, 16, "first.cpp", 10);
    trackAllocation(&b, 32, "second.cpp", 20);
    trackAllocation(&a, 8, "first.cpp", 11);
    untrackAllocation(&a);  // removes both records of &a
    EXPECT_EQ(MemoryLeakTracker::instance().count(), 1u);

    std::ostringstream out;
    MemoryLeakTracker::instance().reportLeaks(out);
    std::ostringstream expected;
    expected << "Detected memory leaks\n"
             << "Leak in, Filename: second.cpp line: 20 address: " << static_cast<const void*>(&b)
             << " size: 32\n";
    EXPECT_EQ(out.str(), expected.str());

    std::ostringstream again;
    MemoryLeakTracker::instance().reportLeaks(again);
    EXPECT_EQ(again.str(), "No memory leaks! Yeeeeej :)\n");
}

#pragma once
// The largest single heap allocation made while tracking is on: lets a test
// show that a huge count or length read from a file is refused before
// anything is allocated for it. A test program that uses this links the
// test_largest_allocation library, which replaces every form of the global
// operator new and delete (tests/support/CMakeLists.txt).
//
//   g_largestAllocation = 0;
//   g_trackAllocations = true;
//   ... the code under test ...
//   g_trackAllocations = false;
//   EXPECT_LT(g_largestAllocation.load(), limit);
#include <atomic>
#include <cstddef>

extern std::atomic<bool> g_trackAllocations;
extern std::atomic<std::size_t> g_largestAllocation;

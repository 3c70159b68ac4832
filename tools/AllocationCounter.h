#pragma once
// The count of C++ heap allocations made so far by the program (not counting
// those the GL driver makes for itself, counted apart), for the
// benchmarks' "no allocation per frame" figures. A program that uses it
// links the bench_allocation_counter object library, which replaces every
// form of the global operator new and delete (plain malloc and free
// underneath, each new counted).
#include <cstdint>

uint64_t heapAllocations();
uint64_t driverHeapAllocations();
// While on, each allocation's caller is placed to tell the driver's apart
// (slow: for measured frames only); while off, all count as the program's.
void placeAllocations(bool on);

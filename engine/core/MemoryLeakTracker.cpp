#include "engine/core/MemoryLeakTracker.h"

#include <algorithm>
#include <iostream>

MemoryLeakTracker& MemoryLeakTracker::instance()
{
    static MemoryLeakTracker tracker;
    return tracker;
}

void MemoryLeakTracker::trackAllocation(const void* address, int32_t size, const std::string& file, int32_t line)
{
    records.push_back(AllocationRecord{address, file, size, line});
}

void MemoryLeakTracker::untrackAllocation(const void* address)
{
    records.erase(std::remove_if(records.begin(), records.end(),
                                 [address](const AllocationRecord& r) { return r.address == address; }),
                  records.end());
}

void MemoryLeakTracker::reportLeaks(std::ostream& out)
{
    out << (records.empty() ? "No memory leaks! Yeeeeej :)" : "Detected memory leaks") << '\n';
    for (const AllocationRecord& r : records)
        out << "Leak in, Filename: " << r.file << " line: " << r.line << " address: " << r.address
            << " size: " << r.size << '\n';
    out.flush();
    records.clear();
}

void MemoryLeakTracker::reportLeaks()
{
    reportLeaks(std::cerr);
}

void trackAllocation(const void* address, int32_t size, const std::string& file, int32_t line)
{
    MemoryLeakTracker::instance().trackAllocation(address, size, file, line);
}

void untrackAllocation(const void* address)
{
    MemoryLeakTracker::instance().untrackAllocation(address);
}

void reportLeaks()
{
    MemoryLeakTracker::instance().reportLeaks();
}

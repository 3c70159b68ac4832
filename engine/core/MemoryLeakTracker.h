#pragma once
// A process-wide list of live allocations that code may register and
// unregister, and a report of what is still registered. The report goes to
// standard error and then forgets every entry.
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

struct AllocationRecord {
    const void* address = nullptr;
    std::string file;
    int32_t size = 0;
    int32_t line = 0;
};

class MemoryLeakTracker {
public:
    static MemoryLeakTracker& instance();

    void trackAllocation(const void* address, int32_t size, const std::string& file, int32_t line);
    // Removes every record with that address.
    void untrackAllocation(const void* address);
    // Prints the report to `out` (standard error by default), flushes it and
    // clears the list.
    void reportLeaks(std::ostream& out);
    void reportLeaks();

    std::size_t count() const { return records.size(); }

private:
    MemoryLeakTracker() = default;
    std::vector<AllocationRecord> records;
};

void trackAllocation(const void* address, int32_t size, const std::string& file, int32_t line);
void untrackAllocation(const void* address);
void reportLeaks();

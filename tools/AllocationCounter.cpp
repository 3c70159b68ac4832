#include "tools/AllocationCounter.h"

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <new>

#include <execinfo.h>
#include <link.h>

namespace {

std::atomic<uint64_t> g_allocations{0};
std::atomic<uint64_t> g_driverAllocations{0};

// The software GL driver compiles a shader (with its own C++ compiler
// library) the first time a new combination of drawing state is drawn:
// thousands of allocations that are the driver's, not the program's. The
// caller is placed by the code ranges of the loaded modules, read again only
// when it lies in none of them (a library loaded since): looking every
// caller up by name would cost more than the allocations being counted.
// Allocations made by the C++ runtime library for a caller (strings,
// streams) are placed by the first caller up the stack outside it.
struct CodeRange {
    uintptr_t begin, end;
    bool driver, runtime;
};

constexpr int MaxRanges = 512;
CodeRange g_ranges[MaxRanges];
int g_rangeCount = 0;
std::mutex g_rangesLock;

int noteModule(dl_phdr_info* info, size_t, void*)
{
    const char* name = info->dlpi_name ? info->dlpi_name : "";
    const bool driver = std::strstr(name, "libLLVM") || std::strstr(name, "_dri.so");
    const bool runtime = std::strstr(name, "libstdc++") != nullptr;
    for (int i = 0; i < info->dlpi_phnum && g_rangeCount < MaxRanges; ++i) {
        const ElfW(Phdr)& segment = info->dlpi_phdr[i];
        if (segment.p_type == PT_LOAD && (segment.p_flags & PF_X)) {
            const uintptr_t begin = info->dlpi_addr + segment.p_vaddr;
            g_ranges[g_rangeCount++] = {begin, begin + segment.p_memsz, driver, runtime};
        }
    }
    return 0;
}

const CodeRange* rangeOf(uintptr_t address)
{
    for (int i = 0; i < g_rangeCount; ++i)
        if (g_ranges[i].begin <= address && address < g_ranges[i].end)
            return &g_ranges[i];
    return nullptr;
}

const CodeRange* findRange(uintptr_t address)
{
    const CodeRange* range = rangeOf(address);
    if (!range) {
        g_rangeCount = 0;
        dl_iterate_phdr(noteModule, nullptr);
        range = rangeOf(address);
    }
    return range;
}

bool fromGLDriver(const void* caller)
{
    std::lock_guard<std::mutex> hold(g_rangesLock);
    const CodeRange* range = findRange(reinterpret_cast<uintptr_t>(caller));
    if (!range || !range->runtime)
        return range && range->driver;
    void* frames[16];
    const int count = backtrace(frames, 16);
    // The stack runs through this counter and operator new, then the
    // runtime library, then the caller that asked it for memory.
    bool inRuntime = false;
    for (int i = 0; i < count; ++i) {
        const CodeRange* up = findRange(reinterpret_cast<uintptr_t>(frames[i]));
        if (up && up->runtime)
            inRuntime = true;
        else if (inRuntime)
            return up && up->driver;
    }
    return false;
}

// Placing callers costs time: only the frames measured for allocations do it.
std::atomic<bool> g_placing{false};

[[gnu::noinline]] void* countedAlloc(std::size_t size, const void* caller) noexcept
{
    if (g_placing.load(std::memory_order_relaxed) && fromGLDriver(caller))
        ++g_driverAllocations;
    else
        ++g_allocations;
    return std::malloc(size ? size : 1);
}

// Out of line, so that the compiler, inlining a delete into its caller, does
// not see free() applied to a pointer that came from operator new.
[[gnu::noinline]] void releaseBlock(void* p) noexcept
{
    std::free(p);
}

} // namespace

uint64_t heapAllocations()
{
    return g_allocations.load();
}

void placeAllocations(bool on)
{
    if (on) {
        void* frame[1];
        backtrace(frame, 1);  // loads the unwinder before any frame is measured
    }
    g_placing = on;
}

uint64_t driverHeapAllocations()
{
    return g_driverAllocations.load();
}

void* operator new(std::size_t size)
{
    if (void* p = countedAlloc(size, __builtin_return_address(0)))
        return p;
    throw std::bad_alloc();
}

void* operator new[](std::size_t size)
{
    if (void* p = countedAlloc(size, __builtin_return_address(0)))
        return p;
    throw std::bad_alloc();
}

void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return countedAlloc(size, __builtin_return_address(0)); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return countedAlloc(size, __builtin_return_address(0)); }
void operator delete(void* p) noexcept { releaseBlock(p); }
void operator delete[](void* p) noexcept { releaseBlock(p); }
void operator delete(void* p, std::size_t) noexcept { releaseBlock(p); }
void operator delete[](void* p, std::size_t) noexcept { releaseBlock(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { releaseBlock(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { releaseBlock(p); }

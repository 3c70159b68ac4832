#include "tools/AllocationCounter.h"

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <new>

#include <dlfcn.h>

namespace {

std::atomic<uint64_t> g_allocations{0};
std::atomic<uint64_t> g_driverAllocations{0};

// The software GL driver compiles a shader (with its own C++ compiler
// library) the first time a new combination of drawing state is drawn:
// thousands of allocations that are the driver's, not the program's.
bool fromGLDriver(const void* caller)
{
    Dl_info info;
    if (!caller || dladdr(caller, &info) == 0 || !info.dli_fname)
        return false;
    return std::strstr(info.dli_fname, "libLLVM") || std::strstr(info.dli_fname, "_dri.so");
}

[[gnu::noinline]] void* countedAlloc(std::size_t size, const void* caller) noexcept
{
    if (fromGLDriver(caller))
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

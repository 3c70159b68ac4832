#include "tools/AllocationCounter.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<uint64_t> g_allocations{0};

void* countedAlloc(std::size_t size) noexcept
{
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

void* operator new(std::size_t size)
{
    if (void* p = countedAlloc(size))
        return p;
    throw std::bad_alloc();
}

void* operator new[](std::size_t size)
{
    if (void* p = countedAlloc(size))
        return p;
    throw std::bad_alloc();
}

void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return countedAlloc(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return countedAlloc(size); }
void operator delete(void* p) noexcept { releaseBlock(p); }
void operator delete[](void* p) noexcept { releaseBlock(p); }
void operator delete(void* p, std::size_t) noexcept { releaseBlock(p); }
void operator delete[](void* p, std::size_t) noexcept { releaseBlock(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { releaseBlock(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { releaseBlock(p); }

// Every form of the global operator new and delete, all plain malloc and free
// underneath so that sanitizer builds pair them as usual (the library's
// stable_sort takes its buffer with the nothrow form, for one), recording the
// largest single allocation while tracking is on.
#include "tests/support/LargestAllocation.h"

#include <cstdlib>
#include <new>

std::atomic<bool> g_trackAllocations{false};
std::atomic<std::size_t> g_largestAllocation{0};

namespace {

void* trackedAlloc(std::size_t n) noexcept
{
    if (g_trackAllocations && n > g_largestAllocation)
        g_largestAllocation = n;
    return std::malloc(n ? n : 1);
}

}  // namespace

void* operator new(std::size_t n)
{
    if (void* p = trackedAlloc(n))
        return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t n)
{
    return operator new(n);
}
void* operator new(std::size_t n, const std::nothrow_t&) noexcept
{
    return trackedAlloc(n);
}
void* operator new[](std::size_t n, const std::nothrow_t&) noexcept
{
    return trackedAlloc(n);
}

// GCC cannot see that the replaced operator new above is malloc underneath
// and would call these frees mismatched.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void* p) noexcept
{
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept
{
    std::free(p);
}
void operator delete[](void* p) noexcept
{
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept
{
    std::free(p);
}
void operator delete(void* p, const std::nothrow_t&) noexcept
{
    std::free(p);
}
void operator delete[](void* p, const std::nothrow_t&) noexcept
{
    std::free(p);
}
#pragma GCC diagnostic pop

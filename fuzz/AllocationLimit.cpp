// A GIF of thirty bytes may declare a frame of 65535 x 65535 pixels, a few
// kilobytes may declare hundreds of large frames, and the reader allocates
// every frame's pixels before decoding. Without a limit such inputs would
// spend the fuzzing run filling gigabytes or end it as out-of-memory; with
// it they test something useful instead: that the reader survives a failed
// allocation without a leak and with the stream set back.
#include "fuzz/AllocationLimit.h"

#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<bool> limited{false};
std::atomic<std::size_t> liveBytes{0};
std::size_t liveBytesAtStart = 0;

bool allowed(std::size_t size)
{
    using ostra::fuzz::AllocationLimit;
    return !limited.load() || (size <= AllocationLimit::kLargestAllocation &&
                               liveBytes.load() + size <= liveBytesAtStart + AllocationLimit::kLiveLimit);
}

void* allocateOrNull(std::size_t size) noexcept
{
    if (!allowed(size)) {
        return nullptr;
    }
    void* memory = std::malloc(size == 0 ? 1 : size);
    if (memory != nullptr) {
        liveBytes += malloc_usable_size(memory);
    }
    return memory;
}

void* allocate(std::size_t size)
{
    if (void* memory = allocateOrNull(size)) {
        return memory;
    }
    throw std::bad_alloc();
}

void release(void* memory) noexcept
{
    if (memory != nullptr) {
        liveBytes -= malloc_usable_size(memory);
        std::free(memory);
    }
}

} // namespace

namespace ostra::fuzz {

AllocationLimit::AllocationLimit()
{
    liveBytesAtStart = liveBytes.load();
    limited = true;
}

AllocationLimit::~AllocationLimit() { limited = false; }

} // namespace ostra::fuzz

// Every plain form is replaced, so that each allocation and its release
// meet here (AddressSanitizer checks that malloc and free match).
void* operator new(std::size_t size) { return allocate(size); }
void* operator new[](std::size_t size) { return allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return allocateOrNull(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return allocateOrNull(size); }
void operator delete(void* memory) noexcept { release(memory); }
void operator delete[](void* memory) noexcept { release(memory); }
void operator delete(void* memory, std::size_t) noexcept { release(memory); }
void operator delete[](void* memory, std::size_t) noexcept { release(memory); }
void operator delete(void* memory, const std::nothrow_t&) noexcept { release(memory); }
void operator delete[](void* memory, const std::nothrow_t&) noexcept { release(memory); }

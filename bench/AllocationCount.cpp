// Replaces the C library's malloc family for the whole benchmark process
// and keeps the usable size of every live block in one counter and its
// high-water mark. glibc exports its own allocator as __libc_*, which the
// replacements call.
#include "bench/AllocationCount.h"

#include <malloc.h>

#include <atomic>
#include <cerrno>
#include <cstddef>
#include <unistd.h>

extern "C" {
void* __libc_malloc(std::size_t size);
void* __libc_calloc(std::size_t count, std::size_t size);
void* __libc_realloc(void* block, std::size_t size);
void* __libc_memalign(std::size_t alignment, std::size_t size);
void __libc_free(void* block);
}

namespace {

std::atomic<std::int64_t> inUse{0};
std::atomic<std::int64_t> highWater{0};

void* counted(void* block)
{
    if (block != nullptr) {
        const auto size = static_cast<std::int64_t>(malloc_usable_size(block));
        const std::int64_t now = inUse.fetch_add(size) + size;
        std::int64_t seen = highWater.load();
        while (now > seen && !highWater.compare_exchange_weak(seen, now)) {
        }
    }
    return block;
}

void uncount(void* block)
{
    if (block != nullptr) {
        inUse.fetch_sub(static_cast<std::int64_t>(malloc_usable_size(block)));
    }
}

} // namespace

extern "C" {

void* malloc(std::size_t size) { return counted(__libc_malloc(size)); }
void* calloc(std::size_t count, std::size_t size) { return counted(__libc_calloc(count, size)); }
void free(void* block)
{
    uncount(block);
    __libc_free(block);
}
void* realloc(void* block, std::size_t size)
{
    uncount(block);
    void* moved = __libc_realloc(block, size);
    if (moved == nullptr && size != 0) {
        counted(block); // the old block stays
        return nullptr;
    }
    return counted(moved);
}
void* memalign(std::size_t alignment, std::size_t size) { return counted(__libc_memalign(alignment, size)); }
void* aligned_alloc(std::size_t alignment, std::size_t size) { return memalign(alignment, size); }
void* valloc(std::size_t size) { return memalign(static_cast<std::size_t>(sysconf(_SC_PAGESIZE)), size); }
void* pvalloc(std::size_t size)
{
    const auto page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
    return memalign(page, (size + page - 1) / page * page);
}
int posix_memalign(void** block, std::size_t alignment, std::size_t size)
{
    void* aligned = memalign(alignment, size);
    if (aligned == nullptr && size != 0) {
        return ENOMEM;
    }
    *block = aligned;
    return 0;
}

} // extern "C"

namespace ostra::bench {

std::int64_t StartPeakCount()
{
    const std::int64_t now = inUse.load();
    highWater.store(now);
    return now;
}

std::int64_t PeakBytesSince(std::int64_t start)
{
    return highWater.load() - start;
}

} // namespace ostra::bench

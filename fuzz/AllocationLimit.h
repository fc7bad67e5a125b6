#pragma once

#include <cstddef>

namespace ostra::fuzz {

// While an object of this class lives, memory is short on purpose: an
// allocation through operator new above kLargestAllocation, or one that
// would take what was allocated since the object's creation above
// kLiveLimit, fails with std::bad_alloc. libFuzzer's own work outside the
// scope is not limited.
class AllocationLimit {
public:
    static constexpr std::size_t kLargestAllocation = std::size_t{16} << 20;
    static constexpr std::size_t kLiveLimit = std::size_t{512} << 20;

    AllocationLimit();
    ~AllocationLimit();
    AllocationLimit(const AllocationLimit&) = delete;
    AllocationLimit& operator=(const AllocationLimit&) = delete;
};

} // namespace ostra::fuzz

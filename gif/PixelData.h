#pragma once

#include <algorithm>
#include <cstdint>
#include <memory>
#include <new>
#include <type_traits>
#include <utility>
#include <vector>

namespace ostra {

// An allocator whose value-less construction leaves the element as it is:
// resize(n) of a vector of bytes then allocates without zeroing, for
// buffers whose every byte is about to be written anyway.
template <class T>
class TNoInitAllocator : public std::allocator<T> {
public:
    template <class U>
    struct rebind {
        using other = TNoInitAllocator<U>;
    };

    TNoInitAllocator() = default;
    template <class U>
    TNoInitAllocator(const TNoInitAllocator<U>&) noexcept
    {
    }

    template <class U>
    void construct(U* place) noexcept(std::is_nothrow_default_constructible_v<U>)
    {
        ::new (static_cast<void*>(place)) U;
    }
    template <class U, class... Args>
    void construct(U* place, Args&&... args)
    {
        std::construct_at(place, std::forward<Args>(args)...);
    }
};

// A frame's colour indices, Width x Height bytes, rows top to bottom.
// resize(n) does not clear the new bytes: the decoder writes each pixel
// itself (and fills what the data leaves out). Reads like a byte vector,
// compares with one by content and converts to one by copying.
class TPixelData : public std::vector<std::uint8_t, TNoInitAllocator<std::uint8_t>> {
public:
    using vector::vector;

    operator std::vector<std::uint8_t>() const { return {begin(), end()}; }

    friend bool operator==(const TPixelData& pixels, const std::vector<std::uint8_t>& bytes)
    {
        return std::equal(pixels.begin(), pixels.end(), bytes.begin(), bytes.end());
    }
};

} // namespace ostra

#pragma once

#include <cstdint>
#include <memory>
#include <new>
#include <type_traits>
#include <utility>
#include <vector>

// Leaves the elements a container adds uninitialised when given no value: a buffer a file read is about to
// fill need not be zeroed first, a whole pass over a large photo's bytes.
template <typename T> class UninitialisedAllocator : public std::allocator<T>
{
  public:
    template <typename U> struct rebind
    {
        using other = UninitialisedAllocator<U>;
    };

    UninitialisedAllocator() = default;
    template <typename U> UninitialisedAllocator(const UninitialisedAllocator<U>&) noexcept {}

    template <typename U> void construct(U* place) noexcept(std::is_nothrow_default_constructible_v<U>)
    {
        ::new (static_cast<void*>(place)) U;
    }
    template <typename U, typename... Arguments> void construct(U* place, Arguments&&... arguments)
    {
        ::new (static_cast<void*>(place)) U(std::forward<Arguments>(arguments)...);
    }
};

// Bytes read from a file.
using FileBytes = std::vector<std::uint8_t, UninitialisedAllocator<std::uint8_t>>;

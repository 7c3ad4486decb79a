#pragma once
// A byte vector whose resize leaves new bytes uninitialised, for buffers that
// are filled right away (the 11 MB gloss body need not be zeroed first).
#include <cstdint>
#include <memory>
#include <vector>

namespace lomperi::morphology {

template <class T>
struct DefaultInitAllocator : std::allocator<T> {
    using std::allocator<T>::allocator;
    template <class U>
    struct rebind {
        using other = DefaultInitAllocator<U>;
    };
    template <class U>
    void construct(U* place) noexcept {
        ::new (static_cast<void*>(place)) U;
    }
    template <class U, class... Args>
    void construct(U* place, Args&&... args) {
        ::new (static_cast<void*>(place)) U(std::forward<Args>(args)...);
    }
};

using ByteBuffer = std::vector<std::uint8_t, DefaultInitAllocator<std::uint8_t>>;

}  // namespace lomperi::morphology

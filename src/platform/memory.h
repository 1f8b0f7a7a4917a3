#pragma once
// Zero-filled memory blocks that may be too large to get: a failure is a null
// pointer to report, never an exception or an abort.

#include <cstddef>
#include <memory>

namespace platform {

// `count` elements of `size` bytes, every byte zero; nullptr when the block
// cannot be had (also when count · size overflows).
void* AllocateZeroed(std::size_t count, std::size_t size);
void FreeMemory(void* block);

struct FreeMemoryDeleter {
    void operator()(void* block) const { FreeMemory(block); }
};

// A zero-filled array owned like std::unique_ptr; null when it could not be made.
template <typename T> using ZeroedArray = std::unique_ptr<T[], FreeMemoryDeleter>;

template <typename T> ZeroedArray<T> AllocateZeroedArray(std::size_t count)
{
    return ZeroedArray<T>(static_cast<T*>(AllocateZeroed(count, sizeof(T))));
}

} // namespace platform

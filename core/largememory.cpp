#include "largememory.h"

#include <algorithm>
#include <cstdint>
#include <new>

#ifdef __unix__
#include <sys/mman.h>
#endif

namespace {

constexpr size_t kHugePage = size_t(2) << 20;
constexpr size_t kArenaBlock = size_t(32) << 20;
constexpr size_t kColumnAlign = 64; // a cache line: columns never share one

// Zero-filled pages of the system, huge ones where they fit.
char* MapZeroed(size_t bytes) {
#ifdef __unix__
    void* p = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p == MAP_FAILED) throw std::bad_alloc();
    AdviseHugePages(p, bytes);
    return static_cast<char*>(p);
#else
    return new char[bytes]();
#endif
}

void Unmap(char* p, size_t bytes) {
#ifdef __unix__
    munmap(p, bytes);
#else
    (void)bytes;
    delete[] p;
#endif
}

} // namespace

std::shared_ptr<char> ZeroedPages(size_t bytes) {
    return {MapZeroed(bytes), [bytes](char* p) { Unmap(p, bytes); }};
}

void AdviseHugePages(void* p, size_t bytes) {
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    const auto from = (reinterpret_cast<uintptr_t>(p) + kHugePage - 1) & ~(kHugePage - 1);
    const auto to = (reinterpret_cast<uintptr_t>(p) + bytes) & ~(kHugePage - 1);
    if (to > from) madvise(reinterpret_cast<void*>(from), to - from, MADV_HUGEPAGE);
#else
    (void)p;
    (void)bytes;
#endif
}

LargeBuffer::~LargeBuffer() {
    if (data_) Unmap(data_, size_);
}

char* LargeBuffer::Reserve(size_t n) {
    if (n <= size_ && data_) return data_;
    const size_t bytes = (std::max(n, size_t(1)) + kHugePage - 1) & ~(kHugePage - 1);
    char* fresh = MapZeroed(bytes);
    if (data_) Unmap(data_, size_);
    data_ = fresh;
    size_ = bytes;
    return data_;
}

std::shared_ptr<float[]> ColumnArena::Zeroed(size_t n) {
    const size_t bytes =
        (std::max(n, size_t(1)) * sizeof(float) + kColumnAlign - 1) & ~(kColumnAlign - 1);
    std::shared_ptr<char> block;
    char* at = nullptr;
    if (bytes > kArenaBlock / 4) { // a block of its own
        block = ZeroedPages((bytes + kHugePage - 1) & ~(kHugePage - 1));
        at = block.get();
    } else {
        const std::lock_guard<std::mutex> guard(lock_);
        if (!block_ || size_ - used_ < bytes) {
            block_ = ZeroedPages(kArenaBlock);
            used_ = 0;
            size_ = kArenaBlock;
        }
        block = block_;
        at = block.get() + used_;
        used_ += bytes;
    }
    // Each column its own owner count, so that copy on write sees when it is shared.
    return {reinterpret_cast<float*>(at), [block = std::move(block)](float*) {}};
}

// Memory for the large arrays that readers and writers fill at full speed. Where the system
// allows it is backed by huge pages: on machines whose page faults are slow (virtual machines
// above all) the first touch of each small page costs more than the copy into it.
#pragma once

#include <cstddef>
#include <memory>
#include <mutex>

// Asks the system to back the whole huge pages within [p, p + bytes) with huge pages; a hint
// that changes no contents.
void AdviseHugePages(void* p, size_t bytes);

// `bytes` zeros straight from the system's pages (huge ones where they fit): pages never
// written hold no memory. Throws std::bad_alloc.
std::shared_ptr<char> ZeroedPages(size_t bytes);

// A buffer reused for large reads and writes; it keeps its pages, so only its first use pays
// for them.
class LargeBuffer {
  public:
    LargeBuffer() = default;
    ~LargeBuffer();
    LargeBuffer(const LargeBuffer&) = delete;
    LargeBuffer& operator=(const LargeBuffer&) = delete;

    // At least n bytes; the contents are lost when it has to grow. Throws std::bad_alloc.
    char* Reserve(size_t n);
    char* Data() const { return data_; }
    size_t Size() const { return size_; }

  private:
    char* data_ = nullptr;
    size_t size_ = 0;
};

// Zero-filled float columns for a reader that fills many at once, carved one after the other
// from large blocks; a block goes back to the system with the last of its columns. Safe to use
// from several threads.
class ColumnArena {
  public:
    // A column of n zeros. Throws std::bad_alloc.
    std::shared_ptr<float[]> Zeroed(size_t n);

  private:
    std::mutex lock_;
    std::shared_ptr<char> block_;
    size_t used_ = 0, size_ = 0;
};

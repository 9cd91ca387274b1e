// Little-endian binary fields and a file writer that replaces its target only on success.
#pragma once

#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

// The bytes of a whole file, in a buffer that is not cleared before it is read into.
struct FileBytes {
    std::unique_ptr<char[]> data;
    size_t size = 0;
    std::string_view View() const { return {data.get(), size}; }
};

// A file opened for reading, closed with the object; Get() is -1 (errno set) when it could not
// be opened. Opening never waits for the writer of a pipe.
class FileDescriptor {
  public:
    explicit FileDescriptor(const std::string& fileName);
    ~FileDescriptor();
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int Get() const { return fd_; }

  private:
    int fd_;
};

// Reads the whole file: large files in pieces on several threads, as the copy from the page
// cache and the page faults of the fresh buffer take most of the time otherwise. `step`, when
// given, gets the share read so far (0..1) on the caller's thread and returns false to stop.
// Returns 0, or the errno of the failure (ENOENT for a missing file, EISDIR for a folder, ENOTSUP
// for anything else that is not a regular file, such as a pipe or a device, which may never end;
// ECANCELED when stopped); `bytes` is then empty. Throws std::bad_alloc when memory runs out.
int ReadWholeFile(const std::string& fileName, FileBytes& bytes,
                  const std::function<bool(double)>& step = nullptr);
// The same into a string; false with `err` set.
bool ReadWholeFile(const std::string& fileName, std::string& bytes, int& err);
// Reads the first `count` bytes of a file (all of a shorter one) and, when asked, its size;
// returns 0 or the errno of the failure as ReadWholeFile does, `bytes` then untouched.
int ReadFileStart(const std::string& fileName, size_t count, std::string& bytes,
                  int64_t* fileSize = nullptr);
// Reads `size` bytes at `offset` of an open regular file into dest, large ranges in pieces on
// several threads; `step` as above. Returns 0, or the errno of the failure (EIO when the file
// ends first, ECANCELED when stopped).
int ReadRange(int fd, int64_t offset, char* dest, size_t size,
              const std::function<bool(double)>& step = nullptr);

// Appends v as 4 bytes, little-endian.
void AppendU32(std::string& out, uint32_t v);
// Appends a text field: its length as 4 bytes, then its bytes.
void AppendText(std::string& out, std::string_view s);

// Reads fields from a range of bytes, never past its end; every call returns false (and leaves
// the cursor where it was) when the range holds too few bytes.
class ByteCursor {
  public:
    explicit ByteCursor(std::string_view bytes) : rest_(bytes) {}

    size_t Left() const { return rest_.size(); }
    bool U32(uint32_t& v);
    bool I32(int32_t& v);
    bool Bytes(size_t n, std::string_view& out);
    // A length-prefixed text field.
    bool Text(std::string_view& out);

  private:
    std::string_view rest_;
};

inline uint32_t LoadU32(const char* p) {
    const auto* b = reinterpret_cast<const unsigned char*>(p);
    return uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24;
}

// Writes to a new file beside the target; Commit flushes it to disk and renames it over the
// target. Until then (and when anything fails) the target stays as it was, and the destructor
// removes the unfinished file. A target that is a symbolic link stays one: the file it names is
// replaced. The replaced file keeps its permission bits.
class SaveFile {
  public:
    SaveFile() = default;
    ~SaveFile();
    SaveFile(const SaveFile&) = delete;
    SaveFile& operator=(const SaveFile&) = delete;

    // Creates the temporary file; false with `error` set when that fails or when the user may
    // not write the target.
    bool Open(const std::string& target, std::string& error);
    // Appends bytes; false after a write error (Commit then reports it).
    bool Write(std::string_view bytes);
    // Syncs, closes and renames over the target; false with `error` set on any failure.
    bool Commit(std::string& error);

  private:
    void Discard();

    int fd_ = -1;
    int errno_ = 0; // first write error
    int64_t written_ = 0;
    std::string target_; // as the user named it
    std::string file_;   // the file it stands for
    std::string temp_;
};

// Writes `bytes` as the whole of `target` through SaveFile; false with `error` set on failure,
// the target then as it was.
bool WriteWholeFile(const std::string& target, std::string_view bytes, std::string& error);

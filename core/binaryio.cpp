#include "binaryio.h"

#include "parallel.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

constexpr size_t kReadPiece = size_t(1) << 20; // bytes one thread reads at a time

// Opens the file and hands its descriptor and size to `read`. Only a regular file is read: a
// pipe or a device (/dev/zero) may never end.
template <typename Read> int ReadFile(const std::string& fileName, Read read) {
    const FileDescriptor fd(fileName);
    if (fd.Get() < 0) return errno;
    struct stat info {};
    if (::fstat(fd.Get(), &info) != 0) return errno;
    if (S_ISDIR(info.st_mode)) return EISDIR;
    if (!S_ISREG(info.st_mode)) return ENOTSUP;
    return read(fd.Get(), static_cast<size_t>(info.st_size));
}

} // namespace

FileDescriptor::FileDescriptor(const std::string& fileName)
    : fd_(::open(fileName.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK)) {}

FileDescriptor::~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
}

int ReadRange(int fd, int64_t offset, char* dest, size_t size,
              const std::function<bool(double)>& step) {
    const int pieces = static_cast<int>((size + kReadPiece - 1) / kReadPiece);
    std::atomic<int> failure{0};
    const bool finished = ParallelChunks(
        pieces,
        [&](int i) {
            const size_t at = static_cast<size_t>(i) * kReadPiece;
            const size_t length = std::min(kReadPiece, size - at);
            for (size_t done = 0; done < length && failure == 0;) {
                const ssize_t got = ::pread(fd, dest + at + done, length - done,
                                            static_cast<off_t>(offset + int64_t(at + done)));
                if (got < 0 && errno == EINTR) continue;
                if (got <= 0) failure = got < 0 ? errno : EIO; // or the file shrank meanwhile
                done += got > 0 ? static_cast<size_t>(got) : 0;
            }
        },
        step ? std::function<bool(int)>([&](int done) { return step(double(done) / pieces); })
             : nullptr);
    if (failure != 0) return failure;
    return finished ? 0 : ECANCELED;
}

int ReadWholeFile(const std::string& fileName, FileBytes& bytes,
                  const std::function<bool(double)>& step) {
    FileBytes read;
    const int err = ReadFile(fileName, [&](int fd, size_t size) {
        read.data.reset(new char[std::max<size_t>(size, 1)]);
        read.size = size;
        return ReadRange(fd, 0, read.data.get(), size, step);
    });
    bytes = err == 0 ? std::move(read) : FileBytes{};
    return err;
}

bool ReadWholeFile(const std::string& fileName, std::string& bytes, int& err) {
    std::string read;
    err = ReadFile(fileName, [&](int fd, size_t size) {
        read.resize(size);
        return ReadRange(fd, 0, read.data(), size);
    });
    if (err != 0) return false;
    bytes = std::move(read);
    return true;
}

int ReadFileStart(const std::string& fileName, size_t count, std::string& bytes,
                  int64_t* fileSize) {
    std::string read;
    int64_t size = 0;
    const int err = ReadFile(fileName, [&](int fd, size_t whole) {
        size = static_cast<int64_t>(whole);
        read.resize(std::min(count, whole));
        return ReadRange(fd, 0, read.data(), read.size());
    });
    if (err != 0) return err;
    bytes = std::move(read);
    if (fileSize) *fileSize = size;
    return 0;
}

void AppendU32(std::string& out, uint32_t v) {
    const char b[4] = {char(v & 0xff), char(v >> 8 & 0xff), char(v >> 16 & 0xff),
                       char(v >> 24 & 0xff)};
    out.append(b, 4);
}

void AppendText(std::string& out, std::string_view s) {
    AppendU32(out, static_cast<uint32_t>(s.size()));
    out.append(s);
}

bool ByteCursor::U32(uint32_t& v) {
    if (rest_.size() < 4) return false;
    v = LoadU32(rest_.data());
    rest_.remove_prefix(4);
    return true;
}

bool ByteCursor::I32(int32_t& v) {
    uint32_t u;
    if (!U32(u)) return false;
    v = static_cast<int32_t>(u);
    return true;
}

bool ByteCursor::Bytes(size_t n, std::string_view& out) {
    if (rest_.size() < n) return false;
    out = rest_.substr(0, n);
    rest_.remove_prefix(n);
    return true;
}

bool ByteCursor::Text(std::string_view& out) {
    if (rest_.size() < 4 || rest_.size() - 4 < LoadU32(rest_.data())) return false;
    const size_t n = LoadU32(rest_.data());
    out = rest_.substr(4, n);
    rest_.remove_prefix(4 + n);
    return true;
}

namespace {

namespace fs = std::filesystem;

std::string SystemError(int err) {
    return std::strerror(err);
}

// The file that `name` stands for: a symbolic link is followed to the file it names, so that the
// link stays and that file is replaced. Returns 0, or ELOOP for a loop of links.
int LinkedFile(const std::string& name, std::string& file) {
    fs::path path = name;
    for (int hops = 0; hops < 40; ++hops) {
        std::error_code notLink;
        const fs::path to = fs::read_symlink(path, notLink);
        if (notLink) {
            file = path.string();
            return 0;
        }
        path = to.is_absolute() ? to : path.parent_path() / to;
    }
    return ELOOP;
}

constexpr off_t kLargeFile = off_t(64) << 20;

// A descriptor of the file `name` when it is a large regular file, else -1.
int OpenLargeFile(const std::string& name) {
    struct stat info {};
    if (::stat(name.c_str(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_size < kLargeFile)
        return -1;
    return ::open(name.c_str(), O_RDONLY | O_CLOEXEC);
}

// Closes the last descriptor of a replaced file on a thread of its own: freeing its cached pages
// and its blocks takes long (a third of a second for a gigabyte), and nothing waits for it.
void LetGo(int fd) {
    try {
        std::thread([fd] { ::close(fd); }).detach();
    } catch (...) {
        ::close(fd);
    }
}

} // namespace

SaveFile::~SaveFile() {
    Discard();
}

void SaveFile::Discard() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    if (!temp_.empty()) std::remove(temp_.c_str());
    temp_.clear();
}

bool SaveFile::Open(const std::string& target, std::string& error) {
    Discard();
    target_ = target;
    errno_ = 0;
    written_ = 0;
    const auto failed = [&](const char* what, int err) {
        error = what + target + " (" + SystemError(err) + ")";
        return false;
    };
    int err = LinkedFile(target, file_);
    if (err != 0) return failed("Cannot write file: ", err);
    // A file the user may not write is refused, not replaced: the rename would need only the
    // folder's permission.
    struct stat present {};
    const bool replaces = ::stat(file_.c_str(), &present) == 0;
    if (replaces && S_ISDIR(present.st_mode)) return failed("Cannot write file: ", EISDIR);
    if (replaces && ::faccessat(AT_FDCWD, file_.c_str(), W_OK, AT_EACCESS) != 0)
        return failed("Cannot write file: ", errno);
    // A short fresh name beside the file (same file system, so the rename is atomic), which fits
    // wherever the file's own name does; O_EXCL never takes over someone else's file.
    const fs::path dir = fs::path(file_).parent_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name =
            (dir / (".save" + std::to_string(::getpid()) + "_" + std::to_string(attempt) + ".tmp"))
                .string();
        fd_ = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd_ >= 0) {
            temp_ = std::move(name);
            // The replaced file keeps its permissions; a new one follows the umask.
            if (replaces && ::fchmod(fd_, present.st_mode & 0777) != 0) {
                err = errno;
                Discard();
                return failed("Cannot create file: ", err);
            }
            return true;
        }
        if (errno != EEXIST) break;
    }
    return failed("Cannot create file: ", errno);
}

bool SaveFile::Write(std::string_view bytes) {
    if (fd_ < 0 || errno_ != 0) return false;
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd_, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            errno_ = errno;
            return false;
        }
        bytes.remove_prefix(static_cast<size_t>(n));
        // Start writing back at once, so that Commit's sync finds little left to do.
        ::sync_file_range(fd_, written_, n, SYNC_FILE_RANGE_WRITE);
        written_ += n;
    }
    return true;
}

bool SaveFile::Commit(std::string& error) {
    if (fd_ < 0) {
        error = "Cannot write file: " + target_;
        return false;
    }
    if (errno_ == 0 && ::fdatasync(fd_) != 0) errno_ = errno;
    if (::close(fd_) != 0 && errno_ == 0) errno_ = errno;
    fd_ = -1;
    const int replaced = errno_ == 0 ? OpenLargeFile(file_) : -1;
    if (errno_ == 0 && std::rename(temp_.c_str(), file_.c_str()) != 0) errno_ = errno;
    if (replaced >= 0) LetGo(replaced);
    if (errno_ != 0) {
        error = "Cannot write file: " + target_ + " (" + SystemError(errno_) + ")";
        Discard();
        return false;
    }
    temp_.clear();
    return true;
}

bool WriteWholeFile(const std::string& target, std::string_view bytes, std::string& error) {
    SaveFile file;
    if (!file.Open(target, error)) return false;
    file.Write(bytes);
    return file.Commit(error); // also reports a failed write
}

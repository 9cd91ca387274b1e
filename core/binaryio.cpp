#include "binaryio.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

bool ReadWholeFile(const std::string& fileName, std::string& bytes, int& err) {
    std::FILE* f = std::fopen(fileName.c_str(), "rb");
    if (!f) {
        err = errno;
        return false;
    }
    // A regular file is read straight into storage of its size; what more there is (a file that
    // grew, or no size to go by) follows block by block.
    std::string data;
    struct stat info {};
    if (fstat(fileno(f), &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0) {
        data.resize(static_cast<size_t>(info.st_size));
        data.resize(std::fread(data.data(), 1, data.size(), f));
    }
    char block[65536];
    size_t got;
    while (!std::ferror(f) && (got = std::fread(block, 1, sizeof block, f)) > 0)
        data.append(block, got);
    err = std::ferror(f) ? (errno != 0 ? errno : EIO) : 0;
    std::fclose(f);
    if (err != 0) return false;
    bytes = std::move(data);
    return true;
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
std::string SystemError(int err) {
    return std::strerror(err);
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
    // A fresh name beside the target (same file system, so the rename is atomic); O_EXCL never
    // takes over someone else's file, and the mode follows the user's umask like any new file.
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name =
            target + ".tmp" + std::to_string(::getpid()) + "_" + std::to_string(attempt);
        fd_ = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd_ >= 0) {
            temp_ = std::move(name);
            return true;
        }
        if (errno != EEXIST) break;
    }
    error = "Cannot create file: " + target + " (" + SystemError(errno) + ")";
    return false;
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
    if (errno_ == 0 && std::rename(temp_.c_str(), target_.c_str()) != 0) errno_ = errno;
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

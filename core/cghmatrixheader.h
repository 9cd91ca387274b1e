// Internal to the CGH matrix reader: the file it reads and the header records at its start.
#pragma once

#include "binaryio.h"
#include "records.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace cgm {

// A file open for reading, with its size.
class MatrixFile {
  public:
    // False with `error` set when the file cannot be opened.
    bool Open(const std::string& fileName, std::string& error);
    int Descriptor() const { return fd_ ? fd_->Get() : -1; }
    int64_t Size() const { return size_; }

  private:
    std::optional<FileDescriptor> fd_;
    int64_t size_ = 0;
};

// What the header of a file says.
struct MatrixHeader {
    int cnum = 0, hnum = 0, keys = 1;
    std::array<int, kChromosomes + 1> counts{};
    std::vector<std::array<std::string, kAnnotationKeys + 1>> annotation; // [0..hnum][key]
    int64_t probesAt = 0; // where the first probe record starts
};

// Reads the header records: magic, counts, file names, annotation keys up to "////". False
// with `error` set when they are missing, malformed or out of range.
bool ReadMatrixHeader(const MatrixFile& file, MatrixHeader& header, std::string& error);

// The reason of a failed read, for an error text.
std::string ReadErrorText(int err);

} // namespace cgm

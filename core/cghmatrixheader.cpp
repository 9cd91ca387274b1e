#include "cghmatrixheader.h"

#include "binaryio.h"
#include "cghmatrixformat.h"
#include "numbers.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <sys/stat.h>

namespace cgm {

namespace {

constexpr size_t kHeaderBlock = size_t(1) << 20; // the header is read this much at a time

// Reads the header records one after the other; `error` receives the reason of a failure.
class HeaderParser {
  public:
    HeaderParser(const MatrixFile& file, MatrixHeader& out) : file_(file), out_(out) {}

    bool Parse(std::string& error) {
        if (ReadMagic() && ReadCounts() && ReadNamesAndKeys()) return true;
        error = error_;
        return false;
    }

  private:
    bool Bad(std::string reason) {
        error_ = std::move(reason);
        return false;
    }

    // The next record, a single text field; `what` names it when it is missing or malformed.
    bool Text(std::string_view& text, const std::string& what) {
        const int64_t left = file_.Size() - at_;
        if (left == 0) return Bad("the file ends before " + what);
        if (left < 4 || !Have(4)) return Failed(what);
        const uint32_t length = LoadU32(bytes_.data() + (at_ - from_));
        if (length > left - 4 || !Have(4 + size_t(length))) return Failed(what);
        ByteCursor cur(std::string_view(bytes_.data() + (at_ - from_) + 4, length));
        at_ += 4 + int64_t(length);
        if (!cur.Text(text) || cur.Left() != 0) return Bad("malformed " + what);
        return true;
    }
    bool Failed(const std::string& what) {
        return Bad(readError_ != 0 ? ReadErrorText(readError_)
                                   : "the file is truncated in " + what);
    }
    // Makes n bytes from at_ readable; they lie in the file.
    bool Have(size_t n) {
        if (at_ >= from_ && at_ + int64_t(n) <= from_ + int64_t(bytes_.size())) return true;
        const size_t want =
            size_t(std::min<int64_t>(file_.Size() - at_, std::max(n, kHeaderBlock)));
        bytes_.resize(want);
        from_ = at_;
        readError_ = ReadRange(file_.Descriptor(), at_, bytes_.data(), want);
        return readError_ == 0;
    }

    // The integer after the first TAB of a header text, within [lo, hi].
    bool Number(const std::string& what, int lo, int hi, int& value) {
        std::string_view text;
        if (!Text(text, what + " record")) return false;
        const size_t tab = text.find('\t');
        int32_t v = 0;
        if (tab == std::string_view::npos || !ParseStrictInt(text.substr(tab + 1), v))
            return Bad("malformed " + what + " record");
        if (v < lo || v > hi)
            return Bad(what + " " + std::to_string(v) + " out of range (" + std::to_string(lo) +
                       ".." + std::to_string(hi) + ")");
        value = v;
        return true;
    }

    bool ReadMagic() {
        std::string_view text;
        if (!Text(text, "the magic") || text != kMagic) return Bad("not a CGH matrix file");
        return true;
    }

    bool ReadCounts() {
        if (!Number("chromosome count", 0, kChromosomes, out_.cnum)) return false;
        if (!Number("hybridisation count", 0, kMaxHybridisations, out_.hnum)) return false;
        for (int c = 1; c <= out_.cnum; ++c)
            if (!Number("probe count of chromosome " + std::to_string(c), 0, INT_MAX - 10,
                        out_.counts[c]))
                return false;
        return true;
    }

    bool ReadNamesAndKeys() {
        const int hnum = out_.hnum;
        std::string_view text;
        if (!Text(text, "file names record")) return false;
        SplitTabs(text, items_);
        if (int(items_.size()) < hnum + 1) return Bad("too few file names");
        out_.annotation.resize(size_t(hnum) + 1);
        for (int h = 1; h <= hnum; ++h) out_.annotation[size_t(h)][1] = items_[size_t(h)];

        int& keys = out_.keys; // key 1 is the file name
        for (;;) {
            if (!Text(text, "annotation key record (no \"////\" end of header)")) return false;
            if (text == kEndOfHeader) break;
            if (text.empty()) continue;
            if (keys == kAnnotationKeys) return Bad("more than 99 annotation keys");
            ++keys;
            SplitTabs(text, items_);
            if (int(items_.size()) < hnum + 1)
                return Bad("too few values for annotation key " + std::string(items_[0]));
            for (int h = 0; h <= hnum; ++h)
                out_.annotation[size_t(h)][size_t(keys)] = items_[size_t(h)];
        }
        out_.probesAt = at_;
        return true;
    }

    const MatrixFile& file_;
    MatrixHeader& out_;
    std::string error_;
    std::vector<char> bytes_; // the file from from_ on
    int64_t from_ = 0, at_ = 0;
    int readError_ = 0;
    std::vector<std::string_view> items_;
};

} // namespace

bool MatrixFile::Open(const std::string& fileName, std::string& error) {
    const int fd = fd_.emplace(fileName).Get();
    struct stat st {};
    if (fd < 0 || ::fstat(fd, &st) != 0) {
        error = "cannot open the file (" + std::string(std::strerror(errno)) + ")";
        return false;
    }
    size_ = st.st_size;
    return true;
}

bool ReadMatrixHeader(const MatrixFile& file, MatrixHeader& header, std::string& error) {
    return HeaderParser(file, header).Parse(error);
}

std::string ReadErrorText(int err) {
    return "read error (" + std::string(std::strerror(err)) + ")";
}

} // namespace cgm

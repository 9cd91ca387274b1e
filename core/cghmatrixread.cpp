#include "cghmatrixfile.h"

#include "binaryio.h"
#include "cghmatrixformat.h"
#include "elapsed.h"
#include "numbers.h"
#include "progresssteps.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <new>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

using namespace cgm;

constexpr size_t kReadBytes = size_t(2) << 20; // first block; it grows to hold a batch

// Splits at every TAB; quotes have no meaning in this file.
void SplitTabs(std::string_view s, std::vector<std::string_view>& items) {
    items.clear();
    size_t start = 0;
    for (size_t at; (at = s.find('\t', start)) != std::string_view::npos; start = at + 1)
        items.push_back(s.substr(start, at - start));
    items.push_back(s.substr(start));
}

// Hands out one record body at a time from a file read in large blocks; a record never reaches
// beyond the bytes the file holds.
class RecordReader {
  public:
    ~RecordReader() {
        if (fd_ >= 0) ::close(fd_);
    }

    bool Open(const std::string& fileName, std::string& error) {
        fd_ = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC);
        struct stat st {};
        if (fd_ < 0 || ::fstat(fd_, &st) != 0) {
            error = "cannot open the file (" + std::string(std::strerror(errno)) + ")";
            return false;
        }
        left_ = st.st_size;
        buffer_.resize(size_t(std::min<int64_t>(left_, kReadBytes)));
        return true;
    }

    // Bytes of the file not yet handed out.
    int64_t Left() const { return left_; }

    // Records handed out from here on stay in the buffer (though it may move) until the next
    // Mark; Marked() is where the first of them now lies.
    void Mark() { mark_ = pos_; }
    const char* Marked() const { return buffer_.data() + mark_; }

    enum Result { kRecord, kEnd, kShort, kIoError };
    Result Next(std::string_view& body) {
        if (left_ == 0) return kEnd;
        if (left_ < 4) return kShort;
        if (!Ensure(4)) return kIoError;
        const uint32_t length = LoadU32(buffer_.data() + pos_);
        if (length > left_ - 4) return kShort;
        if (!Ensure(4 + size_t(length))) return kIoError;
        body = std::string_view(buffer_.data() + pos_ + 4, length);
        pos_ += 4 + size_t(length);
        left_ -= 4 + int64_t(length);
        return kRecord;
    }

    std::string IoError() const {
        return "read error (" + std::string(std::strerror(errno_)) + ")";
    }

  private:
    // Makes n bytes (n <= the bytes left) readable from pos_, keeping those from mark_ on.
    bool Ensure(size_t n) {
        if (end_ - pos_ >= n) return true;
        if (mark_ > 0) {
            std::memmove(buffer_.data(), buffer_.data() + mark_, end_ - mark_);
            end_ -= mark_;
            pos_ -= mark_;
            mark_ = 0;
        }
        if (pos_ + n > buffer_.size()) buffer_.resize(std::max(pos_ + n, buffer_.size() * 2));
        while (end_ - pos_ < n) {
            const ssize_t got = ::read(fd_, buffer_.data() + end_, buffer_.size() - end_);
            if (got < 0 && errno == EINTR) continue;
            if (got <= 0) { // the file shrank under us, or a device error
                errno_ = got < 0 ? errno : EIO;
                return false;
            }
            end_ += size_t(got);
        }
        return true;
    }

    int fd_ = -1;
    int errno_ = 0;
    std::vector<char> buffer_;
    size_t pos_ = 0, end_ = 0, mark_ = 0;
    int64_t left_ = 0;
};

// What a file holds, parsed; only the hybridisations of the file get storage.
struct ParsedMatrix {
    std::vector<std::array<std::string, kAnnotationKeys + 1>> annotation; // [0..hnum][key]
    std::vector<std::array<tCGHProbeArray, kChromosomes + 1>> chr;        // [1..hnum][c]
    std::array<tOligoArray, kChromosomes + 1> oligo;
};

// Parses one file; `error` receives the reason of a failure.
class MatrixParser {
  public:
    MatrixParser(ParsedMatrix& out, ProgressSink* progress) : out_(out), progress_(progress) {}

    bool Parse(const std::string& fileName, std::string& error) {
        // The probe counts say where the file ends; bytes after the last probe record are left.
        if (!in_.Open(fileName, error_)) return Fail(error);
        return (ReadMagic() && ReadHeader() && ReadProbes()) || Fail(error);
    }

    int HNum() const { return hnum_; }
    int CNum() const { return cnum_; }
    int Keys() const { return keys_; }

  private:
    bool Fail(std::string& error) {
        error = error_;
        return false;
    }
    bool Bad(std::string reason) {
        error_ = std::move(reason);
        return false;
    }

    // The next record; `what` names it when it is missing.
    bool Record(std::string_view& body, std::string_view what) {
        const auto result = in_.Next(body);
        return result == RecordReader::kRecord || Missing(result, what);
    }
    bool Missing(RecordReader::Result result, std::string_view what) {
        if (result == RecordReader::kIoError) return Bad(in_.IoError());
        return Bad(
            (result == RecordReader::kEnd ? "the file ends before " : "the file is truncated in ") +
            std::string(what));
    }

    // A header record: exactly one text field.
    bool HeaderText(std::string_view& text, const std::string& what) {
        std::string_view body;
        if (!Record(body, what)) return false;
        ByteCursor cur(body);
        if (!cur.Text(text) || cur.Left() != 0) return Bad("malformed " + what);
        return true;
    }

    // The integer after the first TAB of a header text, within [lo, hi].
    bool Number(const std::string& what, int lo, int hi, int& value) {
        std::string_view text;
        if (!HeaderText(text, what + " record")) return false;
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
        std::string_view body, text;
        if (in_.Next(body) != RecordReader::kRecord) return Bad("not a CGH matrix file");
        ByteCursor cur(body);
        if (!cur.Text(text) || cur.Left() != 0 || text != kMagic)
            return Bad("not a CGH matrix file");
        return true;
    }

    bool ReadHeader() {
        if (!Number("chromosome count", 0, kChromosomes, cnum_)) return false;
        if (!Number("hybridisation count", 0, kMaxHybridisations, hnum_)) return false;
        for (int c = 1; c <= cnum_; ++c)
            if (!Number("probe count of chromosome " + std::to_string(c), 0, INT_MAX - 10,
                        counts_[c]))
                return false;

        std::string_view text;
        if (!HeaderText(text, "file names record")) return false;
        SplitTabs(text, items_);
        if (int(items_.size()) < hnum_ + 1) return Bad("too few file names");
        out_.annotation.resize(size_t(hnum_) + 1);
        for (int h = 1; h <= hnum_; ++h) out_.annotation[size_t(h)][1] = items_[size_t(h)];

        keys_ = 1; // key 1 is the file name
        for (;;) {
            if (!HeaderText(text, "annotation key record (no \"////\" end of header)"))
                return false;
            if (text == kEndOfHeader) break;
            if (text.empty()) continue;
            if (keys_ == kAnnotationKeys) return Bad("more than 99 annotation keys");
            ++keys_;
            SplitTabs(text, items_);
            if (int(items_.size()) < hnum_ + 1)
                return Bad("too few values for annotation key " + std::string(items_[0]));
            for (int h = 0; h <= hnum_; ++h)
                out_.annotation[size_t(h)][size_t(keys_)] = items_[size_t(h)];
        }
        return true;
    }

    bool ReadProbes() {
        // Every probe record takes at least its length, its text length and HNum blocks (with
        // no hybridisations an empty body is accepted): the counts must fit in the bytes left
        // before a single array is sized from them.
        const int64_t minRecord = hnum_ == 0 ? 4 : 8 + int64_t(hnum_) * int64_t(kBlockBytes);
        int64_t total = 0;
        for (int c = 1; c <= kChromosomes; ++c) total += counts_[c];
        if (total > in_.Left() / minRecord)
            return Bad("the probe counts exceed what the file holds");

        ProgressSteps steps(progress_);
        SizeArrays();
        batch_ = BatchProbes(minRecord);
        blocks_.resize(size_t(batch_));
        int64_t done = 0;
        for (int c = 1; c <= kChromosomes; ++c) {
            const int n = counts_[c];
            for (int h = 1; h <= hnum_; ++h) {
                auto& arr = out_.chr[size_t(h)][c];
                for (int s = 1; s <= kStoredSlots; ++s) cols_[h][s] = arr.Slot(s);
                raw_[h] = arr.Slot(40);
            }
            for (int first = 1; first <= n; first += batch_) {
                const int last = std::min(n, first + batch_ - 1);
                if (!ReadBatch(c, first, last)) return false;
                const int64_t before = done;
                done += last - first + 1;
                if (done / kProgressStep != before / kProgressStep &&
                    !steps.Step(ProgressSteps::Scale(0, ProgressSteps::kMaximum, double(done),
                                                     double(total))))
                    return Bad("loading cancelled");
            }
        }
        steps.Finish();
        return true;
    }

    // Sizes the probe arrays of every hybridisation and the probe annotation. Fresh memory costs
    // a page fault per page, which several threads take much faster than one. Without
    // hybridisations there are no probes to annotate: a probe record may then be 4 bytes, which
    // could not pay for an annotation record.
    void SizeArrays() {
        for (int c = 1; c <= kChromosomes; ++c) {
            const int n = hnum_ == 0 ? 0 : counts_[c];
            out_.oligo[c].assign(size_t(n) + 10, tOligoAnnotation{});
            out_.oligo[c][0].Num[0] = float(n);
        }
        out_.chr.resize(size_t(hnum_) + 1);
        int64_t probes = 0;
        for (int c = 1; c <= kChromosomes; ++c) probes += counts_[c];
        const int64_t columnBytes = 22 * sizeof(float); // slots 0..20 and 40 per probe
        ShareHybridisations(hnum_, probes * hnum_ * columnBytes, [this](int first, int step) {
            for (int h = first; h <= hnum_; h += step)
                for (int c = 1; c <= kChromosomes; ++c) {
                    out_.chr[size_t(h)][c].Resize(counts_[c] + 10);
                    out_.chr[size_t(h)][c].SetCount(counts_[c]);
                }
        });
    }

    // Reads the records of probes first..last of chromosome c and copies their data blocks
    // into the probe arrays: a few threads, each for its own hybridisations, a tile of records
    // at a time.
    bool ReadBatch(int c, int first, int last) {
        in_.Mark();
        for (int i = first; i <= last; ++i)
            if (!ReadProbeTexts(c, i, blocks_[size_t(i - first)])) return false;
        const char* base = in_.Marked();
        const int64_t bytes = int64_t(last - first + 1) * hnum_ * int64_t(kBlockBytes);
        ShareHybridisations(hnum_, bytes, [&](int firstHyb, int step) {
            for (int tile = first; tile <= last; tile += kTileProbes) {
                const int tileEnd = std::min(last, tile + kTileProbes - 1);
                for (int h = firstHyb; h <= hnum_; h += step) {
                    float* const* col = cols_[h];
                    float* raw = raw_[h];
                    const size_t skip = size_t(h - 1) * kBlockBytes;
                    for (int i = tile; i <= tileEnd; ++i) {
                        float f[kStoredSlots];
                        std::memcpy(f, base + blocks_[size_t(i - first)] + skip, kBlockBytes);
                        for (int s = 1; s <= kStoredSlots; ++s) col[s][i] = f[s - 1];
                        raw[i] = f[3]; // slot 40 keeps the loaded value of slot 4
                    }
                }
            }
        });
        if (hnum_ >= 1)
            for (int i = first; i <= last; ++i)
                for (int s = 1; s <= 3; ++s)
                    out_.oligo[c][size_t(i)].Num[size_t(s)] = cols_[1][s][i];
        return true;
    }

    // Takes the texts of one probe record; `blocks` receives where its data blocks begin,
    // counted from the marked record.
    bool ReadProbeTexts(int c, int i, size_t& blocks) {
        std::string_view body, text;
        if (const auto result = in_.Next(body); result != RecordReader::kRecord)
            return Missing(result, "the probes of chromosome " + std::to_string(c));
        blocks = size_t(body.data() - in_.Marked()) + body.size();
        if (body.empty() && hnum_ == 0) return true;
        ByteCursor cur(body);
        if (!cur.Text(text) || cur.Left() != size_t(hnum_) * kBlockBytes)
            return Bad("malformed record of probe " + std::to_string(i) + " on chromosome " +
                       std::to_string(c));
        SplitTabs(text, items_);
        if (items_.size() < size_t(kProbeTexts))
            return Bad("too few annotation texts for probe " + std::to_string(i) +
                       " on chromosome " + std::to_string(c));
        if (hnum_ > 0)
            for (int k = 1; k <= kProbeTexts; ++k)
                out_.oligo[c][size_t(i)].Str[k] = items_[size_t(k - 1)];
        blocks -= cur.Left();
        return true;
    }

    ParsedMatrix& out_;
    ProgressSink* progress_;
    RecordReader in_;
    std::string error_;
    int cnum_ = 0, hnum_ = 0, keys_ = 1;
    std::array<int, kChromosomes + 1> counts_{};
    std::vector<std::string_view> items_;
    int batch_ = kMinBatch;
    std::vector<size_t> blocks_;
    float* cols_[kMaxHybridisations + 1][kStoredSlots + 1] = {};
    float* raw_[kMaxHybridisations + 1] = {};
};

} // namespace

bool ReadCGHMatrix(tCGH_DataSet& data, const std::string& fileName, ProgressSink* progress,
                   LogSink* log, std::string& error) {
    const Stopwatch clock;
    ParsedMatrix file;
    MatrixParser parser(file, progress);
    std::vector<std::string> names;
    try {
        std::string reason;
        if (!parser.Parse(fileName, reason)) {
            error = "Could not load CGH matrix file \"" + fileName + "\": " + reason;
            return false;
        }
        // A slot without a name would count as free, and the next file dropped would take it.
        names.resize(size_t(parser.HNum()) + 1);
        for (int h = 1; h <= parser.HNum(); ++h) {
            std::string& name = file.annotation[size_t(h)][1];
            if (name.empty()) name = "Hybridisation " + std::to_string(h);
            names[size_t(h)] = name;
        }
    } catch (const std::bad_alloc&) {
        error = NotEnoughMemoryText(fileName);
        return false;
    }
    // From here on nothing is allocated: the data set changes completely or not at all.
    const int hnum = parser.HNum();
    for (int h = 1; h <= hnum; ++h) {
        std::swap(data.Hyb[h].Chr, file.chr[size_t(h)]);
        data.Hyb[h].FileName = std::move(names[size_t(h)]);
    }
    for (int h = 0; h <= hnum; ++h)
        for (int k = h == 0 ? 2 : 1; k <= parser.Keys(); ++k)
            data.Annotation[h][k] = std::move(file.annotation[size_t(h)][size_t(k)]);
    std::swap(data.Oligo, file.oligo);
    data.HNum = hnum;
    data.CNum = parser.CNum();
    BumpDataVersion();
    Report(log).Add(clock.Line());
    return true;
}

CGHMatrixLoad LoadCGHMatrixDataSet(tCGH_DataSet& data, const std::string& fileName,
                                   ProgressSink* progress) {
    CGHMatrixLoad load;
    load.report.push_back("Trying to load file  \"" + fileName + "\"  .....");
    std::unique_ptr<tCGH_DataSet> fresh, previous;
    try {
        fresh = std::make_unique<tCGH_DataSet>();
        ClearCGHDataSet(*fresh);
        MemoryLog log;
        if (!ReadCGHMatrix(*fresh, fileName, progress, &log, load.error)) return load;
        for (int h = 1; h <= fresh->HNum; ++h) fresh->Hyb[h].Active = 1;
        fresh->RecentFiles = data.RecentFiles;
        load.report.insert(load.report.end(), log.lines.begin(), log.lines.end());
        load.report.push_back("Loaded CGH probes:");
        for (int c = 1; c <= kChromosomes; ++c)
            load.report.push_back("Chromosome " + std::to_string(c) + "\t" +
                                  std::to_string(OligoCount(fresh->Oligo[c])));
        load.report.push_back("");
        // Moved through the heap: the record is too large for a temporary on the stack.
        previous = std::make_unique<tCGH_DataSet>();
    } catch (const std::bad_alloc&) {
        load.report.resize(1);
        load.error = NotEnoughMemoryText(fileName);
        return load;
    }
    fresh->TestParam1 = data.TestParam1;
    fresh->TestParam2 = data.TestParam2;
    fresh->TestParam3 = data.TestParam3;
    fresh->TestParam4 = data.TestParam4;
    fresh->TestParam5 = data.TestParam5;
    fresh->TestParam6 = data.TestParam6;
    *previous = std::move(data);
    data = std::move(*fresh);
    previous.reset(); // the previous data set's arrays go now
    BumpDataVersion();
    load.ok = true;
    return load;
}

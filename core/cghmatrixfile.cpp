#include "cghmatrixfile.h"

#include "binaryio.h"
#include "numbers.h"

#include <algorithm>
#include <bit>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

static_assert(std::endian::native == std::endian::little,
              "probe blocks are copied as they lie in memory");
static_assert(sizeof(float) == 4);

namespace {

constexpr std::string_view kMagic = "JX-QB_V1.001";
constexpr std::string_view kEndOfHeader = "////";
constexpr int kStoredSlots = 20; // slots 1..20 of a probe
constexpr size_t kBlockBytes = kStoredSlots * sizeof(float);
constexpr int kProbeTexts = 5;
constexpr int kProgressStep = 100; // records between progress updates
constexpr size_t kIoBytes = size_t(8) << 20;

using Clock = std::chrono::steady_clock;

std::string ElapsedLine(Clock::time_point start) {
    const double s = std::chrono::duration<double>(Clock::now() - start).count();
    return FormatFixed(s, 3) + "s elapsed time";
}

// Splits at every TAB; quotes have no meaning in this file.
void SplitTabs(std::string_view s, std::vector<std::string_view>& items) {
    items.clear();
    size_t start = 0;
    for (size_t at; (at = s.find('\t', start)) != std::string_view::npos; start = at + 1)
        items.push_back(s.substr(start, at - start));
    items.push_back(s.substr(start));
}

// Appends s with every TAB turned into a blank, so the reader's split stays unambiguous.
void AppendUntabbed(std::string& out, std::string_view s) {
    const size_t from = out.size();
    out.append(s);
    std::replace(out.begin() + static_cast<std::ptrdiff_t>(from), out.end(), '\t', ' ');
}

std::string_view Trimmed(std::string_view s) {
    while (!s.empty() && static_cast<unsigned char>(s.front()) <= ' ') s.remove_prefix(1);
    while (!s.empty() && static_cast<unsigned char>(s.back()) <= ' ') s.remove_suffix(1);
    return s;
}

// ---- reading ----

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
        buffer_.resize(kIoBytes);
        return true;
    }

    // Bytes of the file not yet handed out.
    int64_t Left() const { return left_; }

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

    std::string IoError() const { return "read error (" + std::string(std::strerror(errno_)) + ")"; }

  private:
    // Makes n bytes (n <= the bytes left) readable from pos_.
    bool Ensure(size_t n) {
        if (end_ - pos_ >= n) return true;
        std::memmove(buffer_.data(), buffer_.data() + pos_, end_ - pos_);
        end_ -= pos_;
        pos_ = 0;
        if (n > buffer_.size()) buffer_.resize(n);
        while (end_ < n) {
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
    size_t pos_ = 0, end_ = 0;
    int64_t left_ = 0;
};

// Parses one file into a fresh data set; `error` receives the reason of a failure.
class MatrixParser {
  public:
    MatrixParser(tCGH_DataSet& out, ProgressSink* progress) : out_(out), progress_(progress) {}

    bool Parse(const std::string& fileName, std::string& error) {
        if (!in_.Open(fileName, error_)) return Fail(error);
        bool ok = ReadMagic() && ReadHeader() && ReadProbes();
        if (ok && in_.Left() != 0) ok = Bad("unexpected bytes after the last probe record");
        return ok || Fail(error);
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
        return Bad((result == RecordReader::kEnd ? "the file ends before " : "the file is truncated in ") +
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
        for (int h = 1; h <= hnum_; ++h) names_[h] = items_[h];

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
            for (int h = 0; h <= hnum_; ++h) out_.Annotation[h][keys_] = items_[h];
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

        for (int h = 1; h <= hnum_; ++h) {
            out_.Hyb[h].FileName = names_[h];
            out_.Annotation[h][1] = names_[h];
        }
        if (progress_) {
            progress_->SetMaximum(int(std::min<int64_t>(total, INT_MAX)));
            progress_->SetPosition(0);
        }
        int64_t done = 0;
        for (int c = 1; c <= kChromosomes; ++c) {
            const int n = counts_[c];
            auto& oligo = out_.Oligo[c];
            oligo.assign(size_t(n) + 10, tOligoAnnotation{});
            oligo[0].Num[0] = float(n);
            for (int h = 1; h <= hnum_; ++h) {
                auto& arr = out_.Hyb[h].Chr[c];
                arr.Resize(n + 10);
                arr.SetCount(n);
                for (int s = 1; s <= kStoredSlots; ++s) cols_[h][s] = arr.Slot(s);
                raw_[h] = arr.Slot(40);
            }
            for (int i = 1; i <= n; ++i) {
                if (!ReadProbe(c, i)) return false;
                if (++done % kProgressStep == 0 && progress_) {
                    progress_->SetPosition(int(std::min<int64_t>(done, INT_MAX)));
                    progress_->Pump();
                    if (progress_->Cancelled()) return Bad("loading cancelled");
                }
            }
        }
        if (progress_) progress_->SetPosition(int(std::min<int64_t>(done, INT_MAX)));
        return true;
    }

    bool ReadProbe(int c, int i) {
        std::string_view body, text;
        if (const auto result = in_.Next(body); result != RecordReader::kRecord)
            return Missing(result, "the probes of chromosome " + std::to_string(c));
        auto& anno = out_.Oligo[c][size_t(i)];
        if (body.empty() && hnum_ == 0) return true;
        ByteCursor cur(body);
        if (!cur.Text(text) || cur.Left() != size_t(hnum_) * kBlockBytes)
            return Bad("malformed record of probe " + std::to_string(i) + " on chromosome " +
                       std::to_string(c));
        SplitTabs(text, items_);
        if (items_.size() < size_t(kProbeTexts))
            return Bad("too few annotation texts for probe " + std::to_string(i) +
                       " on chromosome " + std::to_string(c));
        for (int k = 1; k <= kProbeTexts; ++k) anno.Str[k] = items_[size_t(k - 1)];

        const char* block = body.data() + (body.size() - cur.Left());
        for (int h = 1; h <= hnum_; ++h, block += kBlockBytes) {
            float f[kStoredSlots];
            std::memcpy(f, block, kBlockBytes);
            for (int s = 1; s <= kStoredSlots; ++s) cols_[h][s][i] = f[s - 1];
            raw_[h][i] = f[3]; // slot 40 keeps the loaded value of slot 4
        }
        if (hnum_ >= 1)
            for (int s = 1; s <= 3; ++s) anno.Num[size_t(s)] = cols_[1][s][i];
        return true;
    }

    tCGH_DataSet& out_;
    ProgressSink* progress_;
    RecordReader in_;
    std::string error_;
    int cnum_ = 0, hnum_ = 0, keys_ = 1;
    std::array<int, kChromosomes + 1> counts_{};
    std::array<std::string, kMaxHybridisations + 1> names_;
    std::vector<std::string_view> items_;
    float* cols_[kMaxHybridisations + 1][kStoredSlots + 1] = {};
    float* raw_[kMaxHybridisations + 1] = {};
};

// ---- writing ----

// Collects records in a large block and hands full blocks to the file.
class RecordWriter {
  public:
    explicit RecordWriter(SaveFile& file) : file_(file) { buffer_.reserve(kIoBytes); }

    // Room for a record of `bytes` bytes at the end of the block.
    char* Reserve(size_t bytes) {
        if (buffer_.size() + bytes > kIoBytes) Flush();
        const size_t at = buffer_.size();
        buffer_.resize(at + bytes);
        return buffer_.data() + at;
    }
    void HeaderRecord(std::string_view text) {
        std::string rec;
        AppendU32(rec, uint32_t(4 + text.size()));
        AppendText(rec, text);
        std::memcpy(Reserve(rec.size()), rec.data(), rec.size());
    }
    void Flush() {
        file_.Write(std::string_view(buffer_.data(), buffer_.size()));
        buffer_.clear();
    }

  private:
    SaveFile& file_;
    std::vector<char> buffer_;
};

// The probe texts joined by TAB, each text's own TABs written as blanks.
void JoinProbeTexts(const tOligoArray& oligo, int i, std::string& text) {
    text.clear();
    for (int k = 1; k <= kProbeTexts; ++k) {
        if (k > 1) text += '\t';
        if (size_t(i) < oligo.size()) AppendUntabbed(text, oligo[size_t(i)].Str[size_t(k)]);
    }
}

} // namespace

bool WriteCGHMatrix(tCGH_DataSet& data, const std::string& fileName, ProgressSink* progress,
                    LogSink* log, std::string& error) {
    const auto start = Clock::now();
    Report report(log);
    data.CNum = kChromosomes;
    const int hnum = std::clamp(data.HNum, 0, kMaxHybridisations);
    SaveFile file;
    if (!file.Open(fileName, error)) return false;
    RecordWriter out(file);

    out.HeaderRecord(kMagic);
    out.HeaderRecord("CNum\t" + std::to_string(kChromosomes));
    out.HeaderRecord("HNum\t" + std::to_string(hnum));
    std::array<int, kChromosomes + 1> counts{};
    int64_t total = 0;
    for (int c = 1; c <= kChromosomes; ++c) {
        counts[c] = data.Hyb[1].Chr[c].Count();
        total += counts[c];
        out.HeaderRecord("ONum" + std::to_string(c) + "\t" + std::to_string(counts[c]));
    }
    std::string text = "File names";
    for (int h = 1; h <= hnum; ++h) {
        text += '\t';
        AppendUntabbed(text, data.Hyb[h].FileName);
    }
    out.HeaderRecord(text);
    for (int k = 2; k <= kAnnotationKeys; ++k) {
        const std::string_view key = Trimmed(data.Annotation[0][k]);
        if (key.empty()) continue;
        text.clear();
        AppendUntabbed(text, key);
        for (int h = 1; h <= hnum; ++h) {
            text += '\t';
            AppendUntabbed(text, data.Annotation[h][k]);
        }
        out.HeaderRecord(text);
    }
    out.HeaderRecord(kEndOfHeader);

    if (progress) {
        progress->SetMaximum(int(std::min<int64_t>(total, INT_MAX)));
        progress->SetPosition(0);
    }
    const size_t blocks = size_t(hnum) * kBlockBytes;
    static const char zeros[kBlockBytes] = {};
    const float* cols[kMaxHybridisations + 1][kStoredSlots + 1] = {};
    int64_t done = 0;
    for (int c = 1; c <= kChromosomes; ++c) {
        int size[kMaxHybridisations + 1] = {};
        for (int h = 1; h <= hnum; ++h) {
            const auto& arr = data.Hyb[h].Chr[c];
            size[h] = arr.Size();
            for (int s = 1; s <= kStoredSlots; ++s) cols[h][s] = arr.Slot(s);
        }
        for (int i = 1; i <= counts[c]; ++i) {
            JoinProbeTexts(data.Oligo[c], i, text);
            const size_t body = 4 + text.size() + blocks;
            if (body > UINT32_MAX) {
                error = "Cannot write file: " + fileName + " (probe texts too long)";
                return false;
            }
            char* p = out.Reserve(4 + body);
            const uint32_t lengths[2] = {uint32_t(body), uint32_t(text.size())};
            std::memcpy(p, lengths, 8);
            std::memcpy(p + 8, text.data(), text.size());
            p += 8 + text.size();
            for (int h = 1; h <= hnum; ++h, p += kBlockBytes) {
                if (i >= size[h]) { // a shorter array than hybridisation 1's: nothing to save
                    std::memcpy(p, zeros, kBlockBytes);
                    continue;
                }
                float f[kStoredSlots];
                for (int s = 1; s <= kStoredSlots; ++s) f[s - 1] = cols[h][s][i];
                std::memcpy(p, f, kBlockBytes);
            }
            if (++done % kProgressStep != 0) continue;
            if (file.Failed()) return file.Commit(error); // reports the write error
            if (progress) {
                progress->SetPosition(int(std::min<int64_t>(done, INT_MAX)));
                progress->Pump();
                if (progress->Cancelled()) {
                    error = "Saving cancelled: " + fileName + " was not written";
                    return false;
                }
            }
        }
    }
    out.Flush();
    if (!file.Commit(error)) return false;
    if (progress) progress->SetPosition(int(std::min<int64_t>(done, INT_MAX)));
    report.Add(ElapsedLine(start));
    return true;
}

bool ReadCGHMatrix(tCGH_DataSet& data, const std::string& fileName, ProgressSink* progress,
                   LogSink* log, std::string& error) {
    const auto start = Clock::now();
    auto fresh = std::make_unique<tCGH_DataSet>();
    MatrixParser parser(*fresh, progress);
    std::string reason;
    if (!parser.Parse(fileName, reason)) {
        error = "Could not load CGH matrix file \"" + fileName + "\": " + reason;
        return false;
    }
    const int hnum = parser.HNum();
    for (int h = 1; h <= hnum; ++h) {
        std::swap(data.Hyb[h].Chr, fresh->Hyb[h].Chr);
        data.Hyb[h].FileName = std::move(fresh->Hyb[h].FileName);
    }
    for (int h = 0; h <= hnum; ++h)
        for (int k = h == 0 ? 2 : 1; k <= parser.Keys(); ++k)
            data.Annotation[h][k] = std::move(fresh->Annotation[h][k]);
    std::swap(data.Oligo, fresh->Oligo);
    data.HNum = hnum;
    data.CNum = parser.CNum();
    BumpDataVersion();
    Report(log).Add(ElapsedLine(start));
    return true;
}

CGHMatrixLoad LoadCGHMatrixDataSet(tCGH_DataSet& data, const std::string& fileName,
                                   ProgressSink* progress) {
    CGHMatrixLoad load;
    load.report.push_back("Trying to load file  \"" + fileName + "\"  .....");
    auto fresh = std::make_unique<tCGH_DataSet>();
    ClearCGHDataSet(*fresh);
    MemoryLog log;
    if (!ReadCGHMatrix(*fresh, fileName, progress, &log, load.error)) return load;

    for (int h = 1; h <= fresh->HNum; ++h) fresh->Hyb[h].Active = 1;
    fresh->RecentFiles = data.RecentFiles;
    fresh->TestParam1 = data.TestParam1;
    fresh->TestParam2 = data.TestParam2;
    fresh->TestParam3 = data.TestParam3;
    fresh->TestParam4 = data.TestParam4;
    fresh->TestParam5 = data.TestParam5;
    fresh->TestParam6 = data.TestParam6;
    std::swap(data, *fresh);
    fresh.reset(); // the previous data set's arrays go now, not at the caller's leisure
    BumpDataVersion();

    load.report.insert(load.report.end(), log.lines.begin(), log.lines.end());
    load.report.push_back("Loaded CGH probes:");
    for (int c = 1; c <= kChromosomes; ++c)
        load.report.push_back("Chromosome " + std::to_string(c) + "\t" +
                              std::to_string(OligoCount(data.Oligo[c])));
    load.report.push_back("");
    load.ok = true;
    return load;
}

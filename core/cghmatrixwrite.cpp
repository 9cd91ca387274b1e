#include "cghmatrixfile.h"

#include "binaryio.h"
#include "cghmatrixformat.h"
#include "elapsed.h"
#include "largememory.h"
#include "parallel.h"
#include "progresssteps.h"

#include <climits>
#include <cstring>
#include <future>

namespace {

using namespace cgm;

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

void AppendHeaderRecord(std::string& out, std::string_view text) {
    AppendU32(out, uint32_t(4 + text.size()));
    AppendText(out, text);
}

// Records 1..7: magic, counts, file names, annotation keys, end of header.
std::string HeaderRecords(const tCGH_DataSet& data, int hnum,
                          const std::array<int, kChromosomes + 1>& counts) {
    std::string out;
    AppendHeaderRecord(out, kMagic);
    AppendHeaderRecord(out, "CNum\t" + std::to_string(kChromosomes));
    AppendHeaderRecord(out, "HNum\t" + std::to_string(hnum));
    for (int c = 1; c <= kChromosomes; ++c)
        AppendHeaderRecord(out, "ONum" + std::to_string(c) + "\t" + std::to_string(counts[c]));
    std::string text = "File names";
    for (int h = 1; h <= hnum; ++h) {
        text += '\t';
        AppendUntabbed(text, data.Hyb[h].FileName);
    }
    AppendHeaderRecord(out, text);
    for (int k = 2; k <= kAnnotationKeys; ++k) {
        // Every key that has a name is written, the name without its surrounding blanks.
        if (data.Annotation[0][k].empty()) continue;
        text.clear();
        AppendUntabbed(text, Trimmed(data.Annotation[0][k]));
        for (int h = 1; h <= hnum; ++h) {
            text += '\t';
            AppendUntabbed(text, data.Annotation[h][k]);
        }
        AppendHeaderRecord(out, text);
    }
    AppendHeaderRecord(out, kEndOfHeader);
    return out;
}

// Fills one window of records while another thread hands the previous one to the file.
class WindowWriter {
  public:
    explicit WindowWriter(SaveFile& file) : file_(file) {}
    ~WindowWriter() { Wait(); }
    WindowWriter(const WindowWriter&) = delete;
    WindowWriter& operator=(const WindowWriter&) = delete;

    // Room for `bytes` more bytes at the end of the window; valid until the next call. Null once
    // a write has failed. Throws std::bad_alloc.
    char* Reserve(size_t bytes) {
        if (used_ + bytes > fill_->Size()) {
            if (used_ > 0 && !Flush()) return nullptr;
            fill_->Reserve(std::max(bytes, kWindowBytes));
        }
        char* at = fill_->Data() + used_;
        used_ += bytes;
        return at;
    }
    // Hands the window to the file; false once a write has failed.
    bool Flush() {
        if (!Wait()) return false;
        std::swap(fill_, spare_);
        pending_ = std::async(std::launch::async, [this, bytes = used_] {
            return file_.Write(std::string_view(spare_->Data(), bytes));
        });
        used_ = 0;
        return true;
    }
    // Waits for the window in flight; false when a write has failed.
    bool Wait() {
        if (pending_.valid()) ok_ = pending_.get() && ok_;
        return ok_;
    }

  private:
    SaveFile& file_;
    LargeBuffer buffers_[2];
    LargeBuffer* fill_ = &buffers_[0];
    LargeBuffer* spare_ = &buffers_[1];
    size_t used_ = 0;
    std::future<bool> pending_;
    bool ok_ = true;
};

// Where a record lies in the window: its start and the length of its text.
struct Record {
    size_t at;
    uint32_t text;
    size_t Blocks() const { return at + 8 + text; }
};

// Length of the probe texts joined by TAB (a probe beyond the annotation has empty texts).
size_t JoinedLength(const tOligoArray& oligo, int i) {
    size_t n = kProbeTexts - 1;
    if (size_t(i) < oligo.size())
        for (int k = 1; k <= kProbeTexts; ++k) n += oligo[size_t(i)].Str[size_t(k)].size();
    return n;
}

// Lengths and texts of records [from, to) of the window, whose first is probe `first`.
void WriteTexts(const tOligoArray& oligo, int first, int from, int to,
                const std::vector<Record>& records, size_t blocks, char* base) {
    for (int k = from; k < to; ++k) {
        const Record& r = records[size_t(k)];
        const uint32_t lengths[2] = {uint32_t(4 + r.text + blocks), r.text};
        char* p = base + r.at;
        std::memcpy(p, lengths, sizeof lengths);
        p += sizeof lengths;
        const size_t i = size_t(first + k);
        for (int s = 1; s <= kProbeTexts; ++s) {
            if (s > 1) *p++ = '\t';
            if (i >= oligo.size()) continue;
            const std::string& t = oligo[i].Str[size_t(s)];
            p = std::replace_copy(t.begin(), t.end(), p, '\t', ' ');
        }
    }
}

// The data blocks of hybridisation h in the window's records of probes first.. of `array`.
void WriteBlocks(const tCGHProbeArray& array, int h, int first, const std::vector<Record>& records,
                 char* base) {
    const float* cols[kStoredSlots];
    for (int s = 0; s < kStoredSlots; ++s) cols[s] = array.Slot(s + 1);
    const size_t skip = size_t(h - 1) * kBlockBytes;
    const int count = int(records.size());
    alignas(64) float v[kStoredSlots][kTileProbes];
    for (int k = 0; k < count; k += kTileProbes) {
        const int m = std::min(kTileProbes, count - k);
        // Zeros beyond the array: a shorter one than hybridisation 1's.
        const int have = std::clamp(array.Size() - (first + k), 0, m);
        for (int s = 0; s < kStoredSlots; ++s) {
            if (have > 0) std::memcpy(v[s], cols[s] + first + k, size_t(have) * sizeof(float));
            std::fill(v[s] + have, v[s] + m, 0.0f);
        }
        for (int j = 0; j < m; ++j) {
            float f[kStoredSlots];
            for (int s = 0; s < kStoredSlots; ++s) f[s] = v[s][j];
            std::memcpy(base + records[size_t(k + j)].Blocks() + skip, f, kBlockBytes);
        }
    }
}

// Hands the header and every probe record to `out`, the last window flushed. False when the user
// cancels, or with `error` set when a record cannot be written.
bool WriteRecords(const tCGH_DataSet& data, int hnum,
                  const std::array<int, kChromosomes + 1>& counts, WindowWriter& out,
                  ProgressSteps& steps, std::string& error) {
    const std::string header = HeaderRecords(data, hnum, counts);
    char* base = out.Reserve(header.size());
    if (!base) return true;
    std::memcpy(base, header.data(), header.size());
    int64_t total = 0;
    for (int c = 1; c <= kChromosomes; ++c) total += counts[c];

    // A window of records is laid out (lengths and texts) first; then the texts and each
    // hybridisation's data blocks are filled in by several threads.
    const size_t blocks = size_t(hnum) * kBlockBytes;
    std::vector<Record> records;
    int64_t done = 0;
    for (int c = 1; c <= kChromosomes; ++c)
        for (int first = 1; first <= counts[c];) {
            records.clear();
            size_t bytes = 0;
            for (int i = first; i <= counts[c] && (bytes < kWindowBytes || records.empty()); ++i) {
                const size_t text = JoinedLength(data.Oligo[c], i);
                if (4 + text + blocks > UINT32_MAX) {
                    error = "probe texts too long";
                    return false;
                }
                records.push_back({bytes, uint32_t(text)});
                bytes += 8 + text + blocks;
            }
            if (!(base = out.Reserve(bytes)))
                return true; // the write error is the file's to report
            const int count = int(records.size());
            ParallelChunks(
                kTextTasks + hnum,
                [&](int task) {
                    if (task < kTextTasks)
                        WriteTexts(data.Oligo[c], first, TextTaskStart(task, count),
                                   TextTaskStart(task + 1, count), records, blocks, base);
                    else
                        WriteBlocks(data.Hyb[task - kTextTasks + 1].Chr[c], task - kTextTasks + 1,
                                    first, records, base);
                },
                nullptr, ThreadsFor(bytes));
            first += count;
            done += count;
            if (!steps.Step(
                    ProgressSteps::Scale(0, ProgressSteps::kMaximum, double(done), double(total))))
                return false;
        }
    out.Flush();
    return true;
}

} // namespace

bool WriteCGHMatrix(tCGH_DataSet& data, const std::string& fileName, ProgressSink* progress,
                    LogSink* log, std::string& error) {
    const Stopwatch clock;
    data.CNum = kChromosomes;
    const int hnum = std::clamp(data.HNum, 0, kMaxHybridisations);
    std::array<int, kChromosomes + 1> counts{};
    for (int c = 1; c <= kChromosomes; ++c) counts[c] = data.Hyb[1].Chr[c].Count();
    SaveFile file;
    if (!file.Open(fileName, error)) return false;
    WindowWriter out(file);
    ProgressSteps steps(progress);
    try {
        if (!WriteRecords(data, hnum, counts, out, steps, error)) {
            error = error.empty() ? "Saving cancelled: " + fileName + " was not written"
                                  : "Cannot write file: " + fileName + " (" + error + ")";
            return false;
        }
    } catch (const std::bad_alloc&) {
        error = "Cannot write file: " + fileName + " (not enough memory)";
        return false;
    }
    out.Wait();
    if (!file.Commit(error)) return false; // also reports a failed write
    steps.Finish();
    Report(log).Add(clock.Line());
    return true;
}

#include "cghmatrixfile.h"

#include "binaryio.h"
#include "cghmatrixformat.h"
#include "elapsed.h"
#include "progresssteps.h"

#include <climits>
#include <cstring>
#include <future>
#include <memory>

namespace {

using namespace cgm;

constexpr size_t kWriteBytes = size_t(8) << 20;

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

// The probe texts joined by TAB, each text's own TABs written as blanks.
void JoinProbeTexts(const tOligoArray& oligo, int i, std::string& text) {
    text.clear();
    for (int k = 1; k <= kProbeTexts; ++k) {
        if (k > 1) text += '\t';
        if (size_t(i) < oligo.size()) AppendUntabbed(text, oligo[size_t(i)].Str[size_t(k)]);
    }
}

// Fills one block of records while another thread hands the previous block to the file.
class RecordWriter {
  public:
    explicit RecordWriter(SaveFile& file) : file_(file) {}
    ~RecordWriter() { Wait(); }
    RecordWriter(const RecordWriter&) = delete;
    RecordWriter& operator=(const RecordWriter&) = delete;

    // Room for `bytes` more bytes at the end of the block; valid until the next call. False
    // once a write has failed.
    bool Reserve(size_t bytes, char*& at) {
        if (fill_.size + bytes > fill_.capacity && fill_.size > 0 && !Flush()) return false;
        if (bytes > fill_.capacity) fill_.Allocate(std::max(bytes, kWriteBytes));
        at = fill_.data.get() + fill_.size;
        fill_.size += bytes;
        return true;
    }
    bool HeaderRecord(std::string_view text) {
        std::string rec;
        AppendU32(rec, uint32_t(4 + text.size()));
        AppendText(rec, text);
        char* at = nullptr;
        if (!Reserve(rec.size(), at)) return false;
        std::memcpy(at, rec.data(), rec.size());
        return true;
    }
    // Hands the block to the file; false once a write has failed.
    bool Flush() {
        if (!Wait()) return false;
        std::swap(fill_, spare_);
        fill_.size = 0;
        if (fill_.capacity == 0) fill_.Allocate(kWriteBytes);
        pending_ = std::async(std::launch::async, [this] {
            return file_.Write(std::string_view(spare_.data.get(), spare_.size));
        });
        return true;
    }
    // Waits for the block in flight; false when a write has failed.
    bool Wait() {
        if (pending_.valid()) ok_ = pending_.get() && ok_;
        return ok_;
    }

  private:
    struct Block {
        std::unique_ptr<char[]> data; // not zero-filled: every byte is written before use
        size_t size = 0, capacity = 0;
        void Allocate(size_t n) {
            auto fresh = std::make_unique_for_overwrite<char[]>(n);
            if (size > 0) std::memcpy(fresh.get(), data.get(), size);
            data = std::move(fresh);
            capacity = n;
        }
    };

    SaveFile& file_;
    Block fill_, spare_;
    std::future<bool> pending_;
    bool ok_ = true;
};

} // namespace

bool WriteCGHMatrix(tCGH_DataSet& data, const std::string& fileName, ProgressSink* progress,
                    LogSink* log, std::string& error) {
    const Stopwatch clock;
    data.CNum = kChromosomes;
    const int hnum = std::clamp(data.HNum, 0, kMaxHybridisations);
    SaveFile file;
    if (!file.Open(fileName, error)) return false;
    RecordWriter out(file);
    bool ok = out.HeaderRecord(kMagic) &&
              out.HeaderRecord("CNum\t" + std::to_string(kChromosomes)) &&
              out.HeaderRecord("HNum\t" + std::to_string(hnum));
    std::array<int, kChromosomes + 1> counts{};
    int64_t total = 0;
    for (int c = 1; c <= kChromosomes; ++c) {
        counts[c] = data.Hyb[1].Chr[c].Count();
        total += counts[c];
        ok = ok && out.HeaderRecord("ONum" + std::to_string(c) + "\t" + std::to_string(counts[c]));
    }
    std::string text = "File names";
    for (int h = 1; h <= hnum; ++h) {
        text += '\t';
        AppendUntabbed(text, data.Hyb[h].FileName);
    }
    ok = ok && out.HeaderRecord(text);
    for (int k = 2; k <= kAnnotationKeys; ++k) {
        // Every key that has a name is written, the name without its surrounding blanks.
        if (data.Annotation[0][k].empty()) continue;
        text.clear();
        AppendUntabbed(text, Trimmed(data.Annotation[0][k]));
        for (int h = 1; h <= hnum; ++h) {
            text += '\t';
            AppendUntabbed(text, data.Annotation[h][k]);
        }
        ok = ok && out.HeaderRecord(text);
    }
    ok = ok && out.HeaderRecord(kEndOfHeader);
    ProgressSteps steps(progress);

    // Each batch of probe records is laid out (lengths and texts) first; then the threads fill
    // in the data blocks, each for its own hybridisations.
    const size_t blocks = size_t(hnum) * kBlockBytes;
    const int batch = BatchProbes(int64_t(8 + blocks));
    std::vector<std::string> texts(static_cast<size_t>(batch));
    std::vector<size_t> offsets(static_cast<size_t>(batch));
    int64_t done = 0;
    for (int c = 1; c <= kChromosomes && ok; ++c) {
        const float* cols[kMaxHybridisations + 1][kStoredSlots + 1] = {};
        int size[kMaxHybridisations + 1] = {};
        for (int h = 1; h <= hnum; ++h) {
            const auto& arr = data.Hyb[h].Chr[c];
            size[h] = arr.Size();
            for (int s = 1; s <= kStoredSlots; ++s) cols[h][s] = arr.Slot(s);
        }
        for (int first = 1; first <= counts[c] && ok; first += batch) {
            const int n = std::min(batch, counts[c] - first + 1);
            size_t bytes = 0;
            for (int b = 0; b < n; ++b) {
                JoinProbeTexts(data.Oligo[c], first + b, texts[size_t(b)]);
                if (4 + texts[size_t(b)].size() + blocks > UINT32_MAX) {
                    error = "Cannot write file: " + fileName + " (probe texts too long)";
                    return false;
                }
                bytes += 8 + texts[size_t(b)].size() + blocks;
            }
            char* base = nullptr;
            if (!(ok = out.Reserve(bytes, base))) break;
            char* p = base;
            for (int b = 0; b < n; ++b) {
                const std::string& t = texts[size_t(b)];
                const uint32_t lengths[2] = {uint32_t(4 + t.size() + blocks), uint32_t(t.size())};
                std::memcpy(p, lengths, 8);
                std::memcpy(p + 8, t.data(), t.size());
                offsets[size_t(b)] = size_t(p - base) + 8 + t.size();
                p += 8 + t.size() + blocks;
            }
            ShareHybridisations(hnum, int64_t(n) * int64_t(blocks), [&](int firstHyb, int step) {
                for (int tile = 0; tile < n; tile += kTileProbes) {
                    const int tileEnd = std::min(n, tile + kTileProbes);
                    for (int h = firstHyb; h <= hnum; h += step) {
                        const size_t skip = size_t(h - 1) * kBlockBytes;
                        for (int b = tile; b < tileEnd; ++b) {
                            const int i = first + b;
                            float f[kStoredSlots] = {}; // a shorter array than hybridisation 1's
                            if (i < size[h])
                                for (int s = 1; s <= kStoredSlots; ++s) f[s - 1] = cols[h][s][i];
                            std::memcpy(base + offsets[size_t(b)] + skip, f, kBlockBytes);
                        }
                    }
                }
            });
            const int64_t before = done;
            done += n;
            if (done / kProgressStep != before / kProgressStep &&
                !steps.Step(ProgressSteps::Scale(0, ProgressSteps::kMaximum, double(done),
                                                 double(total)))) {
                error = "Saving cancelled: " + fileName + " was not written";
                return false;
            }
        }
    }
    ok = ok && out.Flush() && out.Wait();
    if (!file.Commit(error)) return false; // also reports a failed write
    steps.Finish();
    Report(log).Add(clock.Line());
    return true;
}

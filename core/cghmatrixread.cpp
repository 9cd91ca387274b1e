#include "cghmatrixfile.h"

#include "binaryio.h"
#include "cghmatrixformat.h"
#include "cghmatrixheader.h"
#include "elapsed.h"
#include "largememory.h"
#include "parallel.h"
#include "progresssteps.h"

#include <atomic>
#include <cstring>
#include <functional>
#include <memory>
#include <new>
#include <optional>

namespace {

using namespace cgm;

// Share of the progress bar for the first pass, which reads the file from disk when it is not
// in the page cache; the second one stores what the first proved sound.
constexpr int kCheckedPosition = ProgressSteps::kMaximum / 2;
constexpr int kPrefetch = 8; // records ahead of the one decoded
constexpr const char* kChanged = "the file changed while it was read";

// True when the text holds at least the TABs that part the probe texts.
bool HasProbeTexts(const char* text, size_t length) {
    const char* end = text + length;
    int tabs = 0;
    for (const char* p = text; tabs < kProbeTexts - 1; ++p, ++tabs)
        if (!(p = static_cast<const char*>(std::memchr(p, '\t', size_t(end - p))))) return false;
    return true;
}

bool AllZeroBits(const float* v, int n) {
    uint32_t bits = 0;
    for (int i = 0; i < n; ++i) bits |= std::bit_cast<uint32_t>(v[i]);
    return bits == 0;
}

// The columns of one probe array while its values arrive a tile at a time. As LoadSlot would
// have it: a slot gets a column only once it holds a value other than +0, and shares the column
// of an earlier slot for as long as both hold the same values.
class SlotColumns {
  public:
    using Tile = float[kStoredSlots][kTileProbes];

    void Start(ColumnArena& arena, int probes) {
        arena_ = &arena;
        length_ = size_t(probes) + 10;
        rep_.fill(0);
        for (auto& c : col_) c.reset();
    }

    // Takes slots from + 1..to of probes at..at + m - 1.
    void Add(int at, int m, const Tile& v, int from, int to) {
        const size_t bytes = size_t(m) * sizeof(float);
        for (int s = from + 1; s <= to; ++s) {
            const float* values = v[s - 1];
            const int t = rep_[s];
            if (t == s) {
                std::memcpy(col_[s].get() + at, values, bytes);
                continue;
            }
            if (t != 0 && std::memcmp(values, v[t - 1], bytes) == 0) continue;
            if (t == 0) {
                if (AllZeroBits(values, m)) continue;
                // Zeros so far like this one: the slots that part from zeros here.
                for (int u = from + 1; u < s && rep_[s] == 0; ++u)
                    if (rep_[u] == u && partedAt_[u] == at &&
                        std::memcmp(values, v[u - 1], bytes) == 0)
                        rep_[s] = int8_t(u);
                if (rep_[s] != 0) continue;
            }
            col_[s] = arena_->Zeroed(length_);
            if (t != 0) std::memcpy(col_[s].get(), col_[t].get(), size_t(at) * sizeof(float));
            std::memcpy(col_[s].get() + at, values, bytes);
            rep_[s] = int8_t(s);
            partedAt_[s] = t == 0 ? at : -1;
        }
    }

    // Gives the array its columns; slots 1..3 those of `positions` when given.
    void Install(tCGHProbeArray& array, const SlotColumns* positions) const {
        for (int s = 1; s <= kStoredSlots; ++s) {
            const SlotColumns& from = positions && s <= 3 ? *positions : *this;
            if (const int t = from.rep_[s]) array.SetColumn(s, from.col_[t]);
        }
    }

  private:
    ColumnArena* arena_ = nullptr;
    size_t length_ = 0;
    std::array<int8_t, kStoredSlots + 1> rep_{}; // 0: zeros; s: its own column; t < s: t's
    std::array<int, kStoredSlots + 1> partedAt_{};
    std::array<std::shared_ptr<float[]>, kStoredSlots + 1> col_;
};

// A run of records of one chromosome, read and stored together.
struct Window {
    int chr, first, count; // probes first..first + count - 1
    int64_t offset;        // of the first record
    size_t bytes;
};

// The probe records, read a window at a time. Checking walks every record and notes the windows;
// storing puts the probes into a data set whose arrays of them are empty. A load that replaces
// data checks the whole file in one pass before it frees anything and stores in a second.
class ProbeRecords {
  public:
    ProbeRecords(const MatrixFile& file, const MatrixHeader& header, ProgressSteps& steps)
        : file_(file), header_(header), hnum_(header.hnum), steps_(steps) {}

    // One pass over the records: `check` reads and checks them (a first pass), else the windows
    // noted are read again; `into`, when given, receives the probe arrays of hybridisations
    // 1..HNum and the probe annotation of all 24 chromosomes. The progress moves from `from` to
    // `to`. False with `error` set on failure.
    bool Pass(bool check, tCGH_DataSet* into, int from, int to, std::string& error) {
        if (check && !Fits(error)) return false;
        if (into)
            SizeAnnotation(*into);
        else
            ReserveAnnotation();
        ColumnArena arena;
        std::vector<SlotColumns> columns(into ? size_t(hnum_) + 1 : 0);
        // Hybridisations whose positions are hybridisation 1's share its columns of them; those
        // whose positions part from them somewhere have theirs stored in a second pass over the
        // chromosome.
        std::vector<char> ownPositions(size_t(hnum_) + 1);
        const bool store = into && hnum_ > 0;
        const int64_t bytes = check ? file_.Size() - header_.probesAt : Checked();
        int64_t at = header_.probesAt;
        size_t w = 0;
        for (int c = 1; c <= kChromosomes; ++c) {
            const size_t firstWindow = w;
            if (store) {
                for (auto& cols : columns) cols.Start(arena, header_.counts[c]);
                std::fill(ownPositions.begin(), ownPositions.end(), 0);
            }
            for (int first = 1; first <= header_.counts[c]; first += windows_[w++].count) {
                if (check ? !Next(c, first, at, error) : !Reread(windows_[w], error)) return false;
                const Window& window = windows_[w];
                at = window.offset + int64_t(window.bytes);
                if (store && !StoreWindow(window, into->Oligo[c], columns, ownPositions, error))
                    return false;
                if (!steps_.Step(ProgressSteps::Scale(from, to, double(at - header_.probesAt),
                                                      double(bytes))))
                    return Fail("loading cancelled", error);
            }
            if (store && !Install(*into, c, firstWindow, w, columns, ownPositions, error))
                return false;
        }
        return true;
    }

  private:
    enum class Walked { kWhole, kPart, kEnds, kTruncated, kMalformed, kTooFewTexts };
    struct Record {
        size_t body;   // where its body lies in the buffer
        uint32_t text; // the length of its text
        size_t Blocks() const { return body + 4 + text; }
    };

    // Every probe record takes at least its length, its text length and HNum blocks (with no
    // hybridisations an empty body is accepted): the counts must fit in the bytes left before
    // anything is sized from them.
    bool Fits(std::string& error) const {
        const int64_t minRecord = hnum_ == 0 ? 4 : 8 + int64_t(hnum_) * int64_t(kBlockBytes);
        int64_t total = 0;
        for (int c = 1; c <= kChromosomes; ++c) total += header_.counts[c];
        return total <= (file_.Size() - header_.probesAt) / minRecord ||
               Fail("the probe counts exceed what the file holds", error);
    }

    // Reads and checks the next window, the records of chromosome c from probe `first` on that
    // start at `at`, and notes it.
    bool Next(int c, int first, int64_t at, std::string& error) {
        const int want = header_.counts[c] - first + 1;
        size_t bytes = size_t(std::min<int64_t>(kWindowBytes, file_.Size() - at));
        Walked walked;
        for (;;) {
            if (!Read(at, bytes, error)) return false;
            walked = Walk(bytes, at + int64_t(bytes) == file_.Size(), want, true);
            if (walked != Walked::kPart || got_ > 0) break;
            // One record larger than a window.
            bytes = size_t(std::min<int64_t>(int64_t(need_), file_.Size() - at));
        }
        if (walked > Walked::kPart) return Fail(WalkError(walked, c, first), error);
        windows_.push_back({c, first, got_, at, used_});
        return true;
    }

    // Bytes of the windows noted.
    int64_t Checked() const {
        return windows_.empty()
                   ? 0
                   : windows_.back().offset + int64_t(windows_.back().bytes) - header_.probesAt;
    }

    // Gives the probe arrays of chromosome c their columns, once the positions that part from
    // hybridisation 1's are stored from windows [firstWindow, endWindow).
    bool Install(tCGH_DataSet& data, int c, size_t firstWindow, size_t endWindow,
                 std::vector<SlotColumns>& columns, const std::vector<char>& ownPositions,
                 std::string& error) {
        std::vector<int> parted;
        for (int h = 2; h <= hnum_; ++h)
            if (ownPositions[size_t(h)]) parted.push_back(h);
        for (size_t w = firstWindow; w < endWindow && !parted.empty(); ++w)
            if (!StorePositions(windows_[w], parted, columns, error)) return false;
        ParallelChunks(
            hnum_,
            [&](int task) {
                const int h = task + 1;
                tCGHProbeArray& array = data.Hyb[h].Chr[c];
                array.Resize(header_.counts[c] + 10);
                array.SetCount(header_.counts[c]);
                columns[size_t(h)].Install(array, h > 1 && !ownPositions[size_t(h)] ? &columns[1]
                                                                                    : nullptr);
                array.ShareSlot(4, 40); // the raw copy that "Restore raw values" reads
            },
            nullptr, ThreadsFor(size_t(header_.counts[c]) * size_t(hnum_) * kBlockBytes));
        return true;
    }

    static bool Fail(std::string reason, std::string& error) {
        error = std::move(reason);
        return false;
    }

    bool Read(int64_t at, size_t bytes, std::string& error) {
        const int err = ReadRange(file_.Descriptor(), at, buffer_.Reserve(bytes), bytes);
        return err == 0 || Fail(ReadErrorText(err), error);
    }

    // Walks up to `want` records from the start of the buffer's first `size` bytes, noting where
    // they lie (got_, used_, records_). kWhole: all of them; kPart: the next one reaches beyond
    // `size` but not beyond the end of the file, and takes need_ bytes; else the record got_
    // fails.
    Walked Walk(size_t size, bool fileEnds, int want, bool checkTexts) {
        const char* bytes = buffer_.Data();
        records_.clear();
        got_ = 0;
        used_ = 0;
        for (; got_ < want; ++got_) {
            const size_t left = size - used_;
            if (left < 4 || left - 4 < LoadU32(bytes + used_)) {
                if (!fileEnds) {
                    need_ = left < 4 ? 4 : 4 + size_t(LoadU32(bytes + used_));
                    return Walked::kPart;
                }
                return left == 0 ? Walked::kEnds : Walked::kTruncated;
            }
            const size_t length = LoadU32(bytes + used_);
            const size_t body = used_ + 4;
            used_ = body + length;
            if (length == 0 && hnum_ == 0) continue;
            if (length < 4) return Walked::kMalformed;
            const uint32_t text = LoadU32(bytes + body);
            if (text > length - 4 || length - 4 - text != size_t(hnum_) * kBlockBytes)
                return Walked::kMalformed;
            if (checkTexts && !HasProbeTexts(bytes + body + 4, text)) return Walked::kTooFewTexts;
            if (hnum_ > 0) records_.push_back({body, text});
        }
        return Walked::kWhole;
    }

    std::string WalkError(Walked walked, int c, int first) const {
        const std::string probe =
            std::to_string(first + got_) + " on chromosome " + std::to_string(c);
        switch (walked) {
        case Walked::kEnds:
            return "the file ends before the probes of chromosome " + std::to_string(c);
        case Walked::kTruncated:
            return "the file is truncated in the probes of chromosome " + std::to_string(c);
        case Walked::kMalformed:
            return "malformed record of probe " + probe;
        default:
            return "too few annotation texts for probe " + probe;
        }
    }

    // Probes whose annotation is stored: none without hybridisations (a probe record may then
    // be 4 bytes, which could not pay for it).
    int AnnotatedProbes(int c) const { return hnum_ == 0 ? 0 : header_.counts[c]; }

    size_t AnnotationBytes() const {
        size_t n = 0;
        for (int c = 1; c <= kChromosomes; ++c) n += size_t(AnnotatedProbes(c)) + 10;
        return n * sizeof(tOligoAnnotation);
    }

    // The probe annotation's room, taken while a refusal still changes nothing; its pages are
    // only touched once it is filled.
    void ReserveAnnotation() {
        for (int c = 1; c <= kChromosomes; ++c) {
            tOligoArray& oligo = annotation_[size_t(c)];
            oligo.reserve(size_t(AnnotatedProbes(c)) + 10);
            AdviseHugePages(oligo.data(), oligo.capacity() * sizeof(tOligoAnnotation));
        }
    }

    // The probe annotation of every chromosome, sized for the file's probes.
    void SizeAnnotation(tCGH_DataSet& data) {
        ParallelChunks(
            kChromosomes,
            [&](int task) {
                const int c = task + 1;
                tOligoArray& oligo = data.Oligo[c];
                oligo.swap(annotation_[size_t(c)]);
                if (oligo.capacity() == 0) {
                    oligo.reserve(size_t(AnnotatedProbes(c)) + 10);
                    AdviseHugePages(oligo.data(), oligo.capacity() * sizeof(tOligoAnnotation));
                }
                oligo.resize(size_t(AnnotatedProbes(c)) + 10);
                oligo[0].Num[0] = float(AnnotatedProbes(c));
            },
            nullptr, ThreadsFor(AnnotationBytes()));
    }

    // Reads a window again; false with `error` set when its records are not those checked.
    bool Reread(const Window& window, std::string& error) {
        if (!Read(window.offset, window.bytes, error)) return false;
        return (Walk(window.bytes, true, window.count, false) == Walked::kWhole &&
                used_ == window.bytes) ||
               Fail(kChanged, error);
    }

    // Stores the window walked last.
    bool StoreWindow(const Window& window, tOligoArray& oligo, std::vector<SlotColumns>& columns,
                     std::vector<char>& ownPositions, std::string& error) {
        std::atomic<bool> changed{false};
        ParallelChunks(
            kTextTasks + hnum_,
            [&](int task) {
                if (task < kTextTasks) {
                    StoreTexts(oligo, window.first, TextTaskStart(task, window.count),
                               TextTaskStart(task + 1, window.count), changed);
                    return;
                }
                const int h = task - kTextTasks + 1;
                if (h == 1)
                    StoreBlocks(window, 1, columns[1], 0, nullptr);
                else
                    StoreBlocks(window, h, columns[size_t(h)], 3, &ownPositions[size_t(h)]);
            },
            nullptr, ThreadsFor(window.bytes));
        return !changed || Fail(kChanged, error);
    }

    // Slots 1..3 of hybridisations `hybs` in a window.
    bool StorePositions(const Window& window, const std::vector<int>& hybs,
                        std::vector<SlotColumns>& columns, std::string& error) {
        if (!Reread(window, error)) return false;
        ParallelChunks(
            int(hybs.size()),
            [&](int task) {
                const int h = hybs[size_t(task)];
                StoreBlocks(window, h, columns[size_t(h)], 0, nullptr, 3);
            },
            nullptr, ThreadsFor(window.bytes));
        return true;
    }

    // Probe texts and positions of records [from, to) of the window.
    void StoreTexts(tOligoArray& oligo, int first, int from, int to,
                    std::atomic<bool>& changed) const {
        const char* bytes = buffer_.Data();
        std::vector<std::string_view> items;
        for (int k = from; k < to; ++k) {
            const Record& r = records_[size_t(k)];
            SplitTabs(std::string_view(bytes + r.body + 4, r.text), items);
            if (items.size() < size_t(kProbeTexts)) {
                changed = true;
                return;
            }
            tOligoAnnotation& probe = oligo[size_t(first + k)];
            for (int i = 1; i <= kProbeTexts; ++i) probe.Str[size_t(i)] = items[size_t(i - 1)];
            std::memcpy(&probe.Num[1], bytes + r.Blocks(), kPositionBytes);
        }
    }

    // Slots from + 1..to of hybridisation h in the window's records. With `parted`, slots 1..3
    // are compared with hybridisation 1's, and it is set where they differ.
    void StoreBlocks(const Window& window, int h, SlotColumns& columns, int from, char* parted,
                     int to = kStoredSlots) const {
        const char* bytes = buffer_.Data();
        const size_t skip = size_t(h - 1) * kBlockBytes;
        bool same = true;
        alignas(64) SlotColumns::Tile v;
        for (int k = 0; k < window.count; k += kTileProbes) {
            const int m = std::min(kTileProbes, window.count - k);
            for (int j = 0; j < m; ++j) {
                // The records lie a page or more apart, beyond what the hardware prefetches.
                if (k + j + kPrefetch < window.count) {
                    const char* ahead = bytes + records_[size_t(k + j + kPrefetch)].Blocks() + skip;
                    __builtin_prefetch(ahead);
                    __builtin_prefetch(ahead + kBlockBytes - 1);
                }
                const char* block = bytes + records_[size_t(k + j)].Blocks();
                float f[kStoredSlots];
                std::memcpy(f, block + skip, kBlockBytes);
                for (int s = 0; s < kStoredSlots; ++s) v[s][j] = f[s];
                if (parted) same = same && std::memcmp(block, f, kPositionBytes) == 0;
            }
            columns.Add(window.first + k, m, v, from, to);
        }
        if (!same) *parted = 1;
    }

    const MatrixFile& file_;
    const MatrixHeader& header_;
    const int hnum_;
    ProgressSteps& steps_;
    LargeBuffer buffer_;
    std::vector<Record> records_; // of the window walked last
    int got_ = 0;
    size_t used_ = 0, need_ = 0;
    std::vector<Window> windows_;
    std::array<tOligoArray, kChromosomes + 1> annotation_;
};

// Frees the probe arrays of hybridisations 1..hnum and the probe annotation.
void FreeProbes(tCGH_DataSet& data, int hnum) {
    for (int h = 1; h <= hnum; ++h)
        for (auto& array : data.Hyb[h].Chr) array = tCGHProbeArray();
    for (auto& oligo : data.Oligo) tOligoArray().swap(oligo);
}

// True when `data` holds probes of hybridisations 1..hnum or a probe annotation: what a load
// into it frees first.
bool HoldsProbes(const tCGH_DataSet& data, int hnum) {
    for (int h = 1; h <= hnum; ++h)
        for (const auto& array : data.Hyb[h].Chr)
            if (array.Size() > 0) return true;
    for (const auto& oligo : data.Oligo)
        if (!oligo.empty()) return true;
    return false;
}

// The load of one file: its header, then one or two passes over its probe records. Each step
// returns false with Error() set when it fails.
class MatrixLoad {
  public:
    MatrixLoad(const std::string& fileName, ProgressSink* progress)
        : fileName_(fileName), steps_(progress) {}

    // Reads the header.
    bool Open() {
        return Try([&](std::string& reason) {
            if (!file_.Open(fileName_, reason) || !ReadMatrixHeader(file_, header_, reason))
                return false;
            // A slot without a name would count as free, and the next file dropped would take
            // it. The names are copied now, so that storing them allocates nothing.
            names_.resize(size_t(header_.hnum) + 1);
            for (int h = 1; h <= header_.hnum; ++h) {
                std::string& name = header_.annotation[size_t(h)][1];
                if (name.empty()) name = "Hybridisation " + std::to_string(h);
                names_[size_t(h)] = name;
            }
            probes_.emplace(file_, header_, steps_);
            return true;
        });
    }
    int HNum() const { return header_.hnum; }

    // Checks every record before anything is freed for the load.
    bool Check() {
        return Try([&](std::string& reason) {
            return probes_->Pass(true, nullptr, 0, kCheckedPosition, reason);
        });
    }
    // Frees what the records checked replace (`freeOld` leaves data's arrays of them empty),
    // then stores them into `data`. Once the freeing begins a cancel would leave the user with
    // nothing, so none is offered from before it.
    template <typename FreeOld> bool Replace(tCGH_DataSet& data, FreeOld freeOld) {
        steps_.SetCancellable(false);
        freeOld();
        const bool stored = Try([&](std::string& reason) {
            return probes_->Pass(false, &data, kCheckedPosition, ProgressSteps::kMaximum, reason);
        });
        steps_.SetCancellable(true);
        return stored;
    }
    // Checks and stores in one pass: for a load that frees nothing.
    bool CheckAndStore(tCGH_DataSet& data) {
        return Try([&](std::string& reason) {
            return probes_->Pass(true, &data, 0, ProgressSteps::kMaximum, reason);
        });
    }

    // Names, annotation keys and counts of the probes stored in `data`.
    void Finish(tCGH_DataSet& data) {
        const int hnum = header_.hnum;
        for (int h = 1; h <= hnum; ++h) data.Hyb[h].FileName = std::move(names_[size_t(h)]);
        for (int h = 1; h <= hnum; ++h) ShareEqualPositions(data, h);
        for (int h = 0; h <= hnum; ++h)
            for (int k = h == 0 ? 2 : 1; k <= header_.keys; ++k)
                data.Annotation[h][k] = std::move(header_.annotation[size_t(h)][size_t(k)]);
        data.HNum = hnum;
        data.CNum = header_.cnum;
        steps_.Finish();
        BumpDataVersion();
    }

    const std::string& Error() const { return error_; }
    // Says in the error that the data loaded before had already been freed.
    void Replaced() {
        error_ += "; the CGH data loaded before had already been cleared to make room for it";
    }

  private:
    template <typename Step> bool Try(Step step) {
        try {
            std::string reason;
            if (step(reason)) return true;
            error_ = "Could not load CGH matrix file \"" + fileName_ + "\": " + reason;
        } catch (const std::bad_alloc&) {
            error_ = NotEnoughMemoryText(fileName_);
        }
        return false;
    }

    const std::string& fileName_; // not a copy, which could run out of memory unhandled
    ProgressSteps steps_;
    MatrixFile file_;
    MatrixHeader header_;
    std::optional<ProbeRecords> probes_;
    std::vector<std::string> names_;
    std::string error_;
};

// What a load that failed after it began to replace data leaves: no hybridisations and no probes,
// and an error that says so.
void DropProbes(tCGH_DataSet& data, MatrixLoad& load) {
    for (auto& hyb : data.Hyb) {
        hyb.FileName.clear();
        hyb.Active = 0;
    }
    FreeProbes(data, kMaxHybridisations);
    data.HNum = 0;
    BumpDataVersion();
    load.Replaced();
}

} // namespace

bool ReadCGHMatrix(tCGH_DataSet& data, const std::string& fileName, ProgressSink* progress,
                   LogSink* log, std::string& error) {
    const Stopwatch clock;
    MatrixLoad load(fileName, progress);
    bool loaded = load.Open();
    const int hnum = load.HNum();
    if (loaded && !HoldsProbes(data, hnum)) {
        loaded = load.CheckAndStore(data);
        if (!loaded) FreeProbes(data, hnum); // as empty as it was
    } else if (loaded && (loaded = load.Check())) {
        loaded = load.Replace(data, [&] { FreeProbes(data, hnum); });
        if (!loaded) DropProbes(data, load);
    }
    if (!loaded) {
        error = load.Error();
        return false;
    }
    load.Finish(data);
    try {
        Report(log).Add(clock.Line());
    } catch (const std::bad_alloc&) {
        // The data are loaded; only the report is short.
    }
    return true;
}

namespace {

// Makes `data` the cleared data set `cleared` with data's recent files and test parameters; the
// previous data set's arrays are freed.
void ReplaceDataSet(tCGH_DataSet& data, std::unique_ptr<tCGH_DataSet> cleared) {
    cleared->RecentFiles.swap(data.RecentFiles);
    cleared->TestParam1 = data.TestParam1;
    cleared->TestParam2 = data.TestParam2;
    cleared->TestParam3 = data.TestParam3;
    cleared->TestParam4 = data.TestParam4;
    cleared->TestParam5 = data.TestParam5;
    cleared->TestParam6 = data.TestParam6;
    data = std::move(*cleared);
}

} // namespace

CGHMatrixLoad LoadCGHMatrixDataSet(tCGH_DataSet& data, const std::string& fileName,
                                   ProgressSink* progress) {
    CGHMatrixLoad result;
    const Stopwatch clock;
    // Made before the load, so that replacing the data set allocates nothing.
    std::unique_ptr<tCGH_DataSet> cleared;
    try {
        result.report.push_back("Trying to load file  \"" + fileName + "\"  .....");
        cleared = std::make_unique<tCGH_DataSet>();
        ClearCGHDataSet(*cleared);
    } catch (const std::bad_alloc&) {
        result.error = NotEnoughMemoryText(fileName);
        return result;
    }
    MatrixLoad load(fileName, progress);
    bool loaded = load.Open();
    if (loaded && !HoldsProbes(data, kMaxHybridisations)) {
        loaded = load.CheckAndStore(*cleared);
        if (loaded) ReplaceDataSet(data, std::move(cleared));
    } else if (loaded && (loaded = load.Check())) {
        loaded = load.Replace(data, [&] { ReplaceDataSet(data, std::move(cleared)); });
        if (!loaded) DropProbes(data, load);
    }
    result.ok = loaded;
    if (!result.ok) {
        result.error = load.Error();
        return result;
    }
    load.Finish(data);
    for (int h = 1; h <= data.HNum; ++h) data.Hyb[h].Active = 1;
    try {
        result.report.push_back(clock.Line());
        result.report.push_back("Loaded CGH probes:");
        for (int c = 1; c <= kChromosomes; ++c)
            result.report.push_back("Chromosome " + std::to_string(c) + "\t" +
                                    std::to_string(OligoCount(data.Oligo[c])));
        result.report.push_back("");
    } catch (const std::bad_alloc&) {
        // The data set is loaded; only its report is short.
    }
    return result;
}

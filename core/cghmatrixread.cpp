#include "cghmatrixfile.h"

#include "binaryio.h"
#include "cghmatrixformat.h"
#include "elapsed.h"
#include "largememory.h"
#include "numbers.h"
#include "parallel.h"
#include "progresssteps.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <memory>
#include <new>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using namespace cgm;

constexpr size_t kHeaderBlock = size_t(1) << 20; // the header is read this much at a time
// Share of the progress bar for the first pass, which reads the file from disk when it is not
// in the page cache; the second one stores what the first proved sound.
constexpr int kCheckedPosition = ProgressSteps::kMaximum / 2;
constexpr int kPrefetch = 8; // records ahead of the one decoded
constexpr const char* kChanged = "the file changed while it was read";

std::string ReadErrorText(int err) {
    return "read error (" + std::string(std::strerror(err)) + ")";
}

// Splits at every TAB; quotes have no meaning in this file.
void SplitTabs(std::string_view s, std::vector<std::string_view>& items) {
    items.clear();
    size_t start = 0;
    for (size_t at; (at = s.find('\t', start)) != std::string_view::npos; start = at + 1)
        items.push_back(s.substr(start, at - start));
    items.push_back(s.substr(start));
}

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

class File {
  public:
    ~File() {
        if (fd_ >= 0) ::close(fd_);
    }
    bool Open(const std::string& fileName, std::string& error) {
        fd_ = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC);
        struct stat st {};
        if (fd_ < 0 || ::fstat(fd_, &st) != 0) {
            error = "cannot open the file (" + std::string(std::strerror(errno)) + ")";
            return false;
        }
        size_ = st.st_size;
        return true;
    }
    int Descriptor() const { return fd_; }
    int64_t Size() const { return size_; }

  private:
    int fd_ = -1;
    int64_t size_ = 0;
};

// What the header of a file says.
struct MatrixHeader {
    int cnum = 0, hnum = 0, keys = 1;
    std::array<int, kChromosomes + 1> counts{};
    std::vector<std::array<std::string, kAnnotationKeys + 1>> annotation; // [0..hnum][key]
    int64_t probesAt = 0; // where the first probe record starts
};

// Reads the header records one after the other; `error` receives the reason of a failure.
class HeaderParser {
  public:
    HeaderParser(const File& file, MatrixHeader& out) : file_(file), out_(out) {}

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

    const File& file_;
    MatrixHeader& out_;
    std::string error_;
    std::vector<char> bytes_; // the file from from_ on
    int64_t from_ = 0, at_ = 0;
    int readError_ = 0;
    std::vector<std::string_view> items_;
};

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

// The probe records: a first pass reads them all and checks what could make a load fail, so
// that nothing changes before they are known to be sound; the second stores them.
class ProbeRecords {
  public:
    ProbeRecords(const File& file, const MatrixHeader& header, ProgressSteps& steps)
        : file_(file), header_(header), hnum_(header.hnum), steps_(steps) {}

    bool Check(std::string& error) {
        // Every probe record takes at least its length, its text length and HNum blocks (with
        // no hybridisations an empty body is accepted): the counts must fit in the bytes left
        // before anything is sized from them.
        const int64_t minRecord = hnum_ == 0 ? 4 : 8 + int64_t(hnum_) * int64_t(kBlockBytes);
        int64_t total = 0;
        for (int c = 1; c <= kChromosomes; ++c) total += header_.counts[c];
        if (total > (file_.Size() - header_.probesAt) / minRecord)
            return Fail("the probe counts exceed what the file holds", error);
        // The probe annotation's room is taken now, while a refusal still changes nothing; its
        // pages are only touched once it is filled.
        for (int c = 1; c <= kChromosomes; ++c) {
            tOligoArray& oligo = annotation_[size_t(c)];
            oligo.reserve(size_t(AnnotatedProbes(c)) + 10);
            AdviseHugePages(oligo.data(), oligo.capacity() * sizeof(tOligoAnnotation));
        }

        int64_t at = header_.probesAt;
        for (int c = 1; c <= kChromosomes; ++c)
            for (int first = 1; first <= header_.counts[c];) {
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
                at += int64_t(used_);
                first += got_;
                if (!steps_.Step(ProgressSteps::Scale(0, kCheckedPosition,
                                                      double(at - header_.probesAt),
                                                      double(file_.Size() - header_.probesAt))))
                    return Fail("loading cancelled", error);
            }
        return true;
    }

    // Stores the probe arrays of hybridisations 1..HNum and the probe annotation of all 24
    // chromosomes in `data`, whose arrays of them must be empty.
    bool Store(tCGH_DataSet& data, std::string& error) {
        SizeAnnotation(data);
        if (hnum_ == 0) return true;
        ColumnArena arena;
        std::vector<SlotColumns> columns(size_t(hnum_) + 1);
        // Hybridisations whose positions are hybridisation 1's share its columns of them; those
        // whose positions part from them somewhere have theirs stored in a second pass.
        std::vector<char> ownPositions(size_t(hnum_) + 1);
        std::vector<int> parted;
        const int64_t total = windows_.empty() ? 0
                                               : windows_.back().offset - header_.probesAt +
                                                     int64_t(windows_.back().bytes);
        size_t w = 0;
        for (int c = 1; c <= kChromosomes; ++c) {
            for (auto& cols : columns) cols.Start(arena, header_.counts[c]);
            std::fill(ownPositions.begin(), ownPositions.end(), 0);
            const size_t firstWindow = w;
            for (; w < windows_.size() && windows_[w].chr == c; ++w) {
                if (!StoreWindow(windows_[w], data.Oligo[c], columns, ownPositions, error))
                    return false;
                const Window& done = windows_[w];
                if (!steps_.Step(ProgressSteps::Scale(
                        kCheckedPosition, ProgressSteps::kMaximum,
                        double(done.offset + int64_t(done.bytes) - header_.probesAt),
                        double(total))))
                    return Fail("loading cancelled", error);
            }
            parted.clear();
            for (int h = 2; h <= hnum_; ++h)
                if (ownPositions[size_t(h)]) parted.push_back(h);
            for (size_t v = firstWindow; v < w && !parted.empty(); ++v)
                if (!StorePositions(windows_[v], parted, columns, error)) return false;
            ParallelChunks(
                hnum_,
                [&](int task) {
                    const int h = task + 1;
                    tCGHProbeArray& array = data.Hyb[h].Chr[c];
                    array.Resize(header_.counts[c] + 10);
                    array.SetCount(header_.counts[c]);
                    columns[size_t(h)].Install(
                        array, h > 1 && !ownPositions[size_t(h)] ? &columns[1] : nullptr);
                    array.ShareSlot(4, 40); // the raw copy that "Restore raw values" reads
                },
                nullptr, ThreadsFor(size_t(header_.counts[c]) * size_t(hnum_) * kBlockBytes));
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

    // The probe annotation of every chromosome, sized for the file's probes.
    void SizeAnnotation(tCGH_DataSet& data) {
        ParallelChunks(
            kChromosomes,
            [&](int task) {
                const int c = task + 1;
                tOligoArray& oligo = data.Oligo[c];
                oligo.swap(annotation_[size_t(c)]);
                oligo.resize(size_t(AnnotatedProbes(c)) + 10);
                oligo[0].Num[0] = float(AnnotatedProbes(c));
            },
            nullptr, ThreadsFor(windows_.size() * kWindowBytes));
    }

    // Reads a window again; false with `error` set when its records are not those checked.
    bool Reread(const Window& window, std::string& error) {
        if (!Read(window.offset, window.bytes, error)) return false;
        return (Walk(window.bytes, true, window.count, false) == Walked::kWhole &&
                used_ == window.bytes) ||
               Fail(kChanged, error);
    }

    bool StoreWindow(const Window& window, tOligoArray& oligo, std::vector<SlotColumns>& columns,
                     std::vector<char>& ownPositions, std::string& error) {
        if (!Reread(window, error)) return false;
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

    const File& file_;
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

// What a load that failed after it began to store leaves: no hybridisations and no probes.
void DropProbes(tCGH_DataSet& data) {
    for (auto& hyb : data.Hyb) {
        hyb.FileName.clear();
        hyb.Active = 0;
        for (auto& array : hyb.Chr) array = tCGHProbeArray();
    }
    for (auto& oligo : data.Oligo) tOligoArray().swap(oligo);
    data.HNum = 0;
    BumpDataVersion();
}

// Loads a file into `data`. Once the whole file has proved sound, release(hnum) frees what the
// load replaces, so that the old and the new data set are never held together, and the probes
// are stored straight into `data`. On a failure before that `data` is unchanged; after it (a
// read error, the file changing meanwhile, memory running out, a cancel) `data` holds no
// hybridisations and no probes and `error` says so.
bool LoadInto(tCGH_DataSet& data, const std::string& fileName, ProgressSink* progress,
              std::string& error, const std::function<void(int)>& release) {
    const std::string failed = "Could not load CGH matrix file \"" + fileName + "\": ";
    ProgressSteps steps(progress);
    File file;
    MatrixHeader header;
    std::optional<ProbeRecords> probes;
    std::vector<std::string> names;
    try {
        std::string reason;
        if (!file.Open(fileName, reason) || !HeaderParser(file, header).Parse(reason) ||
            !probes.emplace(file, header, steps).Check(reason)) {
            error = failed + reason;
            return false;
        }
        // A slot without a name would count as free, and the next file dropped would take it.
        names.resize(size_t(header.hnum) + 1);
        for (int h = 1; h <= header.hnum; ++h) {
            std::string& name = header.annotation[size_t(h)][1];
            if (name.empty()) name = "Hybridisation " + std::to_string(h);
            names[size_t(h)] = name;
        }
    } catch (const std::bad_alloc&) {
        error = NotEnoughMemoryText(fileName);
        return false;
    }
    release(header.hnum);
    const char* lost = "; the CGH data loaded before had already been cleared to make room for it";
    try {
        std::string reason;
        if (!probes->Store(data, reason)) {
            DropProbes(data);
            error = failed + reason + lost;
            return false;
        }
    } catch (const std::bad_alloc&) {
        DropProbes(data);
        error = NotEnoughMemoryText(fileName) + lost;
        return false;
    }
    const int hnum = header.hnum;
    for (int h = 1; h <= hnum; ++h) data.Hyb[h].FileName = std::move(names[size_t(h)]);
    for (int h = 1; h <= hnum; ++h) ShareEqualPositions(data, h);
    for (int h = 0; h <= hnum; ++h)
        for (int k = h == 0 ? 2 : 1; k <= header.keys; ++k)
            data.Annotation[h][k] = std::move(header.annotation[size_t(h)][size_t(k)]);
    data.HNum = hnum;
    data.CNum = header.cnum;
    steps.Finish();
    BumpDataVersion();
    return true;
}

} // namespace

bool ReadCGHMatrix(tCGH_DataSet& data, const std::string& fileName, ProgressSink* progress,
                   LogSink* log, std::string& error) {
    const Stopwatch clock;
    const bool loaded = LoadInto(data, fileName, progress, error, [&data](int hnum) {
        for (int h = 1; h <= hnum; ++h)
            for (auto& array : data.Hyb[h].Chr) array = tCGHProbeArray();
        for (auto& oligo : data.Oligo) tOligoArray().swap(oligo);
    });
    if (loaded) Report(log).Add(clock.Line());
    return loaded;
}

CGHMatrixLoad LoadCGHMatrixDataSet(tCGH_DataSet& data, const std::string& fileName,
                                   ProgressSink* progress) {
    CGHMatrixLoad load;
    load.report.push_back("Trying to load file  \"" + fileName + "\"  .....");
    const Stopwatch clock;
    // Made before the load, so that replacing the data set allocates nothing.
    std::unique_ptr<tCGH_DataSet> cleared;
    try {
        cleared = std::make_unique<tCGH_DataSet>();
        ClearCGHDataSet(*cleared);
    } catch (const std::bad_alloc&) {
        load.error = NotEnoughMemoryText(fileName);
        return load;
    }
    load.ok = LoadInto(data, fileName, progress, load.error, [&](int) {
        cleared->RecentFiles.swap(data.RecentFiles);
        cleared->TestParam1 = data.TestParam1;
        cleared->TestParam2 = data.TestParam2;
        cleared->TestParam3 = data.TestParam3;
        cleared->TestParam4 = data.TestParam4;
        cleared->TestParam5 = data.TestParam5;
        cleared->TestParam6 = data.TestParam6;
        data = std::move(*cleared); // the previous data set's arrays go here
        cleared.reset();
    });
    if (!load.ok) return load;
    for (int h = 1; h <= data.HNum; ++h) data.Hyb[h].Active = 1;
    try {
        load.report.push_back(clock.Line());
        load.report.push_back("Loaded CGH probes:");
        for (int c = 1; c <= kChromosomes; ++c)
            load.report.push_back("Chromosome " + std::to_string(c) + "\t" +
                                  std::to_string(OligoCount(data.Oligo[c])));
        load.report.push_back("");
    } catch (const std::bad_alloc&) {
        // The data set is loaded; only its report is short.
    }
    return load;
}

#include "records.h"

#include "largememory.h"
#include "numbers.h"

#include <algorithm>
#include <atomic>
#include <bit>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <new>

tCGH_DataSet CGHData;
tHeatmap ExpData;
tStat ExpStat;
tStat CGHStat;
std::array<tFList, 4> FeatureLists;
tGenomeLayout GenomeLayout;
int32_t IdeogramType = 0;
uint64_t DataVersion = 0;

namespace {
// Readers size arrays from several threads at once.
uint64_t NextGeneration() {
    static std::atomic<uint64_t> last{0};
    return ++last;
}
} // namespace

namespace {

// Zero-filled memory for n floats. Large columns come straight from the system's pages, so
// pages never written (a header column beyond its first element, the shared zero column) hold no
// memory; should the system refuse them, the heap serves.
std::shared_ptr<float[]> ZeroedFloats(size_t n) {
    const size_t bytes = std::max<size_t>(n, 1) * sizeof(float);
    if (bytes >= 65536) {
        try {
            std::shared_ptr<char> pages = ZeroedPages(bytes);
            return {pages, reinterpret_cast<float*>(pages.get())};
        } catch (const std::bad_alloc&) {
        }
    }
    void* p = std::calloc(std::max<size_t>(n, 1), sizeof(float));
    if (!p) throw std::bad_alloc();
    return {static_cast<float*>(p), [](float* q) { std::free(q); }};
}

// The column of +0 or of -0 every array reads its unwritten slots from, at least n long. A longer
// request starts a new one; arrays keep the one they were sized with alive.
std::shared_ptr<float[]> SharedZeros(size_t n, bool negative) {
    struct Column {
        std::shared_ptr<float[]> zeros;
        size_t length = 0;
    };
    static std::mutex lock;
    static Column columns[2];
    const std::lock_guard<std::mutex> guard(lock);
    Column& c = columns[negative];
    if (n > c.length) {
        c.length = std::max(n, c.length * 2);
        c.zeros = ZeroedFloats(c.length);
        if (negative) std::fill_n(c.zeros.get(), c.length, -0.0f);
    }
    return c.zeros;
}

} // namespace

void tCGHProbeArray::Swap(tCGHProbeArray& other) noexcept {
    cols_.swap(other.cols_);
    read_.swap(other.read_);
    zeros_.swap(other.zeros_);
    negativeZeros_.swap(other.negativeZeros_);
    std::swap(size_, other.size_);
    std::swap(generation_, other.generation_);
}

template <typename Fill> void tCGHProbeArray::Rebuild(int n, Fill fill) {
    std::array<Buffer, kColumns> fresh;
    for (int c = 0; c < kColumns; ++c) {
        // A slot reading -0 unwritten gets a column too: new elements are +0.
        if (read_[c] == zeros_.get() || n <= 0) continue;
        for (int earlier = 0; earlier < c && !fresh[c]; ++earlier)
            if (read_[earlier] == read_[c]) fresh[c] = fresh[earlier];
        if (fresh[c]) continue;
        fresh[c] = ZeroedFloats(static_cast<size_t>(n));
        fill(read_[c], fresh[c].get());
    }
    zeros_ = n > 0 ? SharedZeros(static_cast<size_t>(n), false) : nullptr;
    negativeZeros_ = nullptr;
    cols_ = std::move(fresh);
    for (int c = 0; c < kColumns; ++c) read_[c] = cols_[c] ? cols_[c].get() : zeros_.get();
    size_ = std::max(n, 0);
    generation_ = NextGeneration();
}

void tCGHProbeArray::Resize(int n) {
    const int kept = std::min(size_, std::max(n, 0));
    Rebuild(n, [kept](const float* from, float* to) { std::copy_n(from, kept, to); });
}

void tCGHProbeArray::Permute(const std::vector<int>& order) {
    const size_t n = std::min(order.size(), static_cast<size_t>(size_));
    Rebuild(size_, [&order, n](const float* from, float* to) {
        for (size_t i = 0; i < n; ++i) to[i] = from[static_cast<size_t>(order[i])];
    });
}

float* tCGHProbeArray::WritableSlot(int slot) {
    if (!HasStorage(slot) || size_ == 0) return nullptr;
    const int c = Column(slot);
    if (!cols_[c] || cols_[c].use_count() > 1) {
        Buffer own = ZeroedFloats(static_cast<size_t>(size_));
        if (read_[c] != zeros_.get()) std::copy_n(read_[c], size_, own.get());
        cols_[c] = std::move(own);
        read_[c] = cols_[c].get();
    }
    return cols_[c].get();
}

void tCGHProbeArray::ShareSlot(int from, int to) {
    if (!HasStorage(from) || !HasStorage(to) || from == to) return;
    cols_[Column(to)] = cols_[Column(from)];
    read_[Column(to)] = read_[Column(from)];
}

void tCGHProbeArray::NegateUnwritten(int slot) {
    if (!HasStorage(slot) || size_ == 0) return;
    const int c = Column(slot);
    if (cols_[c]) return;
    if (read_[c] == zeros_.get()) {
        if (!negativeZeros_) negativeZeros_ = SharedZeros(static_cast<size_t>(size_), true);
        read_[c] = negativeZeros_.get();
    } else {
        read_[c] = zeros_.get();
    }
}

void tCGHProbeArray::LoadSlot(int slot, const float* values) {
    if (!HasStorage(slot) || size_ == 0) return;
    const int c = Column(slot);
    const size_t n = static_cast<size_t>(size_);
    cols_[c] = nullptr;
    read_[c] = zeros_.get();
    if (std::all_of(values, values + n, [](float x) { return std::bit_cast<uint32_t>(x) == 0; }))
        return;
    for (int other = 0; other < kColumns; ++other)
        if (cols_[other] && std::memcmp(cols_[other].get(), values, n * sizeof(float)) == 0) {
            cols_[c] = cols_[other];
            read_[c] = read_[other];
            return;
        }
    // Every element is written right away: no need to zero it first.
    float* p = static_cast<float*>(std::malloc(n * sizeof(float)));
    if (!p) throw std::bad_alloc();
    cols_[c] = Buffer(p, [](float* q) { std::free(q); });
    std::memcpy(p, values, n * sizeof(float));
    read_[c] = p;
}

void tCGHProbeArray::SetColumn(int slot, std::shared_ptr<float[]> column) {
    if (!HasStorage(slot) || size_ == 0) return;
    const int c = Column(slot);
    cols_[c] = std::move(column);
    read_[c] = cols_[c] ? cols_[c].get() : zeros_.get();
}

namespace {
int ClampedCount(float header, int elements) {
    if (elements <= 0) return 0;
    return std::clamp(RoundToInt(header), 0, elements - 1);
}
} // namespace

int tCGHProbeArray::Count() const {
    return size_ > 0 ? ClampedCount(read_[0][0], size_) : 0;
}

bool SamePositions(const tCGHProbeArray& a, const tCGHProbeArray& b) {
    const int n = a.Count();
    if (n != b.Count()) return false;
    if (n == 0) return true; // empty arrays have no element 1 to start from
    for (int slot = 1; slot <= 3; ++slot)
        if (a.read_[slot] != b.read_[slot] &&
            !std::equal(a.read_[slot] + 1, a.read_[slot] + 1 + n, b.read_[slot] + 1))
            return false;
    return true;
}

void SharePositions(tCGHProbeArray& a, const tCGHProbeArray& b) {
    if (&a == &b || a.size_ != b.size_ || !SamePositions(a, b)) return;
    for (int slot = 1; slot <= 3; ++slot) {
        if (!b.cols_[slot]) continue;
        a.cols_[slot] = b.cols_[slot];
        a.read_[slot] = b.read_[slot];
    }
}

void ShareEqualPositions(tCGH_DataSet& data, int slot) {
    if (slot < 1 || slot > kMaxHybridisations) return;
    for (int c = 1; c <= kChromosomes; ++c) {
        tCGHProbeArray& mine = data.Hyb[slot].Chr[c];
        for (int h = 1; h <= kMaxHybridisations; ++h) {
            const tCGHProbeArray& other = data.Hyb[h].Chr[c];
            if (h == slot || data.Hyb[h].FileName.empty() || other.Size() != mine.Size() ||
                !SamePositions(mine, other))
                continue;
            SharePositions(mine, other);
            break;
        }
    }
}

int OligoCount(const tOligoArray& a) {
    return a.empty() ? 0 : ClampedCount(a[0].Num[0], static_cast<int>(a.size()));
}

int FeatureCount(const tFList& list) {
    return list.empty() ? 0 : ClampedCount(list[0].Num[1], static_cast<int>(list.size()));
}

void ClearCGHDataSet(tCGH_DataSet& data) {
    data.HNum = 0;
    data.DataType = 0;
    data.ShowGroups = 0;
    data.ShowProcessed = 0;
    data.ShowSingleProbes = 1;
    for (int k = 1; k <= kRecentFiles; ++k) data.RecentFiles[k].clear();
    for (int h = 0; h <= kMaxHybridisations; ++h) {
        data.Hyb[h].FileName.clear();
        data.Hyb[h].Active = 0;
        for (auto& cell : data.Annotation[h]) cell.clear();
    }
    data.Annotation[0][1] = "File name";
    data.DisplayStart = 50;
    data.Gain = 1.0f;
    data.TestSlot = TestSlotContent::PValues;
}

int FindFreeHybridisationSlot(tCGH_DataSet& data, int start) {
    for (int h = std::max(1, start); h <= kMaxHybridisations; ++h) {
        if (data.Hyb[h].FileName.empty()) {
            data.HNum = std::max(data.HNum, h);
            return h;
        }
    }
    return 0;
}

std::string LayoutConflict(const tCGH_DataSet& data, int slot,
                           const std::array<int, kChromosomes + 1>& counts,
                           const std::string& fileName) {
    for (int h = 1; h <= kMaxHybridisations; ++h) {
        if (h == slot || data.Hyb[h].FileName.empty()) continue;
        for (int c = 1; c <= kChromosomes; ++c) {
            const int theirs = data.Hyb[h].Chr[c].Count();
            if (theirs != counts[c])
                return "\"" + fileName +
                       "\" does not fit the hybridisations already loaded: chromosome " +
                       std::to_string(c) + " has " + std::to_string(counts[c]) +
                       " probes, hybridisation " + std::to_string(h) + " has " +
                       std::to_string(theirs) + ".";
        }
        return ""; // all hybridisations in use share one layout
    }
    return "";
}

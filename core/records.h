// Shared data records of the program and their global instances.
//
// Numbering is 1-based throughout: hybridisations 1..50, chromosomes 1..24 (X = 23, Y = 24),
// probes, samples, genes and groups from 1. Index 0 is a header or left empty.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

constexpr int kMaxHybridisations = 50;
constexpr int kChromosomes = 24;
constexpr int kLayoutSlots = 40;
constexpr int kAnnotationKeys = 100;
constexpr int kRecentFiles = 10;
constexpr int kProbeSlots = 41;
constexpr int kMaxSamples = 1000;
constexpr int kGeneAnnotationColumns = 20;
constexpr int kHistogramBins = 1001;

// One chromosome of one hybridisation: the probe slots F[0..40] of every element, stored as one
// column per slot. Element 0 is the header whose slot 0 holds the probe count; probes are 1..count.
// Slots 21..39 carry no meaning and hold no storage: they read as 0.
//
// A column is allocated when it is first written; until then the slot reads zeros from a column
// shared by every array: +0, or -0 in every element once negated (an inverted empty slot). Columns
// are shared copy on write: between copies of an array, between slots that were loaded with equal
// values, and between hybridisations with equal positions. A pointer from WritableSlot stays valid
// until the array is resized, permuted, copied from or assigned to.
class tCGHProbeArray {
  public:
    static constexpr bool HasStorage(int slot) { return (slot >= 0 && slot <= 20) || slot == 40; }

    tCGHProbeArray() = default;
    tCGHProbeArray(const tCGHProbeArray&) = default;
    tCGHProbeArray& operator=(const tCGHProbeArray&) = default;
    // The source is left empty: its read pointers would outlive the columns it gave away.
    tCGHProbeArray(tCGHProbeArray&& other) noexcept { Swap(other); }
    tCGHProbeArray& operator=(tCGHProbeArray&& other) noexcept {
        tCGHProbeArray gone(std::move(*this)); // released here rather than kept in other
        Swap(other);
        return *this;
    }

    // Number of elements (header included).
    int Size() const { return size_; }
    // Resizes every column to n elements; new elements are zero. The array becomes a new
    // generation: its probes are written anew.
    void Resize(int n);
    // Unique for every sizing or reordering of any array in the run, kept by copies and moves,
    // so that views can cache what they derive from a loaded array's positions.
    uint64_t Generation() const { return generation_; }
    void Clear() { Resize(0); }

    // Column of a slot with storage for reading, nullptr for slots 21..39 and empty arrays.
    const float* Slot(int slot) const { return HasStorage(slot) ? read_[Column(slot)] : nullptr; }
    // Column of a slot for writing: allocated on the first write, made private when shared.
    float* WritableSlot(int slot);
    // True once the slot holds values of its own (or shared ones) rather than a zero column.
    bool Allocated(int slot) const { return HasStorage(slot) && cols_[Column(slot)] != nullptr; }
    // Value of F[slot] of an element; 0 for slots without storage.
    float Get(int slot, int element) const {
        return HasStorage(slot) ? read_[Column(slot)][element] : 0.0f;
    }
    // Writes to slots without storage are dropped (no routine gives them a meaning).
    void Set(int slot, int element, float v) {
        if (HasStorage(slot)) WritableSlot(slot)[element] = v;
    }
    // Slot `to` reads slot `from`'s values until either is written.
    void ShareSlot(int from, int to);
    // An unwritten slot turns from reading +0 to reading -0 and back; written slots are left as
    // they are. The first write starts the column from the zeros the slot read.
    void NegateUnwritten(int slot);
    // Gives the slot a copy of values[0..Size()): no column when every value is +0, the column of
    // another slot holding the same bytes, else a fresh one. For readers that fill every slot.
    void LoadSlot(int slot, const float* values);
    // Slot `slot` reads `column` (at least Size() elements; nullptr for zeros), shared copy on
    // write like any column. For readers that fill columns of their own making.
    void SetColumn(int slot, std::shared_ptr<float[]> column);

    // The header's probe count, rounded and clamped to the elements that exist (0 when empty).
    int Count() const;
    void SetCount(int n) {
        if (size_ > 0) WritableSlot(0)[0] = static_cast<float>(n);
    }

    // Moves element order: new element i takes old element order[i] (order[0] must be 0).
    void Permute(const std::vector<int>& order);

    friend bool SamePositions(const tCGHProbeArray& a, const tCGHProbeArray& b);
    friend void SharePositions(tCGHProbeArray& a, const tCGHProbeArray& b);

  private:
    using Buffer = std::shared_ptr<float[]>;
    static constexpr int kColumns = 22;
    static constexpr int Column(int slot) { return slot == 40 ? 21 : slot; }
    void Swap(tCGHProbeArray& other) noexcept;
    // Gives every slot that does not read +0 a fresh buffer of n elements filled by
    // fill(old, fresh); columns sharing a buffer keep sharing the new one.
    template <typename Fill> void Rebuild(int n, Fill fill);

    std::array<Buffer, kColumns> cols_;         // nullptr: reads a zero column
    std::array<const float*, kColumns> read_{}; // the column or a zero column
    Buffer zeros_;
    Buffer negativeZeros_; // once a slot is negated unwritten
    int size_ = 0;
    uint64_t generation_ = 0;
};

// True when both arrays hold the same count and the same chromosome, start and end per probe.
bool SamePositions(const tCGHProbeArray& a, const tCGHProbeArray& b);
// When both arrays have the same size and positions, a reads slots 1..3 from b's columns.
void SharePositions(tCGHProbeArray& a, const tCGHProbeArray& b);

// The columns a reader fills for each loaded probe: chromosome, start, end, and the value with
// the working (slot 11) and raw (slot 40) copies that "Restore raw values" and the smoothers read.
class LoadedProbeColumns {
  public:
    explicit LoadedProbeColumns(tCGHProbeArray& a)
        : array_(a), chr_(a.WritableSlot(1)), start_(a.WritableSlot(2)), end_(a.WritableSlot(3)),
          value_(a.WritableSlot(4)) {}
    // The working and raw values start as the values: one column until one of them changes.
    ~LoadedProbeColumns() {
        array_.ShareSlot(4, 11);
        array_.ShareSlot(4, 40);
    }
    LoadedProbeColumns(const LoadedProbeColumns&) = delete;
    LoadedProbeColumns& operator=(const LoadedProbeColumns&) = delete;
    void Set(int i, int chromosome, float start, float end, float value) {
        chr_[i] = static_cast<float>(chromosome);
        start_[i] = start;
        end_[i] = end;
        value_[i] = value;
    }

  private:
    tCGHProbeArray& array_;
    float *chr_, *start_, *end_, *value_;
};

// The checked probe count every loop over a hybridisation's probes uses.
inline int ProbeCount(const tCGHProbeArray& a) {
    return a.Count();
}

struct tCGHHybridisation {
    std::string FileName;                             // empty = slot free
    std::array<tCGHProbeArray, kChromosomes + 1> Chr; // [0] unused
    int32_t Active = 0;
};

struct tOligoAnnotation {
    std::array<float, 16> Num{};    // element 0: Num[0] = count; probes: Num[1..3] chr, start, end
    std::array<std::string, 6> Str; // Str[1..5] annotation texts, probe name first
};
using tOligoArray = std::vector<tOligoAnnotation>;

// Count held in Num[0] of element 0, rounded and clamped to the elements that exist.
int OligoCount(const tOligoArray& a);

// What slot 15 of hybridisation 1 holds: p-values (0 where no test wrote one), or, after the
// group-regulation filter, the mean regulation of the probes it marked.
enum class TestSlotContent : uint8_t { PValues, RegulationMeans };

struct tCGH_DataSet {
    std::array<tCGHHybridisation, kMaxHybridisations + 1> Hyb;
    std::array<tOligoArray, kChromosomes + 1> Oligo;
    std::array<std::array<std::string, kAnnotationKeys + 1>, kMaxHybridisations + 1> Annotation;
    int32_t DataType = 0; // 0 raw (slot 4), 1 z-transformed (slot 11), 2 smoothed (slot 12)
    int32_t HNum = 0;
    int32_t CNum = kChromosomes;
    int32_t TestParam1 = 0, TestParam2 = 0, TestParam3 = 0, TestParam4 = 0, TestParam5 = 0,
            TestParam6 = 0;
    float Gain = 1.0f;
    int32_t DisplayStart = 50;
    std::array<std::string, kRecentFiles + 1> RecentFiles;
    uint8_t ShowGroups = 0;
    uint8_t ShowProcessed = 0;
    uint8_t ShowSingleProbes = 1;
    TestSlotContent TestSlot = TestSlotContent::PValues;
};

struct tHeatmap_GAnno {
    int32_t Chr = 0;
    int32_t Start = 0;
    int32_t Stop = 0;
    std::array<std::string, kGeneAnnotationColumns + 1> Str;
};

struct tHeatmap {
    std::vector<std::vector<float>> Data;         // [sample][gene]; row 0 the genes' p-values
    std::vector<tHeatmap_GAnno> GAnno;            // [gene]; element 0 the column names
    std::vector<std::vector<std::string>> Header; // [sample][header row]
    std::array<int32_t, kMaxSamples + 1> SampleOrder{};
    int32_t HeaderRows = 7, HeaderCols = 13, ChrColumn = 10, StartColumn = 11, StopColumn = 12;
    int32_t SampleCount = 0, GeneCount = 0;
    int32_t DisplayStep = 5;
    int32_t HeaderRowsRead = 0;
    int32_t DisplayMode = 0; // the gene annotation column shown beside the track
    std::string FileName;
    uint8_t ShowExpressionTrack = 0; // the "loaded" flag: the expression track is drawn
    uint8_t DisplayFlag = 0;         // gene annotation shown: the track is 100 pixels taller
    float DisplayScale = 1.0f;
    std::array<std::string, kRecentFiles + 1> RecentFiles;
};

struct tStat {
    std::array<std::string, 101> GroupText;
    std::array<int32_t, kHistogramBins> Histogram{};
    std::array<float, 101> GroupMean{};
    std::array<float, 100> GroupVariance{};
    std::array<std::string, 11> AlphaSettings;
    std::array<std::string, 11> GroupSettings;
    std::array<std::array<int32_t, 1001>, 26> Members{};
    int32_t HistogramMax = 0;
    int32_t GroupCount = 0;
    int32_t SignificantCount = 0;
    float Alpha = 0.0f;
};

struct tFeature {
    std::array<float, 16> Num{};
    std::string Name;
    std::array<std::string, 6> Str;
};
using tFList = std::vector<tFeature>;

// Element count held in Num[1] of element 0, rounded and clamped to the elements that exist.
int FeatureCount(const tFList& list);

struct tGenomeLayout {
    std::array<int32_t, kLayoutSlots + 1> Length{};
    std::array<uint8_t, kLayoutSlots + 1> Selected{};
    int64_t TotalLength = 0; // the human genome exceeds int32
    int32_t ChromosomeCount = 0;
    std::array<std::array<int32_t, 3>, kLayoutSlots + 1> ArmMaxEnd{}; // [c][0 cen, 1 p, 2 q]
    uint8_t ShowBandNames = 0;
    int32_t IdeogramWidth = 15;
    int32_t BandResolution = 450;
    int32_t LongestChromosome = 0;
    int32_t LongestPArm = 0;
};

// Global instances, one each for the whole run.
extern tCGH_DataSet CGHData;
extern tHeatmap ExpData;
extern tStat ExpStat;
extern tStat CGHStat;
extern std::array<tFList, 4> FeatureLists; // [1] ideogram bands, [2] gene features
extern tGenomeLayout GenomeLayout;
extern int32_t IdeogramType; // 1 numbered bands, 2 lettered bands

// Bumped by every change to the shared records, so views know when to redraw.
extern uint64_t DataVersion;
inline void BumpDataVersion() {
    ++DataVersion;
}

// Resets names, flags, annotation table, recent files, display settings and what the test slot
// holds; probe and annotation arrays keep their contents.
void ClearCGHDataSet(tCGH_DataSet& data);

// Lets hybridisation `slot` share the position columns of another hybridisation in use whose
// positions equal its own, chromosome by chromosome (loads call it once the slot is filled).
void ShareEqualPositions(tCGH_DataSet& data, int slot);

// First slot from max(1, start) up to 50 whose file name is empty, or 0 when none. HNum becomes
// max(HNum, slot), so slots above a refilled one stay in use.
int FindFreeHybridisationSlot(tCGH_DataSet& data, int start);
// The message of a load that finds every hybridisation slot in use.
inline constexpr const char* kNoFreeSlotText =
    "Can not load additional CGH-hybridisation datasets.";

// Why a hybridisation of `fileName` with per-chromosome probe counts `counts` cannot join the
// hybridisations in use (other than `slot`), which all share one probe layout; "" when it fits.
std::string LayoutConflict(const tCGH_DataSet& data, int slot,
                           const std::array<int, kChromosomes + 1>& counts,
                           const std::string& fileName);

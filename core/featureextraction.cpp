#include "featureextraction.h"

#include "elapsed.h"

#include "lenientcells.h"
#include "numbers.h"
#include "parser.h"
#include "probeposition.h"

#include <algorithm>
#include <cstdint>
#include <memory>

#ifdef __GLIBC__
#include <malloc.h>
#endif
#include <new>
#include <string_view>
#include <utility>
#include <vector>

namespace {

constexpr size_t kFieldsUsed = 23; // fields 0..22; the rest of a row is never split
constexpr int kLinesPerStep = 250;

// One probe row; its three texts lie one after another in the text store.
struct ProbeRow {
    int32_t start, end;
    float value, slot5, slot6, slot7;
    uint64_t text; // offset of field 9, then 8, then 11
    uint32_t len9, len8, len11;
};

// Stable sort by start (equal starts keep file order): three 11-bit radix passes, several times
// faster than a comparison sort on a million rows.
void SortByStart(std::vector<ProbeRow>& rows) {
    constexpr int kBits = 11, kBuckets = 1 << kBits, kPasses = 3;
    const auto key = [](const ProbeRow& r) { return static_cast<uint32_t>(r.start) ^ 0x80000000u; };
    std::vector<std::array<size_t, kBuckets>> counts(kPasses, std::array<size_t, kBuckets>{});
    for (const ProbeRow& r : rows)
        for (int p = 0; p < kPasses; ++p) ++counts[p][(key(r) >> (p * kBits)) & (kBuckets - 1)];
    std::vector<ProbeRow> buffer(rows.size());
    for (int p = 0; p < kPasses; ++p) {
        if (std::find(counts[p].begin(), counts[p].end(), rows.size()) != counts[p].end())
            continue; // every row in one bucket: nothing to move
        size_t at = 0;
        for (size_t& c : counts[p]) at += std::exchange(c, at);
        for (const ProbeRow& r : rows)
            buffer[counts[p][(key(r) >> (p * kBits)) & (kBuckets - 1)]++] = r;
        rows.swap(buffer);
    }
}

// What a load puts into the data set, built aside.
struct LoadedSlot {
    std::array<tCGHProbeArray, kChromosomes + 1> probes;
    std::array<tOligoArray, kChromosomes + 1> oligo;
    std::string fileName;
    std::vector<std::string> report;
    std::string warning;
};

// Reads the file named in the slot into `out`; false with `errText` set.
bool ReadFeatureFile(const tCGH_DataSet& data, int slot, ProgressSink* progress,
                     const Stopwatch& clock, LoadedSlot& out, std::string& errText) {
    const std::string& fileName = data.Hyb[slot].FileName;
    LineReader reader;
    if (!reader.Open(fileName, errText)) return false;
    ProgressSteps steps(progress);
    const int64_t fileSize = std::max<int64_t>(reader.FileSize(), 1);

    std::array<std::vector<ProbeRow>, kChromosomes + 1> work;
    // The annotation texts per chromosome: no row allocates, and placing a chromosome's probes
    // reads only its own texts.
    std::array<std::string, kChromosomes + 1> texts;
    std::vector<std::string_view> f;
    std::string_view line;
    int64_t lines = 0, features = 0;
    LenientCells cut;
    bool reserved = false;
    for (;;) {
        if (lines % kLinesPerStep == 0) {
            // Once 1/64 of the file is read, size the work storage for the whole file, so that
            // it is not copied again and again while it grows.
            if (!reserved && reader.Consumed() * 64 >= fileSize && reader.Consumed() > 0) {
                reserved = true;
                const double scale =
                    1.2 * static_cast<double>(fileSize) / static_cast<double>(reader.Consumed());
                for (int c = 1; c <= kChromosomes; ++c) {
                    work[c].reserve(
                        static_cast<size_t>(static_cast<double>(work[c].size()) * scale));
                    texts[c].reserve(
                        static_cast<size_t>(static_cast<double>(texts[c].size()) * scale));
                }
            }
            if (!steps.Step(ProgressSteps::Scale(0, ProgressSteps::kMaximum,
                                                 static_cast<double>(reader.Consumed()),
                                                 static_cast<double>(fileSize)))) {
                errText = kLoadCancelled;
                return false;
            }
        }
        if (!reader.Next(line)) break;
        ++lines;
        if (line.empty()) continue;
        SplitQuoted(line, '\t', f, kFieldsUsed + 1);
        if (f.size() < 15 || f[0] != "DATA" || f[7] != "0") continue;
        ++features;
        const ProbePosition pos = ParseProbePosition(f[10]);
        if (pos.chr < 1 || pos.chr > kChromosomes) continue; // counted, but on no chromosome
        std::string& text = texts[static_cast<size_t>(pos.chr)];
        const uint64_t at = text.size();
        text.append(f[9]).append(f[8]).append(f[11]);
        // Fields the row lacks read as 0 by design; only cells the file holds are noted.
        const auto value = [&](size_t i) {
            return i < f.size() ? ReadValueCell(f[i], cut, lines, static_cast<int>(i) + 1) : 0.0;
        };
        const double v14 = value(14), v16 = value(16), v21 = value(21), v22 = value(22);
        work[static_cast<size_t>(pos.chr)].push_back(
            {pos.start, pos.end, ScaledCGHValue(v14), ClampToSingle(v16), ClampToSingle(v22),
             ClampToSingle(v21), at, static_cast<uint32_t>(f[9].size()),
             static_cast<uint32_t>(f[8].size()), static_cast<uint32_t>(f[11].size())});
    }
    if (reader.Failed()) {
        errText = "Could not read file \"" + fileName + "\"";
        return false;
    }
    reader.Close();

    std::array<int, kChromosomes + 1> counts{};
    int stored = 0;
    for (int c = 1; c <= kChromosomes; ++c) stored += counts[c] = static_cast<int>(work[c].size());
    if (stored == 0) {
        errText = "\"" + fileName + "\" holds no probe rows (DATA rows of control type 0 on " +
                  "chromosomes 1 to 24)" + LineEndsClause(reader);
        return false;
    }
    errText = LayoutConflict(data, slot, counts, fileName);
    if (!errText.empty()) return false;

    // Fresh arrays in start order; the data set is touched only once all of them exist.
    std::array<tCGHProbeArray, kChromosomes + 1>& probes = out.probes;
    std::array<tOligoArray, kChromosomes + 1>& oligo = out.oligo;
    for (int c = 1; c <= kChromosomes; ++c) {
        std::vector<ProbeRow>& rows = work[c];
        const int n = counts[c];
        SortByStart(rows);
        tCGHProbeArray& array = probes[c];
        array.Resize(n + 1000);
        LoadedProbeColumns columns(array);
        float* col5 = array.WritableSlot(5);
        float* col6 = array.WritableSlot(6);
        float* col7 = array.WritableSlot(7);
        // Built in order rather than sized and then overwritten: the annotation is the largest
        // part of a load.
        tOligoArray& anno = oligo[c];
        anno.reserve(static_cast<size_t>(n) + 10);
        anno.emplace_back().Num[0] = static_cast<float>(n);
        for (int j = 1; j <= n; ++j) {
            const ProbeRow& r = rows[static_cast<size_t>(j - 1)];
            columns.Set(j, c, static_cast<float>(r.start), static_cast<float>(r.end), r.value);
            col5[j] = r.slot5;
            col6[j] = r.slot6;
            col7[j] = r.slot7;
            tOligoAnnotation& a = anno.emplace_back();
            a.Num[1] = static_cast<float>(c);
            a.Num[2] = static_cast<float>(r.start);
            a.Num[3] = static_cast<float>(r.end);
            const char* text = texts[c].data() + r.text;
            a.Str[1].assign(text, r.len9);
            a.Str[2].assign(text + r.len9, r.len8);
            a.Str[3].assign(text + r.len9 + r.len8, r.len11);
        }
        anno.resize(static_cast<size_t>(n) + 10);
        array.SetCount(n);
        rows = std::vector<ProbeRow>(); // release the work rows as soon as they are placed
        texts[c] = std::string();
    }
    steps.Finish();

    out.fileName = fileName;
    out.report.push_back(std::to_string(features) + " features");
    out.warning = cut.Describe(kLenientValuesText, fileName);
    if (!out.warning.empty()) out.report.push_back(out.warning);
    for (int c = 1; c <= kChromosomes; ++c)
        out.report.push_back("Chr " + std::to_string(c) + ", Probes=" + std::to_string(counts[c]));
    out.report.push_back(clock.Line());
    out.report.push_back("");
    return true;
}

} // namespace

bool LoadAgilentFeatureFile(tCGH_DataSet& data, int slot, LogSink* log, ProgressSink* progress,
                            std::string& errText, std::string* warning) {
    const Stopwatch clock;
    if (slot < 1 || slot > kMaxHybridisations) {
        errText = "Invalid hybridisation slot " + std::to_string(slot) + ".";
        return false;
    }
    std::unique_ptr<LoadedSlot> loaded;
    try {
        loaded = std::make_unique<LoadedSlot>();
        if (!ReadFeatureFile(data, slot, progress, clock, *loaded, errText)) return false;
    } catch (const std::bad_alloc&) {
        errText = NotEnoughMemoryText(data.Hyb[slot].FileName);
        return false;
    }
    for (int c = 1; c <= kChromosomes; ++c) {
        data.Hyb[slot].Chr[c] = std::move(loaded->probes[c]);
        data.Oligo[c] = std::move(loaded->oligo[c]);
    }
    ShareEqualPositions(data, slot);
    data.Annotation[slot][1] = std::move(loaded->fileName);
    data.Hyb[slot].Active = 1;
    BumpDataVersion();
    if (log) log->AddLines(loaded->report);
    if (warning) *warning = std::move(loaded->warning);
    loaded.reset();
#ifdef __GLIBC__
    // The replaced annotation freed a million small texts: hand their pages back before the
    // next load or transform asks for more.
    malloc_trim(0);
#endif
    return true;
}

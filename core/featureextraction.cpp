#include "featureextraction.h"

#include "elapsed.h"

#include "numbers.h"
#include "parser.h"
#include "probeposition.h"

#include <algorithm>
#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

namespace {

constexpr size_t kFieldsUsed = 23;     // fields 0..22; the rest of a row is never split
constexpr int kProgressMaximum = 1000; // per mille of the file's bytes
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

float Real(std::string_view s) {
    return static_cast<float>(ParseLenientFloat(s));
}

} // namespace

bool LoadAgilentFeatureFile(tCGH_DataSet& data, int slot, LogSink* log, ProgressSink* progress,
                            std::string& errText) {
    const Stopwatch clock;
    if (slot < 1 || slot > kMaxHybridisations) {
        errText = "Invalid hybridisation slot " + std::to_string(slot) + ".";
        return false;
    }
    const std::string& fileName = data.Hyb[slot].FileName;
    LineReader reader;
    if (!reader.Open(fileName, errText)) return false;
    if (progress) progress->SetMaximum(kProgressMaximum);
    const int64_t fileSize = std::max<int64_t>(reader.FileSize(), 1);

    std::array<std::vector<ProbeRow>, kChromosomes + 1> work;
    // The annotation texts per chromosome: no row allocates, and placing a chromosome's probes
    // reads only its own texts.
    std::array<std::string, kChromosomes + 1> texts;
    std::vector<std::string_view> f;
    std::string_view line;
    int64_t lines = 0, features = 0;
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
            if (progress) {
                progress->SetPosition(
                    static_cast<int>(reader.Consumed() * kProgressMaximum / fileSize));
                progress->Pump();
                if (progress->Cancelled()) {
                    errText = kLoadCancelled;
                    return false;
                }
            }
        }
        if (!reader.Next(line)) break;
        ++lines;
        if (line.empty()) continue;
        SplitQuoted(line, '\t', f, kFieldsUsed + 1);
        if (f.size() < 15 || f[0] != "DATA" || f[7] != "0") continue;
        ++features;
        const auto field = [&f](size_t i) { return i < f.size() ? f[i] : std::string_view(); };
        const ProbePosition pos = ParseProbePosition(f[10]);
        if (pos.chr < 1 || pos.chr > kChromosomes) continue; // counted, but on no chromosome
        std::string& text = texts[static_cast<size_t>(pos.chr)];
        const uint64_t at = text.size();
        text.append(f[9]).append(f[8]).append(f[11]);
        work[static_cast<size_t>(pos.chr)].push_back(
            {pos.start, pos.end, static_cast<float>(ParseLenientFloat(f[14]) * kFeatureValueFactor),
             Real(field(16)), Real(field(22)), Real(field(21)), at,
             static_cast<uint32_t>(f[9].size()), static_cast<uint32_t>(f[8].size()),
             static_cast<uint32_t>(f[11].size())});
    }
    if (reader.Failed()) {
        errText = "Could not read file \"" + fileName + "\"";
        return false;
    }
    reader.Close();

    std::array<int, kChromosomes + 1> counts{};
    for (int c = 1; c <= kChromosomes; ++c) counts[c] = static_cast<int>(work[c].size());
    errText = LayoutConflict(data, slot, counts, fileName);
    if (!errText.empty()) return false;

    // Fresh arrays in start order; the data set is touched only once all of them exist.
    std::array<tCGHProbeArray, kChromosomes + 1> probes;
    std::array<tOligoArray, kChromosomes + 1> oligo;
    for (int c = 1; c <= kChromosomes; ++c) {
        std::vector<ProbeRow>& rows = work[c];
        const int n = counts[c];
        SortByStart(rows);
        tCGHProbeArray& out = probes[c];
        out.Resize(n + 1000);
        float* chrCol = out.Slot(1);
        float* startCol = out.Slot(2);
        float* endCol = out.Slot(3);
        float* valueCol = out.Slot(4);
        float* col5 = out.Slot(5);
        float* col6 = out.Slot(6);
        float* col7 = out.Slot(7);
        float* workCol = out.Slot(11);
        float* rawCol = out.Slot(40);
        // Built in order rather than sized and then overwritten: the annotation is the largest
        // part of a load.
        tOligoArray& anno = oligo[c];
        anno.reserve(static_cast<size_t>(n) + 10);
        anno.emplace_back().Num[0] = static_cast<float>(n);
        for (int j = 1; j <= n; ++j) {
            const ProbeRow& r = rows[static_cast<size_t>(j - 1)];
            chrCol[j] = static_cast<float>(c);
            startCol[j] = static_cast<float>(r.start);
            endCol[j] = static_cast<float>(r.end);
            valueCol[j] = workCol[j] = rawCol[j] = r.value;
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
        out.SetCount(n);
        rows = std::vector<ProbeRow>(); // release the work rows as soon as they are placed
        texts[c] = std::string();
    }
    if (progress) progress->SetPosition(kProgressMaximum);

    for (int c = 1; c <= kChromosomes; ++c) {
        data.Hyb[slot].Chr[c] = std::move(probes[c]);
        data.Oligo[c] = std::move(oligo[c]);
    }
    data.Annotation[slot][1] = fileName;
    data.Hyb[slot].Active = 1;
    BumpDataVersion();

    Report report(log);
    report.Add(std::to_string(features) + " features");
    for (int c = 1; c <= kChromosomes; ++c)
        report.Add("Chr " + std::to_string(c) + ", Probes=" + std::to_string(counts[c]));
    report.Add(clock.Line());
    report.Add("");
    return true;
}

#include "featureextraction.h"

#include "numbers.h"
#include "parser.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <string_view>
#include <vector>

namespace {

constexpr size_t kFieldsUsed = 23;     // fields 0..22; the rest of a row is never split
constexpr int kProgressMaximum = 1000; // per mille of the file's bytes
constexpr int kLinesPerStep = 250;

struct Position {
    int chr = 0, start = 0, end = 0;
};

// "chr7:1000-2000": the chromosome is the text before ":" less its first three characters ("X"
// 23, "Y" 24, otherwise the value of its leading digits); start and end are cut at the first "-".
Position ParsePosition(std::string_view text) {
    Position p;
    const size_t colon = text.find(':');
    const std::string_view name = text.substr(0, colon);
    const std::string_view chr = name.size() > 3 ? name.substr(3) : std::string_view();
    p.chr = chr == "X" ? 23 : chr == "Y" ? 24 : ParseLenientInt(chr);
    if (colon == std::string_view::npos) return p;
    const std::string_view range = text.substr(colon + 1);
    const size_t dash = range.find('-');
    p.start = ParseLenientInt(range.substr(0, dash));
    if (dash != std::string_view::npos) p.end = ParseLenientInt(range.substr(dash + 1));
    return p;
}

struct ProbeRow {
    int32_t start, end;
    float value, slot5, slot6, slot7;
};

// Rows of one chromosome in file order, annotation kept apart so that sorting moves it once.
struct ChromosomeRows {
    std::vector<ProbeRow> rows;
    std::vector<tOligoAnnotation> oligo;
};

float Real(std::string_view s) { return static_cast<float>(ParseLenientFloat(s)); }

// Start order, equal starts in file order.
std::vector<uint32_t> StartOrder(const std::vector<ProbeRow>& rows) {
    std::vector<uint64_t> keys(rows.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        const uint32_t biased = static_cast<uint32_t>(rows[i].start) ^ 0x80000000u;
        keys[i] = (uint64_t{biased} << 32) | i;
    }
    std::sort(keys.begin(), keys.end());
    std::vector<uint32_t> order(rows.size());
    for (size_t i = 0; i < keys.size(); ++i) order[i] = static_cast<uint32_t>(keys[i]);
    return order;
}

// The first other hybridisation in use whose probe counts differ from `counts`, or 0.
int ConflictingSlot(const tCGH_DataSet& data, int slot, const std::array<int, kChromosomes + 1>& counts,
                    int& chromosome) {
    for (int h = 1; h <= kMaxHybridisations; ++h) {
        if (h == slot || data.Hyb[h].FileName.empty()) continue;
        for (int c = 1; c <= kChromosomes; ++c) {
            if (data.Hyb[h].Chr[c].Count() != counts[c]) {
                chromosome = c;
                return h;
            }
        }
        return 0; // all hybridisations in use share one layout
    }
    return 0;
}

} // namespace

bool LoadAgilentFeatureFile(tCGH_DataSet& data, int slot, LogSink* log, ProgressSink* progress,
                            std::string& errText) {
    const auto started = std::chrono::steady_clock::now();
    if (slot < 1 || slot > kMaxHybridisations) {
        errText = "Invalid hybridisation slot " + std::to_string(slot) + ".";
        return false;
    }
    const std::string& fileName = data.Hyb[slot].FileName;
    LineReader reader;
    if (!reader.Open(fileName, errText)) return false;
    if (progress) progress->SetMaximum(kProgressMaximum);
    const int64_t fileSize = std::max<int64_t>(reader.FileSize(), 1);

    std::array<ChromosomeRows, kChromosomes + 1> work;
    std::vector<std::string_view> f;
    std::string_view line;
    int64_t lines = 0, features = 0;
    for (;;) {
        if (progress && lines % kLinesPerStep == 0) {
            progress->SetPosition(static_cast<int>(reader.Consumed() * kProgressMaximum / fileSize));
            progress->Pump();
            if (progress->Cancelled()) {
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
        const auto field = [&f](size_t i) { return i < f.size() ? f[i] : std::string_view(); };
        const Position pos = ParsePosition(f[10]);
        if (pos.chr < 1 || pos.chr > kChromosomes) continue; // counted, but on no chromosome
        ChromosomeRows& chr = work[static_cast<size_t>(pos.chr)];
        chr.rows.push_back({pos.start, pos.end,
                            static_cast<float>(ParseLenientFloat(f[14]) * kFeatureValueFactor),
                            Real(field(16)), Real(field(22)), Real(field(21))});
        tOligoAnnotation& a = chr.oligo.emplace_back();
        a.Num[1] = static_cast<float>(pos.chr);
        a.Num[2] = static_cast<float>(pos.start);
        a.Num[3] = static_cast<float>(pos.end);
        a.Str[1] = f[9];
        a.Str[2] = f[8];
        a.Str[3] = f[11];
    }
    reader.Close();

    std::array<int, kChromosomes + 1> counts{};
    for (int c = 1; c <= kChromosomes; ++c) counts[c] = static_cast<int>(work[c].rows.size());
    int chromosome = 0;
    if (const int other = ConflictingSlot(data, slot, counts, chromosome)) {
        errText = "\"" + fileName + "\" does not fit the hybridisations already loaded: chromosome " +
                  std::to_string(chromosome) + " has " + std::to_string(counts[chromosome]) +
                  " probes, hybridisation " + std::to_string(other) + " has " +
                  std::to_string(data.Hyb[other].Chr[chromosome].Count()) + ".";
        return false;
    }

    // Fresh arrays in start order; the data set is touched only once all of them exist.
    std::array<tCGHProbeArray, kChromosomes + 1> probes;
    std::array<tOligoArray, kChromosomes + 1> oligo;
    for (int c = 1; c <= kChromosomes; ++c) {
        ChromosomeRows& in = work[c];
        const int n = counts[c];
        const std::vector<uint32_t> order = StartOrder(in.rows);
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
        tOligoArray& anno = oligo[c];
        anno.resize(static_cast<size_t>(n) + 10);
        for (int j = 1; j <= n; ++j) {
            const uint32_t from = order[static_cast<size_t>(j - 1)];
            const ProbeRow& r = in.rows[from];
            chrCol[j] = static_cast<float>(c);
            startCol[j] = static_cast<float>(r.start);
            endCol[j] = static_cast<float>(r.end);
            valueCol[j] = workCol[j] = rawCol[j] = r.value;
            col5[j] = r.slot5;
            col6[j] = r.slot6;
            col7[j] = r.slot7;
            anno[static_cast<size_t>(j)] = std::move(in.oligo[from]);
        }
        out.SetCount(n);
        anno[0].Num[0] = static_cast<float>(n);
        in = ChromosomeRows(); // release the work rows as soon as they are placed
    }
    if (progress) {
        progress->SetPosition(kProgressMaximum);
        if (progress->Cancelled()) {
            errText = kLoadCancelled;
            return false;
        }
    }

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
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                              started)
            .count();
    report.Add(FormatFixed(static_cast<double>(ms) / 1000.0, 3) + "s elapsed time");
    report.Add("");
    return true;
}

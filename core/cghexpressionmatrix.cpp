#include "cghexpressionmatrix.h"

#include "elapsed.h"
#include "numbers.h"
#include "parser.h"
#include "probeposition.h"
#include "progresssteps.h"

#include <algorithm>
#include <limits>
#include <new>
#include <vector>

namespace {

constexpr int kLinesPerStep = 1024;

struct Columns {
    int position, name, gene, first;
    int hybridisations;   // data columns taken, at most 50
    size_t minimumFields; // a data row has at least max(position, last) fields
};

// The loaded parts of the data set, built aside and moved in once the whole file is read.
struct Matrix {
    std::vector<std::array<tCGHProbeArray, kChromosomes + 1>> hyb; // [1..hybridisations]
    std::array<tOligoArray, kChromosomes + 1> oligo;
    std::array<int, kChromosomes + 1> counts{};
    std::vector<std::string> headerCells;
    std::vector<std::string> names, labels; // [1..hybridisations]: file names, annotation entries
};

bool IsDataRow(const std::vector<std::string_view>& fields, const Columns& c, ProbePosition& pos) {
    if (fields.size() < c.minimumFields) return false;
    pos = ParseProbePosition(fields[static_cast<size_t>(c.position) - 1]);
    return pos.chr >= 1 && pos.chr <= kChromosomes;
}

std::string_view Field(const std::vector<std::string_view>& fields, int column) {
    return column >= 1 && static_cast<size_t>(column) <= fields.size() ? fields[column - 1]
                                                                       : std::string_view();
}

// One pass over the file: line(index, fields) for every non-empty line. False with `error` set
// when the file cannot be opened, the line handler fails, or the user cancels.
template <typename LineHandler>
bool ReadPass(const std::string& fileName, ProgressSteps& progress, int from, int to,
              std::string& error, LineHandler line) {
    LineReader reader;
    if (!reader.Open(fileName, error)) return false;
    std::vector<std::string_view> fields;
    std::string_view text;
    for (int64_t index = 0; reader.Next(text); ++index) {
        if (index % kLinesPerStep == 0 &&
            !progress.Step(ProgressSteps::Scale(from, to, static_cast<double>(reader.Consumed()),
                                                static_cast<double>(reader.FileSize())))) {
            error = ProgressSteps::kCancelledText;
            return false;
        }
        if (text.empty()) continue;
        SplitQuoted(text, '\t', fields);
        if (!line(index, fields)) return false;
    }
    return true;
}

bool CountProbes(const std::string& fileName, const Columns& c, Matrix& m, ProgressSteps& progress,
                 std::string& error) {
    return ReadPass(fileName, progress, 0, ProgressSteps::kMaximum / 2, error,
                    [&](int64_t index, const std::vector<std::string_view>& fields) {
                        if (index == 0) m.headerCells.assign(fields.begin(), fields.end());
                        ProbePosition pos;
                        if (IsDataRow(fields, c, pos)) ++m.counts[pos.chr];
                        return true;
                    });
}

void SizeArrays(const Columns& c, Matrix& m) {
    m.hyb.resize(static_cast<size_t>(c.hybridisations) + 1);
    for (int chr = 1; chr <= kChromosomes; ++chr) {
        for (int h = 1; h <= c.hybridisations; ++h) {
            m.hyb[h][chr].Resize(m.counts[chr] + 10);
            m.hyb[h][chr].SetCount(m.counts[chr]);
        }
        m.oligo[chr].resize(static_cast<size_t>(m.counts[chr]) + 10);
        m.oligo[chr][0].Num[0] = static_cast<float>(m.counts[chr]);
    }
}

bool FillProbes(const std::string& fileName, const Columns& c, Matrix& m, ProgressSteps& progress,
                std::string& error) {
    std::array<int, kChromosomes + 1> filled{};
    const bool read =
        ReadPass(fileName, progress, ProgressSteps::kMaximum / 2, ProgressSteps::kMaximum, error,
                 [&](int64_t, const std::vector<std::string_view>& fields) {
                     ProbePosition pos;
                     if (!IsDataRow(fields, c, pos)) return true;
                     const int chr = pos.chr;
                     const int j = ++filled[chr];
                     if (j > m.counts[chr]) {
                         error = "The file changed while it was read: " + fileName;
                         return false;
                     }
                     const auto start = static_cast<float>(pos.start);
                     const auto end = static_cast<float>(pos.end);
                     for (int h = 1; h <= c.hybridisations; ++h) {
                         tCGHProbeArray& a = m.hyb[h][chr];
                         const float value =
                             ScaledCGHValue(fields[static_cast<size_t>(c.first + h - 2)]);
                         a.Set(1, j, static_cast<float>(chr));
                         a.Set(2, j, start);
                         a.Set(3, j, end);
                         a.Set(4, j, value);
                         a.Set(6, j, 10.0f);
                         a.Set(7, j, 10.0f);
                         a.Set(11, j, value);
                         a.Set(40, j, value);
                     }
                     tOligoAnnotation& o = m.oligo[chr][j];
                     o.Num[1] = static_cast<float>(chr);
                     o.Num[2] = start;
                     o.Num[3] = end;
                     o.Str[1].assign(Field(fields, c.name));
                     o.Str[2].assign(Field(fields, c.gene));
                     o.Str[3] = "nn";
                     return true;
                 });
    if (read && filled != m.counts) {
        error = "The file changed while it was read: " + fileName;
        return false;
    }
    return read;
}

// Orders each chromosome's probes by start, all hybridisations and the annotation alike.
void SortByStart(const Columns& c, Matrix& m) {
    for (int chr = 1; chr <= kChromosomes; ++chr) {
        const int n = m.counts[chr];
        if (n < 2) continue;
        const float* starts = m.hyb[1][chr].Slot(2);
        std::vector<int> order(static_cast<size_t>(n) + 1);
        for (int j = 0; j <= n; ++j) order[j] = j;
        std::stable_sort(order.begin() + 1, order.end(),
                         [starts](int a, int b) { return starts[a] < starts[b]; });
        for (int h = 1; h <= c.hybridisations; ++h) m.hyb[h][chr].Permute(order);
        tOligoArray& oligo = m.oligo[chr];
        tOligoArray sorted(static_cast<size_t>(n) + 1);
        for (int j = 1; j <= n; ++j) sorted[j] = std::move(oligo[order[j]]);
        std::move(sorted.begin() + 1, sorted.end(), oligo.begin() + 1);
    }
}

// The hybridisations' names: their header cells.
void NameHybridisations(const Columns& c, Matrix& m) {
    m.names.resize(static_cast<size_t>(c.hybridisations) + 1);
    for (int h = 1; h <= c.hybridisations; ++h) {
        const int column = c.first + h - 1;
        std::string& name = m.names[size_t(h)];
        if (column <= static_cast<int>(m.headerCells.size()))
            name = m.headerCells[static_cast<size_t>(column) - 1];
        // A filled slot needs a name, or it would count as free.
        if (name.empty()) name = "Column " + std::to_string(column);
    }
    m.labels = m.names;
}

// Moves the matrix in; nothing here allocates, so the data set changes completely.
void ReplaceDataSet(const Columns& c, Matrix& m, int activeSlot, tCGH_DataSet& data) {
    const auto recentFiles = data.RecentFiles;
    ClearCGHDataSet(data);
    data.RecentFiles = recentFiles;
    for (int h = 0; h <= kMaxHybridisations; ++h) {
        if (h >= 1 && h <= c.hybridisations)
            data.Hyb[h].Chr = std::move(m.hyb[h]);
        else
            for (auto& a : data.Hyb[h].Chr) a.Clear();
    }
    data.Oligo = std::move(m.oligo);
    data.HNum = c.hybridisations;
    for (int h = 1; h <= c.hybridisations; ++h) {
        data.Hyb[h].FileName = std::move(m.names[size_t(h)]);
        data.Annotation[h][1] = std::move(m.labels[size_t(h)]);
        data.Annotation[h][2] = "two";
        data.Annotation[h][3] = "three";
        data.Annotation[h][4] = "four";
    }
    data.Hyb[activeSlot].Active = 1;
    BumpDataVersion();
}

std::string CheckColumns(int position, int name, int gene, int first, int last, int activeSlot) {
    if (position < 1) return "The position column must be 1 or more.";
    if (name < 0 || gene < 0) return "The name and gene columns must be 0 (none) or more.";
    if (first < 1) return "The first data column must be 1 or more.";
    if (last < first) return "The last data column must not lie before the first.";
    if (activeSlot < 1 || activeSlot > kMaxHybridisations)
        return "The active hybridisation must be 1 to 50.";
    return {};
}

} // namespace

bool LoadMatrixColumns(int positionColumn, int nameColumn, int geneColumn, int firstColumn,
                       int lastColumn, const std::string& fileName, tCGH_DataSet& data,
                       int activeSlot, std::string& error, ProgressSink* progress, LogSink* log) {
    error =
        CheckColumns(positionColumn, nameColumn, geneColumn, firstColumn, lastColumn, activeSlot);
    if (!error.empty()) return false;
    const Stopwatch clock;
    const int64_t columns = static_cast<int64_t>(lastColumn) - firstColumn + 1;
    const Columns c{positionColumn,
                    nameColumn,
                    geneColumn,
                    firstColumn,
                    static_cast<int>(std::min<int64_t>(columns, kMaxHybridisations)),
                    static_cast<size_t>(std::max(positionColumn, lastColumn))};
    ProgressSteps steps(progress);
    Matrix m;
    try {
        if (!CountProbes(fileName, c, m, steps, error)) return false;
        if (std::all_of(m.counts.begin(), m.counts.end(), [](int n) { return n == 0; })) {
            error = "\"" + fileName + "\" holds no data rows (rows of at least " +
                    std::to_string(c.minimumFields) +
                    " fields with a position on chromosomes 1 to 24 in column " +
                    std::to_string(c.position) + ").";
            return false;
        }
        SizeArrays(c, m);
        if (!FillProbes(fileName, c, m, steps, error)) return false;
        SortByStart(c, m);
        NameHybridisations(c, m);
    } catch (const std::bad_alloc&) {
        error = NotEnoughMemoryText(fileName);
        return false;
    }
    ReplaceDataSet(c, m, activeSlot, data);

    Report report(log);
    report.Add(clock.Line());
    report.Add("");
    return true;
}

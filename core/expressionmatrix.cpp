#include "expressionmatrix.h"

#include "binaryio.h"
#include "elapsed.h"
#include "lenientcells.h"
#include "numbers.h"
#include "parallel.h"
#include "parser.h"
#include "progresssteps.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <new>

bool IsAnnotationColumn(const tHeatmap& heatmap, int column) {
    return column >= 1 && column <= kGeneAnnotationColumns && !heatmap.GAnno.empty() &&
           !heatmap.GAnno[0].Str[column].empty();
}

namespace {

constexpr int kReadShare = 400;   // progress of reading the file; parsing takes the rest
constexpr int kRowsPerChunk = 64; // genes one thread parses at a time

// Reads the whole file, the first share of the progress; false with `error` set.
bool ReadMatrixFile(const std::string& fileName, FileBytes& bytes, ProgressSteps& progress,
                    std::string& error) {
    const int err = ReadWholeFile(fileName, bytes, [&](double done) {
        return progress.Step(ProgressSteps::Scale(0, kReadShare, done, 1.0));
    });
    if (err == ECANCELED)
        error = ProgressSteps::kCancelledText;
    else if (err == ENOENT || err == EACCES || err == ENOTDIR)
        error = "Cannot open file: " + fileName + " (" + std::strerror(err) + ")";
    else if (err != 0)
        error = "Cannot read file: " + fileName + " (" + std::strerror(err) + ")";
    return err == 0;
}

int ParseChromosome(std::string_view cell) {
    if (cell == "X" || cell == "x") return 23;
    if (cell == "Y" || cell == "y") return 24;
    return ParseLenientInt(cell);
}

bool IsChromosome(int c) {
    return c >= 1 && c <= kChromosomes;
}

// Position cells a gene row has; a row without them takes the previous row's.
struct RowPosition {
    int32_t chr = 0, start = 0, stop = 0;
    bool hasChr = false, hasStart = false, hasStop = false;
};

// The loaded parts of a heat map, built aside and moved in once the whole file is read.
struct Matrix {
    std::vector<std::vector<float>> data;
    std::vector<tHeatmap_GAnno> genes;
    std::vector<std::vector<std::string>> header;
    int samples = 0;
    int headerRowsRead = 0;
};

struct Layout {
    int headerRows, headerCols, samples;
    int chrColumn, startColumn, stopColumn;
};

void ReadHeader(const std::vector<std::string_view>& lines, const Layout& l, Matrix& m) {
    std::vector<std::string_view> cells;
    SplitQuoted(lines[0], '\t', cells);
    const int names =
        std::min({l.headerCols, kGeneAnnotationColumns, static_cast<int>(cells.size())});
    for (int k = 1; k <= names; ++k) m.genes[0].Str[k].assign(cells[k - 1]);

    int r = 0;
    const int rows = std::min(l.headerRows, static_cast<int>(lines.size()));
    for (int i = 0; i < rows; ++i) {
        if (lines[i].empty()) continue;
        ++r;
        SplitQuoted(lines[i], '\t', cells);
        m.header[0][r].assign(cells[0]);
        const int last = std::min(static_cast<int>(cells.size()), l.headerCols + l.samples);
        for (int j = l.headerCols + 1; j <= last; ++j)
            m.header[j - l.headerCols][r].assign(cells[j - 1]);
    }
    m.headerRowsRead = r;
}

// Annotation cells and values of gene g; values of a row whose own chromosome cell names no
// chromosome are not read (they stay 0). Value cells that are no numbers in full are noted in
// `cut` by gene rather than by line.
void ReadGene(std::string_view line, int g, const Layout& l, std::vector<std::string_view>& cells,
              Matrix& m, RowPosition& pos, LenientCells& cut) {
    SplitQuoted(line, '\t', cells);
    const int n = static_cast<int>(cells.size());
    const int annotations = std::min({l.headerCols, kGeneAnnotationColumns, n});
    tHeatmap_GAnno& gene = m.genes[g];
    for (int k = 1; k <= annotations; ++k) {
        const std::string_view cell = cells[k - 1];
        gene.Str[k].assign(cell);
        if (k == l.chrColumn) {
            pos.chr = ParseChromosome(cell);
            pos.hasChr = true;
        }
        if (k == l.startColumn) {
            pos.start = ParseLenientInt(cell);
            pos.hasStart = true;
        }
        if (k == l.stopColumn) {
            pos.stop = ParseLenientInt(cell);
            pos.hasStop = true;
        }
    }
    if (pos.hasChr && !IsChromosome(pos.chr)) return;
    const int last = std::min(n, l.headerCols + l.samples); // cells beyond the samples are ignored
    for (int j = l.headerCols + 1; j <= last; ++j)
        m.data[j - l.headerCols][g] = ClampToSingle(ReadValueCell(cells[j - 1], cut, g, j));
}

// Carries the position of a row over to the following rows without those cells, and sets the
// genes' positions and p-values (1.0 for genes on a chromosome). Returns the genes placed on one.
int PlaceGenes(const std::vector<RowPosition>& rows, Matrix& m) {
    int placed = 0;
    int32_t chr = 0, start = 0, stop = 0;
    for (size_t g = 1; g < rows.size(); ++g) {
        const RowPosition& r = rows[g];
        if (r.hasChr) chr = r.chr;
        if (r.hasStart) start = r.start;
        if (r.hasStop) stop = r.stop;
        if (IsChromosome(chr)) {
            ++placed;
            m.genes[g].Chr = chr;
            m.genes[g].Start = start;
            m.genes[g].Stop = stop;
            m.data[0][g] = 1.0f;
        } else if (!r.hasChr) {
            for (int s = 1; s <= m.samples; ++s) m.data[s][g] = 0.0f;
        }
    }
    return placed;
}

// The file line (from 1) of gene g: the genes are the non-empty lines below the header rows.
int64_t LineOfGene(const std::vector<std::string_view>& lines, int headerRows, int g) {
    for (size_t i = static_cast<size_t>(headerRows); i < lines.size(); ++i)
        if (!lines[i].empty() && --g == 0) return static_cast<int64_t>(i) + 1;
    return 0;
}

// Why no gene lies on a chromosome: the first chromosome cell, which names none, or no row
// reaching the column (a spreadsheet export with every cell in quotes reads so).
std::string NoChromosomeError(const std::string& fileName,
                              const std::vector<std::string_view>& lines, const Layout& l,
                              const std::vector<RowPosition>& rows, const Matrix& m) {
    const std::string what = "\"" + fileName + "\" holds no gene on chromosomes 1 to 24: ";
    const std::string column = "the Chromosome ID column " + std::to_string(l.chrColumn);
    for (size_t g = 1; g < rows.size(); ++g) {
        if (!rows[g].hasChr) continue;
        return what + "no cell of " + column + " reads as a number 1 to 24, X or Y (line " +
               std::to_string(LineOfGene(lines, l.headerRows, static_cast<int>(g))) + " holds \"" +
               m.genes[g].Str[l.chrColumn] + "\").";
    }
    return what + "no gene row reaches " + column + ".";
}

int Load(tHeatmap& heatmap, const std::string& fileName, int headerRows, int headerCols,
         std::string& error, ProgressSink* sink, LogSink* log, std::string* warning) {
    const Stopwatch clock;
    ProgressSteps progress(sink);
    FileBytes bytes;
    if (!ReadMatrixFile(fileName, bytes, progress, error)) return -1;
    error = Utf16Refusal(bytes.View(), fileName);
    if (!error.empty()) return -1;
    std::vector<std::string_view> lines;
    LineReader::SplitLines(bytes.View(), lines);
    if (lines.empty()) return -1;

    std::vector<std::string_view> cells;
    SplitQuoted(lines[0], '\t', cells);
    const int samples = static_cast<int>(cells.size()) - headerCols;
    if (samples < 1) {
        error = "The expression matrix has no sample column: line 1 has " +
                std::to_string(cells.size()) + " cells for " + std::to_string(headerCols) +
                " annotation columns.";
        return -1;
    }
    if (samples > kMaxSamples) {
        error = "The expression matrix has " + std::to_string(samples) + " samples; at most " +
                std::to_string(kMaxSamples) + " can be loaded.";
        return -1;
    }
    std::vector<std::string_view> geneLines;
    for (size_t i = static_cast<size_t>(headerRows); i < lines.size(); ++i)
        if (!lines[i].empty()) geneLines.push_back(lines[i]);
    if (geneLines.empty()) {
        error = "The expression matrix has no gene rows below its " + std::to_string(headerRows) +
                " header rows.";
        return -1;
    }
    const int genes = static_cast<int>(geneLines.size());
    const Layout layout{headerRows,        headerCols,          samples,
                        heatmap.ChrColumn, heatmap.StartColumn, heatmap.StopColumn};

    Matrix m;
    m.samples = samples;
    // The value rows are zeroed on several threads, as the file was read.
    m.data.resize(static_cast<size_t>(samples) + 2);
    ParallelChunks(
        samples + 2, [&](int s) { m.data[s].assign(static_cast<size_t>(genes) + 2, 0.0f); },
        nullptr);
    m.genes.resize(static_cast<size_t>(genes) + 2);
    m.header.assign(static_cast<size_t>(samples) + 2,
                    std::vector<std::string>(static_cast<size_t>(headerRows) + 2));
    ReadHeader(lines, layout, m);

    std::vector<RowPosition> positions(static_cast<size_t>(genes) + 1);
    const int chunks = (genes + kRowsPerChunk - 1) / kRowsPerChunk;
    std::vector<LenientCells> cutPerChunk(static_cast<size_t>(chunks));
    const bool finished = ParallelChunks(
        chunks,
        [&](int chunk) {
            std::vector<std::string_view> rowCells;
            const int first = chunk * kRowsPerChunk + 1;
            const int last = std::min(genes, first + kRowsPerChunk - 1);
            for (int g = first; g <= last; ++g)
                ReadGene(geneLines[g - 1], g, layout, rowCells, m, positions[g],
                         cutPerChunk[static_cast<size_t>(chunk)]);
        },
        [&](int done) {
            return progress.Step(
                ProgressSteps::Scale(kReadShare, ProgressSteps::kMaximum, done, chunks));
        });
    if (!finished) {
        error = ProgressSteps::kCancelledText;
        return -1;
    }
    if (PlaceGenes(positions, m) == 0) {
        error = NoChromosomeError(fileName, lines, layout, positions, m);
        return -1;
    }
    LenientCells cut;
    for (const LenientCells& part : cutPerChunk) cut.Add(part);
    if (cut.Count > 0) cut.Line = LineOfGene(lines, headerRows, static_cast<int>(cut.Line));
    const std::string cutLine = cut.Describe(kLenientValuesText, fileName);

    heatmap.Data = std::move(m.data);
    heatmap.GAnno = std::move(m.genes);
    heatmap.Header = std::move(m.header);
    heatmap.SampleOrder.fill(0);
    for (int s = 1; s <= samples; ++s) heatmap.SampleOrder[s] = s;
    heatmap.SampleOrder[0] = samples;
    heatmap.HeaderRows = headerRows;
    heatmap.HeaderCols = headerCols;
    heatmap.SampleCount = samples;
    heatmap.GeneCount = genes;
    heatmap.HeaderRowsRead = m.headerRowsRead;
    heatmap.FileName = fileName;
    heatmap.DisplayStep = 5;
    heatmap.DisplayScale = 1.0f;
    if (!IsAnnotationColumn(heatmap, heatmap.DisplayMode)) heatmap.DisplayMode = 1;
    BumpDataVersion();

    Report report(log);
    report.Add("Expression matrix " + fileName);
    report.Add(std::to_string(samples) + " samples, " + std::to_string(genes) + " genes");
    if (!cutLine.empty()) report.Add(cutLine);
    if (warning) *warning = cutLine;
    report.Add(clock.Line());
    report.Add("");
    return genes;
}

// Sample and gene ranges that every transform loop stays within.
int Samples(const tHeatmap& h) {
    return std::clamp(h.SampleCount, 0, std::max(0, static_cast<int>(h.Data.size()) - 1));
}
int Genes(const tHeatmap& h, int s) {
    return std::clamp(h.GeneCount, 0, std::max(0, static_cast<int>(h.Data[s].size()) - 1));
}

template <typename F> void TransformValues(tHeatmap& h, F f) {
    for (int s = 1; s <= Samples(h); ++s) {
        float* v = h.Data[s].data();
        const int genes = Genes(h, s);
        for (int g = 1; g <= genes; ++g) v[g] = f(v[g]);
    }
    BumpDataVersion();
}

// Why the chromosome, start or stop column cannot be read; empty when all three can. A column
// the rows never reach would leave every gene off the chromosomes, while the load looked fine.
std::string PositionColumnError(const tHeatmap& h, int headerCols) {
    const int read = std::min(headerCols, kGeneAnnotationColumns);
    const std::pair<const char*, int> columns[] = {
        {"Chromosome ID", h.ChrColumn}, {"Start", h.StartColumn}, {"Stop", h.StopColumn}};
    for (const auto& [name, column] : columns) {
        if (column >= 1 && column <= read) continue;
        return "Invalid matrix layout: the " + std::string(name) + " column is " +
               std::to_string(column) +
               (read > 0
                    ? ", but only annotation columns 1 to " + std::to_string(read) + " can be read."
                    : ", but the matrix has no annotation columns.");
    }
    return {};
}

} // namespace

int LoadExpressionMatrix(tHeatmap& heatmap, const std::string& fileName, int headerRows,
                         int headerCols, std::string& error, ProgressSink* progress, LogSink* log,
                         std::string* warning) {
    error.clear();
    try {
        if (headerRows < 1 || headerCols < 0) {
            error = "Invalid matrix layout: at least 1 header row (the column names) and 0 or "
                    "more annotation columns are needed.";
            return -1;
        }
        error = PositionColumnError(heatmap, headerCols);
        if (!error.empty()) return -1;
        return Load(heatmap, fileName, headerRows, headerCols, error, progress, log, warning);
    } catch (const std::bad_alloc&) {
        error = NotEnoughMemoryText(fileName);
        return -1;
    }
}

void HeatmapMeanNormalise(tHeatmap& heatmap) {
    const int samples = Samples(heatmap);
    if (samples == 0) return;
    // Sample by sample, so each pass runs along one contiguous array. The sums are single: users
    // compare the normalised values with those of earlier runs.
    int genes = 0;
    for (int s = 1; s <= samples; ++s) genes = std::max(genes, Genes(heatmap, s));
    std::vector<float> sums(static_cast<size_t>(genes) + 1, 0.0f);
    for (int s = 1; s <= samples; ++s) {
        const float* v = heatmap.Data[s].data();
        const int n = Genes(heatmap, s);
        for (int g = 1; g <= n; ++g) sums[g] += v[g];
    }
    std::vector<float> means(sums.size());
    for (int g = 1; g <= genes; ++g) {
        const float mean = sums[g] / static_cast<float>(samples);
        means[g] = mean == 0.0f ? 1.0f : mean;
    }
    for (int s = 1; s <= samples; ++s) {
        float* v = heatmap.Data[s].data();
        const int n = Genes(heatmap, s);
        for (int g = 1; g <= n; ++g) v[g] /= means[g];
    }
    BumpDataVersion();
}

void HeatmapLog2(tHeatmap& heatmap) {
    TransformValues(heatmap,
                    [](float v) { return v > 0.0f ? static_cast<float>(std::log2(v)) : 0.0f; });
}

void HeatmapLog10ToLog2(tHeatmap& heatmap) {
    constexpr double kPowerOverflow = 3.3e38f; // the single-precision power's saturated result
    constexpr double kLog2Of10 = 3.321928094887362;
    TransformValues(heatmap, [](float v) {
        double power = std::pow(10.0f, v);
        if (power > kPowerOverflow) power = kPowerOverflow;
        // A power that underflows to 0 has no logarithm; the product is what it stands for.
        if (power == 0.0) return static_cast<float>(v * kLog2Of10);
        return static_cast<float>(std::log2(power));
    });
}

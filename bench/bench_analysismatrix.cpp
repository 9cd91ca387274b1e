// Times the group selector's matrix routines on a generated expression matrix of GENES x
// CONDITIONS (default 55,000 x 1,000, one value in a hundred missing), one core: the
// normalisations, gene filters, imputations and the sign swap; the nearest-genes imputation
// (quadratic in the genes) on its own smaller matrix: bench_analysismatrix [GENES [CONDITIONS]].
#include "analysis_matrix_data.h"
#include "benchtime.h"
#include "genefilters.h"
#include "imputation.h"
#include "matrixnormalise.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <numeric>
#include <string>

namespace {

std::vector<int32_t> Columns(int first, int last) {
    std::vector<int32_t> c(size_t(last - first + 1));
    std::iota(c.begin(), c.end(), first);
    return c;
}

// Milliseconds of one call of f on a fresh copy of the matrix.
template <typename F> double OnCopy(const AnalysisMatrix& source, F f) {
    AnalysisMatrix m;
    return Time(
        1, [&] { f(m); }, [&] { m = source; });
}

} // namespace

int main(int argc, char** argv) {
    const int genes = argc > 1 ? std::atoi(argv[1]) : 55000;
    const int conditions = argc > 2 ? std::atoi(argv[2]) : 1000;
    const AnalysisMatrix source = GenerateAnalysisMatrix(genes, conditions, 0.01);
    const int half = conditions / 2;
    const auto first = Columns(1, half), second = Columns(half + 1, conditions),
               all = Columns(1, conditions);
    std::vector<int32_t> groups(size_t(conditions) + 1, 1);
    for (int c = half + 1; c <= conditions; ++c) groups[size_t(c)] = 2;
    std::printf("%d genes x %d conditions, one value in a hundred missing; ms per call:\n", genes,
                conditions);
    const auto report = [](const char* what, double ms) {
        std::printf("  %-44s %8.1f\n", what, ms);
    };

    const PoolAverage averages[] = {PoolAverage::Mean, PoolAverage::Median, PoolAverage::Geometric};
    const char* names[] = {"mean", "median", "geometric"};
    for (int k = 0; k < 3; ++k) {
        const std::string what = std::string("hybridisation pools, ") + names[k] + ", half on half";
        report(what.c_str(), OnCopy(source, [&](AnalysisMatrix& m) {
                   NormaliseHybridisationPools(m, all, second, averages[k], false, nullptr);
               }));
    }
    report("virtual pool, median centring, every column", OnCopy(source, [&](AnalysisMatrix& m) {
               NormaliseVirtualPool(m, all, PoolAverage::Median, true, nullptr);
           }));
    report("total intensity, two groups", OnCopy(source, [&](AnalysisMatrix& m) {
               NormaliseTotalIntensity(m, groups, 2, nullptr);
           }));
    const GeneFilter filters[] = {GeneFilter::MissingValues, GeneFilter::Median, GeneFilter::Mean};
    const char* filterNames[] = {"gene filter, missing values (3001)",
                                 "gene filter, medians of two groups (3002)",
                                 "gene filter, means of two groups (3003)"};
    std::vector<uint8_t> matches;
    for (int k = 0; k < 3; ++k)
        report(filterNames[k], Time(1, [&] {
                   matches = FindFilteredGenes(source, filters[k], {first, second}, 8.0, nullptr);
               }));
    report("removing the genes of the mean filter",
           OnCopy(source, [&](AnalysisMatrix& m) { RemoveGenes(m, matches, nullptr); }));
    const Imputation kinds[] = {Imputation::Constant, Imputation::RowAverage, Imputation::HotDeck};
    const char* kindNames[] = {"imputation, constant (3101)", "imputation, row average (3102)",
                               "imputation, hot deck (3103)"};
    for (int k = 0; k < 3; ++k)
        report(kindNames[k], OnCopy(source, [&](AnalysisMatrix& m) {
                   ImputeMissing(m, kinds[k], all, 0.0f, nullptr);
               }));
    report("swap sign, every column", OnCopy(source, [&](AnalysisMatrix& m) { SwapSign(m, all); }));

    const AnalysisMatrix small = GenerateAnalysisMatrix(5000, 100, 0.01);
    report("nearest genes (3104), 5,000 genes x 100", OnCopy(small, [&](AnalysisMatrix& m) {
               ImputeMissing(m, Imputation::NearestGenes, Columns(1, 100), 0.0f, nullptr);
           }));
    return 0;
}

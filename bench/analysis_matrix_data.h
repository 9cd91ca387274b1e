// A generated expression matrix for the benchmarks of the group selector's analysis modes.
#pragma once

#include "analysismatrix.h"
#include "synthetic_cgh.h"

#include <cmath>
#include <string>

// GENES x CONDITIONS log-scale values about 8 (spread 2), a `missing` share of them NaN, each
// gene annotated "gene" + its number in annotation column 1; the same data on every run.
inline AnalysisMatrix GenerateAnalysisMatrix(int genes, int conditions, double missing) {
    AnalysisMatrix m;
    m.Resize(genes, conditions);
    synthetic::Random rnd(99);
    for (float& v : m.Values) v = rnd.Uniform() < missing ? NAN : float(8.0 + 2.0 * rnd.Normal());
    m.Annotation.resize(size_t(genes) + 1);
    for (int g = 1; g <= genes; ++g) m.Annotation[size_t(g)] = {"", "gene" + std::to_string(g)};
    return m;
}

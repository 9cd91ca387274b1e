#include "analysismatrix.h"

#include <cmath>

namespace {
const std::string kEmpty;

template <typename Table> const std::string& Cell(const Table& t, int64_t i, int64_t j) {
    if (i < 0 || static_cast<uint64_t>(i) >= t.size()) return kEmpty;
    const auto& row = t[static_cast<size_t>(i)];
    if (j < 0 || static_cast<uint64_t>(j) >= row.size()) return kEmpty;
    return row[static_cast<size_t>(j)];
}
} // namespace

void AnalysisMatrix::Resize(int32_t genes, int32_t conditions) {
    GeneCount = genes > 0 ? genes : 0;
    ConditionCount = conditions > 0 ? conditions : 0;
    Values.assign(static_cast<size_t>(GeneCount) * static_cast<size_t>(ConditionCount), NAN);
}

int32_t AnalysisMatrix::ColumnOfMember(int64_t n) const {
    const int64_t c = n - FirstConditionNumber + 1;
    return c >= 1 && c <= ConditionCount ? static_cast<int32_t>(c) : 0;
}

const std::string& AnalysisMatrix::HeaderCell(int64_t column, int64_t row) const {
    return Cell(HeaderCells, column, row);
}

const std::string& AnalysisMatrix::AnnotationCell(int64_t gene, int64_t column) const {
    return Cell(Annotation, gene, column);
}

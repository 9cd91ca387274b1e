#include "profilemodel.h"

#include "numbers.h"
#include "parser.h"

#include <algorithm>
#include <cmath>

namespace {
// Channels 1..n of a table of n + 1 entries.
template <typename T> std::span<T> Channels(std::span<T> table) {
    return table.empty() ? table : table.subspan(1);
}

// Channel c := the mean over the picked entries p of the values read(p)(data column of member
// columns[c], v) gives; an entry it gives none for, or a column outside the matrix, is left out
// and a channel without values gets 0. False, with nothing changed, when nothing is picked. The
// sums are double: long double would take several times as long over 55,000 genes and 1,000
// channels, where the mean is only drawn.
template <typename Read>
bool MeanOverPicked(const AnalysisMatrix& m, std::span<const int32_t> columns,
                    std::span<const int32_t> picked, std::span<float> values, Read read) {
    if (picked.empty()) return false;
    const size_t n = Channels(values).size();
    std::vector<int32_t> data(n + 1, 0);
    for (size_t c = 1; c <= n && c < columns.size(); ++c) data[c] = m.ColumnOfMember(columns[c]);
    std::vector<double> sum(n + 1, 0.0);
    std::vector<int32_t> count(n + 1, 0);
    for (int32_t p : picked) {
        const auto at = read(p); // the entry's reader, made once per entry
        for (size_t c = 1; c <= n; ++c) {
            double v;
            if (data[c] == 0 || !at(data[c], v)) continue;
            sum[c] += v;
            ++count[c];
        }
    }
    for (size_t c = 1; c <= n; ++c)
        values[c] = count[c] > 0 ? ClampToSingle(sum[c] / count[c]) : 0.0f;
    return true;
}
} // namespace

void ProfileFillConstant(std::span<float> values, float v) {
    std::ranges::fill(Channels(values), v);
}

void ProfileFillRamp(std::span<float> values, float to, float from) {
    const auto channels = Channels(values);
    const size_t n = channels.size();
    const double step = n > 1 ? (double(to) - from) / double(n - 1) : 0.0;
    for (size_t k = 0; k < n; ++k) channels[k] = ClampToSingle(from + double(k) * step);
}

void ProfileRotate(std::span<float> values, ProfileDirection direction) {
    const auto channels = Channels(values);
    if (channels.size() < 2) return;
    if (direction == ProfileDirection::Left)
        std::rotate(channels.begin(), channels.begin() + 1, channels.end());
    else
        std::rotate(channels.begin(), channels.end() - 1, channels.end());
}

ProfileScale ProfileRescale(std::span<const float> values) {
    double m = 0.0;
    for (float v : Channels(values)) m = std::max(m, std::fabs(double(v)));
    ProfileScale scale;
    const double limit = std::ceil(m) + 1.0;
    scale.ValueLimit = ClampToSingle(limit);
    scale.GridStep = ClampToSingle(std::ceil(limit / 10.0));
    return scale;
}

void ProfileShiftSelected(std::span<float> values, std::span<const int32_t> selected, double d) {
    const size_t n = std::min(values.size(), selected.size());
    for (size_t c = 1; c < n; ++c)
        if (selected[c] == 1) values[c] = ClampToSingle(values[c] + d);
}

void ProfileSelectChannel(std::span<int32_t> selected, std::span<const int32_t> groups, int32_t c,
                          ProfileClick how) {
    const int64_t n = static_cast<int64_t>(selected.size()) - 1;
    if (c < 1 || c > n) return;
    switch (how) {
    case ProfileClick::All:
        std::ranges::fill(Channels(selected), 1);
        break;
    case ProfileClick::Group:
        for (size_t k = 1; k < selected.size() && k < groups.size(); ++k)
            if (groups[k] == groups[static_cast<size_t>(c)]) selected[k] = 1;
        break;
    case ProfileClick::Add:
        selected[static_cast<size_t>(c)] = 1;
        break;
    case ProfileClick::Range:
        for (int32_t k = c; k >= 1; --k) {
            if (selected[static_cast<size_t>(k)] != 1) continue;
            std::fill(selected.begin() + k, selected.begin() + c + 1, 1);
            break;
        }
        break;
    case ProfileClick::Only:
        std::ranges::fill(selected, 0);
        selected[static_cast<size_t>(c)] = 1;
        break;
    }
}

int32_t ProfileChannelAt(double x, double step, int32_t n) {
    if (n < 1) return 0;
    const double c = step > 0.0 ? std::ceil(x / step + 0.5) : 1.0;
    // Held in range before the conversion; NaN fails both tests and gives channel 1.
    if (c >= n) return n;
    if (!(c > 1.0)) return 1;
    return static_cast<int32_t>(c);
}

bool ProfileMeanOfGenes(const AnalysisMatrix& m, std::span<const int32_t> columns,
                        std::span<const int32_t> genes, std::span<float> values) {
    // Rows the value table really holds, whatever the counts say.
    const int64_t rows =
        m.ConditionCount > 0
            ? std::min<int64_t>(m.GeneCount, int64_t(m.Values.size() / size_t(m.ConditionCount)))
            : 0;
    return MeanOverPicked(m, columns, genes, values, [&](int32_t g) {
        const float* row = g >= 1 && g <= rows
                               ? m.Values.data() + size_t(g - 1) * size_t(m.ConditionCount)
                               : nullptr;
        return [row](int32_t column, double& v) {
            if (!row) return false;
            v = row[column - 1];
            return !std::isnan(v);
        };
    });
}

bool ProfileMeanOfHeaderRows(const AnalysisMatrix& m, std::span<const int32_t> columns,
                             std::span<const int32_t> rows, std::span<float> values) {
    return MeanOverPicked(m, columns, rows, values, [&](int32_t h) {
        return [&m, h](int32_t column, double& v) {
            const int64_t header = int64_t{m.AnnotationColumnCount} + column;
            if (header < 0 || size_t(header) >= m.HeaderCells.size() || h < 0 ||
                size_t(h) >= m.HeaderCells[size_t(header)].size())
                return false;
            v = ParseLenientSingle(m.HeaderCell(header, h));
            return true;
        };
    });
}

std::string UpperCaseAscii(std::string_view s) {
    std::string upper(s);
    for (char& ch : upper)
        if (ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 'a' + 'A');
    return upper;
}

int32_t FindProfileGenes(std::span<const std::string> upperNames, std::string_view text,
                         int32_t kind, std::vector<uint8_t>& marked) {
    marked.resize(upperNames.size(), 0);
    if (text.empty()) return 0;
    if (kind != kFindOrContains && kind != kFindOrWhole) std::ranges::fill(marked, 0);
    const bool whole = kind == kFindWhole || kind == kFindOrWhole;
    std::vector<std::string> keys;
    SplitQuoted(UpperCaseAscii(text), ' ', keys);
    int32_t found = 0;
    for (std::string_view key : keys) {
        const size_t first = key.find_first_not_of(" \t");
        if (first == std::string_view::npos) continue;
        key = key.substr(first, key.find_last_not_of(" \t") - first + 1);
        for (size_t i = 0; i < upperNames.size(); ++i) {
            const bool match =
                whole ? upperNames[i] == key : upperNames[i].find(key) != std::string::npos;
            if (!match) continue;
            marked[i] = 1;
            ++found;
        }
    }
    return found;
}

void PasteProfileValues(std::string text, std::span<float> values) {
    std::string piece;
    for (float& v : Channels(values)) {
        if (text.empty()) break;
        CutToken(text, ",", piece);
        v = ParseLenientSingle(piece);
    }
}

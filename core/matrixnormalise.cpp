#include "matrixnormalise.h"

#include "elapsed.h"
#include "grouptests.h"
#include "numbers.h"
#include "statpack.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <string>

namespace {

constexpr int kProgressStep = 100;

// A divisor that would make the quotient overflow, or 0, leaves the values as they are.
float Divisor(long double d) {
    return std::fabs(d) >= FLT_MIN && std::isfinite(d) ? static_cast<float>(d) : 1.0f;
}

// The pool's present values of one gene at work[1..n]; returns n.
int32_t GatherPresent(const float* row, std::span<const int32_t> columns,
                      std::vector<float>& work) {
    int32_t n = 0;
    for (const int32_t c : columns) {
        const float v = row[c - 1];
        if (!std::isnan(v)) work[static_cast<size_t>(++n)] = v;
    }
    return n;
}

float Average(PoolAverage kind, std::vector<float>& work, int32_t n) {
    switch (kind) {
    case PoolAverage::Median:
        return SelectMedianS(work, n);
    case PoolAverage::Geometric:
        return GeoMeanS(work, n);
    case PoolAverage::Mean:
        break;
    }
    return MeanS(work, n);
}

} // namespace

std::vector<int32_t> MemberColumns(const AnalysisMatrix& m, std::string_view members) {
    std::vector<int32_t> columns;
    for (const int32_t n : ReadMembers(members, INT32_MAX))
        if (const int32_t c = m.ColumnOfMember(n)) columns.push_back(c);
    return columns;
}

void NormaliseHybridisationPools(AnalysisMatrix& m, std::span<const int32_t> targets,
                                 std::span<const int32_t> pool, PoolAverage average, bool centre,
                                 ProgressSink* progress) {
    const auto inside = [&m](int32_t c) { return c >= 1 && c <= m.ConditionCount; };
    std::vector<int32_t> targetColumns, poolColumns;
    std::copy_if(targets.begin(), targets.end(), std::back_inserter(targetColumns), inside);
    std::copy_if(pool.begin(), pool.end(), std::back_inserter(poolColumns), inside);
    std::vector<float> work(poolColumns.size() + 1);
    if (progress) progress->SetMaximum(m.GeneCount);
    for (int32_t g = 1; g <= m.GeneCount; ++g) {
        if (progress && g % kProgressStep == 0) {
            progress->SetPosition(g);
            progress->Pump();
        }
        float* row = m.Row(g);
        const float r = Average(average, work, GatherPresent(row, poolColumns, work));
        if (centre) {
            for (const int32_t c : targetColumns) row[c - 1] -= r;
        } else {
            const float d = Divisor(r);
            for (const int32_t c : targetColumns) row[c - 1] /= d;
        }
    }
}

void NormaliseVirtualPool(AnalysisMatrix& m, std::span<const int32_t> columns, PoolAverage average,
                          bool centre, ProgressSink* progress) {
    NormaliseHybridisationPools(m, columns, columns, average, centre, progress);
}

void NormaliseTotalIntensity(AnalysisMatrix& m, std::span<const int32_t> conditionGroup,
                             int32_t groupCount, LogSink* log) {
    Report report(log);
    report.Add("");
    report.Add("Adjust data - Total intensity normalisation in Conditions");
    report.Add(std::string(57, '='));
    const Stopwatch clock;
    const int32_t conditions = std::min<int64_t>(
        m.ConditionCount, std::max<int64_t>(0, static_cast<int64_t>(conditionGroup.size()) - 1));
    std::vector<long double> total(static_cast<size_t>(conditions) + 1);
    for (int32_t g = 1; g <= m.GeneCount; ++g) {
        const float* row = m.Row(g);
        for (int32_t c = 1; c <= conditions; ++c)
            if (!std::isnan(row[c - 1])) total[static_cast<size_t>(c)] += row[c - 1];
    }
    const auto name = [&m](int32_t c) { return m.ConditionHeaderCell(c, 1); };
    std::vector<float> factor(static_cast<size_t>(conditions) + 1, 1.0f);
    for (int32_t group = 1; group <= groupCount; ++group) {
        report.Add("Normalising group #" + std::to_string(group));
        report.Add("Condition #\tCondition name\tTotal intensity");
        long double sum = 0;
        int32_t members = 0;
        for (int32_t c = 1; c <= conditions; ++c) {
            if (conditionGroup[static_cast<size_t>(c)] != group) continue;
            const long double t = total[static_cast<size_t>(c)];
            report.Add(std::to_string(c) + "\t" + name(c) + "\t" +
                       FormatFixedWidth(static_cast<double>(t), 10, 0));
            sum += t;
            ++members;
        }
        // A group without conditions has nothing to average: its average counts as 0.
        const float a = Divisor(members > 0 && sum > 0 ? sum / members : 0);
        report.Add("Average total intensity=" + FormatFixedWidth(a, 10, 0));
        report.Add("Condition #\tCondition name\tScaling factor");
        for (int32_t c = 1; c <= conditions; ++c) {
            if (conditionGroup[static_cast<size_t>(c)] != group) continue;
            const float f = Divisor(total[static_cast<size_t>(c)] / a);
            factor[static_cast<size_t>(c)] = f;
            report.Add(std::to_string(c) + "\t" + name(c) + "\t" + FormatFixedWidth(f, 10, 3));
        }
        report.Add("");
    }
    for (int32_t g = 1; g <= m.GeneCount; ++g) {
        float* row = m.Row(g);
        for (int32_t c = 1; c <= conditions; ++c) row[c - 1] /= factor[static_cast<size_t>(c)];
    }
    report.Add(clock.Line("s elapsed time.", 10));
}

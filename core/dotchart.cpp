#include "dotchart.h"

#include "binaryio.h"
#include "numbers.h"
#include "parser.h"
#include "random.h"
#include "statpack.h"
#include "textpreview.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <limits>
#include <new>

namespace {
float HoldSingle(double v) {
    return static_cast<float>(std::clamp(v, -kDotValueLimit, kDotValueLimit));
}

void AddValue(DotGroup& g, float v) {
    g.Values.push_back({v, 0, v});
    g.Count = static_cast<int32_t>(g.Values.size());
}

void ClearGroup(DotGroup& g) {
    g.Name.clear();
    g.Values.clear();
    g.Count = 0;
}

// The paste rule: LF and TAB separate fields alike, CRs are dropped; numbers become values and a
// word before the first number names the group.
void ReadPastedFields(DotGroup& g, std::string_view text) {
    std::string joined(text);
    std::replace(joined.begin(), joined.end(), '\n', '\t');
    bool anyNumber = false;
    for (const std::string& f : SplitPreviewLine(joined)) {
        float v = 0;
        if (ReadDotValue(f, v)) {
            AddValue(g, v);
            anyNumber = true;
        } else if (!anyNumber && !f.empty()) {
            g.Name = f;
        }
    }
}

int32_t AppendGroup(DotChartData& data) {
    if (data.GroupCount >= kMaxDotGroups) return 0;
    const int32_t n = ++data.GroupCount;
    ClearGroup(data.Groups[n]);
    return n;
}
} // namespace

void InitDotChartData(DotChartData& data) {
    for (DotGroup& g : data.Groups) g = DotGroup();
    data.GroupCount = 0;
    data.LayoutMode = 1;
    data.AxisMin = 0;
    data.AxisMax = 0;
}

void ClearDotChartData(DotChartData& data) {
    data.GroupCount = 0;
    data.LayoutMode = 1;
    for (DotGroup& g : data.Groups) ClearGroup(g);
}

bool ReadDotValue(std::string_view field, float& value) {
    double v = 0;
    if (!ParseStrictFloat(WithDecimalPoint(field), v)) return false;
    value = HoldSingle(v);
    return true;
}

bool PasteSingleGroup(DotChartData& data, int32_t group, std::string_view text,
                      std::string_view name) {
    if (group == 0) {
        group = AppendGroup(data);
        if (group == 0) return false;
    } else if (group < 1 || group > data.GroupCount) {
        return false;
    }
    DotGroup& g = data.Groups[group];
    ClearGroup(g);
    g.Name = name.empty() ? std::string("Data set\\nPasted") : std::string(name);
    ReadPastedFields(g, text);
    ComputeGroupStats(data);
    LayoutDots(data);
    return true;
}

int32_t PasteGroupsByRow(DotChartData& data, std::string_view text) {
    int32_t dropped = 0;
    for (std::string_view line : SplitTextLines(text)) {
        if (line.find_first_not_of('\r') == std::string_view::npos) continue;
        const int32_t n = AppendGroup(data);
        if (n == 0) {
            ++dropped;
            continue;
        }
        data.Groups[n].Name = "P" + std::to_string(n);
        ReadPastedFields(data.Groups[n], line);
    }
    ComputeGroupStats(data);
    LayoutDots(data);
    return dropped;
}

void ComputeGroupStats(DotChartData& data) {
    // The range starts from the values themselves: any fixed start would cut off values beyond it.
    double lo = std::numeric_limits<double>::infinity(), hi = -lo;
    std::vector<float> work;
    for (int32_t gi = 1; gi <= data.GroupCount; ++gi) {
        DotGroup& g = data.Groups[gi];
        const int32_t n = g.Count = static_cast<int32_t>(g.Values.size());
        if (n == 0) {
            // Nothing to average: the group shows only its name.
            g.Mean = g.Median = g.StdDev = g.MedianDev = 0;
            g.Q25 = g.Q75 = g.Q025 = g.Q975 = 0;
            continue;
        }
        work.assign(static_cast<size_t>(n) + 1, 0.0f);
        long double sum = 0;
        for (int32_t k = 1; k <= n; ++k) {
            const float v = g.Values[k - 1].Shown;
            work[k] = v;
            sum += v;
            lo = std::min<double>(lo, v);
            hi = std::max<double>(hi, v);
        }
        g.Mean = HoldSingle(static_cast<double>(sum / n));
        g.StdDev = HoldSingle(static_cast<double>(StdDevAbout(work, n, g.Mean)));
        g.Median = MedianS(work, n);
        g.MedianDev = HoldSingle(static_cast<double>(StdDevAbout(work, n, g.Median)));
        const auto at = [&](double fraction, bool atLeastOne) {
            int32_t i = RoundToInt(n * fraction);
            if (atLeastOne) i = std::max(1, i);
            return work[std::clamp(i, 1, n)];
        };
        g.Q25 = at(0.25, true);
        g.Q75 = at(0.75, false);
        g.Q025 = at(0.025, true);
        g.Q975 = at(0.975, false);
        for (int32_t k = 1; k <= n; ++k) g.Values[k - 1].Shown = work[k];
    }
    if (lo > hi) lo = hi = 0; // no value at all
    hi *= hi > 0 ? 1.1 : 0.9;
    lo *= lo > 0 ? 0.9 : 1.1;
    data.AxisMin = HoldSingle(lo);
    data.AxisMax = HoldSingle(hi);
}

void LayoutDots(DotChartData& data) {
    if (data.LayoutMode != 1) return;
    for (int32_t gi = 1; gi <= data.GroupCount; ++gi) {
        DotGroup& g = data.Groups[gi];
        const int32_t p = std::max(0, RoundToInt(g.PointsPerLine));
        size_t k = 0;
        for (int32_t row = 1; k < g.Values.size(); ++row) {
            if (p == 0) {
                g.Values[k++].Offset = 0.5f;
                continue;
            }
            const bool odd = row % 2 == 1;
            const int32_t dots = std::max(1, odd ? p - 1 : p);
            for (int32_t d = 0; d < dots && k < g.Values.size(); ++d)
                g.Values[k++].Offset = static_cast<float>(odd ? d + 1.5 : d + 1);
        }
    }
}

void TransformValues(DotChartData& data, int32_t kind) {
    for (int32_t gi = 1; gi <= data.GroupCount; ++gi) {
        for (DotValue& v : data.Groups[gi].Values) {
            const double raw = v.Raw;
            switch (kind) {
            case 0:
                v.Shown = v.Raw;
                break;
            case 1:
            case 2:
                // The logarithm of 0 is minus infinity: zero shows itself, as negatives do. The
                // shown values were sorted, so keeping the shown one would take another value's.
                v.Shown =
                    raw > 0 ? HoldSingle(kind == 1 ? std::log2(raw) : std::log10(raw)) : v.Raw;
                break;
            case 3:
                v.Shown = HoldSingle(std::exp2(raw));
                break;
            case 4:
                v.Shown = HoldSingle(std::pow(10.0, raw));
                break;
            default:
                break;
            }
        }
    }
}

int32_t MakeDemoData(DotChartData& data, int32_t k) {
    ClearDotChartData(data);
    const int32_t kept = std::clamp(k, 0, kMaxDotGroups);
    for (int32_t g = 1; g <= kept; ++g) {
        DotGroup& group = data.Groups[g];
        group.Name = "Sim Data\\nSeries " + std::to_string(g);
        const int32_t n = 30 + RandomBelow(30);
        for (int32_t i = 0; i < n; ++i)
            AddValue(group, static_cast<float>(RandomUnit() * 8 - 4 + g * 0.2));
    }
    data.GroupCount = kept;
    return std::max(0, k - kept);
}

bool SaveDotChartText(const DotChartData& data, const std::string& fileName, std::string& error) {
    std::string out;
    for (int32_t gi = 1; gi <= data.GroupCount; ++gi) {
        const DotGroup& g = data.Groups[gi];
        out += g.Name;
        out += "\tFormat:\t";
        for (const DotValue& v : g.Values) {
            out += FormatFixedWidth(v.Shown, 20, 3);
            out += '\t';
        }
        out += "\r\n";
    }
    SaveFile file;
    if (!file.Open(fileName, error)) return false;
    file.Write(out);
    return file.Commit(error);
}

int32_t ReadDotChartText(DotChartData& data, std::string_view text) {
    DotChartData fresh = data;
    ClearDotChartData(fresh);
    int32_t dropped = 0;
    std::vector<std::string_view> fields;
    for (std::string_view line : SplitTextLines(text)) {
        if (line.empty() || line.starts_with("Format")) continue;
        const int32_t n = AppendGroup(fresh);
        if (n == 0) {
            ++dropped;
            continue;
        }
        DotGroup& g = fresh.Groups[n];
        SplitQuoted(line, '\t', fields);
        g.Name = std::string(fields.empty() ? std::string_view() : fields[0]);
        size_t first = 1;
        if (fields.size() > 1 && fields[1].starts_with("Format:")) first = 2;
        for (size_t i = first; i < fields.size(); ++i) {
            float v = 0;
            if (ReadDotValue(fields[i], v)) AddValue(g, v);
        }
    }
    data = std::move(fresh);
    return dropped;
}

bool LoadDotChartText(DotChartData& data, const std::string& fileName, int32_t& dropped,
                      std::string& error) {
    int err = 0;
    try {
        std::string bytes;
        if (ReadWholeFile(fileName, bytes, err)) {
            dropped = ReadDotChartText(data, bytes);
            return true;
        }
    } catch (const std::bad_alloc&) {
        err = ENOMEM;
    }
    error = std::strerror(err);
    return false;
}

#include "toolcommands.h"

#include "cghtransforms.h"
#include "expressionmatrix.h"
#include "pvaluefilters.h"

#include <algorithm>
#include <cmath>

namespace {
using Mark = ToolCommandResult::DataTypeMark;

// Stores a new value and asks for a repaint only when it differs from the old one.
template <typename T> ToolCommandResult SetWhenChanged(T& field, T value) {
    if (field == value) return {};
    field = value;
    BumpDataVersion();
    return {true, Mark::Keep};
}

ToolCommandResult SetDisplayStart(tCGH_DataSet& cgh, int64_t value) {
    return SetWhenChanged(cgh.DisplayStart,
                          static_cast<int32_t>(std::clamp<int64_t>(value, 10, 10000)));
}

// The traces leave the track long before the ceiling, which keeps the gain finite: an infinite
// gain would not come down by zooming out.
ToolCommandResult SetGain(tCGH_DataSet& cgh, double value) {
    constexpr double kMinGain = 0.001, kMaxGain = 1e6;
    return SetWhenChanged(cgh.Gain, static_cast<float>(std::clamp(value, kMinGain, kMaxGain)));
}

ToolCommandResult Changed(Mark mark = Mark::Keep) {
    BumpDataVersion();
    return {true, mark};
}

ToolCommandResult ReadChromosomeList(ToolCommandContext& ctx) {
    const int count = std::clamp(ctx.layout.ChromosomeCount, 0, kLayoutSlots);
    if (ctx.listSelection) {
        const auto& sel = *ctx.listSelection;
        for (int c = 1; c <= count; ++c)
            if (c <= static_cast<int>(sel.size())) ctx.layout.Selected[c] = sel[c - 1] ? 1 : 0;
    }
    int selected = 0, only = 0;
    for (int c = 1; c <= count; ++c)
        if (ctx.layout.Selected[c]) ++selected, only = c;
    if (selected == 1) {
        ctx.firstChromosome = ctx.lastChromosome = only;
    } else {
        ctx.firstChromosome = 1;
        ctx.lastChromosome = count;
    }
    return Changed();
}

// The significant probes counted after a p-value filter, or the filter's refusal.
ToolCommandResult CountAfterFilter(ToolCommandContext& ctx, std::string refused) {
    if (!refused.empty()) return {false, Mark::Keep, std::move(refused)};
    CountSignificantProbes(ctx.cghStat, ctx.cgh);
    return Changed();
}

ToolCommandResult Dispatch(ToolCommandContext& ctx, int code, int arg) {
    tCGH_DataSet& cgh = ctx.cgh;
    switch (code) {
    case 1000:
        ctx.exp.DisplayStep = arg == 0 ? 5 : std::max(1, ctx.exp.DisplayStep + arg);
        return Changed();
    case 1001:
        if (arg <= 0) return {}; // the track divides by the scale
        ctx.exp.DisplayScale = static_cast<float>(arg / 100.0);
        return Changed();
    case 1002:
        if (!IsAnnotationColumn(ctx.exp, arg)) return {};
        ctx.exp.DisplayMode = arg;
        ctx.exp.DisplayFlag = 1;
        return Changed();
    case 1003:
        ctx.exp.DisplayFlag = ctx.exp.DisplayFlag ? 0 : 1;
        return Changed();
    case 1004:
        if (arg == 1) HeatmapMeanNormalise(ctx.exp);
        if (arg == 2) HeatmapLog2(ctx.exp);
        if (arg == 3) HeatmapLog10ToLog2(ctx.exp);
        if (arg < 1 || arg > 3) return {};
        return Changed();
    case 1010:
        if (arg >= 1) SmoothCGHData(cgh, arg, ctx.log);
        return Changed(Mark::Processed);
    case 1011:
        ZTransformHybridisations(cgh, ctx.log);
        return Changed(Mark::Raw);
    case 1012:
        RestoreRawCGHValues(cgh, ctx.log);
        return Changed(Mark::Raw);
    case 1013:
        ZTransformOligos(cgh, ctx.log);
        return Changed(Mark::Raw);
    case 1014:
        InvertHybridisations(cgh, ctx.log);
        return Changed();
    case 1015:
        Log10ToLog2(cgh, ctx.log);
        return Changed();
    case 1100:
        if (arg != 1) return {};
        return ReadChromosomeList(ctx);
    case 2000:
        ctx.cghStat.Alpha = static_cast<float>(std::pow(10.0, -arg / 100.0));
        return Changed();
    case 2010:
        ctx.expStat.Alpha = static_cast<float>(std::pow(10.0, -arg / 100.0));
        return Changed();
    case 3000:
        return Changed();
    case 3001: {
        const int h = arg / 10;
        if (h < 1 || h > kMaxHybridisations) return {};
        cgh.Hyb[h].Active = arg % 10 == 1 ? 1 : 0;
        BumpDataVersion();
        return {};
    }
    case 3010:
        return SetDisplayStart(cgh, int64_t{cgh.DisplayStart} - arg);
    case 3011:
        return SetDisplayStart(cgh, arg);
    case 3012:
        return SetDisplayStart(cgh, int64_t{cgh.DisplayStart} + arg);
    case 3020:
        return SetGain(cgh, cgh.Gain * (1.0 - arg / 100.0));
    case 3021:
        return SetGain(cgh, 1.0);
    case 3022:
        return SetGain(cgh, cgh.Gain * (1.0 + arg / 100.0));
    case 3030:
        return SetWhenChanged(cgh.DataType, arg);
    case 3031:
        if (arg == 2) cgh.ShowSingleProbes ^= 1;
        if (arg == 3) cgh.ShowProcessed ^= 1;
        if (arg == 4) cgh.ShowGroups ^= 1;
        return Changed();
    case 3040:
        return CountAfterFilter(ctx, WindowPValueFilter(cgh, ctx.cghStat.Alpha, cgh.TestParam1,
                                                        cgh.TestParam2, ctx.log));
    case 3050:
        // The Range and CGH probes boxes (3051, 3052), not the window filter's parameters.
        return CountAfterFilter(ctx, GeneProximityPValueFilter(cgh, ctx.exp, ctx.cghStat.Alpha,
                                                               ctx.expStat.Alpha, cgh.TestParam5,
                                                               cgh.TestParam6));
    case 3041:
        cgh.TestParam1 = arg;
        return {};
    case 3042:
        cgh.TestParam2 = arg;
        return {};
    case 3043:
    case 3053:
        cgh.TestParam3 = arg;
        return {};
    case 3044:
    case 3054:
        cgh.TestParam4 = arg;
        return {};
    case 3051:
        cgh.TestParam5 = arg;
        return {};
    case 3052:
        cgh.TestParam6 = arg;
        return {};
    case 3100: {
        const int kind = arg / 10000, width = arg % 10000;
        if (width >= 1) {
            if (kind == 1) SmoothCGHData(cgh, width, ctx.log);
            if (kind == 3 || kind == 4) WeightedSmoothCGHData(cgh, 0, kind, width, ctx.log);
        }
        return Changed(Mark::Processed);
    }
    default:
        return {};
    }
}
} // namespace

ToolCommandResult RunToolCommand(ToolCommandContext& ctx, int code, int arg) {
    ToolCommandResult result = Dispatch(ctx, code, arg);
    // Whatever a command asked for, the CGH track keeps a drawable width and gain.
    ctx.cgh.DisplayStart = std::clamp(ctx.cgh.DisplayStart, 10, 10000);
    if (!(ctx.cgh.Gain >= 0.001f)) ctx.cgh.Gain = 0.001f;
    switch (result.mark) {
    case Mark::Raw:
        ctx.cgh.DataType = 0;
        break;
    case Mark::Processed:
        ctx.cgh.DataType = 2;
        break;
    case Mark::Keep:
        break;
    }
    return result;
}

#include "cghtrack.h"

#include "gdicanvas.h"
#include "numbers.h"
#include "probebars.h"
#include "statpack.h"

#include <QPoint>
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>

namespace {
constexpr TColor kBlack = 0x000000;
constexpr TColor kWhite = 0xFFFFFF;
constexpr TColor kSilver = 0xC0C0C0;
// Colours of the smoothed curves, in the order of the active hybridisations.
constexpr std::array<TColor, 8> kCurveColours = {0x0000FF, 0xFF0000, 0x008000, 0x000000,
                                                 0x000080, 0x800000, 0x008080, 0x808080};

bool Drawn(const tCGHHybridisation& h) {
    return !h.FileName.empty() && h.Active != 0;
}

int ShownSlot(int dataType) {
    return dataType == 1 ? 11 : dataType == 2 ? 12 : 4;
}

// round(v x u), half to even, held within -d..d; 0 for NaN. Adding and taking away 1.5 x 2^52
// rounds in the default rounding mode without a library call, millions of times per render.
int Offset(double v, double u, int d) {
    const double x = v * u;
    if (!(x == x)) return 0;
    constexpr double kRound = 6755399441055744.0;
    const double held = std::clamp(x, -double(d), double(d)) + kRound;
    return static_cast<int>(held - kRound);
}

// Bars grow along by an amount that keeps them visible when zoomed out.
int BarGrowth(float scale) {
    if (scale < 0.0001f) return 2;
    if (scale < 0.001f) return 4;
    if (scale < 0.01f) return 8;
    if (scale < 0.1f) return 10;
    return 0;
}

TColor OneSetColour(float v) {
    int m = std::min(255, std::abs(RoundToInt(double(v) * 255)));
    int k = 0;
    if (m < 129) {
        k = 128 - m;
        m = 128;
    }
    return v <= 0 ? RGBColor(k, k, m) : RGBColor(m, k, k);
}

// Maps track coordinates (across, along) to the image: upright as they are, lying with along as x
// and an across offset a at y = height - a.
struct Axes {
    bool lying = false;
    int height = 0;
    QPoint operator()(int across, int along) const {
        return lying ? QPoint(along, height - across) : QPoint(across, along);
    }
};

void Rect(GdiCanvas& canvas, const Axes& at, int c1, int l1, int c2, int l2) {
    const QPoint p = at(c1, l1), q = at(c2, l2);
    canvas.Rectangle(p.x(), p.y(), q.x(), q.y());
}

void Line(GdiCanvas& canvas, const Axes& at, int c1, int l1, int c2, int l2) {
    const QPoint p = at(c1, l1), q = at(c2, l2);
    canvas.MoveTo(p.x(), p.y());
    canvas.LineTo(q.x(), q.y());
}

// A polyline over many probes: consecutive points on one along row are reduced to the first, the
// extremes and the last, which cover the same pixels.
class Polyline {
  public:
    Polyline(GdiCanvas& canvas, const Axes& at) : canvas_(canvas), at_(at) {}
    ~Polyline() { Finish(); }
    void Start(int across, int along) {
        Finish();
        const QPoint p = at_(across, along);
        canvas_.MoveTo(p.x(), p.y());
    }
    void To(int across, int along) {
        if (open_ && along == along_) {
            min_ = std::min(min_, across);
            max_ = std::max(max_, across);
            last_ = across;
            return;
        }
        Finish();
        open_ = true;
        along_ = along;
        first_ = min_ = max_ = last_ = across;
    }
    void Finish() {
        if (!open_) return;
        open_ = false;
        for (int across : {first_, min_, max_, last_}) {
            const QPoint p = at_(across, along_);
            canvas_.LineTo(p.x(), p.y());
        }
    }

  private:
    GdiCanvas& canvas_;
    Axes at_;
    bool open_ = false;
    int along_ = 0, first_ = 0, min_ = 0, max_ = 0, last_ = 0;
};

// The probes of one chromosome as the track draws them, shared by the steps of one render.
struct ChromosomeProbes {
    const tCGH_DataSet& data;
    ProbePositionCache& cache;
    const MapGeometry& geometry;
    int c;
    ProbePixels first, own;
    bool firstReady = false;

    // Pixels of hybridisation h's probes: hybridisation 1's when h shares them.
    const ProbePixels& Of(int h) {
        const tCGHProbeArray& probes = data.Hyb[size_t(h)].Chr[size_t(c)];
        if (h == 1 || cache.SharesPositions(data, h, c)) {
            if (!firstReady) {
                first.Compute(data.Hyb[1].Chr[size_t(c)], cache.Sorted(data, 1, c), geometry, c);
                firstReady = true;
            }
            return first;
        }
        own.Compute(probes, cache.Sorted(data, h, c), geometry, c);
        return own;
    }
};

void DrawFrame(GdiCanvas& canvas, const MapGeometry& g, const Axes& at, int c, int C, int D,
               float gain, int top0) {
    const bool lying = at.lying;
    const int half = RoundToInt(double(D / 2) * gain), quarter = RoundToInt(double(D / 4) * gain);
    for (int arm = 1; arm <= 2; ++arm) {
        // Plain ints, not a structured binding: the guides' lambda captures them.
        const std::pair<int, int> span = g.ArmSpan(c, arm);
        const int a = span.first, b = span.second;
        const int top = top0 + (arm == 2 ? MapGeometry::kArmGap : 0);
        canvas.SetPen(kBlack);
        canvas.SetBrush(kWhite);
        Rect(canvas, at, C - D - 2, top + a - 2, C + D + 2, top + b + 2);
        Line(canvas, at, C, top + a - 1, C, top + b + 1);
        const auto guides = [&](int d, TColor right, TColor left, Qt::PenStyle style) {
            if (d >= D) return;
            canvas.SetPen(right, style);
            Line(canvas, at, C + d, top + a - 1, C + d, top + b + 1);
            canvas.SetPen(left, style);
            Line(canvas, at, C - d, top + a - 1, C - d, top + b + 1);
        };
        guides(half, RGBColor(255, 128, 128), RGBColor(128, 128, 255), Qt::SolidLine);
        if (lying)
            guides(quarter, RGBColor(255, 128, 128), RGBColor(128, 128, 255), Qt::DashLine);
        else
            guides(quarter, RGBColor(255, 192, 192), RGBColor(192, 192, 255), Qt::DashLine);
    }
    canvas.SetPen(kBlack);
}

// The silver marks of the window's standard deviation beside a smoothed value (one set only):
// the mark below the value only beside one above it inside the track.
void DrawDeviation(GdiCanvas& canvas, const Axes& at, int C, int D, double u, float v, float sd,
                   int a, int b) {
    const auto mark = [&](double value, int shift) {
        int p = RoundToInt(value * u);
        if (p < -D || p > D) return false;
        const bool low = p < 1;
        p += low ? -shift : shift;
        const int q = p + (low ? -2 : 2);
        if (at.lying)
            Rect(canvas, at, C + p, a, C + q, b);
        else
            Line(canvas, at, C + p, a, C + q, b);
        return true;
    };
    canvas.SetPen(kSilver);
    if (mark(double(v) + sd, 2)) mark(double(v) - sd, -3);
}

void DrawSignificanceMarks(QImage& image, const Axes& at, const tCGHProbeArray& probes,
                           const ProbePixels& px, float alpha, int C, int D, int top) {
    const float* pValues = probes.Slot(17);
    for (const ProbePixels::Run& run : px.Runs()) {
        if (run.Skip) continue;
        const int m = (run.A + run.B) / 2;
        const QPoint p = at(C + D, top + m - 1), q = at(C + D - 10, top + m + 1);
        for (int i = run.First; i < run.Last; ++i) {
            const float P = pValues[i];
            if (!(P <= alpha)) continue;
            const int i255 =
                std::min(255, 10 * RoundToInt(40.0 * -double(LogBaseS(10.0f, std::fabs(P)))));
            if (i255 <= 0) continue; // "not significant" or never tested: no black mark
            FillBlock(image, p.x(), p.y(), q.x(), q.y(),
                      P > 0 ? RGBColor(i255, 0, 0) : RGBColor(0, i255, 0));
        }
    }
}

// Bars of one hybridisation: with one set each in the colour of its value, drawn in order; with
// several all in the set's colour, collected in a mask run by run and written at once. Returns the
// number of bars drawn.
int64_t DrawBars(GdiCanvas& canvas, const Axes& at, const tCGH_DataSet& data,
                 const tCGHProbeArray& probes, const ProbePixels& px, bool oneSet, TColor colour,
                 int C, int D, double u, int top) {
    QImage& image = canvas.Image();
    const float* values = probes.Slot(ShownSlot(data.DataType));
    const float* deviations = probes.Slot(13);
    const bool deviation = oneSet && data.DataType == 2;
    const int end = probes.Count() + 1;
    int64_t drawn = 0;
    if (oneSet) {
        for (const ProbePixels::Run& run : px.Runs()) {
            if (run.Skip) continue;
            const int a = top + run.A, b = top + run.B;
            for (int i = run.First; i < std::min(run.Last, end); ++i) {
                const float v = values[i];
                if (std::isnan(v)) continue;
                const int p = Offset(v, u, D);
                const int q = p > 0 ? p + 2 : p - 2;
                const QPoint p1 = at(C + p, a), p2 = at(C + q, b);
                FillBlock(image, p1.x(), p1.y(), p2.x(), p2.y(), OneSetColour(v));
                if (deviation && deviations[i] != 0)
                    DrawDeviation(canvas, at, C, D, u, v, deviations[i], a, b);
                ++drawn;
            }
        }
        return drawn;
    }
    // Bars lie within C - D - 2 .. C + D + 2 across (Offset holds values within -D..D).
    TrackMask mask(image, at.lying, at.height, C - D - 3, 2 * D + 8);
    // The mark of across position C + p, lying a block's across span ending one further out.
    uint8_t* const centre = mask.Marks() + D + 3 + (at.lying ? 1 : 0);
    for (const ProbePixels::Run& run : px.Runs()) {
        if (run.Skip) continue;
        const int last = std::min(run.Last, end);
        for (int i = run.First; i < last; ++i) {
            const float v = values[i];
            if (std::isnan(v)) continue;
            // The bar's near edge without a branch: values fall either side of 0 at random.
            const int p = Offset(v, u, D);
            const int near = p - 2 * int(p <= 0);
            centre[near] = 1;
            centre[near + 1] = 1;
            ++drawn;
        }
        mask.Commit(top + std::min(run.A, run.B), top + std::max(run.A, run.B));
    }
    mask.Flush(image, colour);
    return drawn;
}

// Mean of the shown slot at probe i over a group's members that hold it; false when none does.
bool GroupMean(const tCGH_DataSet& data, const std::array<int32_t, 1001>& members, int slot, int c,
               int i, float& mean) {
    const int count = std::clamp(members[0], 0, int(members.size()) - 1);
    long double sum = 0;
    int n = 0;
    for (int k = 1; k <= count; ++k) {
        const int h = members[size_t(k)];
        if (h < 1 || h > std::min(data.HNum, kMaxHybridisations)) continue;
        const tCGHProbeArray& probes = data.Hyb[size_t(h)].Chr[size_t(c)];
        if (i > probes.Count()) continue;
        const float v = probes.Get(slot, i);
        if (std::isnan(v)) continue;
        sum += v;
        ++n;
    }
    if (n == 0) return false;
    mean = static_cast<float>(sum / n);
    return true;
}
} // namespace

bool ProbePositionCache::SharesPositions(const tCGH_DataSet& data, int h, int c) {
    if (h < 1 || h > kMaxHybridisations || c < 1 || c > kChromosomes) return false;
    if (h == 1) return true;
    const tCGHProbeArray& a = data.Hyb[1].Chr[size_t(c)];
    const tCGHProbeArray& b = data.Hyb[size_t(h)].Chr[size_t(c)];
    Known& known = shares_[size_t(h)][size_t(c)];
    if (!known.valid || known.generation != b.Generation() ||
        known.firstGeneration != a.Generation()) {
        // Bit-equal positions are equal positions; a bitwise compare runs at memory speed.
        const int n = a.Count();
        bool same = n == b.Count();
        for (int slot = 1; slot <= 3 && same && n > 0; ++slot)
            same = std::memcmp(a.Slot(slot) + 1, b.Slot(slot) + 1, sizeof(float) * size_t(n)) == 0;
        known = {b.Generation(), a.Generation(), true, same};
    }
    return known.value;
}

bool ProbePositionCache::Sorted(const tCGH_DataSet& data, int h, int c) {
    if (h < 1 || h > kMaxHybridisations || c < 1 || c > kChromosomes) return false;
    const tCGHProbeArray& probes = data.Hyb[size_t(h)].Chr[size_t(c)];
    Known& known = sorted_[size_t(h)][size_t(c)];
    if (!known.valid || known.generation != probes.Generation()) {
        const int n = probes.Count();
        const float* starts = probes.Slot(2);
        const float* ends = probes.Slot(3);
        const bool sorted = n == 0 || (std::is_sorted(starts + 1, starts + n + 1) &&
                                       std::is_sorted(ends + 1, ends + n + 1));
        known = {probes.Generation(), 0, true, sorted};
    }
    return known.value;
}

void ProbePixels::Compute(const tCGHProbeArray& probes, bool sorted, const MapGeometry& geometry,
                          int c) {
    const int n = probes.Count();
    const float* starts = probes.Slot(2);
    const float* ends = probes.Slot(3);
    const int pArm = geometry.PArm(c);
    const int growth = BarGrowth(geometry.Scale());
    const int far = geometry.AlongExtent();
    const auto a = [&](int i) {
        return geometry.AlongPixel(c, starts[i]) + (starts[i] >= pArm ? MapGeometry::kArmGap : 0);
    };
    const auto b = [&](int i) {
        return geometry.AlongPixel(c, ends[i]) + growth +
               (starts[i] >= pArm ? MapGeometry::kArmGap : 0);
    };
    int first = 1, last = n + 1;
    if (sorted && n > 0) {
        // Both starts and ends ascend, so the visible probes are one run found by bisection.
        int lo = 1, hi = n + 1;
        while (lo < hi) {
            const int mid = lo + (hi - lo) / 2;
            if (b(mid) < 1)
                lo = mid + 1;
            else
                hi = mid;
        }
        first = lo;
        hi = n + 1;
        while (lo < hi) {
            const int mid = lo + (hi - lo) / 2;
            if (a(mid) <= far)
                lo = mid + 1;
            else
                hi = mid;
        }
        last = lo;
    }
    runs_.clear();
    for (int i = first; i < last; ++i) {
        const int ai = a(i);
        int bi = b(i);
        if (bi == ai) bi = ai + 2;
        const bool skip = bi < 1 || ai > far;
        if (!runs_.empty()) {
            Run& run = runs_.back();
            if (run.A == ai && run.B == bi && run.Skip == skip) {
                run.Last = i + 1;
                continue;
            }
        }
        runs_.push_back({i, i + 1, ai, bi, skip});
    }
}

std::optional<int> CGHTrackCentre(const MapGeometry& geometry, int c, int x) {
    if (c < 1 || c > kChromosomes) return std::nullopt;
    const MapViewInputs& view = geometry.View();
    const int C = x - view.AcrossScroll;
    if (view.Orientation != 2 && (C < 1 || C > view.Width)) return std::nullopt;
    return C;
}

void SetCurveColours(const tCGH_DataSet& data, std::array<TColor, 101>& colours) {
    if (!data.ShowProcessed) return;
    int k = 0;
    for (int h = 1; h <= std::clamp(data.HNum, 0, kMaxHybridisations); ++h) {
        if (!data.Hyb[size_t(h)].Active) continue;
        ++k;
        colours[size_t(h)] = k <= 8 ? kCurveColours[size_t(k - 1)] : kBlack;
    }
}

int64_t DrawCGHTrackAt(GdiCanvas& canvas, const MapGeometry& geometry, CGHTrackSource& source,
                       int c, int C, int height) {
    const tCGH_DataSet& data = source.Data;
    const Axes at{geometry.View().Orientation == 2, height};
    const int D = data.DisplayStart;
    const double u = double(D) / 2 * double(data.Gain);
    const int top = source.TopMargin;
    const int hybs = std::clamp(data.HNum, 0, kMaxHybridisations);

    DrawFrame(canvas, geometry, at, c, C, D, data.Gain, top);

    int shown = 0;
    for (int h = 1; h <= hybs; ++h) shown += Drawn(data.Hyb[size_t(h)]);
    const bool oneSet = shown <= 1;
    ChromosomeProbes probes{data, source.Cache, geometry, c, {}, {}, false};
    // The marks belong to the last test, whose results hybridisation 1 holds, shown or not.
    const bool marks = source.Stat.SignificantCount > 0 && !data.Hyb[1].FileName.empty();
    bool marked = false;
    int64_t drawn = 0;
    for (int h = 1; h <= hybs; ++h) {
        const tCGHHybridisation& hyb = data.Hyb[size_t(h)];
        if (!Drawn(hyb)) continue;
        if (data.ShowSingleProbes)
            drawn += DrawBars(canvas, at, data, hyb.Chr[size_t(c)], probes.Of(h), oneSet,
                              source.SetColors[size_t(h)], C, D, u, top);
        if (marks && !marked) {
            DrawSignificanceMarks(canvas.Image(), at, data.Hyb[1].Chr[size_t(c)], probes.Of(1),
                                  source.Stat.Alpha, C, D, top);
            marked = true;
        }
    }

    if (data.ShowProcessed) {
        for (int h = 1; h <= hybs; ++h) {
            const tCGHHybridisation& hyb = data.Hyb[size_t(h)];
            if (!hyb.Active) continue;
            canvas.SetPen(source.SetColors[size_t(h)]);
            const tCGHProbeArray& array = hyb.Chr[size_t(c)];
            const float* smoothed = array.Slot(12);
            const int end = array.Count() + 1;
            Polyline line(canvas, at);
            bool started = false;
            for (const ProbePixels::Run& run : probes.Of(h).Runs()) {
                if (run.Skip || run.A < 1) continue;
                const int m = top + (run.A + run.B) / 2;
                for (int i = run.First; i < std::min(run.Last, end); ++i) {
                    const int p = Offset(smoothed[i], u, D);
                    if (!started) {
                        line.Start(C + p, m);
                        started = true;
                    } else {
                        line.To(C + p, m);
                    }
                }
            }
        }
    }

    const int groups = std::clamp(source.Stat.GroupCount, 0, int(source.Stat.Members.size()) - 1);
    if (data.ShowGroups && groups > 0 && data.Hyb[1].Chr[size_t(c)].Count() > 0) {
        const std::vector<ProbePixels::Run>& runs = probes.Of(1).Runs();
        const int slot = ShownSlot(data.DataType);
        Polyline line(canvas, at);
        if (!runs.empty()) line.Start(C, top + runs.front().A);
        for (int g = 1; g <= groups; ++g) {
            const auto& members = source.Stat.Members[size_t(g)];
            if (members[0] < 1) continue;
            line.Finish();
            canvas.SetPen(source.SetColors[size_t(g)]);
            for (const ProbePixels::Run& run : runs) {
                if (run.Skip) continue;
                const int m = top + (run.A + run.B) / 2;
                for (int i = run.First; i < run.Last; ++i) {
                    float mean = 0;
                    if (GroupMean(data, members, slot, c, i, mean))
                        line.To(C + Offset(mean, u, D), m);
                }
            }
        }
    }
    return drawn;
}

std::optional<int64_t> DrawCGHTrack(GdiCanvas& canvas, const MapGeometry& geometry,
                                    CGHTrackSource& source, int c, int x) {
    const std::optional<int> C = CGHTrackCentre(geometry, c, x);
    if (!C) return std::nullopt;
    SetCurveColours(source.Data, source.SetColors);
    return DrawCGHTrackAt(canvas, geometry, source, c, *C, geometry.View().Height);
}

CGHNames MakeCGHNames(const tCGH_DataSet& data, const int* keys, int keyCount) {
    CGHNames names;
    for (int h = 1; h <= std::clamp(data.HNum, 0, kMaxHybridisations); ++h) {
        if (!Drawn(data.Hyb[size_t(h)])) continue;
        QString line = QString::number(h) + QStringLiteral(" - ");
        for (int k = 1; k <= std::clamp(keyCount, 0, 100); ++k) {
            const int key = keys[k];
            if (key < 1 || key > kAnnotationKeys) continue;
            line += QString::fromStdString(data.Annotation[size_t(h)][size_t(key)]) +
                    QStringLiteral(", ");
        }
        names.Lines << line;
        names.Hybridisations.push_back(h);
    }
    return names;
}

QSize CGHNamesSize(GdiCanvas& canvas, const CGHNames& names) {
    int widest = 0;
    for (const QString& line : names.Lines) widest = std::max(widest, canvas.TextWidth(line));
    return {widest + 10, 15 * int(names.Lines.size()) + 15};
}

void WriteCGHNames(GdiCanvas& canvas, const CGHNames& names, const std::array<TColor, 101>& colours,
                   int x, int y) {
    canvas.ClearBrush();
    for (qsizetype n = 0; n < names.Lines.size(); ++n) {
        canvas.SetFont(8, colours[size_t(names.Hybridisations[size_t(n)])]);
        canvas.TextOut(x, y + 15 * int(n), names.Lines[n]);
    }
}

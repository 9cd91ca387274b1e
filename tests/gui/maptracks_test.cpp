// The gene and CGH tracks drawn on their own over a one-chromosome layout: chromosome 1 with arms
// of 1000 bp on a 440-pixel map, 0.2 pixels per base pair (bars then grow by nothing); and the CGH
// tracks of a four-chromosome map drawn in layers against the same drawn one after another.
#include "cghlayers.h"
#include "cghtrack.h"
#include "featuretracks.h"
#include "gdicanvas.h"
#include "records.h"

#include <QColor>
#include <QImage>
#include <cmath>
#include <gtest/gtest.h>
#include <memory>
#include <optional>

namespace {

constexpr int kC = 100, kTop = 20; // CGH centre line and top margin
const QColor kWhite(255, 255, 255);

// Chromosomes 1..n with arms of 1000 bp, 0.2 pixels per base pair along 440 pixels; across, 200
// pixels for one chromosome, else room for the tracks of all but the last, which the edge cuts.
MapGeometry Geometry(int orientation = 1, int chromosomes = 1) {
    tGenomeLayout layout;
    layout.ChromosomeCount = chromosomes;
    for (int c = 1; c <= chromosomes; ++c) {
        layout.Selected[size_t(c)] = 1;
        layout.ArmMaxEnd[size_t(c)] = {1000, 1000, 1000};
    }
    layout.LongestPArm = 1000;
    layout.LongestChromosome = 2000;
    MapViewInputs view;
    const int across = chromosomes == 1 ? 200 : 180 * chromosomes - 40;
    view.Width = orientation == 2 ? 440 : across;
    view.Height = orientation == 2 ? across : 440;
    view.Orientation = orientation;
    view.FirstChromosome = 1;
    view.LastChromosome = chromosomes;
    view.ShowCGH = true;
    return MapGeometry(view, layout);
}

// Probe i of a hybridisation lies at 100 i .. 100 i + 50: rows 20 i .. 20 i + 9 below the margin.
void SetProbes(tCGH_DataSet& data, int h, const std::vector<float>& values, int slot = 4) {
    tCGHProbeArray& a = data.Hyb[size_t(h)].Chr[1];
    const int n = int(values.size());
    a.Resize(n + 1); // no spare element: a read past the count is caught by the sanitizer
    a.SetCount(n);
    for (int i = 1; i <= n; ++i) {
        a.Set(1, i, 1);
        a.Set(2, i, 100.0f * i);
        a.Set(3, i, 100.0f * i + 50);
        a.Set(slot, i, values[size_t(i - 1)]);
    }
    data.Hyb[size_t(h)].FileName = "hyb" + std::to_string(h);
    data.Hyb[size_t(h)].Active = 1;
    data.HNum = std::max(data.HNum, h);
}

int Row(int probe) {
    return kTop + 20 * probe + 5;
}

class CGHTrackTest : public ::testing::Test {
  protected:
    void SetUp() override {
        data = std::make_unique<tCGH_DataSet>();
        ClearCGHDataSet(*data);
        colours.fill(0x555555);
    }
    QImage Draw(int orientation = 1) {
        const MapGeometry g = Geometry(orientation);
        QImage image(g.View().Width, g.View().Height, QImage::Format_RGB32);
        image.fill(Qt::white);
        GdiCanvas canvas(image);
        CGHTrackSource source{*data, stat, cache, colours, kTop};
        EXPECT_TRUE(DrawCGHTrack(canvas, g, source, 1, kC).has_value());
        return image;
    }
    static QColor At(const QImage& image, int x, int y) { return QColor(image.pixel(x, y)); }

    std::unique_ptr<tCGH_DataSet> data;
    tStat stat;
    ProbePositionCache cache;
    std::array<TColor, 101> colours{};
};

TEST_F(CGHTrackTest, OneSetIsColouredByItsValues) {
    SetProbes(*data, 1, {0.0f, 0.25f, 1.0f, -1.0f, 3.0f});
    const QImage image = Draw();
    // With a half width of 50 and gain 1 a value of 1 lies 25 pixels out; bars are 2 wide.
    EXPECT_EQ(At(image, kC - 2, Row(1)), QColor(128, 128, 128));
    EXPECT_EQ(At(image, kC - 1, Row(1)), QColor(128, 128, 128));
    EXPECT_EQ(At(image, kC + 6, Row(2)), QColor(128, 64, 64));
    EXPECT_EQ(At(image, kC + 25, Row(3)), QColor(255, 0, 0));
    EXPECT_EQ(At(image, kC + 26, Row(3)), QColor(255, 0, 0));
    EXPECT_EQ(At(image, kC + 27, Row(3)), kWhite);
    EXPECT_EQ(At(image, kC - 27, Row(4)), QColor(0, 0, 255));
    EXPECT_EQ(At(image, kC - 26, Row(4)), QColor(0, 0, 255));
    EXPECT_EQ(At(image, kC - 25, Row(4)), QColor(128, 128, 255)); // the guide line
    EXPECT_EQ(At(image, kC + 50, Row(5)), QColor(255, 0, 0));     // 3 is held at the edge
    EXPECT_EQ(At(image, kC + 51, Row(5)), QColor(255, 0, 0));
    // The frame 2 pixels outside the half width, the centre line.
    EXPECT_EQ(At(image, kC - 52, Row(3)), QColor(0, 0, 0));
    EXPECT_EQ(At(image, kC + 51, Row(3)), QColor(0, 0, 0));
    EXPECT_EQ(At(image, kC, Row(3)), QColor(0, 0, 0));
}

TEST_F(CGHTrackTest, SeveralSetsTakeTheirSetColoursAndHiddenSetsAreLeftOut) {
    SetProbes(*data, 1, {1.0f, 1.0f});
    SetProbes(*data, 2, {-1.0f, -1.0f});
    SetProbes(*data, 3, {0.5f, 0.5f});
    data->Hyb[3].Active = 0;
    colours[1] = 0x123456;
    colours[2] = 0x00AA00;
    const QImage image = Draw();
    EXPECT_EQ(At(image, kC + 25, Row(1)), ToQColor(0x123456));
    EXPECT_EQ(At(image, kC - 26, Row(2)), ToQColor(0x00AA00));
    EXPECT_EQ(At(image, kC + 13, Row(1)), kWhite);
}

TEST_F(CGHTrackTest, AHybridisationWithItsOwnPositionsIsDrawnAtThem) {
    SetProbes(*data, 1, {1.0f, 1.0f});
    SetProbes(*data, 2, {-1.0f, -1.0f});
    colours[2] = 0x00AA00;
    EXPECT_EQ(At(Draw(), kC - 26, Row(1)), ToQColor(0x00AA00));
    // A later load replaces the array with one 200 bp further on: the positions compare anew.
    tCGHProbeArray reloaded = data->Hyb[2].Chr[1];
    reloaded.Resize(reloaded.Size());
    for (int i = 1; i <= 2; ++i) {
        reloaded.Set(2, i, 100.0f * i + 200);
        reloaded.Set(3, i, 100.0f * i + 250);
    }
    data->Hyb[2].Chr[1] = std::move(reloaded);
    const QImage moved = Draw();
    EXPECT_EQ(At(moved, kC - 26, Row(1)), kWhite);
    EXPECT_EQ(At(moved, kC - 26, Row(3)), ToQColor(0x00AA00));
    EXPECT_EQ(At(moved, kC - 26, Row(4)), ToQColor(0x00AA00));
}

TEST_F(CGHTrackTest, SignificanceMarksShowTheStrengthOfEachPValue) {
    SetProbes(*data, 1, {0, 0, 0, 0, 0, 0});
    const std::vector<float> p{0.5f, 1e-30f, -0.01f, 1.0f, 0.0f, 0.9f};
    for (int i = 1; i <= 6; ++i) data->Hyb[1].Chr[1].Set(17, i, p[size_t(i - 1)]);
    stat.SignificantCount = 1;
    stat.Alpha = 1.0f;
    const QImage image = Draw();
    // Marks run from 10 pixels inside the right half width to it, at each probe's middle.
    EXPECT_EQ(At(image, kC + 45, Row(1)), QColor(120, 0, 0));
    EXPECT_EQ(At(image, kC + 40, Row(1) - 1), QColor(120, 0, 0));
    EXPECT_EQ(At(image, kC + 49, Row(1)), QColor(120, 0, 0));
    EXPECT_EQ(At(image, kC + 39, Row(1)), kWhite);
    EXPECT_EQ(At(image, kC + 45, Row(2)), QColor(255, 0, 0));
    EXPECT_EQ(At(image, kC + 45, Row(3)), QColor(0, 255, 0));
    EXPECT_EQ(At(image, kC + 45, Row(4)), kWhite); // "not significant": no black mark
    EXPECT_EQ(At(image, kC + 45, Row(5)), kWhite); // never tested
    EXPECT_EQ(At(image, kC + 45, Row(6)), QColor(20, 0, 0));

    // Above alpha, or with nothing significant, no marks at all.
    stat.Alpha = 0.6f;
    EXPECT_EQ(At(Draw(), kC + 45, Row(6)), kWhite);
    stat.SignificantCount = 0;
    EXPECT_EQ(At(Draw(), kC + 45, Row(1)), kWhite);

    // The marks are hybridisation 1's results: hiding that set keeps them.
    stat = tStat{};
    stat.SignificantCount = 1;
    stat.Alpha = 1.0f;
    SetProbes(*data, 2, {0, 0, 0, 0, 0, 0});
    data->Hyb[1].Active = 0;
    EXPECT_EQ(At(Draw(), kC + 45, Row(2)), QColor(255, 0, 0));
}

TEST_F(CGHTrackTest, TheLowDeviationMarkGoesOnlyBesideAHighOneInsideTheTrack) {
    SetProbes(*data, 1, {0.5f, 1.9f}, 12);
    for (int i = 1; i <= 2; ++i) data->Hyb[1].Chr[1].Set(13, i, 0.2f);
    data->DataType = 2;
    const QImage image = Draw();
    const auto silver = [&](int probe, int from, int to) {
        int n = 0;
        for (int y = kTop + 20 * probe; y <= kTop + 20 * probe + 10; ++y)
            for (int x = kC + from; x <= kC + to; ++x)
                n += At(image, x, y) == QColor(192, 192, 192);
        return n;
    };
    EXPECT_GT(silver(1, 19, 23), 0); // 0.7 lies 18 pixels out, its mark 2 further
    EXPECT_GT(silver(1, 4, 8), 0);   // 0.3 at 8, its mark 3 nearer the centre
    EXPECT_EQ(silver(2, 1, 50), 0);  // 2.1 lies beyond the track: neither mark
}

// The bars of the direct writer against a plain canvas drawing each bar as a rectangle.
QImage ReferenceBars(const tCGH_DataSet& data, const std::array<TColor, 101>& colours, QImage frame,
                     int orientation) {
    const MapGeometry g = Geometry(orientation);
    GdiCanvas canvas(frame);
    canvas.SetBrush(0xFFFFFF);
    const bool lying = orientation == 2;
    const int H = g.View().Height;
    int sets = 0;
    for (int h = 1; h <= data.HNum; ++h) sets += data.Hyb[size_t(h)].Active;
    for (int h = 1; h <= data.HNum; ++h) {
        const tCGHProbeArray& a = data.Hyb[size_t(h)].Chr[1];
        for (int i = 1; i <= a.Count(); ++i) {
            const float v = a.Get(4, i);
            const int p = std::clamp(int(std::nearbyint(v * 25.0)), -50, 50);
            const int q = p > 0 ? p + 2 : p - 2;
            const int top = a.Get(2, i) >= 1000 ? kTop + 10 : kTop;
            const int A = top + g.AlongPixel(1, a.Get(2, i)),
                      B = top + g.AlongPixel(1, a.Get(3, i));
            int m = std::min(255, std::abs(int(std::nearbyint(v * 255.0)))), k = 0;
            if (m < 129) {
                k = 128 - m;
                m = 128;
            }
            canvas.SetPen(sets > 1 ? colours[size_t(h)]
                                   : (v <= 0 ? RGBColor(k, k, m) : RGBColor(m, k, k)));
            if (lying)
                canvas.Rectangle(A, H - (kC + p), B, H - (kC + q));
            else
                canvas.Rectangle(kC + p, A, kC + q, B);
        }
    }
    return frame;
}

TEST_F(CGHTrackTest, DirectBarsEqualPlainRectangles) {
    for (int orientation : {1, 2}) {
        for (int sets : {1, 3}) {
            SetUp();
            for (int h = 1; h <= sets; ++h) {
                std::vector<float> values;
                for (int i = 0; i < 19; ++i) values.push_back(float((i * 7 + h * 3) % 17 - 8) / 4);
                SetProbes(*data, h, values);
                colours[size_t(h)] = RGBColor(40 * h, 200 - 50 * h, 30);
            }
            data->ShowSingleProbes = 0;
            const QImage frame = Draw(orientation);
            data->ShowSingleProbes = 1;
            const QImage direct = Draw(orientation);
            const QImage reference = ReferenceBars(*data, colours, frame, orientation);
            EXPECT_NE(direct, frame);
            EXPECT_EQ(direct, reference) << "orientation " << orientation << ", sets " << sets;
        }
    }
}

TEST_F(CGHTrackTest, ShortHybridisationsAndBadGroupsAreReadWithinTheirArrays) {
    SetProbes(*data, 1, {0.5f, 0.5f, 0.5f, 0.5f});
    SetProbes(*data, 2, {-0.5f, -0.5f});
    for (int i = 1; i <= 4; ++i) data->Hyb[1].Chr[1].Set(12, i, 1.0f);
    data->ShowProcessed = 1;
    data->ShowGroups = 1;
    stat.GroupCount = 2;
    stat.Members[1] = {3, 1, 2, 77}; // 77 is no hybridisation
    stat.Members[2] = {2, 2, -4};
    const QImage image = Draw();
    // Hybridisation 2's bar: the set colours give way to the curves' before any bar is drawn.
    EXPECT_EQ(At(image, kC - 13, Row(2)), ToQColor(0xFF0000));
    // The smoothed curve of the first active set is red, the second's blue; both stored.
    EXPECT_EQ(colours[1], 0x0000FFu);
    EXPECT_EQ(colours[2], 0xFF0000u);
    EXPECT_EQ(At(image, kC + 25, Row(3)), QColor(255, 0, 0));
}

// 900 probes 2 bp apart per chromosome, values -2..2 with NaNs; hybridisation 3 has positions of
// its own, not in order.
void FillFourChromosomes(tCGH_DataSet& data, int hybs) {
    for (int h = 1; h <= hybs; ++h) {
        for (int c = 1; c <= 4; ++c) {
            tCGHProbeArray& a = data.Hyb[size_t(h)].Chr[size_t(c)];
            a.Resize(901);
            a.SetCount(900);
            for (int i = 1; i <= 900; ++i) {
                const float start = 2.0f * float(h == 3 && i == 5 ? 7 : i) + (h == 3 ? 1 : 0);
                const float v = i % 23 == 0 ? NAN : float((i * 37 + h * 11 + c * 5) % 41 - 20) / 10;
                a.Set(1, i, float(c));
                a.Set(2, i, start);
                a.Set(3, i, start + 30);
                a.Set(4, i, v);
                a.Set(12, i, v * 0.8f);
                a.Set(13, i, 0.05f * float(i % 3));
                a.Set(17, i, 0.01f * float(i % 9) - 0.03f);
            }
        }
        data.Hyb[size_t(h)].FileName = "hyb" + std::to_string(h);
        data.Hyb[size_t(h)].Active = 1;
    }
    data.HNum = hybs;
}

TEST_F(CGHTrackTest, TracksDrawnInLayersEqualTracksDrawnOneAfterAnother) {
    for (int orientation : {1, 2}) {
        for (int hybs : {1, 3}) {
            SetUp();
            FillFourChromosomes(*data, hybs);
            data->DataType = hybs == 1 ? 2 : 0; // one set: the deviation marks
            data->ShowProcessed = 1;
            data->ShowGroups = 1;
            stat.GroupCount = 2;
            stat.Members[1] = {2, 1, 3};
            stat.Members[2] = {1, 2};
            stat.SignificantCount = 1;
            stat.Alpha = 0.05f;
            const MapGeometry g = Geometry(orientation, 4);
            const int H = g.View().Height;
            // Blocks across the track (before the across-scroll) and along, drawn before and after
            // each track over parts of it.
            const auto block = [&](GdiCanvas& canvas, TColor colour, int c0, int c1, int a0,
                                   int a1) {
                canvas.SetPen(colour);
                canvas.SetBrush(colour);
                if (orientation == 2)
                    canvas.Rectangle(a0, H - c0, a1, H - c1);
                else
                    canvas.Rectangle(c0, a0, c1, a1);
            };
            const auto draw = [&](bool layered, int64_t& probes) {
                QImage image(g.View().Width, H, QImage::Format_RGB32);
                image.fill(Qt::white);
                GdiCanvas canvas(image);
                std::array<TColor, 101> setColours = colours;
                ProbePositionCache positions;
                CGHTrackSource source{*data, stat, positions, setColours, kTop};
                std::optional<CGHTrackLayers> layers;
                if (layered) layers.emplace(g, source);
                probes = layered ? layers->ProbesDrawn() : 0;
                for (const PaintedChromosome& chr : g.Chromosomes()) {
                    const int C = *chr.CGH;
                    block(canvas, 0x00C000, C - 56, C + 56, 10, 40);
                    if (layered)
                        EXPECT_TRUE(layers->Paint(image, chr.Chromosome));
                    else
                        probes += DrawCGHTrack(canvas, g, source, chr.Chromosome, C).value_or(0);
                    block(canvas, 0xC000C0, C - 10, C + 10, 100, 120);
                }
                return image;
            };
            int64_t serialProbes = 0, layeredProbes = 0;
            const QImage serial = draw(false, serialProbes);
            EXPECT_EQ(draw(true, layeredProbes), serial)
                << "orientation " << orientation << ", sets " << hybs;
            EXPECT_EQ(layeredProbes, serialProbes);
            EXPECT_GT(serialProbes, 4 * 800 * hybs);
        }
    }
}

TEST(CGHNamesTest, LinesNameTheShownKeysAndSkipKeysOutOfRange) {
    auto data = std::make_unique<tCGH_DataSet>();
    ClearCGHDataSet(*data);
    data->HNum = 3;
    for (int h : {1, 3}) {
        data->Hyb[size_t(h)].FileName = "f";
        data->Hyb[size_t(h)].Active = 1;
        data->Annotation[size_t(h)][1] = "name" + std::to_string(h);
        data->Annotation[size_t(h)][4] = "sex";
    }
    const int keys[] = {0, 1, 250, 4, -1};
    const CGHNames names = MakeCGHNames(*data, keys, 4);
    ASSERT_EQ(names.Lines.size(), 2);
    EXPECT_EQ(names.Lines[0], QStringLiteral("1 - name1, sex, "));
    EXPECT_EQ(names.Lines[1], QStringLiteral("3 - name3, sex, "));
    EXPECT_EQ(names.Hybridisations, (std::vector<int>{1, 3}));
}

// Gene features on chromosome 1, each 100..150 bp further on: rows 40 + 20 k .. 49 + 20 k.
tFList Genes(const std::vector<std::array<float, 3>>& strandKindMark) {
    tFList list(strandKindMark.size() + 1);
    list[0].Num[1] = float(strandKindMark.size());
    for (size_t k = 0; k < strandKindMark.size(); ++k) {
        tFeature& f = list[k + 1];
        f.Num[1] = 1;
        f.Num[2] = 100.0f + 100 * float(k);
        f.Num[3] = 150.0f + 100 * float(k);
        f.Num[4] = strandKindMark[k][0];
        f.Num[5] = strandKindMark[k][1];
        f.Num[15] = strandKindMark[k][2];
        f.Name = "g" + std::to_string(k);
    }
    return list;
}

TEST(GeneTrackTest, StrandsAlternateBesideTheLineAndMarkedGenesAreBoxed) {
    const MapGeometry g = Geometry();
    QImage image(200, 440, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        GdiCanvas canvas(image);
        const tFList genes =
            Genes({{1, 1, 0}, {1, 1, 0}, {-1, 1, 0}, {1, 2, 0}, {-1, 5, 0}, {1, 1, 1}});
        DrawGeneTrack(canvas, g, genes, {false, true, true, true, true, true}, 1, 20);
    }
    const int L = 70;
    const auto at = [&](int x, int k) { return QColor(image.pixel(x, 45 + 20 * k)); };
    const QColor blue(0, 0, 255), red(255, 0, 0), black(0, 0, 0);
    EXPECT_EQ(at(L, 0), black); // the chromosome line
    // First + gene: 7 out, the alternator at 0; the second 5 further.
    EXPECT_EQ(at(L + 6, 0), blue);
    EXPECT_EQ(at(L + 7, 0), blue);
    EXPECT_EQ(at(L + 8, 0), kWhite);
    EXPECT_EQ(at(L + 11, 1), blue);
    EXPECT_EQ(at(L + 12, 1), blue);
    EXPECT_EQ(at(L - 8, 2), blue); // - strand, its alternator at 0
    EXPECT_EQ(at(L - 7, 2), blue);
    // RNA: 19 out plus the + alternator (5), 6 wide, black outline around white.
    EXPECT_EQ(at(L + 21, 3), black);
    EXPECT_EQ(at(L + 23, 3), kWhite);
    EXPECT_EQ(at(L + 26, 3), black);
    EXPECT_EQ(at(L - 36, 4), red); // pseudo gene on the - strand
    // Marked: a red box 40 pixels either side of the line, drawn over its bar.
    EXPECT_EQ(at(L - 40, 5), red);
    EXPECT_EQ(at(L + 39, 5), red);
    EXPECT_EQ(at(L - 20, 5), kWhite);
}

TEST(ExpressionTrackTest, SignificantGenesShowAColumnPerShownSample) {
    const MapGeometry g = Geometry();
    tHeatmap m;
    m.FileName = "m";
    m.ShowExpressionTrack = 1;
    m.SampleCount = 2;
    m.GeneCount = 2;
    m.DisplayStep = 5;
    m.DisplayScale = 2.0f;
    m.SampleOrder[0] = 3;
    m.SampleOrder[1] = 2;
    m.SampleOrder[2] = 9; // no such sample: its column stays empty
    m.SampleOrder[3] = 1;
    m.GAnno.resize(3);
    m.GAnno[1] = {1, 100, 150, {}};
    m.GAnno[2] = {1, 300, 350, {}};
    m.Data = {{0, 0.01f, 0.9f}, {0, 1.0f, 1.0f}, {0, -0.5f, std::nanf("")}};
    QImage image(200, 440, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        GdiCanvas canvas(image);
        EXPECT_EQ(DrawExpressionTrack(canvas, g, m, 0.05f, kTop, 1, 50), 15);
    }
    EXPECT_EQ(QColor(image.pixel(52, 45)), QColor(0, 64, 0)); // sample 2: -0.5 x 255 / 2
    EXPECT_EQ(QColor(image.pixel(57, 45)), kWhite);
    EXPECT_EQ(QColor(image.pixel(62, 45)), QColor(128, 0, 0)); // sample 1: 1.0 x 255 / 2
    EXPECT_EQ(QColor(image.pixel(62, 85)), kWhite);            // gene 2 is not significant

    m.DisplayScale = 0; // no colour can be worked out
    image.fill(Qt::white);
    {
        GdiCanvas canvas(image);
        DrawExpressionTrack(canvas, g, m, 0.05f, kTop, 1, 50);
    }
    EXPECT_EQ(QColor(image.pixel(62, 45)), kWhite);
}

} // namespace

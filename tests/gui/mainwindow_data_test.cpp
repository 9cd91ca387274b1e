#include "cghmatrixfile.h"
#include "droppedfiles.h"
#include "feature_file_writer.h"
#include "groupselector.h"
#include "grouptests.h"
#include "guitest.h"
#include "ideogram.h"
#include "mainglobals.h"
#include "mainwindow.h"
#include "maptestwindow.h"
#include "progresswindow.h"
#include "records.h"
#include "registry.h"
#include "selectortest.h"
#include "synthetic_cgh.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class MainWindowDataTest : public ::testing::Test {
  protected:
    void SetUp() override { Registry::DeleteKey(QStringLiteral("software\\JX-Quorbel\\")); }
    void TearDown() override {
        ClearLoadedProbes();
        Registry::DeleteKey(QStringLiteral("software\\JX-Quorbel\\"));
    }

    QString FeatureFile(const QString& name, uint32_t layout, uint32_t values) {
        const QString path = dir_.filePath(name);
        FeatureFileSummary summary;
        EXPECT_TRUE(WriteFeatureFile(path.toStdString(), 3000, layout, summary, values));
        return path;
    }
    QTemporaryDir dir_;
};

// The shipped human ideogram while it lives; the records it replaced come back afterwards.
class ShippedIdeogram {
  public:
    ShippedIdeogram() : bands_(FeatureLists[1]), layout_(GenomeLayout), type_(IdeogramType) {
        std::string error;
        EXPECT_TRUE(ReadIdeogramFile(QB_TEST_DATA "/ideogram;2,1,2,3,6,7,8,9,4", FeatureLists[1],
                                     GenomeLayout, IdeogramType, nullptr, error))
            << error;
        BumpDataVersion();
    }
    ~ShippedIdeogram() {
        FeatureLists[1] = bands_;
        GenomeLayout = layout_;
        IdeogramType = type_;
        BumpDataVersion();
    }

  private:
    tFList bands_;
    tGenomeLayout layout_;
    int32_t type_;
};

// Pixels of `colour` in the CGH track of chromosome c (every painted one when c is 0), over
// `columns` relative to the centre line, in the freshly rendered map.
int CountInCGHTrack(TfQuorbelView& w, QColor colour, int c, int fromColumn, int toColumn) {
    w.RepaintMap();
    const QImage& image = w.MapView_PB1->Image();
    int n = 0;
    for (const PaintedChromosome& chr : w.MapLayout.Chromosomes()) {
        if (!chr.CGH || (c != 0 && chr.Chromosome != c)) continue;
        const int centre = *chr.CGH - w.MapLayout.View().AcrossScroll;
        for (int x = std::max(0, centre + fromColumn);
             x <= std::min(image.width() - 1, centre + toColumn); ++x)
            for (int y = 0; y < image.height(); ++y) n += QColor(image.pixel(x, y)) == colour;
    }
    return n;
}

// A CGH matrix file of two sets "hyb1" and "hyb2" with three probes on chromosome 1; "" or the
// writer's error.
std::string SmallMatrix(const QString& path);

// Shows the window large enough for the whole genome's map.
void ShowLarge(TfQuorbelView& w) {
    w.resize(1400, 900);
    w.show();
    QApplication::processEvents();
}

bool AnyProgressWindowVisible() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<TCluster_Progress*>(w) && w->isVisible()) return true;
    return false;
}

TEST_F(MainWindowDataTest, TheShippedGenesAreDrawnOnceTheGeneTrackIsSwitchedOn) {
    const ShippedIdeogram ideogram;
    TfQuorbelView w;
    ShowLarge(w);
    ASSERT_GT(FeatureCount(FeatureLists[2]), 28000);
    const auto genePixels = [&w] {
        w.RepaintMap();
        const QImage& image = w.MapView_PB1->Image();
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) n += QColor(image.pixel(x, y)) == Qt::blue;
        return n;
    };
    EXPECT_EQ(genePixels(), 0); // unticked at start
    w.TB_Genes->trigger();
    EXPECT_TRUE(w.POM_Genes_View->isChecked());
    EXPECT_GT(genePixels(), 2000);
}

TEST_F(MainWindowDataTest, DroppedFeatureFilesFillFreeSlotsAndARefusedLayoutChangesNothing) {
    const ShippedIdeogram ideogram;
    TfQuorbelView w;
    w.resize(1400, 900);
    w.show();
    const QStringList files{FeatureFile(QStringLiteral("a.txt"), 7, 1),
                            FeatureFile(QStringLiteral("b.txt"), 7, 2),
                            FeatureFile(QStringLiteral("c.txt"), 7, 3),
                            FeatureFile(QStringLiteral("other.txt"), 99, 4)};
    MessageCapture capture;
    DropFiles(w, files);

    EXPECT_EQ(CGHData.HNum, 3);
    for (int h = 1; h <= 3; ++h) {
        EXPECT_EQ(CGHData.Hyb[h].FileName, files[h - 1].toStdString());
        EXPECT_EQ(CGHData.Hyb[h].Active, 1);
        EXPECT_GT(CGHData.Hyb[h].Chr[1].Count(), 0);
    }
    EXPECT_TRUE(CGHData.Hyb[4].FileName.empty());
    EXPECT_EQ(CGHData.Hyb[4].Chr[1].Count(), 0);
    ASSERT_EQ(capture.shown.size(), 1u);
    EXPECT_TRUE(capture.shown[0].text.contains(QStringLiteral("other.txt")));
    EXPECT_EQ(capture.shown[0].text.count(QStringLiteral("other.txt")), 1);
    EXPECT_EQ(capture.shown[0].icon, MsgIcon::Stop);
    EXPECT_TRUE(w.POM_CGH_View->isChecked());
    EXPECT_FALSE(AnyProgressWindowVisible());
    // Each loaded file is followed by a z-transform of all sets: set 1 is transformed thrice.
    EXPECT_EQ(w.Info_Memo->toPlainText().count(QStringLiteral("Set 1 - Mean=")), 3);
    // After the last z-transform every set has mean 0.
    double sum = 0;
    int n = 0;
    for (int c = 1; c <= 24; ++c)
        for (int i = 1; i <= CGHData.Hyb[2].Chr[c].Count(); ++i, ++n)
            sum += CGHData.Hyb[2].Chr[c].Get(4, i);
    EXPECT_NEAR(sum / n, 0.0, 1e-4);
    // The CGH tool opens with the three sets checked, and the map still shows them, each in its
    // colour.
    ASSERT_TRUE(w.CGHTool);
    EXPECT_EQ(w.CGHTool->ConditionActive, (std::vector<uint8_t>{0, 1, 1, 1}));
    for (int h = 1; h <= 3; ++h) {
        EXPECT_TRUE(w.CGHTool->Marked(h));
        EXPECT_GT(CountInCGHTrack(w, ToQColor(SetColors[h]), 0, -50, 50), 100) << h;
    }

    // The slots are taken: a second drop goes on from slot 4.
    capture.shown.clear();
    const QString d = FeatureFile(QStringLiteral("d.txt"), 7, 5);
    DropFiles(w, {d});
    EXPECT_EQ(CGHData.HNum, 4);
    EXPECT_TRUE(capture.shown.empty());
    // The open tool lists the sets of each load, as a tool opened now would: the four sets, then
    // the two of a matrix, all switched on.
    ASSERT_TRUE(w.CGHTool);
    TdGroupSelector& tool = *w.CGHTool;
    EXPECT_EQ(tool.ConditionCount, 4);
    EXPECT_EQ(Items(tool.List_Cond), QStringList(files.mid(0, 3)) << d);
    EXPECT_EQ(Marked(tool), (std::vector<int>{1, 2, 3, 4}));
    const QString matrix = dir_.filePath(QStringLiteral("small.cgm"));
    SmallMatrix(matrix);
    DropFiles(w, {matrix});
    ASSERT_EQ(CGHData.HNum, 2);
    EXPECT_EQ(Items(tool.List_Cond), (QStringList{QStringLiteral("hyb1"), QStringLiteral("hyb2")}));
    EXPECT_EQ(Marked(tool), (std::vector<int>{1, 2}));
    // Switching set 2 off from it switches on no set that is not loaded.
    Mark(tool, {1});
    tool.List_CondDblClick();
    EXPECT_EQ(CGHData.Hyb[1].Active, 1);
    EXPECT_EQ(CGHData.Hyb[2].Active, 0);
    EXPECT_EQ(CGHData.Hyb[3].Active, 0);
    w.close();
    for (int h = 1; h <= 4; ++h) CGHData.Hyb[h].FileName.clear();
    CGHData.HNum = 0;
}

TEST_F(MainWindowDataTest, NoFreeSlotStopsTheDropWithItsMessage) {
    TfQuorbelView w;
    w.show();
    for (int h = 1; h <= kMaxHybridisations; ++h) CGHData.Hyb[h].FileName = "taken";
    CGHData.HNum = kMaxHybridisations;
    MessageCapture capture;
    DropFiles(w, {FeatureFile(QStringLiteral("a.txt"), 7, 1)});
    ASSERT_EQ(capture.shown.size(), 1u);
    EXPECT_EQ(capture.shown[0].text,
              QStringLiteral("Can not load additional CGH-hybridisation datasets."));
    EXPECT_EQ(capture.shown[0].caption, QStringLiteral("Quorbel"));
    EXPECT_FALSE(w.POM_CGH_View->isChecked());
    EXPECT_FALSE(AnyProgressWindowVisible());
    ClearCGHDataSet(CGHData);
}

std::string SmallMatrix(const QString& path) {
    auto data = std::make_unique<tCGH_DataSet>();
    ClearCGHDataSet(*data);
    data->HNum = 2;
    for (int h = 1; h <= 2; ++h) {
        data->Hyb[h].FileName = "hyb" + std::to_string(h);
        data->Annotation[h][1] = data->Hyb[h].FileName;
        for (int c = 1; c <= kChromosomes; ++c) {
            tCGHProbeArray& a = data->Hyb[h].Chr[c];
            const int n = c == 1 ? 3 : 0;
            a.Resize(n + 2);
            a.SetCount(n);
            for (int i = 1; i <= n; ++i) {
                a.Set(1, i, 1.0f);
                a.Set(2, i, 1000.0f * i);
                a.Set(3, i, 1000.0f * i + 50);
                a.Set(4, i, 0.5f * h);
            }
        }
    }
    for (int c = 1; c <= kChromosomes; ++c) {
        data->Oligo[c].resize(c == 1 ? 5 : 2);
        data->Oligo[c][0].Num[0] = c == 1 ? 3.0f : 0.0f;
    }
    std::string error;
    EXPECT_TRUE(WriteCGHMatrix(*data, path.toStdString(), nullptr, nullptr, error)) << error;
    return error;
}

TEST_F(MainWindowDataTest, CommandLineMatrixLoadsAndListsItsCounts) {
    const QString file = dir_.filePath(QStringLiteral("small.cgm"));
    SmallMatrix(file);
    TfQuorbelView w;
    w.SetCommandLine({QStringLiteral("/cghmat=") + file});
    w.show();
    EXPECT_EQ(CGHData.HNum, 2);
    EXPECT_EQ(CGHData.Hyb[2].Chr[1].Count(), 3);
    EXPECT_EQ(CGHData.Hyb[1].Active, 1);
    const QString info = w.Info_Memo->toPlainText();
    EXPECT_TRUE(info.contains(QStringLiteral("Loaded CGH probes:"))) << info.toStdString();
    EXPECT_TRUE(info.contains(QStringLiteral("Chromosome 1\t3")));
    EXPECT_EQ(info.count(QStringLiteral("Trying to load file")), 1);
    EXPECT_TRUE(w.POM_CGH_View->isChecked());
    ASSERT_TRUE(w.CGHTool);
    EXPECT_EQ(w.CGHTool->ConditionCount, 2);
    w.close();
}

TEST_F(MainWindowDataTest, TheCommandLineMatrixIsDrawnWithItsNames) {
    const QString file = dir_.filePath(QStringLiteral("small.cgm"));
    SmallMatrix(file);
    const ShippedIdeogram ideogram;
    TfQuorbelView w;
    w.resize(1400, 900);
    w.SetCommandLine({QStringLiteral("/cghmat=") + file});
    w.show();
    QApplication::processEvents();
    // Both sets in their colours: 0.5 lies 12 pixels right of the centre, 1.0 25 pixels.
    EXPECT_GT(CountInCGHTrack(w, ToQColor(SetColors[1]), 1, 12, 13), 0);
    EXPECT_GT(CountInCGHTrack(w, ToQColor(SetColors[2]), 1, 25, 26), 0);
    EXPECT_EQ(CountInCGHTrack(w, ToQColor(SetColors[2]), 2, -50, 50), 0); // no probes there
    // One names box, drawn on the map: two lines, 45 high from the top 5, its right edge 40
    // pixels inside the window's width.
    const QImage& image = w.MapView_PB1->Image();
    const int right = w.width() - 41;
    const auto black = [&](int x, int y) { return QColor(image.pixel(x, y)) == Qt::black; };
    for (int y = 5; y <= 44; ++y) EXPECT_TRUE(black(right, y)) << y;
    int width = 0;
    while (black(right - width, 5) && black(right - width, 44)) ++width;
    EXPECT_GT(width, 30);
    EXPECT_FALSE(black(right - width / 2, 30)); // inside the box, between its two lines
    ClearCGHDataSet(CGHData);
}

TEST_F(MainWindowDataTest, TheDetailViewerDrawsEachLoadOfTheMainWindow) {
    const QString two = dir_.filePath(QStringLiteral("small.cgm"));
    SmallMatrix(two);
    const QString six = QCoreApplication::applicationDirPath() + QStringLiteral("/data/demo.cgm");
    const ShippedIdeogram ideogram;
    TfQuorbelView w;
    w.SetCommandLine({QStringLiteral("/cghmat=") + six});
    ShowLarge(w);
    w.TB_DetailView->trigger();
    ASSERT_TRUE(DetailViewer);
    TfQuorbelView& viewer = *DetailViewer;
    viewer.POM_CGH_View->trigger();
    for (const QString& file : {two, six}) {
        QApplication::processEvents();
        const QImage before = viewer.MapView_PB1->Image().copy();
        FileDialogAnswerer files({file});
        w.File_LoadCGHMatrix->trigger();
        QApplication::processEvents();
        const QImage shown = viewer.MapView_PB1->Image().copy();
        EXPECT_NE(shown, before);
        viewer.TB_RefreshClick(); // drawn anew, as a viewer opened now would draw it
        EXPECT_EQ(shown, viewer.MapView_PB1->Image());
    }
    w.close();
}

TEST_F(MainWindowDataTest, AGroupTestMarksTheSignificantProbesOnTheMap) {
    const ShippedIdeogram ideogram;
    TfQuorbelView w;
    ShowLarge(w);
    // Sets 1..5 gain chromosome 5 by one log unit against sets 6..10.
    std::vector<synthetic::Region> gains;
    for (int h = 1; h <= 5; ++h) gains.push_back({h, 5, 0, 300000000, 1.0f});
    synthetic::Fill(CGHData, 20000, 10, gains, 0.1, "set");
    const tStat saved = CGHStat;
    CGHStat.GroupCount = 2;
    CGHStat.GroupText[1] = "1,2,3,4,5";
    CGHStat.GroupText[2] = "6,7,8,9,10";
    CGHStat.Alpha = 1e-4f;
    ASSERT_EQ(CGHGroupTest(CGHStat, CGHData), "");
    ASSERT_GT(CGHStat.SignificantCount, 0);
    BumpDataVersion();
    if (!w.POM_CGH_View->isChecked()) w.POM_CGH_ViewClick();
    // Marks fill the last 10 pixels inside the track's right half width.
    const QColor red(255, 0, 0);
    EXPECT_GT(CountInCGHTrack(w, red, 5, 40, 49), 100);
    EXPECT_LT(CountInCGHTrack(w, red, 1, 40, 49), 20); // at most a chance mark
    CGHStat = saved;
    ClearCGHDataSet(CGHData);
    for (int h = 1; h <= 10; ++h)
        for (auto& a : CGHData.Hyb[size_t(h)].Chr) a.Clear();
    BumpDataVersion();
}

TEST_F(MainWindowDataTest, AMalformedMatrixIsReportedAndChangesNothing) {
    const QString good = dir_.filePath(QStringLiteral("good.cgm"));
    SmallMatrix(good);
    const QString bad = dir_.filePath(QStringLiteral("bad.cgm"));
    QFile::copy(good, bad);
    QFile f(bad);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    f.resize(f.size() / 2);
    f.close();

    TfQuorbelView w;
    w.SetCommandLine({QStringLiteral("/cghmat=") + good});
    w.show();
    MessageCapture capture;
    w.FilesDropped({bad});
    ASSERT_EQ(capture.shown.size(), 1u);
    EXPECT_EQ(capture.shown[0].icon, MsgIcon::Stop);
    EXPECT_EQ(CGHData.HNum, 2);
    EXPECT_EQ(CGHData.Hyb[1].Chr[1].Count(), 3);
    EXPECT_TRUE(w.isVisible());
}

TEST(DroppedFiles, TheLastRecognisedKindDecides) {
    EXPECT_EQ(ClassifyDroppedFiles({QStringLiteral("a.TXT"), QStringLiteral("b.doc")}).kind,
              DroppedFiles::None);
    DroppedFiles d = ClassifyDroppedFiles({QStringLiteral("a.txt"), QStringLiteral("m.cgm")});
    EXPECT_EQ(d.kind, DroppedFiles::CGHMatrix);
    EXPECT_EQ(d.matrix, QStringLiteral("m.cgm"));
    d = ClassifyDroppedFiles(
        {QStringLiteral("m.cgm"), QStringLiteral("a.txt"), QStringLiteral("x.pdf")});
    EXPECT_EQ(d.kind, DroppedFiles::FeatureFiles);
    QStringList twelve;
    for (int i = 1; i <= 12; ++i) twelve << QStringLiteral("f%1.txt").arg(i);
    d = ClassifyDroppedFiles(twelve);
    ASSERT_EQ(d.texts.size(), 10);
    EXPECT_EQ(d.texts[8], QStringLiteral("f9.txt"));
    EXPECT_EQ(d.texts[9], QStringLiteral("f12.txt"));
}

} // namespace

namespace {

TEST_F(MainWindowDataTest, TrackSwitchesFollowTheirMenuItems) {
    TfQuorbelView w;
    w.show();
    EXPECT_FALSE(w.POM_CGH_View->isChecked());
    w.POM_CGH_View->trigger();
    EXPECT_TRUE(w.POM_CGH_View->isChecked());
    w.TB_CGH->trigger();
    EXPECT_FALSE(w.POM_CGH_View->isChecked());

    w.POM_CGH_DataType_Processed->trigger();
    EXPECT_EQ(CGHData.DataType, 2);
    EXPECT_FALSE(w.POM_CGH_DataType_Raw->isChecked());
    w.POM_CGH_DataType_Raw->trigger();
    EXPECT_EQ(CGHData.DataType, 1);
    EXPECT_TRUE(w.POM_CGH_DataType_Raw->isChecked());
    EXPECT_FALSE(w.POM_CGH_DataType_Processed->isChecked());

    const bool rna = w.POM_Gene[2]->isChecked();
    w.POM_Gene[2]->trigger();
    EXPECT_NE(w.POM_Gene[2]->isChecked(), rna);
    w.TB_Genes->trigger();
    EXPECT_TRUE(w.POM_Genes_View->isChecked());

    ExpData.ShowExpressionTrack = 0;
    w.TB_GEMat->trigger();
    EXPECT_EQ(ExpData.ShowExpressionTrack, 1);
    EXPECT_TRUE(w.POM_GEHM_View->isChecked());
    w.POM_GEHM_View->trigger();
    EXPECT_EQ(ExpData.ShowExpressionTrack, 0);
    EXPECT_FALSE(w.POM_GEHM_View->isChecked());
}

} // namespace

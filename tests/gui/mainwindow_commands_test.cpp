#include "bandpattern.h"
#include "dsb_file_writer.h"
#include "groupselector.h"
#include "guitest.h"
#include "ideogrambands.h"
#include "ideogrampainter.h"
#include "inputdialog.h"
#include "mainglobals.h"
#include "maptestwindow.h"
#include "random.h"
#include "records.h"
#include "registry.h"
#include "synthetic_cgh.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <gtest/gtest.h>
#include <memory>

namespace {

// A main window whose tool messages are recorded on their way to its dispatcher.
struct RecordingWindow : TfQuorbelView {
    std::vector<std::pair<int, intptr_t>> got;
    intptr_t ToolMessage(int code, intptr_t arg) override {
        got.emplace_back(code, arg);
        return TfQuorbelView::ToolMessage(code, arg);
    }
};

// A shown window over the shipped ideogram; the shared records are restored afterwards.
class MainWindowCommandsTest : public MapWindowTest {
  protected:
    void SetUp() override {
        MapWindowTest::SetUp();
        const ShippedBands shipped;
        FeatureLists[1] = shipped.bands;
        GenomeLayout = shipped.layout;
        IdeogramType = shipped.type;
        BumpDataVersion();
    }
    void TearDown() override {
        ClearLoadedProbes();
        CGHStat = tStat{};
        MapWindowTest::TearDown();
    }

    // Pixels of each of the first ten hybridisations' colours in the freshly rendered map.
    std::vector<int> SetPixels() {
        const QImage& image = Render();
        std::vector<int> n(11);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                for (int h = 1; h <= 10; ++h)
                    n[h] += QColor(image.pixel(x, y)) == ToQColor(SetColors[h]);
        return n;
    }

    QTemporaryDir dir_;
};

TEST_F(MainWindowCommandsTest, ProcessItemsReachTheDispatcherOnceAndSmoothingMarksProcessed) {
    synthetic::Fill(CGHData, 3000, 3, {}, 0.1, "set");
    w.reset();
    auto r = std::make_unique<RecordingWindow>();
    r->show();
    r->POM_CGH_Process_zTransformHyns->trigger();
    r->POM_CGH_Process_zTransformOligos->trigger();
    r->POM_CGH_Process_RestoreRawValues->trigger();
    using Got = std::vector<std::pair<int, intptr_t>>;
    EXPECT_EQ(r->got, (Got{{1011, 1}, {1013, 1}, {1012, 1}}));

    const std::vector<float> before = [] {
        const tCGHProbeArray& a = CGHData.Hyb[1].Chr[1];
        return std::vector<float>(a.Slot(12), a.Slot(12) + a.Count() + 1);
    }();
    const auto unchanged = [&] {
        const tCGHProbeArray& a = CGHData.Hyb[1].Chr[1];
        return std::equal(before.begin(), before.end(), a.Slot(12)) && CGHData.DataType == 0 &&
               r->POM_CGH_DataType_Raw->isChecked() && !r->POM_CGH_DataType_Processed->isChecked();
    };
    {
        ModalAnswerer modal;
        BeepCounter beeps;
        AnswerInput(modal, QString());
        AnswerInput(modal, QStringLiteral("0"));
        r->POM_CGH_Process_Smooth_Custom->trigger();
        r->POM_CGH_Process_Smooth_Custom->trigger();
        EXPECT_EQ(beeps.count, 1);
        EXPECT_TRUE(unchanged());
    }
    QAction* five = nullptr;
    for (QAction* item : r->POM_CGH_Process_Smooth->actions())
        if (item->text() == QStringLiteral("&5")) five = item;
    ASSERT_NE(five, nullptr);
    five->trigger();
    EXPECT_FALSE(unchanged());
    EXPECT_EQ(CGHData.DataType, 2);
    EXPECT_TRUE(r->POM_CGH_DataType_Processed->isChecked());
    EXPECT_FALSE(r->POM_CGH_DataType_Raw->isChecked());
}

TEST_F(MainWindowCommandsTest, MenuShortcutsOpenTheCGHToolAndZTransformOnce) {
    synthetic::Fill(CGHData, 3000, 2, {}, 0.1, "set");
    w.reset();
    auto r = std::make_unique<RecordingWindow>();
    r->show();
    const auto keyOnMainWindow = [&r](Qt::Key key, Qt::KeyboardModifiers modifiers) {
        r->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(r.get()));
        QTest::keyClick(r->MapView_PB1, key, modifiers);
    };
    keyOnMainWindow(Qt::Key_T, Qt::ControlModifier);
    ASSERT_TRUE(r->CGHTool);
    EXPECT_TRUE(r->CGHTool->isVisible());
    keyOnMainWindow(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(std::count(r->got.begin(), r->got.end(), std::pair<int, intptr_t>(1011, 1)), 1);
}

TEST_F(MainWindowCommandsTest, SharedMenusHoldEachItemOnceInOrder) {
    const auto captions = [this](const char* name) {
        QStringList shown;
        for (QAction* item : w->findChild<QMenu*>(QLatin1String(name))->actions())
            if (!item->isSeparator() && item->isVisible()) shown << item->text();
        return shown;
    };
    EXPECT_EQ(captions("POM_Genes"),
              QStringList({"&View", "Gene &names", "&Gene", "&RNA", "&Coding sequence (CDS)",
                           "&Untranslated regions (UTR)", "&Pseudo genes", "&Find"}));
    EXPECT_EQ(captions("Anal_Menu"), QStringList({"z-transform", "Statistics", "Set &alpha"}));
    EXPECT_EQ(captions("POM_CGH_GroupTesting"),
              QStringList({"&Class tests", "&Regulation", "Set &alpha", "List filter"}));
    EXPECT_EQ(captions("POM_CGH"),
              QStringList({"&View", "Show CGH t&ool", "Data type", "&Process", "&Group testing",
                           "&Import", "&Hybridisation annotation", "&Colors", "Grouping",
                           "&Load CGH-matrix"}));
    EXPECT_EQ(captions("POM_GEHM"),
              QStringList({"View", "Load expression hybridisation data", "Show Expression tool",
                           "Mean normalise + Log2", "Log2 transform", "Scaling range",
                           "Gene / group &selection", "&Group testing", "Set &alpha"}));
}

TEST_F(MainWindowCommandsTest, TheScalingRangeReadsADecimalCommaAsThePoint) {
    const float kept = ExpData.DisplayScale;
    for (const QString typed : {QStringLiteral("0.5"), QStringLiteral("0,5")}) {
        ExpData.DisplayScale = 2.0f;
        ModalAnswerer modal;
        AnswerInput(modal, typed);
        w->POM_GEHM_ScalingRange->trigger();
        EXPECT_FLOAT_EQ(ExpData.DisplayScale, 0.5f) << typed.toStdString();
    }
    ExpData.DisplayScale = kept;
}

TEST_F(MainWindowCommandsTest, RegulationMarksGainsAndLossesAndFiltersEachPass) {
    // Five sets gain a long stretch of chromosome 5; three lose a few probes of chromosome 7.
    std::vector<synthetic::Region> regions;
    for (int h = 1; h <= 5; ++h) regions.push_back({h, 5, 20000000, 60000000, 2.0f});
    for (int h = 1; h <= 3; ++h) regions.push_back({h, 7, 50000000, 51000000, -2.0f});
    synthetic::Fill(CGHData, 20000, 5, regions, 0.05, "set");
    CGHData.Hyb[4].Active = 0;
    w->WMToolCommand(1010, 3);
    MessageCapture messages;
    {
        ModalAnswerer modal;
        AnswerInput(modal, QStringLiteral("1.5 2 new"));
        w->Anal_Stat_CGH_RegulationTest->trigger();
    }
    EXPECT_EQ(CGHStat.GroupText[1], "1,2,3,5,");
    EXPECT_EQ(CGHStat.Alpha, 0.05f);
    const QString info = w->Info_Memo->toPlainText();
    EXPECT_TRUE(info.contains(QStringLiteral("Regulation threshold: 1.50")));
    EXPECT_TRUE(info.contains(QStringLiteral("Regulation threshold: -1.50")));
    // The gain pass has its lines filtered into one run of chromosome 5; the short loss pass not.
    EXPECT_EQ(info.count(QStringLiteral(" lines loaded.")), 1);
    EXPECT_EQ(info.count(QStringLiteral("Segment: ")), 1);
    EXPECT_TRUE(
        info.section(QStringLiteral("Filter UL 5\n"), 1).startsWith(QStringLiteral("Segment: 1-")));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, QStringLiteral("Too view data for filtering !!"));
    EXPECT_EQ(messages.shown[0].caption, QStringLiteral("Quorbel"));
    int gains = 0, losses = 0;
    for (int c = 1; c <= kChromosomes; ++c) {
        const tCGHProbeArray& a = CGHData.Hyb[1].Chr[c];
        for (int i = 1; i <= a.Count(); ++i) {
            gains += a.Get(17, i) == 0.01f && c == 5;
            losses += a.Get(17, i) == -0.01f && c == 7;
        }
    }
    EXPECT_GT(gains, 50);
    EXPECT_GT(losses, 0);

    ModalAnswerer modal;
    BeepCounter beeps;
    AnswerInput(modal, QString());
    w->Anal_Stat_CGH_RegulationTest->trigger();
    EXPECT_EQ(beeps.count, 1);
}

TEST_F(MainWindowCommandsTest, TheMatchListComesFromTheDataFolder) {
    w->ProgramFolder = dir_.path() + QLatin1Char('/');
    MessageCapture messages;
    w->Listfilter1->trigger();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].text.contains(QStringLiteral("data/Match-List.txt")));

    ASSERT_TRUE(QDir(dir_.path()).mkpath(QStringLiteral("data")));
    QFile list(dir_.filePath(QStringLiteral("data/Match-List.txt")));
    ASSERT_TRUE(list.open(QIODevice::WriteOnly));
    list.write("head\nChr-3 10\ta\tb\tc\t0.5\nChr-3 11\ta\tb\tc\t0.5\n");
    list.close();
    w->Info_BB_ClearClick();
    w->Listfilter1->trigger();
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(w->Info_Memo->toPlainText().startsWith(
        QStringLiteral("3 lines loaded.\n3 lines loaded.\nFilter UL 1")));
    EXPECT_TRUE(w->Info_Memo->toPlainText().contains(
        QStringLiteral("Filter UL 3\nSegment: 1-2\nChr-3 10")));
}

TEST_F(MainWindowCommandsTest, ADSBImportSurvivesRestoringRawValues) {
    const QString file = dir_.filePath(QStringLiteral("dsb.txt"));
    ASSERT_TRUE(WriteDSBFile(file.toStdString(), 3000, 5));
    MessageCapture messages;
    {
        FileDialogAnswerer files({file});
        w->POM_CGH_PellaurisDSBdata1->trigger();
        EXPECT_EQ(files.requests[0].caption, QStringLiteral("Inport Pellauri's DSB data"));
    }
    EXPECT_TRUE(messages.shown.empty());
    ASSERT_EQ(CGHData.HNum, 1);
    EXPECT_EQ(CGHData.Hyb[1].Active, 0);
    const tCGHProbeArray& a = CGHData.Hyb[1].Chr[2];
    ASSERT_GT(a.Count(), 50);
    const std::vector<float> values(a.Slot(4) + 1, a.Slot(4) + a.Count() + 1);
    w->POM_CGH_Process_RestoreRawValues->trigger();
    EXPECT_TRUE(std::equal(values.begin(), values.end(), a.Slot(4) + 1));

    // A file that cannot be read, and a file with no slot left, change nothing.
    for (const QString& name : {dir_.filePath(QStringLiteral("none.txt")), file}) {
        for (int h = 2; h <= kMaxHybridisations; ++h)
            CGHData.Hyb[h].FileName = name == file ? "taken" : "";
        FileDialogAnswerer files({name});
        w->POM_CGH_PellaurisDSBdata1->trigger();
        EXPECT_EQ(CGHData.HNum, 1);
    }
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_TRUE(messages.shown[0].text.contains(QStringLiteral("none.txt")));
    EXPECT_EQ(messages.shown[1].text, QString::fromUtf8(kNoFreeSlotText));
}

TEST_F(MainWindowCommandsTest, RandomDataDrawsTenSetsAndRepeatsAfterAReset) {
    CGHData.RecentFiles[1] = "kept.cgm";
    w->POM_CGH_ViewClick();
    ResetRandom();
    w->Utilities_RandomData->trigger();
    EXPECT_EQ(CGHData.HNum, 10);
    EXPECT_EQ(CGHData.RecentFiles[1], "kept.cgm");
    const std::vector<int> pixels = SetPixels();
    for (int h = 1; h <= 10; ++h) EXPECT_GT(pixels[h], 100) << h;
    const std::vector<float> first(CGHData.Hyb[7].Chr[3].Slot(4),
                                   CGHData.Hyb[7].Chr[3].Slot(4) + CGHData.Hyb[7].Chr[3].Size());
    ResetRandom();
    w->Utilities_RandomData->trigger();
    EXPECT_TRUE(std::equal(first.begin(), first.end(), CGHData.Hyb[7].Chr[3].Slot(4)));
}

TEST_F(MainWindowCommandsTest, TheDemonstrationColoursEveryBandAndStoresItsRunApart) {
    // Without the pattern no band of the map has a colour.
    const auto colouredPixels = [this] {
        w->RepaintMap();
        const QImage& image = w->MapView_PB1->Image();
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QColor c(image.pixel(x, y));
                n += c.red() != c.green() || c.green() != c.blue();
            }
        return n;
    };
    EXPECT_EQ(colouredPixels(), 0);
    w->Util_Demo_ColouredChromosomes->trigger();
    w->Util_Demo_ColouredChromosomes->trigger();
    EXPECT_TRUE(w->ColouredChromosomeMode);
    EXPECT_EQ(w->PaletteMin, 0.0f);
    EXPECT_EQ(w->PaletteMax, 2.0f);
    EXPECT_EQ(w->PaletteScaleKind, 3);
    tPalette spectrum{};
    BuildColourPalette(spectrum, 2);
    EXPECT_EQ(w->PaletteColours, spectrum);
    EXPECT_TRUE(w->POM_Ideogram_ColouredChromosomes->isVisible());
    EXPECT_FALSE(w->Pref_CB_AutoLoad_GeneFeatures->isChecked());
    EXPECT_GT(colouredPixels(), 5000);

    // Every band the track draws finds its value.
    const MapRenderKey key = w->CurrentRenderKey();
    const IdeogramSource source(FeatureLists[1], GenomeLayout, IdeogramType, key.Coloured);
    const TColor grey = RGBColor(130, 130, 130); // the fill of density 50 without a value
    for (const std::string& name :
         AllShownBandNames(FeatureLists[1], GenomeLayout.ChromosomeCount, IdeogramType))
        EXPECT_NE(source.BandFill(QString::fromStdString(name), 50), grey) << name;

    EXPECT_EQ(w->RegistryKey, QStringLiteral("software\\JX-Quorbel\\Quorbel\\"));
    // The regulation test keeps its history at its own fixed key.
    {
        ModalAnswerer modal;
        MessageCapture noData;
        AnswerInput(modal, QStringLiteral("2 3 new"));
        w->Anal_Stat_CGH_RegulationTest->trigger();
    }
    EXPECT_TRUE(Registry::KeyExists(QStringLiteral("software\\JX-Quorbel\\Regulation-test\\")));
    EXPECT_FALSE(
        Registry::KeyExists(QStringLiteral("software\\JX-Quorbel\\Quorbel\\Regulation-test\\")));
    w->close();
    EXPECT_TRUE(Registry::KeyExists(QStringLiteral("software\\JX-Quorbel\\Quorbel\\CGH matrix\\")));
}

} // namespace

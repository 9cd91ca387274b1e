#include "expression_matrix_writer.h"
#include "groupselector.h"
#include "grouptests.h"
#include "guitest.h"
#include "mainwindow.h"
#include "maptestwindow.h"
#include "pvaluefilters.h"
#include "radiogroup.h"
#include "records.h"
#include "registry.h"
#include "selectortest.h"
#include "toolglobals.h"
#include "toolheadertables.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cmath>
#include <memory>

namespace {

using Messages = std::vector<std::pair<int, intptr_t>>;

// The main-window handle the tools send to, restored afterwards.
class MainHandleScope {
  public:
    explicit MainHandleScope(WindowHandle h) : saved_(MainWindowHandle) { MainWindowHandle = h; }
    ~MainHandleScope() { MainWindowHandle = saved_; }

  private:
    WindowHandle saved_;
};

TEST(ViewTool, ControlsSendTheirCommandsToTheMainWindowActivatedLast) {
    ToolMessageRecorder main, owner;
    const MainHandleScope scope(main.Handle());
    TdGroupSelector d;
    d.Mode = 2000;
    d.OwnerHandle = owner.Handle();
    d.FilterGeneCGH_CB_Range->setEditText(QStringLiteral("5000"));
    d.FilterGeneCGH_CB_ProbeNum->setEditText(QStringLiteral("2"));
    using Button = QPushButton* (*)(TdGroupSelector&);
    struct Case {
        Button button;
        bool ctrl, shift;
        Messages sent;
    };
    const Case cases[] = {
        {[](TdGroupSelector& t) { return t.Widht_BB[0]; }, false, false, {{3010, 10}}},
        {[](TdGroupSelector& t) { return t.Widht_BB[0]; }, false, true, {{3010, 1}}},
        {[](TdGroupSelector& t) { return t.Widht_BB[2]; }, true, false, {{3012, 25}}},
        {[](TdGroupSelector& t) { return t.Widht_BB[2]; }, true, true, {{3012, 50}}},
        {[](TdGroupSelector& t) { return t.Widht_BB[1]; }, true, true, {{3011, 50}}},
        {[](TdGroupSelector& t) { return t.Zoom_BB[0]; }, true, false, {{3020, 50}}},
        {[](TdGroupSelector& t) { return t.Zoom_BB[0]; }, true, true, {{3020, 5}}},
        {[](TdGroupSelector& t) { return t.Zoom_BB[2]; }, false, true, {{3022, 1}}},
        {[](TdGroupSelector& t) { return t.Zoom_BB[1]; }, true, false, {{3021, 1}}},
        {[](TdGroupSelector& t) { return t.CGH_BB_Show_BB_ShowSingleCGHProbes; },
         false,
         false,
         {{3031, 2}}},
        {[](TdGroupSelector& t) { return t.CGH_BB_Show_Groups; }, false, false, {{3031, 4}}},
        {[](TdGroupSelector& t) { return t.BB_ZTransform; }, false, false, {{1011, 1}}},
        {[](TdGroupSelector& t) { return t.BB_InvertSign; }, false, false, {{1014, 1}}},
        {[](TdGroupSelector& t) { return t.BB_Log10toLog2; }, false, false, {{1015, 1}}},
        {[](TdGroupSelector& t) { return t.FilterSig_BB_Filter; },
         false,
         false,
         {{3041, 3}, {3042, 1}, {3043, 0}, {3044, 0}, {3040, 0}}},
        {[](TdGroupSelector& t) { return t.FilterSig_BB_All; },
         false,
         false,
         {{3041, 0}, {3042, 0}, {3043, 0}, {3044, 0}, {3040, 0}}},
        {[](TdGroupSelector& t) { return t.FilterGeneCGH_BB_Filter; },
         false,
         false,
         {{3051, 5000}, {3052, 2}, {3053, 0}, {3054, 0}, {3050, 0}}},
        {[](TdGroupSelector& t) { return t.FilterGeneCGH_BB_All; }, false, false, {}},
        {[](TdGroupSelector& t) { return t.HeatMap_BB[2]; }, true, true, {{1000, 5}}},
        {[](TdGroupSelector& t) { return t.HeatMap_BB[0]; }, true, false, {{1000, -10}}},
        {[](TdGroupSelector& t) { return t.HeatMap_BB[1]; }, true, false, {{1000, 0}}},
        {[](TdGroupSelector& t) { return t.ExpMat_BB_ViewGeneAnno; }, false, false, {{1003, 0}}},
        {[](TdGroupSelector& t) { return t.ExpMat_BB_Log2Log10Transform; },
         false,
         false,
         {{1004, 3}}},
    };
    for (const Case& c : cases) {
        main.got.clear();
        SetModifierOverride(c.ctrl, c.shift);
        QPushButton* button = c.button(d);
        button->click();
        EXPECT_EQ(main.got, c.sent) << button->text().toStdString() << " Tag " << Tag(button);
    }
    SetModifierOverride(std::nullopt, std::nullopt);
    main.got.clear();
    d.RG_DataType->findChildren<QRadioButton*>()[2]->click();
    EXPECT_EQ(main.got, (Messages{{3030, 2}}));
    EXPECT_TRUE(owner.got.empty());

    // Nobody activated yet: nothing is sent anywhere.
    MainWindowHandle = 0;
    main.got.clear();
    d.BB_ZTransform->click();
    EXPECT_TRUE(main.got.empty());
    EXPECT_TRUE(owner.got.empty());
}

TEST(ViewTool, SmoothingWidthsAndTheTypedScale) {
    ToolMessageRecorder main;
    const MainHandleScope scope(main.Handle());
    TdGroupSelector d;
    d.Mode = 2000;
    BeepCounter beeps;
    for (const char* width : {"1", "abc", "10003"}) {
        d.Smooth_CB->setEditText(QString::fromLatin1(width));
        d.BB_Smooth->click();
    }
    EXPECT_EQ(beeps.count, 3);
    EXPECT_TRUE(main.got.empty());
    d.SmoothType_RG->SetItemIndex(3);
    d.Smooth_CB->setEditText(QStringLiteral("3"));
    d.BB_Smooth->click();
    EXPECT_EQ(main.got, (Messages{{3100, 40003}}));

    main.got.clear();
    d.ExpMat_CB_Scale->lineEdit()->clear();
    QTest::keyClicks(d.ExpMat_CB_Scale->lineEdit(), QStringLiteral("0.5"));
    ASSERT_EQ(main.got.size(), 3u); // one per keystroke
    EXPECT_EQ(main.got.back(), (std::pair<int, intptr_t>{1001, 50}));
    d.ExpMat_CB_Scale->lineEdit()->clear();
    QTest::keyClicks(d.ExpMat_CB_Scale->lineEdit(), QStringLiteral("0,5"));
    EXPECT_EQ(main.got.back(), (std::pair<int, intptr_t>{1001, 50}));
}

TEST(ViewTool, CGHHeaderRowsFollowTheNamedAnnotationKeys) {
    auto data = std::make_unique<tCGH_DataSet>();
    ClearCGHDataSet(*data);
    data->HNum = 2;
    data->Hyb[1].FileName = "a.txt";
    data->Hyb[2].FileName = "b.txt";
    data->Annotation[0][2] = "Sex";
    data->Annotation[0][7] = "Grade";
    data->Annotation[1][2] = "f";
    data->Annotation[2][7] = "G3";
    data->Annotation[2][3] = "no key";
    tHeaderTable table;
    ASSERT_EQ(FillCGHHeaderTable(table, *data), 3);
    EXPECT_EQ(table.Cell(0, 1), QStringLiteral("File name"));
    EXPECT_EQ(table.Cell(0, 2), QStringLiteral("Sex"));
    EXPECT_EQ(table.Cell(0, 3), QStringLiteral("Grade"));
    EXPECT_EQ(table.Cell(1, 2), QStringLiteral("f"));
    EXPECT_EQ(table.Cell(2, 1), QStringLiteral("b.txt"));
    EXPECT_EQ(table.Cell(2, 3), QStringLiteral("G3"));
    EXPECT_EQ(table.Cell(2, 4), QString()); // read one row past the end, as the dialog does
    EXPECT_EQ(table.Cell(3, 1), QString());
}

class ViewToolWindowTest : public ::testing::Test {
  protected:
    void SetUp() override { Registry::DeleteKey(QStringLiteral("software\\JX-Quorbel\\")); }
    void TearDown() override {
        ClearLoadedProbes();
        Registry::DeleteKey(QStringLiteral("software\\JX-Quorbel\\"));
    }
};

TEST_F(ViewToolWindowTest, OneToolOfEachKindFollowsItsCommand) {
    TfQuorbelView w;
    w.show();
    w.FormActivate();
    CGHData.HNum = 2;
    CGHData.Hyb[1].FileName = "one";
    CGHData.Hyb[2].FileName = "two";
    CGHData.Hyb[1].Active = 1;
    EXPECT_EQ(w.POM_CGH_Tool->shortcut(), QKeySequence(QStringLiteral("Ctrl+T")));
    w.POM_CGH_Tool->trigger();
    QPointer<TdGroupSelector> first = w.CGHTool;
    ASSERT_TRUE(first);
    w.POM_CGH_Tool->trigger();
    EXPECT_EQ(w.CGHTool, first);
    int tools = 0;
    for (QWidget* top : QApplication::topLevelWidgets())
        tools += qobject_cast<TdGroupSelector*>(top) && top->isVisible();
    EXPECT_EQ(tools, 1);
    EXPECT_EQ(first->windowTitle(), QStringLiteral("Customize data CGH view"));
    EXPECT_EQ(first->RegistryKey, QStringLiteral("software\\JX-Quorbel\\CGH-Tool"));
    EXPECT_EQ(first->ConditionCount, 2);
    EXPECT_EQ(first->ConditionActive, (std::vector<uint8_t>{0, 1, 0}));
    EXPECT_TRUE(first->Marked(1));
    EXPECT_FALSE(first->Marked(2));
    EXPECT_EQ(CGHData.Hyb[1].Active, 1); // the first report changed nothing

    // The gain command reaches the main window.
    CGHData.Gain = 1.0f;
    SetModifierOverride(false, false);
    first->Zoom_BB[0]->click();
    EXPECT_FLOAT_EQ(CGHData.Gain, 0.9f);
    // However far it is zoomed in, a few zoom-outs bring the gain back.
    SetModifierOverride(true, false);
    for (int i = 0; i < 300; ++i) first->Zoom_BB[2]->click();
    EXPECT_TRUE(std::isfinite(CGHData.Gain));
    for (int i = 0; i < 20; ++i) first->Zoom_BB[0]->click();
    EXPECT_LT(CGHData.Gain, 1.0f);
    SetModifierOverride(std::nullopt, std::nullopt);

    first->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(first);
    EXPECT_FALSE(CGHToolOpen);
    w.POM_CGH_Tool->trigger();
    ASSERT_TRUE(w.CGHTool);
    EXPECT_TRUE(CGHToolOpen);

    // Closing the main window closes its tools, which clear their flags.
    w.POM_ExpMat_ShowExpTool->trigger();
    ASSERT_TRUE(w.ExpressionTool);
    EXPECT_TRUE(ExpressionToolOpen);
    w.close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(w.CGHTool);
    EXPECT_FALSE(w.ExpressionTool);
    EXPECT_FALSE(CGHToolOpen);
    EXPECT_FALSE(ExpressionToolOpen);
}

TEST_F(ViewToolWindowTest, TheExpressionSwitchOpensTheToolWithEverySample) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("matrix.txt"));
    ASSERT_TRUE(WriteExpressionMatrix(file.toLocal8Bit().constData(), 20, 1000));
    MainWindowHandle = 0;
    TfQuorbelView w;
    w.SetCommandLine({QStringLiteral("/expmat=") + file + QStringLiteral(";7;13;10;11;12")});
    w.show();
    ASSERT_TRUE(w.ExpressionTool);
    TdGroupSelector& tool = *w.ExpressionTool;
    EXPECT_EQ(tool.windowTitle(), QStringLiteral("Customize Expression data view"));
    EXPECT_EQ(tool.ConditionCount, 1000);
    EXPECT_EQ(tool.HeaderRowCount, 8);
    ASSERT_EQ(tool.List_Cond->count(), 1000);
    EXPECT_EQ(tool.List_Cond->item(999)->text(), QStringLiteral("GSM101000"));
    EXPECT_EQ(tool.CB_ConditionNames->count(), 7);
    ASSERT_EQ(tool.ExpMat_CB_GeneAnno->count(), 12);
    EXPECT_EQ(tool.ExpMat_CB_GeneAnno->currentText(), QStringLiteral("ID"));
    EXPECT_EQ(tool.ExpMat_CB_GeneAnno->itemText(11), QStringLiteral("Stop"));
    EXPECT_EQ(ExpData.DisplayFlag, 0); // filling the box sent nothing
    // Not activated yet (no window manager does it): the tool drives the map all the same.
    tool.ExpMat_BB_ViewGeneAnno->click();
    EXPECT_EQ(ExpData.DisplayFlag, 1);

    // Left open, it offers the samples and columns of each load. The track's column "Stop" is
    // missing from a small matrix: its first column is shown instead; the second, picked there,
    // stays when the first matrix loads again.
    tool.ExpMat_CB_GeneAnno->setCurrentIndex(11);
    tool.ExpMat_CB_GeneAnnoChange();
    ASSERT_EQ(ExpData.DisplayMode, 12);
    const QString small = WriteFile(QDir(dir.path()), QStringLiteral("small.txt"),
                                    "ID\tName\tChr\tStart\tStop\tS1\tS2\tS3\r\n"
                                    "g1\tA\t1\t100\t200\t1\t2\t3\r\n");
    ExpData.RecentFiles[1] = (small + QStringLiteral(";1;5;3;4;5")).toStdString();
    ExpData.RecentFiles[2] = (file + QStringLiteral(";7;13;10;11;12")).toStdString();
    w.UpdateExpRecentMenu();
    const auto columns = [&tool] {
        QStringList names;
        for (int k = 0; k < tool.ExpMat_CB_GeneAnno->count(); ++k)
            names << tool.ExpMat_CB_GeneAnno->itemText(k);
        return names;
    };
    w.POM_GEHM_RecentFiles[1]->trigger();
    EXPECT_EQ(tool.ConditionCount, 3);
    EXPECT_EQ(Items(tool.List_Cond),
              (QStringList{QStringLiteral("S1"), QStringLiteral("S2"), QStringLiteral("S3")}));
    EXPECT_EQ(columns(), (QStringList{QStringLiteral("ID"), QStringLiteral("Name"),
                                      QStringLiteral("Chr"), QStringLiteral("Start")}));
    EXPECT_EQ(ExpData.DisplayMode, 1);
    EXPECT_EQ(tool.ExpMat_CB_GeneAnno->currentIndex(), 0);
    tool.ExpMat_CB_GeneAnno->setCurrentIndex(1);
    tool.ExpMat_CB_GeneAnnoChange();
    EXPECT_EQ(ExpData.DisplayMode, 2);
    w.POM_GEHM_RecentFiles[2]->trigger();
    EXPECT_EQ(tool.ConditionCount, 1000);
    EXPECT_EQ(tool.List_Cond->count(), 1000);
    EXPECT_EQ(columns().size(), 12);
    EXPECT_EQ(ExpData.DisplayMode, 2);
    EXPECT_EQ(tool.ExpMat_CB_GeneAnno->currentText(), QStringLiteral("Symbol"));
    w.close();
}

// The Gene / CGH button filters the demo data with its own boxes, whatever the window filter's
// "All" left behind.
TEST_F(ViewToolWindowTest, TheGeneCGHFilterRunsWithItsRangeAndProbeCount) {
    const tHeatmap savedGenes = ExpData;
    TfQuorbelView w;
    w.SetCommandLine({QStringLiteral("/cghmat=") + QCoreApplication::applicationDirPath() +
                      QStringLiteral("/data/demo.cgm")});
    w.show();
    w.FormActivate();
    ASSERT_TRUE(w.CGHTool);
    ASSERT_EQ(CGHData.HNum, 6);
    CGHStat.GroupCount = 2;
    CGHStat.GroupText[1] = "1,3,5";
    CGHStat.GroupText[2] = "2,4,6";
    CGHStat.Alpha = 0.01f;
    ASSERT_EQ(CGHGroupTest(CGHStat, CGHData), "");
    // A significant gene every 7 Mb along each chromosome.
    ExpData.GeneCount = 24 * 30;
    ExpData.Data.assign(1, std::vector<float>(size_t(ExpData.GeneCount) + 1, 0.001f));
    ExpData.GAnno.resize(size_t(ExpData.GeneCount) + 1);
    for (int g = 1; g <= ExpData.GeneCount; ++g) {
        const int start = 7000000 * ((g - 1) % 30);
        ExpData.GAnno[size_t(g)] = {(g - 1) / 30 + 1, start, start + 20000, {}};
    }
    ExpStat.Alpha = 0.01f;

    TdGroupSelector& tool = *w.CGHTool;
    tool.FilterSig_BB_All->click();
    tool.FilterGeneCGH_CB_Range->setEditText(QStringLiteral("500000"));
    tool.FilterGeneCGH_CB_ProbeNum->setEditText(QStringLiteral("3"));
    tool.FilterGeneCGH_BB_Filter->click();

    const auto marks = [](const tCGH_DataSet& data) {
        std::vector<float> all;
        for (int c = 1; c <= kChromosomes; ++c) {
            const tCGHProbeArray& a = data.Hyb[1].Chr[c];
            all.insert(all.end(), a.Slot(17) + 1, a.Slot(17) + a.Count() + 1);
        }
        return all;
    };
    auto expected = std::make_unique<tCGH_DataSet>(CGHData);
    GeneProximityPValueFilter(*expected, ExpData, CGHStat.Alpha, ExpStat.Alpha, 500000, 3);
    const std::vector<float> shown = marks(CGHData);
    EXPECT_EQ(shown, marks(*expected));
    const int significant =
        int(std::count_if(shown.begin(), shown.end(), [](float p) { return p < 0.01f; }));
    EXPECT_GT(significant, 20);
    EXPECT_EQ(CGHStat.SignificantCount, significant);
    // The boxes matter: the window filter's values mark other probes.
    GeneProximityPValueFilter(*expected, ExpData, CGHStat.Alpha, ExpStat.Alpha, 0, 1);
    EXPECT_NE(shown, marks(*expected));
    w.close();
    ExpData = savedGenes;
    CGHStat = tStat{};
    ExpStat = tStat{};
}

TEST(GroupSelectorLife, EveryCloseRouteEndsOnceWithItsResult) {
    TdGroupSelector byCancel;
    byCancel.Mode = 2000;
    byCancel.ResultCode = 1;
    CGHToolOpen = true;
    byCancel.show();
    byCancel.BitBtn_CancelClick();
    EXPECT_EQ(byCancel.ResultCode, -1);
    EXPECT_FALSE(byCancel.isVisible());
    EXPECT_FALSE(CGHToolOpen);
    CGHToolOpen = true;
    byCancel.close(); // a second close does not run FormClose again
    EXPECT_TRUE(CGHToolOpen);
    CGHToolOpen = false;

    TdGroupSelector byBox;
    byBox.show();
    byBox.ClosePermit = 0; // refused once, then allowed
    EXPECT_FALSE(byBox.close());
    EXPECT_TRUE(byBox.close());
    EXPECT_EQ(byBox.ResultCode, -1);

    TdGroupSelector byEsc;
    byEsc.Mode = 2001;
    ExpressionToolOpen = true;
    byEsc.show();
    QTest::keyClick(&byEsc, Qt::Key_Escape);
    EXPECT_FALSE(byEsc.isVisible());
    EXPECT_FALSE(ExpressionToolOpen);

    // The modal group assignment runs through the one modal routine.
    TdGroupSelector modal;
    modal.ConditionCount = 2;
    {
        ModalAnswerer answers;
        answers.Expect<TdGroupSelector>([](TdGroupSelector& d) {
            d.FormShow();
            d.BitBtn_CancelClick();
            return int(QDialog::Rejected);
        });
        RunModal(modal);
    }
    EXPECT_EQ(modal.ResultCode, -1);

    // The condition viewer reports its closing with (0, 9000).
    QWidget viewer;
    modal.ConditionViewer = &viewer;
    ToolBus::Send(modal.Handle(), 0, 5);
    EXPECT_EQ(modal.ConditionViewer, &viewer);
    ToolBus::Send(modal.Handle(), 0, 9000);
    EXPECT_EQ(modal.ConditionViewer, nullptr);
}

} // namespace

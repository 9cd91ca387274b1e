#include "commandline.h"
#include "guitest.h"
#include "ideogram.h"
#include "mainglobals.h"
#include "mainwindow.h"
#include "records.h"
#include "registry.h"
#include "toolglobals.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace {

const QString kBase = QStringLiteral("software\\JX-Quorbel\\");

class MainWindowTest : public ::testing::Test {
  protected:
    void SetUp() override { Registry::DeleteKey(kBase); }
    void TearDown() override { Registry::DeleteKey(kBase); }

    static std::unique_ptr<TfQuorbelView> Open(const QStringList& args = {}) {
        auto w = std::make_unique<TfQuorbelView>();
        w->SetCommandLine(args);
        w->show();
        return w;
    }
};

TEST_F(MainWindowTest, FirstRunReadsNothingAndKeepsDefaults) {
    ExpData.HeaderRows = 99;
    auto w = Open();
    EXPECT_FALSE(Registry::KeyExists(kBase));
    EXPECT_EQ(ExpData.HeaderRows, 7);
    EXPECT_EQ(ExpData.HeaderCols, 13);
    EXPECT_EQ(ExpData.ChrColumn, 10);
    EXPECT_EQ(ExpData.StartColumn, 11);
    EXPECT_EQ(ExpData.StopColumn, 12);
    EXPECT_FALSE(w->Pref_CB_AutoLoad_Ideogram->isChecked());
    EXPECT_TRUE(w->Pref_CB_AutoLoad_GeneFeatures->isChecked());
    // The default names the shipped table with its columns: ticking auto-load is enough.
    EXPECT_EQ(w->IdeogramFile,
              w->ProgramFolder + QStringLiteral("data/ideogram;2,1,2,3,6,7,8,9,4"));
    tFList bands;
    tGenomeLayout layout;
    int32_t type = 0;
    std::string error;
    EXPECT_TRUE(
        ReadIdeogramFile(w->IdeogramFile.toStdString(), bands, layout, type, nullptr, error))
        << error;
    // The shipped gene list is loaded at start.
    EXPECT_GT(FeatureCount(FeatureLists[2]), 28000);
    EXPECT_EQ(CGHData.Annotation[0][1], "File name");
    EXPECT_EQ(CGHData.DisplayStart, 50);
    EXPECT_EQ(ExpStat.Alpha, 1.0f);
    EXPECT_EQ(GenomeLayout.BandResolution, 450);
    EXPECT_EQ(GenomeLayout.IdeogramWidth, 15);
    EXPECT_EQ(GenomeLayout.ShowBandNames, 1);
    EXPECT_EQ(w->Zoom, 1);
    EXPECT_EQ(w->LastChromosome, 25);
}

TEST_F(MainWindowTest, CreationSetsTheDefaultColours) {
    SetColors.fill(7);
    TfQuorbelView w;
    EXPECT_EQ(SetColors[1], 0xFFu);
    EXPECT_EQ(SetColors[3], 0x8000u);
    EXPECT_EQ(SetColors[18], 0x5500u);
    for (int i = 19; i <= 100; ++i) EXPECT_EQ(SetColors[i], 0x555555u) << i;
    EXPECT_EQ(ShownAnnotationKeys.Count, 1);
    EXPECT_EQ(ShownAnnotationKeys.Key[1], 1);
}

TEST_F(MainWindowTest, BaseKeyWithoutExpressionKeyGivesZerosAndCreatesIt) {
    RegKey key;
    ASSERT_TRUE(key.OpenKey(kBase, true));
    key.WriteString(QStringLiteral("Autoload ideogram"), QStringLiteral("Yes"));
    key.CloseKey();
    auto w = Open();
    EXPECT_EQ(ExpData.HeaderRows, 0);
    EXPECT_EQ(ExpData.HeaderCols, 0);
    EXPECT_EQ(ExpData.ChrColumn, 0);
    EXPECT_EQ(ExpData.StartColumn, 0);
    EXPECT_EQ(ExpData.StopColumn, 0);
    EXPECT_TRUE(Registry::KeyExists(kBase + QStringLiteral("Expression matrix")));
    // Histories are never created by reading; "Yes" is not "yes".
    EXPECT_FALSE(Registry::KeyExists(kBase + QStringLiteral("Find gene history")));
    EXPECT_FALSE(Registry::KeyExists(kBase + QStringLiteral("CGH-Group file history")));
    EXPECT_FALSE(w->Pref_CB_AutoLoad_Ideogram->isChecked());
    EXPECT_EQ(w->IdeogramFile,
              w->ProgramFolder + QStringLiteral("data/ideogram;2,1,2,3,6,7,8,9,4"));
}

TEST_F(MainWindowTest, ClosingWritesTheSettingsAndTheNextStartReadsThemBack) {
    {
        auto w = Open();
        w->move(30, 40);
        w->resize(700, 500);
        w->Pref_CB_AutoLoad_Ideogram->setChecked(true);
        w->IdeogramFile = QStringLiteral("/x/ideo;2,1,2,3,6,7,8,9,4");
        w->FindGeneHistory[1] = QStringLiteral("TP53");
        w->FindGeneHistory[3] = QStringLiteral("MYC");
        CGHStat.GroupSettings[2] = "1,2,";
        CGHStat.AlphaSettings[1] = "0.01";
        ExpData.HeaderRows = 3;
        ExpData.RecentFiles[1] = "/data/e1.txt";
        CGHData.RecentFiles[1] = "/data/c1.cgm";
        CGHData.RecentFiles[2] = "/data/c2.cgm";
        w->close();
    }
    RegKey key;
    ASSERT_TRUE(key.OpenKey(kBase, false));
    EXPECT_EQ(key.ReadString(QStringLiteral("Autoload ideogram"), {}), QStringLiteral("yes"));
    EXPECT_EQ(key.ReadInteger(QStringLiteral("Window width"), 0), 700);
    ASSERT_TRUE(key.OpenKey(kBase + QStringLiteral("Find gene history"), false));
    EXPECT_EQ(key.ValueNames().size(), 2);

    CGHStat.GroupSettings[2].clear();
    CGHData.RecentFiles.fill({});
    MessageCapture capture; // the stored ideogram does not exist
    auto w = Open();
    EXPECT_EQ(capture.shown.size(), 1u);
    EXPECT_EQ(w->x(), 30);
    EXPECT_EQ(w->y(), 40);
    EXPECT_EQ(w->width(), 700);
    EXPECT_EQ(w->height(), 500);
    EXPECT_TRUE(w->Pref_CB_AutoLoad_Ideogram->isChecked());
    EXPECT_EQ(w->IdeogramFile, QStringLiteral("/x/ideo;2,1,2,3,6,7,8,9,4"));
    EXPECT_EQ(w->FindGeneHistory[3], QStringLiteral("MYC"));
    EXPECT_EQ(CGHStat.GroupSettings[2], "1,2,");
    EXPECT_EQ(CGHStat.AlphaSettings[1], "0.01");
    EXPECT_EQ(ExpData.HeaderRows, 3);
    EXPECT_EQ(ExpData.RecentFiles[1], "/data/e1.txt");
    EXPECT_EQ(CGHData.RecentFiles[2], "/data/c2.cgm");
    EXPECT_TRUE(w->POM_CGH_Recent[2]->isVisible());
    EXPECT_EQ(w->POM_CGH_Recent[2]->text(), QStringLiteral("/data/c2.cgm"));
    EXPECT_FALSE(w->POM_CGH_Recent[3]->isVisible());
    w->close();
}

TEST_F(MainWindowTest, PositionsBeyondTheScreenArePulledBack) {
    const QRect screen = QGuiApplication::primaryScreen()->virtualGeometry();
    RegKey key;
    ASSERT_TRUE(key.OpenKey(kBase, true));
    key.WriteInteger(QStringLiteral("Window left"), screen.width() + 5000);
    key.WriteInteger(QStringLiteral("Window top"), 20);
    key.CloseKey();
    auto w = Open();
    EXPECT_EQ(w->x(), 10);
    EXPECT_EQ(w->y(), 20);

    w->move(screen.width() + 300, 20);
    w->FormActivate();
    EXPECT_EQ(w->x(), screen.width() - 50);
    EXPECT_EQ(MainWindowHandle, w->Handle());
    w->close();
}

TEST_F(MainWindowTest, DetailViewerReadsOnlyItsWindowValues) {
    RegKey key;
    ASSERT_TRUE(key.OpenKey(kBase + QStringLiteral("DetailViewer1"), true));
    key.WriteInteger(QStringLiteral("Window left"), 55);
    key.WriteInteger(QStringLiteral("Window width"), 333);
    key.CloseKey();
    ExpData.HeaderRows = 42;
    TfQuorbelView w;
    w.IsDetailViewer = true;
    DetailViewerOpen = true;
    w.show();
    EXPECT_EQ(w.x(), 55);
    EXPECT_EQ(w.width(), 333);
    EXPECT_EQ(ExpData.HeaderRows, 42);
    w.close();
    EXPECT_FALSE(DetailViewerOpen);
    ASSERT_TRUE(key.OpenKey(kBase + QStringLiteral("DetailViewer1"), false));
    EXPECT_EQ(key.ReadString(QStringLiteral("Autoload ideogram"), {}), QStringLiteral("np"));
}

TEST_F(MainWindowTest, ExpressionSwitchStoresItsNumbersInOrder) {
    MessageCapture capture;
    auto w = Open({QStringLiteral("/expmat=/tmp/none.txt;4;9"), QStringLiteral("x/cghmat=a")});
    // The columns not given are 0, which is refused; the second is no switch.
    ASSERT_EQ(capture.shown.size(), 1u);
    EXPECT_TRUE(capture.shown[0].text.contains(QStringLiteral("Chromosome ID column is 0")));
    EXPECT_EQ(ExpData.HeaderRows, 4);
    EXPECT_EQ(ExpData.HeaderCols, 9);
    EXPECT_EQ(ExpData.ChrColumn, 0);
    EXPECT_EQ(ExpData.StopColumn, 0);
}

void StoreIdeogramSetting(const QString& spec) {
    RegKey key;
    ASSERT_TRUE(key.OpenKey(kBase, true));
    key.WriteString(QStringLiteral("Autoload ideogram"), QStringLiteral("yes"));
    key.WriteString(QStringLiteral("Ideogram data file"), spec);
}

TEST_F(MainWindowTest, StartUpReadsTheShippedIdeogramAndReportsIt) {
    StoreIdeogramSetting(QStringLiteral(QB_TEST_DATA) +
                         QStringLiteral("/ideogram;2,1,2,3,6,7,8,9,4"));
    GenomeLayout.ChromosomeCount = 0;
    auto w = Open();
    EXPECT_EQ(GenomeLayout.ChromosomeCount, 24);
    EXPECT_GT(FeatureCount(FeatureLists[1]), 800);
    EXPECT_FALSE(w->Info_Memo->toPlainText().isEmpty());
    w->close();

    // A settings file cut short before the ideogram's name starts with the shipped ideogram.
    RegKey key;
    ASSERT_TRUE(key.OpenKey(kBase, false));
    ASSERT_TRUE(key.DeleteValue(QStringLiteral("Ideogram data file")));
    key.CloseKey();
    GenomeLayout.ChromosomeCount = 0;
    w.reset();
    w = Open();
    EXPECT_EQ(GenomeLayout.ChromosomeCount, 24);
}

TEST_F(MainWindowTest, ASettingsStoreThatCannotBeReadOrWrittenIsReported) {
    const QString saved = Registry::Location();
    QTemporaryDir dir;
    // A folder in the settings file's place: nothing is read, and nothing written at exit.
    const QString folder = dir.filePath(QStringLiteral("registry.ini"));
    ASSERT_TRUE(QDir().mkpath(folder));
    Registry::SetLocation(folder);
    {
        MessageCapture boxes;
        auto w = Open();
        ASSERT_EQ(boxes.shown.size(), 1u);
        EXPECT_EQ(boxes.shown[0].text,
                  QStringLiteral("The settings could not be read from\n%1\n\nfile to open is a "
                                 "directory\n\nQuorbel starts with its default settings.")
                      .arg(folder));
        EXPECT_EQ(boxes.shown[0].icon, MsgIcon::Warning);
        w->close();
        ASSERT_EQ(boxes.shown.size(), 2u);
        EXPECT_TRUE(boxes.shown[1].text.startsWith(
            QStringLiteral("The settings could not be written to\n%1\n\n").arg(folder)));
    }
    // Read at start; at exit a file stands where its folder belongs.
    const QString lost = dir.filePath(QStringLiteral("lost/registry.ini"));
    Registry::SetLocation(lost);
    {
        MessageCapture boxes;
        auto w = Open();
        EXPECT_TRUE(boxes.shown.empty());
        QDir(dir.filePath(QStringLiteral("lost"))).removeRecursively();
        WriteFile(QDir(dir.path()), QStringLiteral("lost"), {});
        w->close();
        ASSERT_EQ(boxes.shown.size(), 1u);
        EXPECT_EQ(boxes.shown[0].text,
                  QStringLiteral("The settings could not be written to\n%1\n\nNot a "
                                 "directory\n\nThe settings of this session are lost.")
                      .arg(lost));
    }
    Registry::SetLocation(saved);
}

TEST_F(MainWindowTest, AStoredGeneDatabaseOtherThanHttpGivesTheDefault) {
    RegKey key;
    ASSERT_TRUE(key.OpenKey(kBase, true));
    key.WriteString(QStringLiteral("Gene database"), QStringLiteral("smb://host/share"));
    key.CloseKey();
    GeneDatabaseAddress = QStringLiteral("http://before.example/");
    auto w = Open();
    EXPECT_EQ(GeneDatabaseAddress, kDefaultGeneDatabase);
    EXPECT_TRUE(w->Info_Memo->toPlainText().contains(
        QStringLiteral("The gene database \"smb://host/share\" in the settings is not an http or "
                       "https address; https://www.ncbi.nlm.nih.gov/ is used.")));
}

TEST_F(MainWindowTest, AFailingIdeogramIsReportedInAMessageBox) {
    StoreIdeogramSetting(QStringLiteral("/nonexistent/ideogram;2,1,2,3,6,7,8,9,4"));
    MessageCapture capture;
    const auto& boxes = capture.shown;
    auto w = Open();
    StoreIdeogramSetting(QStringLiteral("/bare/path/without/spec"));
    auto w2 = Open();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_TRUE(boxes[0].text.startsWith(QStringLiteral("Could not load Ideogram data file\n\n")));
    EXPECT_GT(boxes[0].text.size(), 36);
    EXPECT_EQ(boxes[0].caption, QStringLiteral("Kelv"));
    EXPECT_EQ(boxes[0].icon, MsgIcon::Stop);
    EXPECT_EQ(boxes[1].text, QStringLiteral("Could not load Ideogram data file\n\nInvalid ideogram "
                                            "specification: /bare/path/without/spec"));
    EXPECT_TRUE(w2->isVisible());
}

TEST(CommandLine, SwitchesCountOnlyAtTheStartOfAnArgument) {
    const auto s = ParseCommandLine(
        {QStringLiteral("/cghmat=/d/a=b.cgm"), QStringLiteral("x/cghmat=/d/b.cgm"),
         QStringLiteral("/expmat=e.txt;7;13;10;11;12"), QStringLiteral("/expmat=f.txt;2;x1"),
         QStringLiteral("/adjustexpmat=log2transform"), QStringLiteral("other")});
    ASSERT_EQ(s.size(), 4u);
    EXPECT_EQ(s[0].kind, CommandLineSwitch::CGHMatrix);
    EXPECT_EQ(s[0].file, QStringLiteral("/d/a=b.cgm"));
    EXPECT_EQ(s[1].kind, CommandLineSwitch::ExpressionMatrix);
    EXPECT_EQ(s[1].file, QStringLiteral("e.txt"));
    EXPECT_EQ(s[1].headerRows, 7);
    EXPECT_EQ(s[1].stopColumn, 12);
    EXPECT_EQ(s[2].headerRows, 2);
    EXPECT_EQ(s[2].headerCols, 0);
    EXPECT_EQ(s[3].kind, CommandLineSwitch::AdjustExpressionMatrix);
    EXPECT_EQ(s[3].adjust, QStringLiteral("log2transform"));
}

} // namespace

#include "cghmatrixfile.h"
#include "feature_file_writer.h"
#include "guitest.h"
#include "inputdialog.h"
#include "mainwindow.h"
#include "maptestwindow.h"
#include "progresswindow.h"
#include "records.h"
#include "registry.h"
#include "selcol.h"
#include "synthetic_cgh.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace {

// Answers the next column dialog of an expression load: 1 header row, 3 annotation columns,
// chromosome in 2, start and stop in 3. `shownChromosome` receives what the dialog offered.
void PickColumns(ModalAnswerer& modal, QString* shownChromosome = nullptr) {
    modal.Expect<TdSelCol>([shownChromosome](TdSelCol& d) {
        d.FormShow();
        if (shownChromosome) *shownChromosome = d.Edit(3)->text();
        const char* picks[] = {"1", "3", "2", "3", "3"};
        for (int i = 1; i <= 5; ++i) d.Edit(i)->setText(QLatin1String(picks[i - 1]));
        d.Button_OKClick();
        return d.result();
    });
}

class MainWindowFilesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Registry::DeleteKey(QStringLiteral("software\\JX-Quorbel\\"));
        w = std::make_unique<TfQuorbelView>();
        w->show();
    }
    void TearDown() override {
        w.reset();
        ClearLoadedProbes();
        BumpDataVersion();
        Registry::DeleteKey(QStringLiteral("software\\JX-Quorbel\\"));
    }

    QString Write(const QString& name, const QByteArray& bytes) {
        return WriteFile(QDir(dir_.path()), name, bytes);
    }
    QString FeatureFile(const QString& name, uint32_t layout) {
        const QString path = dir_.filePath(name);
        FeatureFileSummary summary;
        EXPECT_TRUE(WriteFeatureFile(path.toStdString(), 2000, layout, summary, 1));
        return path;
    }
    // A CGH matrix of `sets` hybridisations.
    QString Matrix(const QString& name, int sets) {
        const QString path = dir_.filePath(name);
        auto data = std::make_unique<tCGH_DataSet>();
        synthetic::Fill(*data, 3000, sets, {}, 0.1, "set");
        std::string error;
        EXPECT_TRUE(WriteCGHMatrix(*data, path.toStdString(), nullptr, nullptr, error)) << error;
        return path;
    }
    static bool AnyProgressWindowVisible() {
        for (QWidget* top : QApplication::topLevelWidgets())
            if (qobject_cast<TCluster_Progress*>(top) && top->isVisible()) return true;
        return false;
    }

    QTemporaryDir dir_;
    std::unique_ptr<TfQuorbelView> w;
};

TEST_F(MainWindowFilesTest, MenuLoadsTakeFreeSlotsAndARefusedFileLeavesItsSlotFree) {
    const QString a = FeatureFile(QStringLiteral("a.txt"), 7);
    const QString b = FeatureFile(QStringLiteral("b.txt"), 7);
    const QString other = FeatureFile(QStringLiteral("other.txt"), 99); // another probe layout
    FileDialogAnswerer files({a, b, other, QString()});
    MessageCapture messages;
    for (int i = 0; i < 4; ++i) w->Loadhybridisationdata1->trigger();

    EXPECT_EQ(files.requests[0].caption, QStringLiteral("Load hybridisation data file"));
    EXPECT_EQ(files.requests[0].filter,
              QStringLiteral("Agilent feature extraction (*.txt);;Any file (*)"));
    EXPECT_EQ(files.requests[0].directory, QStringLiteral("*.txt"));
    EXPECT_EQ(CGHData.HNum, 2);
    EXPECT_EQ(CGHData.Hyb[1].FileName, a.toStdString());
    EXPECT_EQ(CGHData.Hyb[2].FileName, b.toStdString());
    EXPECT_TRUE(CGHData.Hyb[3].FileName.empty());
    EXPECT_EQ(CGHData.Hyb[3].Chr[1].Count(), 0);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].text.contains(QStringLiteral("other.txt")));
    EXPECT_EQ(messages.shown[0].text.count(QStringLiteral("other.txt")), 1);
    EXPECT_FALSE(AnyProgressWindowVisible());
    // Each load transforms every set in use.
    EXPECT_EQ(w->Info_Memo->toPlainText().count(QStringLiteral("Set 1 - Mean=")), 2);

    // With every slot taken the load says so and changes nothing.
    for (tCGHHybridisation& h : CGHData.Hyb) h.FileName = "taken";
    FileDialogAnswerer more({a});
    w->Loadhybridisationdata1->trigger();
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[1].text, QStringLiteral("Can not load additional CGH-hybridisation "
                                                     "datasets."));
    EXPECT_EQ(CGHData.HNum, 2);
}

TEST_F(MainWindowFilesTest, ADeviceIsRefusedBeforeAByteIsRead) {
    FileDialogAnswerer files({QStringLiteral("/dev/zero")});
    MessageCapture messages;
    w->Loadhybridisationdata1->trigger();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text,
              QStringLiteral("Cannot read file: /dev/zero (not a regular file)"));
    EXPECT_TRUE(CGHData.Hyb[1].FileName.empty());
}

TEST_F(MainWindowFilesTest, CGHMatricesListedAfterALoadAndReloadedFromTheirItems) {
    const QString good = Matrix(QStringLiteral("a&b.cgm"), 2);
    const QString bad = Write(QStringLiteral("bad.cgm"), "not a matrix");
    MessageCapture messages;
    {
        FileDialogAnswerer files({good, bad, good});
        w->File_LoadCGHMatrix->trigger();
        EXPECT_EQ(files.requests[0].caption, QStringLiteral("Load CGH_hybridisation matrix"));
        EXPECT_EQ(files.requests[0].filter, QStringLiteral("CGH-matrix (*.cgm);;Any file (*)"));
        w->POM_CGH_LoadCGHmatrix->trigger(); // refused: no entry
        w->File_LoadCGHMatrix->trigger();    // listed already: stays where it is
    }
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(CGHData.RecentFiles[1], good.toStdString());
    EXPECT_TRUE(CGHData.RecentFiles[2].empty());
    QAction* item = w->POM_CGH_Recent[1];
    EXPECT_TRUE(item->isVisible());
    EXPECT_TRUE(item->text().endsWith(QStringLiteral("a&&b.cgm")));

    // The item reloads the file its data holds, "&" and all.
    CGHData.HNum = 0;
    item->trigger();
    EXPECT_EQ(CGHData.HNum, 2);
    EXPECT_TRUE(w->POM_CGH_View->isChecked());

    QFile::remove(good);
    item->trigger();
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[1].text,
              QStringLiteral("Specified file:\n\n     \"") + good +
                  QStringLiteral("\"\n\nEither file was deleted, moved or loaded\nfrom a not "
                                 "connected network resource"));
    EXPECT_EQ(messages.shown[1].caption,
              QStringLiteral("JX-Quorbel - Load gene expression matrix"));
    EXPECT_EQ(messages.shown[1].icon, MsgIcon::Stop);
}

// Notes, each time a widget is painted greyed, whether the two hybridisations loaded before are
// still there.
class GreyedPaints : public QObject {
  public:
    std::vector<bool> oldDataThere;
    bool eventFilter(QObject* object, QEvent* event) override {
        if (event->type() == QEvent::Paint && !static_cast<QWidget*>(object)->isEnabled())
            oldDataThere.push_back(CGHData.HNum == 2);
        return false;
    }
};

TEST_F(MainWindowFilesTest, ALoadOverLoadedDataIsCancelledOnlyBeforeItFreesThemAndNotEntered) {
    const QString file = Matrix(QStringLiteral("new.cgm"), 3);
    synthetic::Fill(CGHData, 3000, 2, {}, 0.1, "old");
    // `step` acts at each progress step of the window the next load shows.
    std::function<void(TCluster_Progress*, int)> step;
    GreyedPaints greyed;
    const auto load = [&] {
        QTimer::singleShot(0, [&] {
            for (QWidget* top : QApplication::topLevelWidgets())
                if (auto* p = qobject_cast<TCluster_Progress*>(top)) {
                    p->Button_Cancel->installEventFilter(&greyed);
                    QObject::connect(p->ProgressBar1, &QProgressBar::valueChanged, p,
                                     [&, p](int v) { step(p, v); });
                }
        });
        FileDialogAnswerer files({file});
        w->File_LoadCGHMatrix->trigger();
        EXPECT_EQ(files.requests.size(), 1u);
    };
    MessageCapture messages;

    // Escape while Cancel is offered cancels.
    step = [](TCluster_Progress* p, int v) {
        if (v > 0 && v < 500 && p->CancelFlag == 0) QTest::keyClick(p, Qt::Key_Escape);
    };
    load();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].text.endsWith(QStringLiteral("loading cancelled")));
    EXPECT_EQ(CGHData.HNum, 2);
    EXPECT_EQ(CGHData.Hyb[1].FileName, "old1.txt");

    // The user presses Cancel and Escape and closes the window at each step of the second half,
    // where the old data are freed; the pumped events bring commands meanwhile.
    int pressed = 0, offered = 0, hidden = 0;
    step = [&](TCluster_Progress* p, int v) {
        if (v <= 500 || v >= 1000) return;
        ++pressed;
        offered += p->Button_Cancel->isEnabled();
        QTest::mouseClick(p->Button_Cancel, Qt::LeftButton);
        QTest::keyClick(p, Qt::Key_Escape);
        p->close();
        hidden += !p->isVisible();
        w->File_LoadCGHMatrix->trigger();
        ToolBus::Send(w->Handle(), 1011, 1); // the CGH tool's z-transform
    };
    load();
    EXPECT_GT(pressed, 0);
    EXPECT_EQ(offered, 0);
    EXPECT_EQ(hidden, 0);
    // Shown greyed before the pause in which the old data are freed.
    ASSERT_FALSE(greyed.oldDataThere.empty());
    EXPECT_TRUE(greyed.oldDataThere.front());
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(
        w->StatusBar1->currentMessage(),
        QStringLiteral("Busy: the command was not started, please wait for the work to end."));
    EXPECT_FALSE(w->Info_Memo->toPlainText().contains(QStringLiteral("z-transformation")));
    EXPECT_EQ(CGHData.HNum, 3);
    // Exactly the file: saved as it is after a load of it alone.
    const auto save = [&](const QString& name) {
        std::string error;
        EXPECT_TRUE(
            WriteCGHMatrix(CGHData, dir_.filePath(name).toStdString(), nullptr, nullptr, error));
        QFile f(dir_.filePath(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    };
    const QByteArray loadedMeanwhile = save(QStringLiteral("meanwhile.cgm"));
    ASSERT_TRUE(w->LoadCGHMatrixFile(file));
    EXPECT_EQ(save(QStringLiteral("alone.cgm")), loadedMeanwhile);
}

TEST_F(MainWindowFilesTest, ExpressionMatricesListedWithTheirColumnsAndReloaded) {
    const QString file = Write(QStringLiteral("e&x;2.txt"), "name\tchr\tstart\ts1\ts2\n"
                                                            "g1\t1\t1000\t1.5\t2\n"
                                                            "g2\t2\t5000\t0.5\t1\n");
    ModalAnswerer modal;
    QString shownChromosomeColumn;
    PickColumns(modal, &shownChromosomeColumn);
    {
        FileDialogAnswerer files({file});
        w->LoadExpressionhybridisationdata1->trigger();
    }
    EXPECT_EQ(shownChromosomeColumn, QStringLiteral("10"));
    const std::string entry = file.toStdString() + ";1;3;2;3;3";
    EXPECT_EQ(ExpData.RecentFiles[1], entry);
    EXPECT_EQ(ExpData.GeneCount, 2);
    EXPECT_EQ(ExpData.ShowExpressionTrack, 1);
    EXPECT_TRUE(w->Info_Memo->toPlainText().contains(
        QStringLiteral("2 gene expression profiles loaded and assigned.")));

    ExpData.HeaderCols = 13;
    ExpData.GeneCount = 0;
    w->POM_GEHM_RecentFiles[1]->trigger();
    EXPECT_EQ(ExpData.HeaderCols, 3);
    EXPECT_EQ(ExpData.ChrColumn, 2);
    EXPECT_EQ(ExpData.GeneCount, 2);

    // A chromosome column the rows never reach is refused, from the menu and from the entry
    // listed for it; the loaded matrix stays.
    modal.Expect<TdSelCol>([](TdSelCol& d) {
        d.FormShow();
        d.Edit(3)->setText(QStringLiteral("0"));
        d.Button_OKClick();
        return d.result();
    });
    MessageCapture boxes;
    {
        FileDialogAnswerer files({file});
        w->LoadExpressionhybridisationdata1->trigger();
    }
    EXPECT_EQ(ExpData.RecentFiles[1], file.toStdString() + ";1;3;0;11;12");
    w->POM_GEHM_RecentFiles[1]->trigger();
    ASSERT_EQ(boxes.shown.size(), 2u);
    for (const MessageRecord& box : boxes.shown)
        EXPECT_TRUE(box.text.contains(QStringLiteral("Chromosome ID column is 0")))
            << box.text.toStdString();
    EXPECT_EQ(ExpData.GeneCount, 2);
    EXPECT_EQ(ExpData.GAnno[2].Chr, 2);
    EXPECT_EQ(w->Info_Memo->toPlainText().count(QStringLiteral("loaded and assigned")), 1);
}

// Spreadsheet exports: every cell quoted, UTF-16 ("Unicode text") or a decimal comma.
TEST_F(MainWindowFilesTest, ExpressionExportsReadOtherwiseAreRefusedOrReported) {
    const QByteArray plain = "name\tchr\tstart\ts1\ts2\n"
                             "g1\t1\t1000\t1.5\t2\n"
                             "g2\t2\t5000\t0.5\t1\n";
    const QString loaded = Write(QStringLiteral("plain.txt"), plain);
    const QString quoted =
        Write(QStringLiteral("quoted.txt"), "\"name\"\t\"chr\"\t\"start\"\t\"s1\"\t\"s2\"\n"
                                            "\"g1\"\t\"1\"\t\"1000\"\t\"1.5\"\t\"2\"\n");
    const QString text = QString::fromLatin1(plain);
    const QString unicode = Write(
        QStringLiteral("unicode.txt"),
        "\xFF\xFE" + QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2));
    const QString comma = Write(QStringLiteral("comma.txt"), "name\tchr\tstart\ts1\ts2\r\n"
                                                             "g1\t1\t1000\t6,85181\t2\r\n"
                                                             "g2\t2\t5000\t0,5\t1\r\n");
    ModalAnswerer modal;
    MessageCapture boxes;
    for (const QString& file : {loaded, quoted, unicode, comma}) {
        PickColumns(modal);
        FileDialogAnswerer files({file});
        w->LoadExpressionhybridisationdata1->trigger();
        if (file == quoted || file == unicode) {
            // The refused exports leave the matrix loaded before.
            EXPECT_EQ(ExpData.FileName, loaded.toStdString());
            EXPECT_EQ(ExpData.GeneCount, 2);
            EXPECT_EQ(ExpData.GAnno[2].Chr, 2);
        }
    }
    ASSERT_EQ(boxes.shown.size(), 3u);
    EXPECT_EQ(boxes.shown[0].icon, MsgIcon::Stop);
    EXPECT_TRUE(boxes.shown[0].text.contains(
        QStringLiteral("holds no gene on chromosomes 1 to 24: no cell of the Chromosome ID "
                       "column 2 reads as a number 1 to 24, X or Y (line 2 holds \"\"1\"\").")))
        << boxes.shown[0].text.toStdString();
    EXPECT_EQ(boxes.shown[1].icon, MsgIcon::Stop);
    EXPECT_TRUE(boxes.shown[1].text.contains(QStringLiteral("is saved as UTF-16")))
        << boxes.shown[1].text.toStdString();

    // The decimal commas load as the numbers' beginnings, and the user is told.
    EXPECT_EQ(ExpData.FileName, comma.toStdString());
    EXPECT_EQ(ExpData.Data[1][1], 6.0f);
    const QString cut = QStringLiteral("Value cells that are no numbers in full were read by "
                                       "their valid beginning or as 0: 2 in \"") +
                        comma + QStringLiteral("\", the first at line 2, column 4: \"6,85181\".");
    EXPECT_EQ(boxes.shown[2].icon, MsgIcon::Warning);
    EXPECT_EQ(boxes.shown[2].text, cut);
    EXPECT_TRUE(w->Info_Memo->toPlainText().contains(cut));
}

TEST_F(MainWindowFilesTest, TheGeneListImportsOnlyThroughItsFirstFilter) {
    const QString genes = Write(QStringLiteral("genes.md"),
                                "9606\t1\t1000\t2000\t+\tx\tx\tx\tx\tGENEA\tx\tGENE\tx\n");
    const QString empty = Write(QStringLiteral("empty.md"), "");
    const QString noGenes = Write(QStringLiteral("none.md"), "9606\t1\t1000\t2000\t+\n\x01\x02");
    const tFList before = FeatureLists[2];
    FileDialogAnswerer files({{genes, QStringLiteral("Any file (*)")}, genes, empty, noGenes});
    MessageCapture boxes;
    w->Util_DatFiles_Import_GeneList->trigger();
    EXPECT_EQ(FeatureCount(FeatureLists[2]), FeatureCount(before));
    w->Util_DatFiles_Import_GeneList->trigger();
    EXPECT_EQ(FeatureCount(FeatureLists[2]), 1);
    EXPECT_EQ(files.requests[1].filter, QStringLiteral("EntrezGene (*.md);;Any file (*)"));
    EXPECT_EQ(w->Info_Memo->toPlainText(), QStringLiteral("1 features"));
    EXPECT_EQ(w->OpenDialog.FileName, genes); // left for the next command

    // A list without a single gene is refused with its reason; the loaded genes stay.
    w->Util_DatFiles_Import_GeneList->trigger();
    w->Util_DatFiles_Import_GeneList->trigger();
    ASSERT_EQ(boxes.shown.size(), 2u);
    EXPECT_TRUE(boxes.shown[1].text.startsWith(QLatin1Char('"') + noGenes +
                                               QStringLiteral("\" holds no gene features")));
    EXPECT_EQ(boxes.shown[1].icon, MsgIcon::Stop);
    EXPECT_EQ(FeatureCount(FeatureLists[2]), 1);
    EXPECT_EQ(w->Info_Memo->toPlainText(), QStringLiteral("1 features"));
    FeatureLists[2] = before;
}

TEST_F(MainWindowFilesTest, RefusedCGHExpressionColumnsAndAnUnfinishedSaveChangeNothing) {
    synthetic::Fill(CGHData, 3000, 2, {}, 0.1, "set");
    const QString matrix = Write(QStringLiteral("m.txt"), "pos\tname\tgene\th1\n"
                                                          "chr1:100-200\tp1\tG\t0.5\n");
    MessageCapture messages;
    ModalAnswerer modal;
    modal.Expect<TInputDialog>([](TInputDialog& d) {
        EXPECT_EQ(d.Text, QStringLiteral("3,1,2,4,20"));
        d.FormShow();
        d.CB->setCurrentText(QStringLiteral("3,1"));
        d.Button_OKClick();
        return d.result();
    });
    {
        FileDialogAnswerer files({matrix});
        w->LoadCGHExpressionMatrix->trigger();
    }
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(CGHData.HNum, 2);
    EXPECT_EQ(CGHData.Hyb[1].FileName, "set1.txt");
    EXPECT_FALSE(AnyProgressWindowVisible());

    // A save the user stops leaves the file that was there.
    const QString old = Write(QStringLiteral("old.cgm"), "old contents");
    QTimer::singleShot(0, [] {
        for (QWidget* top : QApplication::topLevelWidgets())
            if (auto* p = qobject_cast<TCluster_Progress*>(top)) p->Button_CancelClick();
    });
    {
        FileDialogAnswerer files({old});
        w->File_SaveCGHMatrix->trigger();
        EXPECT_EQ(files.requests[0].kind, FileDialogKind::Save);
    }
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_TRUE(messages.shown[1].text.contains(QStringLiteral("cancelled")));
    QFile f(old);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("old contents"));
    EXPECT_FALSE(AnyProgressWindowVisible());
}

} // namespace

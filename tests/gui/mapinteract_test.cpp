// The main window's map interaction: gene search, keys and wheel, the status-bar read-out, the
// detail viewer with the gene database search, the capture and the ideogram file choice.
#include "genelist.h"
#include "guitest.h"
#include "inputdialog.h"
#include "mainglobals.h"
#include "maptestwindow.h"
#include "selcol.h"
#include "toolglobals.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>

namespace {

const QColor kRed(255, 0, 0);

// Chromosome 1 (arms of 1000 bp) holds the HPRT genes, chromosome 2 (400 + 600 bp) the others.
tFList Genes() {
    return MakeGeneList({{"HPRT1", 1, 100, 300},
                         {"HPRTP2", 1, 1200, 1400},
                         {"NAPRT1", 2, 100, 200},
                         {"GAPDH", 2, 300, 350}});
}

std::string Marked() {
    std::string s;
    for (size_t i = 1; i < FeatureLists[2].size(); ++i)
        if (FeatureLists[2][i].Num[15] == 1.0f)
            s += (s.empty() ? "" : " ") + FeatureLists[2][i].Name;
    return s;
}

int Count(const QImage& image, QColor colour) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) n += QColor(image.pixel(x, y)) == colour;
    return n;
}

class MapInteractTest : public MapWindowTest {
  protected:
    void SetUp() override {
        MapWindowTest::SetUp();
        savedGenes_ = FeatureLists[2];
        LoadBands(SmallIdeogram());
        FeatureLists[2] = Genes();
    }
    void TearDown() override {
        MapWindowTest::TearDown();
        FeatureLists[2] = savedGenes_;
        ChromosomeGap = 0;
        GeneDatabaseAddress = kDefaultGeneDatabase;
        SetShellOpenHook({});
    }

  private:
    tFList savedGenes_;
};

TEST_F(MapInteractTest, FindMarksTheGenesReportsThemAndKeepsItsHistory) {
    w->POM_Genes_ViewClick();
    for (int n = 1; n <= 20; ++n) w->FindGeneHistory[n] = QStringLiteral("old%1").arg(n);
    w->FindGeneHistory[3] = QStringLiteral("HPRT*");
    const struct {
        const char* typed;
        const char* marked;
        const char* box;
        const char* first; // history entry 1 afterwards
    } steps[] = {
        // Known in other letter case: the history stays as it is.
        {" hprt*\t", "HPRT1 HPRTP2", "2 matches found\n\nSee Info-Tab for details.", "old1"},
        {"gapdh", "GAPDH", "1 matches found\n\nSee Info-Tab for details.", "gapdh"},
        {"xyz", "", "No match found !!", "xyz"},
    };
    for (const auto& step : steps) {
        ModalAnswerer modal;
        modal.Expect<TInputDialog>([&](TInputDialog& d) {
            EXPECT_EQ(d.Caption, QStringLiteral("Find genes"));
            EXPECT_EQ(d.History.size(), 20);
            d.CB->setEditText(QString::fromLatin1(step.typed));
            d.Button_OKClick();
            return d.result();
        });
        MessageCapture boxes;
        w->POM_Genes_FindClick();
        EXPECT_EQ(Marked(), step.marked) << step.typed;
        ASSERT_EQ(boxes.shown.size(), 1u);
        EXPECT_EQ(boxes.shown[0].text.toStdString(), step.box);
        EXPECT_EQ(boxes.shown[0].caption, QStringLiteral("Search genes"));
        EXPECT_EQ(w->FindGeneHistory[1].toStdString(), step.first);
        // The marks are drawn at once, in red.
        EXPECT_EQ(Count(w->MapView_PB1->Image(), kRed) > 0, *step.marked != 0) << step.typed;
    }
    EXPECT_EQ(w->FindGeneHistory[2], QStringLiteral("gapdh"));
    EXPECT_EQ(w->FindGeneHistory[3], QStringLiteral("old1"));
    EXPECT_EQ(w->FindGeneHistory[20], QStringLiteral("old18")); // 21 entries keep 20
    EXPECT_TRUE(w->Info_Memo->toPlainText().contains(QStringLiteral("Searching for \"hprt*\"\n1 - "
                                                                    "HPRT1; Chr=1; Start=100")));
}

TEST_F(MapInteractTest, WindowKeysAndTheWheelWhateverHasTheFocus) {
    Render();
    ChromosomeGap = 5;
    const auto ctrlShift = Qt::ControlModifier | Qt::ShiftModifier;
    QTest::keyClick(w->TB1_CNum_Edit, Qt::Key_Left, ctrlShift);
    EXPECT_EQ(ChromosomeGap, 0);
    EXPECT_TRUE(w->TB1_CNum_Edit->selectedText().isEmpty()) << "the edit got the key as well";
    QTest::keyClick(w->Info_Memo, Qt::Key_Right, ctrlShift);
    EXPECT_EQ(ChromosomeGap, 10);
    EXPECT_EQ(w->MapLayout.View().ChromosomeGap, 10) << "the map is drawn anew";

    const qint64 before = w->MapView_PB1->Image().cacheKey();
    QTest::keyClick(w->MapView_PB1, Qt::Key_F5);
    EXPECT_NE(w->MapView_PB1->Image().cacheKey(), before);

    // On a whole chromosome 1 a notch forward moves the map down as far as the bar's arrow.
    LoadBands({{1, 1, 0, 0, 0, 1, 123400000, 0}, {1, 2, 0, 0, 0, 123400001, 248956422, 0}});
    const QImage whole = Render().copy();
    QWheelEvent wheel(QPointF(50, 50), w->MapView_PB1->mapToGlobal(QPointF(50, 50)), QPoint(),
                      QPoint(0, 120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(w.get(), &wheel);
    const int notch = w->MapView_SB_V->value();
    EXPECT_GT(notch, 1000000);
    EXPECT_EQ(w->MapLayout.View().AlongScroll, notch);
    EXPECT_NE(w->MapView_PB1->Image(), whole);
    w->MapView_SB_V->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(w->MapView_SB_V->value(), 0);
}

TEST_F(MapInteractTest, MenuShortcutsRunTheirItemOnce) {
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    const bool genes = w->POM_Genes_View->isChecked();
    QTest::keyClick(w->MapView_PB1, Qt::Key_G, Qt::ControlModifier);
    EXPECT_NE(w->POM_Genes_View->isChecked(), genes);
    ModalAnswerer modal;
    modal.Expect<TInputDialog>([](TInputDialog& d) {
        d.reject();
        return d.result();
    });
    QTest::keyClick(w->MapView_PB1, Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(modal.run, 1);
}

TEST_F(MapInteractTest, TheStatusBarNamesTheGeneUnderThePointerAndADoubleClickSearchesItOnce) {
    w->POM_Genes_ViewClick();
    Render();
    const PaintedChromosome& chr1 = w->MapLayout.Chromosomes().at(0);
    ASSERT_TRUE(chr1.Genes);
    // Right of the gene line (beyond the column, without names) at base pair 200; the image lies
    // one pixel in from the box's corner.
    const QPoint at(*chr1.Genes + 55 + 1, MapGeometry::kTop + w->MapLayout.AlongPixel(1, 200) + 1);
    const qint64 image = w->MapView_PB1->Image().cacheKey();
    BumpDataVersion(); // a render now would draw anew
    QTest::mouseMove(w->MapView_PB1, at);
    EXPECT_EQ(w->MouseChromosome, 1);
    EXPECT_EQ(w->MouseText, QStringLiteral("HPRT1"));
    EXPECT_NEAR(w->MouseBasePair, 200, 1.0 / w->MapScale);
    EXPECT_EQ(w->StatusBar1_Panels[1]->text(),
              QStringLiteral("%1,%2 - %3,1 - HPRT1").arg(at.x()).arg(at.y()).arg(w->MouseBasePair));
    EXPECT_EQ(w->MapView_PB1->Image().cacheKey(), image);

    std::vector<QString> opened;
    SetShellOpenHook([&](const QString& target) {
        opened.push_back(target);
        return true;
    });
    QTest::mouseDClick(w->MapView_PB1, Qt::LeftButton, Qt::NoModifier, at);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_TRUE(opened[0].contains(QStringLiteral("term=HPRT1")));
}

TEST_F(MapInteractTest, OneDetailViewerTakesTheLyingMapAndHandsTheToolsBack) {
    SetColors[1] = 0x123456;
    ChromosomeGap = 30;
    w->TB_SetOrientationClick();
    w->TB_DetailViewClick();
    QPointer<TfQuorbelView> viewer = DetailViewer;
    ASSERT_TRUE(viewer);
    w->TB_DetailViewClick();
    EXPECT_EQ(DetailViewer, viewer);
    EXPECT_EQ(w->findChildren<TfQuorbelView*>().size(), 1);
    EXPECT_TRUE(viewer->IsDetailViewer && viewer->isVisible() && viewer->isWindow());
    EXPECT_EQ(viewer->FirstChromosome, 1);
    EXPECT_EQ(viewer->LastChromosome, 1);
    EXPECT_EQ(viewer->Orientation, 2);
    // Lying, the along bar is the horizontal one and keeps the long range.
    EXPECT_EQ(viewer->MapView_SB_H->maximum(), w->MapView_SB_H->maximum());
    EXPECT_EQ(viewer->MapView_SB_V->maximum(), w->MapView_SB_V->maximum());
    // Opening it resets none of the program's map settings.
    EXPECT_EQ(SetColors[1], 0x123456u);
    EXPECT_EQ(ChromosomeGap, 30);

    viewer->FormActivate();
    EXPECT_EQ(MainWindowHandle, viewer->Handle());
    viewer->close();
    EXPECT_EQ(MainWindowHandle, w->Handle());
    EXPECT_FALSE(DetailViewerOpen);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(viewer);
}

TEST_F(MapInteractTest, DoubleClickCentresTheDetailViewerAndSearchesTheGeneDatabase) {
    std::vector<QString> opened;
    SetShellOpenHook([&](const QString& target) {
        opened.push_back(target);
        return true;
    });
    Render(); // all chromosomes: the longest p arm is 1000 bp
    w->TB_DetailViewClick();
    TfQuorbelView& viewer = *DetailViewer;

    // Chromosome 2 (p arm 400) under the pointer, no gene.
    w->MouseChromosome = 2;
    w->MouseBasePair = 1800;
    w->MouseText.clear();
    w->MapView_PB1DblClick();
    EXPECT_TRUE(opened.empty());
    EXPECT_EQ(viewer.FirstChromosome, 2);
    EXPECT_EQ(viewer.LastChromosome, 2);
    EXPECT_EQ(viewer.MapView_SB_V->value(), 1800 - (1000 - 400) - 1000);

    // Outside every column nothing moves.
    w->MouseChromosome = 0;
    w->MapView_PB1DblClick();
    EXPECT_EQ(viewer.FirstChromosome, 2);

    // One chromosome shown: that one; the term is encoded whole.
    w->FirstChromosome = w->LastChromosome = 1;
    w->MouseText = QStringLiteral("A&B+C #1");
    w->MapView_PB1DblClick();
    EXPECT_EQ(viewer.FirstChromosome, 1);
    EXPECT_EQ(viewer.MapView_SB_V->value(), 1800 - 1000);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], QStringLiteral("https://www.ncbi.nlm.nih.gov/sites/entrez?db=gene&cmd="
                                        "search&term=A%26B%2BC%20%231%20homo%20sapiens"));

    // The database is a setting of its own, an http or https address only.
    w->PageControl->setCurrentWidget(w->TS_Preferences);
    const auto type = [&](const QString& text, bool confirm) {
        w->Pref_ED_GeneDatabase->selectAll();
        QTest::keyClicks(w->Pref_ED_GeneDatabase, text);
        if (confirm) QTest::keyClick(w->Pref_ED_GeneDatabase, Qt::Key_Return);
    };
    type(QStringLiteral("http://genes.example"), true);
    w->MapView_PB1DblClick();
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_TRUE(opened[1].startsWith(QStringLiteral("http://genes.example/sites/entrez?")));
    {
        MessageCapture boxes;
        type(QStringLiteral("javascript:alert(1)"), true);
        ASSERT_EQ(boxes.shown.size(), 1u);
        EXPECT_EQ(boxes.shown[0].text,
                  QStringLiteral("\"javascript:alert(1)\" is not an http or https address.\n\n"
                                 "The gene database stays http://genes.example"));
    }
    EXPECT_EQ(w->Pref_ED_GeneDatabase->text(), QStringLiteral("http://genes.example"));
    w->MapView_PB1DblClick();
    ASSERT_EQ(opened.size(), 3u);
    EXPECT_TRUE(opened[2].startsWith(QStringLiteral("http://genes.example/sites/entrez?")));
    // Typed and left unconfirmed when the window closes, it is stored all the same.
    type(QStringLiteral("HTTPS://other.example"), false);
    w->close();
    RegKey key;
    ASSERT_TRUE(key.OpenKey(QStringLiteral("software\\JX-Quorbel\\"), false));
    EXPECT_EQ(key.ReadString(QStringLiteral("Gene database"), {}),
              QStringLiteral("HTTPS://other.example"));
}

TEST_F(MapInteractTest, CaptureCopiesTheMapPanelOnWhite) {
    ClearCGHDataSet(CGHData);
    // Two sets on chromosome 1 at 0.5: the first set's probes lie right of the centre in red.
    for (int h = 1; h <= 2; ++h) {
        tCGHProbeArray& a = CGHData.Hyb[size_t(h)].Chr[1];
        a.Resize(11);
        a.SetCount(10);
        for (int i = 1; i <= 10; ++i) {
            a.Set(1, i, 1);
            a.Set(2, i, 150.0f * i);
            a.Set(3, i, 150.0f * i + 100);
            a.Set(4, i, 0.5f);
        }
        CGHData.Hyb[size_t(h)].FileName = "set" + std::to_string(h);
        CGHData.Hyb[size_t(h)].Active = 1;
    }
    CGHData.HNum = 2;
    BumpDataVersion();
    QPalette green = w->MapView_Panel_Map->palette();
    green.setColor(QPalette::Window, Qt::green);
    w->MapView_Panel_Map->setPalette(green);
    w->POM_CGH_ViewClick();
    const QImage map = w->MapView_PB1->Image();
    ASSERT_GT(Count(map, kRed), 0);

    w->TB_CaptureClick();
    const QImage copy = QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(copy.size(), w->MapView_Panel_Map->size());
    EXPECT_EQ(QColor(copy.pixel(0, 0)), QColor(Qt::white));
    EXPECT_EQ(w->MapView_Panel_Map->palette().color(QPalette::Window), QColor(Qt::green));
    int reds = 0;
    for (int y = 0; y < map.height(); ++y)
        for (int x = 0; x < map.width(); ++x)
            if (QColor(map.pixel(x, y)) == kRed) reds += QColor(copy.pixel(x + 1, y + 1)) == kRed;
    EXPECT_GT(reds, 0);
    // The names box is part of the map: the copy holds the map as drawn.
    // The names box is drawn into the map, so the copy shows the map as drawn (within the frame).
    const QRect inner(0, 0, map.width() - 2, map.height() - 2);
    EXPECT_EQ(copy.copy(inner.translated(1, 1)),
              map.copy(inner).convertToFormat(QImage::Format_RGB32));

    for (int h = 1; h <= 2; ++h) CGHData.Hyb[size_t(h)].Chr[1].Clear();
    ClearCGHDataSet(CGHData);
}

TEST_F(MapInteractTest, AnIdeogramChoiceReplacesTheSettingOnlyOnceItIsRead) {
    const QString shipped = QStringLiteral(QB_TEST_DATA "/ideogram");
    const QString before = QStringLiteral("/old/place/ideogram;2,1,2,3,6,7,8,9,4,");
    w->IdeogramFile = before;
    w->Pref_CB_IdeogramFile->setEditText(before);
    std::vector<FileDialogRequest> asked;
    QString answer;
    const FileDialogHook previous = SetFileDialogHook([&](const FileDialogRequest& r) {
        asked.push_back(r);
        return answer;
    });
    // Columns as the dialog offers them, with the first row and chromosome column the user picks.
    const auto pick = [](int row, int chr) {
        return [row, chr](TdSelCol& d) {
            EXPECT_EQ(d.Mode, 4);
            EXPECT_EQ(d.EditColumns[3], 2);
            EXPECT_EQ(d.EditColumns[9], 10);
            d.FormShow();
            d.Edit(1)->setText(QString::number(row));
            d.Edit(2)->setText(QString::number(chr));
            d.Button_OKClick();
            return d.result();
        };
    };
    const int chromosomes = GenomeLayout.ChromosomeCount;

    w->Pref_BB_IdeogramSelectClick(); // no file chosen
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].caption, QStringLiteral("Load Ideogram data file"));
    EXPECT_EQ(asked[0].directory, QStringLiteral("/old/place/"));
    answer = shipped;
    {
        ModalAnswerer modal;
        modal.Expect<TdSelCol>([](TdSelCol& d) {
            d.Button_CancelClick();
            return d.result();
        });
        w->Pref_BB_IdeogramSelectClick();
    }
    EXPECT_EQ(w->IdeogramFile, before);
    {
        ModalAnswerer modal;
        modal.Expect<TdSelCol>(pick(0, 0)); // the reader refuses column 0
        MessageCapture boxes;
        w->Pref_BB_IdeogramSelectClick();
        ASSERT_EQ(boxes.shown.size(), 1u);
        EXPECT_TRUE(boxes.shown[0].text.startsWith(QStringLiteral("Could not load Ideogram")));
        EXPECT_EQ(boxes.shown[0].caption, QStringLiteral("Kelv"));
    }
    EXPECT_EQ(w->IdeogramFile, before);
    EXPECT_EQ(w->Pref_CB_IdeogramFile->currentText(), before);
    EXPECT_EQ(GenomeLayout.ChromosomeCount, chromosomes);
    {
        ModalAnswerer modal;
        modal.Expect<TdSelCol>(pick(2, 1));
        w->Pref_BB_IdeogramSelect->click();
    }
    const QString spec = shipped + QStringLiteral(";2,1,2,3,6,7,8,9,10,");
    EXPECT_EQ(w->IdeogramFile, spec);
    EXPECT_EQ(w->Pref_CB_IdeogramFile->currentText(), spec);
    EXPECT_EQ(GenomeLayout.ChromosomeCount, 24);
    // The grouping load, which sets nothing of its own, finds the dialog as the choice left it.
    answer.clear();
    w->POM_CGH_Grouping_Load->trigger();
    EXPECT_EQ(asked.back().caption, QStringLiteral("Load Ideogram data file"));
    EXPECT_EQ(asked.back().filter, QStringLiteral("NCBI ideogram (*)"));
    EXPECT_EQ(asked.back().directory, shipped);
    // The band table followed by bytes that are not text: refused by name, the ideogram kept.
    QTemporaryDir dir;
    const QString binary = dir.filePath(QStringLiteral("ideogram.bin"));
    ASSERT_TRUE(QFile::copy(shipped, binary));
    {
        QFile file(binary);
        ASSERT_TRUE(file.open(QIODevice::Append));
        for (int b = 0; b < 256; ++b) file.putChar(static_cast<char>(b));
    }
    const int bands = FeatureCount(FeatureLists[1]);
    answer = binary;
    {
        ModalAnswerer modal;
        modal.Expect<TdSelCol>(pick(2, 1));
        MessageCapture boxes;
        w->Pref_BB_IdeogramSelect->click();
        ASSERT_EQ(boxes.shown.size(), 1u);
        EXPECT_EQ(boxes.shown[0].text,
                  QStringLiteral("Could not load Ideogram data file\n\nFile \"") + binary +
                      QStringLiteral("\" is not a text file (it holds NUL bytes) !"));
    }
    EXPECT_EQ(w->IdeogramFile, spec);
    EXPECT_EQ(GenomeLayout.ChromosomeCount, 24);
    EXPECT_EQ(FeatureCount(FeatureLists[1]), bands);
    SetFileDialogHook(previous);
    w->close();
    RegKey key;
    ASSERT_TRUE(key.OpenKey(QStringLiteral("software\\JX-Quorbel\\"), false));
    EXPECT_EQ(key.ReadString(QStringLiteral("Ideogram data file"), {}), spec);
}

} // namespace

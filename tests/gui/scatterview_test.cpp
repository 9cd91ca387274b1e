#include "fcs_file_writer.h"
#include "guitest.h"
#include "inputdialog1.h"
#include "installviewers.h"
#include "plotviewers.h"
#include "registry.h"
#include "scatterview.h"
#include "windowregistry.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace {

// Points i = 1..n at (i, i), annotated "g<i>".
void FillDiagonal(TfScatterView& v, int n) {
    v.SetSeriesLength(1, n);
    ScatterSeries& s = v.Series[1];
    s.Annotations = {"GeneID"};
    for (int i = 1; i <= n; ++i) {
        s.Values[1][i] = float(i);
        s.Values[2][i] = float(i);
        s.Annotations.push_back("g" + std::to_string(i));
    }
    v.UpdateSeriesRange(1);
    v.Repaint();
}

std::vector<int> Marked(const TfScatterView& v) {
    std::vector<int> m;
    for (int i = 1; i <= v.Series[1].Count; ++i)
        if (v.Series[1].Flags[size_t(i)] > 0) m.push_back(i);
    return m;
}

QPoint PixelOf(TfScatterView& v, double x, double y) {
    v.Picture();
    return {int(std::lrint((x - v.AxisMinX) * v.ScaleX)),
            v.PaintBox2->height() - int(std::lrint((y - v.AxisMinY) * v.ScaleY))};
}

void Drag(TfScatterView& v, QPoint from, QPoint to, Qt::KeyboardModifiers mods = {}) {
    QTest::mousePress(v.PaintBox2, Qt::LeftButton, mods, from);
    QTest::mouseMove(v.PaintBox2, (from + to) / 2);
    QTest::mouseMove(v.PaintBox2, to);
    QTest::mouseRelease(v.PaintBox2, Qt::LeftButton, mods, to);
}

std::unique_ptr<TfScatterView> ShownViewer(int points) {
    auto v = std::make_unique<TfScatterView>();
    FillDiagonal(*v, points);
    v->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(v.get()));
    return v;
}

// A window of another kind whose caption names the viewers: it records the lists it receives.
struct ListWindow : QWidget, ToolMessageTarget, ListMessageTarget {
    ListWindow() {
        setWindowTitle(QStringLiteral("ScatterView listener"));
        WindowRegistry::Add(this, Handle());
    }
    std::vector<std::pair<int, std::vector<int32_t>>> lists;
    intptr_t ToolMessage(int, intptr_t) override { return 0; }
    intptr_t ListMessage(int kind, WindowHandle, std::span<const int32_t> list) override {
        lists.emplace_back(kind, std::vector<int32_t>(list.begin(), list.end()));
        return 0;
    }
};

TEST(ScatterView, SettingsKeepShapeAndTenFinds) {
    const QString key = QStringLiteral("software\\ScatterTest");
    {
        TfScatterView v;
        v.RegistryKey = key;
        v.Pref_Sel_RhombeClick();
        for (int i = 1; i <= 12; ++i) v.FindHistory.append(QStringLiteral("q%1").arg(i));
        v.FormClose();
    }
    RegKey stored;
    ASSERT_TRUE(stored.OpenKey(key + QStringLiteral("\\2-D_Scatterplot"), false));
    EXPECT_EQ(stored.ReadString(QStringLiteral("Selection object"), QString()),
              QStringLiteral("Rhombus"));
    EXPECT_EQ(stored.ReadString(QStringLiteral("Find 10"), QString()), QStringLiteral("q10"));
    EXPECT_FALSE(stored.ValueExists(QStringLiteral("Find 11")));
    TfScatterView back;
    back.RegistryKey = key;
    back.ShowGeneListMenu = 1;
    back.FormShow();
    EXPECT_EQ(back.SelectionShape, 2);
    EXPECT_TRUE(back.Pref_Sel_Rhombe->isChecked());
    EXPECT_FALSE(back.Pref_Sel_Rect->isChecked());
    EXPECT_EQ(back.FindHistory.size(), 10);
    EXPECT_TRUE(back.Edit_SelectionKelvGenelist->isVisible());
}

TEST(ScatterView, MinMaxTakesFiniteNumbersOnly) {
    TfScatterView v;
    FillDiagonal(v, 3);
    ModalAnswerer answers;
    MessageCapture messages;
    for (const char* text : {"-5.5", "1e39", "abc"}) {
        answers.Expect<TInputDialog1>([text](TInputDialog1& d) {
            EXPECT_EQ(d.Caption, QStringLiteral("Set new Min / Max value"));
            d.FormShow();
            d.CB->setCurrentText(QString::fromLatin1(text));
            d.Button_OKClick();
            return int(QDialog::Accepted);
        });
        v.Pref_Scale_MinMaxClick(1);
    }
    EXPECT_EQ(v.RangeMinX, -5.5f);
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[1].text, QStringLiteral("\"abc\" is not a number."));
    answers.Expect<TInputDialog1>([](TInputDialog1& d) {
        d.FormShow();
        d.CB->setCurrentText(QStringLiteral("42,5")); // a decimal comma
        d.Button_OKClick();
        return int(QDialog::Accepted);
    });
    v.Pref_Scale_MaxY->trigger(); // "Max-&Y" acts
    EXPECT_EQ(v.RangeMaxY, 42.5f);
}

TEST(ScatterView, AxesOfLargeValuesStartAtTheData) {
    TfScatterView v;
    QApplication::clipboard()->setText(QStringLiteral("1e10\t2e10\r\n3.3e10\t3e10\r\n"));
    v.Edit_PasteXY->trigger();
    v.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&v));
    v.PaintBox1->grab();
    EXPECT_EQ(v.AxisMinX, 1e10f);
    EXPECT_EQ(v.AxisMaxX, 3.3e10f);
    EXPECT_EQ(v.AxisMinY, 2e10f);
}

TEST(ScatterView, LogAxesFollowSwappedData) {
    TfScatterView v;
    QApplication::clipboard()->setText(QStringLiteral("10\t1000\r\n100000\t100000\r\n"));
    v.Edit_PasteXY->trigger();
    v.Pref_Scaling_LogX->trigger();
    v.Pref_Scaling_LogY->trigger();
    v.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&v));
    // The corner of the point at log10 values (x, y) on axes of 0..5.
    const auto drawn = [&v](double x, double y) {
        const QImage page = v.PaintBox1->grab().toImage();
        const QSize plot = v.PaintBox2->size();
        const QPoint corner(int(std::lrint(x * plot.width() / 5)) - 2,
                            plot.height() - int(std::lrint(y * plot.height() / 5)) - 2);
        return page.pixel(v.PaintBox2->pos() + corner) == qRgb(0, 0, 0);
    };
    EXPECT_TRUE(drawn(1, 3));
    EXPECT_FALSE(drawn(3, 1));
    v.Util_SwapAxes->trigger();
    EXPECT_TRUE(drawn(3, 1));
    EXPECT_FALSE(drawn(1, 3));
}

TEST(ScatterView, DragsSelectRectanglesAndRhombi) {
    auto v = ShownViewer(9);
    MessageCapture none;
    const QPoint a = PixelOf(*v, 2.5, 2.5), b = PixelOf(*v, 5.5, 5.5);
    // While the button is held the band is inverted over the picture, which stays as it was.
    QTest::mousePress(v->PaintBox2, Qt::LeftButton, {}, b);
    QTest::mouseMove(v->PaintBox2, a);
    const QImage before = v->Picture();
    const QImage shown = v->PaintBox1->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QPoint edge = v->PaintBox2->pos() + QPoint((a.x() + b.x()) / 2, a.y());
    EXPECT_EQ(shown.pixel(edge), before.pixel(edge) ^ 0x00FFFFFFu);
    EXPECT_EQ(v->Picture().cacheKey(), before.cacheKey());
    QTest::mouseRelease(v->PaintBox2, Qt::LeftButton, {}, a);
    Drag(*v, b, a); // lower right to upper left ...
    EXPECT_EQ(Marked(*v), (std::vector<int>{3, 4, 5}));
    Drag(*v, a, b); // ... selects as the other way
    EXPECT_EQ(Marked(*v), (std::vector<int>{3, 4, 5}));
    EXPECT_TRUE(v->Log_Memo->toPlainText().endsWith(QStringLiteral("5\tg5;\n3 genes found.")));
    Drag(*v, PixelOf(*v, 7.5, 7.5), PixelOf(*v, 8.5, 8.5), Qt::ControlModifier);
    EXPECT_EQ(Marked(*v), (std::vector<int>{3, 4, 5, 8}));
    Drag(*v, QPoint(0, b.y()), a); // a drag from the left edge does nothing
    EXPECT_EQ(Marked(*v), (std::vector<int>{3, 4, 5, 8}));
    Drag(*v, PixelOf(*v, 1.2, 1.5), PixelOf(*v, 1.8, 1.9)); // nothing inside
    EXPECT_TRUE(Marked(*v).empty());

    // Points (i, 10 - i); the rhombus from (2, 4) to (8, 5) holds 0.5 <= x/y <= 1.6 and
    // 8 <= x*y <= 40.
    v->Pref_Sel_RhombeClick();
    for (int i = 1; i <= 9; ++i) v->Series[1].Values[2][size_t(i)] = float(10 - i);
    v->UpdateSeriesRange(1);
    v->Repaint();
    Drag(*v, PixelOf(*v, 2, 4), PixelOf(*v, 8, 5));
    EXPECT_EQ(Marked(*v), (std::vector<int>{4, 5, 6}));
}

TEST(ScatterView, SelectionsReachTheOtherViewers) {
    auto a = ShownViewer(5);
    auto b = ShownViewer(3); // a viewer of other data: indices beyond 3 are ignored
    ListWindow listener;
    a->Pref_Sel_UpdateAllClick();
    EXPECT_TRUE(b->Pref_Sel_UpdateAll->isChecked()); // code 200 while shown

    MessageCapture messages;
    a->Query = QStringLiteral("g2 g5");
    a->SearchAnnotation();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].caption, QStringLiteral("JX-Pelva"));
    EXPECT_EQ(Marked(*b), (std::vector<int>{2}));
    ASSERT_EQ(listener.lists.size(), 1u); // b passes nothing on
    EXPECT_EQ(listener.lists[0], (std::pair<int, std::vector<int32_t>>{1, {2, 2, 5}}));

    const std::vector<int32_t> shortList = {5, 1, 3};
    ToolBus::SendList(b->Handle(), 1, a->Handle(), shortList); // count beyond the list
    EXPECT_EQ(Marked(*b), (std::vector<int>{1, 3}));
    const std::vector<int32_t> negative = {-2, 1};
    ToolBus::SendList(b->Handle(), 1, a->Handle(), negative);
    EXPECT_TRUE(Marked(*b).empty());

    a->GeneListHandle = listener.Handle();
    a->Edit_SelectionKelvGenelistClick();
    ASSERT_EQ(listener.lists.size(), 2u);
    EXPECT_EQ(listener.lists[1], (std::pair<int, std::vector<int32_t>>{10, {2, 2, 5}}));

    b->hide();
    a->Pref_Sel_UpdateAllClick(); // unticks a; the hidden b keeps its tick
    EXPECT_FALSE(a->Pref_Sel_UpdateAll->isChecked());
    EXPECT_TRUE(b->Pref_Sel_UpdateAll->isChecked());
}

TEST(ScatterView, FindAsksAndRemembersQueries) {
    auto v = ShownViewer(4);
    ModalAnswerer answers;
    MessageCapture messages;
    answers.Expect<TInputDialog1>([](TInputDialog1& d) {
        EXPECT_EQ(d.Caption, QStringLiteral("JX-Pelva - Search Annotation"));
        EXPECT_TRUE(d.HelpText.endsWith(QStringLiteral("Annnotation search V1.1 from 21.04.2007")));
        d.FormShow();
        d.CB->setCurrentText(QStringLiteral("\\c G"));
        d.Button_OKClick();
        return int(QDialog::Accepted);
    });
    v->Edit_Find->trigger();
    EXPECT_EQ(Marked(*v), (std::vector<int>{1, 2, 3, 4}));
    v->Series[1].Flags.assign(v->Series[1].Flags.size(), 0);
    v->Findagain1Click();
    EXPECT_EQ(Marked(*v).size(), 4u);
    EXPECT_EQ(v->FindHistory, QStringList{QStringLiteral("\\c G")});
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_TRUE(messages.shown[1].text.startsWith(QStringLiteral("Searching for")));
    v->Copyselected1Click();
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("g1\r\ng2\r\ng3\r\ng4\r\n"));
    EXPECT_TRUE(v->Log_Memo->toPlainText().endsWith(QStringLiteral("g4\n4 genes.")));
}

TEST(ScatterView, WindowMenuArrangesAndClosesTheViewers) {
    std::vector<std::unique_ptr<TfScatterView>> views;
    for (int i = 0; i < 3; ++i) views.push_back(ShownViewer(2));
    const QRect area = views[0]->screen()->availableGeometry();
    views[1]->Window_ArrangeClick(2);
    for (int k = 0; k < 3; ++k)
        EXPECT_EQ(views[size_t(k)]->pos(), area.topLeft() + QPoint(50 * k, 25 * k)) << k;
    views[0]->Window_ArrangeClick(1);
    EXPECT_EQ(views[0]->pos(), area.topLeft());
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_TRUE(area.contains(views[i]->frameGeometry())) << i;
        for (size_t j = i + 1; j < 3; ++j)
            EXPECT_FALSE(views[i]->frameGeometry().intersects(views[j]->frameGeometry()));
    }
    views[2]->Window_ArrangeClick(3);
    for (const auto& v : views) EXPECT_FALSE(v->isVisible());
}

TEST(ScatterView, FcsImportFillsSeriesOneOrLeavesIt) {
    QTemporaryDir dir;
    const auto put = [&](const QString& name, const std::string& bytes) {
        QFile f(dir.filePath(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes.data(), qint64(bytes.size()));
        return dir.filePath(name);
    };
    FcsFileSpec wide;
    wide.keywords = fcsfile::FixedLayoutKeywords(3);
    wide.keywords[3].second = "8"; // $PAR
    wide.data = fcsfile::Words({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15});
    FcsFileSpec good = wide;
    good.keywords = fcsfile::FixedLayoutKeywords(3);
    TfScatterView v;
    FillDiagonal(v, 4);
    FileDialogAnswerer files(
        {put("wide.fcs", fcsfile::Build(wide)), put("good.fcs", fcsfile::Build(good))});
    MessageCapture messages;
    v.File_Import_FCS_20Click();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].caption, QStringLiteral("Import FCS 2.0"));
    EXPECT_EQ(messages.shown[0].icon, MsgIcon::Stop);
    EXPECT_TRUE(messages.shown[0].text.startsWith(QStringLiteral("Invalid file format\n\n$PAR")));
    EXPECT_EQ(v.Series[1].Count, 4);
    EXPECT_EQ(v.Series[1].Annotations[1], "g1");

    v.File_Import_FCS_20Click();
    EXPECT_EQ(files.requests[1].caption, QStringLiteral("Select FCS 2.0 formatted data file"));
    EXPECT_EQ(v.Series[1].Count, 3);
    EXPECT_EQ(v.Series[1].Values[1][3], 11.0f);
    EXPECT_EQ(v.Series[1].Values[2][3], 12.0f);
    EXPECT_EQ(v.RangeMaxY, 12.0f);
    EXPECT_TRUE(v.Log_Memo->toPlainText().endsWith(QStringLiteral("\n14\n15")));
}

TEST(ScatterView, FcsImportRefusesOffsetsThatAreNoNumbersAndOtherVersions) {
    QTemporaryDir dir;
    std::string blank = fcsfile::FixedLayoutFile(3), other = blank;
    blank.replace(26, 16, "        --------"); // DATA start and end
    other.replace(0, 6, "FCS3.0");
    TfScatterView v;
    FillDiagonal(v, 4);
    FileDialogAnswerer files(
        {WriteFile(QDir(dir.path()), QStringLiteral("blank.fcs"), QByteArray::fromStdString(blank)),
         WriteFile(QDir(dir.path()), QStringLiteral("v3.fcs"), QByteArray::fromStdString(other))});
    MessageCapture messages;
    v.File_Import_FCS_20Click();
    v.File_Import_FCS_20Click();
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_TRUE(messages.shown[0].text.startsWith(QStringLiteral("Invalid file format\n\n")));
    EXPECT_TRUE(messages.shown[0].text.contains(QStringLiteral("DATA start")));
    EXPECT_TRUE(messages.shown[1].text.contains(QStringLiteral("only FCS 2.0 files")));
    EXPECT_EQ(v.Series[1].Count, 4);
    EXPECT_EQ(v.Series[1].Annotations[1], "g1");
}

TEST(ScatterView, PlotRequestOpensAFilledViewer) {
    InstallPlotViewers();
    ScatterPlotRequest request;
    request.Mode = 1001;
    request.Title = QStringLiteral("Caption");
    request.XLabel = QStringLiteral("cond A");
    request.YLabel = QStringLiteral("cond B");
    request.X = {1, 2, 3};
    request.Y = {-1, 0.5f, 2};
    request.Annotations = {QStringLiteral("GeneID"), QStringLiteral("a"), QStringLiteral("b"),
                           QStringLiteral("c")};
    RequestScatterPlot(nullptr, request);
    const auto found = WindowRegistry::Find(QStringLiteral("TfScatterView"), true);
    ASSERT_EQ(found.size(), 1u);
    QPointer<TfScatterView> v = qobject_cast<TfScatterView*>(found[0].window);
    ASSERT_TRUE(v);
    EXPECT_EQ(v->Title, QStringLiteral("Caption"));
    EXPECT_EQ(v->PlotKind, 2);
    EXPECT_EQ(v->Series[1].Count, 3);
    EXPECT_EQ(v->Series[1].Values[2][1], -1.0f);
    EXPECT_EQ(v->Series[1].Annotations[3], "c");
    EXPECT_EQ(v->Series[1].XLabel, "cond A");
    EXPECT_EQ(v->RangeMinY, -1.0f);
    EXPECT_TRUE(v->Pref_Scaling_LogX->isChecked());
    EXPECT_FALSE(v->Pref_Scaling_LogY->isChecked());
    v->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(v.isNull());
    PlotViewers() = {};
}

} // namespace

#include "cghmatrixfile.h"
#include "grouptests.h"
#include "guitest.h"
#include "pdist.h"

#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QLineSeries>
#include <QSlider>
#include <QTableWidget>
#include <QTest>
#include <QValueAxis>
#include <gtest/gtest.h>

namespace {

// Opens the window as the main window's alpha command does.
std::unique_ptr<TPDist> Open(WindowHandle owner, const std::vector<int>& histogram = {}) {
    auto w = std::make_unique<TPDist>();
    w->OwnerHandle = owner;
    w->NotifyMessage = WM_TOOL_COMMAND;
    w->NotifyCode = 2000;
    w->setWindowTitle(QStringLiteral("CGH group testing - p-Distribution"));
    QLineSeries* s = w->AddSeries(QStringLiteral("Distribution"), Qt::red);
    for (int b = 0; b < static_cast<int>(histogram.size()); ++b) s->append(b / 100.0, histogram[b]);
    w->show();
    return w;
}

TEST(PDist, OpensAtTheDefaultCriticalP) {
    auto w = Open(0);
    EXPECT_EQ(w->CB_pValue->currentText(), QStringLiteral("0.010000000000000"));
    EXPECT_GE(w->CB_pValue->lineEdit()->width(),
              w->CB_pValue->fontMetrics().horizontalAdvance(w->CB_pValue->currentText()));
    EXPECT_EQ(w->TB_pValue->value(), 200);
    const auto series = w->ChartSeries();
    ASSERT_EQ(series.size(), 5);
    EXPECT_DOUBLE_EQ(series[1]->at(0).x(), 2.0);
    EXPECT_DOUBLE_EQ(series[1]->at(1).y(), 10.0);
    EXPECT_EQ(series[2]->count(), 1013);
}

TEST(PDist, TrackBarMovesTheMarkerAndSendsNothing) {
    ToolMessageRecorder owner;
    auto w = Open(owner.Handle());
    w->TB_pValue->setFocus();
    w->TB_pValue->setValue(130); // as a drag would
    EXPECT_TRUE(w->CB_pValue->currentText().startsWith(QStringLiteral("0.0501187")));
    EXPECT_EQ(w->CB_pValue->currentText().size(), 17);
    EXPECT_NEAR(w->ChartSeries()[1]->at(0).x(), 1.3, 1e-12);
    EXPECT_TRUE(owner.got.empty());

    w->SG1Click(1, 1);
    ASSERT_EQ(owner.got.size(), 1u);
    EXPECT_EQ(owner.got[0], (std::pair<int, intptr_t>{2000, 130}));
    EXPECT_NEAR(w->CriticalP, 0.0501187, 1e-6);
}

TEST(PDist, ComboChoiceMovesTheTrackBarWithoutRewritingTheText) {
    auto w = Open(0);
    w->CB_pValue->setCurrentIndex(3);
    emit w->CB_pValue->activated(3);
    EXPECT_EQ(w->CB_pValue->currentText(), QStringLiteral("0.001"));
    EXPECT_EQ(w->TB_pValue->value(), 300);

    w->CB_pValue->lineEdit()->clear();
    QTest::keyClicks(w->CB_pValue->lineEdit(), QStringLiteral("abc"));
    EXPECT_EQ(w->TB_pValue->value(), 0);
    EXPECT_EQ(w->CB_pValue->currentText(), QStringLiteral("abc"));
    w->CB_pValue->lineEdit()->clear();
    QTest::keyClicks(w->CB_pValue->lineEdit(), QStringLiteral("1e-30"));
    EXPECT_EQ(w->TB_pValue->value(), 1000);
    w->CB_pValue->lineEdit()->clear();
    QTest::keyClicks(w->CB_pValue->lineEdit(), QStringLiteral("1e-50")); // below the single range
    EXPECT_EQ(w->TB_pValue->value(), 1000);
    const auto typed = [&w](const char* text) {
        w->TB_pValue->setValue(500);
        w->CB_pValue->lineEdit()->clear();
        QTest::keyClicks(w->CB_pValue->lineEdit(), QString::fromLatin1(text));
        return w->TB_pValue->value();
    };
    EXPECT_EQ(typed("1e-400"), 1000); // below the double range: still the strictest
    EXPECT_EQ(typed("0"), 0);
    EXPECT_EQ(typed("-1e-400"), 0);
    EXPECT_EQ(typed("0,05"), typed("0.05"));
    EXPECT_EQ(typed("0.05"), 130);
    EXPECT_EQ(typed("1,5e-3"), 282);
}

TEST(PDist, GridClickWithoutOwnerOnlySetsTheCriticalP) {
    auto w = Open(0);
    w->TB_pValue->setValue(300);
    w->SG1Click(1, 2);
    EXPECT_FLOAT_EQ(w->CriticalP, 0.01f);
    w->SG1Click(0, 1);
    EXPECT_NEAR(w->CriticalP, 0.001, 1e-9);
}

TEST(PDist, CountsTheDistributionBeyondTheThreshold) {
    std::vector<int> histogram(1001, 0);
    histogram[50] = 7;
    histogram[250] = 3;
    histogram[1000] = 2;
    auto w = Open(0, histogram);
    EXPECT_EQ(w->SG1->item(1, 1)->text(), QStringLiteral("5"));
    w->TB_pValue->setValue(40);
    EXPECT_EQ(w->SG1->item(1, 1)->text(), QStringLiteral("12"));
}

// The distribution of a two-group test of the demo data, opened as the alpha command does.
TEST(PDist, TheAxesShowTheWholeDistributionOfATestAndItsMarker) {
    auto data = std::make_unique<tCGH_DataSet>();
    const QString demo = QCoreApplication::applicationDirPath() + QStringLiteral("/data/demo.cgm");
    const CGHMatrixLoad load = LoadCGHMatrixDataSet(*data, demo.toStdString(), nullptr);
    ASSERT_TRUE(load.ok) << load.error;
    auto stat = std::make_unique<tStat>();
    stat->GroupCount = 2;
    stat->GroupText[1] = "1,3,5";
    stat->GroupText[2] = "2,4,6";
    stat->Alpha = 0.01f;
    ASSERT_EQ(CGHGroupTest(*stat, *data), "");

    TPDist w;
    w.MarkerHeight = stat->HistogramMax;
    w.CriticalP = stat->Alpha;
    QLineSeries* s = w.AddSeries(QStringLiteral("Distribution"), Qt::red);
    for (int b = 0; b < kHistogramBins; ++b) s->append(b / 100.0, stat->Histogram[b]);
    w.show();
    QApplication::processEvents();

    const auto* x = qobject_cast<QValueAxis*>(w.Chart()->axes(Qt::Horizontal)[0]);
    const auto* y = qobject_cast<QValueAxis*>(w.Chart()->axes(Qt::Vertical)[0]);
    EXPECT_LE(x->min(), 0.0);
    EXPECT_GE(x->max(), 10.0);
    EXPECT_EQ(y->min(), 0.0);
    EXPECT_GE(y->max(), stat->HistogramMax);
    EXPECT_LE(y->max(), 1.5 * stat->HistogramMax);

    // Every point of the curve and the marker lies in the plot, and both are drawn.
    QChartView& view = *w.Chart1;
    const auto onView = [&](QPointF value, QLineSeries* series) {
        return view.mapFromScene(w.Chart()->mapToScene(w.Chart()->mapToPosition(value, series)));
    };
    const QRect plot = view.mapFromScene(w.Chart()->mapToScene(w.Chart()->plotArea()))
                           .boundingRect()
                           .adjusted(-1, -1, 1, 1);
    int outside = 0;
    for (const QPointF& p : s->points()) outside += !plot.contains(onView(p, s));
    EXPECT_EQ(outside, 0);
    QLineSeries* marker = w.ChartSeries()[1];
    const QPoint markerTop = onView(marker->at(1), marker);
    EXPECT_TRUE(plot.contains(markerTop));
    EXPECT_TRUE(plot.contains(onView(marker->at(0), marker)));

    const QImage image = view.grab().toImage();
    int red = 0, black = 0;
    for (int py = 0; py < image.height(); ++py)
        for (int px = 0; px < image.width(); ++px) red += QColor(image.pixel(px, py)) == Qt::red;
    for (int py = plot.top(); py <= plot.bottom(); ++py)
        for (int px = markerTop.x() - 1; px <= markerTop.x() + 1; ++px)
            black += QColor(image.pixel(px, py)) == Qt::black;
    EXPECT_GT(red, 200);
    EXPECT_GT(black, plot.height() / 2);
}

} // namespace

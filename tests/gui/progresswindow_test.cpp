#include "core/testfiles.h"
#include "featureextraction.h"
#include "progresswindow.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>

namespace {

TEST(ProgressWindow, LaysOutBarsAndCancelButton) {
    TCluster_Progress w;
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Clustering Progress"));
    EXPECT_EQ(w.BarCount, 0);
    EXPECT_EQ(w.CancelFlag, 0);
    EXPECT_EQ(w.ShowCancel, 1);
    EXPECT_EQ(w.ProgressBar2->maximum(), 10);

    w.BarCount = 1;
    w.show();
    EXPECT_EQ(w.width(), 492);
    EXPECT_EQ(w.height(), 100);
    EXPECT_EQ(w.GroupBox1->height(), 65);
    EXPECT_TRUE(w.Label1->isVisible());
    EXPECT_TRUE(w.ProgressBar1->isVisible());
    EXPECT_FALSE(w.ProgressBar2->isVisible());
    EXPECT_TRUE(w.Button_Cancel->isVisible());
    w.Finish();

    w.BarCount = 2;
    w.ShowCancel = 0;
    w.show();
    EXPECT_EQ(w.height(), 118);
    EXPECT_EQ(w.GroupBox1->height(), 113);
    EXPECT_TRUE(w.Label2->isVisible());
    EXPECT_TRUE(w.ProgressBar2->isVisible());
    EXPECT_FALSE(w.Button_Cancel->isVisible());
    EXPECT_GE(w.ProgressBar2->geometry().bottom(), w.ProgressBar1->geometry().bottom());
    EXPECT_LE(w.ProgressBar2->geometry().bottom(), w.GroupBox1->height());
    w.Finish();

    w.BarCount = 0;
    w.ShowCancel = 1;
    w.show();
    EXPECT_EQ(w.height(), 100);
    EXPECT_FALSE(w.ProgressBar1->isVisible());
    EXPECT_LE(w.Button_Cancel->geometry().bottom() + w.Panel1->y(), w.height());
}

TEST(ProgressWindow, ClosesOnlyOnCodeZeroWith9999) {
    TCluster_Progress w;
    w.show();
    ASSERT_TRUE(w.isVisible());
    ToolBus::Send(w.Handle(), 1, 9999);
    ToolBus::Send(w.Handle(), 0, 1);
    EXPECT_TRUE(w.isVisible());
    ToolBus::Send(w.Handle(), 0, 9999);
    EXPECT_FALSE(w.isVisible());
}

TEST(ProgressWindow, CancelSetsTheFlagTheSinkReports) {
    TCluster_Progress w;
    w.BarCount = 1;
    w.show();
    EXPECT_EQ(w.windowModality(), Qt::ApplicationModal);
    EXPECT_EQ(QApplication::activeModalWidget(), &w);
    ProgressWindowSink sink(w);
    EXPECT_FALSE(sink.Cancelled());
    QTest::mouseClick(w.Button_Cancel, Qt::LeftButton);
    EXPECT_EQ(w.CancelFlag, -1);
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(sink.Cancelled());
}

TEST(ProgressWindow, SinkDrivesTheFirstBarAndThrottlesPumping) {
    TCluster_Progress w;
    w.BarCount = 1;
    w.show();
    ProgressWindowSink sink(w, 60000);
    sink.SetMaximum(1000);
    sink.SetPosition(250);
    EXPECT_EQ(w.ProgressBar1->maximum(), 1000);
    EXPECT_EQ(w.ProgressBar1->value(), 250);

    int fired = 0;
    QTimer::singleShot(0, [&] { ++fired; });
    sink.Pump(); // the first pump always runs
    EXPECT_EQ(fired, 1);
    QTimer::singleShot(0, [&] { ++fired; });
    sink.Pump(); // within the interval: nothing is handled
    EXPECT_EQ(fired, 1);
    QCoreApplication::processEvents();
}

TEST(ProgressWindow, CancelDuringALoadLeavesTheSlotEmpty) {
    const std::string path = TestPath("progress_features.txt");
    {
        std::ofstream out(path, std::ios::binary);
        for (int i = 0; i < 1000; ++i)
            out << "DATA\t1\t2\t3\t4\t5\t6\t0\tS\tP" << i << "\tchr5:" << i << "-" << i + 1
                << "\tD\t12\t13\t0.5\r\n";
    }
    auto data = std::make_unique<tCGH_DataSet>();
    data->Hyb[1].FileName = path;
    TCluster_Progress w;
    w.BarCount = 1;
    w.show();
    ProgressWindowSink sink(w);
    QTimer::singleShot(0, [&] { QTest::mouseClick(w.Button_Cancel, Qt::LeftButton); });
    std::string error;
    EXPECT_FALSE(LoadAgilentFeatureFile(*data, 1, nullptr, &sink, error));
    EXPECT_EQ(error, kLoadCancelled);
    EXPECT_EQ(data->Hyb[1].Chr[5].Count(), 0);
    EXPECT_EQ(data->Hyb[1].Active, 0);

    w.CancelFlag = 0;
    EXPECT_TRUE(LoadAgilentFeatureFile(*data, 1, nullptr, &sink, error)) << error;
    EXPECT_EQ(data->Hyb[1].Chr[5].Count(), 1000);
    EXPECT_EQ(w.ProgressBar1->value(), w.ProgressBar1->maximum());
}

} // namespace

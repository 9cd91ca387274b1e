// The viewers' file loads against what is not an ordinary file of ordinary size: pipes and
// devices, and files larger than the memory left.
#include "addresslimit.h"
#include "cloudplot.h"
#include "imageview.h"
#include "profileeditor.h"
#include "scat3dtest.h"
#include "scatterview.h"

#include <QFile>
#include <QTemporaryDir>

namespace {

using ViewerFiles = Scat3DWindowTest;

// A file of `size` bytes that begins with `head` and takes no room on disk.
QString SparseFile(const QTemporaryDir& dir, const QString& name, const QByteArray& head,
                   qint64 size) {
    const QString path = WriteFile(QDir(dir.path()), name, head);
    EXPECT_TRUE(QFile::resize(path, size));
    return path;
}

TEST_F(ViewerFiles, DevicesAreRefusedAndPicturesTellTheirKindFirst) {
    TScatPlot_3D plot;
    Fill(plot.Series, 6);
    TCloudPlot chart;
    PasteSingleGroup(chart.Data, 0, "1\t2", "kept");
    TfPatternTemplate profile;
    profile.SetChannelCount(3);
    MessageCapture messages(MsgResult::Yes);
    plot.LoadSixSeries(QStringLiteral("/dev/null"));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].text.startsWith(QStringLiteral("Could not open /dev/null")));
    EXPECT_EQ(plot.Series.PointCount, 3);
    {
        FileDialogAnswerer files({QStringLiteral("/dev/null")});
        chart.File_OpenClick();
    }
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[1].icon, MsgIcon::Stop);
    EXPECT_EQ(chart.Data.Groups[1].Name, "kept");
    profile.LoadProfileFile(QStringLiteral("/dev/zero"));
    ASSERT_EQ(messages.shown.size(), 3u); // the refusal, not the channel-count question
    EXPECT_EQ(messages.shown[2].icon, MsgIcon::Warning);
    EXPECT_TRUE(messages.shown[2].text.contains(QStringLiteral("/dev/zero")));

    // A picture of another kind is refused by its first bytes, not after reading it whole.
    if (!kAddressLimitWorks) return;
    QTemporaryDir dir;
    const QString big = SparseFile(dir, QStringLiteral("big.png"), "GIF89a", qint64(4) << 30);
    TImageView view;
    {
        AddressSpaceLimit limit(size_t(256) << 20);
        ASSERT_TRUE(limit.set);
        EXPECT_FALSE(view.LoadImage(2, big));
    }
    ASSERT_EQ(messages.shown.size(), 4u);
    EXPECT_TRUE(messages.shown[3].text.endsWith(QStringLiteral("not a PNG file")));
}

TEST_F(ViewerFiles, LargeFilesLoadWithinMemoryOrLeaveTheDataWithTheLoadsMessage) {
    if (!kAddressLimitWorks) GTEST_SKIP() << "no address-space limit under the address sanitizer";
    QTemporaryDir dir;
    const QDir folder(dir.path());
    const qint64 huge = qint64(4) << 30;
    const QString blank =
        WriteFile(folder, QStringLiteral("blank.txt"), QByteArray(32 << 20, '\n'));
    const QString text = SparseFile(dir, QStringLiteral("huge.txt"), {}, huge);
    const QString png = SparseFile(dir, QStringLiteral("huge.png"), "\x89PNG\r\n\x1a\n", huge);
    QImage picture(20, 10, QImage::Format_RGB32);
    picture.fill(Qt::white);
    const QString small = folder.filePath(QStringLiteral("small.png"));
    picture.save(small, "PNG");
    picture.save(folder.filePath(QStringLiteral("mapped.png")), "PNG");
    SparseFile(dir, QStringLiteral("mapped.html"), {}, huge);
    const QString fcs = SparseFile(dir, QStringLiteral("huge.fcs"), "FCS2.0    ", huge);
    TfScatterView scatter;
    scatter.Demodata1Click();
    TScatPlot_3D plot;
    Fill(plot.Series, 6);
    TCloudPlot chart;
    PasteSingleGroup(chart.Data, 0, "1\t2", "kept");
    TImageView view;
    ASSERT_TRUE(view.LoadImage(2, small));
    MessageCapture messages;
    FileDialogAnswerer files({text, fcs});
    {
        AddressSpaceLimit limit(size_t(400) << 20);
        ASSERT_TRUE(limit.set);
        plot.LoadSingleSeries(1, blank); // 32 million blank lines: as many zeros
        plot.LoadSixSeries(text);
        chart.File_OpenClick();
        view.LoadImage(2, png);
        view.LoadImage(2, folder.filePath(QStringLiteral("mapped.png")));
        plot.ImportFCS(fcs);
        scatter.File_Import_FCS_20Click();
    }
    EXPECT_EQ(PlotSeries[1].Count, 32 << 20);
    ASSERT_EQ(messages.shown.size(), 6u);
    EXPECT_EQ(messages.shown[0].text,
              QStringLiteral("Could not open ") + text + QStringLiteral("\nI/O-error=12"));
    EXPECT_EQ(plot.Series.PointCount, 32 << 20);
    EXPECT_EQ(PlotSeries[6].Count, 3);
    EXPECT_TRUE(messages.shown[1].text.contains(text));
    EXPECT_EQ(chart.Data.Groups[1].Name, "kept");
    for (size_t i = 2; i < 6; ++i) EXPECT_EQ(messages.shown[i].icon, MsgIcon::Stop);
    EXPECT_EQ(view.FileName, small);
    EXPECT_EQ(view.Picture.size(), QSize(20, 10));
    for (size_t i = 4; i < 6; ++i)
        EXPECT_EQ(messages.shown[i].text, QStringLiteral("Could not read ") + fcs +
                                              QStringLiteral("\n\nCannot allocate memory"));
    EXPECT_EQ(PlotSeries[5].Count, 3);
    EXPECT_EQ(scatter.Series[1].Count, 100000);
}

} // namespace

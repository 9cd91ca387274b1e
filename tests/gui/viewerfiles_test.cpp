// The viewers' file loads against what is not an ordinary file of ordinary size: pipes and
// devices, and files larger than the memory left.
#include "addresslimit.h"
#include "cloudplot.h"
#include "imageview.h"
#include "profileeditor.h"
#include "scat3dtest.h"

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

} // namespace

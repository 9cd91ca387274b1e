#include "cloudplot.h"
#include "guitest.h"
#include "inputdialog.h"
#include "registry.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <cmath>
#include <fstream>

namespace {

const QString kKey = QStringLiteral("JX_DotChart");
const QSize kSize(620, 400);

// Rows of the chart below the plot area that hold anything but white, in the column band
// around x.
std::vector<int> InkedRowsBelowPlot(const QImage& image, int x) {
    std::vector<int> rows;
    const QRect plot = DotChartPlotArea(image.size());
    for (int y = plot.bottom() + 12; y < image.height(); ++y)
        for (int dx = -30; dx <= 30; ++dx)
            if (image.pixel(x + dx, y) != 0xFFFFFFFFu) {
                rows.push_back(y);
                break;
            }
    return rows;
}

int InkInside(const QImage& image, const QRect& r) {
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) n += image.pixel(x, y) != 0xFFFFFFFFu;
    return n;
}

class CloudPlotTest : public ::testing::Test {
  protected:
    void SetUp() override { Registry::DeleteKey(kKey); }
    void TearDown() override { Registry::DeleteKey(kKey); }
};

TEST_F(CloudPlotTest, DemoChartAndTwoLineNamesAreDrawn) {
    TCloudPlot plot;
    plot.show();
    plot.Util_DemoData_IntClick();
    EXPECT_EQ(plot.Title, QStringLiteral("Simulation data 1 - intensities"));
    ASSERT_EQ(plot.Data.GroupCount, 8);
    EXPECT_EQ(plot.Data.Groups[2].BrushColour, 0x008000u);
    EXPECT_EQ(plot.Data.Groups[4].Symbol, 5);
    const QImage image = plot.ChartImage(kSize);
    const QRect plotArea = DotChartPlotArea(kSize);
    EXPECT_GT(InkInside(image, plotArea), 500);
    // A green-filled symbol of group 2 somewhere.
    bool green = false;
    for (int y = plotArea.top(); y <= plotArea.bottom() && !green; ++y)
        for (int x = plotArea.left(); x <= plotArea.right() && !green; ++x)
            green = QColor(image.pixel(x, y)) == QColor(0, 128, 0);
    EXPECT_TRUE(green);

    // The demo names break at the mark: two text rows under the group; a plain name one.
    const int step = (plotArea.width() - 10) / 8 + 1;
    const int x1 = plotArea.left() + step / 2;
    const auto rows = InkedRowsBelowPlot(image, x1);
    ASSERT_FALSE(rows.empty());
    plot.Data.Groups[1].Name = "Plain";
    const auto oneLine = InkedRowsBelowPlot(plot.ChartImage(kSize), x1);
    ASSERT_FALSE(oneLine.empty());
    EXPECT_GT(rows.back() - rows.front(), 1.5 * (oneLine.back() - oneLine.front()));

    plot.ToolButton3Click();
    EXPECT_EQ(QApplication::clipboard()->image().size(), plot.PB1->size() - QSize(2, 2));
}

TEST_F(CloudPlotTest, PastesFromTheClipboardAndBeepsWhenThereIsNothingOrNoRoom) {
    TCloudPlot plot;
    plot.show();
    BeepCounter beeps;
    QApplication::clipboard()->setText(QStringLiteral("1\t2\r\n3\t4\r\n"));
    plot.Edit_PastesinglegroupClick(2);
    ASSERT_EQ(plot.Data.GroupCount, 2);
    EXPECT_EQ(plot.Data.Groups[1].Name, "P1");
    EXPECT_EQ(plot.Data.Groups[2].Name, "P2");
    plot.Edit_PastesinglegroupClick(1);
    EXPECT_EQ(plot.Data.Groups[3].Name, "Data set\\nPasted");
    EXPECT_EQ(plot.Data.Groups[3].Count, 4);
    EXPECT_EQ(beeps.count, 0);
    QApplication::clipboard()->clear();
    plot.Edit_PastesinglegroupClick(1);
    EXPECT_EQ(beeps.count, 1);
    QString rows;
    for (int i = 0; i < 120; ++i) rows += QStringLiteral("5\n");
    QApplication::clipboard()->setText(rows);
    plot.Edit_PastesinglegroupClick(2);
    EXPECT_EQ(plot.Data.GroupCount, kMaxDotGroups);
    EXPECT_EQ(beeps.count, 2);

    // Rename: "n:name" for an existing group, a beep for any other.
    ModalAnswerer answers;
    for (const char* text : {"2:Kidney", "0:x", "101:x", "abc"}) {
        answers.Expect<TInputDialog>([text](TInputDialog& d) {
            d.FormShow();
            d.CB->setEditText(QString::fromLatin1(text));
            d.Button_OKClick();
            return int(QDialog::Accepted);
        });
        plot.Edit_RenamegroupClick();
    }
    EXPECT_EQ(plot.Data.Groups[2].Name, "Kidney");
    EXPECT_EQ(beeps.count, 5);
}

TEST_F(CloudPlotTest, LogTransformsShowRawValuesOfZeroOrBelowAsThemselves) {
    TCloudPlot plot;
    plot.show();
    for (const char* values : {"5\t-1", "100\t-10\t1"}) {
        QApplication::clipboard()->setText(QString::fromLatin1(values));
        plot.Edit_Pastesinglegroup->trigger();
    }
    const auto transform = [&plot](const char* item) {
        for (QAction* a : plot.menuBar()->findChildren<QAction*>())
            if (a->text() == QLatin1String(item)) return a->trigger();
        ADD_FAILURE() << item;
    };
    const auto shown = [&plot](int g) {
        std::vector<float> v;
        for (const DotValue& d : plot.Data.Groups[g].Values) v.push_back(d.Shown);
        return v;
    };
    transform("Log 2");
    EXPECT_EQ(shown(1), (std::vector<float>{-1, static_cast<float>(std::log2(5.0))}));
    transform("Log 10");
    EXPECT_EQ(shown(2), (std::vector<float>{-10, 0, 2}));
}

TEST_F(CloudPlotTest, AxisOfLargeValuesStartsAtTheData) {
    TCloudPlot plot;
    plot.show();
    QApplication::clipboard()->setText(QStringLiteral("2e9\t3e9"));
    plot.Edit_Pastesinglegroup->trigger();
    EXPECT_FLOAT_EQ(plot.Data.AxisMin, 1.8e9f);
    EXPECT_FLOAT_EQ(plot.Data.AxisMax, 3.3e9f);
}

TEST_F(CloudPlotTest, PaintsExtremeRangesWithoutFault) {
    TCloudPlot plot;
    plot.show();
    PasteSingleGroup(plot.Data, 0, "1\t10\t1000", "a");
    PasteSingleGroup(plot.Data, 0, "word", "empty");
    plot.Pref_Log10_CB->setChecked(true);
    plot.CB_Box->setChecked(true);
    plot.CB_MeanSDev->setChecked(true);
    plot.CB_Whisker->setChecked(true);
    plot.CB_Bar->setChecked(true);
    EXPECT_GT(InkInside(plot.ChartImage(kSize), DotChartPlotArea(kSize)), 100);
    for (const char* values : {"0\t0", "1e38\t-3e38\t3.4e38", "1e-30"}) {
        ClearDotChartData(plot.Data);
        PasteSingleGroup(plot.Data, 0, values, "");
        PasteSingleGroup(plot.Data, 0, "", "no values");
        plot.ChartImage(kSize);
    }
    // Fixed range with minimum above maximum, and nothing but value-less groups.
    plot.Pref_AutoScale_CB->setChecked(false);
    plot.Pref_Min_Edit->setText(QStringLiteral("5"));
    plot.Pref_Max_Edit->setText(QStringLiteral("-5"));
    plot.ChartImage(kSize);
    ClearDotChartData(plot.Data);
    PasteGroupsByRow(plot.Data, "only words\nmore words");
    plot.ChartImage(kSize);
    plot.Pref_Log2_CB->setChecked(true);
    plot.ChartImage(QSize(10, 10));
}

TEST_F(CloudPlotTest, StylesGroupsAndKeepsSettings) {
    {
        TCloudPlot plot;
        plot.show();
        PasteSingleGroup(plot.Data, 0, "1\t2\t3", "a");
        PasteSingleGroup(plot.Data, 0, "4\t5", "b");
        plot.Pref_Group_UD->setValue(2);
        const auto previous = SetColorDialogHook(
            [](const QColor&) { return std::optional<QColor>(QColor(0, 0, 255)); });
        plot.Pref_PenColor_BBClick(1);
        SetColorDialogHook(previous);
        EXPECT_EQ(plot.Data.Groups[2].PenColour, 0xFF0000u);
        EXPECT_EQ(plot.Data.Groups[1].PenColour, 0u);
        plot.Pref_Symbol_CB->setEditText(QStringLiteral("Circle"));
        plot.Pref_Symbol_CBChange();
        plot.Pref_Symbol_CB->setEditText(QStringLiteral("Hexagon"));
        plot.Pref_Symbol_CBChange();
        EXPECT_EQ(plot.Data.Groups[2].Symbol, 2);
        plot.Pref_Group_UD->setValue(0);
        plot.Pref_PPL_SE->setValue(7);
        EXPECT_EQ(plot.Data.Groups[1].PointsPerLine, 7.0f);
        plot.Pref_Size_SE->setValue(12);
        plot.CB_Median->setChecked(true);
        plot.CB_Mean->setChecked(false);
        plot.move(40, 50);
        plot.close();
        EXPECT_EQ(plot.Data.GroupCount, 0);
    }
    RegKey key;
    ASSERT_TRUE(key.OpenKey(kKey, false));
    EXPECT_EQ(key.ReadInteger(QStringLiteral("Points per line"), 0), 7);
    EXPECT_EQ(key.ReadString(QStringLiteral("Show median"), QString()), QStringLiteral("yes"));
    EXPECT_EQ(key.ReadString(QStringLiteral("Show mean"), QString()), QStringLiteral("no"));
    key.WriteString(QStringLiteral("Show mean"), QStringLiteral("yes"));
    key.DeleteValue(QStringLiteral("Show box"));

    TCloudPlot again;
    PasteSingleGroup(again.Data, 0, "1", "before showing");
    again.show();
    EXPECT_EQ(again.Pref_PPL_SE->value(), 7);
    EXPECT_EQ(again.Pref_Size_SE->value(), 12);
    EXPECT_EQ(again.Pref_Symbol_CB->currentText(), QStringLiteral("Hexagon"));
    EXPECT_TRUE(again.CB_Median->isChecked());
    EXPECT_TRUE(again.CB_Mean->isChecked());
    EXPECT_FALSE(again.CB_Box->isChecked());
    // Stored sizes reach the controls only, not the groups already there.
    EXPECT_EQ(again.Data.Groups[1].PointsPerLine, 2.0f);
    EXPECT_EQ(again.Data.Groups[1].SymbolSize, 5);
    key.DeleteValue(QStringLiteral("Show mean"));
    TCloudPlot third;
    third.show();
    EXPECT_FALSE(third.CB_Mean->isChecked()); // the second read of "Show mean" wins
}

TEST_F(CloudPlotTest, PinKeepsUnsavedPreferencesAndThePlace) {
    {
        RegKey key;
        ASSERT_TRUE(key.OpenKey(kKey, true));
        key.WriteString(QStringLiteral("Show median"), QStringLiteral("no"));
    }
    TCloudPlot plot;
    plot.show();
    plot.setGeometry(200, 150, 700, 600);
    plot.CB_Median->click();
    plot.Pref_GroupDist_SE->setValue(35);
    plot.TB_Pin->click();
    EXPECT_TRUE(plot.isVisible());
    EXPECT_TRUE(plot.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(plot.CB_Median->isChecked());
    EXPECT_EQ(plot.Pref_GroupDist_SE->value(), 35);
    EXPECT_EQ(plot.geometry(), QRect(200, 150, 700, 600));
}

TEST_F(CloudPlotTest, FilesThatCannotBeReadLeaveTheChart) {
    QTemporaryDir dir;
    const QString many = dir.filePath(QStringLiteral("many.txt"));
    {
        std::ofstream out(many.toStdString());
        for (int i = 0; i < 150; ++i) out << "g\tFormat:\t1\t\r\n";
    }
    TCloudPlot plot;
    plot.show();
    PasteSingleGroup(plot.Data, 0, "1\t2", "kept");
    QStringList answers{dir.filePath(QStringLiteral("missing.txt")), many,
                        dir.filePath(QStringLiteral("out.txt"))};
    const auto previous = SetFileDialogHook([&](const FileDialogRequest& r) {
        EXPECT_EQ(r.filter, QStringLiteral("Tab delimited text (*.txt)"));
        return answers.takeFirst();
    });
    MessageCapture messages;
    plot.File_OpenClick();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].text.contains(QStringLiteral("missing.txt")));
    EXPECT_EQ(plot.Data.Groups[1].Name, "kept");
    plot.File_OpenClick();
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_TRUE(messages.shown[1].text.contains(QStringLiteral("50 more")));
    EXPECT_EQ(plot.Data.GroupCount, 100);
    plot.File_SaveClick();
    SetFileDialogHook(previous);
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("out.txt"))));
}

} // namespace

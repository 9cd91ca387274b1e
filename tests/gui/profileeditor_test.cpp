#include "analysismatrix.h"
#include "gui/guitest.h"
#include "plotviewers.h"
#include "profileeditor.h"
#include "profilerequest.h"
#include "registry.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <bit>
#include <cmath>
#include <gtest/gtest.h>
#include <tuple>

namespace {

class ProfileEditorTest : public ::testing::Test {
  protected:
    void TearDown() override {
        SetModifierOverride(std::nullopt, std::nullopt);
        SetFileDialogHook(previousFileHook_);
    }

    // Shows `e` with n channels: channel c in group c, labelled "C<c>" in row 1.
    static void Open(TfPatternTemplate& e, int32_t n, QSize size = {700, 450}) {
        e.SetChannelCount(n);
        for (int32_t c = 1; c <= n; ++c) {
            e.ChannelGroup[size_t(c)] = c;
            e.ChannelColumn[size_t(c)] = c;
            e.SetChannelLabel(c, 1, QStringLiteral("C%1").arg(c));
        }
        e.resize(size);
        e.show();
        QApplication::processEvents();
    }

    // Clicks channel c's point (and presses, moves and releases for a drag to `toValue`).
    static void Click(TfPatternTemplate& e, int32_t c) {
        const ProfileLayout l = e.Layout();
        QTest::mouseClick(e.PaintBox1, Qt::LeftButton, Qt::NoModifier,
                          l.Plot.topLeft() +
                              QPoint(l.ChannelX(c), l.ValueY(e.ProfileValues[size_t(c)])));
    }

    // Answers the file dialogs with `name`.
    void AnswerFiles(const QString& name) {
        previousFileHook_ = SetFileDialogHook([name](const FileDialogRequest&) { return name; });
    }

    static std::vector<float> Channels(const TfPatternTemplate& e) {
        return {e.ProfileValues.begin() + 1, e.ProfileValues.end()};
    }

    QTemporaryDir dir;
    FileDialogHook previousFileHook_;
};

TEST_F(ProfileEditorTest, MouseSelectsByModifierAndDragsTheSelectionAlike) {
    TfPatternTemplate e;
    Open(e, 5);
    e.ChannelGroup = {0, 1, 2, 1, 2, 1};
    const auto selected = [&] {
        return std::vector<int32_t>(e.ChannelSelected.begin() + 1, e.ChannelSelected.end());
    };
    Click(e, 2);
    EXPECT_EQ(selected(), (std::vector<int32_t>{0, 1, 0, 0, 0}));
    EXPECT_EQ(e.StatusPanel[0]->text(), QStringLiteral("2; 0.00"));
    SetModifierOverride(true, false);
    Click(e, 4);
    EXPECT_EQ(selected(), (std::vector<int32_t>{0, 1, 0, 1, 0}));
    SetModifierOverride(false, true);
    Click(e, 5); // from the nearest selected below, channel 4
    EXPECT_EQ(selected(), (std::vector<int32_t>{0, 1, 0, 1, 1}));
    SetModifierOverride(true, true);
    Click(e, 1); // channel 1's group: 1, 3 and 5
    EXPECT_EQ(selected(), (std::vector<int32_t>{1, 1, 1, 1, 1}));
    SetModifierOverride(false, false);
    Click(e, 3);
    EXPECT_EQ(selected(), (std::vector<int32_t>{0, 0, 1, 0, 0}));
    QTest::keyPress(&e, Qt::Key_A);
    EXPECT_TRUE(e.AKeyHeld());
    Click(e, 3);
    QTest::keyRelease(&e, Qt::Key_A);
    EXPECT_FALSE(e.AKeyHeld());
    EXPECT_EQ(selected(), (std::vector<int32_t>{1, 1, 1, 1, 1}));

    // Channels 2 and 4 dragged by channel 4's point move alike; the others stay.
    Click(e, 2);
    SetModifierOverride(true, false);
    e.ProfileValues[4] = 0.25f;
    const ProfileLayout l = e.Layout();
    const QPoint from = l.Plot.topLeft() + QPoint(l.ChannelX(4), l.ValueY(0.25));
    QTest::mousePress(e.PaintBox1, Qt::LeftButton, Qt::NoModifier, from);
    QTest::mouseMove(e.PaintBox1, from - QPoint(0, 30));
    QTest::mouseRelease(e.PaintBox1, Qt::LeftButton, Qt::NoModifier, from - QPoint(0, 30));
    const double moved = 30 / l.ValueScale, pixel = 1 / l.ValueScale;
    EXPECT_NEAR(e.ProfileValues[2], moved, pixel);
    EXPECT_NEAR(e.ProfileValues[4] - 0.25f, e.ProfileValues[2], 1e-6);
    EXPECT_EQ(e.ProfileValues[3], 0.0f);
    EXPECT_EQ(e.GrabbedChannel, 0);
    QTest::mouseMove(e.PaintBox1, from); // released: no drag
    EXPECT_NEAR(e.ProfileValues[2], moved, pixel);
}

TEST_F(ProfileEditorTest, CloseAsksUnlessTheProfileIsUsed) {
    for (const auto& [answer, visible, code] :
         {std::tuple{MsgResult::Cancel, true, -1}, std::tuple{MsgResult::Yes, false, 0},
          std::tuple{MsgResult::No, false, -1}}) {
        TfPatternTemplate e;
        e.MessageCaption = QStringLiteral("Caller");
        Open(e, 3);
        MessageCapture messages(answer);
        e.Button_Cancel->click();
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].caption, QStringLiteral("Caller"));
        EXPECT_EQ(messages.shown[0].buttons, MsgButtons::YesNoCancel);
        EXPECT_EQ(e.isVisible(), visible);
        EXPECT_EQ(e.ResultCode, code);
    }
    TfPatternTemplate e;
    Open(e, 3);
    e.Button_OK->click(); // no question: the test main fails any box
    EXPECT_FALSE(e.isVisible());
    EXPECT_EQ(e.ResultCode, 0);
    EXPECT_EQ(e.result(), QDialog::Accepted);
}

TEST_F(ProfileEditorTest, ProfileFilesSaveLoadAndRefuseBadFiles) {
    TfPatternTemplate e;
    Open(e, 3);
    e.ProfileValues = {0, 1.5f, -2, 0.25f};
    AnswerFiles(dir.filePath(QStringLiteral("a.txt")));
    e.ToolButton2Click();
    const QString saved = dir.filePath(QStringLiteral("a.prf"));
    QFile file(saved);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_EQ(bytes.size(), 16);
    EXPECT_EQ(bytes.left(8), QByteArray("\x03\0\0\0\0\0\xC0\x3F", 8));
    EXPECT_EQ(e.FileHistory_CB->itemText(0), saved);

    const auto put = [&](const QString& name, int32_t n, std::vector<float> values,
                         const QByteArray& tail = {}) {
        QFile f(dir.filePath(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        QByteArray data(reinterpret_cast<const char*>(&n), 4);
        for (float v : values) data.append(reinterpret_cast<const char*>(&v), 4);
        f.write(data + tail);
        return f.fileName();
    };
    e.ProfileValues = {0, 9, 9, 9};
    const QString four = put(QStringLiteral("four.prf"), 4, {1, 2, 3, 4});
    {
        MessageCapture no(MsgResult::No);
        e.LoadProfileFile(four);
        ASSERT_EQ(no.shown.size(), 1u);
        EXPECT_EQ(no.shown[0].caption, QStringLiteral("JX-Dorv"));
        EXPECT_EQ(Channels(e), (std::vector<float>{9, 9, 9}));
        EXPECT_EQ(e.FileHistory_CB->count(), 1);
    }
    const QString bad[] = {put(QStringLiteral("short.prf"), 3, {1, 2}),
                           put(QStringLiteral("negative.prf"), -3, {1, 2, 3}),
                           put(QStringLiteral("nan.prf"), 3, {1, NAN, 3})};
    for (const QString& name : bad) {
        MessageCapture messages(MsgResult::Yes);
        e.LoadProfileFile(name);
        ASSERT_EQ(messages.shown.size(), 1u); // the reason, and no count question
        EXPECT_TRUE(messages.shown[0].text.contains(name));
        EXPECT_EQ(messages.shown[0].icon, MsgIcon::Warning);
        EXPECT_EQ(Channels(e), (std::vector<float>{9, 9, 9}));
        EXPECT_EQ(e.FileHistory_CB->count(), 1);
    }
    {
        MessageCapture yes(MsgResult::Yes);
        e.LoadProfileFile(four);
        EXPECT_EQ(Channels(e), (std::vector<float>{1, 2, 3}));
        EXPECT_EQ(e.FileHistory_CB->itemText(0), four);
    }
    // Trailing bytes are ignored; a file already listed, in any case, is not listed again.
    const QString tail = put(QStringLiteral("tail.prf"), 3, {5, 6, 7}, "xyz");
    e.LoadProfileFile(tail);
    e.LoadProfileFile(tail);
    e.AddRecentProfile(tail.toUpper());
    EXPECT_EQ(Channels(e), (std::vector<float>{5, 6, 7}));
    EXPECT_EQ(e.FileHistory_CB->count(), 3);
    EXPECT_EQ(e.ValueLimit, 8.0f);
}

TEST_F(ProfileEditorTest, GeneListFindsWithTheBoxKeysAndSetsTheMean) {
    AnalysisMatrix m;
    m.Resize(3, 2);
    m.Values = {1, 2, 3, 4, NAN, 8};
    m.AnnotationColumnCount = 2;
    m.HeaderCells = {{}, {"", "Symbol"}};
    m.Annotation = {{}, {"", "abc"}, {"", "xAbc"}, {"", "def"}};
    TfPatternTemplate e;
    e.EditorMode = 1;
    e.AnalysisMatrix = &m;
    Open(e, 2);
    EXPECT_EQ(e.Genes_CB_LabelBy->currentText(), QStringLiteral("Symbol"));
    e.Genes_CB_Find->setEditText(QStringLiteral("ABC"));
    QTest::keyClick(e.Genes_CB_Find->lineEdit(), Qt::Key_Return);
    EXPECT_TRUE(e.isVisible()); // Enter finds and leaves the default button alone
    EXPECT_EQ(e.List_GeneNames->selectionModel()->selectedRows().size(), 2);
    EXPECT_EQ(Channels(e), (std::vector<float>{2, 3}));
    EXPECT_EQ(e.StatusPanel[1]->text(), QStringLiteral(" 2 genes found."));
    EXPECT_EQ(e.Genes_CB_Find->itemText(0), QStringLiteral("ABC"));
    e.Timer1Timer();
    EXPECT_TRUE(e.StatusPanel[1]->text().isEmpty());

    // OR find keeps the earlier selection; gene 3's missing value is left out of channel 1.
    e.Genes_CB_Find->setEditText(QStringLiteral("def"));
    e.POM_FindGene_FindClick(11); // "OR find whole word"
    EXPECT_EQ(Channels(e), (std::vector<float>{2, 14.0f / 3}));
    EXPECT_EQ(e.Genes_CB_Find->count(), 2);

    QApplication::clipboard()->setText(QStringLiteral("a\tb\r\nc"));
    SetModifierOverride(true, false);
    QTest::keyClick(e.Genes_CB_Find->lineEdit(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(e.Genes_CB_Find->currentText(), QStringLiteral("a b c"));
    SetModifierOverride(false, false);
    EXPECT_FALSE(e.Genes_CB_FindKeyPress(QLatin1Char('-')));
}

TEST_F(ProfileEditorTest, SettingsOnlyUnderAnExistingBaseKey) {
    const QString base = QStringLiteral("software\\ProfileTest\\");
    {
        TfPatternTemplate e;
        e.RegistryKey = base;
        Open(e, 2);
        e.AddRecentProfile(QStringLiteral("/x.prf"));
        e.Button_OKClick();
    }
    EXPECT_FALSE(Registry::KeyExists(base));
    RegKey key;
    ASSERT_TRUE(key.OpenKey(base, true));
    key.WriteString(QStringLiteral("marker"), QStringLiteral("1"));
    int width = 0;
    {
        TfPatternTemplate e;
        e.RegistryKey = base;
        Open(e, 2);
        for (int i = 1; i <= 25; ++i) e.AddRecentProfile(QStringLiteral("/p%1.prf").arg(i));
        width = e.width();
        e.Button_OKClick();
    }
    ASSERT_TRUE(key.OpenKey(base + QStringLiteral("\\Profile editor\\File history"), false));
    EXPECT_EQ(key.ReadString(QStringLiteral("File-25"), QString()), QStringLiteral("/p1.prf"));
    ASSERT_TRUE(key.OpenKey(base + QStringLiteral("\\Profile editor\\System"), false));
    EXPECT_EQ(key.ReadInteger(QStringLiteral("Width"), 0), width);
    TfPatternTemplate e;
    e.RegistryKey = base;
    Open(e, 2);
    EXPECT_EQ(e.FileHistory_CB->count(), 20);
    EXPECT_EQ(e.FileHistory_CB->itemText(0), QStringLiteral("/p25.prf"));
}

TEST_F(ProfileEditorTest, HelpOpensThePageOrShowsTheInfoBox) {
    TfPatternTemplate e;
    e.MessageCaption = QStringLiteral("Caller");
    e.AboutText = QStringLiteral("about line");
    Open(e, 1);
    {
        MessageCapture messages;
        e.Button_Help->click();
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].caption, QStringLiteral("Caller"));
        EXPECT_TRUE(messages.shown[0].text.startsWith(QStringLiteral("Profile editor V1.02\n")));
        EXPECT_TRUE(messages.shown[0].text.endsWith(QStringLiteral("\nabout line")));
    }
    std::vector<QString> opened;
    SetShellOpenHook([&](const QString& target) {
        opened.push_back(target);
        return true;
    });
    e.HelpBase = QStringLiteral("http://h/");
    e.Help_HelpClick();
    SetShellOpenHook({});
    EXPECT_EQ(opened, std::vector<QString>{QStringLiteral("http://h/ptm_prof_edit.htm")});
}

TEST_F(ProfileEditorTest, CallerGetsTheLevelsBackOnlyOnOk) {
    ProfileEditorRequest request;
    request.MessageCaption = QStringLiteral("Group selector");
    request.RowNames = {QStringLiteral("Name"), QStringLiteral("Dose")};
    for (int k = 1; k <= 3; ++k)
        request.Channels.push_back(
            {{QStringLiteral("S%1").arg(k), QString::number(k)}, k, 1, float(k)});
    PlotViewers().ProfileEditor = RunProfileEditor;
    {
        ModalAnswerer modal;
        modal.Expect<TfPatternTemplate>([](TfPatternTemplate& d) {
            d.show();
            EXPECT_EQ(d.ChannelCount(), 3);
            EXPECT_EQ(d.CNames_CB->count(), 2);
            EXPECT_EQ(d.CNames_CB->itemText(1), QStringLiteral("Dose"));
            EXPECT_EQ(d.ValueLimit, 4.0f);
            d.Profiles_Set(11);
            d.Button_OKClick();
            return d.result();
        });
        EXPECT_TRUE(RequestProfileEditor(nullptr, request));
    }
    EXPECT_EQ(request.Channels[0].Level, -1.0f);
    EXPECT_EQ(request.Channels[2].Level, 1.0f);
    {
        ModalAnswerer modal;
        MessageCapture no(MsgResult::No);
        modal.Expect<TfPatternTemplate>([](TfPatternTemplate& d) {
            d.show();
            d.ToolButton5Click();
            d.Button_CancelClick();
            return d.result();
        });
        EXPECT_FALSE(RequestProfileEditor(nullptr, request));
    }
    EXPECT_EQ(request.Channels[2].Level, 1.0f);
    PlotViewers().ProfileEditor = nullptr;
}

TEST_F(ProfileEditorTest, DrawsTheRampInGroupColoursAndNothingOnAFlatPlot) {
    TfPatternTemplate e;
    Open(e, 5, {600, 400});
    e.ToolButton10Click();
    Click(e, 3);
    const QImage shot = e.PaintBox1->grab().toImage();
    const ProfileLayout l = e.Layout();
    const auto corner = [&](int32_t c) {
        return shot.pixelColor(l.Plot.topLeft() +
                               QPoint(l.ChannelX(c) - 3, l.ValueY(e.ProfileValues[size_t(c)]) - 3));
    };
    EXPECT_EQ(corner(1), QColor(0, 255, 255)); // group 1 aqua
    EXPECT_EQ(corner(2), QColor(0, 255, 0));   // group 2 lime
    EXPECT_EQ(corner(3), QColor(255, 0, 255)); // selected
    EXPECT_EQ(corner(4), QColor(0, 0, 255));   // group 4 blue
    EXPECT_EQ(shot.pixelColor(l.Plot.topLeft() + QPoint(l.ChannelX(2) + 20, l.Mid)),
              QColor(0x40, 0x40, 0x40)); // zero line
    const QPoint joint = l.Plot.topLeft() + QPoint((l.ChannelX(1) + l.ChannelX(2)) / 2,
                                                   (l.ValueY(-1) + l.ValueY(-0.5)) / 2);
    int blue = 0; // the line joining channels 1 and 2 passes within a pixel of their middle
    for (int dy = -1; dy <= 1; ++dy)
        blue += shot.pixelColor(joint + QPoint(0, dy)) == QColor(0, 0, 255);
    EXPECT_GT(blue, 0);
    int labelInk = 0;
    for (int y = l.Plot.bottom() + 1; y < shot.height(); ++y)
        labelInk += shot.pixelColor(l.Plot.left() + l.ChannelX(3) - 2, y).lightness() < 100;
    EXPECT_GT(labelInk, 0);

    // Labels taller than the box leave no plot: nothing is drawn, clicked or dragged.
    for (int32_t c = 1; c <= 5; ++c) e.SetChannelLabel(c, 2, QString(50, QLatin1Char('W')));
    e.CNames_CB->addItem(QString());
    e.CNames_CB->setCurrentIndex(1);
    e.CNames_CBChange();
    EXPECT_GT(e.LabelHeight, 200);
    EXPECT_FALSE(e.Layout().Drawable());
    e.PB1MouseDown(10, 0);
    e.PB1MouseMove(10, -50);
    EXPECT_EQ(e.GrabbedChannel, 0);
    const QImage flat = e.PaintBox1->grab().toImage();
    EXPECT_NE(flat.pixelColor(l.Plot.topLeft() + QPoint(l.ChannelX(2) + 20, 5)), QColor(Qt::white));

    // One channel: its point at x 5; no channel: nothing to click.
    TfPatternTemplate one;
    Open(one, 1, {600, 400});
    one.ToolButton12Click();
    EXPECT_EQ(one.ProfileValues[1], 1.0f);
    Click(one, 1);
    EXPECT_EQ(one.ChannelSelected[1], 1);
    EXPECT_EQ(one.Layout().ChannelX(1), 5);
    TfPatternTemplate none;
    Open(none, 0, {600, 400});
    none.ToolButton14Click();
    none.PB1MouseDown(5, 5);
    EXPECT_EQ(none.GrabbedChannel, 0);
    EXPECT_EQ(none.ValueLimit, 1.0f);
}

} // namespace

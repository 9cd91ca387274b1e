#include "gui/guitest.h"
#include "inputdialog.h"
#include "inputdialog1.h"
#include "inputtext.h"
#include "registry.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <gtest/gtest.h>

namespace {

const QString kKey = QStringLiteral("software\\JX-Quorbel-Test\\Input history\\");

QStringList StoredHistory() {
    RegKey key;
    QStringList values;
    if (!key.OpenKey(kKey, false)) return values;
    for (int n = 1; n <= 30; ++n)
        if (auto v = key.ReadString(QString::number(n))) values.append(*v);
    return values;
}

void Store(const QStringList& entries) {
    RegKey key;
    ASSERT_TRUE(key.OpenKey(kKey, true));
    for (int n = 1; n <= entries.size(); ++n) key.WriteString(QString::number(n), entries[n - 1]);
}

QStringList ComboItems(const QComboBox* cb) {
    QStringList items;
    for (int i = 0; i < cb->count(); ++i) items.append(cb->itemText(i));
    return items;
}

void Type(TInputDialogBase& dlg, const QString& text) {
    dlg.CB->lineEdit()->clear();
    QTest::keyClicks(dlg.CB->lineEdit(), text);
}

class InputDialogTest : public ::testing::Test {
  protected:
    void SetUp() override { Registry::DeleteKey(kKey); }
    void TearDown() override { Registry::DeleteKey(kKey); }
    MessageCapture messages;
};

TEST(InputText, CleaningMakesOneLineWithSingleBlanks) {
    EXPECT_EQ(CleanPastedText(QStringLiteral("a\tb\r\n\r\nc")), QStringLiteral("a b c"));
    EXPECT_EQ(CleanPastedText(QStringLiteral("x  \t y\r\n")), QStringLiteral("x y "));
    EXPECT_EQ(AppendCleanedText(QStringLiteral("old"), QStringLiteral("\tnew")),
              QStringLiteral("old  new"));
    EXPECT_EQ(AppendCleanedText(QString(), QStringLiteral("a\n\nb")), QStringLiteral(" a b"));
}

TEST(InputText, DefaultTextsAndNumberReadings) {
    EXPECT_EQ(DefaultInputText(2.5f, 0, QStringLiteral("t")), QStringLiteral("    2.5000"));
    EXPECT_EQ(DefaultInputText(2.5f, 7, QStringLiteral("t")), QStringLiteral("7"));
    EXPECT_EQ(DefaultInputText(0.0f, 0, QStringLiteral("t")), QStringLiteral("t"));
    EXPECT_EQ(DefaultInputText(std::nanf(""), 0, QStringLiteral("t")), QStringLiteral("t"));
    EXPECT_FLOAT_EQ(InputAsSingle(QStringLiteral(" 3.75abc")), 3.75f);
    EXPECT_EQ(InputAsInteger(QStringLiteral(" 3.75abc")), 3);
    EXPECT_EQ(InputAsInteger(QStringLiteral("abc")), 0);
    EXPECT_TRUE(IsHelpRequest(QStringLiteral("?")));
    EXPECT_TRUE(IsHelpRequest(QStringLiteral("\\help")));
    EXPECT_TRUE(IsHelpRequest(QStringLiteral("-h")));
    EXPECT_FALSE(IsHelpRequest(QStringLiteral(" ?")));
    EXPECT_FALSE(IsHelpRequest(QStringLiteral("-H")));
}

TEST_F(InputDialogTest, ShowsDefaultsCaptionPromptAndOptions) {
    TInputDialog real;
    real.DefaultSingle = 2.5f;
    real.Caption = QStringLiteral("Quorbel");
    real.Prompt = QStringLiteral("Enter new value for heatmap max scaling");
    real.show();
    EXPECT_EQ(real.CB->currentText(), QStringLiteral("    2.5000"));
    EXPECT_EQ(real.windowTitle(), QStringLiteral("Quorbel"));
    EXPECT_EQ(real.Label1->text(), QStringLiteral("  Enter new value for heatmap max scaling"));
    EXPECT_FALSE(real.Group_Options->isVisible());

    TInputDialog both;
    both.DefaultSingle = 2.5f;
    both.DefaultInteger = 12;
    both.ShowOptions = 1;
    both.show();
    EXPECT_EQ(both.CB->currentText(), QStringLiteral("12"));
    EXPECT_EQ(both.windowTitle(), QStringLiteral("Enter new value"));
    EXPECT_TRUE(both.Group_Options->isVisible());
    both.CB_WholeWord->click();
    both.Button_OK->click();
    EXPECT_EQ(both.WholeWord, 1);
    EXPECT_EQ(both.ResultCode, 0);
}

TEST_F(InputDialogTest, OkReadsTextAndNumbers) {
    TInputDialog dlg;
    dlg.Text = QStringLiteral("old");
    dlg.show();
    EXPECT_EQ(dlg.CB->currentText(), QStringLiteral("old"));
    Type(dlg, QStringLiteral("1.5 2 new"));
    dlg.Button_OK->click();
    EXPECT_EQ(dlg.ResultCode, 0);
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(dlg.Text, QStringLiteral("1.5 2 new"));
    EXPECT_FLOAT_EQ(dlg.DefaultSingle, 1.5f);
    EXPECT_EQ(dlg.DefaultInteger, 1);
    EXPECT_EQ(dlg.WholeWord, 0);
}

TEST_F(InputDialogTest, HistoryComesFromTheStoreAndKeepsItsOrder) {
    Store({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
    TInputDialog dlg;
    dlg.RegistryKey = kKey;
    dlg.History = {QStringLiteral("ignored when the key exists")};
    dlg.show();
    EXPECT_EQ(ComboItems(dlg.CB), (QStringList{"a", "b", "c"}));
    EXPECT_EQ(dlg.CB->currentText(), QString());
    EXPECT_EQ(dlg.CB->lineEdit()->contextMenuPolicy(), Qt::CustomContextMenu);
    Type(dlg, QStringLiteral("c"));
    dlg.Button_OK->click();
    EXPECT_EQ(dlg.HistoryIndex, 3);
    EXPECT_EQ(StoredHistory(), (QStringList{"a", "b", "c"}));

    TInputDialog next;
    next.RegistryKey = kKey;
    next.show();
    Type(next, QStringLiteral("d"));
    next.Button_OK->click();
    EXPECT_EQ(next.HistoryIndex, 0);
    EXPECT_EQ(next.History, (QStringList{"d", "a", "b", "c"}));
    EXPECT_EQ(StoredHistory(), (QStringList{"d", "a", "b", "c"}));
}

TEST_F(InputDialogTest, StoredHistoryKeepsTwentyEntries) {
    QStringList twenty;
    for (int i = 1; i <= 20; ++i) twenty.append(QStringLiteral("e%1").arg(i));
    Store(twenty);
    TInputDialog dlg;
    dlg.RegistryKey = kKey;
    dlg.show();
    Type(dlg, QStringLiteral("new"));
    dlg.Button_OK->click();
    const QStringList stored = StoredHistory();
    ASSERT_EQ(stored.size(), 20);
    EXPECT_EQ(stored.first(), QStringLiteral("new"));
    EXPECT_EQ(stored[1], QStringLiteral("e1"));
    EXPECT_EQ(stored.last(), QStringLiteral("e19"));
}

TEST_F(InputDialogTest, CallerHistoryIsStoredOnceWhenTheKeyIsNew) {
    TInputDialog dlg;
    dlg.RegistryKey = kKey;
    dlg.History = {QStringLiteral("x"), QString(), QStringLiteral("y")};
    dlg.show();
    EXPECT_FALSE(Registry::KeyExists(kKey)); // showing never creates the key
    Type(dlg, QStringLiteral("y"));
    dlg.Button_OK->click();
    EXPECT_EQ(dlg.HistoryIndex, 3);
    EXPECT_EQ(StoredHistory(), (QStringList{"x", "y"}));
}

TEST_F(InputDialogTest, ClearHistoryDeletesTheKey) {
    Store({QStringLiteral("a"), QStringLiteral("b")});
    TInputDialog dlg;
    dlg.RegistryKey = kKey;
    dlg.show();
    Type(dlg, QStringLiteral("typed"));
    dlg.Clear_History->trigger();
    EXPECT_FALSE(Registry::KeyExists(kKey));
    EXPECT_EQ(dlg.CB->count(), 0);
    EXPECT_TRUE(dlg.History.isEmpty());
    EXPECT_EQ(dlg.CB->currentText(), QStringLiteral("typed"));
}

TEST_F(InputDialogTest, PasteAndDropAreCleanedIntoOneLine) {
    TInputDialog dlg;
    dlg.Text = QStringLiteral("replaced");
    dlg.show();
    QApplication::clipboard()->setText(QStringLiteral("a\tb\r\n\r\nc"));
    QTest::keyClick(dlg.CB->lineEdit(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(dlg.CB->currentText(), QStringLiteral(" a b c"));
    dlg.Paste->trigger();
    EXPECT_EQ(dlg.CB->currentText(), QStringLiteral(" a b c a b c"));

    QTemporaryDir dir;
    const QString first = dir.filePath(QStringLiteral("first.txt"));
    const QString last = dir.filePath(QStringLiteral("last.txt"));
    for (const QString& name : {first, last}) {
        QFile f(name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(name == first ? "not this" : "gapdh\r\nhprt1\t\trpl*");
    }
    dlg.CB->setEditText(QStringLiteral("x"));
    dlg.HandleDroppedFiles({first, last});
    EXPECT_EQ(dlg.CB->currentText(), QStringLiteral("x gapdh hprt1 rpl* "));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(InputDialogTest, UnreadableDropIsReportedAndTheDialogStaysOpen) {
    TInputDialog dlg;
    dlg.show();
    dlg.CB->setEditText(QStringLiteral("kept"));
    dlg.HandleDroppedFiles({QStringLiteral("/nonexistent/dir/file.txt")});
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].icon, MsgIcon::Stop);
    EXPECT_TRUE(messages.shown[0].text.contains(QStringLiteral("file.txt")));
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_EQ(dlg.CB->currentText(), QStringLiteral("kept"));
}

TEST_F(InputDialogTest, HelpKeepsTheDialogOpenWithoutAnAnswer) {
    TInputDialog dlg;
    dlg.Caption = QStringLiteral("Find genes");
    dlg.HelpText = QStringLiteral("Search Gene names");
    dlg.RegistryKey = kKey;
    dlg.show();
    Type(dlg, QStringLiteral("?"));
    dlg.Button_OK->click();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, QStringLiteral("Search Gene names"));
    EXPECT_EQ(messages.shown[0].caption, QStringLiteral("Find genes"));
    EXPECT_EQ(messages.shown[0].icon, MsgIcon::Information);
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_EQ(dlg.ResultCode, -1);
    EXPECT_FALSE(Registry::KeyExists(kKey));
    // Esc after the help is a cancel, not an OK with "?".
    QTest::keyClick(&dlg, Qt::Key_Escape);
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(dlg.ResultCode, -1);
}

TEST_F(InputDialogTest, HelpButtonShowsAboutTextUnlessSwitchedOff) {
    TInputDialog dlg;
    dlg.show();
    dlg.Button_Help->click();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].text.startsWith(
        QStringLiteral("Generic Input Dialog V0.91\nfrom 11.08.2006\n\n")));
    dlg.NoHelp = 1;
    dlg.Button_Help->click();
    Type(dlg, QStringLiteral("-h"));
    dlg.Button_OK->click();
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(dlg.isVisible());
    dlg.Button_Cancel->click();
    EXPECT_EQ(dlg.ResultCode, -1);
    EXPECT_FALSE(dlg.isVisible());
}

TEST_F(InputDialogTest, InputDialog1ReportsTheChosenItem) {
    TInputDialog1 dlg;
    dlg.Items = {QStringLiteral("10,20"), QStringLiteral("5,5"), QStringLiteral("2,1,all")};
    dlg.Text = QStringLiteral("2,1,all");
    dlg.Caption = QStringLiteral("JX-DORV - Autogroup");
    dlg.Prompt = QStringLiteral("Define # of groups");
    dlg.show();
    EXPECT_EQ(dlg.CB->count(), 3);
    EXPECT_EQ(dlg.CB->currentText(), QStringLiteral("2,1,all"));
    EXPECT_EQ(dlg.Label1->text(), QStringLiteral("Define # of groups"));
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("JX-DORV - Autogroup"));
    dlg.CB->setCurrentIndex(1);
    dlg.Button_OK->click();
    EXPECT_EQ(dlg.ResultCode, 0);
    EXPECT_EQ(dlg.ItemIndex, 2);
    EXPECT_EQ(dlg.DefaultInteger, 5);
    EXPECT_EQ(dlg.Items.size(), 3);

    TInputDialog1 fresh;
    fresh.Items = {QStringLiteral("a")};
    fresh.DefaultSingle = -1.25f;
    fresh.show();
    EXPECT_EQ(fresh.CB->currentText(), QStringLiteral("   -1.2500"));
    Type(fresh, QStringLiteral("?"));
    fresh.Button_OK->click(); // no help request here: "?" is an answer
    EXPECT_EQ(fresh.ResultCode, 0);
    EXPECT_EQ(fresh.ItemIndex, 0);
    EXPECT_EQ(fresh.Items, (QStringList{"?", "a"}));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(InputDialogTest, InputDialog1HelpAndClose) {
    TInputDialog1 dlg;
    dlg.show();
    dlg.Button_Help->click();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].caption, QStringLiteral("Input Dialog"));
    EXPECT_TRUE(messages.shown[0].text.startsWith(
        QStringLiteral("Generic Input Dialog V0.9\nfrom 27.07.2005\n\n")));
    dlg.close();
    EXPECT_EQ(dlg.ResultCode, -1);
}

} // namespace

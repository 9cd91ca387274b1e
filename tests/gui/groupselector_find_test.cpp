#include "conditionmatch.h"
#include "guitest.h"
#include "inputdialog.h"
#include "selectortest.h"
#include "tableeditor.h"
#include "tableeditormodel.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

TEST(FindPattern, KeysMatchTheLowerCasedLabel) {
    struct Case {
        const char* search;
        const char* label;
        bool found;
    } cases[] = {
        {"key", "key1", true},      {"key", "Key2", true},
        {"key", "any_key", true},   {"KEY", "ke", false},
        {"\\pm key", "Key", true},  {"\\pm key", "any_key", false},
        {"\\empty", "", true},      {"\\empty", " ", false},
        {"\\>=5", "7", true},       {"\\>=5", "5", true},
        {"\\>=5", "3", false},      {"\\>=5", "abc", false},
        {"\\<=5", "7", false},      {"\\<=5", "3", true},
        {"\\<=5", "abc", true},     {"\\<=5", "4.5kb", true},
        {"a b", "xb", true},        {"a b", "ax", true},
        {"a  b", "xyz", false}, // doubled blanks give no key that matches everything
        {"\\pm a  b", "ab", false}, {"\\unknown", "\\unknown", false},
    };
    for (const Case& c : cases) {
        const FindPattern p = ParseFindPattern(QString::fromUtf8(c.search));
        EXPECT_EQ(PatternMatches(p, QString::fromUtf8(c.label)), c.found)
            << c.search << " in " << c.label;
    }
    EXPECT_TRUE(ParseFindPattern(QStringLiteral("\\L 1,3")).listMode);
    EXPECT_EQ(ParseFindPattern(QStringLiteral("  Key \\PM ")).text, QStringLiteral("key"));
    EXPECT_FALSE(OccursIn(QString(), QStringLiteral("abc")));
}

// found/marked pairs (false,false), (false,true), (true,false), (true,true) give these marks.
class FindTags : public ::testing::TestWithParam<std::tuple<int, std::array<bool, 4>>> {};

TEST_P(FindTags, CombineWithThePresentMarks) {
    const auto& [tag, expected] = GetParam();
    for (int k = 0; k < 4; ++k)
        EXPECT_EQ(CombineMark(tag, k >= 2, k % 2 == 1), expected[static_cast<size_t>(k)])
            << "tag " << tag << " case " << k;
}

INSTANTIATE_TEST_SUITE_P(
    Table, FindTags,
    ::testing::Values(std::tuple{1, std::array{false, false, true, true}},  // new
                      std::tuple{2, std::array{false, false, false, true}}, // AND
                      std::tuple{3, std::array{false, true, true, true}},   // OR
                      std::tuple{4, std::array{false, true, false, false}}, // AND NOT
                      std::tuple{5, std::array{true, true, false, true}})); // OR NOT

void Answer(ModalAnswerer& modal, const QString& text) {
    modal.Expect<TInputDialog>([text](TInputDialog& d) {
        EXPECT_EQ(d.Caption, QStringLiteral("JX-DORV: Select condition by name"));
        EXPECT_EQ(d.Prompt, QStringLiteral("Enter condition name pattern"));
        EXPECT_TRUE(d.HelpText.startsWith(QStringLiteral("Syntax for search string:\n\n")));
        d.FormShow();
        d.CB->setEditText(text);
        d.Button_OKClick();
        return int(QDialog::Accepted);
    });
}

TEST(GroupSelectorFind, ListModeMarksByPositionAndStopsOutsideTheList) {
    MessageCapture messages;
    ModalAnswerer modal;
    auto d = Selector(0, 5);
    Answer(modal, QStringLiteral("\\l 1,3"));
    d->Find(1);
    EXPECT_EQ(Marked(*d), (std::vector<int>{1, 3}));
    Mark(*d, {1, 2, 3, 4, 5});
    Answer(modal, QStringLiteral("\\L 1,3"));
    d->Find(4);
    EXPECT_EQ(Marked(*d), (std::vector<int>{2, 4, 5}));
    Answer(modal, QStringLiteral("\\l 1,x,, 3"));
    d->Find(3);
    EXPECT_EQ(Marked(*d), (std::vector<int>{1, 2, 3, 4, 5}));
    EXPECT_TRUE(messages.shown.empty());
    Answer(modal, QStringLiteral("\\l 1,99,2"));
    d->Find(1);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].icon, MsgIcon::Stop);
    EXPECT_TRUE(messages.shown[0].text.contains(QLatin1String("99")));
    EXPECT_EQ(Marked(*d), (std::vector<int>{1}));
    // One history entry per text whatever its case, the newest first.
    EXPECT_EQ(d->FindHistory,
              (QStringList{QStringLiteral("\\l 1,99,2"), QStringLiteral("\\l 1,x,, 3"),
                           QStringLiteral("\\l 1,3")}));

    modal.Expect<TInputDialog>([](TInputDialog& dialog) {
        dialog.FormShow();
        dialog.CB->setEditText(QStringLiteral("c2"));
        dialog.Button_CancelClick();
        return int(QDialog::Rejected);
    });
    d->Find(1);
    EXPECT_EQ(Marked(*d), (std::vector<int>{1}));
    EXPECT_EQ(d->FindHistory.size(), 3);
    EXPECT_TRUE(d->Log_Memo->toPlainText().isEmpty());
}

TEST(GroupSelectorFind, SearchReportsAndRefillsTheViewer) {
    ModalAnswerer modal;
    auto d = Selector(0, 5);
    TfTableEditor viewer;
    d->ConditionViewer = &viewer;
    Mark(*d, {1, 2, 3});
    Answer(modal, QStringLiteral("C1 c3"));
    d->Find(2);
    EXPECT_EQ(Marked(*d), (std::vector<int>{1, 3}));
    EXPECT_EQ(d->Log_Memo->toPlainText(),
              QStringLiteral("AND find:  \"c1 c3\";  2 matches (in selection);    searched on "
                             "\"Name\""));
    EXPECT_EQ(d->Info_Memo->toPlainText(),
              QStringLiteral("\nSearching c1 c3 ...\nc1\tr2-1\nc3\tr2-3"));
    EXPECT_EQ(d->StatusPanels[1]->text(), QStringLiteral("2 matches found"));
    EXPECT_TRUE(d->Timer1->isActive());
    EXPECT_EQ(d->Timer1->interval(), 10000);
    d->Timer1Timer();
    EXPECT_TRUE(d->StatusPanels[1]->text().isEmpty());
    EXPECT_FALSE(d->Timer1->isActive());

    // Rows by counter, numbered by entry, with every header text.
    const TTableEditorModel& cells = *viewer.SGCells;
    ASSERT_EQ(cells.RowCount(), 3);
    EXPECT_EQ(cells.Cell(0, 2), QStringLiteral("2"));
    EXPECT_EQ(cells.Cell(1, 2), QStringLiteral("3"));
    EXPECT_EQ(cells.Cell(2, 2), QStringLiteral("c3"));
    EXPECT_EQ(cells.Cell(3, 2), QStringLiteral("r2-3"));
    Mark(*d, {4});
    d->RefillConditionViewer(false);
    ASSERT_EQ(cells.RowCount(), 2);
    EXPECT_EQ(cells.Cell(1, 1), QStringLiteral("1"));
    EXPECT_EQ(cells.Cell(2, 1), QStringLiteral("c4"));
}

TEST(GroupSelectorFind, TheLogQuotesTheSearchTextAsTyped) {
    ModalAnswerer modal;
    auto d = Selector(0, 5);
    Answer(modal, QStringLiteral("4 %1 6"));
    d->Find(1);
    EXPECT_EQ(d->Log_Memo->toPlainText(),
              QStringLiteral("Find new:  \"4 %1 6\";  1 matches (in selection);    searched on "
                             "\"Name\""));
}

TEST(GroupSelectorFind, SameAndSimilarToTheCurrentEntry) {
    BeepCounter beeps;
    auto d = Selector(0, 4, false);
    const char* labels[] = {"T1", "T1-rep", "T1", ""};
    for (int i = 1; i <= 4; ++i) d->HeaderTable.Set(i, 1, QString::fromUtf8(labels[i - 1]));
    d->FormShow();
    Mark(*d, {2});
    d->Find_SameClick(1); // no current entry
    EXPECT_EQ(beeps.count, 1);
    EXPECT_EQ(Marked(*d), (std::vector<int>{2}));

    d->List_Cond->setCurrentRow(0, QItemSelectionModel::NoUpdate);
    d->Find_SameClick(1);
    EXPECT_EQ(Marked(*d), (std::vector<int>{1, 3}));
    d->Find_SameClick(2);
    EXPECT_EQ(Marked(*d), (std::vector<int>{1, 2, 3}));
    d->List_Cond->setCurrentRow(3, QItemSelectionModel::NoUpdate);
    d->Find_SameClick(2); // an empty label is inside no other
    EXPECT_TRUE(Marked(*d).empty());
    d->Find_SameClick(1);
    EXPECT_EQ(Marked(*d), (std::vector<int>{4}));
    EXPECT_EQ(beeps.count, 1);
}

TEST(GroupSelectorFind, MenusOpenUnderTheirButtonsOnClickAndKeyboardFocus) {
    auto d = Selector(0, 3);
    d->move(0, 0);
    d->resize(620, 320);
    d->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(d.get()));
    QTest::mouseClick(d->BB_Find, Qt::LeftButton);
    ASSERT_TRUE(d->POM_Find->isVisible());
    EXPECT_EQ(d->POM_Find->pos(), d->BB_Find->mapToGlobal(QPoint(5, d->BB_Find->height() - 2)));
    d->POM_Find->close();

    const auto focus = [&](Qt::FocusReason reason) {
        QFocusEvent in(QEvent::FocusIn, reason);
        QApplication::sendEvent(d->BB_AutoGroup, &in);
        const bool shown = d->POM_AutoGroup->isVisible();
        d->POM_AutoGroup->close();
        return shown;
    };
    EXPECT_TRUE(focus(Qt::TabFocusReason));
    EXPECT_TRUE(focus(Qt::BacktabFocusReason));
    EXPECT_FALSE(focus(Qt::PopupFocusReason)); // back from the closed menu
    EXPECT_FALSE(focus(Qt::MouseFocusReason)); // the click opens it
}

} // namespace

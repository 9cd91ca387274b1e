#include "guitest.h"
#include "registry.h"
#include "selectortest.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>

namespace {

QByteArray Read(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString Write(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
    const QString path = dir.filePath(name);
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
    return path;
}

QStringList History(const TdGroupSelector& d) {
    QStringList items;
    for (int i = 0; i < d.Groups_CB_History->count(); ++i)
        items << d.Groups_CB_History->itemText(i);
    return items;
}

TEST(GroupSelectorFiles, GroupingsKeepTheFilesGroupsAndEnterTheHistoryOnce) {
    QTemporaryDir dir;
    auto d = Selector(0, 4);
    d->FirstConditionNumber = 5;
    Assign(*d, 1, {1, 3});
    Assign(*d, 2, {2});
    const QString saved = dir.filePath(QStringLiteral("g.tgl"));
    {
        FileDialogAnswerer files({dir.filePath(QStringLiteral("g"))});
        d->Groups_BB_SaveClick();
        ASSERT_EQ(files.requests.size(), 1u);
        EXPECT_EQ(files.requests[0].kind, FileDialogKind::Save);
        EXPECT_EQ(files.requests[0].caption, QStringLiteral("Save goup settings"));
        EXPECT_EQ(files.requests[0].filter,
                  QStringLiteral("Group list file (*.tgl);;Any file (*)"));
    }
    EXPECT_EQ(Read(saved), "[Group settings]\r\nGroup number=2\r\nGroup-1=5,7\r\nGroup-2=6\r\n");
    EXPECT_EQ(History(*d), QStringList{saved});

    // Marked conditions take the file's groups; condition 4, which the file does not name,
    // keeps its own.
    auto e = Selector(0, 4);
    e->FirstConditionNumber = 5;
    Assign(*e, 2, {4});
    Mark(*e, {1, 2});
    e->List_Group->setCurrentRow(1);
    const QString other = Write(dir, QStringLiteral("other.tgl"), "[Group settings]\n");
    ASSERT_TRUE(e->LoadGroupListFile(other));
    {
        FileDialogAnswerer files({saved});
        e->Groups_BB_LoadClick();
        EXPECT_EQ(files.requests[0].caption, QStringLiteral("Load group setings"));
    }
    EXPECT_EQ(Groups(*e), (std::vector<int32_t>{1, 2, 1, 2}));
    EXPECT_EQ(e->GroupMembers[1], QStringLiteral("5,7"));
    EXPECT_EQ(e->GroupCount, 2);
    EXPECT_EQ(Items(e->List_Group),
              (QStringList{QStringLiteral("Group-1 (2)"), QStringLiteral("Group-2 (2)"),
                           QStringLiteral("none")}));
    QFile::copy(saved, dir.filePath(QStringLiteral("G.TGL")));
    ASSERT_TRUE(e->LoadGroupListFile(dir.filePath(QStringLiteral("G.TGL"))));
    EXPECT_EQ(History(*e), (QStringList{saved, other}));

    // "Group number" 30 gives the most groups there are.
    ASSERT_TRUE(e->LoadGroupListFile(
        Write(dir, QStringLiteral("many.tgl"), "[Group settings]\nGroup number=30\nGroup-12=5\n")));
    EXPECT_EQ(e->Groups_SE_Number->value(), 12);
    EXPECT_EQ(e->List_Group->count(), 13);
    EXPECT_EQ(e->ConditionGroup[1], 12);
}

TEST(GroupSelectorFiles, TheHistoryKeepsTenAndAListedNameKeepsItsPlace) {
    const QString key = QStringLiteral("software\\GroupHistoryTest");
    Registry::DeleteKey(key);
    QTemporaryDir dir;
    QStringList files;
    RegKey settings;
    ASSERT_TRUE(settings.OpenKey(key + QStringLiteral("\\Parameter\\Groups\\File history"), true));
    for (int i = 1; i <= 10; ++i) {
        files << Write(dir, QStringLiteral("g%1.tgl").arg(i), "[Group settings]\n");
        settings.WriteString(QStringLiteral("File-%1").arg(i), files.back());
    }
    auto d = Selector(0, 3, false);
    d->RegistryKey = key;
    d->FormShow();
    ASSERT_EQ(History(*d), files);
    d->Groups_CB_History->setCurrentIndex(9);
    emit d->Groups_CB_History->activated(9);
    EXPECT_EQ(History(*d), files);
    {
        FileDialogAnswerer answer({dir.filePath(QStringLiteral("new"))});
        d->Groups_BB_SaveClick();
    }
    files.prepend(dir.filePath(QStringLiteral("new.tgl")));
    files.removeLast();
    EXPECT_EQ(History(*d), files);
    Registry::DeleteKey(key);
}

TEST(GroupSelectorFiles, ABadGroupingChangesNothing) {
    QTemporaryDir dir;
    MessageCapture messages;
    auto d = Selector(0, 3);
    Assign(*d, 2, {1, 2});
    const QString bad =
        Write(dir, QStringLiteral("bad.tgl"), "[Group settings]\nGroup number=3\nGroup-1=1,x,3\n");
    const QString gone = dir.filePath(QStringLiteral("gone.tgl"));
    d->Groups_CB_History->addItems({bad, gone});
    const QStringList list = Items(d->List_Group);
    {
        FileDialogAnswerer files({bad});
        d->Groups_BB_LoadClick();
    }
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].icon, MsgIcon::Stop);
    for (const char* part : {"bad.tgl", "\"Group-1\"", "\"1,x,3\""})
        EXPECT_TRUE(messages.shown[0].text.contains(QLatin1String(part)))
            << messages.shown[0].text.toStdString();
    for (int item : {0, 1}) { // the history releases nothing either
        d->Groups_CB_History->setCurrentIndex(item);
        d->Groups_CB_HistoryChange();
    }
    EXPECT_EQ(messages.shown.size(), 3u);
    EXPECT_EQ(Groups(*d), (std::vector<int32_t>{2, 2, 0}));
    EXPECT_EQ(d->Groups_SE_Number->value(), 2);
    EXPECT_TRUE(d->GroupMembers[1].isEmpty());
    EXPECT_EQ(Items(d->List_Group), list);
    EXPECT_EQ(History(*d), (QStringList{bad, gone}));
}

TEST(GroupSelectorFiles, CountsBeyondTheIntegerRangeAreOutOfRange) {
    QTemporaryDir dir;
    MessageCapture messages;
    const std::pair<int, QString> loads[] = {
        {0, Write(dir, QStringLiteral("big.tgl"), "[Group settings]\nGroup number=99999999999\n")},
        {5, Write(dir, QStringLiteral("big.pgl"),
                  "[Paired group settings]\nPairNumber=-99999999999\n")}};
    for (const auto& [mode, file] : loads) {
        auto d = Selector(mode, 3);
        FileDialogAnswerer files({file});
        d->Groups_BB_LoadClick();
    }
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_TRUE(messages.shown[0].text.endsWith(
        QStringLiteral("\"99999999999\" of \"Group number\" is out of range.")))
        << messages.shown[0].text.toStdString();
    EXPECT_TRUE(messages.shown[1].text.endsWith(
        QStringLiteral("\"-99999999999\" of \"PairNumber\" is out of range.")))
        << messages.shown[1].text.toStdString();
}

TEST(GroupSelectorFiles, SelectionsMarkByListPosition) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("s.csl"));
    auto eight = Selector(0, 8);
    Mark(*eight, {1, 2, 3, 4, 5, 6, 7, 8});
    {
        FileDialogAnswerer files({dir.filePath(QStringLiteral("s"))});
        eight->POM_Cond_SaveSelectionAsClick();
        EXPECT_EQ(files.requests[0].caption, QStringLiteral("Save selection"));
        EXPECT_EQ(files.requests[0].filter, QStringLiteral("Selection list (*.csl);;Any file (*)"));
    }
    auto five = Selector(0, 5);
    Mark(*five, {2, 5});
    {
        FileDialogAnswerer files({file}); // saved over the file of eight
        five->POM_Cond_SaveSelectionAsClick();
    }
    {
        FileDialogAnswerer files({dir.filePath(QStringLiteral("s"))});
        eight->POM_Cond_LoadSelectionClick();
        EXPECT_EQ(files.requests[0].kind, FileDialogKind::Open);
        EXPECT_EQ(files.requests[0].caption, QStringLiteral("Load selection"));
        EXPECT_EQ(files.requests[0].filter,
                  QStringLiteral("Selection list file (*.csl);;Any file (*)"));
    }
    EXPECT_EQ(Marked(*eight), (std::vector<int>{2, 5}));
}

TEST(GroupSelectorFiles, PairedGroupingsFillThePairsGrid) {
    QTemporaryDir dir;
    auto d = Selector(5, 4);
    const QString file =
        Write(dir, QStringLiteral("p.pgl"),
              "[Paired group settings]\nPairNumber=4\nPair_1=1,2\nPair_2=3,9\nPair_3=4,3\n");
    {
        FileDialogAnswerer files({file});
        d->Groups_BB_LoadClick();
        EXPECT_EQ(files.requests[0].filter,
                  QStringLiteral("Group list file (*.pgl);;Any file (*)"));
    }
    const auto cells = [&](int row) {
        QStringList texts;
        for (int c = 0; c < 3; ++c)
            texts << (d->Pairs_SG->item(row, c) ? d->Pairs_SG->item(row, c)->text() : QString());
        return texts;
    };
    ASSERT_EQ(d->Pairs_SG->rowCount(), 4);
    EXPECT_EQ(cells(1), (QStringList{"1", "1:c1", "2:c2"}));
    EXPECT_EQ(cells(2), (QStringList{"2", "4:c4", "3:c3"})); // the pair naming 9 is left out
    EXPECT_EQ(cells(3), (QStringList{"3", "", ""}));
    EXPECT_EQ(d->Groups_SE_Number->value(), 2);

    // Complete rows only, numbered again; a paired grouping stays out of the history.
    {
        FileDialogAnswerer files({dir.filePath(QStringLiteral("q"))});
        d->Groups_BB_SaveClick();
    }
    EXPECT_EQ(Read(dir.filePath(QStringLiteral("q.pgl"))),
              "[Paired group settings]\r\nPairNumber=4\r\nPair_1=1,2\r\nPair_2=4,3\r\n");
    EXPECT_EQ(History(*d), QStringList{file});
}

} // namespace

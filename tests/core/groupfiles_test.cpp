#include "groupfiles.h"
#include "inifile.h"

#include "testfiles.h"

#include <gtest/gtest.h>

namespace {

using IniFiles = FileTest;

TEST_F(IniFiles, ReadsAsTheProfileServiceDoes) {
    IniFile ini;
    std::string error;
    ASSERT_TRUE(
        ini.Load(Put("a.ini", "top=1\r\n[Group Settings]\r\n Group Number = 3 \r\n"
                              "group-1=\"1, 2\"\r\nGroup-2=1,2,3\r\nGROUP-2=9\r\nnoequals\r\n"
                              "[other]\nk=v=w\n[group settings]\ngroup-3=late\n"),
                 error))
        << error;
    EXPECT_EQ(ini.Read("group settings", "group number", "x"), "3");
    EXPECT_EQ(ini.Read("Group settings", "Group-1", "x"), "1, 2");
    EXPECT_EQ(ini.Read("Group settings", "Group-2", "x"), "1,2,3"); // the first wins
    EXPECT_EQ(ini.Read("Group settings", "Group-3", "x"), "x");     // only the first section
    EXPECT_EQ(ini.Read("OTHER", "k", "x"), "v=w");
    EXPECT_EQ(ini.Read("none", "top", "x"), "x");
    EXPECT_FALSE(ini.HasKey("other", "noequals"));
    EXPECT_FALSE(ini.Load(Path("none.ini"), error));
}

TEST_F(IniFiles, ASaveReplacesItsSectionAndKeepsTheOthers) {
    const std::string file = Put("s.ini", "; note\n[Selection]\n1=true\n2=true\n3=true\n"
                                          "[Group settings]\nGroup number=2\n");
    std::string error;
    ASSERT_TRUE(
        WriteIniSection(file, "selection", {{"1", "false"}, {"key with blanks", "a, b"}}, error))
        << error;
    EXPECT_EQ(Get(file), "; note\r\n[selection]\r\n1=false\r\nkey with blanks=a, b\r\n"
                         "[Group settings]\r\nGroup number=2\r\n");
    ASSERT_TRUE(WriteIniSection(Path("new.ini"), "S", {{"k", "v"}}, error));
    EXPECT_EQ(Get(Path("new.ini")), "[S]\r\nk=v\r\n");
    EXPECT_FALSE(WriteIniSection(file, "S", {{"k", "two\nlines"}}, error));
    EXPECT_FALSE(WriteIniSection(file, "S", {{"a=b", "v"}}, error));
}

using GroupFiles = FileTest;

TEST_F(GroupFiles, SelectionMarksOnlyExactTrue) {
    const std::string file = Path("s.csl");
    std::string error;
    ASSERT_TRUE(WriteSelectionFile(file, std::vector<bool>(8, true), error)) << error;
    ASSERT_TRUE(WriteSelectionFile(file, {true, false, true, true, true}, error));
    std::vector<bool> marked;
    ASSERT_TRUE(ReadSelectionFile(file, 8, marked, error));
    EXPECT_EQ(marked, (std::vector<bool>{true, false, true, true, true, false, false, false}));
    ASSERT_TRUE(ReadSelectionFile(Put("t.csl", "[Selection]\n1=TRUE\n2=true\n"), 2, marked, error));
    EXPECT_EQ(marked, (std::vector<bool>{false, true}));
    EXPECT_EQ(WithDefaultExtension("/d/x", ".csl"), "/d/x.csl");
    EXPECT_EQ(WithDefaultExtension("/d/x.dat", ".csl"), "/d/x.dat");
}

TEST_F(GroupFiles, GroupingRoundTripWithFirstConditionNumber) {
    const std::vector<int32_t> groupOf = {1, 2, 1, 0};
    EXPECT_EQ(GroupMemberText(groupOf, 1, 5), "5,7");
    const std::string file = Path("g.tgl");
    std::string error;
    ASSERT_TRUE(WriteGroupListFile(file, {0, 0, {"5,7", "6", ""}}, error)) << error;
    EXPECT_EQ(Get(file), "[Group settings]\r\nGroup number=3\r\nGroup-1=5,7\r\nGroup-2=6\r\n"
                         "Group-3=\r\n");
    GroupListRead r;
    ASSERT_TRUE(ReadGroupListFile(file, 4, 5, false, r, error)) << error;
    EXPECT_EQ(r.GroupCount, 3);
    EXPECT_EQ(r.Members, (std::vector<std::string>{"5,7", "6", ""}));
    EXPECT_EQ(r.groupOf, (std::vector<int32_t>{1, 2, 1, 0}));

    // Two factors: every one of their F1 x F2 groups comes back.
    ASSERT_TRUE(WriteGroupListFile(file, {2, 3, {"1", "2", "3", "4", "5", "6"}}, error));
    ASSERT_TRUE(ReadGroupListFile(file, 6, 1, true, r, error));
    EXPECT_EQ(r.GroupCount, 6);
    EXPECT_EQ(r.groupOf, (std::vector<int32_t>{1, 2, 3, 4, 5, 6}));
}

TEST_F(GroupFiles, GroupingLimitsAndRefusals) {
    GroupListRead r;
    std::string error;
    ASSERT_TRUE(ReadGroupListFile(Put("a.tgl", "[Group settings]\nGroup number=30\n"
                                               "Group-1=1,,3, 999999,-2147483648\nGroup-12=2\n"),
                                  3, 1, false, r, error))
        << error;
    EXPECT_EQ(r.GroupCount, 12);
    EXPECT_EQ(r.groupOf, (std::vector<int32_t>{1, 12, 1}));
    ASSERT_TRUE(ReadGroupListFile(Put("b.tgl", "[x]\n"), 2, 1, false, r, error));
    EXPECT_EQ(r.GroupCount, 1);

    r.GroupCount = 77;
    EXPECT_FALSE(ReadGroupListFile(
        Put("c.tgl", "[Group settings]\nGroup number=2\nGroup-2=1,x,3\n"), 3, 1, false, r, error));
    EXPECT_NE(error.find("c.tgl"), std::string::npos) << error;
    EXPECT_NE(error.find("\"Group-2\""), std::string::npos) << error;
    EXPECT_NE(error.find("\"1,x,3\""), std::string::npos) << error;
    EXPECT_FALSE(ReadGroupListFile(Path("none.tgl"), 3, 1, false, r, error));
    EXPECT_EQ(r.GroupCount, 77);
}

TEST_F(GroupFiles, PairedGroupingRoundTripAndBounds) {
    const std::string file = Path("p.pgl");
    std::string error;
    ASSERT_TRUE(WritePairedGroupFile(file, {{"1:a", "2:b"}, {"3:c", ""}, {"4:d", "9:e"}}, error));
    EXPECT_EQ(Get(file), "[Paired group settings]\r\nPairNumber=4\r\nPair_1=1,2\r\nPair_2=4,9\r\n");
    PairedGroupRead r;
    ASSERT_TRUE(ReadPairedGroupFile(file, 5, r, error)) << error;
    EXPECT_EQ(r.RowCount, 4);
    EXPECT_EQ(r.Pairs, (std::vector<std::pair<int32_t, int32_t>>{{1, 2}})); // 9 is beyond the list

    for (const char* number : {"PairNumber=2000000000\n", "PairNumber=-5\n", ""}) {
        const std::string text =
            std::string("[Paired group settings]\n") + number + "Pair_1=1,2\nPair_3=2,3\n";
        ASSERT_TRUE(ReadPairedGroupFile(Put("q.pgl", text), 3, r, error)) << number;
        EXPECT_GE(r.RowCount, 2) << number;
        EXPECT_LE(r.RowCount, 4) << number;
    }
    EXPECT_EQ(r.Pairs.size(), 2u); // a missing PairNumber leaves room for every condition
    EXPECT_FALSE(
        ReadPairedGroupFile(Put("x.pgl", "[Paired group settings]\nPair_1=1;2\n"), 3, r, error));
}

} // namespace

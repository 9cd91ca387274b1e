#include "recentlist.h"

#include <array>
#include <gtest/gtest.h>

namespace {

TEST(AddRecentEntry, NewestFirstAndAListedEntryStays) {
    std::array<std::string, 11> recent; // entry 0 unused, as in the records
    const std::span<std::string> list(recent.begin() + 1, recent.end());
    for (int i = 1; i <= 10; ++i) EXPECT_TRUE(AddRecentEntry(list, "f" + std::to_string(i)));
    EXPECT_EQ(recent[1], "f10");
    EXPECT_EQ(recent[10], "f1");
    EXPECT_FALSE(AddRecentEntry(list, "f3")); // present: not moved
    EXPECT_EQ(recent[1], "f10");
    EXPECT_TRUE(AddRecentEntry(list, "F3")); // other case, another file
    EXPECT_EQ(recent[1], "F3");
    EXPECT_EQ(recent[10], "f2"); // the oldest dropped
    EXPECT_TRUE(recent[0].empty());
    EXPECT_FALSE(AddRecentEntry(list, ""));

    std::array<std::string, 9> history{"a.tgl"};
    EXPECT_FALSE(AddRecentEntry(history, "A.TGL", true));
    EXPECT_TRUE(AddRecentEntry(history, "b.tgl", true));
    EXPECT_EQ(history[0], "b.tgl");
    EXPECT_EQ(history[1], "a.tgl");
}

// The entry a load lists is read back the way the "/expmat=" switch reads its text.
TEST(ExpressionEntry, ReadsBackWhatALoadLists) {
    const ExpressionMatrixEntry e{"/d/m.txt", 7, 13, 10, 11, 12};
    EXPECT_EQ(FormatExpressionEntry(e), "/d/m.txt;7;13;10;11;12");
    EXPECT_EQ(ParseExpressionEntry(FormatExpressionEntry(e)), e);
    EXPECT_EQ(ParseExpressionEntry("a&b.txt;2;x1"), (ExpressionMatrixEntry{"a&b.txt", 2}));
    EXPECT_EQ(ParseExpressionEntry(""), ExpressionMatrixEntry{});
}

} // namespace

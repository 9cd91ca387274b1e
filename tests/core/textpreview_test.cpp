#include "textpreview.h"

#include <gtest/gtest.h>

namespace {

TEST(TextPreview, RowsAreCompleteLinesCutAtTabs) {
    const PreviewTable t = PreviewFromBytes("a\tb\r\n\tc\t\n\nlast line without feed");
    ASSERT_EQ(t.Rows.size(), 3u);
    EXPECT_EQ(t.Rows[0], (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(t.Rows[1], (std::vector<std::string>{"", "c", ""}));
    EXPECT_EQ(t.Rows[2], (std::vector<std::string>{""}));
    EXPECT_EQ(t.MaxFields, 3u);
}

TEST(TextPreview, QuotesAreNotSpecialAndEmptyInputGivesNoRows) {
    const PreviewTable t = PreviewFromBytes("\"x\ty\"\tz\n");
    ASSERT_EQ(t.Rows.size(), 1u);
    EXPECT_EQ(t.Rows[0], (std::vector<std::string>{"\"x", "y\"", "z"}));
    EXPECT_TRUE(PreviewFromBytes("").Rows.empty());
    EXPECT_TRUE(PreviewFromBytes("no feed at all").Rows.empty());
    EXPECT_EQ(PreviewFromBytes("").MaxFields, 0u);
}

} // namespace

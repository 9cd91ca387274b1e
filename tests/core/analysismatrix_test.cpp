#include "analysismatrix.h"
#include "random.h"

#include <cmath>
#include <gtest/gtest.h>
#include <vector>

namespace {

TEST(AnalysisMatrix, MembersMapToColumnsAndCellsOutsideReadEmpty) {
    AnalysisMatrix m;
    m.FirstConditionNumber = 5;
    m.Resize(2, 3);
    EXPECT_TRUE(std::isnan(m.At(2, 3)));
    m.At(2, 3) = 4.5f;
    EXPECT_EQ(m.Values[5], 4.5f);
    EXPECT_EQ(m.ColumnOfMember(5), 1);
    EXPECT_EQ(m.ColumnOfMember(7), 3);
    EXPECT_EQ(m.ColumnOfMember(8), 0);
    EXPECT_EQ(m.ColumnOfMember(4), 0);
    EXPECT_EQ(m.ColumnOfMember(int64_t{1} << 40), 0);
    m.HeaderCells = {{}, {"", "title"}};
    EXPECT_EQ(m.HeaderCell(1, 1), "title");
    EXPECT_EQ(m.HeaderCell(1, 2), "");
    EXPECT_EQ(m.HeaderCell(-1, 0), "");
    EXPECT_EQ(m.AnnotationCell(9, 9), "");
    EXPECT_FALSE(m.Inside(0, 1));
    EXPECT_FALSE(m.Inside(3, 1));
}

TEST(Random, RepeatsAfterAResetAndStaysInRange) {
    ResetRandom();
    std::vector<double> first;
    for (int i = 0; i < 100; ++i) first.push_back(RandomUnit());
    ResetRandom();
    for (int i = 0; i < 100; ++i) EXPECT_EQ(RandomUnit(), first[i]);
    for (int i = 0; i < 1000; ++i) {
        const int32_t k = RandomBelow(30);
        EXPECT_GE(k, 0);
        EXPECT_LT(k, 30);
    }
    EXPECT_EQ(RandomBelow(0), 0);
    for (double v : first) {
        EXPECT_GE(v, 0.0);
        EXPECT_LT(v, 1.0);
    }
}

} // namespace

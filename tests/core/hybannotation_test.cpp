#include "hybannotation.h"

#include <gtest/gtest.h>
#include <memory>

namespace {

TEST(HybridisationAnnotationTable, RoundTripKeepsWhatTheUserCannotOrDidNotSet) {
    auto data = std::make_unique<tCGH_DataSet>();
    ClearCGHDataSet(*data);
    EXPECT_EQ(HybridisationAnnotationTable(*data).ColCount(), 2); // the key column alone

    data->HNum = 2;
    for (int k = 1; k <= kAnnotationKeys; ++k) {
        data->Annotation[0][size_t(k)] = "key" + std::to_string(k);
        for (int h = 1; h <= 2; ++h)
            data->Annotation[size_t(h)][size_t(k)] = std::to_string(h) + "." + std::to_string(k);
    }
    data->Annotation[1][3] = "M\xfcller"; // Latin-1 bytes
    TextTable t = HybridisationAnnotationTable(*data);
    ASSERT_EQ(t.ColCount(), 4);
    ASSERT_EQ(t.RowCount(), 101);
    EXPECT_EQ(t.Cell(0, 0), "");
    EXPECT_EQ(t.Cell(1, 0), "Key");
    EXPECT_EQ(t.Cell(3, 0), "2");
    EXPECT_EQ(t.Cell(1, 7), "key7");
    EXPECT_EQ(t.Cell(3, 100), "2.100");

    t.SetCell(2, 1, "renamed"); // row 1 is never written back
    t.SetCell(1, 5, "");        // a cleared key name keeps the key's values
    t.SetCell(2, 5, "lost");    //
    t.SetCell(2, 4, "new");     // an ordinary edit
    t.SetCell(1, 6, "sixth");   // key names live in hybridisation 0
    t.SetSize(3, 50);           // hybridisation 2 and rows 50.. are gone from the table
    ApplyHybridisationAnnotationTable(t, *data);
    EXPECT_EQ(data->Annotation[1][1], "1.1");
    EXPECT_EQ(data->Annotation[0][5], "key5");
    EXPECT_EQ(data->Annotation[1][5], "1.5");
    EXPECT_EQ(data->Annotation[1][4], "new");
    EXPECT_EQ(data->Annotation[0][6], "sixth");
    EXPECT_EQ(data->Annotation[1][3], "M\xfcller");
    EXPECT_EQ(data->Annotation[2][4], "2.4");
    EXPECT_EQ(data->Annotation[1][60], "1.60");
}

TEST(ParseAnnotationKeys, WholeKeysOneToHundredAtMostHundred) {
    std::vector<std::string> skipped;
    EXPECT_EQ(ParseAnnotationKeys(" 2, 3,x,0,101,,7,2.5", skipped), (std::vector<int>{2, 3, 7}));
    ASSERT_EQ(skipped.size(), 5u);
    EXPECT_EQ(skipped[0], "Annotation key \"x\" skipped: no whole number.");
    EXPECT_EQ(skipped[1], "Annotation key \"0\" skipped: key outside 1..100.");

    std::string many;
    for (int n = 0; n < 105; ++n) many += "1,";
    skipped.clear();
    EXPECT_EQ(ParseAnnotationKeys(many, skipped).size(), 100u);
    EXPECT_EQ(skipped.size(), 5u);
}

} // namespace

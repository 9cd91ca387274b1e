#include "records.h"

#include <gtest/gtest.h>
#include <limits>
#include <memory>

namespace {

TEST(ClearCGHDataSet, ResetsTableAndFlagsButKeepsProbes) {
    auto data = std::make_unique<tCGH_DataSet>();
    data->Hyb[3].FileName = "a.txt";
    data->Hyb[3].Active = 1;
    data->Hyb[3].Chr[1].Resize(4);
    data->Hyb[3].Chr[1].SetCount(2);
    data->Hyb[3].Chr[1].Set(4, 1, 0.5f);
    data->Annotation[3][7] = "x";
    data->RecentFiles[2] = "r.cgm";
    data->HNum = 3;
    data->DataType = 2;
    data->ShowSingleProbes = 0;
    data->Gain = 3;

    ClearCGHDataSet(*data);

    EXPECT_EQ(data->Annotation[0][1], "File name");
    for (int h = 0; h <= kMaxHybridisations; ++h)
        for (int k = 0; k <= kAnnotationKeys; ++k)
            if (h != 0 || k != 1) {
                EXPECT_TRUE(data->Annotation[h][k].empty()) << h << "," << k;
            }
    EXPECT_EQ(data->HNum, 0);
    EXPECT_EQ(data->DataType, 0);
    EXPECT_EQ(data->ShowGroups, 0);
    EXPECT_EQ(data->ShowProcessed, 0);
    EXPECT_EQ(data->ShowSingleProbes, 1);
    EXPECT_EQ(data->DisplayStart, 50);
    EXPECT_EQ(data->Gain, 1.0f);
    EXPECT_TRUE(data->RecentFiles[2].empty());
    EXPECT_TRUE(data->Hyb[3].FileName.empty());
    EXPECT_EQ(data->Hyb[3].Active, 0);
    EXPECT_EQ(data->Hyb[3].Chr[1].Count(), 2);
    EXPECT_EQ(data->Hyb[3].Chr[1].Get(4, 1), 0.5f);
}

TEST(FindFreeHybridisationSlot, StartsAtOneAndStopsAtFifty) {
    auto data = std::make_unique<tCGH_DataSet>();
    EXPECT_EQ(FindFreeHybridisationSlot(*data, 0), 1);
    EXPECT_EQ(data->HNum, 1);
    EXPECT_EQ(FindFreeHybridisationSlot(*data, -5), 1);
    EXPECT_EQ(FindFreeHybridisationSlot(*data, 51), 0);
    EXPECT_EQ(FindFreeHybridisationSlot(*data, 50), 50);
    EXPECT_EQ(data->HNum, 50);

    for (int h = 1; h <= kMaxHybridisations; ++h) data->Hyb[h].FileName = "f";
    data->HNum = 17;
    EXPECT_EQ(FindFreeHybridisationSlot(*data, 1), 0);
    EXPECT_EQ(data->HNum, 17);
}

TEST(FindFreeHybridisationSlot, RefillingALowerSlotKeepsHigherSlotsInUse) {
    auto data = std::make_unique<tCGH_DataSet>();
    for (int i = 0; i < 3; ++i) {
        const int slot = FindFreeHybridisationSlot(*data, 1);
        data->Hyb[slot].FileName = "f" + std::to_string(slot);
    }
    EXPECT_EQ(data->HNum, 3);
    data->Hyb[2].FileName.clear();
    EXPECT_EQ(FindFreeHybridisationSlot(*data, 1), 2);
    EXPECT_EQ(data->HNum, 3);
}

TEST(ProbeArray, CountIsRoundedAndClampedToTheArray) {
    tCGHProbeArray a;
    EXPECT_EQ(a.Count(), 0);
    a.Resize(5);
    a.SetCount(3);
    EXPECT_EQ(a.Count(), 3);
    a.Set(0, 0, 2.6f);
    EXPECT_EQ(a.Count(), 3);
    a.Set(0, 0, 1e9f);
    EXPECT_EQ(a.Count(), 4);
    a.Set(0, 0, -7.0f);
    EXPECT_EQ(a.Count(), 0);
    a.Set(0, 0, std::numeric_limits<float>::quiet_NaN());
    EXPECT_EQ(a.Count(), 0);
}

TEST(ProbeArray, SlotsWithoutMeaningReadZeroAndIgnoreWrites) {
    tCGHProbeArray a;
    a.Resize(3);
    a.Set(25, 1, 5.0f);
    EXPECT_EQ(a.Get(25, 1), 0.0f);
    EXPECT_EQ(a.Slot(30), nullptr);
    a.Set(40, 2, 1.5f);
    EXPECT_EQ(a.Slot(40)[2], 1.5f);
}

TEST(ProbeArray, PermuteMovesEverySlotAlong) {
    tCGHProbeArray a;
    a.Resize(4);
    a.SetCount(3);
    for (int i = 1; i <= 3; ++i) {
        a.Set(2, i, static_cast<float>(10 * i));
        a.Set(40, i, static_cast<float>(i));
    }
    a.Permute({0, 3, 1, 2});
    EXPECT_EQ(a.Get(2, 1), 30.0f);
    EXPECT_EQ(a.Get(40, 1), 3.0f);
    EXPECT_EQ(a.Get(2, 3), 20.0f);
    EXPECT_EQ(a.Count(), 3);
}

TEST(FeatureList, CountLivesInTheSecondNumberOfTheHeader) {
    tFList list(4);
    list[0].Num[0] = 99;
    list[0].Num[1] = 2;
    EXPECT_EQ(FeatureCount(list), 2);
    list[0].Num[1] = 50;
    EXPECT_EQ(FeatureCount(list), 3);
    EXPECT_EQ(FeatureCount(tFList{}), 0);
}

} // namespace

namespace {

TEST(ProbeArray, GenerationIsNewForEverySizingAndKeptByCopiesAndMoves) {
    tCGHProbeArray a;
    a.Resize(3);
    const uint64_t first = a.Generation();
    tCGHProbeArray copy = a;
    EXPECT_EQ(copy.Generation(), first);
    a.Set(2, 1, 5.0f); // writing values keeps the generation
    EXPECT_EQ(a.Generation(), first);
    a.Resize(3);
    EXPECT_NE(a.Generation(), first);
    const uint64_t second = a.Generation();
    a.Permute({0, 2, 1});
    EXPECT_NE(a.Generation(), second);
    const uint64_t third = a.Generation();
    tCGHProbeArray moved = std::move(a);
    EXPECT_EQ(moved.Generation(), third);
}

TEST(ProbeArray, UnwrittenSlotsReadZeroAndSharedColumnsSplitOnWrite) {
    tCGHProbeArray a;
    a.Resize(5);
    a.SetCount(3);
    for (int s = 1; s <= 40; ++s) {
        EXPECT_FALSE(a.Allocated(s)) << s;
        if (tCGHProbeArray::HasStorage(s)) {
            EXPECT_EQ(a.Slot(s)[4], 0.0f) << s;
        }
    }
    a.Set(7, 2, 1.5f);
    EXPECT_TRUE(a.Allocated(7));
    EXPECT_EQ(a.Get(6, 2), 0.0f);
    EXPECT_EQ(a.Get(7, 2), 1.5f);
    EXPECT_EQ(a.Get(8, 2), 0.0f);

    // Copies, slots and hybridisations share a column until one of them writes it.
    tCGHProbeArray copy = a;
    copy.Set(7, 2, 3.0f);
    EXPECT_EQ(a.Get(7, 2), 1.5f);
    a.ShareSlot(7, 40);
    a.Set(7, 2, 4.0f);
    EXPECT_EQ(a.Get(40, 2), 1.5f);

    auto data = std::make_unique<tCGH_DataSet>();
    for (int h = 1; h <= 3; ++h) {
        tCGHProbeArray& p = data->Hyb[h].Chr[5];
        data->Hyb[h].FileName = "f";
        p.Resize(4);
        p.SetCount(2);
        for (int i = 1; i <= 2; ++i) p.Set(2, i, 100.0f * i + (h == 3 ? 1.0f : 0.0f));
    }
    ShareEqualPositions(*data, 2);
    ShareEqualPositions(*data, 3);
    tCGHProbeArray& one = data->Hyb[1].Chr[5];
    tCGHProbeArray& two = data->Hyb[2].Chr[5];
    EXPECT_EQ(two.Slot(2), one.Slot(2));
    EXPECT_NE(data->Hyb[3].Chr[5].Slot(2), one.Slot(2)); // other positions stay apart
    two.Set(2, 1, 7.0f);
    EXPECT_NE(two.Slot(2), one.Slot(2));
    EXPECT_EQ(one.Get(2, 1), 100.0f);
    EXPECT_EQ(two.Get(2, 1), 7.0f);

    // Loaded zero columns read the shared zero column and equal ones share a column.
    const float zeros[4] = {}, fives[4] = {0.0f, 5.0f, 0.0f, 0.0f};
    two.Set(9, 1, 3.0f);
    two.LoadSlot(9, zeros);
    two.LoadSlot(10, fives);
    two.LoadSlot(11, fives);
    EXPECT_FALSE(two.Allocated(9));
    EXPECT_EQ(two.Get(9, 1), 0.0f);
    EXPECT_EQ(two.Slot(10), two.Slot(11));
    EXPECT_EQ(two.Get(11, 1), 5.0f);
    EXPECT_EQ(two.Get(2, 1), 7.0f);
}

} // namespace

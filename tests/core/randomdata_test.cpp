#include "randomdata.h"

#include <gtest/gtest.h>
#include <memory>

namespace {

TEST(RandomCGHData, ReplacesTheDataSetWithTenActiveSets) {
    auto data = std::make_unique<tCGH_DataSet>();
    data->RecentFiles[1] = "kept.cgm";
    data->HNum = 20;
    data->Hyb[20].FileName = "earlier.txt";
    data->Hyb[20].Chr[1].Resize(5);
    data->Hyb[20].Chr[1].SetCount(4);
    tGenomeLayout layout;
    layout.ChromosomeCount = 40; // an ideogram of more chromosomes than the probe arrays hold
    for (int c = 1; c <= kLayoutSlots; ++c) layout.ArmMaxEnd[c] = {0, 250000, 1000000};

    FillRandomCGHData(*data, layout);
    EXPECT_EQ(data->HNum, 10);
    EXPECT_EQ(data->RecentFiles[1], "kept.cgm");
    EXPECT_TRUE(data->Hyb[20].FileName.empty());
    EXPECT_EQ(data->Hyb[20].Chr[1].Count(), 0);
    for (int h = 1; h <= 10; ++h) {
        EXPECT_EQ(data->Hyb[h].FileName, "Randam data " + std::to_string(h));
        EXPECT_EQ(data->Annotation[h][1], data->Hyb[h].FileName);
        EXPECT_EQ(data->Hyb[h].Active, 1);
        const tCGHProbeArray& a = data->Hyb[h].Chr[kChromosomes];
        ASSERT_EQ(a.Count(), 12); // 2 + 10 probes, 100,000 bp apart
        EXPECT_EQ(a.Get(2, 12), 1200000.0f);
        EXPECT_EQ(a.Get(3, 12), 1200020.0f);
        for (int i = 1; i <= 12; ++i) {
            EXPECT_GE(a.Get(4, i), -1.0f);
            EXPECT_LT(a.Get(4, i), 1.0f);
            EXPECT_EQ(a.Get(11, i), a.Get(4, i));
            EXPECT_EQ(a.Get(40, i), a.Get(4, i));
        }
    }
}

} // namespace

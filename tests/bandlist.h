// Ideogram band lists built by hand for tests, with the chromosome geometry the reader would
// derive from them.
#pragma once

#include "ideogram.h"
#include "records.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

struct BandRow {
    int chr, arm, band, sub, subSub, start, end;
    float density = 0;
    int extra = 0;
};

inline tFeature MakeBand(const BandRow& r) {
    tFeature f;
    f.Num[1] = float(r.chr);
    f.Num[2] = float(r.arm);
    f.Num[3] = float(r.band);
    f.Num[4] = float(r.sub);
    f.Num[5] = float(r.subSub);
    f.Num[8] = float(r.start);
    f.Num[9] = float(r.end);
    f.Num[10] = float(r.extra);
    f.Num[11] = r.density;
    return f;
}

// Entry 0 is the header holding the count; rows follow in order.
inline tFList MakeBandList(const std::vector<BandRow>& rows) {
    tFList list(rows.size() + 1);
    list[0].Num[1] = float(rows.size());
    for (size_t i = 0; i < rows.size(); ++i) list[i + 1] = MakeBand(rows[i]);
    return list;
}

// Arm lengths, longest chromosome and p arm, and selection as the ideogram reader sets them.
inline tGenomeLayout MakeLayout(const std::vector<BandRow>& rows) {
    tGenomeLayout layout;
    for (const BandRow& r : rows) {
        layout.ChromosomeCount = std::max(layout.ChromosomeCount, r.chr);
        if (r.arm >= 0 && r.arm <= 2)
            layout.ArmMaxEnd[r.chr][r.arm] = std::max(layout.ArmMaxEnd[r.chr][r.arm], r.end);
    }
    int longestQ = 0;
    for (int c = 1; c <= layout.ChromosomeCount; ++c) {
        layout.ArmMaxEnd[c][2] = std::max(0, layout.ArmMaxEnd[c][2] - layout.ArmMaxEnd[c][1]);
        layout.LongestPArm = std::max(layout.LongestPArm, layout.ArmMaxEnd[c][1]);
        longestQ = std::max(longestQ, layout.ArmMaxEnd[c][2]);
        layout.Length[c] = layout.ArmMaxEnd[c][1] + layout.ArmMaxEnd[c][2];
        layout.Selected[c] = 1;
    }
    layout.LongestChromosome = layout.LongestPArm + longestQ;
    layout.ShowBandNames = 1;
    return layout;
}

// The shipped human ideogram, read as the program reads it.
struct ShippedBands {
    ShippedBands() {
        std::string error;
        EXPECT_TRUE(ReadIdeogramFile(std::string(QB_TEST_DATA) + "/ideogram;2,1,2,3,6,7,8,9,4",
                                     bands, layout, type, nullptr, error))
            << error;
    }
    tFList bands;
    tGenomeLayout layout;
    int32_t type = 0;
};

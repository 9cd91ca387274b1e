// Small CGH data sets for the group-test and filter tests.
#pragma once

#include "records.h"

#include <memory>
#include <string>
#include <vector>

// A data set of `hybs` loaded hybridisations whose chromosome `chr` holds `probes` probes at
// 1000 x i .. 1000 x i + 500; other chromosomes are empty.
inline std::unique_ptr<tCGH_DataSet> MakeDataSet(int hybs, int chr, int probes) {
    auto data = std::make_unique<tCGH_DataSet>();
    data->HNum = hybs;
    for (int h = 1; h <= hybs; ++h) {
        data->Hyb[h].FileName = "hyb" + std::to_string(h) + ".txt";
        data->Hyb[h].Active = 1;
        tCGHProbeArray& a = data->Hyb[h].Chr[chr];
        a.Resize(probes + 2);
        a.SetCount(probes);
        for (int i = 1; i <= probes; ++i) {
            a.Set(1, i, static_cast<float>(chr));
            a.Set(2, i, 1000.0f * i);
            a.Set(3, i, 1000.0f * i + 500.0f);
        }
    }
    return data;
}

// Sets `slot` of probes 1.. of hybridisation h on chromosome chr to `values`.
inline void SetSlot(tCGH_DataSet& data, int h, int chr, int slot,
                    const std::vector<float>& values) {
    for (size_t i = 0; i < values.size(); ++i)
        data.Hyb[h].Chr[chr].Set(slot, static_cast<int>(i) + 1, values[i]);
}

// Slot `slot` of probes 1..count of hybridisation h on chromosome chr.
inline std::vector<float> GetSlot(const tCGH_DataSet& data, int h, int chr, int slot) {
    const tCGHProbeArray& a = data.Hyb[h].Chr[chr];
    std::vector<float> v;
    for (int i = 1; i <= a.Count(); ++i) v.push_back(a.Get(slot, i));
    return v;
}

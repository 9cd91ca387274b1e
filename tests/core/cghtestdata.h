// Small CGH data sets for the transform and smoothing tests.
#pragma once

#include "records.h"

#include <regex>
#include <string>
#include <vector>

// Fills chromosome `chr` of hybridisation `h` with the given values in `slot`, the array sized
// exactly count + 1 so that a read past the last probe trips AddressSanitizer.
inline tCGHProbeArray& SetProbes(tCGH_DataSet& data, int h, int chr, int slot,
                                 const std::vector<float>& values) {
    tCGHProbeArray& a = data.Hyb[h].Chr[chr];
    const int n = static_cast<int>(values.size());
    if (a.Size() != n + 1) a.Resize(n + 1);
    a.SetCount(n);
    for (int i = 1; i <= n; ++i) {
        a.Set(1, i, static_cast<float>(chr));
        a.Set(2, i, 1000.0f * i);
        a.Set(slot, i, values[static_cast<size_t>(i - 1)]);
    }
    return a;
}

inline std::vector<float> Column(const tCGHProbeArray& a, int slot) {
    std::vector<float> v;
    for (int i = 1; i <= a.Count(); ++i) v.push_back(a.Get(slot, i));
    return v;
}

// The report with its run-time line, when it has the expected form, replaced by "<t>" + suffix.
inline std::vector<std::string> MaskTime(std::vector<std::string> lines) {
    static const std::regex time(R"(^\d+\.\d{3}(s elapsed time\.?)$)");
    for (auto& line : lines) line = std::regex_replace(line, time, "<t>$1");
    return lines;
}

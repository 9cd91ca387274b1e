// Gene-feature lists built by hand for tests.
#pragma once

#include "records.h"

#include <vector>

struct GeneRow {
    const char* name;
    int chr, start, end;
};

// Entry 0 holds the count; every row is a GENE feature on the plus strand.
inline tFList MakeGeneList(const std::vector<GeneRow>& rows) {
    tFList genes(rows.size() + 1);
    genes[0].Num[1] = float(rows.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        tFeature& f = genes[i + 1];
        f.Name = rows[i].name;
        f.Num[1] = float(rows[i].chr);
        f.Num[2] = float(rows[i].start);
        f.Num[3] = float(rows[i].end);
        f.Num[4] = 1;
        f.Num[5] = 1;
    }
    return genes;
}

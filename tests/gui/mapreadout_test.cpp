// The status-bar read-out taken from the geometry of a render, without a window.
#include "bandlist.h"
#include "genelist.h"
#include "mapreadout.h"

#include <gtest/gtest.h>
#include <set>

namespace {

// Chromosomes 1..7 with arms of 1000 bp, but chromosome 5 with a p arm of 500 bp; on a map 1040
// pixels along this is 0.5 pixels per base pair.
tGenomeLayout SevenChromosomes() {
    std::vector<BandRow> rows;
    for (int c = 1; c <= 7; ++c) {
        const int p = c == 5 ? 500 : 1000;
        rows.push_back({c, 1, 0, 0, 0, 1, p});
        rows.push_back({c, 2, 0, 0, 0, p + 1, p + 1000});
    }
    return MakeLayout(rows);
}

tFList Genes() {
    return MakeGeneList({{"G1", 1, 100, 300},
                         {"G7", 7, 100, 300},
                         {"G2", 2, 100, 300},
                         {"G5", 5, 100, 300},
                         {"G5B", 5, 200, 400}});
}

TEST(MapReadout, ChromosomeAndTextComeFromTheColumnUnderThePointer) {
    tHeatmap matrix;
    matrix.Header.assign(5, std::vector<std::string>(2));
    for (int s = 1; s <= 4; ++s) matrix.Header[size_t(s)][1] = "S" + std::to_string(s);
    matrix.SampleOrder[0] = 3;
    matrix.SampleOrder[1] = 1;
    matrix.SampleOrder[2] = 3;
    matrix.SampleOrder[3] = 2;
    const tFList genes = Genes();

    // Ideogram 60 across, the gene track's room 60..260 with names (line at 110), 60..160
    // without (line at 110, the column ends there); or the heat map from 70 with columns of
    // `step`. Along: base pair b of a 1000-bp p arm lies at 20 + b / 2.
    const struct {
        const char* what;
        int orientation, first, last;
        std::set<int> selected;
        int genes; // 0 none, 1 without names, 2 with names
        int step, x, y;
        int chromosome;
        const char* text;
    } cases[] = {
        {"chromosome 7 alone", 1, 7, 7, {1, 2, 3, 4, 5, 6, 7}, 2, 0, 150, 120, 7, "G7"},
        {"in the ideogram", 1, 7, 7, {1, 2, 3, 4, 5, 6, 7}, 2, 0, 50, 120, 7, ""},
        // Chromosome 5 is painted second; its genes lie 500 bp further along.
        {"2 and 5 selected", 1, 1, 25, {2, 5}, 2, 0, 410, 20 + 375, 5, "G5 or G5B"},
        {"first of 2 and 5", 1, 1, 25, {2, 5}, 2, 0, 150, 120, 2, "G2"},
        {"far right", 1, 1, 25, {2, 5}, 2, 0, 600, 120, 0, ""},
        // Without names a feature's right half lies beyond its chromosome's column.
        {"beyond the column", 1, 1, 25, {2, 5}, 1, 0, 130, 120, 2, "G2"},
        {"next column", 1, 1, 25, {2, 5}, 1, 0, 170, 120, 5, ""},
        // Lying, across runs up from the bottom edge (540 high).
        {"lying", 2, 7, 7, {1, 2, 3, 4, 5, 6, 7}, 2, 0, 120, 540 - 150, 7, "G7"},
        {"lying, far", 2, 1, 25, {2, 5}, 2, 0, 120, 540 - 600, 0, ""},
        {"sample column 2", 1, 7, 7, {7}, 0, 5, 70 + 7, 120, 7, "3: S3"},
        {"past the shown samples", 1, 7, 7, {7}, 0, 5, 70 + 15, 120, 7, ""},
        {"no column width", 1, 7, 7, {7}, 0, 0, 70, 120, 7, "nan"},
    };
    for (const auto& c : cases) {
        tGenomeLayout layout = SevenChromosomes();
        for (int k = 1; k <= 7; ++k) layout.Selected[size_t(k)] = c.selected.count(k) ? 1 : 0;
        MapViewInputs v;
        v.Orientation = c.orientation;
        v.Width = c.orientation == 2 ? 1040 : 1200;
        v.Height = c.orientation == 2 ? 540 : 1040;
        v.FirstChromosome = c.first;
        v.LastChromosome = c.last;
        v.ShowGenes = c.genes > 0;
        v.ShowGeneNames = c.genes == 2;
        v.ShowExpression = c.genes == 0;
        v.ExpressionStep = c.step;
        v.ExpressionColumns = c.step * matrix.SampleOrder[0];
        const MapGeometry g(v, layout);
        const MapReadout r = ReadMapPosition(g, c.x, c.y, genes, matrix);
        EXPECT_EQ(r.Chromosome, c.chromosome) << c.what;
        EXPECT_EQ(r.Text.toStdString(), c.text) << c.what;
        if (c.genes > 0 && c.chromosome == 7) {
            EXPECT_EQ(r.BasePair, 200) << c.what;
        }
    }
}

} // namespace

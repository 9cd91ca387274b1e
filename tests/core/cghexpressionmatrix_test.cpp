#include "cghexpressionmatrix.h"
#include "numbers.h"
#include "probeposition.h"
#include "testfiles.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace {

// The value the reader stores for a cell written as FormatFixed(v, 6).
float Stored(double v) {
    return static_cast<float>(ParseLenientFloat(FormatFixed(v, 6)) * 3.16227766016838);
}

std::string Row(const std::vector<std::string>& cells) {
    std::string line;
    for (size_t i = 0; i < cells.size(); ++i) line += (i ? "\t" : "") + cells[i];
    return line + "\n";
}

// Name, gene, position, then data columns 4..fields with values base + column / 10.
std::string ProbeRow(const std::string& name, const std::string& position, int fields,
                     double base) {
    std::vector<std::string> cells{name, "gene_" + name, position};
    for (int k = 4; k <= fields; ++k) cells.push_back(FormatFixed(base + k / 10.0, 6));
    return Row(cells);
}

std::string Header(int fields) {
    std::vector<std::string> cells{"Name", "Gene", "Position"};
    for (int k = 4; k <= fields; ++k) cells.push_back("H" + std::to_string(k - 3));
    return Row(cells);
}

std::unique_ptr<tCGH_DataSet> Loaded(const std::string& text, std::string& error, int first = 4,
                                     int last = 20) {
    auto data = std::make_unique<tCGH_DataSet>();
    EXPECT_TRUE(
        LoadMatrixColumns(3, 1, 2, first, last, WriteTestFile("cghx.txt", text), *data, 1, error))
        << error;
    return data;
}

TEST(ProbePosition, ChromosomeStartAndEnd) {
    auto p = ParseProbePosition("chr7:1000-2000");
    EXPECT_EQ(p.chr, 7);
    EXPECT_EQ(p.start, 1000);
    EXPECT_EQ(p.end, 2000);
    EXPECT_EQ(ParseProbePosition("chrX:5-6").chr, 23);
    EXPECT_EQ(ParseProbePosition("chrY:1-2").chr, 24);
    EXPECT_EQ(ParseProbePosition("chrx:5-6").chr, 0);
    EXPECT_EQ(ParseProbePosition("chrUn:1-2").chr, 0);
    EXPECT_EQ(ParseProbePosition("c").chr, 0);
    p = ParseProbePosition("chr12:77");
    EXPECT_EQ(p.chr, 12);
    EXPECT_EQ(p.start, 77);
    EXPECT_EQ(p.end, 0);
}

TEST(LoadMatrixColumns, EachDataColumnBecomesAHybridisation) {
    const std::string text = Header(20) + ProbeRow("p1", "chr1:500-600", 20, 0.5) +
                             ProbeRow("short", "chr1:700-800", 19, 1) + // no data row
                             ProbeRow("un", "chrUn:1-2", 20, 1) +       // no data row
                             "\n" + ProbeRow("py", "chrY:1-2", 20, -1);
    std::string error;
    MemoryLog log;
    auto data = std::make_unique<tCGH_DataSet>();
    ASSERT_TRUE(LoadMatrixColumns(3, 1, 2, 4, 20, WriteTestFile("cghx_cols.txt", text), *data, 1,
                                  error, nullptr, &log))
        << error;
    EXPECT_EQ(data->HNum, 17);
    for (int h = 1; h <= 17; ++h) {
        const tCGHProbeArray& a = data->Hyb[h].Chr[1];
        ASSERT_EQ(a.Count(), 1) << h;
        EXPECT_EQ(a.Size(), 11);
        const float value = Stored(0.5 + (h + 3) / 10.0);
        EXPECT_EQ(a.Get(1, 1), 1.0f);
        EXPECT_EQ(a.Get(2, 1), 500.0f);
        EXPECT_EQ(a.Get(3, 1), 600.0f);
        EXPECT_EQ(a.Get(4, 1), value) << h;
        EXPECT_EQ(a.Get(11, 1), value);
        EXPECT_EQ(a.Get(40, 1), value);
        EXPECT_EQ(a.Get(5, 1), 0.0f);
        EXPECT_EQ(a.Get(6, 1), 10.0f);
        EXPECT_EQ(a.Get(7, 1), 10.0f);
        EXPECT_EQ(a.Get(17, 1), 0.0f);
        EXPECT_EQ(data->Hyb[h].Chr[24].Count(), 1);
        EXPECT_EQ(data->Hyb[h].FileName, "H" + std::to_string(h));
        EXPECT_EQ(data->Annotation[h][1], "H" + std::to_string(h));
        EXPECT_EQ(data->Annotation[h][2], "two");
        EXPECT_EQ(data->Annotation[h][3], "three");
        EXPECT_EQ(data->Annotation[h][4], "four");
        EXPECT_EQ(data->Hyb[h].Active, h == 1 ? 1 : 0);
    }
    EXPECT_TRUE(data->Hyb[18].FileName.empty());
    EXPECT_EQ(data->Annotation[0][1], "File name");
    EXPECT_TRUE(data->Annotation[0][2].empty());
    EXPECT_EQ(data->Hyb[1].Chr[24].Get(4, 1), Stored(-1 + 0.4));
    const tOligoAnnotation& o = data->Oligo[1][1];
    EXPECT_EQ(o.Str[1], "p1");
    EXPECT_EQ(o.Str[2], "gene_p1");
    EXPECT_EQ(o.Str[3], "nn");
    EXPECT_EQ(o.Num[2], 500.0f);
    EXPECT_EQ(OligoCount(data->Oligo[1]), 1);
    EXPECT_EQ(log.lines.size(), 2u);
    EXPECT_NE(log.lines[0].find("s elapsed time"), std::string::npos);
}

TEST(LoadMatrixColumns, ProbesAreSortedByStartInEveryHybridisation) {
    const std::string text = Header(6) + ProbeRow("c", "chr5:900-950", 6, 9) +
                             ProbeRow("a", "chr5:100-150", 6, 1) +
                             ProbeRow("b", "chr5:500-550", 6, 5);
    std::string error;
    auto data = Loaded(text, error, 4, 6);
    ASSERT_EQ(data->HNum, 3);
    const char* names[] = {"", "a", "b", "c"};
    const float starts[] = {0, 100, 500, 900};
    const double bases[] = {0, 1, 5, 9};
    for (int h = 1; h <= 3; ++h)
        for (int j = 1; j <= 3; ++j) {
            const tCGHProbeArray& a = data->Hyb[h].Chr[5];
            EXPECT_EQ(a.Get(2, j), starts[j]);
            EXPECT_EQ(a.Get(3, j), starts[j] + 50);
            const float value = Stored(bases[j] + (h + 3) / 10.0);
            EXPECT_EQ(a.Get(4, j), value);
            EXPECT_EQ(a.Get(11, j), value);
            EXPECT_EQ(a.Get(40, j), value);
            EXPECT_EQ(data->Oligo[5][j].Str[1], names[j]);
            EXPECT_EQ(data->Oligo[5][j].Num[2], starts[j]);
        }
}

TEST(LoadMatrixColumns, ReplacesTheWholeDataSetButKeepsTheRecentFiles) {
    auto data = std::make_unique<tCGH_DataSet>();
    for (int h : {1, 30}) {
        data->Hyb[h].FileName = "old" + std::to_string(h);
        data->Hyb[h].Active = 1;
        data->Hyb[h].Chr[7].Resize(6);
        data->Hyb[h].Chr[7].SetCount(5);
    }
    data->Oligo[7].resize(6);
    data->HNum = 30;
    data->RecentFiles[1] = "recent.cgm";
    data->Gain = 4;
    data->DataType = 2;
    const std::string text = Header(5) + ProbeRow("p", "chr2:1-2", 5, 0);
    std::string error;
    ASSERT_TRUE(
        LoadMatrixColumns(3, 1, 2, 4, 5, WriteTestFile("cghx_replace.txt", text), *data, 2, error))
        << error;
    EXPECT_EQ(data->HNum, 2);
    for (int h = 1; h <= 2; ++h)
        for (int c = 1; c <= 24; ++c) {
            EXPECT_EQ(data->Hyb[h].Chr[c].Count(), c == 2 ? 1 : 0) << h << "," << c;
            EXPECT_EQ(data->Hyb[h].Chr[c].Size(), c == 2 ? 11 : 10);
            EXPECT_EQ(data->Oligo[c].size(), c == 2 ? 11u : 10u);
        }
    EXPECT_EQ(data->Hyb[1].Active, 0);
    EXPECT_EQ(data->Hyb[2].Active, 1);
    EXPECT_TRUE(data->Hyb[30].FileName.empty());
    EXPECT_EQ(data->Hyb[30].Active, 0);
    EXPECT_EQ(data->Hyb[30].Chr[7].Size(), 0);
    EXPECT_EQ(data->RecentFiles[1], "recent.cgm");
    EXPECT_EQ(data->Gain, 1.0f);
    EXPECT_EQ(data->DataType, 0);
}

TEST(LoadMatrixColumns, ColumnsBeyondFiftyMissingTextsAndUnnamedSlots) {
    // 61 fields; the header names only some data columns, one of them with an empty cell.
    std::string text = Row({"Name", "Gene", "Pos", "", "H2"}) + ProbeRow("p", "chr3:10-20", 61, 0) +
                       ProbeRow("q", "chr3:5-6", 61, 1);
    std::string error;
    auto data = std::make_unique<tCGH_DataSet>();
    ASSERT_TRUE(
        LoadMatrixColumns(3, 0, 70, 4, 61, WriteTestFile("cghx_wide.txt", text), *data, 1, error))
        << error;
    EXPECT_EQ(data->HNum, 50);
    EXPECT_EQ(data->Hyb[1].FileName, "Column 4");
    EXPECT_EQ(data->Hyb[2].FileName, "H2");
    EXPECT_EQ(data->Hyb[3].FileName, "Column 6");
    EXPECT_EQ(data->Annotation[50][1], "Column 53");
    EXPECT_EQ(data->Hyb[50].Chr[3].Count(), 2);
    EXPECT_EQ(data->Hyb[50].Chr[3].Get(4, 2), Stored(53 / 10.0));
    EXPECT_TRUE(data->Oligo[3][1].Str[1].empty()); // name column 0
    EXPECT_TRUE(data->Oligo[3][1].Str[2].empty()); // gene column past the row
    EXPECT_EQ(data->Oligo[3][1].Str[3], "nn");
    EXPECT_EQ(data->Oligo[3][1].Num[2], 5.0f);

    // A header line that qualifies as a data row is one; an empty first line names nothing.
    text = "\n" + ProbeRow("h", "chr4:1-2", 5, 0) + "\"quoted\ttab\"\tg\tchr4:0-1\t1\t2\n";
    data = Loaded(text, error, 4, 5);
    EXPECT_EQ(data->Hyb[1].FileName, "Column 4");
    ASSERT_EQ(data->Hyb[1].Chr[4].Count(), 2);
    EXPECT_EQ(data->Oligo[4][1].Str[1], "\"quoted\ttab\"");
    EXPECT_EQ(data->Hyb[2].Chr[4].Get(4, 1), Stored(2));
}

TEST(LoadMatrixColumns, BadCallsAndUnreadableFilesDestroyNothing) {
    std::string error;
    auto data = Loaded(Header(6) + ProbeRow("p", "chr1:1-2", 6, 0), error, 4, 6);
    data->RecentFiles[3] = "r";
    const std::string file =
        WriteTestFile("cghx_ok.txt", Header(6) + ProbeRow("z", "chr9:1-2", 6, 0));

    struct Call {
        int p, n, g, f, l, active;
        const char* expect;
    };
    const Call calls[] = {
        {0, 1, 2, 4, 6, 1, "position column"},  {3, 1, 2, 0, 6, 1, "first data column"},
        {3, 1, 2, 6, 5, 1, "last data column"}, {3, -1, 2, 4, 6, 1, "name and gene"},
        {3, 1, -2, 4, 6, 1, "name and gene"},   {3, 1, 2, 4, 6, 0, "active"},
        {3, 1, 2, 4, 6, 51, "active"},
    };
    for (const Call& c : calls) {
        EXPECT_FALSE(LoadMatrixColumns(c.p, c.n, c.g, c.f, c.l, file, *data, c.active, error));
        EXPECT_NE(error.find(c.expect), std::string::npos) << error;
    }
    EXPECT_FALSE(LoadMatrixColumns(3, 1, 2, 4, 6, "/nonexistent/matrix.txt", *data, 1, error));
    EXPECT_NE(error.find("Cannot open"), std::string::npos) << error;
    const std::string noData =
        WriteTestFile("cghx_nodata.txt", Header(6) + ProbeRow("u", "chrUn:1-2", 6, 0));
    EXPECT_FALSE(LoadMatrixColumns(3, 1, 2, 4, 6, noData, *data, 1, error));
    EXPECT_NE(error.find("holds no data rows"), std::string::npos) << error;

    class Cancel : public ProgressSink {
        void SetMaximum(int) override {}
        void SetPosition(int) override {}
        void Pump() override {}
        bool Cancelled() const override { return true; }
    } cancel;
    EXPECT_FALSE(LoadMatrixColumns(3, 1, 2, 4, 6, file, *data, 1, error, &cancel));
    EXPECT_EQ(error, "Loading cancelled.");

    EXPECT_EQ(data->HNum, 3);
    EXPECT_EQ(data->Hyb[1].FileName, "H1");
    EXPECT_EQ(data->Hyb[1].Active, 1);
    EXPECT_EQ(data->Hyb[3].Chr[1].Count(), 1);
    EXPECT_EQ(data->Hyb[3].Chr[9].Count(), 0);
    EXPECT_EQ(data->Oligo[1][1].Str[1], "p");
    EXPECT_EQ(data->RecentFiles[3], "r");
}

} // namespace

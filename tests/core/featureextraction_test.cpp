#include "featureextraction.h"

#include "../../bench/feature_file_writer.h"
#include "probeposition.h"

#include "testfiles.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <limits>
#include <memory>

namespace {

std::string TempPath(const std::string& name) {
    return TestPath("fe_" + name);
}

// A probe row of 23 fields: chromosome position, value and the three extra columns.
std::string Probe(const std::string& name, const std::string& position, const std::string& value,
                  const std::string& control = "0") {
    std::string row = "DATA";
    for (int k = 1; k <= 22; ++k) {
        row += '\t';
        if (k == 7)
            row += control;
        else if (k == 8)
            row += "S" + name;
        else if (k == 9)
            row += name;
        else if (k == 10)
            row += position;
        else if (k == 11)
            row += "D" + name;
        else if (k == 14)
            row += value;
        else if (k == 16)
            row += "0.25";
        else if (k == 21)
            row += "21.5";
        else if (k == 22)
            row += "22.5";
        else
            row += std::to_string(k);
    }
    return row;
}

std::string WriteRows(const std::string& name, const std::vector<std::string>& rows) {
    const std::string path = TempPath(name);
    std::ofstream out(path, std::ios::binary);
    for (const auto& r : rows) out << r << "\r\n";
    return path;
}

struct Fixture {
    std::unique_ptr<tCGH_DataSet> data = std::make_unique<tCGH_DataSet>();
    MemoryLog log;
    std::string error;
    bool Load(int slot, const std::string& file, ProgressSink* progress = nullptr) {
        data->Hyb[slot].FileName = file;
        log.lines.clear();
        return LoadAgilentFeatureFile(*data, slot, &log, progress, error);
    }
    const tCGHProbeArray& Chr(int slot, int c) const { return data->Hyb[slot].Chr[c]; }
};

TEST(FeatureFileReader, TakesOnlyNonControlDataRowsOfFifteenFieldsOrMore) {
    Fixture fx;
    const std::string shortRow = "DATA\t1\t2\t3\t4\t5\t6\t0\tSs\tshort\tchr2:50-60\tDs\t12\t13\t1";
    const std::string tooShort = shortRow.substr(0, shortRow.rfind('\t'));
    const std::string file = WriteRows(
        "filter",
        {"TYPE\ttext\tinteger", "FEPARAMS\tProtocol_Name\tA\tB\tC\tD\tE\tF\tG",
         "DATA\tp1\tp2\tp3\tp4\tp5\tp6\tp7\tp8\tp9\tp10\tp11\tp12\tp13\tp14\tp15", "*", "",
         "FEATURES\tFeatureNum\tRow\tCol\ta\tb\tc\tControlType\tProbeName\tGeneName\tSystematic"
         "Name\tDescription\tX\tY\tLogRatio\tE",
         Probe("keep", "chr2:100-160", "1"), Probe("pos", "chr2:200-260", "1", "1"),
         Probe("neg", "chr2:300-360", "1", "-1"),
         "data" + Probe("lower", "chr2:1-2", "1").substr(4), shortRow, tooShort});
    ASSERT_TRUE(fx.Load(1, file)) << fx.error;
    const tCGHProbeArray& chr2 = fx.Chr(1, 2);
    ASSERT_EQ(chr2.Count(), 2);
    EXPECT_EQ(chr2.Get(2, 1), 50); // the 15-field row, its missing fields read as 0
    EXPECT_EQ(chr2.Get(5, 1), 0);
    EXPECT_EQ(chr2.Get(6, 1), 0);
    EXPECT_EQ(fx.data->Oligo[2][1].Str[1], "short");
    EXPECT_EQ(chr2.Get(2, 2), 100);
    EXPECT_EQ(fx.log.lines.front(), "2 features");
}

TEST(FeatureFileReader, ReadsPositionsLeniently) {
    Fixture fx;
    const std::string file =
        WriteRows("positions", {Probe("a", "chr7:1000-2000", "1"), Probe("x", "chrX:5-6", "1"),
                                Probe("y", "chrY:7-8", "1"), Probe("lx", "chrx:5-6", "1"),
                                Probe("nd", "chr7:3000", "1"), Probe("lead", "chr12abc:9-10", "1"),
                                Probe("none", "nowhere", "1"), Probe("big", "chr25:1-2", "1")});
    ASSERT_TRUE(fx.Load(1, file)) << fx.error;
    EXPECT_EQ(fx.Chr(1, 7).Count(), 2);
    EXPECT_EQ(fx.Chr(1, 7).Get(1, 1), 7);
    EXPECT_EQ(fx.Chr(1, 7).Get(2, 1), 1000);
    EXPECT_EQ(fx.Chr(1, 7).Get(3, 1), 2000);
    EXPECT_EQ(fx.Chr(1, 7).Get(2, 2), 3000);
    EXPECT_EQ(fx.Chr(1, 7).Get(3, 2), 0);
    EXPECT_EQ(fx.Chr(1, 23).Count(), 1); // "chrx" reaches no chromosome
    EXPECT_EQ(fx.Chr(1, 23).Get(2, 1), 5);
    EXPECT_EQ(fx.Chr(1, 24).Count(), 1);
    EXPECT_EQ(fx.Chr(1, 12).Count(), 1);
    EXPECT_EQ(fx.data->Oligo[12][1].Num[2], 9);
    EXPECT_EQ(fx.log.lines.front(), "8 features");
}

TEST(FeatureFileReader, StoresTheValueTimesRootTenAndTheExtraColumns) {
    Fixture fx;
    ASSERT_TRUE(fx.Load(1, WriteRows("value", {Probe("p", "chr3:10-20", "0.5")}))) << fx.error;
    const tCGHProbeArray& a = fx.Chr(1, 3);
    for (int slot : {4, 11, 40}) EXPECT_FLOAT_EQ(a.Get(slot, 1), 1.5811388f) << slot;
    EXPECT_FLOAT_EQ(a.Get(5, 1), 0.25f);
    EXPECT_FLOAT_EQ(a.Get(6, 1), 22.5f);
    EXPECT_FLOAT_EQ(a.Get(7, 1), 21.5f);
    for (int slot : {8, 9, 10, 12, 13, 14, 15, 16, 17, 18, 19, 20}) EXPECT_EQ(a.Get(slot, 1), 0);
    EXPECT_EQ(a.Size(), 1 + 1000);
    const tOligoAnnotation& o = fx.data->Oligo[3][1];
    EXPECT_EQ(o.Num[1], 3);
    EXPECT_EQ(o.Num[2], 10);
    EXPECT_EQ(o.Num[3], 20);
    EXPECT_EQ(o.Str[1], "p");
    EXPECT_EQ(o.Str[2], "Sp");
    EXPECT_EQ(o.Str[3], "Dp");
    EXPECT_EQ(OligoCount(fx.data->Oligo[3]), 1);
    EXPECT_EQ(fx.data->Oligo[3].size(), 1u + 10u);
    EXPECT_EQ(fx.data->Annotation[1][1], fx.data->Hyb[1].FileName);
    EXPECT_EQ(fx.data->Hyb[1].Active, 1);

    // Values beyond the singles' range are held at its ends, never infinite; a decimal comma
    // reads as the number's beginning, and the report counts such cells.
    const std::string huge =
        WriteRows("huge", {Probe("h", "chr3:10-20", "1e39"), Probe("l", "chr3:30-40", "-1e300"),
                           Probe("c", "chr3:50-60", "6,85181")});
    ASSERT_TRUE(fx.Load(1, huge)) << fx.error;
    EXPECT_EQ(fx.Chr(1, 3).Get(4, 1), std::numeric_limits<float>::max());
    EXPECT_EQ(fx.Chr(1, 3).Get(40, 2), -std::numeric_limits<float>::max());
    EXPECT_FLOAT_EQ(fx.Chr(1, 3).Get(4, 3), 6 * 3.16227766f);
    EXPECT_EQ(fx.log.lines[1], "Value cells that are no numbers in full were read by their valid "
                               "beginning or as 0: 1 in \"" +
                                   huge + "\", the first at line 3, column 15: \"6,85181\".");
}

TEST(FeatureFileReader, SortsByStartWithTheAnnotationMovingAlong) {
    Fixture fx;
    ASSERT_TRUE(fx.Load(
        1,
        WriteRows("sort", {Probe("c", "chr1:300-301", "3"), Probe("a", "chr1:100-101", "1"),
                           Probe("b1", "chr1:200-201", "2"), Probe("b2", "chr1:200-202", "2.5")})))
        << fx.error;
    const tCGHProbeArray& a = fx.Chr(1, 1);
    ASSERT_EQ(a.Count(), 4);
    const char* names[] = {"", "a", "b1", "b2", "c"};
    const float starts[] = {0, 100, 200, 200, 300};
    const float ends[] = {0, 101, 201, 202, 301};
    for (int j = 1; j <= 4; ++j) {
        EXPECT_EQ(a.Get(2, j), starts[j]);
        EXPECT_EQ(a.Get(3, j), ends[j]);
        EXPECT_EQ(fx.data->Oligo[1][j].Str[1], names[j]); // equal starts keep file order
        EXPECT_EQ(fx.data->Oligo[1][j].Num[3], ends[j]);
    }
    EXPECT_FLOAT_EQ(a.Get(4, 4), static_cast<float>(3 * kCGHValueFactor));

    const auto& log = fx.log.lines;
    ASSERT_EQ(log.size(), 1u + 24u + 2u);
    EXPECT_EQ(log[0], "4 features");
    EXPECT_EQ(log[1], "Chr 1, Probes=4");
    EXPECT_EQ(log[24], "Chr 24, Probes=0");
    EXPECT_NE(log[25].find("s elapsed time"), std::string::npos);
    EXPECT_EQ(log[26], "");
}

// Records the progress calls and cancels at a chosen pump.
class RecordingProgress : public ProgressSink {
  public:
    explicit RecordingProgress(int cancelAtPump = -1) : cancelAt_(cancelAtPump) {}
    void SetMaximum(int max) override { maximum = max; }
    void SetPosition(int pos) override { positions.push_back(pos); }
    void Pump() override { ++pumps; }
    bool Cancelled() const override { return cancelAt_ >= 0 && pumps > cancelAt_; }
    int maximum = 0, pumps = 0;
    std::vector<int> positions;

  private:
    int cancelAt_;
};

TEST(FeatureFileReader, KeepsEveryRowOfALargeFileWithProgressAlongItsBytes) {
    const std::string file = TempPath("large.txt");
    FeatureFileSummary summary;
    ASSERT_TRUE(WriteFeatureFile(file, 300000, 7, summary));
    Fixture fx;
    RecordingProgress progress;
    ASSERT_TRUE(fx.Load(1, file, &progress)) << fx.error;
    EXPECT_EQ(fx.log.lines.front(), std::to_string(summary.probeRows) + " features");
    int64_t stored = 0;
    for (int c = 1; c <= 24; ++c) {
        const tCGHProbeArray& a = fx.Chr(1, c);
        EXPECT_EQ(a.Count(), summary.perChromosome[c]) << c;
        EXPECT_EQ(OligoCount(fx.data->Oligo[c]), summary.perChromosome[c]) << c;
        for (int j = 2; j <= a.Count(); ++j) ASSERT_LE(a.Get(2, j - 1), a.Get(2, j)) << c;
        stored += a.Count();
    }
    EXPECT_GT(stored, 250000); // beyond the old cap of 250,000 rows
    EXPECT_EQ(progress.maximum, 1000);
    EXPECT_GT(progress.pumps, 1000);
    EXPECT_TRUE(std::is_sorted(progress.positions.begin(), progress.positions.end()));
    EXPECT_EQ(progress.positions.back(), 1000);
    std::filesystem::remove(file);
}

// What a failed load must not touch.
struct SlotState {
    std::array<tCGHProbeArray, kChromosomes + 1> chr;
    std::array<tOligoArray, kChromosomes + 1> oligo;
    std::string annotation;
    int active;
    explicit SlotState(const tCGH_DataSet& d, int slot)
        : chr(d.Hyb[slot].Chr), oligo(d.Oligo), annotation(d.Annotation[slot][1]),
          active(d.Hyb[slot].Active) {}
    void ExpectSame(const tCGH_DataSet& d, int slot) const {
        EXPECT_EQ(d.Annotation[slot][1], annotation);
        EXPECT_EQ(d.Hyb[slot].Active, active);
        for (int c = 1; c <= kChromosomes; ++c) {
            EXPECT_EQ(d.Hyb[slot].Chr[c].Size(), chr[c].Size()) << c;
            EXPECT_TRUE(SamePositions(d.Hyb[slot].Chr[c], chr[c])) << c;
            for (int j = 1; j <= chr[c].Count(); ++j)
                EXPECT_EQ(d.Hyb[slot].Chr[c].Get(4, j), chr[c].Get(4, j));
            ASSERT_EQ(d.Oligo[c].size(), oligo[c].size()) << c;
            for (size_t j = 0; j < oligo[c].size(); ++j) {
                EXPECT_EQ(d.Oligo[c][j].Str[1], oligo[c][j].Str[1]);
                EXPECT_EQ(d.Oligo[c][j].Num, oligo[c][j].Num);
            }
        }
    }
};

TEST(FeatureFileReader, RefusesAHybridisationOfAnotherLayout) {
    Fixture fx;
    const std::string a =
        WriteRows("layout_a", {Probe("a1", "chr1:10-20", "1"), Probe("a2", "chr2:10-20", "1")});
    const std::string b =
        WriteRows("layout_b", {Probe("b1", "chr1:30-40", "2"), Probe("b2", "chr1:50-60", "2")});
    const std::string c =
        WriteRows("layout_c", {Probe("c2", "chr2:10-20", "3"), Probe("c1", "chr1:10-20", "3")});
    ASSERT_TRUE(fx.Load(1, a)) << fx.error;
    const SlotState before(*fx.data, 2);
    EXPECT_FALSE(fx.Load(2, b));
    EXPECT_NE(fx.error.find("chromosome 1 has 2 probes, hybridisation 1 has 1"), std::string::npos)
        << fx.error;
    before.ExpectSame(*fx.data, 2);
    EXPECT_EQ(fx.data->Oligo[1][1].Str[1], "a1");

    ASSERT_TRUE(fx.Load(2, c)) << fx.error; // same counts: accepted, annotation replaced
    EXPECT_EQ(fx.data->Oligo[1][1].Str[1], "c1");
    EXPECT_FLOAT_EQ(fx.Chr(2, 1).Get(4, 1), static_cast<float>(3 * kCGHValueFactor));
    EXPECT_FLOAT_EQ(fx.Chr(1, 1).Get(4, 1), static_cast<float>(kCGHValueFactor));

    fx.data->Hyb[1].FileName.clear(); // slot 1 free: slot 2 is the only one in use
    EXPECT_TRUE(fx.Load(3, c)) << fx.error;
    fx.data->Hyb[2].FileName.clear();
    fx.data->Hyb[3].FileName.clear();
    EXPECT_TRUE(fx.Load(3, b)) << fx.error; // nothing else loaded: any layout
}

TEST(FeatureFileReader, FailureAndCancelLeaveTheDataSetUnchanged) {
    Fixture fx;
    std::vector<std::string> rows;
    for (int i = 0; i < 2000; ++i)
        rows.push_back(Probe("n" + std::to_string(i), "chr4:" + std::to_string(i) + "-9", "1"));
    const std::string many = WriteRows("many", rows);
    ASSERT_TRUE(fx.Load(1, WriteRows("first", {Probe("old", "chr4:1-2", "1")}))) << fx.error;
    const std::string oldName = fx.data->Hyb[1].FileName;
    const SlotState before(*fx.data, 1);

    RecordingProgress cancelSecond(1);
    EXPECT_FALSE(fx.Load(1, many, &cancelSecond));
    EXPECT_EQ(fx.error, kLoadCancelled);
    EXPECT_EQ(cancelSecond.pumps, 2);
    before.ExpectSame(*fx.data, 1);
    EXPECT_TRUE(fx.log.lines.empty());

    // Missing, unreadable, and without a probe row on a chromosome 1..24.
    for (const std::string& unreadable :
         {std::string("/nonexistent/qb/features.txt"),
          std::filesystem::temp_directory_path().string(),
          WriteRows("noprobes", {"FEATURES\tFeatureNum", Probe("u", "chrUn:1-2", "1")})}) {
        fx.error.clear();
        EXPECT_FALSE(fx.Load(1, unreadable));
        EXPECT_FALSE(fx.error.empty());
        before.ExpectSame(*fx.data, 1);
    }

    // Old Mac line ends: the refusal says that they were not understood.
    const std::string mac = TempPath("mac");
    std::ofstream(mac, std::ios::binary) << "TYPE\ttext\r" << Probe("a", "chr4:1-2", "1") << '\r'
                                         << Probe("b", "chr4:3-4", "1") << '\r';
    EXPECT_FALSE(fx.Load(1, mac));
    EXPECT_NE(fx.error.find("holds no probe rows (DATA rows of control type 0 on chromosomes 1 "
                            "to 24): its lines end in CR alone"),
              std::string::npos)
        << fx.error;
    before.ExpectSame(*fx.data, 1);

    fx.data->Hyb[1].FileName = oldName;
    std::string error;
    EXPECT_FALSE(LoadAgilentFeatureFile(*fx.data, 0, nullptr, nullptr, error));
    EXPECT_FALSE(LoadAgilentFeatureFile(*fx.data, 51, nullptr, nullptr, error));
    EXPECT_FALSE(error.empty());
    before.ExpectSame(*fx.data, 1);
}

} // namespace

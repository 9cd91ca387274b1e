#include "ideogram.h"

#include "testfiles.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace {

const std::string kColumns = ";2,1,2,3,6,7,8,9,4";

std::string WriteTemp(const std::string& name, const std::string& text) {
    return WriteTestFile("ideogram_" + name, text);
}

struct Loaded {
    tFList bands;
    tGenomeLayout layout;
    int32_t type = 0;
    MemoryLog log;
    std::string error;
    bool ok = false;
};

Loaded Read(const std::string& spec) {
    Loaded r;
    r.ok = ReadIdeogramFile(spec, r.bands, r.layout, r.type, &r.log, r.error);
    return r;
}

const std::string kHeader =
    "#chromosome\tarm\tband\tiscn_start\tiscn_stop\tbp_start\tbp_stop\tstain"
    "\tdensity\n";

TEST(IdeogramReader, ParsesNumberedBandsSubBandsLettersAndStains) {
    const std::string file =
        WriteTemp("bands", kHeader + "1\tp\t36.33\t0\t100\t1\t2300000\tgneg\t\n"     // line 2
                                     "1\tp\t11.2b\t100\t200\t2300001\t120\tgpos\t\n" // line 3
                                     "X\tq\tter\t7\t8\t9\t10\tgpos50\t\n"            // line 4
                                     "x\tzz\t12\t1\t2\t3\t4\tgvar\n"       // line 5: short
                                     "y\tcen\t11\t1\t2\t3\t4\tacen\t75\n"  // line 6
                                     "# a comment\n"                       // line 7
                                     "\n"                                  // line 8
                                     "2\tq\t1\t5\t6\t7\t8\tgpos\t33.5\n"); // line 9
    const Loaded r = Read(file + kColumns);
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(r.type, 1);
    ASSERT_EQ(FeatureCount(r.bands), 9); // the file's line count
    EXPECT_EQ(r.bands.size(), 9u + 10u);
    const auto& b2 = r.bands[2].Num;
    EXPECT_EQ(b2[1], 1);
    EXPECT_EQ(b2[2], 1);
    EXPECT_EQ(b2[3], 36);
    EXPECT_EQ(b2[4], 33);
    EXPECT_EQ(b2[5], 0);
    EXPECT_EQ(b2[8], 1);
    EXPECT_EQ(b2[9], 2300000);
    EXPECT_EQ(b2[10], 0); // the extra column (ISCN start)
    EXPECT_EQ(b2[11], 0); // gneg, no density
    const auto& b3 = r.bands[3].Num;
    EXPECT_EQ(b3[3], 11);
    EXPECT_EQ(b3[4], 2);
    EXPECT_EQ(b3[5], 2);
    EXPECT_EQ(b3[10], 100);
    EXPECT_EQ(b3[11], 100); // exactly "gpos" with an empty density
    const auto& b4 = r.bands[4].Num;
    EXPECT_EQ(b4[1], 23);
    EXPECT_EQ(b4[2], 2);
    EXPECT_EQ(b4[3], 1000);
    EXPECT_EQ(b4[11], 0); // "gpos50" is not "gpos"
    const auto& b5 = r.bands[5].Num;
    EXPECT_EQ(b5[1], 23);
    EXPECT_EQ(b5[2], 2);  // unknown arm text keeps the previous row's
    EXPECT_EQ(b5[10], 1); // row ends at the stain: missing density reads empty
    EXPECT_EQ(b5[11], 0);
    const auto& b6 = r.bands[6].Num;
    EXPECT_EQ(b6[1], 24);
    EXPECT_EQ(b6[2], 0);
    EXPECT_EQ(b6[11], 75);
    EXPECT_EQ(r.bands[7].Num[1], 0); // comment and empty lines are not bands
    EXPECT_EQ(r.bands[8].Num[1], 0);
    EXPECT_FLOAT_EQ(r.bands[9].Num[11], 33.5f);

    // Line 1 is before the first line: neither logged nor parsed; the comment is logged.
    const auto& log = r.log.lines;
    EXPECT_EQ(log.front(), "Parsing ideogram file \"" + file + "\" ...");
    EXPECT_EQ(std::count(log.begin(), log.end(), kHeader.substr(0, kHeader.size() - 1)), 0);
    EXPECT_EQ(std::count(log.begin(), log.end(), "# a comment"), 1);
    EXPECT_EQ(std::count(log.begin(), log.end(), "1:1:11:2:2 - 2300001 - 120 - 100"), 1);
    EXPECT_EQ(log[log.size() - 3], "9 lines parsed.");
    EXPECT_EQ(log[log.size() - 2], "Ideogram type = 1");
    EXPECT_NE(log.back().find("s elapsed time"), std::string::npos);
}

TEST(IdeogramReader, LetteredBandsSetTheType) {
    const Loaded r = Read(WriteTemp("letters", "1\tp\tA1\t0\t0\t1\t10\tgneg\t\n"
                                               "1\tp\tB\t0\t0\t1\t10\tgneg\t\n"
                                               "1\tp\ta12\t0\t0\t1\t10\tgneg\t\n") +
                          ";1,1,2,3,6,7,8,9,4");
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(r.type, 2);
    EXPECT_EQ(r.bands[1].Num[3], 11);
    EXPECT_EQ(r.bands[2].Num[3], 20);
    EXPECT_EQ(r.bands[3].Num[3], 11);
}

TEST(IdeogramReader, BuildsArmsLengthsAndLongestChromosome) {
    const Loaded r = Read(WriteTemp("geometry", "1\tp\t1\t0\t0\t1\t120\tgneg\t\n"
                                                "1\tq\t1\t0\t0\t121\t200\tgneg\t\n"
                                                "1\tter\tter\t0\t0\t1\t99999\tgneg\t\n"
                                                "2\tp\t1\t0\t0\t1\t50\tgneg\t\n"
                                                "2\tq\t1\t0\t0\t51\t200\tgneg\t\n") +
                          ";1,1,2,3,6,7,8,9,4");
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(r.layout.ChromosomeCount, 2);
    EXPECT_EQ(r.layout.ArmMaxEnd[1][1], 120);
    EXPECT_EQ(r.layout.ArmMaxEnd[1][2], 80); // the q arm's length; the telomere row takes no part
    EXPECT_EQ(r.layout.ArmMaxEnd[2][2], 150);
    EXPECT_EQ(r.layout.Length[1], 200);
    EXPECT_EQ(r.layout.Length[2], 200);
    EXPECT_EQ(r.layout.LongestPArm, 120);
    EXPECT_EQ(r.layout.LongestChromosome, 270);
    EXPECT_EQ(r.layout.TotalLength, 400);
    EXPECT_EQ(r.layout.Selected[1], 1);
    EXPECT_EQ(r.layout.Selected[2], 1);
}

TEST(IdeogramReader, ChromosomesOutsideTheLayoutAreStoredButTakeNoPart) {
    const Loaded r = Read(WriteTemp("outside", "41\tp\t1\t0\t0\t1\t500\tgneg\t\n"
                                               "MT\tq\t1\t0\t0\t1\t600\tgneg\t\n"
                                               "-3\tq\t1\t0\t0\t1\t600\tgneg\t\n"
                                               "40\tq\t1\t0\t0\t1\t700\tgneg\t\n") +
                          ";1,1,2,3,6,7,8,9,4");
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(r.bands[1].Num[1], 41);
    EXPECT_EQ(r.bands[3].Num[1], -3);
    EXPECT_EQ(r.layout.ChromosomeCount, 40);
    EXPECT_EQ(r.layout.Length[40], 700);
    EXPECT_EQ(r.layout.TotalLength, 700);
}

TEST(IdeogramReader, AReadReplacesEveryBandAndLengthOfTheLastOne) {
    Loaded r = Read(WriteTemp("first", "1\tp\t1\t0\t0\t1\t10\tgneg\t\n"
                                       "2\tp\t1\t0\t0\t1\t20\tgneg\t\n"
                                       "3\tq\t1\t0\t0\t1\t30\tgneg\t\n"
                                       "3\tq\t2\t0\t0\t1\t30\tgneg\t\n") +
                    ";1,1,2,3,6,7,8,9,4");
    ASSERT_TRUE(r.ok);
    ASSERT_EQ(r.layout.Length[3], 30);
    r.ok = ReadIdeogramFile(WriteTemp("second", "#\n1\tq\tA\t0\t0\t1\t10\tgneg\t\n") +
                                ";1,1,2,3,6,7,8,9,4",
                            r.bands, r.layout, r.type, nullptr, r.error);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.type, 2);
    EXPECT_EQ(FeatureCount(r.bands), 2);
    for (size_t i = 3; i < r.bands.size(); ++i) EXPECT_EQ(r.bands[i].Num[1], 0) << i;
    EXPECT_EQ(r.layout.ChromosomeCount, 1);
    EXPECT_EQ(r.layout.Length[3], 0);
    EXPECT_EQ(r.layout.TotalLength, 10);
}

TEST(IdeogramReader, RefusesBadSpecificationsAndMissingFilesLeavingTheRecords) {
    const std::string file = WriteTemp("valid", "1\tp\t1\t0\t0\t1\t10\tgneg\t\n");
    Loaded r = Read(file + ";1,1,2,3,6,7,8,9,4");
    ASSERT_TRUE(r.ok);
    const tGenomeLayout before = r.layout;
    for (const std::string& spec :
         {file, file + ";1,1,2,3,6,7,8,9", file + ";0,1,2,3,6,7,8,9,4", file + ";1,1,2,0,6,7,8,9,4",
          file + ";1,1,2,,6,7,8,9,4", file + ";"}) {
        r.error.clear();
        EXPECT_FALSE(ReadIdeogramFile(spec, r.bands, r.layout, r.type, nullptr, r.error));
        EXPECT_EQ(r.error, "Invalid ideogram specification: " + spec);
    }
    MemoryLog log;
    EXPECT_FALSE(ReadIdeogramFile("/nonexistent/qb/ideogram;2,1,2,3,6,7,8,9,4", r.bands, r.layout,
                                  r.type, &log, r.error));
    EXPECT_EQ(r.error, "File \"/nonexistent/qb/ideogram\" does not exist !");
    EXPECT_EQ(log.lines.back(), "Fialed !! File does not exist.");
    EXPECT_FALSE(ReadIdeogramFile(std::filesystem::temp_directory_path().string() + kColumns,
                                  r.bands, r.layout, r.type, nullptr, r.error));
    EXPECT_NE(r.error.find("could not be read"), std::string::npos);
    // No band row (a header only, or rows of no chromosome): the map keeps what it shows.
    for (const char* text : {"#chromosome\tarm\n", "MT\tq\t1\t0\t0\t1\t600\tgneg\t\n"}) {
        EXPECT_FALSE(ReadIdeogramFile(WriteTemp("nobands", text) + kColumns, r.bands, r.layout,
                                      r.type, nullptr, r.error));
        EXPECT_NE(r.error.find("holds no band rows"), std::string::npos) << r.error;
    }

    EXPECT_EQ(FeatureCount(r.bands), 1);
    EXPECT_EQ(r.bands[1].Num[9], 10);
    EXPECT_EQ(r.layout.TotalLength, before.TotalLength);
    EXPECT_EQ(r.layout.Length, before.Length);
    EXPECT_EQ(r.layout.ChromosomeCount, 1);
}

TEST(IdeogramReader, LinesEndAtCrLfOrCrLf) {
    const Loaded r = Read(WriteTemp("ends", "1\tp\t1\t0\t0\t1\t10\tgneg\t\r"
                                            "1\tq\t1\t0\t0\t1\t30\tgneg\t\r\n"
                                            "2\tq\t1\t0\t0\t1\t40\tgneg\t") +
                          ";1,1,2,3,6,7,8,9,4");
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(FeatureCount(r.bands), 3);
    EXPECT_EQ(r.layout.Length[1], 30);
    EXPECT_EQ(r.layout.Length[2], 40);
}

// The shipped tables: GRCh38, 24 chromosomes.
TEST(IdeogramReader, ShippedTablesGiveTheGRCh38Chromosomes) {
    const std::string dir = QB_TEST_DATA;
    constexpr int32_t kLengths[25] = {0,         248956422, 242193529, 198295559, 190214555,
                                      181538259, 170805979, 159345973, 145138636, 138394717,
                                      133797422, 135086622, 133275309, 114364328, 107043718,
                                      101991189, 90338345,  83257441,  80373285,  58617616,
                                      64444167,  46709983,  50818468,  156040895, 57227415};
    for (const std::string& file :
         {dir + "/ideogram", dir + "/ideograms/ideogram_9606_GCF_000001305.14_400_V1",
          dir + "/ideograms/ideogram_9606_GCF_000001305.14_550_V1",
          dir + "/ideograms/ideogram_9606_GCF_000001305.14_850_V1"}) {
        SCOPED_TRACE(file);
        const Loaded r = Read(file + ";2,1,2,3,6,7,8,9,4");
        ASSERT_TRUE(r.ok) << r.error;
        EXPECT_EQ(r.type, 1);
        EXPECT_EQ(r.layout.ChromosomeCount, 24);
        for (int c = 1; c <= 24; ++c) EXPECT_EQ(r.layout.Length[c], kLengths[c]) << c;
        EXPECT_EQ(r.layout.ArmMaxEnd[1][1], 123400000);
        EXPECT_EQ(r.layout.ArmMaxEnd[1][2], 248956422 - 123400000);
        EXPECT_EQ(r.layout.ArmMaxEnd[23][1], 61000000);
        EXPECT_EQ(r.layout.ArmMaxEnd[24][1], 10400000);
        EXPECT_EQ(r.layout.TotalLength, 3088269832LL); // beyond int32
        EXPECT_EQ(r.layout.LongestChromosome,
                  271693529); // longest p plus longest q, of different chromosomes
    }
    // The levels table writes sub-sub-bands with a letter: 1p36.33 is sub-band 3, letter c.
    const Loaded levels = Read(dir + "/ideogram;2,1,2,3,6,7,8,9,4");
    const auto it = std::find_if(levels.bands.begin(), levels.bands.end(), [](const tFeature& f) {
        return f.Num[1] == 1 && f.Num[2] == 1 && f.Num[3] == 36 && f.Num[5] == 3;
    });
    ASSERT_NE(it, levels.bands.end());
    EXPECT_EQ(it->Num[4], 3);
    EXPECT_EQ(it->Num[8], 1);
}

} // namespace

#include "genefeatures.h"

#include "testfiles.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

class GeneFeatures : public FileTest {
  protected:
    void SetUp() override {
        FileTest::SetUp();
        old.resize(3);
        old[0].Num[1] = 1;
        old[1].Name = "OLD";
        old[1].Num[1] = 5;
    }
    // The list still holds the one old feature.
    static void ExpectOld(const tFList& list) {
        ASSERT_EQ(FeatureCount(list), 1);
        EXPECT_EQ(list[1].Name, "OLD");
    }

    tFList old;
};

std::string Line(const std::string& chr, const std::string& start, const std::string& strand,
                 const std::string& name, const std::string& type, int fields = 15) {
    const std::string all[15] = {"9606", chr,  start,      "2000", strand,   "NT_1", "1", "2",
                                 "+",    name, "GeneID:1", type,   "GRCh38", "t",    "e"};
    std::string s;
    for (int k = 0; k < fields; ++k) s += (k ? "\t" : "") + all[k];
    return s;
}

TEST_F(GeneFeatures, TextReaderTakesValidLinesOnly) {
    const std::string text =
        "#tax_id\tchromosome\tchr_start\tchr_stop\tchr_orient\tcontig\tctg_start\tctg_stop\t"
        "ctg_orient\tfeature_name\tfeature_id\tfeature_type\tgroup_label\n" +
        Line("7", "1000", "-", "CDK6", "CDS") + "\r\n" + // 1
        Line("X", "5", "+", "XG", "GENE", 12) + "\r" +   // 2: field 12 missing
        Line("Y", "6", "+", "SRY", "RNA", 11) + "\n" +   // no type text: skipped
        Line("1", "7", "+", "A", "UTR", 10) + "\n" +     // skipped
        Line("MT", "8", "+", "MTX", "GENE") + "\n" + Line("Un", "8", "+", "U", "GENE") + "\n" +
        Line("x", "8", "+", "x", "GENE") + "\n" + Line("25", "8", "+", "C25", "GENE") + "\n" +
        Line("3", "8", "+", "low", "gene") + "\n" + Line("3", "1e3", "+", "E", "GENE") + "\n" +
        "\n" + Line("24", "9", "x", "\"Q\tR\"", "PSEUDO"); // 3: quoted TAB, last line
    tFList list = old;
    MemoryLog log;
    std::string error;
    ASSERT_TRUE(ReadGeneFeatureText(Put("g.md", text), list, &log, error)) << error;
    ASSERT_EQ(FeatureCount(list), 3);
    EXPECT_GE(list.size(), 13u);
    const tFeature& a = list[1];
    EXPECT_EQ(a.Num[1], 7);
    EXPECT_EQ(a.Num[2], 1000);
    EXPECT_EQ(a.Num[3], 2000);
    EXPECT_EQ(a.Num[4], -1);
    EXPECT_EQ(a.Num[5], 3);
    EXPECT_EQ(a.Name, "CDK6");
    EXPECT_EQ(a.Str[1], "GeneID:1");
    EXPECT_EQ(a.Str[2], "CDS");
    EXPECT_EQ(a.Str[3], "GRCh38");
    EXPECT_EQ(list[2].Num[1], 23);
    EXPECT_EQ(list[2].Num[4], 1);
    EXPECT_EQ(list[2].Str[3], "");
    EXPECT_EQ(list[3].Num[1], 24);
    EXPECT_EQ(list[3].Num[4], -1);
    EXPECT_EQ(list[3].Name, "\"Q\tR\"");
    EXPECT_EQ(list[3].Num[5], 5);
    EXPECT_EQ(list[4].Name, ""); // nothing of the old list survives
    EXPECT_EQ(log.lines, std::vector<std::string>{"3 features"});

    list = old;
    EXPECT_FALSE(ReadGeneFeatureText(Path("none.md"), list, &log, error));
    EXPECT_NE(error.find("none.md"), std::string::npos);
    ExpectOld(list);
}

tFList TwoFeatures() {
    tFList l(12);
    l[0].Num[1] = 2;
    l[1].Num = {0, 1, 1000.5f, 2000.6f, -1, 3};
    l[1].Name = "CDK6";
    l[1].Str = {"", "GeneID:1021", "CDS", "\"x\""};
    l[2].Num = {0, 24, 2.5f, 3.5f, 1, 1};
    l[2].Str[2] = "GENE";
    return l;
}

TEST_F(GeneFeatures, CacheRoundTrip) {
    std::string error;
    ASSERT_TRUE(WriteFeatureCache(Path("g.cfl"), TwoFeatures(), 1, error)) << error;
    tFList list = old;
    MemoryLog log;
    ASSERT_EQ(ReadFeatureCache(Path("g.cfl"), list, 1, &log, error), FeatureCacheStatus::Loaded)
        << error;
    ASSERT_EQ(FeatureCount(list), 2);
    EXPECT_EQ(list.size(), 12u);
    EXPECT_EQ(list[1].Num[1], 1);
    EXPECT_EQ(list[1].Num[2], 1000); // rounded, halves to even
    EXPECT_EQ(list[1].Num[3], 2001);
    EXPECT_EQ(list[1].Num[4], -1);
    EXPECT_EQ(list[1].Num[5], 3);
    EXPECT_EQ(list[1].Name, "CDK6");
    EXPECT_EQ(list[1].Str[1], "GeneID:1021");
    EXPECT_EQ(list[1].Str[3], "\"x\"");
    EXPECT_EQ(list[2].Num[2], 2);
    EXPECT_EQ(list[2].Num[3], 4);
    EXPECT_EQ(list[2].Name, "");
    ASSERT_EQ(log.lines.size(), 2u);
    EXPECT_EQ(log.lines[0], "Loading gene feature list Data file=\"" + Path("g.cfl") +
                                "\";cyto_gene; 2 features;  ...");
    EXPECT_TRUE(log.lines[1].starts_with("Data file=\"" + Path("g.cfl") + "\";cyto_gene; 2"));
    EXPECT_TRUE(log.lines[1].ends_with("s elapsed time"));
}

TEST_F(GeneFeatures, EmptyCacheIs41Bytes) {
    std::string error;
    ASSERT_TRUE(WriteFeatureCache(Path("e.cfl"), tFList(), 1, error)) << error;
    const std::string expected = std::string("JX-QuorbelFF01.00a") + std::string("\0\0\0\0", 4) +
                                 std::string("\x0f\0\0\0", 4) + "cyto_gene_5.1.4";
    EXPECT_EQ(Get(Path("e.cfl")), expected);
    EXPECT_EQ(expected.size(), 41u);
    tFList list = old;
    ASSERT_EQ(ReadFeatureCache(Path("e.cfl"), list, 1, nullptr, error), FeatureCacheStatus::Loaded);
    EXPECT_EQ(FeatureCount(list), 0);
}

TEST_F(GeneFeatures, MissingForeignAndCorruptCachesLeaveTheList) {
    std::string error;
    ASSERT_TRUE(WriteFeatureCache(Path("g.cfl"), TwoFeatures(), 1, error)) << error;
    const std::string good = Get(Path("g.cfl"));
    MemoryLog log;
    tFList list = old;

    EXPECT_EQ(ReadFeatureCache(Path("none.cfl"), list, 1, &log, error),
              FeatureCacheStatus::Missing);
    EXPECT_NE(error.find("none.cfl"), std::string::npos);
    ExpectOld(list);

    std::string foreign = good;
    foreign[5] ^= 1;
    EXPECT_EQ(ReadFeatureCache(Put("f.cfl", foreign), list, 1, &log, error),
              FeatureCacheStatus::WrongMagic);
    ExpectOld(list);

    for (size_t n = 0; n < good.size(); ++n) {
        SCOPED_TRACE(n);
        EXPECT_EQ(ReadFeatureCache(Put("t.cfl", good.substr(0, n)), list, 1, &log, error),
                  FeatureCacheStatus::Unreadable);
        ExpectOld(list);
    }
    auto withCount = [&](uint32_t count) {
        std::string bytes = good;
        for (int k = 0; k < 4; ++k) bytes[18 + k] = char(count >> (8 * k) & 0xff);
        return bytes;
    };
    for (uint32_t count : {3u, 0x7fffffffu, 0x80000000u, 0xffffffffu}) {
        SCOPED_TRACE(count);
        EXPECT_EQ(ReadFeatureCache(Put("c.cfl", withCount(count)), list, 1, &log, error),
                  FeatureCacheStatus::Unreadable);
        EXPECT_FALSE(error.empty());
        ExpectOld(list);
        EXPECT_EQ(ReadFeatureCache(Path("c.cfl"), list, 0, &log, error),
                  FeatureCacheStatus::Unreadable);
        ExpectOld(list);
    }
    std::string hugeText = good;
    hugeText[22 + 4 + 15 + 20 + 3] = char(0x80); // the first name's length turns negative
    EXPECT_EQ(ReadFeatureCache(Put("h.cfl", hugeText), list, 1, &log, error),
              FeatureCacheStatus::Unreadable);
    ExpectOld(list);
    EXPECT_TRUE(log.lines.empty());

    fs::create_directory(Path("dir.cfl"));
    EXPECT_EQ(ReadFeatureCache(Path("dir.cfl"), list, 1, &log, error),
              FeatureCacheStatus::Unreadable);
    EXPECT_FALSE(WriteFeatureCache(Path("no/such/dir.cfl"), TwoFeatures(), 1, error));
}

} // namespace

#include "../../bench/fcs_file_writer.h"
#include "fcsreader.h"
#include "testfiles.h"

#include <gtest/gtest.h>

namespace {

FcsFileSpec OneEvent(std::vector<uint16_t> words) {
    FcsFileSpec spec;
    spec.keywords = {{"$P1N", "FSC"}};
    spec.data = fcsfile::Words(words);
    return spec;
}

TEST(FcsReader, FindsTheMagicAndReadsSegmentsRelativeToIt) {
    for (size_t leading : {size_t(0), size_t(256), size_t(990)}) {
        FcsFileSpec spec = OneEvent({0x0102, 7, 8, 9, 0xFFFF});
        spec.leading = leading;
        FcsData fcs;
        std::string error;
        ASSERT_TRUE(DecodeFcs(fcsfile::Build(spec), fcs, error)) << leading << ": " << error;
        EXPECT_EQ(fcs.MagicPosition, int64_t(leading));
        EXPECT_EQ(fcs.HeaderFields,
                  (std::vector<std::string>{"      58", "      67", "      68", "      77"}));
        ASSERT_EQ(fcs.Events, 1);
        EXPECT_EQ(fcs.Values[0][0], 258.0f);
        EXPECT_EQ(fcs.Values[4][0], 65535.0f);
        EXPECT_EQ(fcs.Names, std::vector<std::string>{"FSC"});
    }
}

TEST(FcsReader, MagicOnlyAtTheFirstThousandOffsets) {
    // Short files without the magic, and one whose magic starts at 1000, say only that.
    for (const std::string& bytes :
         {std::string(), std::string(20, 'x'), std::string(1008, ' '),
          std::string(1000, ' ') + fcsfile::Build(OneEvent({1, 2, 3, 4, 5}))}) {
        FcsData fcs;
        std::string error;
        EXPECT_FALSE(DecodeFcs(bytes, fcs, error));
        EXPECT_EQ(error, "Invalid file format");
        EXPECT_EQ(fcs.MagicPosition, -1);
    }
    FcsFileSpec spec = OneEvent({1, 2, 3, 4, 5});
    spec.leading = 999;
    FcsData fcs;
    std::string error;
    EXPECT_TRUE(DecodeFcs(fcsfile::Build(spec), fcs, error)) << error;
}

TEST(FcsReader, EventsAreWholeTenByteGroups) {
    for (const auto& [bytes, events] :
         {std::pair{1000, 100}, std::pair{1009, 100}, std::pair{9, 0}, std::pair{10, 1}}) {
        FcsFileSpec spec;
        spec.data = fcsfile::RandomEvents(200).substr(0, size_t(bytes));
        FcsData fcs;
        std::string error;
        ASSERT_TRUE(DecodeFcs(fcsfile::Build(spec), fcs, error)) << error;
        EXPECT_EQ(fcs.Events, events) << bytes;
        EXPECT_EQ(fcs.Values[1].size(), size_t(events));
    }
}

TEST(FcsReader, KeywordPassesEndWithTheFailedOne) {
    FcsFileSpec spec = OneEvent({1, 2, 3, 4, 5});
    spec.keywords = {{"$MODE", "L"}};
    for (int p = 1; p <= 3; ++p) {
        const std::string n = "$P" + std::to_string(p);
        spec.keywords.push_back({n + "N", "name" + std::to_string(p)});
        spec.keywords.push_back({n + "R", "1024"});
        spec.keywords.push_back({n + "B", "16"});
    }
    spec.keywords.push_back({"$TOT", "1"});
    FcsData fcs;
    std::string error;
    ASSERT_TRUE(DecodeFcs(fcsfile::Build(spec), fcs, error)) << error;
    EXPECT_EQ(fcs.KeywordLines, (std::vector<std::string>{"name1\t1024\t16", "name2\t1024\t16",
                                                          "name3\t1024\t16", "\t\t"}));
}

TEST(FcsReader, DeclaredOtherLayoutsAreRefusedByKeyword) {
    const struct {
        std::string key, value, named;
    } cases[] = {{"$PAR", "8", "$PAR"},
                 {"$DATATYPE", "F", "$DATATYPE"},
                 {"$BYTEORD", "1,2,3,4", "$BYTEORD"},
                 {"$P2B", "32", "$P2B"},
                 {"$p3b", "8", "$P3B"}};
    for (const auto& c : cases) {
        FcsFileSpec spec;
        spec.keywords = fcsfile::FixedLayoutKeywords(100);
        for (auto& [key, value] : spec.keywords)
            if (key == c.key) value = c.value;
        if (c.key == "$p3b") spec.keywords.push_back({c.key, c.value});
        spec.data = fcsfile::RandomEvents(100);
        FcsData fcs;
        std::string error;
        EXPECT_FALSE(DecodeFcs(fcsfile::Build(spec), fcs, error)) << c.key;
        EXPECT_EQ(error.rfind("Invalid file format\n\n" + c.named + " is \"" + c.value + "\"", 0),
                  0u)
            << error;
        EXPECT_EQ(fcs.Events, 0);
        EXPECT_TRUE(fcs.Values[0].empty());
        EXPECT_EQ(fcs.Names.at(1), "SSC-H"); // the log still lists the parameters
    }
}

TEST(FcsReader, DeclaredFixedLayoutLoadsAsUndeclared) {
    FcsFileSpec declared;
    declared.keywords = fcsfile::FixedLayoutKeywords(50);
    declared.keywords.push_back({"$COM", "a \\ delimiter"}); // doubled in the file
    declared.data = fcsfile::RandomEvents(50, 7);
    FcsFileSpec plain;
    plain.data = declared.data;
    FcsData a, b;
    std::string error;
    ASSERT_TRUE(DecodeFcs(fcsfile::Build(declared), a, error)) << error;
    ASSERT_TRUE(DecodeFcs(fcsfile::Build(plain), b, error)) << error;
    EXPECT_EQ(a.Events, 50);
    EXPECT_EQ(a.Values, b.Values);
    EXPECT_EQ(a.Names[0], "FSC-H");
}

TEST(FcsReader, SegmentOffsetsAreChecked) {
    const std::string good = fcsfile::Build(OneEvent({1, 2, 3, 4, 5}));
    const auto with = [&](int field, const std::string& value) {
        std::string bytes = good;
        bytes.replace(size_t(10 + 8 * field), 8, value);
        return bytes;
    };
    const struct {
        std::string bytes, reason;
    } cases[] = {
        {good.substr(0, 30), "The header ends at byte 30"},
        {with(0, "      70"), "TEXT segment from offset 70 to 67"},
        {with(0, "     -10"), "TEXT segment from offset -10"},
        {with(3, "      78"),
         "DATA segment ends at offset 78, beyond the end of the file (78 bytes)"},
        {with(3, "99999999"), "DATA segment ends at offset 99999999"},
    };
    for (const auto& c : cases) {
        FcsData fcs;
        std::string error;
        EXPECT_FALSE(DecodeFcs(c.bytes, fcs, error));
        EXPECT_NE(error.find("Invalid file format\n\n" + c.reason), std::string::npos) << error;
    }
}

TEST(FcsReader, UnreadableFileSaysWhy) {
    FcsData fcs;
    std::string error;
    EXPECT_FALSE(ReadFcsFile(TestPath("missing.fcs"), fcs, error));
    EXPECT_NE(error.find("No such file"), std::string::npos) << error;
    const std::string path = WriteTestFile("one.fcs", fcsfile::FixedLayoutFile(3));
    EXPECT_TRUE(ReadFcsFile(path, fcs, error)) << error;
    EXPECT_EQ(fcs.Events, 3);
}

} // namespace

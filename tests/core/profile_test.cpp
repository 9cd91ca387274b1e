#include "binaryio.h"
#include "profilefile.h"
#include "profilemodel.h"
#include "testfiles.h"

#include <bit>
#include <cfloat>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <string>
#include <vector>

namespace {

// Channels 1..n of a table with entry 0 unused.
std::vector<float> Table(std::vector<float> channels) {
    channels.insert(channels.begin(), 0.0f);
    return channels;
}

std::string ProfileBytes(int32_t n, const std::vector<float>& values) {
    std::string bytes;
    AppendU32(bytes, static_cast<uint32_t>(n));
    for (float v : values) AppendU32(bytes, std::bit_cast<uint32_t>(v));
    return bytes;
}

TEST(ProfilePresets, RampsCyclesAndTheirScale) {
    auto v = Table({1, 2, 3});
    ProfileRotate(v, ProfileDirection::Left);
    EXPECT_EQ(v, Table({2, 3, 1}));
    v = Table({1, 2, 3});
    ProfileRotate(v, ProfileDirection::Right);
    EXPECT_EQ(v, Table({3, 1, 2}));

    v = Table({9, 9, 9, 9, 9});
    ProfileFillRamp(v, 1.0f, -1.0f);
    EXPECT_EQ(v, Table({-1, -0.5f, 0, 0.5f, 1}));
    ProfileFillConstant(v, -1.0f);
    EXPECT_EQ(v, Table({-1, -1, -1, -1, -1}));

    // One channel takes the ramp's start; none changes nothing and scales as a zero profile.
    v = Table({7});
    ProfileFillRamp(v, -1.0f, 1.0f);
    EXPECT_EQ(v, Table({1}));
    std::vector<float> none = Table({});
    ProfileFillRamp(none, 1.0f, 0.0f);
    ProfileRotate(none, ProfileDirection::Left);
    EXPECT_EQ(none, Table({}));

    struct Case {
        std::vector<float> values;
        float limit, step;
    };
    for (const Case& c : {Case{{0.5f, -2.3f, 1}, 4, 1}, Case{{12, -3}, 13, 2},
                          Case{{0.2f, -1}, 2, 1}, Case{{}, 1, 1}, Case{{FLT_MAX}, FLT_MAX, 0}}) {
        const ProfileScale s = ProfileRescale(Table(c.values));
        EXPECT_EQ(s.ValueLimit, c.limit);
        if (c.step > 0) {
            EXPECT_EQ(s.GridStep, c.step);
        }
        EXPECT_TRUE(std::isfinite(s.GridStep));
    }
}

TEST(ProfilePresets, PasteReadsCommaPiecesLeniently) {
    auto v = Table({5, 5, 5});
    PasteProfileValues("1,2,x,4", v);
    EXPECT_EQ(v, Table({1, 2, 0}));
    PasteProfileValues(" 2.5e1,-1e39", v);
    EXPECT_EQ(v, Table({25, -FLT_MAX, 0}));
    PasteProfileValues("", v);
    EXPECT_EQ(v, Table({25, -FLT_MAX, 0}));
}

TEST(ProfilePresets, ChannelUnderTheMouseStaysInRange) {
    EXPECT_EQ(ProfileChannelAt(5, 0, 1), 1);
    EXPECT_EQ(ProfileChannelAt(105, 100, 4), 2);
    EXPECT_EQ(ProfileChannelAt(1e9, 0.001, 4), 4);
    EXPECT_EQ(ProfileChannelAt(-50, 10, 4), 1);
    EXPECT_EQ(ProfileChannelAt(5, 10, 0), 0);
}

class ProfileFileTest : public FileTest {};

TEST_F(ProfileFileTest, SavesAPrfOfCountAndSinglesAndReadsItBack) {
    const std::string name = ProfileFileName(Path("a.txt"));
    EXPECT_EQ(name, Path("a.prf"));
    std::string error;
    ASSERT_TRUE(WriteProfileFile(name, std::vector<float>{1.5f, -2, 0.25f}, error)) << error;
    const std::string bytes = Get(name);
    ASSERT_EQ(bytes.size(), 16u);
    EXPECT_EQ(bytes, ProfileBytes(3, {1.5f, -2, 0.25f}));
    EXPECT_EQ(bytes.substr(0, 8), std::string("\x03\0\0\0\0\0\xC0\x3F", 8));

    ProfileFileData got;
    ASSERT_TRUE(ReadProfileFile(name, 3, got, error)) << error;
    EXPECT_EQ(got.Count, 3);
    EXPECT_EQ(got.Values, (std::vector<float>{1.5f, -2, 0.25f}));
    // Fewer channels read the first values; more read what the file has.
    ASSERT_TRUE(ReadProfileFile(name, 2, got, error));
    EXPECT_EQ(got.Values, (std::vector<float>{1.5f, -2}));
    ASSERT_TRUE(ReadProfileFile(name, 5, got, error));
    EXPECT_EQ(got.Count, 3);
    EXPECT_EQ(got.Values.size(), 3u);
    EXPECT_FALSE(ReadProfileFile(Path("missing.prf"), 3, got, error));
}

TEST(ProfileFileParse, RefusesWhatIsNoProfileAndIgnoresWhatFollows) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    struct Case {
        std::string bytes;
        int32_t channels;
        bool ok;
    };
    const Case cases[] = {
        {ProfileBytes(3, {1, 2}), 3, false},          // truncated
        {ProfileBytes(3, {1, 2}), 2, true},           // what the channels need is there
        {ProfileBytes(-1, {}), 3, false},             // negative count
        {ProfileBytes(2, {1, nan}), 3, false},        // not a number
        {ProfileBytes(2, {1, INFINITY}), 3, false},   // infinite
        {ProfileBytes(2, {1, nan}), 1, true},         // beyond the channels: never read
        {ProfileBytes(2, {1, 2}) + "tail", 3, true},  // trailing bytes
        {std::string("\x02\0", 2), 3, false},         // no count
        {ProfileBytes(0x7FFFFFFF, {1}), 1000, false}, // a huge count with one value
        {ProfileBytes(0, {}), 3, true},
    };
    for (const Case& c : cases) {
        ProfileFileData out;
        out.Count = 77;
        std::string error;
        EXPECT_EQ(ParseProfileFile(c.bytes, c.channels, out, error), c.ok) << c.bytes.size();
        EXPECT_EQ(error.empty(), c.ok);
        if (!c.ok) {
            EXPECT_EQ(out.Count, 77); // a refused file changes nothing
        }
    }
}

// Genes 1..4 over conditions numbered 11..15, two annotation columns before the data.
AnalysisMatrix SmallMatrix() {
    AnalysisMatrix m;
    m.FirstConditionNumber = 11;
    m.Resize(4, 5);
    for (int32_t g = 1; g <= 4; ++g)
        for (int32_t c = 1; c <= 5; ++c) m.At(g, c) = float(10 * g + c);
    m.At(2, 1) = NAN;
    m.AnnotationColumnCount = 2;
    m.HeaderRowCount = 3;
    m.HeaderCells.resize(8);
    m.HeaderCells[3] = {"", "T1", "1.5", "x"};
    m.HeaderCells[4] = {"", "T2", "2.5", "4,5"};
    m.HeaderCells[5] = {"", "T3", "-1"};
    return m;
}

TEST(ProfileMean, LeavesOutMissingValuesAndColumnsOutside) {
    const AnalysisMatrix m = SmallMatrix();
    // Channels 1..3 fed by conditions 11, 12 and 99 (outside); the matrix has five columns.
    const std::vector<int32_t> columns = {0, 11, 12, 99};
    auto v = Table({7, 7, 7});
    EXPECT_FALSE(ProfileMeanOfGenes(m, columns, {}, v));
    EXPECT_EQ(v, Table({7, 7, 7}));
    ASSERT_TRUE(ProfileMeanOfGenes(m, columns, std::vector<int32_t>{1, 2, 9}, v));
    EXPECT_EQ(v, Table({11, 17, 0})); // gene 2's NaN and gene 9 left out

    // Header rows: columns AnnotationColumnCount + data column, read with ".".
    v = Table({7, 7, 7});
    ASSERT_TRUE(ProfileMeanOfHeaderRows(m, std::vector<int32_t>{0, 11, 12, 13},
                                        std::vector<int32_t>{2, 3}, v));
    EXPECT_EQ(v, Table({1.5f / 2, 6.5f / 2, -1}));
}

TEST(ProfileFind, ContainsWholeWordAndOrKinds) {
    std::vector<std::string> names;
    for (const char* n : {"Abc1", "xabc", "ABC", "def", "abcdef"})
        names.push_back(UpperCaseAscii(n));
    std::vector<uint8_t> marked;
    EXPECT_EQ(FindProfileGenes(names, "abc", kFindContains, marked), 4);
    EXPECT_EQ(marked, (std::vector<uint8_t>{1, 1, 1, 0, 1}));
    EXPECT_EQ(FindProfileGenes(names, "abc", kFindWhole, marked), 1);
    EXPECT_EQ(marked, (std::vector<uint8_t>{0, 0, 1, 0, 0}));
    EXPECT_EQ(FindProfileGenes(names, "DEF", kFindOrWhole, marked), 1);
    EXPECT_EQ(marked, (std::vector<uint8_t>{0, 0, 1, 1, 0}));
    // Two keys matching one entry count twice; blanks make no key.
    EXPECT_EQ(FindProfileGenes(names, "ab  def ", kFindOrContains, marked), 6);
    EXPECT_EQ(marked, (std::vector<uint8_t>{1, 1, 1, 1, 1}));
    EXPECT_EQ(FindProfileGenes(names, "", kFindContains, marked), 0);
    EXPECT_EQ(marked, (std::vector<uint8_t>{1, 1, 1, 1, 1}));
}

} // namespace

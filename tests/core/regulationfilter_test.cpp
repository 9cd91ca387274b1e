#include "regulationfilter.h"

#include "grouptestdata.h"

#include <gtest/gtest.h>

namespace {

struct Regulation {
    std::unique_ptr<tCGH_DataSet> data;
    std::unique_ptr<tStat> stat = std::make_unique<tStat>();

    // means[h - 1] are the window means (slot 12) of hybridisation h; slot 11 is ten times less.
    explicit Regulation(const std::vector<std::vector<float>>& means) {
        data = MakeDataSet(static_cast<int>(means.size()), 1, static_cast<int>(means[0].size()));
        for (size_t h = 0; h < means.size(); ++h) {
            std::vector<float> raw;
            for (const float v : means[h]) raw.push_back(v / 10);
            SetSlot(*data, static_cast<int>(h) + 1, 1, 12, means[h]);
            SetSlot(*data, static_cast<int>(h) + 1, 1, 11, raw);
        }
        stat->GroupCount = 1;
        for (size_t h = 1; h <= means.size(); ++h) stat->GroupText[1] += std::to_string(h) + ",";
    }
    std::vector<float> Shown() const { return GetSlot(*data, 1, 1, 17); }
};

TEST(GroupRegulationFilter, ReportAndTableLine) {
    Regulation r({{0.5f, 0.0f}, {0.2f, 0.0f}, {0.4f, 0.0f}});
    r.data->Annotation[1][2] = "tumour";
    r.data->Annotation[1][3] = "A";
    MemoryLog log;
    std::vector<std::string> lines;
    ASSERT_EQ(GroupRegulationFilter(*r.stat, *r.data, 2, true, &log, lines, 0, 0.3f, {2, 3, 0}),
              "");
    const std::string line =
        "Chr-1      1\t  0.001\t2\t  0.67\t 0.450\t0.500;0.400;\t0.050;0.040;\t1;3;";
    EXPECT_EQ(lines, std::vector<std::string>{line});
    const std::vector<std::string> head = {
        "Group-regulation filtering V1.02 from 24.11.2010",
        std::string(48, '='),
        "Sample-IDs: 1,2,3,",
        "\t1\thyb1.txt",
        "\t\ttumour, A, , ",
        "\t2\thyb2.txt",
        "\t\t, , , ",
        "\t3\thyb3.txt",
        "\t\t, , , ",
        "Regulation threshold: 0.30",
        "Min number of matching samples: 2",
        "Combine with previous filter: new",
        "Probe       \tPos(MB)\t#\t%\tRegulation\tSmoothed\tRaw\tMember IDs",
    };
    ASSERT_EQ(log.lines.size(), head.size() + 2);
    EXPECT_TRUE(std::equal(head.begin(), head.end(), log.lines.begin()));
    EXPECT_EQ(log.lines[head.size()], line);
    EXPECT_EQ(log.lines.back(), "1 matching probes found");
    EXPECT_EQ(r.stat->SignificantCount, 1);
    EXPECT_EQ(r.Shown(), (std::vector<float>{0.01f, 1.0f}));
    EXPECT_FLOAT_EQ(r.data->Hyb[1].Chr[1].Get(16, 1), 2.0f / 3.0f);
    EXPECT_FLOAT_EQ(r.data->Hyb[1].Chr[1].Get(15, 1), 0.45f);
}

TEST(GroupRegulationFilter, WithoutWriteAllOnlyMarksAreWritten) {
    Regulation r({{-2.0f, 0.0f}, {-2.0f, 0.0f}});
    SetSlot(*r.data, 1, 1, 17, {0.3f, 0.3f});
    std::vector<std::string> lines;
    ASSERT_EQ(GroupRegulationFilter(*r.stat, *r.data, 2, false, nullptr, lines, 0, -1.5f, {}), "");
    EXPECT_EQ(r.Shown(), (std::vector<float>{-0.01f, 0.3f}));
    EXPECT_EQ(lines.size(), 1u);
}

TEST(GroupRegulationFilter, InvalidInputChangesNothing) {
    Regulation r({{2.0f}, {2.0f}});
    SetSlot(*r.data, 1, 1, 17, {0.3f});
    const auto version = DataVersion;
    MemoryLog log;
    std::vector<std::string> lines;
    EXPECT_FALSE(GroupRegulationFilter(*r.stat, *r.data, 0, true, &log, lines, 0, 1, {}).empty());
    EXPECT_FALSE(GroupRegulationFilter(*r.stat, *r.data, -3, true, &log, lines, 0, 1, {}).empty());
    r.stat->GroupText[1] = "0,-2,7,";
    EXPECT_FALSE(GroupRegulationFilter(*r.stat, *r.data, 1, true, &log, lines, 0, 1, {}).empty());
    EXPECT_FALSE(RegulationFilterTwoPasses(*r.stat, *r.data, 1, 0, 1, {}, &log, {}).empty());
    EXPECT_TRUE(log.lines.empty());
    EXPECT_TRUE(lines.empty());
    EXPECT_EQ(r.Shown(), (std::vector<float>{0.3f}));
    EXPECT_EQ(DataVersion, version);
}

// Seven probes over three members; the marks they held before (slot 17) and what they show:
//   1 gain, earlier significant      2 loss, earlier not        3 nothing, earlier loss
//   4 nothing, earlier p 0.003       5 gain, earlier not        6 loss, earlier gain
//   7 nothing, earlier not
struct TwoPassCase {
    Regulation r{{{2, -2, 0, 0, 2, -2, 0}, {2, -2, 0, 0, 2, -2, 0}, {2, -2, 0, 0, 0, -2, 0}}};
    std::vector<std::vector<std::string>> passes;

    explicit TwoPassCase(int mode) {
        SetSlot(*r.data, 1, 1, 17, {0.003f, 1.0f, -0.01f, 0.003f, 1.0f, 0.01f, 1.0f});
        const auto done = [this](std::vector<std::string>& lines) { passes.push_back(lines); };
        EXPECT_EQ(RegulationFilterTwoPasses(*r.stat, *r.data, 2, mode, -1.5f, {}, nullptr, done),
                  "");
    }
    // Probe numbers of each pass's table lines.
    std::vector<std::vector<int>> LineProbes() const {
        std::vector<std::vector<int>> probes;
        for (const auto& pass : passes) {
            probes.emplace_back();
            for (const auto& line : pass) probes.back().push_back(std::stoi(line.substr(5, 7)));
        }
        return probes;
    }
};

TEST(RegulationFilterTwoPasses, ModeNewMarksOnlyWhatIsFound) {
    TwoPassCase t(0);
    EXPECT_EQ(t.r.Shown(), (std::vector<float>{0.01f, -0.01f, 1, 1, 0.01f, -0.01f, 1}));
    EXPECT_EQ(t.LineProbes(), (std::vector<std::vector<int>>{{1, 5}, {2, 6}}));
}

TEST(RegulationFilterTwoPasses, ModeAndNeedsAnEarlierMark) {
    TwoPassCase t(kCombineAnd);
    EXPECT_EQ(t.r.Shown(), (std::vector<float>{0.01f, 1, 1, 1, 1, -0.01f, 1}));
    EXPECT_EQ(t.LineProbes(), (std::vector<std::vector<int>>{{1}, {6}}));
}

TEST(RegulationFilterTwoPasses, ModeOrKeepsGainsAndEarlierMarks) {
    TwoPassCase t(kCombineOr);
    EXPECT_EQ(t.r.Shown(), (std::vector<float>{0.01f, -0.01f, -0.01f, 0.003f, 0.01f, -0.01f, 1}));
    EXPECT_EQ(t.LineProbes(), (std::vector<std::vector<int>>{{1, 5}, {2, 6}}));
    // Kept marks keep their slots; a found probe holds its mean regulation.
    EXPECT_EQ(t.r.data->Hyb[1].Chr[1].Get(15, 4), 0.0f);
    EXPECT_FLOAT_EQ(t.r.data->Hyb[1].Chr[1].Get(15, 2), -2.0f);
}

TEST(RegulationFilterTwoPasses, AProbeFoundBothWaysStaysAGain) {
    Regulation r({{2.0f}, {-2.0f}, {0.0f}});
    MemoryLog log;
    std::vector<std::vector<std::string>> passes;
    ASSERT_EQ(RegulationFilterTwoPasses(*r.stat, *r.data, 1, 0, 1.5f, {}, &log,
                                        [&](std::vector<std::string>& l) { passes.push_back(l); }),
              "");
    EXPECT_EQ(r.Shown(), (std::vector<float>{0.01f}));
    EXPECT_FLOAT_EQ(r.data->Hyb[1].Chr[1].Get(15, 1), 2.0f);
    ASSERT_EQ(passes.size(), 2u);
    EXPECT_EQ(passes[0].size(), 1u);
    EXPECT_TRUE(passes[1].empty());
    // Each pass reports its own threshold and count.
    EXPECT_NE(std::find(log.lines.begin(), log.lines.end(), "Regulation threshold: -1.50"),
              log.lines.end());
    EXPECT_EQ(log.lines.back(), "0 matching probes found");
}

TEST(ParseRegulationText, FactorMinimumAndCombination) {
    const struct {
        const char* text;
        RegulationSettings expected;
    } cases[] = {
        {"1.5 2 new", {1.5f, 2, 0}},
        {"0 0 AND", {1.5f, 2, kCombineAnd}},
        {"-2 3", {2.0f, 3, 0}},
        {"1.5 2 or", {1.5f, 2, kCombineOr}},
        {"x y Or ", {1.5f, 2, kCombineOr}},
        {"3  4", {3.0f, 4, 0}},
        {"", {1.5f, 2, 0}},
        {"2 -1 and or", {2.0f, -1, 0}},
    };
    for (const auto& c : cases) EXPECT_EQ(ParseRegulationText(c.text), c.expected) << c.text;
}

} // namespace

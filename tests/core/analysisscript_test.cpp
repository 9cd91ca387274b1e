#include "analysisscript.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

TEST(AnalysisScriptText, LinesByModeAndParameters) {
    AnalysisScriptInput anova;
    anova.Mode = 2;
    anova.Members = {"1,2", "3,4"};
    EXPECT_EQ(AnalysisScriptText(anova),
              "#\n# \nanalysis.parameter.method=anova\nanalysis.parameter.groupnumber=2\n"
              "analysis.parameter.group1=1,2\nanalysis.parameter.group2=3,4\n"
              "analysis.parameter.statistic=distribution\nanalysis.run");

    AnalysisScriptInput plain = anova;
    plain.Mode = 0;
    plain.Comment = "first try";
    EXPECT_EQ(AnalysisScriptText(plain),
              "#\n# first try\nanalysis.parameter.groupnumber=2\n"
              "analysis.parameter.group1=1,2\nanalysis.parameter.group2=3,4\nanalysis.run");

    AnalysisScriptInput ttest = anova;
    ttest.Mode = 1;
    ttest.Members = {"1", "2", "3"};
    ttest.Distribution = false;
    ttest.PermutationNumber = 500;
    EXPECT_EQ(AnalysisScriptText(ttest),
              "#\n# \nanalysis.parameter.method=multi-class_t-test\n"
              "analysis.parameter.groupnumber=3\nanalysis.parameter.group1=1\n"
              "analysis.parameter.group2=2\nanalysis.parameter.group3=3\n"
              "analysis.parameter.statistic=permutation\n"
              "analysis.parameter.permutationnumber=500\nanalysis.run");

    AnalysisScriptInput sam = anova;
    sam.Mode = 10;
    sam.SamCycles = 100;
    sam.S0Method = 2;
    sam.S0Constant = "0.5";
    const std::string samText = AnalysisScriptText(sam);
    EXPECT_NE(samText.find("analysis.parameter.method=sam_regression_response\n"),
              std::string::npos);
    EXPECT_NE(samText.find("analysis.parameter.permutationnumber=100\n"
                           "analysis.parameter.sam_s0_estimation=constant\n"
                           "analysis.parameter.sam_s0_factor=0.5\nanalysis.run"),
              std::string::npos)
        << samText;
    sam.S0Method = 0; // Tusher et al. has no factor
    EXPECT_EQ(AnalysisScriptText(sam).find("sam_s0_factor"), std::string::npos);

    // An empty group leaves out the parameter lines.
    anova.Members = {"1,2", ""};
    EXPECT_EQ(AnalysisScriptText(anova).find("statistic"), std::string::npos);
}

TEST(AnalysisScriptText, ResponseLevelsReadNothingBeyondTheProfile) {
    // 1000 conditions: ConditionCount + 3 levels, from index 0, the missing ones as 0.
    std::vector<float> levels(1001, 0.0f);
    levels[1] = 1.25f;
    levels[1000] = -2.0f;
    AnalysisScriptInput in;
    in.Mode = 20;
    in.Members = {"1"};
    in.ConditionCount = 1000;
    in.ResponseProfile = levels;
    const std::string text = AnalysisScriptText(in);
    const size_t start = text.find("analysis.parameter.qres=");
    ASSERT_NE(start, std::string::npos);
    const std::string line = text.substr(start, text.find('\n', start) - start);
    EXPECT_EQ(std::count(line.begin(), line.end(), ','), 1003);
    EXPECT_EQ(line.substr(0, 42), "analysis.parameter.qres=0.000,1.250,0.000,");
    EXPECT_NE(line.find(",-2.000,0.000,0.000,"), std::string::npos);
}

} // namespace

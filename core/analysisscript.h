// The analysis script that the group selector hands to the outside analysis program: a comment,
// the method by dialog mode, the groups and the test parameters as "analysis.parameter." lines,
// last "analysis.run"; lines end in LF, the last one without.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

struct AnalysisScriptInput {
    int32_t Mode = 0;
    std::string Comment;
    std::vector<std::string> Members; // Members[g - 1]: group g's member numbers ("1,2")
    bool Distribution = true;         // p-values from the distribution, else by permutations
    int32_t PermutationNumber = 0;
    // Mode 20 writes entries 0..ConditionCount + 2 of the response levels; entries beyond the
    // span are written as 0.
    std::span<const float> ResponseProfile;
    int32_t ConditionCount = 0;
    int32_t SamCycles = 0;
    int32_t S0Method = 0; // 0 Tusher et al., 1 percentile, 2 constant
    std::string S0Percentile, S0Constant;
};

// The script's text. The parameter lines are written only when every group has a member.
std::string AnalysisScriptText(const AnalysisScriptInput& in);

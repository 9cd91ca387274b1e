#include "analysisscript.h"

#include "numbers.h"

#include <algorithm>

namespace {
std::string MethodLine(int32_t mode, size_t groups) {
    std::string method;
    switch (mode) {
    case 1:
        method = (groups == 1 ? "1" : groups == 2 ? "2" : "multi") + std::string("-class_t-test");
        break;
    case 2:
        method = "anova";
        break;
    case 3:
        method = "sam";
        break;
    case 10:
        method = "sam_regression_response";
        break;
    case 11:
        method = "sam_survival_response";
        break;
    case 20:
        method = "regression_response";
        break;
    case 200:
        method = "kruskal-wallis";
        break;
    default:
        return std::string();
    }
    return "analysis.parameter.method=" + method;
}
} // namespace

std::string AnalysisScriptText(const AnalysisScriptInput& in) {
    std::vector<std::string> lines{"#", "# " + in.Comment};
    if (std::string method = MethodLine(in.Mode, in.Members.size()); !method.empty())
        lines.push_back(std::move(method));
    lines.push_back("analysis.parameter.groupnumber=" + std::to_string(in.Members.size()));
    for (size_t g = 0; g < in.Members.size(); ++g)
        lines.push_back("analysis.parameter.group" + std::to_string(g + 1) + "=" + in.Members[g]);

    const bool complete = std::none_of(in.Members.begin(), in.Members.end(),
                                       [](const std::string& m) { return m.empty(); });
    const int32_t m = in.Mode;
    if (complete && (m == 1 || m == 2 || m == 20 || m == 200)) {
        if (in.Distribution) {
            lines.emplace_back("analysis.parameter.statistic=distribution");
        } else {
            lines.emplace_back("analysis.parameter.statistic=permutation");
            lines.push_back("analysis.parameter.permutationnumber=" +
                            std::to_string(in.PermutationNumber));
        }
        if (m == 20) {
            // The outside program reads ConditionCount + 3 levels, from index 0.
            std::string qres = "analysis.parameter.qres=";
            const int64_t last = int64_t{std::max(in.ConditionCount, 0)} + 2;
            for (int64_t i = 0; i <= last; ++i) {
                const size_t k = static_cast<size_t>(i);
                qres +=
                    FormatFixed(k < in.ResponseProfile.size() ? in.ResponseProfile[k] : 0.0f, 3) +
                    ",";
            }
            lines.push_back(std::move(qres));
        }
    }
    if (complete && (m == 3 || m == 10 || m == 11)) {
        static const char* const kS0[] = {"tusher_et_al", "percentile", "constant"};
        const int32_t s0 = std::clamp(in.S0Method, 0, 2);
        lines.push_back("analysis.parameter.permutationnumber=" + std::to_string(in.SamCycles));
        lines.push_back(std::string("analysis.parameter.sam_s0_estimation=") + kS0[s0]);
        const std::string& factor = s0 == 1 ? in.S0Percentile : in.S0Constant;
        if (s0 != 0 && !factor.empty())
            lines.push_back("analysis.parameter.sam_s0_factor=" + factor);
    }
    lines.emplace_back("analysis.run");

    std::string text;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) text += '\n';
        text += lines[i];
    }
    return text;
}

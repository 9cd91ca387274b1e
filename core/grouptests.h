// Group tests between hybridisations (CGH) or samples (expression): per probe or gene, Welch's
// t-test for one and two groups, one-way analysis of variance for three to ten, with the
// histogram of -log10 p and the count of significant items.
//
// Member lists are comma-separated 1-based numbers in tStat::GroupText[1..GroupCount]. The tests
// check the groups first; a grouping they cannot test changes nothing and is returned as a reason
// for the caller to show.
#pragma once

#include "records.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

constexpr int kMaxTestGroups = 10;
constexpr int kMaxGroupMembers = 1000;
// The smallest p-value a test stores: a tail that underflows must stay below every alpha and in
// the histogram's top bin, apart from the 0 of items no test wrote.
constexpr float kSmallestPValue = 1.17549435e-38f;

// The members of a comma-separated text: every piece that reads as a whole number in
// 1..highest, in order, at most kMaxGroupMembers; other pieces (empty, 0, negative, text) are
// skipped.
std::vector<int32_t> ReadMembers(std::string_view text, int32_t highest);

// Members[g] := the members of GroupText[g] for g = 1..GroupCount (the lists 1..25 that exist),
// with Members[g][0] the member count.
void ParseGrouping(tStat& stat);

// Tests gene g = 1..GeneCount over the samples of the groups: Data[0][g] := p, the histogram
// and the significant count (p < Alpha) of `stat` are rebuilt. Returns "" or, changing nothing,
// why the groups cannot be tested.
std::string ExpressionGroupTest(tStat& stat, tHeatmap& h);

// Tests every probe of hybridisation 1 (chromosomes 1..24) over slot 11 of the groups'
// hybridisations: slot 14 := the statistic, slots 15 and 17 := p (slot 15 holds p-values again);
// the histogram and the significant count of `stat` are rebuilt. Returns "" or, changing
// nothing, why the groups cannot be tested.
std::string CGHGroupTest(tStat& stat, tCGH_DataSet& data);

// Forgets what the last test found, as when the data it tested are no longer loaded: the
// histogram, the significant count and the group means and variances are cleared and the alpha
// becomes `alpha`, its value before any test. The groups stay for the next test.
void ClearTestResults(tStat& stat, float alpha);

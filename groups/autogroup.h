// Groups formed from the condition labels: equal labels (tag 1) or labels that contain one another
// (tag 2) around representatives, and the numeric split into low, high and middle groups.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

// The representatives of `labels`, in order: every label not merged into an earlier kept one.
// Tag 1 merges a label equal to a kept one (case matters), tag 2 one that contains a kept one;
// a label "#####" is never kept.
QStringList GroupRepresentatives(const QStringList& labels, int tag);

// The group (1..n) of a label among the first n representatives: tag 1 the last one it equals,
// tag 2 the last one it occurs in; 0 when none.
int RepresentativeGroup(const QString& label, const QStringList& representatives, int n, int tag);

// Groups of `labels` split around the numbers in `base` (labels that read wholly as a number;
// the others are skipped): with their mean m and d = factor x their standard deviation about m,
// a label's value v <= m - d gives group 1, else v >= m + d group 2, else group 3; a label that
// is no number gives 0.
std::vector<int> NumericGroups(const QStringList& base, double factor, const QStringList& labels);

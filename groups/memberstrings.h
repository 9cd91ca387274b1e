// Member strings of the group selector ("1,2,3"): condition i is written as i + first - 1.
#pragma once

#include <QString>
#include <vector>

// The conditions (1..count) that `members` names, in its order. Empty pieces, pieces that are no
// whole number and numbers outside first..first + count - 1 are skipped.
std::vector<int> MemberConditions(const QString& members, int first, int count);

// Every condition's number, first..first + count - 1, joined by ",".
QString AllConditionNumbers(int first, int count);

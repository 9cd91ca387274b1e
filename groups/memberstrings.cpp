#include "memberstrings.h"

#include "numbers.h"

#include <QStringList>

std::vector<int> MemberConditions(const QString& members, int first, int count) {
    std::vector<int> conditions;
    for (const QString& piece : members.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        int32_t n = 0;
        if (!ParseStrictInt(piece.toStdString(), n)) continue;
        const int64_t i = int64_t{n} - first + 1;
        if (i >= 1 && i <= count) conditions.push_back(static_cast<int>(i));
    }
    return conditions;
}

QString AllConditionNumbers(int first, int count) {
    QStringList numbers;
    numbers.reserve(count);
    for (int i = 0; i < count; ++i) numbers << QString::number(int64_t{first} + i);
    return numbers.join(QLatin1Char(','));
}

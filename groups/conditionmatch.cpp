#include "conditionmatch.h"

#include "numbers.h"
#include "parser.h"

#include <string>

bool OccursIn(const QString& needle, const QString& text) {
    return !needle.isEmpty() && text.contains(needle);
}

FindPattern ParseFindPattern(const QString& typed) {
    FindPattern p;
    QString text = typed.toLower();
    p.listMode = text.contains(QLatin1String("\\l"));
    p.perfect = text.contains(QLatin1String("\\pm"));
    text.remove(QLatin1String("\\pm"));
    p.text = text.trimmed();
    std::vector<std::string> keys;
    SplitQuoted(p.text.toStdString(), ' ', keys);
    for (const std::string& key : keys) p.keys << QString::fromStdString(key);
    return p;
}

namespace {
bool KeyMatches(const FindPattern& p, const QString& key, const QString& label) {
    if (!key.startsWith(QLatin1Char('\\'))) return p.perfect ? label == key : OccursIn(key, label);
    if (key == QLatin1String("\\empty")) return label.isEmpty();
    const std::string bound = key.mid(3).toStdString();
    const std::string value = label.toStdString();
    if (key.startsWith(QLatin1String("\\>="))) {
        double x = 0, y = 0;
        return ParseStrictFloat(bound, x) && ParseStrictFloat(value, y) && y >= x;
    }
    if (key.startsWith(QLatin1String("\\<=")))
        return ParseLenientFloat(value) <= ParseLenientFloat(bound);
    return false;
}
} // namespace

bool PatternMatches(const FindPattern& pattern, const QString& label) {
    const QString lower = label.toLower();
    for (const QString& key : pattern.keys)
        if (KeyMatches(pattern, key, lower)) return true;
    return false;
}

bool CombineMark(int tag, bool found, bool marked) {
    switch (tag) {
    case 1:
        return found;
    case 2:
        return found && marked;
    case 3:
        return found || marked;
    case 4:
        return !found && marked;
    case 5:
        return found ? marked : true;
    default:
        return marked;
    }
}

std::optional<int> ApplyFindList(const QString& text, int tag, std::vector<bool>& marks) {
    std::string rest = text.toStdString(), piece;
    CutToken(rest, " ", piece);
    if (tag == 1) marks.assign(marks.size(), false);
    while (!rest.empty()) {
        CutToken(rest, ",", piece);
        int32_t n = 0;
        if (!ParseStrictInt(piece, n)) continue;
        if (n < 1 || static_cast<size_t>(n) > marks.size()) return n;
        if (tag == 1 || tag == 3) marks[static_cast<size_t>(n - 1)] = true;
        if (tag == 4 || tag == 5) marks[static_cast<size_t>(n - 1)] = false;
    }
    return std::nullopt;
}

#include "autogroup.h"

#include "conditionmatch.h"
#include "numbers.h"
#include "statpack.h"

#include <optional>

namespace {
bool Joins(const QString& label, const QString& representative, int tag) {
    return tag == 1 ? label == representative : OccursIn(representative, label);
}

std::optional<double> LabelNumber(const QString& label) {
    double v = 0;
    if (!ParseStrictFloat(label.toStdString(), v)) return std::nullopt;
    return v;
}
} // namespace

QStringList GroupRepresentatives(const QStringList& labels, int tag) {
    // Labels that read as the marker of merged-away entries are dropped with them.
    const QString marker = QStringLiteral("#####");
    std::vector<bool> merged(static_cast<size_t>(labels.size()), false);
    for (qsizetype i = 0; i < labels.size(); ++i)
        merged[static_cast<size_t>(i)] = labels[i] == marker;
    QStringList kept;
    for (qsizetype i = 0; i < labels.size(); ++i) {
        if (merged[static_cast<size_t>(i)]) continue;
        kept << labels[i];
        for (qsizetype j = i + 1; j < labels.size(); ++j)
            if (!merged[static_cast<size_t>(j)] && Joins(labels[j], labels[i], tag))
                merged[static_cast<size_t>(j)] = true;
    }
    return kept;
}

int RepresentativeGroup(const QString& label, const QStringList& representatives, int n, int tag) {
    int group = 0;
    for (int g = 1; g <= n && g <= representatives.size(); ++g) {
        const QString& r = representatives[g - 1];
        // Tag 2 looks for the label inside the representative, the reverse of the merging.
        if (tag == 1 ? label == r : OccursIn(label, r)) group = g;
    }
    return group;
}

std::vector<int> NumericGroups(const QStringList& base, double factor, const QStringList& labels) {
    std::vector<float> values(1); // 1-based for the statistics helpers
    for (const QString& label : base)
        if (const auto v = LabelNumber(label)) values.push_back(static_cast<float>(*v));
    const int32_t n = static_cast<int32_t>(values.size()) - 1;
    const float mean = MeanS(values, n);
    const long double d = factor * StdDevAbout(values, n, mean);
    std::vector<int> groups;
    groups.reserve(static_cast<size_t>(labels.size()));
    for (const QString& label : labels) {
        const auto v = LabelNumber(label);
        if (!v)
            groups.push_back(0);
        else if (*v <= mean - d)
            groups.push_back(1);
        else if (*v >= mean + d)
            groups.push_back(2);
        else
            groups.push_back(3);
    }
    return groups;
}

#include "mapreadout.h"

#include "numbers.h"

namespace {

QString GenesAt(const tFList& genes, int c, int64_t position) {
    const double at = static_cast<double>(position);
    QString names;
    const int count = FeatureCount(genes);
    for (int i = 1; i <= count; ++i) {
        const tFeature& f = genes[static_cast<size_t>(i)];
        if (RoundToInt(f.Num[1]) != c || !(f.Num[2] <= at && at <= f.Num[3])) continue;
        if (!names.isEmpty()) names += QStringLiteral(" or ");
        names += QString::fromStdString(f.Name);
    }
    return names;
}

QString SampleAt(const MapGeometry& geometry, const tHeatmap& expression, int offset) {
    const int step = geometry.View().ExpressionStep;
    if (step == 0) return QStringLiteral("nan");
    if (step < 0) return QString();
    const int k = offset / step + 1;
    const int shown = geometry.View().ExpressionColumns / step;
    if (k > shown || k > kMaxSamples) return QString();
    const int s = expression.SampleOrder[static_cast<size_t>(k)];
    if (s < 1) return QString();
    QString label;
    if (s < static_cast<int>(expression.Header.size())) {
        const std::vector<std::string>& rows = expression.Header[static_cast<size_t>(s)];
        if (rows.size() > 1) label = QString::fromStdString(rows[1]);
    }
    return QString::number(s) + QStringLiteral(": ") + label;
}

} // namespace

MapReadout ReadMapPosition(const MapGeometry& geometry, int x, int y, const tFList& genes,
                           const tHeatmap& expression) {
    MapReadout r;
    r.BasePair = geometry.BasePairAt(geometry.AlongAt(x, y));
    const int across = geometry.AcrossAt(x, y);
    const PaintedChromosome* p = geometry.ChromosomeAt(across);
    if (!p) return r;
    r.Chromosome = p->Chromosome;
    if (p->Genes) {
        const auto [first, end] = geometry.GeneRoom(*p);
        if (across >= first && across < end) {
            const int64_t offset =
                int64_t{geometry.ShownLongestArm()} - geometry.PArm(p->Chromosome);
            r.Text = GenesAt(genes, p->Chromosome, r.BasePair - offset);
        }
    }
    if (p->Expression && across >= *p->Expression &&
        across <= *p->Expression + geometry.View().ExpressionColumns)
        r.Text = SampleAt(geometry, expression, across - *p->Expression);
    return r;
}

// The plot modes' OK and Run: scatter plots of two group means or of marked conditions, and the
// 3D plot of up to six marked conditions.
#include "conditionplots.h"
#include "groupselector.h"
#include "plotviewers.h"
#include "system.h"

#include <QListWidget>
#include <QSpinBox>
#include <algorithm>

namespace {
constexpr size_t kMostPlotted = 6;
} // namespace

void TdGroupSelector::RunPlots() {
    if (!AnalysisMatrix) {
        Beep();
        return;
    }
    const ::AnalysisMatrix& m = *AnalysisMatrix;
    const int32_t annotation = std::max(1, List_Group->currentRow() + 1);
    const auto request = [&](int kind, const QString& xLabel, const QString& yLabel,
                             std::vector<float> x, std::vector<float> y) {
        ScatterPlotRequest r;
        r.Mode = kind;
        r.Title = MessageCaption;
        r.RegistryKey = RegistryKey;
        r.ShowGeneListMenu = ShowGeneListMenu;
        r.GeneListHandle = GeneListHandle;
        r.XLabel = xLabel;
        r.YLabel = yLabel;
        if (kind == 1001) {
            RatioIntensity(x, y, r.X, r.Y);
        } else {
            if (kind == 1002) {
                std::sort(x.begin(), x.end());
                std::sort(y.begin(), y.end());
            }
            r.X = std::move(x);
            r.Y = std::move(y);
        }
        r.Annotations.reserve(m.GeneCount + 1);
        r.Annotations << QStringLiteral("GeneID");
        for (int32_t g = 1; g <= m.GeneCount; ++g)
            r.Annotations << QString::fromStdString(m.AnnotationCell(g, annotation));
        RequestScatterPlot(this, r);
    };

    if (Groups_SE_Number->value() == 2) {
        const std::vector<std::vector<int32_t>> groups = GroupColumns();
        // A group without conditions has no mean to plot.
        if (groups[0].empty() || groups[1].empty()) {
            Beep();
            return;
        }
        request(Mode == 1001 ? 1001 : 1000, QStringLiteral("Group 1"), QStringLiteral("Group 2"),
                GroupMeanValues(m, groups[0]), GroupMeanValues(m, groups[1]));
        return;
    }
    std::vector<int32_t> columns = MarkedColumns();
    if (columns.size() > kMostPlotted) columns.resize(kMostPlotted);
    if (columns.size() < 2) {
        Beep();
        return;
    }
    const auto label = [this](int32_t i) { return List_Cond->item(i - 1)->text(); };
    switch (Mode) {
    case 1000:
        for (size_t k = 1; k < columns.size(); ++k)
            request(1000, label(columns[0]), label(columns[k]), ColumnValues(m, columns[0]),
                    ColumnValues(m, columns[k]));
        break;
    case 1001:
    case 1002:
        request(Mode, label(columns[0]), label(columns[1]), ColumnValues(m, columns[0]),
                ColumnValues(m, columns[1]));
        break;
    case 1003: {
        Plot3DRequest r;
        for (const int32_t c : columns) r.Series.push_back({label(c), ColumnValues(m, c)});
        RequestPlot3D(this, r);
        break;
    }
    default:
        break; // the other plot modes draw the two-group case only
    }
}

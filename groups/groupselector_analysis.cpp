// The analysis modes' OK: normalisations, gene filters, imputation and the sign swap of the
// caller's matrix. The routines are the core's; the window adds the texts, boxes and beep.
#include "dialoghooks.h"
#include "genefilters.h"
#include "groupselector.h"
#include "imputation.h"
#include "matrixnormalise.h"
#include "memolog.h"
#include "numbers.h"
#include "statusprogress.h"
#include "system.h"

#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSpinBox>

namespace {

const QString kKelv = QStringLiteral("Kelv");

QString RowsLeft(int position, int maximum, const char* what) {
    return QStringLiteral("%1: %2 rows remaing to be processed.")
        .arg(QLatin1String(what))
        .arg(maximum - position);
}

QString Percent(double part, double whole) {
    // The share of nothing is 0.
    return QString::fromStdString(FormatFixed(whole > 0 ? 100.0 * part / whole : 0.0, 2));
}

} // namespace

void TdGroupSelector::RunPoolNormalisation() {
    if (!AnalysisMatrix) return Beep();
    ::AnalysisMatrix& m = *AnalysisMatrix;
    const bool virtualPool = Mode >= 1120;
    // Arithmetic, median and geometric means by the last digit (virtual pools: of mode - 1120
    // or mode - 1125).
    const int kind = virtualPool ? (Mode - 1120) % 5 : Mode % 10;
    const PoolAverage average = kind == 1   ? PoolAverage::Median
                                : kind == 2 ? PoolAverage::Geometric
                                            : PoolAverage::Mean;
    const bool centre = virtualPool ? Mode >= 1125 : Mode >= 1110;
    {
        StatusProgress progress(StatusPanels[1], [](int position, int maximum) {
            return QStringLiteral("Processing: %1% done.")
                .arg(RoundToInt(maximum > 0 ? 100.0 * position / maximum : 0.0));
        });
        const std::vector<int32_t> first = MemberColumns(m, GroupMembers[1].toStdString());
        Log_Memo->appendPlainText(GroupMembers[1]);
        if (virtualPool) {
            NormaliseVirtualPool(m, first, average, centre, &progress);
        } else {
            Log_Memo->appendPlainText(GroupMembers[2]);
            const std::vector<int32_t> pool = MemberColumns(m, GroupMembers[2].toStdString());
            std::vector<int32_t> targets = first;
            if (Normalise_CB_Self->isChecked())
                targets.insert(targets.end(), pool.begin(), pool.end());
            NormaliseHybridisationPools(m, targets, pool, average, centre, &progress);
        }
    }
    Beep();
    ShowMessage(this,
                virtualPool ? QStringLiteral("Virtual-Pool normalisation/centering - Done")
                            : QStringLiteral("Hybridization normalisation/centering - Done"),
                kKelv);
}

void TdGroupSelector::RunTotalIntensity() {
    if (!AnalysisMatrix) return Beep();
    MemoLog log(Log_Memo);
    NormaliseTotalIntensity(*AnalysisMatrix, ConditionGroup, Groups_SE_Number->value(), &log);
    ShowMessage(this, QStringLiteral("Done.\n\nSee Log for details."),
                QStringLiteral("Total intensity normalisation (Conditions)"));
}

void TdGroupSelector::RunGeneFilter() {
    if (!AnalysisMatrix) return Beep();
    ::AnalysisMatrix& m = *AnalysisMatrix;
    const GeneFilter filter = Mode == 3001   ? GeneFilter::MissingValues
                              : Mode == 3002 ? GeneFilter::Median
                                             : GeneFilter::Mean;
    double threshold = Matches_SE->value();
    if (filter == GeneFilter::MissingValues) {
        int marked = 0;
        for (int i = 1; i <= ConditionEntries(); ++i) marked += Marked(i) ? 1 : 0;
        threshold = threshold * marked / 100.0;
    }
    std::vector<uint8_t> matches;
    {
        StatusProgress progress(StatusPanels[1], [](int position, int maximum) {
            return RowsLeft(position, maximum, "Analysing");
        });
        matches = FindFilteredGenes(m, filter, GroupColumns(), threshold, &progress);
    }
    const auto found = std::count(matches.begin(), matches.end(), uint8_t{1});
    const MsgResult answer = ShowMessage(
        this,
        QStringLiteral("%1 genes matching filter criteria found.\n\nDo you really want to "
                       "unrecoverable remove these genes ?")
            .arg(found),
        QStringLiteral("Filter genes"), MsgIcon::Question, MsgButtons::YesNo);
    if (answer == MsgResult::Yes) {
        StatusProgress progress(StatusPanels[1], [](int position, int maximum) {
            return RowsLeft(position, maximum, "Filtering");
        });
        RemoveGenes(m, matches, &progress);
    }
    ShowMessage(this, QStringLiteral("Done."), QStringLiteral("JX-DORV : Gene filter"));
}

void TdGroupSelector::RunImputation() {
    if (!AnalysisMatrix) return Beep();
    ::AnalysisMatrix& m = *AnalysisMatrix;
    const Imputation kinds[] = {Imputation::Constant, Imputation::RowAverage, Imputation::HotDeck,
                                Imputation::NearestGenes};
    ImputationResult r;
    {
        StatusProgress progress(StatusPanels[1], [](int position, int maximum) {
            const double done = maximum > 0 ? 100.0 * position / maximum : 0.0;
            return QStringLiteral("Imputing - %1 % done.")
                .arg(QString::fromStdString(FormatFixed(done, 1)));
        });
        r = ImputeMissing(m, kinds[Mode - 3101], MarkedColumns(),
                          static_cast<float>(Matches_SE->value()), &progress);
    }
    QString text =
        QStringLiteral("Done.\n\n%1 values replaced ( %2% )\nin %3 rows ( %4% )")
            .arg(r.Replaced)
            .arg(Percent(static_cast<double>(r.Replaced), static_cast<double>(r.Considered)))
            .arg(r.RowsImputed)
            .arg(Percent(r.RowsImputed, m.GeneCount));
    if (r.RowsLeft > 0)
        text += QStringLiteral("\n%1 not imputed - only \"nan\"s; try CONSTANT imputation")
                    .arg(r.RowsLeft);
    ShowMessage(this, text, QStringLiteral("JX-Dorv: Data imputation"));
}

void TdGroupSelector::RunSwapSign() {
    if (!AnalysisMatrix) return Beep();
    // The swap is offered as mode 3201; 3200 swaps as well.
    const bool swap = Mode == 3200 || Mode == 3201;
    if (swap) SwapSign(*AnalysisMatrix, MarkedColumns());
    ShowMessage(this, swap ? QStringLiteral("Swap sign\nDone") : QStringLiteral("\nDone"), kKelv);
}

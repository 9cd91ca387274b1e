// OK and Run: what the two buttons do in each mode, and the groups and result slots they leave
// for the caller.
#include "dialoghooks.h"
#include "groupselector.h"
#include "inputtext.h"
#include "numbers.h"
#include "radiogroup.h"
#include "tablecells.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <algorithm>

namespace {

bool Between(int mode, int first, int last) {
    return mode >= first && mode <= last;
}

// Modes whose parameters the user is sent to look at before the first run.
bool ChecksParameters(int mode) {
    return mode == 1 || mode == 2 || mode == 3 || mode == 20 || Between(mode, 101, 104) ||
           mode == 200 || mode == 300;
}

bool TestModes(int mode) {
    return Between(mode, 1, 3) || mode == 5 || mode == 6 || mode == 20 || mode == 200;
}

int32_t Whole(const QString& text) {
    return ParseLenientInt(text.toStdString());
}

// The condition number before ":" in a cell of the pairs grid ("3: label"), 0 when none.
int32_t PairCondition(const QString& cell) {
    return Whole(cell.section(QLatin1Char(':'), 0, 0));
}

} // namespace

void TdGroupSelector::BB_RunOK(QObject* sender) {
    bool ends = false;
    {
        // The run serves the event queue (its progress, its boxes): a close asked meanwhile is
        // refused, and only its end decides whether the window closes.
        const QScopedValueRollback<bool> running(busy_, true);
        ends = RunOK(Tag(sender));
    }
    if (ends) close();
    // The buttons end as a modal result does: a window the run kept open has answered the
    // close question with ClosePermit, which is then allowed again.
    if (!formClosed_) ClosePermit = 1;
}

bool TdGroupSelector::RunOK(int tag) {
    WriteRunSettings();
    ClosePermit = 1;
    if (ChecksParameters(Mode) && ParametersChecked == 0) {
        ClosePermit = 0;
        ShowMessage(this, QStringLiteral("Please check and adjust parameters"), MessageCaption,
                    MsgIcon::Warning);
        PageControl1->setCurrentWidget(TS_Parameter);
        ParametersChecked = 1;
        return false;
    }
    if (Mode == 2000) {
        SendSelectionToOwner(); // the tool stays open and keeps its ResultCode
        return false;
    }
    if (Between(Mode, 1000, 1010)) {
        RunPlots();
        return RunGroupStep(tag);
    }
    if (Mode == 1020) {
        ResultCode = tag;
        return true;
    }
    if (Between(Mode, 1200, 1299)) {
        RunTotalIntensity();
    } else if (Between(Mode, 3001, 3003)) {
        RunGeneFilter();
    } else if (Between(Mode, 3101, 3104)) {
        RunImputation();
    } else if (Between(Mode, 3200, 3299)) {
        RunSwapSign();
    } else {
        return RunGroupStep(tag);
    }
    ClosePermit = 0;
    return false;
}

bool TdGroupSelector::RunGroupStep(int tag) {
    GroupCount = Groups_SE_Number->value();
    const int n = std::min(Mode == 210 ? GroupCount * Factors_SE_Number->value() : GroupCount,
                           kMaxMemberStrings);
    std::vector<QStringList> members(static_cast<size_t>(n) + 1);
    const int conditions = std::min<int>(static_cast<int>(ConditionGroup.size()) - 1, 1000);
    for (int i = 1; i <= conditions; ++i) {
        const int g = ConditionGroup[static_cast<size_t>(i)];
        if (g >= 1 && g <= n)
            members[static_cast<size_t>(g)]
                << QString::number(int64_t{i} + FirstConditionNumber - 1);
    }
    for (int g = 1; g <= n; ++g)
        GroupMembers[static_cast<size_t>(g)] =
            members[static_cast<size_t>(g)].join(QLatin1Char(','));
    // The paired modes need no groups, and the expression tool closes on either button.
    const bool needsLastGroup = Mode != 5 && Mode != 6 && Mode != 2001;
    if (needsLastGroup && members[static_cast<size_t>(n)].isEmpty()) {
        ClosePermit = 0;
        return false;
    }
    StoreRunSlots();
    if (Mode == 5 || Mode == 6) BuildPairLists();
    if (Between(Mode, 1100, 1102) || Between(Mode, 1110, 1112) || Between(Mode, 1120, 1129)) {
        RunPoolNormalisation();
        ClosePermit = 0;
        return false;
    }
    if (Mode == 20) {
        QStringList all;
        for (int g = 1; g <= GroupCount; ++g) all << GroupMembers[static_cast<size_t>(g)];
        GroupMembers[1] = all.join(QLatin1Char(','));
        GroupCount = 1;
    }
    ResultCode = tag;
    return ClosePermit != 0;
}

void TdGroupSelector::StoreRunSlots() {
    if (TestModes(Mode)) {
        RunParam1 = pValue_RB_Dist->isChecked() ? 1 : 2;
        RunParam2 = tTest_SE_Perm->value();
        RunParam3 = pValue_RG_MutlCorr->ItemIndex();
        RunParam4 = (TTest_MultiComb_RG->ItemIndex() + 1) * 10 + TTest_MultiMode_RG->ItemIndex();
        RunParam5 = Factors_SE_Number->value();
        RunParam6 = Groups_SE_Number->value();
        RunAllPermutations = pValue_CB_All->isChecked() ? 1 : 0;
        RunAutoSort = SAM_CB_Response_AutoSort_Conditions->isChecked() ? 1 : 0;
        if (Mode == 1) {
            const QString mean = tTest_CB_Mean->currentText();
            RunValue1 =
                mean.toLower().contains(QLatin1String("mean")) ? -1.0f : InputAsSingle(mean);
        }
    } else if (Mode == 4 || Mode == 10 || Mode == 11) {
        RunParam2 = SAM_SE_Perm->value();
        RunParam3 = SAM_RG_S0->ItemIndex();
        if (RunParam3 == 1) RunParam4 = RoundToInt(InputAsSingle(SAM_Edit_S0_Percentile->text()));
        if (RunParam3 == 2) RunParam4 = RoundToInt(InputAsSingle(SAM_Edit_S0_Constant->text()));
        RunParam5 = SAM_SE_ResponseHeaderRow->value();
        RunParam6 = SAM_RG_ResponseType->ItemIndex();
        RunAllPermutations = SAM_CB_PermAll->isChecked() ? 1 : 0;
    } else if (Between(Mode, 100, 104)) {
        RunParam3 = Whole(KapMei_Edit_Row[1]->text());
        RunParam4 = Whole(KapMei_Edit_Row[2]->text());
        RunParam5 = Whole(KapMei_Edit_Row[3]->text());
        if (Mode >= 101) {
            const QString average = Survival_Edit_Average->text().toLower().trimmed();
            RunParam6 = average == QLatin1String("mean")     ? 1
                        : average == QLatin1String("median") ? 2
                                                             : 0;
            RunParam7 = Survival_SE_MinGroupSize->value();
            RunValue2 = InputAsSingle(Survival_Edit_CI->text());
        }
        if (Mode >= 102) {
            RunValue1 = InputAsSingle(Survival_Edit_Average->text());
            RunValue3 = InputAsSingle(Survival_Edit_Alpha->text());
            RunValue4 = InputAsSingle(Survival_Edit_MedianGain->text());
        }
    } else if (Mode == 300) {
        const auto has = [](const QComboBox* box, const char* word) {
            return box->currentText().toLower().contains(QLatin1String(word));
        };
        RunParam1 = 1;
        RunParam2 = KMM_SE_Iter->value();
        RunParam3 = KMM_SE_TotGenes->value();
        RunParam4 = has(KMM_CB_CentComp, "meidan") ? 2 : 1;
        RunParam5 = has(KMM_CB_Metric, "dot") ? 3 : has(KMM_CB_Metric, "cosine") ? 2 : 1;
        RunParam6 = KMM_SE_Classes->value();
        RunParam7 = has(KMM_CB_Init, "wave") ? 2 : 1;
    } else if (Mode == 310 || Mode == 311) {
        RunParam2 = std::clamp(Whole(PCA_Edit_EVRatio->text()), 0, 100);
        RunParam3 = Whole(PCA_Edit_MaxIter->text());
        if (RunParam3 < 0) RunParam3 = 1000;
        RunValue2 = std::max(InputAsSingle(PCA_Edit_Acc->text()), 0.0f);
    }
}

void TdGroupSelector::BuildPairLists() {
    GroupMembers[1].clear();
    GroupMembers[2].clear();
    // Row 0 holds the column titles.
    for (int r = 1; r < Pairs_SG->rowCount(); ++r) {
        const QString first = CellText(Pairs_SG, r, 1), second = CellText(Pairs_SG, r, 2);
        if (first.isEmpty() || second.isEmpty()) continue;
        const int32_t a = PairCondition(first), b = PairCondition(second);
        // Both partners must be conditions of the list; a partner 0 names none.
        if (a < 1 || a > ConditionCount || b < 1 || b > ConditionCount || a == b) continue;
        GroupMembers[1] += QLatin1Char(',') + QString::number(a);
        GroupMembers[2] += QLatin1Char(',') + QString::number(b);
    }
    ClosePermit = 1;
}

std::vector<int32_t> TdGroupSelector::MarkedColumns() const {
    std::vector<int32_t> columns;
    const int last =
        AnalysisMatrix ? std::min(ConditionEntries(), AnalysisMatrix->ConditionCount) : 0;
    for (int i = 1; i <= last; ++i)
        if (Marked(i)) columns.push_back(i);
    return columns;
}

std::vector<std::vector<int32_t>> TdGroupSelector::GroupColumns() const {
    const int groups = Groups_SE_Number->value();
    if (groups == 1) return {MarkedColumns()};
    std::vector<std::vector<int32_t>> columns(static_cast<size_t>(groups));
    const int last = AnalysisMatrix ? std::min(static_cast<int>(ConditionGroup.size()) - 1,
                                               AnalysisMatrix->ConditionCount)
                                    : 0;
    for (int i = 1; i <= last; ++i) {
        const int g = ConditionGroup[static_cast<size_t>(i)];
        if (g >= 1 && g <= groups) columns[static_cast<size_t>(g - 1)].push_back(i);
    }
    return columns;
}

// Auto-group: groups formed from the condition labels, and the plot buttons of the plot modes.
#include "autogroup.h"
#include "dialoghooks.h"
#include "groupselector.h"
#include "inputdialog1.h"
#include "numbers.h"
#include "parser.h"

#include <QListWidget>
#include <QSpinBox>

namespace {
const QString kNumericHelp = QStringLiteral("Define\n"
                                            "\n"
                                            "Number of groups:\n"
                                            "2 groups: calc Aaverage and SDev from data.\n"
                                            "     Those <Average - CI*SDev => Group1\n"
                                            "     Those >Average + CI*SDev => Group2\n"
                                            "     Remaning => Group3\n"
                                            "     Combination of all above => Combined group\n"
                                            "\n"
                                            "Confidence interval:\n"
                                            "2 groups: CI for above distinction\n"
                                            "\n"
                                            "Data base for calculation of Average SDev:\n"
                                            "2 groups: by default only preselected conditions "
                                            "are used\n"
                                            "      \"all\" : all available cinditions are used");
const QString kNumericCaption = QStringLiteral("JX-DORV - Autogroup");
} // namespace

void TdGroupSelector::AutoGroup_GroupClick(QObject* sender) {
    const int tag = Tag(sender);
    const int entries = std::min(ConditionEntries(), static_cast<int>(ConditionGroup.size()) - 1);
    QStringList marked;
    for (int i = 1; i <= ConditionEntries(); ++i)
        if (Marked(i)) marked << List_Cond->item(i - 1)->text();
    const QStringList representatives = GroupRepresentatives(marked, tag);
    int groups = Groups_SE_Number->value();
    if (Mode == 210) groups *= Factors_SE_Number->value();
    const int n = std::min(static_cast<int>(representatives.size()), groups);
    for (int i = 1; i <= entries; ++i) {
        const int g = RepresentativeGroup(List_Cond->item(i - 1)->text(), representatives, n, tag);
        if (g != 0) ConditionGroup[static_cast<size_t>(i)] = g;
    }
    rebuildGroupList();
    List_Cond->viewport()->update();
}

void TdGroupSelector::Numeric1Click(QObject* sender) {
    const int tag = Tag(sender);
    if (tag != 2 && tag != 4) return;
    TInputDialog1 dialog(this);
    dialog.Caption = kNumericCaption;
    dialog.Prompt =
        QStringLiteral("Define # of groups,confidence interval and data base (e.g. \"2,1,all\")");
    dialog.Text = QStringLiteral("2,1,all");
    dialog.HelpText = kNumericHelp;
    RunModal(dialog);
    if (dialog.ResultCode < 0) return;

    std::string rest = dialog.Text.toStdString(), count, factor;
    CutToken(rest, ",", count);
    CutToken(rest, ",", factor);
    int32_t groups = 0;
    if (!ParseStrictInt(count, groups)) {
        ShowMessage(
            this,
            QStringLiteral("\"%1\" is no number of groups.").arg(QString::fromStdString(count)),
            kNumericCaption, MsgIcon::Stop);
        return;
    }
    if (groups != 2) return; // the only split there is

    // Tag 4 splits the marked conditions, tag 2 all of them.
    std::vector<int> split;
    QStringList all, labels;
    const int entries = std::min(ConditionEntries(), static_cast<int>(ConditionGroup.size()) - 1);
    for (int i = 1; i <= entries; ++i) {
        all << List_Cond->item(i - 1)->text();
        if (tag == 2 || Marked(i)) {
            split.push_back(i);
            labels << all.back();
        }
    }
    const std::vector<int> found =
        NumericGroups(rest == "all" ? all : labels, ParseLenientFloat(factor), labels);
    for (size_t k = 0; k < split.size(); ++k)
        ConditionGroup[static_cast<size_t>(split[k])] = found[k];
    // The group list keeps its counts until it is next rebuilt.
    List_Cond->viewport()->update();
}

void TdGroupSelector::BB_ScatterplotsClick(QObject* sender) {
    if (Mode == 1010) {
        ShowSelectionDotChart(Tag(sender));
        return;
    }
    Mode = Tag(sender);
    BB_RunOK(this);
}

// "=> Script": the grouping and test parameters as an analysis script on the clipboard.
#include "analysisscript.h"
#include "dialoghooks.h"
#include "groupfiles.h"
#include "groupselector.h"
#include "radiogroup.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>

void TdGroupSelector::BB_ToScriptClick() {
    GroupCount = Groups_SE_Number->value();
    AnalysisScriptInput in;
    in.Mode = Mode;
    in.Comment = Edit_Comment->text().toStdString();
    const std::vector<int32_t> groupOf = GroupsOfConditions();
    bool complete = true;
    for (int g = 1; g <= std::min(GroupCount, kMaxMemberStrings); ++g) {
        const std::string& members =
            in.Members.emplace_back(GroupMemberText(groupOf, g, FirstConditionNumber));
        // The caller sees the groups as exported.
        GroupMembers[static_cast<size_t>(g)] = QString::fromStdString(members);
        complete = complete && !members.empty();
    }
    if (!complete) {
        ShowMessage(this, QStringLiteral("Groups not defined !!"), QStringLiteral("Kelv"),
                    MsgIcon::Information);
        return;
    }
    in.Distribution = pValue_RB_Dist->isChecked();
    in.PermutationNumber = tTest_SE_Perm->value();
    in.ResponseProfile = ResponseProfile;
    in.ConditionCount = ConditionCount;
    in.SamCycles = SAM_SE_Perm->value();
    in.S0Method = SAM_RG_S0->ItemIndex();
    in.S0Percentile = SAM_Edit_S0_Percentile->text().toStdString();
    in.S0Constant = SAM_Edit_S0_Constant->text().toStdString();
    QApplication::clipboard()->setText(QString::fromStdString(AnalysisScriptText(in)));
    ToolBus::Send(OwnerHandle, 2000, 0); // nowhere while OwnerHandle is 0
}

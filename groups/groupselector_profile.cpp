// The response profile of the quantitative-response modes: read from a header row, or drawn in
// the profile editor over the conditions of the groups.
#include "groupselector.h"
#include "numbers.h"
#include "plotviewers.h"
#include "system.h"

#include <QSpinBox>
#include <algorithm>
#include <cstdint>

namespace {
constexpr int kProfileLabelRows = 50;
constexpr int kProfileLabelLength = 50;
} // namespace

void TdGroupSelector::HoldResponseLevels() {
    const size_t needed = static_cast<size_t>(std::max(ConditionCount, 0)) + 1;
    if (ResponseProfile.size() < needed) ResponseProfile.resize(needed, 0.0f);
}

void TdGroupSelector::SAM_SE_ResponseHeaderRowChange() {
    const int r = SAM_SE_ResponseHeaderRow->value();
    HoldResponseLevels();
    // A text that is no number, or a cell outside the table, gives 0.
    for (int i = 1; i <= ConditionCount; ++i)
        ResponseProfile[static_cast<size_t>(i)] =
            ParseLenientSingle(HeaderTable.Cell(i, r).toStdString());
}

void TdGroupSelector::SAM_BB_ResponseDefineProfileClick(QObject* sender) {
    const int t = Tag(sender);
    // The gene and header-row lists are the matrix's: without one there is nothing to list.
    if ((t == 1 || t == 2) && !AnalysisMatrix) {
        Beep();
        return;
    }
    GroupCount = Groups_SE_Number->value();
    ProfileEditorRequest request;
    request.Font = font();
    request.EditorMode = t;
    request.HelpBase = HelpBase;
    request.MessageCaption = MessageCaption;
    request.RegistryKey = RegistryKey;
    request.AboutText = AboutText;
    request.Matrix = AnalysisMatrix;
    const int h = std::min(HeaderRowCount - 1, kProfileLabelRows);
    for (int r = 1; r <= h; ++r)
        request.RowNames << HeaderTable.Cell(0, r).left(kProfileLabelLength);

    HoldResponseLevels();
    std::vector<int32_t> conditions; // the condition of each channel, channel k at [k - 1]
    for (int g = 1; g <= GroupCount; ++g) {
        for (int i = 1; i <= ConditionCount && i < static_cast<int>(ConditionGroup.size()); ++i) {
            if (ConditionGroup[static_cast<size_t>(i)] != g) continue;
            ProfileEditorRequest::Channel channel;
            for (int r = 1; r <= h; ++r)
                channel.Labels << HeaderTable.Cell(i, r).left(kProfileLabelLength);
            channel.Column = static_cast<int32_t>(std::clamp<int64_t>(
                int64_t{i} + FirstConditionNumber - 1, INT32_MIN, INT32_MAX)); // member number
            channel.Group = g;
            channel.Level = ResponseProfile[static_cast<size_t>(i)];
            request.Channels.push_back(std::move(channel));
            conditions.push_back(i);
        }
    }
    if (!RequestProfileEditor(this, request)) return;
    for (size_t k = 0; k < conditions.size(); ++k)
        ResponseProfile[static_cast<size_t>(conditions[k])] = request.Channels[k].Level;
}

// The main window's analysis commands: transforms and smoothing of the CGH data, the expression
// matrix transforms and scaling, the group-regulation filter and the map's refresh.
#include "cghtransforms.h"
#include "infotext.h"
#include "inputdialog.h"
#include "mainglobals.h"
#include "mainwindow.h"
#include "menuitems.h"
#include "records.h"
#include "regulationfilter.h"
#include "system.h"

namespace {
const QString kRegulationHelp = QStringLiteral(
    "Filter probes by regulation:\n\nFor each hybridisation probe check:\n- is probe x-fold up or "
    "downregulated vs. the common reference\n- a minmum of y samples have to be regulated\n- "
    "combine the new filter with the result of a previous one\n\nRegulation: define regulation "
    "factor.\n     e.g. 1.5: probe should be regulate 1.5 fol up or 0.7 (1/1.5) fold donw\n     "
    "default=1.5\nMin sample: from the selected samples a minum must ful fill the criterion\n     "
    "e.g. 2: from 5 selected (=siplayed samples) at least two must be regulated.\n     "
    "default=2\nCombine: perform multiple filters, and combine them with logical operators\n     "
    "and : combine last filter AND new, e.g. only common probes will survive\n     or :  all "
    "positive probes - old as well as new - will survive\n     new : ONLY new positive probes "
    "will be shown\n     default=new)");

// Tool command codes of the dispatcher that these commands share with the view tools.
constexpr int kExpressionTransform = 1004, kSmooth = 1010, kZTransformSets = 1011,
              kRestoreRaw = 1012, kZTransformOligos = 1013;
} // namespace

void TfQuorbelView::POM_CGH_Process_zTransformHynsClick() {
    ToolBus::Send(Handle(), kZTransformSets, 1);
}

void TfQuorbelView::POM_CGH_Process_zTransformOligosClick() {
    ToolBus::Send(Handle(), kZTransformOligos, 1);
}

void TfQuorbelView::POM_CGH_Process_RestoreRawValuesClick() {
    ToolBus::Send(Handle(), kRestoreRaw, 1);
}

void TfQuorbelView::POM_CGH_Process_SmoothClick(int tag) {
    WMToolCommand(kSmooth, tag);
}

void TfQuorbelView::POM_CGH_Process_Smooth_CustomClick() {
    TInputDialog dialog(this);
    dialog.History.clear();
    dialog.Caption = QStringLiteral("Smooth data");
    dialog.Prompt = QStringLiteral("Set filter width (e.gt. 5\")");
    dialog.HelpText.clear();
    RunModal(dialog);
    if (dialog.ResultCode != 0) return;
    // A width below 1 would show a smoothed view of nothing.
    if (dialog.DefaultInteger < 1) {
        Beep();
        return;
    }
    WMToolCommand(kSmooth, dialog.DefaultInteger);
}

void TfQuorbelView::Anal_ZTansformClick() {
    for (int h = 1; h <= CGHData.HNum; ++h) ZTransformHybridisations(CGHData, &InfoLog);
}

void TfQuorbelView::POM_GEHM_MeanNormaliseClick() {
    WMToolCommand(kExpressionTransform, 1);
}

void TfQuorbelView::POM_GEHM_Log2TransformClick() {
    WMToolCommand(kExpressionTransform, 2);
}

void TfQuorbelView::POM_GEHM_ScalingRangeClick() {
    TInputDialog dialog(this);
    dialog.Prompt = QStringLiteral("Enter new value for heatmap max scaling");
    dialog.Caption = QStringLiteral("Quorbel");
    dialog.DefaultSingle = 2.0f;
    RunModal(dialog);
    if (dialog.ResultCode < 0) return;
    ExpData.DisplayScale = dialog.DefaultSingle;
    BumpDataVersion();
    RepaintMap();
}

void TfQuorbelView::Anal_Stat_CGH_RegulationTestClick() {
    TInputDialog dialog(this);
    // A fixed key: the demonstration's own base key leaves this history where it was.
    dialog.RegistryKey = QStringLiteral("software\\JX-Quorbel\\Regulation-test\\");
    dialog.ShowOptions = 0;
    dialog.Caption = QStringLiteral("Filter probes by regulation");
    dialog.Prompt = QStringLiteral("Define Min-regulation, abundance, combination");
    dialog.HelpText = kRegulationHelp;
    dialog.Text = QStringLiteral("1.5 2 new");
    RunModal(dialog);
    if (dialog.ResultCode != 0) {
        Beep();
        return;
    }
    const RegulationSettings settings = ParseRegulationText(dialog.Text.toStdString());
    CGHStat.GroupCount = 1;
    std::string members;
    for (int h = 1; h <= std::min<int>(CGHData.HNum, kMaxHybridisations); ++h)
        if (CGHData.Hyb[h].Active != 0) members += std::to_string(h) + ",";
    CGHStat.GroupText[1] = members;
    CGHStat.Alpha = 0.05f;
    const int keyCount = std::clamp(ShownAnnotationKeys.Count, 0, kAnnotationKeys);
    const std::vector<int32_t> keys(ShownAnnotationKeys.Key.begin() + 1,
                                    ShownAnnotationKeys.Key.begin() + 1 + keyCount);
    const std::string error = RegulationFilterTwoPasses(
        CGHStat, CGHData, settings.MinCount, settings.Combination, settings.Factor, keys, &InfoLog,
        [this](std::vector<std::string>& lines) {
            if (lines.size() < 10)
                ShowStop(this, QStringLiteral("Too view data for filtering !!"));
            else
                RunListFilter(lines);
        });
    if (!error.empty()) ShowStop(this, error);
}

void TfQuorbelView::TB_RefreshClick() {
    // A full redraw, not only a copy of the cached map.
    renderedKey_.reset();
    RepaintMap();
}

void TfQuorbelView::ConnectProcessCommands() {
    for (QAction* item : POM_CGH_Process_Smooth->actions())
        if (item != POM_CGH_Process_Smooth_Custom)
            ConnectCommand(this, item,
                           [this, item] { POM_CGH_Process_SmoothClick(item->data().toInt()); });
    ConnectCommands<TfQuorbelView>(
        this,
        {
            {POM_CGH_Process_zTransformHyns, &TfQuorbelView::POM_CGH_Process_zTransformHynsClick},
            {POM_CGH_Process_zTransformOligos,
             &TfQuorbelView::POM_CGH_Process_zTransformOligosClick},
            {POM_CGH_Process_RestoreRawValues,
             &TfQuorbelView::POM_CGH_Process_RestoreRawValuesClick},
            {POM_CGH_Process_Smooth_Custom, &TfQuorbelView::POM_CGH_Process_Smooth_CustomClick},
            {Anal_Stat_CGH_RegulationTest, &TfQuorbelView::Anal_Stat_CGH_RegulationTestClick},
            {Anal_ZTansform, &TfQuorbelView::Anal_ZTansformClick},
            {POM_GEHM_MeanNormalise, &TfQuorbelView::POM_GEHM_MeanNormaliseClick},
            {POM_GEHM_Log2Transform, &TfQuorbelView::POM_GEHM_Log2TransformClick},
            {POM_GEHM_ScalingRange, &TfQuorbelView::POM_GEHM_ScalingRangeClick},
            {TB_Refresh, &TfQuorbelView::TB_RefreshClick},
        });
}

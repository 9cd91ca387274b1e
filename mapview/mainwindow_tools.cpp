// The main window's view tools: the group selector as CGH and as expression tool.
#include "groupselector.h"
#include "mainglobals.h"
#include "mainwindow.h"
#include "records.h"
#include "toolglobals.h"
#include "toolheadertables.h"

#include <QAction>
#include <QComboBox>
#include <algorithm>

namespace {
// A tool window of its own, deleted when it closes.
TdGroupSelector* NewTool(WindowHandle owner, const QString& caption, int mode) {
    auto* tool = new TdGroupSelector;
    tool->setAttribute(Qt::WA_DeleteOnClose);
    tool->OwnerHandle = owner;
    tool->setWindowTitle(caption);
    tool->Mode = mode;
    tool->LabelRow = 1;
    tool->GroupCount = 3;
    return tool;
}

// The hybridisations now loaded, with their names and on/off marks.
void ListHybridisations(TdGroupSelector& tool) {
    tool.ConditionCount = std::clamp(CGHData.HNum, 0, kMaxHybridisations);
    tool.HeaderRowCount = FillCGHHeaderTable(tool.HeaderTable, CGHData) + 1;
    tool.SetColours = SetColors;
    tool.ConditionActive.assign(static_cast<size_t>(tool.ConditionCount) + 1, 0);
    for (int h = 1; h <= tool.ConditionCount; ++h)
        tool.ConditionActive[static_cast<size_t>(h)] =
            CGHData.Hyb[static_cast<size_t>(h)].Active != 0;
}

// The samples of the matrix now loaded.
void ListSamples(TdGroupSelector& tool) {
    tool.HeaderRowCount = FillExpressionHeaderTable(tool.HeaderTable, ExpData) + 1;
    tool.ConditionCount = tool.HeaderTable.Conditions();
}

// The annotation column names of the matrix now loaded, entry `picked` (0-based) shown when there
// is one. Filled from code: the box sends nothing until the user picks a column.
void ListAnnotationColumns(QComboBox* names, int picked) {
    names->clear();
    if (ExpData.GeneCount < 1 || ExpData.GAnno.empty()) return;
    const int last = std::min(ExpData.HeaderCols - 1, kGeneAnnotationColumns);
    for (int k = 1; k <= last; ++k)
        names->addItem(QString::fromStdString(ExpData.GAnno[0].Str[static_cast<size_t>(k)]));
    if (names->count() > 0) names->setCurrentIndex(std::clamp(picked, 0, names->count() - 1));
}
} // namespace

void TfQuorbelView::POM_CGH_ToolClick() {
    // An open tool follows the loads itself.
    if (CGHToolOpen) return;
    TdGroupSelector* tool = NewTool(Handle(), QStringLiteral("Customize data CGH view"), 2000);
    tool->RegistryKey = RegistryKey + QStringLiteral("CGH-Tool");
    CGHToolOpen = true;
    ListHybridisations(*tool);
    CGHTool = tool;
    tool->show();
}

void TfQuorbelView::POM_ExpMat_ShowExpToolClick() {
    if (ExpressionToolOpen) return;
    TdGroupSelector* tool =
        NewTool(Handle(), QStringLiteral("Customize Expression data view"), 2001);
    ExpressionToolOpen = true;
    ListSamples(*tool);
    ExpressionTool = tool;
    tool->show();
    ListAnnotationColumns(tool->ExpMat_CB_GeneAnno, 0);
}

void TfQuorbelView::ToolFollowsLoad(LoadedData kind) {
    if (kind != LoadedData::Expression && CGHTool) {
        ListHybridisations(*CGHTool);
        CGHTool->ConditionsChanged();
    }
    if (kind == LoadedData::Expression && ExpressionTool) {
        ListSamples(*ExpressionTool);
        ExpressionTool->ConditionsChanged();
        // The column the track shows, which the load kept when the new matrix has it.
        ListAnnotationColumns(ExpressionTool->ExpMat_CB_GeneAnno, ExpData.DisplayMode - 1);
    }
}

void TfQuorbelView::CloseTools() {
    for (TdGroupSelector* tool : {CGHTool.data(), ExpressionTool.data()}) {
        if (!tool) continue;
        tool->ClosePermit = 1; // a refused run does not keep the program alive
        tool->close();
    }
}

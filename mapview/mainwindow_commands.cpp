// The main window's handler of the tool message, and the gate every command passes.
#include "chrsellist.h"
#include "infotext.h"
#include "mainwindow.h"
#include "progressscope.h"
#include "records.h"
#include "toolcommands.h"

#include <QListWidget>
#include <QStatusBar>

bool TfQuorbelView::MayStartCommand() {
    // The work's events are pumped, so a command could start in the middle of it and find the
    // records half replaced.
    if (!ProgressScope::Running()) return true;
    StatusBar1->showMessage(
        QStringLiteral("Busy: the command was not started, please wait for the work to end."),
        5000);
    return false;
}

intptr_t TfQuorbelView::ToolMessage(int code, intptr_t arg) {
    if (MayStartCommand()) WMToolCommand(code, static_cast<int32_t>(arg));
    return 0;
}

void TfQuorbelView::WMToolCommand(int code, int arg) {
    std::vector<bool> selection;
    if (ChrSel_List) {
        for (int i = 0; i < ChrSel_List->List->count(); ++i)
            selection.push_back(ChrSel_List->List->item(i)->isSelected());
    }
    ToolCommandContext ctx{CGHData,      ExpData,         CGHStat,         ExpStat,
                           GenomeLayout, FeatureLists[2], FirstChromosome, LastChromosome};
    ctx.listSelection = ChrSel_List ? &selection : nullptr;
    ctx.log = &InfoLog;
    const ToolCommandResult result = RunToolCommand(ctx, code, arg);
    if (result.mark != ToolCommandResult::DataTypeMark::Keep) {
        const bool raw = result.mark == ToolCommandResult::DataTypeMark::Raw;
        POM_CGH_DataType_Raw->setChecked(raw);
        POM_CGH_DataType_Processed->setChecked(!raw);
    }
    if (result.repaint) RepaintMap();
    if (!result.refused.empty()) ShowStop(this, result.refused);
}

void TfQuorbelView::RepaintMap() {
    if (MapView_PB1->isVisible()) MapView_PB1->repaint();
    // The bar's own repaint: an update scheduled within the map's repaint would be dropped, and
    // the bar would keep the palette and range it showed before.
    if (Panel_Colourbar->isVisible()) PB_Colourbar->repaint();
    // The other instance draws the same data; its paint renders anew only when they changed.
    if (TfQuorbelView* other = OtherInstance()) other->MapView_PB1->update();
}

TfQuorbelView* TfQuorbelView::OtherInstance() const {
    if (IsDetailViewer) return qobject_cast<TfQuorbelView*>(parentWidget());
    return DetailViewer && DetailViewer->parentWidget() == this ? DetailViewer.data() : nullptr;
}

// The main window's commands on what the CGH track shows of the hybridisations: their annotation
// table, the annotation keys written beside their names, their colours and grouping files.
#include "cghgrouping.h"
#include "hybannotation.h"
#include "infotext.h"
#include "inputdialog.h"
#include "mainglobals.h"
#include "mainwindow.h"
#include "menuitems.h"
#include "records.h"
#include "tableeditor.h"
#include "tableeditormodel.h"

#include <QAction>
#include <algorithm>

namespace {
// The history items show entries 1..9.
constexpr int kGroupingHistoryItems = 9;
} // namespace

void TfQuorbelView::POM_CGH_AnnotateHybridisationsClick() {
    TfTableEditor editor;
    // The cells keep the annotations' bytes, so what the user leaves alone comes back unchanged.
    TextTable table = HybridisationAnnotationTable(CGHData);
    editor.SGCells->Change([&table](TextTable& cells) { cells = std::move(table); });
    editor.Mode = 2;
    editor.TB1_Insert->setVisible(false);
    editor.TB1_Delete->setVisible(false);
    editor.SGCells->SetRowCount(kAnnotationKeys + 1);
    editor.SGCells->SetFixed(editor.SGCells->FixedCols(), 2);
    RunModal(editor);
    if (editor.ResultCode != 0) return;
    ApplyHybridisationAnnotationTable(editor.SGCells->Table(), CGHData);
    RepaintMap();
}

void TfQuorbelView::POM_CGH_SelectAnnotaionsToViewClick() {
    TInputDialog dialog(this);
    dialog.Caption = QStringLiteral("Quorbel");
    dialog.Prompt =
        QStringLiteral("Define IDs of annotations to view (e.g. 2,3 to view 2. and 3. annotation)");
    dialog.Text = QStringLiteral("2,3,4,5");
    dialog.ShowOptions = 0;
    RunModal(dialog);
    if (dialog.ResultCode != 0) return;
    std::vector<std::string> skipped;
    const std::vector<int> keys = ParseAnnotationKeys(dialog.Text.toStdString(), skipped);
    InfoLog.AddLines(skipped);
    ShownAnnotationKeys.Count = static_cast<int>(keys.size());
    std::copy(keys.begin(), keys.end(), ShownAnnotationKeys.Key.begin() + 1);
    RepaintMap();
}

void TfQuorbelView::Colora1Click() {
    TInputDialog dialog(this);
    dialog.RegistryKey = RegistryKey + QStringLiteral("CGH-GroupColor-Settings\\");
    dialog.Caption = QStringLiteral("Set colors");
    dialog.Prompt = QStringLiteral("Select IDs of color set(s) (e.g. 1:red;2:green;3:100,50,50)");
    dialog.HelpText = QStringLiteral(
        "Define colors used for displaying CGH sets.\n\nDefine multiple color:\nSetID1:Color;"
        "SetID2:Color;SetID3:Color; ....\ne.g. \"1:green;2:red;4:blue;7:128,72,72\n\nas Color "
        "values either use the standard windows color:\ngreen,blue,black,maroon,navy,gray,olive,"
        "purple,teal,\nlime,yellow,fuchsia or aqua\nor define the Red/Green/Blue three-color "
        "intensity values.");
    RunModal(dialog);
    if (dialog.ResultCode != 0) return;
    std::vector<std::string> skipped;
    for (const SetColour& c : ParseColourText(dialog.Text.toStdString(), skipped))
        SetColors[size_t(c.Set)] = c.Colour;
    InfoLog.AddLines(skipped);
    BumpDataVersion();
    RepaintMap();
}

void TfQuorbelView::POM_CGH_Grouping_SaveClick() {
    if (!SaveDialog.Execute(this)) return;
    const QString file = SaveDialog.FileName;
    std::string error;
    if (!WriteCGHGroupingFile(file.toStdString(), CGHData, SetColors, error)) {
        ShowStop(this, error);
        return;
    }
    UpdateGroupingHistoryMenu(file);
}

void TfQuorbelView::POM_CGH_Grouping_LoadClick() {
    if (!OpenDialog.Execute(this)) return;
    const QString file = OpenDialog.FileName;
    const bool read = ReadCGHGroupingFile(file);
    RepaintMap();
    if (read) UpdateGroupingHistoryMenu(file);
}

void TfQuorbelView::POM_CGH_Grouping_F1Click(QAction* item) {
    const QString file = item->data().toString();
    if (file.isEmpty()) return;
    ReadCGHGroupingFile(file);
    RepaintMap();
}

bool TfQuorbelView::ReadCGHGroupingFile(const QString& fileName) {
    // Read before anything changes: a file that is gone (an old history entry) hides nothing.
    CGHGrouping grouping;
    std::string error;
    if (!ParseCGHGroupingFile(fileName.toStdString(), grouping, error)) {
        ShowStop(this, error);
        return false;
    }
    ApplyCGHGrouping(grouping, CGHData, SetColors);
    InfoLog.AddLines(grouping.Skipped);
    return true;
}

void TfQuorbelView::UpdateGroupingHistoryMenu(const QString& fileName) {
    if (fileName.isEmpty()) return;
    if (fileName != QLatin1String("||||"))
        AddToHistory(GroupFileHistory, fileName.toStdString(), kGroupingHistoryItems);
    for (int k = 1; k <= kGroupingHistoryItems; ++k)
        if (!GroupFileHistory[size_t(k)].isEmpty())
            ShowEntryItem(POM_CGH_Grouping_F[size_t(k)], GroupFileHistory[size_t(k)]);
}

void TfQuorbelView::ConnectAnnotationCommands() {
    ConnectCommands<TfQuorbelView>(
        this,
        {
            {POM_CGH_AnnotateHybridisations, &TfQuorbelView::POM_CGH_AnnotateHybridisationsClick},
            {POM_CGH_SelectAnnotaionsToView, &TfQuorbelView::POM_CGH_SelectAnnotaionsToViewClick},
            {Colora1, &TfQuorbelView::Colora1Click},
            {POM_CGH_Grouping_Save, &TfQuorbelView::POM_CGH_Grouping_SaveClick},
            {POM_CGH_Grouping_Load, &TfQuorbelView::POM_CGH_Grouping_LoadClick},
        });
    ConnectItems(this, POM_CGH_Grouping_F, &TfQuorbelView::POM_CGH_Grouping_F1Click);
}

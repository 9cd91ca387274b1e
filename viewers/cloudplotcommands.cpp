// The dot chart's data commands: paste, clear, rename, demo data, transforms and the text file.
#include "cloudplot.h"

#include "dialoghooks.h"
#include "inputdialog.h"
#include "numbers.h"
#include "parser.h"
#include "system.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QWidget>

namespace {
const QString kCaption = QStringLiteral("Dot chart");
const QString kFilter = QStringLiteral("Tab delimited text (*.txt)");

void FileError(QWidget* parent, const QString& verb, const QString& file, const std::string& why) {
    ShowMessage(parent,
                QStringLiteral("Could not %1 %2:\n%3").arg(verb, file, QString::fromStdString(why)),
                kCaption, MsgIcon::Stop);
}

// Runs the one-line input dialog preset with `text`; the text it closes with.
QString AskText(QWidget* parent, const QString& caption, const QString& prompt, const QString& text,
                bool* ok = nullptr) {
    TInputDialog dialog(parent);
    dialog.Caption = caption;
    dialog.Prompt = prompt;
    dialog.Text = text;
    RunModal(dialog);
    if (ok) *ok = dialog.ResultCode == 0;
    return dialog.Text;
}
} // namespace

void TCloudPlot::Edit_PastesinglegroupClick(int tag) {
    const std::string text = QApplication::clipboard()->text().toStdString();
    if (text.empty()) {
        Beep();
        return;
    }
    const bool full = tag == 2 ? PasteGroupsByRow(Data, text) > 0
                               : !PasteSingleGroup(Data, 0, text, std::string_view());
    if (full) Beep();
    Refresh1Click();
}

void TCloudPlot::ClearAlldataClick() {
    ClearDotChartData(Data);
    Refresh1Click();
}

void TCloudPlot::Edit_RenamegroupClick() {
    bool ok = false;
    std::string rest =
        AskText(this, QStringLiteral("Rename group"),
                QStringLiteral("Enter group and new name,e.g.  1:newname"), QString(), &ok)
            .toStdString();
    if (!ok) return;
    std::string number;
    CutToken(rest, ":", number);
    int32_t g = 0;
    if (!ParseStrictInt(number, g) || g < 1 || g > Data.GroupCount) {
        Beep();
        return;
    }
    Data.Groups[g].Name = rest;
    Refresh1Click();
}

void TCloudPlot::Edit_TitleClick() {
    Title = AskText(this, QStringLiteral("Rename graph"),
                    QStringLiteral("Enter new title for graph"), Title);
    Refresh1Click();
}

void TCloudPlot::Edit_YLegendClick() {
    YLegend = AskText(this, QStringLiteral("Rename graph"), QStringLiteral("Enter new y-legend"),
                      YLegend);
    Refresh1Click();
}

void TCloudPlot::AfterDemo() {
    LayoutDots(Data);
    // The statistics belong to the new values whether or not the axis follows them.
    ComputeGroupStats(Data);
    Refresh1Click();
}

void TCloudPlot::Util_DemoData_IntClick() {
    Title = QStringLiteral("Simulation data 1 - intensities");
    MakeDemoData(Data, 8);
    static const uint32_t kBrushes[4] = {0xFFFFFF, 0x0000FF, 0x008000, 0xFF0000};
    for (int g = 0; g <= Data.GroupCount; ++g) {
        DotGroup& group = Data.Groups[g];
        group.PenColour = 0;
        group.BrushColour = kBrushes[g % 4];
        group.Symbol = g % 5 + 1;
        group.SymbolSize = g + 3;
    }
    AfterDemo();
}

void TCloudPlot::Util_DemoData_LogRatClick() {
    Title = QStringLiteral("Simulation data 2 - log ratios");
    MakeDemoData(Data, 4);
    for (int g = 0; g <= Data.GroupCount; ++g) {
        DotGroup& group = Data.Groups[g];
        group.PenColour = 0;
        group.BrushColour = 0xFFFFFF;
        group.Symbol = 2;
        group.SymbolSize = 9;
    }
    AfterDemo();
}

void TCloudPlot::Util_TransformTransformClick(int tag) {
    TransformValues(Data, tag);
    ComputeGroupStats(Data);
    LayoutDots(Data);
    Refresh1Click();
}

void TCloudPlot::File_OpenClick() {
    const QString file =
        AskFileName(this, {FileDialogKind::Open, QStringLiteral("Open"), {}, kFilter});
    if (file.isEmpty()) return;
    int32_t dropped = 0;
    std::string error;
    if (!LoadDotChartText(Data, file.toStdString(), dropped, error)) {
        FileError(this, QStringLiteral("read"), file, error);
        return;
    }
    if (dropped > 0)
        ShowMessage(
            this,
            QStringLiteral("The dot chart holds %1 groups: the first %1 lines were read, %2 "
                           "more left out.")
                .arg(kMaxDotGroups)
                .arg(dropped),
            kCaption, MsgIcon::Warning);
    ComputeGroupStats(Data);
    LayoutDots(Data);
    Refresh1Click();
}

void TCloudPlot::File_SaveClick() {
    const QString file =
        AskFileName(this, {FileDialogKind::Save, QStringLiteral("Save as"), {}, kFilter});
    if (file.isEmpty()) return;
    std::string error;
    if (!SaveDotChartText(Data, file.toStdString(), error))
        FileError(this, QStringLiteral("write"), file, error);
}

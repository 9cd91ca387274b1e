// The scatter viewer's selection: mouse areas, annotation queries, the lists shared with the other
// viewers and the gene list, and the window menu over all viewers.
#include "dialoghooks.h"
#include "inputdialog1.h"
#include "numbers.h"
#include "scatterselect.h"
#include "scatterview.h"
#include "windowregistry.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QScreen>
#include <cmath>

namespace {

const QString kQueryHelp = QStringLiteral(
    "Search the annotations of the points for one or more terms, separated by blanks.\n"
    "Points matching any term are selected.\n\n"
    "SMAD            selects annotations equal to \"SMAD\" (any case), not \"SMAD1\"\n"
    "\\c lo           selects annotations containing \"lo\"\n"
    "gap* Mad1 *orf* selects annotations starting with \"gap\", equal to \"Mad1\"\n"
    "                or containing \"orf\"\n"
    "*abc            selects annotations ending with \"abc\"\n"
    "\\>=2.5 / \\<=2.5      annotation read as a number at least / at most 2.5\n"
    "\\R>=2 / \\R<=2        x / y at least / at most 2\n"
    "\\LR>=1 / \\LR<=-1     log2(x / y) at least / at most the number\n"
    "\\k              keeps the points selected before\n"
    "\"a b\"            a term with a blank\n\n"
    "Annnotation search V1.1 from 21.04.2007");

const QString kViewerText = QStringLiteral("ScatterView");

} // namespace

void TfScatterView::Pref_Sel_RectClick() {
    Pref_Sel_Rect->setChecked(true);
    Pref_Sel_Rhombe->setChecked(false);
    SelectionShape = 1;
}

void TfScatterView::Pref_Sel_RhombeClick() {
    Pref_Sel_Rhombe->setChecked(true);
    Pref_Sel_Rect->setChecked(false);
    SelectionShape = 2;
}

void TfScatterView::Pref_Sel_UpdateAllClick() {
    Pref_Sel_UpdateAll->setChecked(!Pref_Sel_UpdateAll->isChecked());
    BroadcastSelection(2);
}

void TfScatterView::PaintBox2MouseDown(Qt::MouseButton button, int x, int y) {
    if (button != Qt::LeftButton) return;
    DragStartX = DragEndX = x;
    DragStartY = DragEndY = y;
    dragging_ = true;
    Picture(); // the scales the drag will be read with
}

void TfScatterView::PaintBox2MouseMove(Qt::MouseButtons buttons, int x, int y) {
    if (!(buttons & Qt::LeftButton) || !dragging_) return;
    const bool away = SelectionShape == 1 ? DragEndX >= 0 : x != DragStartX && y != DragStartY;
    if (!away) return;
    DragEndX = x;
    DragEndY = y;
    PaintBox1->update(); // the band is drawn over the cached picture
}

void TfScatterView::PaintBox2MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int,
                                     int) {
    if (button != Qt::LeftButton || !dragging_) return;
    dragging_ = false;
    SelectDraggedArea(modifiers & Qt::ControlModifier);
}

void TfScatterView::SelectDraggedArea(bool add) {
    if (DragStartX < 1 || DragStartY < 1) {
        PaintBox1->update();
        return;
    }
    Picture();
    const int h = PaintBox2->height();
    SelectionArea area{DragStartX / ScaleX + AxisMinX, (h - DragStartY) / ScaleY + AxisMinY,
                       DragEndX / ScaleX + AxisMinX,   (h - DragEndY) / ScaleY + AxisMinY,
                       Pref_Scaling_LogX->isChecked(), Pref_Scaling_LogY->isChecked()};
    std::vector<std::string> log{
        "Searching genes in rectangular region: " + FormatFixed(area.x0, 3) + "," +
        FormatFixed(area.y0, 3) + " - " + FormatFixed(area.x1, 3) + "," + FormatFixed(area.y1, 3)};
    ScatterSeries& s = Series[1];
    if (!add) std::fill(s.Flags.begin(), s.Flags.end(), 0);
    const std::vector<int32_t> hits =
        SelectionShape == 2 ? SelectInRhombus(s, area) : SelectInRectangle(s, area);
    int annotated = 0;
    for (int32_t i : hits) {
        if (s.Annotations.size() <= size_t(i)) continue;
        log.push_back(std::to_string(i) + '\t' + s.Annotations[size_t(i)] + ';');
        ++annotated;
    }
    log.push_back(std::to_string(annotated) + " genes found.");
    AddLogLines(log);
    Repaint();
    if (!hits.empty() && Pref_Sel_UpdateAll->isChecked()) BroadcastSelection(1);
}

void TfScatterView::Edit_FindClick() {
    if (Query != QStringLiteral("\\\\\\\\\\")) {
        TInputDialog1 dialog(this);
        dialog.Caption = QStringLiteral("JX-Pelva - Search Annotation");
        dialog.Prompt = QStringLiteral("Enter genename to search for");
        dialog.Items = FindHistory;
        dialog.Text = FindHistory.value(0);
        dialog.HelpText = kQueryHelp;
        RunModal(dialog);
        if (dialog.ResultCode == -1) return;
        Query = dialog.Text;
    }
    if (!FindHistory.contains(Query, Qt::CaseInsensitive)) FindHistory.prepend(Query);
    SearchAnnotation();
}

void TfScatterView::Findagain1Click() {
    if (FindHistory.isEmpty()) {
        Edit_FindClick();
        return;
    }
    Query = FindHistory.first();
    SearchAnnotation();
}

void TfScatterView::SearchAnnotation() {
    ScatterSeries& s = Series[1];
    if (annotationsStale_ || annotationIndex_.Upper.size() != s.Annotations.size()) {
        annotationIndex_.Build(s.Annotations);
        annotationsStale_ = false;
    }
    const AnnotationSearch found =
        ::SearchAnnotation(s.Annotations, annotationIndex_, s.Values[1], s.Values[2], s.Flags,
                           s.Count, Query.toStdString());
    if (found.Message.empty()) return;
    AddLogLines(found.LogLines);
    Repaint();
    if (Pref_Sel_UpdateAll->isChecked()) BroadcastSelection(1);
    ShowMessage(this, QString::fromStdString(found.Message), QStringLiteral("JX-Pelva"));
}

void TfScatterView::Copyselected1Click() {
    std::vector<std::string> log{"", "Selected genes:", "==============="};
    const ScatterSeries& s = Series[1];
    std::string text;
    int count = 0;
    for (size_t i = 1; i < s.Flags.size() && i <= size_t(std::max(s.Count, 0)); ++i) {
        if (s.Flags[i] != 1 || s.Annotations.size() <= i) continue;
        log.push_back(s.Annotations[i]);
        if (!s.Annotations[i].empty()) text += s.Annotations[i] + "\r\n";
        ++count;
    }
    log.push_back(std::to_string(count) + " genes.");
    AddLogLines(log);
    QApplication::clipboard()->setText(QString::fromStdString(text));
}

void TfScatterView::Edit_SelectionKelvGenelistClick() {
    ToolBus::SendList(GeneListHandle, 10, Handle(), SelectionList(Series[1]));
}

void TfScatterView::BroadcastSelection(int kind) {
    const auto viewers = WindowRegistry::Find(kViewerText, false);
    if (viewers.size() < 2) return;
    const std::vector<int32_t> list = kind == 1 ? SelectionList(Series[1]) : std::vector<int32_t>{};
    const int updateAll = Pref_Sel_UpdateAll->isChecked() ? 1 : 0;
    for (const auto& v : viewers) {
        if (v.handle == Handle()) continue;
        if (kind == 1)
            ToolBus::SendList(v.handle, 1, Handle(), list);
        else if (kind == 2)
            ToolBus::Send(v.handle, 200, updateAll);
    }
}

intptr_t TfScatterView::WMCopyData(int kind, std::span<const int32_t> list) {
    if (kind == 1) ApplySelectionList(Series[1], list);
    Repaint();
    return 0;
}

void TfScatterView::WMScatterSync(int code, intptr_t arg) {
    if (!isVisible() || code != 200) return;
    Pref_Sel_UpdateAll->setChecked(arg == 1);
}

void TfScatterView::Window_ArrangeClick(int tag) {
    std::vector<QWidget*> windows;
    for (const auto& v : WindowRegistry::Find(kViewerText, true))
        if (v.window->windowTitle().startsWith(kViewerText)) windows.push_back(v.window);
    if (tag == 3) {
        for (QWidget* w : windows)
            if (w != this) w->close();
        close();
        return;
    }
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    const QRect area = screen->availableGeometry();
    const int n = static_cast<int>(windows.size());
    if (tag == 1 && n > 0) {
        const double aspect = double(area.width()) / std::max(area.height(), 1);
        const int rows = std::max(RoundToInt(std::sqrt(n / aspect)), 1);
        const int columns = (n + rows - 1) / rows;
        const int cellW = RoundToInt(double(area.width()) / columns) - 2;
        const int cellH = RoundToInt(double(area.height()) / rows) - 2;
        for (int k = 0; k < n; ++k) {
            // The cell holds the whole window, its frame included.
            const QSize frame = windows[k]->frameGeometry().size() - windows[k]->size();
            windows[k]->move(area.x() + (k % columns) * cellW, area.y() + (k / columns) * cellH);
            windows[k]->resize(std::max(cellW - frame.width(), 1),
                               std::max(cellH - frame.height(), 1));
            windows[k]->update();
        }
    } else if (tag == 2) {
        for (int k = 0; k < n; ++k) windows[k]->move(area.x() + k * 50, area.y() + k * 25);
    }
}

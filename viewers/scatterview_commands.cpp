// The scatter viewer's preference, data, utility and import commands.
#include "dialoghooks.h"
#include "fcsreader.h"
#include "inputdialog1.h"
#include "numbers.h"
#include "random.h"
#include "scatterview.h"
#include "system.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QPlainTextEdit>
#include <cerrno>
#include <cfloat>
#include <new>

void TfScatterView::Pref_Scaling_LogXClick() {
    Pref_Scaling_LogX->setChecked(!Pref_Scaling_LogX->isChecked());
    Repaint();
}

void TfScatterView::Pref_Scaling_LogYClick() {
    Pref_Scaling_LogY->setChecked(!Pref_Scaling_LogY->isChecked());
    Repaint();
}

void TfScatterView::Pref_Scaling_SymmetricClick() {
    Pref_Scaling_Symmetric->setChecked(!Pref_Scaling_Symmetric->isChecked());
    pictureStale_ = true; // shown at the next paint
}

void TfScatterView::Pref_Scale_MinMaxClick(int tag) {
    TInputDialog1 dialog(this);
    dialog.Caption = QStringLiteral("Set new Min / Max value");
    RunModal(dialog);
    if (dialog.ResultCode != 0) return;
    double v = 0;
    if (!ParseStrictFloat(WithDecimalPoint(dialog.Text.toStdString()), v) ||
        std::fabs(v) > FLT_MAX) {
        ShowMessage(this, QStringLiteral("\"%1\" is not a number.").arg(dialog.Text), Title,
                    MsgIcon::Warning);
        return;
    }
    float& target = tag == 1 ? RangeMinX : tag == 2 ? RangeMaxX : tag == 3 ? RangeMinY : RangeMaxY;
    target = static_cast<float>(v);
    Repaint();
}

void TfScatterView::Pref_DiagonsClick(QAction* item) {
    item->setChecked(!item->isChecked());
    Repaint();
}

void TfScatterView::Pref_LinesClick(int tag) {
    QAction* item = tag == 1 ? Pref_Lines_Direct : Pref_Lines_Step;
    const bool wasChecked = item->isChecked();
    Pref_Lines_Direct->setChecked(false);
    Pref_Lines_Step->setChecked(false);
    if (wasChecked) {
        LineMode = 0;
    } else {
        item->setChecked(true);
        LineMode = tag;
    }
    Repaint();
}

void TfScatterView::Edit_Data_CopyClick(int tag) {
    QApplication::clipboard()->setText(QString::fromStdString(CopySeriesText(Series[1], tag == 2)));
}

void TfScatterView::Edit_pasteDataClick(int tag) {
    const QString text = QApplication::clipboard()->text();
    if (text.isEmpty()) {
        Beep();
        return;
    }
    std::vector<std::string> lines;
    PasteSeries(*this, text.toStdString(), tag, lines);
    AddLogLines(lines);
    annotationsStale_ = true;
    ErrorBarMode = tag;
    Repaint();
}

void TfScatterView::Util_SwapAxesClick() {
    SwapSeriesAxes(*this, ErrorBarMode);
    Repaint();
}

void TfScatterView::Demodata1Click() {
    constexpr int n = 100000;
    SetSeriesLength(1, n);
    ScatterSeries& s = Series[1];
    s.XLabel = "Random data 1";
    s.YLabel = "Random data 2";
    s.Annotations.reserve(n + 1);
    s.Annotations.emplace_back(" ");
    for (int i = 1; i <= n; ++i) {
        const float x = static_cast<float>(RandomUnit() * 65635);
        s.Values[1][i] = x;
        s.Values[2][i] = static_cast<float>(RandomUnit() * 400 - 200 + x);
        s.Flags[i] = 0;
        s.Annotations.push_back(std::to_string(i));
    }
    UpdateSeriesRange(1);
    UpdateSeriesRange(2);
    Repaint();
}

void TfScatterView::Info1Click() {
    ShowMessage(this, QStringLiteral("Scatter-plot viewer V0.90h\nfrom 17.08.2010"), Title,
                MsgIcon::Information);
}

void TfScatterView::TB_SnapshotClick() {
    QImage bitmap;
    RenderToBitmap(bitmap);
    QApplication::clipboard()->setImage(bitmap);
}

void TfScatterView::Log_BB_CopyClick() {
    QApplication::clipboard()->setText(Log_Memo->toPlainText());
}

void TfScatterView::Log_BB_ClearClick() {
    Log_Memo->clear();
}

void TfScatterView::File_Import_FCS_20Click() {
    FileDialogRequest request;
    request.caption = QStringLiteral("Select FCS 2.0 formatted data file");
    request.filter = QStringLiteral("FCS files (*.fcs);;All files (*)");
    const QString fileName = AskFileName(this, request);
    if (fileName.isEmpty()) return;
    FcsData fcs;
    std::string error;
    bool ok = ReadFcsFile(fileName.toStdString(), fcs, error);
    std::vector<std::string> log{std::to_string(fcs.MagicPosition)};
    log.insert(log.end(), fcs.HeaderFields.begin(), fcs.HeaderFields.end());
    log.insert(log.end(), fcs.KeywordLines.begin(), fcs.KeywordLines.end());
    try {
        if (ok) SetSeriesLength(1, fcs.Events);
    } catch (const std::bad_alloc&) {
        ok = false;
        error = FcsReadError(fileName.toStdString(), ENOMEM);
    }
    if (!ok) {
        AddLogLines(log);
        ShowMessage(this, QString::fromStdString(error), QStringLiteral("Import FCS 2.0"),
                    MsgIcon::Stop);
        return;
    }
    ScatterSeries& s = Series[1];
    std::copy(fcs.Values[0].begin(), fcs.Values[0].end(), s.Values[1].begin() + 1);
    std::copy(fcs.Values[1].begin(), fcs.Values[1].end(), s.Values[2].begin() + 1);
    const int64_t logged = std::min<int64_t>(100, int64_t(fcs.Events) * kFcsParameters);
    for (int64_t w = 0; w < logged; ++w)
        log.push_back(std::to_string(int(fcs.Values[w % kFcsParameters][w / kFcsParameters])));
    AddLogLines(log);
    UpdateSeriesRange(1);
    Repaint();
}

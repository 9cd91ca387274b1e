// The image viewer's pasted gene lists: the areas holding a pasted gene are outlined by the genes'
// mean regulation; the p-value track bar redraws the outlines on the unmarked picture.
#include "imageview.h"

#include "gdicanvas.h"
#include "imagezoom.h"
#include "paintpane.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>

void TImageView::Edit_PasteGeneListClick(int tag) {
    PasteKind = tag == 2 ? 2 : 0;
    PasteGeneList(tag);
}

void TImageView::PasteGeneList(int kind) {
    QString text;
    if (kind == 10 || kind == 12) {
        text = PendingText;
        PendingText.clear();
    } else {
        text = QApplication::clipboard()->text();
    }
    if (text.isEmpty()) return;
    Genes = ParseGeneList(text.toStdString(), kind);
    PasteKind = 2;
    MarkGeneAreas();
    for (const std::string& line : GenePasteReport(Genes)) Log(QString::fromStdString(line));
}

void TImageView::MarkGeneAreas() {
    const std::vector<AreaOutline> outlines = GeneAreaOutlines(Areas, Genes, PasteKind);
    if (!outlines.empty()) {
        // Coloured outlines need colour pixels: a 1-bit or palette picture is copied here only.
        if (Picture.format() != QImage::Format_RGB32)
            Picture = Picture.convertToFormat(QImage::Format_RGB32);
        GdiCanvas canvas(Picture);
        canvas.ClearBrush();
        for (const AreaOutline& o : outlines) {
            canvas.SetPen(o.Colour);
            canvas.SetPenWidth(o.Width);
            canvas.Rectangle(o.Left, o.Top, o.Right, o.Bottom);
        }
    }
    StatusPanel1->clear();
    Image1->update();
}

void TImageView::TrackBar_pValueChange() {
    PThreshold = static_cast<float>(PThresholdAt(TrackBar_pValue->value()));
    Edit_pValue->setText(QString::fromStdString(FormatExponent(PThreshold, 2, 2)));
    Picture = BackUp_Image;
    MarkGeneAreas();
}

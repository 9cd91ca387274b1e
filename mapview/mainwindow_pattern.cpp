// The main window's coloured chromosomes: band pattern files, the palette's data range and
// colours, and the colour bar that the user drags over the map.
#include "bandpattern.h"
#include "gdicanvas.h"
#include "infotext.h"
#include "inputdialog.h"
#include "mainwindow.h"
#include "menuitems.h"
#include "system.h"

#include <QEvent>
#include <QMenu>
#include <QMouseEvent>

namespace {
// Loads and saves of patterns ask alike, the load too under the title "Save pattern".
bool AskPatternFile(tFileDialog& dialog, QWidget* parent) {
    dialog.Title = QStringLiteral("Save pattern");
    dialog.Filter = QStringLiteral("Tab delimited text (*.txt)");
    dialog.FileName = QStringLiteral("*.txt");
    return dialog.Execute(parent);
}

// Hands the colour bar's mouse events to the window's handlers.
class ColourBarMouse : public QObject {
  public:
    explicit ColourBarMouse(TfQuorbelView* window) : QObject(window), window_(window) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const auto screen = [event] {
            return static_cast<QMouseEvent*>(event)->globalPosition().toPoint();
        };
        switch (event->type()) {
        case QEvent::MouseButtonPress:
            window_->Panel_ColourbarMouseDown(screen());
            return true;
        case QEvent::MouseMove:
            window_->Panel_ColourbarMouseMove(screen());
            return true;
        case QEvent::MouseButtonRelease:
            window_->Panel_ColourbarMouseUp();
            return true;
        default:
            return QObject::eventFilter(watched, event);
        }
    }

  private:
    TfQuorbelView* window_;
};
} // namespace

void TfQuorbelView::POM_Ideogram_SavePatternClick() {
    if (!AskPatternFile(SaveDialog, this)) return;
    BandPattern pattern;
    for (const QString& name : PatternNames) pattern.Names.push_back(name.toStdString());
    pattern.Values = PatternValues;
    std::string error;
    if (!WriteBandPatternFile(SaveDialog.FileName.toStdString(), pattern, error))
        ShowStop(this, error);
}

void TfQuorbelView::POM_Ideogram_LoadPatternClick() {
    if (!AskPatternFile(OpenDialog, this)) return;
    BandPattern pattern;
    std::string error;
    if (!ReadBandPatternFile(OpenDialog.FileName.toStdString(), pattern, error)) {
        ShowStop(this, error);
        return;
    }
    PatternNames.clear();
    for (const std::string& name : pattern.Names) PatternNames.append(QString::fromStdString(name));
    PatternValues = std::move(pattern.Values);
    RepaintMap();
}

void TfQuorbelView::POM_Ideogram_DataRangeClick() {
    struct Texts {
        const char* prompt;
        const char* caption;
    };
    static constexpr Texts kTexts[] = {
        {"Set data range (e.g. \"1,100\" corresponding to 1..100 genes)",
         " Select display range for number of selected genes"},
        {"Set data range (e.g. \"1,100\" corresponding to 1%..100%)",
         " Select display range for ratio Selected / Reference genes"},
        {"Set data range (e.g. \"1,0.01\")", " Select display range for p-value"},
        {"Set data range (e.g. \"-1,1\")", " Select display range for regulation"}};
    TInputDialog dialog(this);
    if (PaletteScaleKind >= 1 && PaletteScaleKind <= 4) {
        const Texts& t = kTexts[PaletteScaleKind - 1];
        dialog.Prompt = QString::fromUtf8(t.prompt);
        dialog.Caption = QStringLiteral("Kelv - ") + QString::fromUtf8(t.caption);
    }
    RunModal(dialog);
    if (dialog.ResultCode != 0) return;
    double min = PaletteMin, max = PaletteMax;
    std::string error;
    if (!ParseDataRange(dialog.Text.toStdString(), PaletteScaleKind, min, max, error)) {
        ShowStop(this, error);
        return;
    }
    PaletteMin = static_cast<float>(min);
    PaletteMax = static_cast<float>(max);
    RepaintMap();
}

void TfQuorbelView::POM_Ideogram_PalColClick(QAction* item) {
    for (QAction* a : {POM_Ideogram_PalCol[1], POM_Ideogram_PalCol[2]}) a->setChecked(a == item);
    BuildColourPalette(PaletteColours, item->data().toInt());
    RepaintMap();
}

void TfQuorbelView::POM_Ideogram_LogClick() {
    RepaintMap();
}

void TfQuorbelView::Panel_ColourbarMouseDown(QPoint screen) {
    // The press grabs the mouse for the paint box until it is released.
    ColourBarDragging = true;
    ColourBarCursor = screen;
}

void TfQuorbelView::Panel_ColourbarMouseMove(QPoint screen) {
    if (!ColourBarDragging) return;
    if (ShiftDown()) {
        PB_Colourbar->setCursor(Qt::SizeFDiagCursor);
        const QPoint corner = Panel_Colourbar->mapFromGlobal(screen);
        QSize size = Panel_Colourbar->size();
        if (corner.x() > 20) size.setWidth(corner.x());
        if (corner.y() > 20) size.setHeight(corner.y());
        Panel_Colourbar->resize(size);
    } else {
        PB_Colourbar->setCursor(Qt::SizeAllCursor);
        Panel_Colourbar->move(Panel_Colourbar->pos() + screen - ColourBarCursor);
        ColourBarCursor = screen;
    }
}

void TfQuorbelView::Panel_ColourbarMouseUp() {
    ColourBarDragging = false;
    PB_Colourbar->unsetCursor();
}

void TfQuorbelView::PB_ColourbarPaint() {
    QImage image(PB_Colourbar->size(), QImage::Format_RGB32);
    if (image.isNull()) return;
    image.fill(Panel_Colourbar->palette().color(QPalette::Window));
    const auto [left, right] = ColourBarLabels(PaletteScaleKind, PaletteMin, PaletteMax);
    {
        GdiCanvas canvas(image);
        DrawColourBar(canvas, image.width(), image.height(), PaletteColours,
                      QString::fromStdString(left), QString::fromStdString(right));
    }
    PB_Colourbar->Image() = std::move(image);
}

void TfQuorbelView::ConnectPatternCommands() {
    ConnectCommands<TfQuorbelView>(
        this, {
                  {POM_Ideogram_SavePattern, &TfQuorbelView::POM_Ideogram_SavePatternClick},
                  {POM_Ideogram_LoadPattern, &TfQuorbelView::POM_Ideogram_LoadPatternClick},
                  {POM_Ideogram_DataRange, &TfQuorbelView::POM_Ideogram_DataRangeClick},
                  {POM_Ideogram_Log, &TfQuorbelView::POM_Ideogram_LogClick},
              });
    ConnectItems(this, POM_Ideogram_PalCol, &TfQuorbelView::POM_Ideogram_PalColClick);
    PB_Colourbar->BeforePaint = [this] { PB_ColourbarPaint(); };
    auto* mouse = new ColourBarMouse(this);
    Panel_Colourbar->installEventFilter(mouse);
    PB_Colourbar->installEventFilter(mouse);
}

// The chromosome map of the main window: its render, zoom, orientation, scrolling, the chromosome
// chooser and list, the ideogram switches and band resolution, and the ideogram dump.
#include "cghlayers.h"
#include "chrsellist.h"
#include "featuretracks.h"
#include "gdicanvas.h"
#include "ideogrambands.h"
#include "ideogrampainter.h"
#include "mainglobals.h"
#include "mainwindow.h"
#include "mapsteps.h"
#include "menuitems.h"
#include "menutoggle.h"
#include "numbers.h"
#include "records.h"
#include "textrotated.h"

#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QScrollBar>
#include <QToolButton>
#include <algorithm>

namespace {
constexpr TColor kBlack = 0x000000;
constexpr TColor kWhite = 0xFFFFFF;

int LayoutChromosomeCount() {
    return std::clamp(GenomeLayout.ChromosomeCount, 0, kLayoutSlots);
}

void DrawChromosomeNumber(GdiCanvas& canvas, const MapGeometry& geometry,
                          const PaintedChromosome& chr) {
    const MapViewInputs& view = geometry.View();
    const QString text = QString::number(chr.Chromosome);
    const int across = chr.LabelAcross - view.AcrossScroll;
    canvas.SetBrush(kWhite);
    canvas.SetFont(10, kBlack);
    if (view.Orientation == 2)
        TextOutRotated(text, canvas.Painter(), 10, kBlack, 90, view.Height - across, 5);
    else
        canvas.TextOut(across, 1, text);
}
} // namespace

void TfQuorbelView::ConnectMapView() {
    MapView_PB1->BeforePaint = [this] {
        if (renderedKey_ != CurrentRenderKey()) MapView_PB1Paint();
    };
    for (QScrollBar* bar : {MapView_SB_H, MapView_SB_V}) {
        // The map follows the thumb when it is let go, not while it is dragged.
        bar->setTracking(false);
        bar->setSingleStep(1);
        bar->setPageStep(1);
    }
    connect(MapView_SB_V, &QScrollBar::actionTriggered, this,
            [this](int action) { MapView_SB_VScroll(action); });
    connect(MapView_SB_H, &QScrollBar::actionTriggered, this,
            [this](int action) { MapView_SB_HScroll(action); });

    ConnectItems(this, POM_Zoom->actions(), &TfQuorbelView::POM_Zoom_Click);
    ConnectCommands<TfQuorbelView>(this,
                                   {
                                       {TB_ZoomIn, &TfQuorbelView::TB_ZoomInClick},
                                       {TB_ZoomOut, &TfQuorbelView::TB_ZoomOutClick},
                                       {TB_SetOrientation, &TfQuorbelView::TB_SetOrientationClick},
                                   });
    connect(TB1_CNum_Edit, &QLineEdit::textEdited, this, [this] { TB1_CNum_EditChange(); });
    connect(UpDown1_Up, &QToolButton::clicked, this, [this] { UpDown1Click(true); });
    connect(UpDown1_Down, &QToolButton::clicked, this, [this] { UpDown1Click(false); });

    ConnectToggleItem(this, POM_Ideogram_View, Command(this, [this] { POM_Ideogram_ViewClick(); }));
    ConnectToggleItem(this, POM_Ideogram_BandNames,
                      Command(this, [this] { POM_Ideogram_BandNamesClick(); }));
    ConnectCommands<TfQuorbelView>(
        this, {
                  {TB_Ideogram, &TfQuorbelView::TB_IdeogramClick},
                  {POM_Ideogram_ViewSingleChr, &TfQuorbelView::POM_Ideogram_ViewSingleChrClick},
              });
    ConnectItems(this, POM_Ideogram_Resolution->actions(), &TfQuorbelView::Ideogram_SetResolution);
    ConnectItems(this, std::array{Util_DT_ID_Arms, Util_DT_ID_Bands},
                 &TfQuorbelView::Util_DT_ID_ArmsClick);
}

MapRenderKey TfQuorbelView::CurrentRenderKey() const {
    MapRenderKey k;
    MapViewInputs& v = k.View;
    v.Width = MapView_PB1->width();
    v.Height = MapView_PB1->height();
    v.Orientation = Orientation;
    v.Zoom = Zoom;
    v.FirstChromosome = FirstChromosome;
    v.LastChromosome = LastChromosome;
    const bool upright = Orientation != 2;
    v.AlongScroll = (upright ? MapView_SB_V : MapView_SB_H)->value();
    v.AcrossScroll = (upright ? MapView_SB_H : MapView_SB_V)->value();
    v.ShowIdeogram = POM_Ideogram_View->isChecked();
    v.ShowBandNames = GenomeLayout.ShowBandNames != 0;
    v.ShowGenes = POM_Genes_View->isChecked();
    v.ShowGeneNames = POM_Genes_GeneNames->isChecked();
    v.ShowCGH = POM_CGH_View->isChecked();
    v.ShowExpression = ExpData.ShowExpressionTrack != 0;
    v.ShowExpressionAnnotation = ExpData.DisplayFlag != 0;
    v.IdeogramWidth = GenomeLayout.IdeogramWidth;
    v.GeneNameWidth = GeneNameWidth;
    v.ChromosomeGap = ChromosomeGap;
    v.CGHDisplayStart = CGHData.DisplayStart;
    v.ExpressionColumns = ExpData.DisplayStep * std::clamp(ExpData.SampleOrder[0], 0, kMaxSamples);
    v.ExpressionStep = ExpData.DisplayStep;

    k.DataVersion = DataVersion;
    k.SetColors = SetColors;
    tColouredChromosomes& c = k.Coloured;
    c.PatternNames = PatternNames;
    c.PatternValues = PatternValues;
    c.PaletteColours = PaletteColours;
    c.PaletteScaleKind = PaletteScaleKind;
    c.PaletteMin = PaletteMin;
    c.PaletteMax = PaletteMax;
    c.PaletteLog = PaletteLog;
    c.ColouredChromosomeMode = ColouredChromosomeMode;
    for (int kind = 1; kind <= 5; ++kind) k.GeneKinds[kind] = POM_Gene[kind]->isChecked();
    k.BandResolution = GenomeLayout.BandResolution;
    k.IdeogramType = IdeogramType;
    k.WindowWidth = width();
    k.WindowHeight = height();
    k.TopMargin = MapTopMargin;
    k.AnnotationKeys = ShownAnnotationKeys;
    return k;
}

void TfQuorbelView::MapView_PB1Paint() {
    QImage image(std::max(0, MapView_PB1->width()), std::max(0, MapView_PB1->height()),
                 QImage::Format_RGB32);
    image.fill(Qt::white);
    if (IdeogramType == 1)
        POM_Ideogram_Resolution->menuAction()->setVisible(true);
    else if (IdeogramType == 2)
        POM_Ideogram_Resolution->menuAction()->setVisible(false);

    const MapRenderKey key = CurrentRenderKey();
    MapLayout = MapGeometry(key.View, GenomeLayout);
    MapScale = MapLayout.Scale();
    ShownLongestArm = MapLayout.ShownLongestArm();
    ShownLongestChromosome = MapLayout.ShownLongestChromosome();
    if (const std::optional<int> pitch = MapLayout.Pitch()) ChromosomePitch = *pitch;

    MapProbesDrawn = 0;
    if (!image.isNull()) {
        GdiCanvas canvas(image);
        const IdeogramSource ideogram(FeatureLists[1], GenomeLayout, IdeogramType, key.Coloured);
        CGHTrackSource cgh{CGHData, CGHStat, probePositions_, SetColors, MapTopMargin};
        const CGHTrackLayers tracks(MapLayout, cgh);
        MapProbesDrawn = tracks.ProbesDrawn();
        bool cghDrawn = false;
        for (const PaintedChromosome& chr : MapLayout.Chromosomes()) {
            const int c = chr.Chromosome;
            DrawChromosomeNumber(canvas, MapLayout, chr);
            if (chr.Ideogram) DrawIdeogram(canvas, MapLayout, ideogram, c, *chr.Ideogram);
            if (chr.Genes)
                DrawGeneTrack(canvas, MapLayout, FeatureLists[2], key.GeneKinds, c, *chr.Genes);
            if (chr.CGH) cghDrawn |= tracks.Paint(image, c);
            if (chr.Expression)
                ExpressionTrackWidth = DrawExpressionTrack(
                    canvas, MapLayout, ExpData, ExpStat.Alpha, MapTopMargin, c, *chr.Expression);
        }
        if (cghDrawn) ShowCGHNames(canvas);
    }
    // Within a paint the colour bar can only be scheduled; as that is dropped within a
    // synchronous repaint, RepaintMap repaints the bar itself.
    if (Panel_Colourbar->isVisible()) Panel_Colourbar->update();
    MapView_PB1->Image() = std::move(image);
    // Taken after drawing: a render may set colours it reads (the track colours).
    renderedKey_ = CurrentRenderKey();
}

void TfQuorbelView::ShowCGHNames(GdiCanvas& canvas) {
    const CGHNames names =
        MakeCGHNames(CGHData, ShownAnnotationKeys.Key.data(), ShownAnnotationKeys.Count);
    canvas.SetFont(8, kBlack);
    const QSize size = CGHNamesSize(canvas, names);
    const int left = width() - size.width() - 40;
    canvas.SetPen(kBlack);
    canvas.SetBrush(kWhite);
    canvas.Rectangle(left, 5, left + size.width(), size.height());
    WriteCGHNames(canvas, names, SetColors, left + 5, 10);
}

void TfQuorbelView::SetZoom(int mode, int value) {
    if (mode == 2)
        Zoom = std::clamp(value, 1, kMaxZoom);
    else if (mode == 1)
        Zoom = SteppedZoom(Zoom, value);
    MapView_PB1->update();
}

void TfQuorbelView::POM_Zoom_Click(QAction* item) {
    SetZoom(2, item->data().toInt());
}

void TfQuorbelView::TB_ZoomInClick() {
    SetZoom(1, 1);
}

void TfQuorbelView::TB_ZoomOutClick() {
    SetZoom(1, -1);
}

void TfQuorbelView::TB_SetOrientationClick() {
    const int tag = TB_SetOrientation->data().toInt();
    if (tag != 1 && tag != 2) return;
    TB_SetOrientation->setData(tag == 1 ? 2 : 1);
    Orientation = tag == 1 ? 2 : 1;
    const int hMax = MapView_SB_H->maximum(), hPos = MapView_SB_H->value();
    const int vMax = MapView_SB_V->maximum(), vPos = MapView_SB_V->value();
    MapView_SB_H->setMaximum(vMax);
    MapView_SB_H->setValue(vPos);
    MapView_SB_V->setMaximum(hMax);
    MapView_SB_V->setValue(hPos);
    RepaintMap();
}

int TfQuorbelView::ScrollLine(bool along) const {
    const int across = Orientation == 2 ? MapView_PB1->height() : MapView_PB1->width();
    return ScrollLineStep(along, GenomeLayout.LongestChromosome, Zoom, across);
}

void TfQuorbelView::ScrollMap(QScrollBar* bar, bool along, int action) {
    const int line = ScrollLine(along);
    const int page = static_cast<int>(std::clamp<int64_t>(int64_t{line} * 15, 0, INT32_MAX));
    const int64_t pos = bar->value();
    int64_t target = pos;
    switch (action) {
    case QAbstractSlider::SliderSingleStepAdd:
        target = pos + line;
        break;
    case QAbstractSlider::SliderSingleStepSub:
        target = pos - line;
        break;
    case QAbstractSlider::SliderPageStepAdd:
        target = pos + page;
        break;
    case QAbstractSlider::SliderPageStepSub:
        target = pos - page;
        break;
    case QAbstractSlider::SliderMove:
        if (!bar->isSliderDown()) {
            // The thumb was let go: the bar takes its position.
            target = bar->sliderPosition();
            break;
        }
        [[fallthrough]];
    default:
        // Tracking and jumps to either end keep the bar where it is.
        bar->setSliderPosition(bar->value());
        return;
    }
    bar->setValue(static_cast<int>(std::clamp<int64_t>(target, bar->minimum(), bar->maximum())));
    if (isVisible()) RepaintMap();
}

void TfQuorbelView::MapView_SB_VScroll(int action) {
    ScrollMap(MapView_SB_V, Orientation != 2, action);
}

void TfQuorbelView::MapView_SB_HScroll(int action) {
    ScrollMap(MapView_SB_H, Orientation == 2, action);
}

void TfQuorbelView::ShowAllChromosomes() {
    FirstChromosome = 1;
    LastChromosome = GenomeLayout.ChromosomeCount;
    for (int c = 1; c <= LayoutChromosomeCount(); ++c) GenomeLayout.Selected[c] = 1;
    BumpDataVersion();
}

void TfQuorbelView::ShowOneChromosome(int n) {
    FirstChromosome = LastChromosome = n;
    GenomeLayout.Selected.fill(0);
    if (n >= 1 && n <= kLayoutSlots) GenomeLayout.Selected[n] = 1;
    BumpDataVersion();
}

void TfQuorbelView::TB1_CNum_EditChange() {
    if (!isVisible() || TB1_CNum_Edit->text().isEmpty()) return;
    const QString text = TB1_CNum_Edit->text().toLower();
    if (text != TB1_CNum_Edit->text()) TB1_CNum_Edit->setText(text);
    if (text.startsWith(QLatin1Char('a'))) {
        ShowAllChromosomes();
    } else {
        int32_t n = 0;
        if (!ParseStrictInt(text.toStdString(), n) || n < 1 || n > LayoutChromosomeCount()) return;
        ShowOneChromosome(n);
    }
    RepaintMap();
}

void TfQuorbelView::UpDown1Click(bool up) {
    const int count = LayoutChromosomeCount();
    const int n = ChooserStep(TB1_CNum_Edit->text(), count, up);
    if (n == count + 1) {
        TB1_CNum_Edit->setText(QStringLiteral("all"));
        ShowAllChromosomes();
    } else {
        TB1_CNum_Edit->setText(ChooserText(n));
        ShowOneChromosome(n);
    }
    ShowChromosomeSelection(false);
    RepaintMap();
}

void TfQuorbelView::ShowChromosomeSelection(bool Show) {
    if (!ChrSel_List) return;
    if (Show) ChrSel_List->show();
    if (!ChrSel_List->isVisible()) return;
    QListWidget* list = ChrSel_List->List;
    list->clear();
    for (int c = 1; c <= LayoutChromosomeCount(); ++c) {
        auto* item = new QListWidgetItem(QString::number(c), list);
        item->setSelected(GenomeLayout.Selected[c] != 0);
    }
}

void TfQuorbelView::POM_Ideogram_ViewSingleChrClick() {
    ShowChromosomeSelection(true);
}

void TfQuorbelView::POM_Ideogram_ViewClick() {
    POM_Ideogram_View->setChecked(!POM_Ideogram_View->isChecked());
    RepaintMap();
}

void TfQuorbelView::TB_IdeogramClick() {
    POM_Ideogram_ViewClick();
}

void TfQuorbelView::POM_Ideogram_BandNamesClick() {
    POM_Ideogram_BandNames->setChecked(!POM_Ideogram_BandNames->isChecked());
    GenomeLayout.ShowBandNames = POM_Ideogram_BandNames->isChecked() ? 1 : 0;
    BumpDataVersion();
    MapView_PB1->update();
}

void TfQuorbelView::Ideogram_SetResolution(QAction* item) {
    const int tag = item->data().toInt();
    for (QAction* a : {POM_IdeoGram_ResArms, POM_IdeoGram_ResRegions, POM_IdeoGram_ResBands,
                       POM_IdeoGram_ResSubBands, GSubSubBanding8001})
        a->setChecked(a == item);
    GenomeLayout.BandResolution = tag;
    BumpDataVersion();
    RepaintMap();
}

void TfQuorbelView::Util_DT_ID_ArmsClick(QAction* item) {
    InfoLog.AddLines(DumpIdeogram(FeatureLists[1], item->data().toInt()));
}

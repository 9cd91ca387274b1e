#include "scat3d.h"

#include "numbers.h"
#include "plotviewers.h"
#include "registry.h"
#include "scat3dscene.h"
#include "sp3dctrl.h"
#include "windowplace.h"
#include "windowregistry.h"

#include <QCloseEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPrinter>
#include <QTimer>
#include <bit>

// The client area: copies the cached scene, overlays the polygon being drawn and passes the
// mouse to its window.
class Scat3DSceneWidget : public QWidget {
  public:
    explicit Scat3DSceneWidget(TScatPlot_3D* owner) : owner_(owner) {
        setAttribute(Qt::WA_OpaquePaintEvent);
        setFocusPolicy(Qt::StrongFocus);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        owner_->PaintScene(painter);
    }
    void mousePressEvent(QMouseEvent* e) override {
        owner_->SceneMouseDown(e->button(), e->position().toPoint());
    }
    void mouseMoveEvent(QMouseEvent* e) override {
        owner_->SceneMouseMove(e->buttons(), e->position().toPoint());
    }
    void mouseReleaseEvent(QMouseEvent* e) override {
        owner_->SceneMouseUp(e->position().toPoint());
    }

  private:
    TScatPlot_3D* owner_;
};

TScatPlot_3D::TScatPlot_3D(QWidget* parent) : QMainWindow(parent, Qt::Window) {
    setAttribute(Qt::WA_DeleteOnClose, false);
    Scene = new Scat3DSceneWidget(this);
    setCentralWidget(Scene);
    Timer1 = new QTimer(this);
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });
    BuildMenus();
    BuildToolBar();
    resize(640, 600);
    FormCreate();
    WindowRegistry::Add(this, Handle());
}

TScatPlot_3D::~TScatPlot_3D() {
    LeaveWindowCount();
}

void TScatPlot_3D::FormCreate() {
    View = tPlot3DView{};
    AutoRotation = {};
    RockCounter = RockAngle = 0;
    LastMouseX = LastMouseY = -1;
    RegistryKey.clear();
    ++PlotWindowCount;
    setWindowTitle(ProductWord + QStringLiteral(" - 3D Scatter plot : 0 DP"));
    SetTimerInterval(100);
    SetTimerEnabled(true);
}

void TScatPlot_3D::LeaveWindowCount() {
    if (!counted_) return;
    counted_ = false;
    if (--PlotWindowCount <= 0) {
        PlotWindowCount = 0;
        ReleaseSeriesStorage();
    }
}

void TScatPlot_3D::ResetView() {
    View.Tilde = 0.5f;
    View.AngleX = View.AngleY = View.AngleZ = 0;
    SelectedGate = 0;
    ResetSeriesTable(Series);
}

void TScatPlot_3D::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!event->spontaneous() && !restyling_) FormShow();
}

void TScatPlot_3D::FormShow() {
    View.AxesColour = 0;
    RegKey key;
    if (!RegistryKey.isEmpty() && key.OpenKey(RegistryKey, false)) {
        const QRect g = geometry();
        setGeometry(PlaceOnScreen(key.ReadInteger(QStringLiteral("Left"), g.left()),
                                  key.ReadInteger(QStringLiteral("Top"), g.top()),
                                  key.ReadInteger(QStringLiteral("Width"), g.width()),
                                  key.ReadInteger(QStringLiteral("Height"), g.height())));
        if (auto v = key.ReadInteger(QStringLiteral("Background color")))
            View.Background = static_cast<TColor>(*v);
        if (auto v = key.ReadInteger(QStringLiteral("Axes color")))
            View.AxesColour = static_cast<TColor>(*v);
        if (auto v = key.ReadInteger(QStringLiteral("Color scheme"))) {
            View.ColourScheme = *v;
            ApplyColorScheme(View.Palette, *v);
        }
    }
    RedrawAllPlots();
}

void TScatPlot_3D::closeEvent(QCloseEvent* event) {
    FormClose();
    event->accept();
}

void TScatPlot_3D::FormClose() {
    RegKey key;
    if (!RegistryKey.isEmpty() && key.OpenKey(RegistryKey, true)) {
        key.WriteInteger(QStringLiteral("Left"), geometry().left());
        key.WriteInteger(QStringLiteral("Top"), geometry().top());
        key.WriteInteger(QStringLiteral("Width"), geometry().width());
        key.WriteInteger(QStringLiteral("Height"), geometry().height());
        key.WriteInteger(QStringLiteral("Background color"), static_cast<int>(View.Background));
        key.WriteInteger(QStringLiteral("Axes color"), static_cast<int>(View.AxesColour));
        key.WriteInteger(QStringLiteral("Color scheme"), View.ColourScheme);
    }
    SceneImage = QImage(); // hidden, not destroyed: the scene is rendered again when shown
    sceneDirty_ = true;
    // A hidden plot that kept turning would redraw every open plot on each tick.
    for (tAutoRotation& r : AutoRotation) r.Running = 0;
    SetTimerEnabled(false);
    LeaveWindowCount();
}

void TScatPlot_3D::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    RedrawAllPlots();
}

void TScatPlot_3D::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) FormActivate();
}

TSC3D_Controls* TScatPlot_3D::OpenControls() const {
    return ControlsOpen ? ControlWindow() : nullptr;
}

void TScatPlot_3D::FormActivate() {
    TSC3D_Controls* c = OpenControls();
    if (!c) return;
    c->PlotHandle = Handle();
    c->SetRotationControls(View.AngleX, View.AngleY, View.AngleZ, View.PanX, View.PanY,
                           RoundToInt(View.Tilde * 100.0), Handle());
    // The series on each dimension, which the control's commands act on.
    for (int d = 1; d <= kDimensions; ++d) {
        const int k = IsPlotRecord(Series.DimSeries[d]) ? Series.DimSeries[d] : 0;
        const tSeriesView& v = Series.SeriesView[k];
        c->DimMap[d] = k;
        c->SetSeriesNameEdit(d, QString::fromStdString(PlotSeries[k].Name));
        c->SetDimensionControls(d, v.ZoomPercent, v.LogScale, v.UpperPercent, v.LowerPercent);
    }
    for (int axis = 1; axis <= 3; ++axis)
        c->SetAutoRotateControls(axis, AutoRotation[axis - 1].Running == 1, timerInterval_,
                                 RockAngle);
}

void TScatPlot_3D::Repaint() {
    sceneDirty_ = true;
    Scene->update();
}

void TScatPlot_3D::RedrawAllPlots() {
    BroadcastRedraw();
    Repaint();
}

void TScatPlot_3D::BroadcastRedraw() {
    for (const WindowRegistry::Entry& e :
         WindowRegistry::Find(QString::fromLatin1(kPlot3DCaption), true)) {
        if (e.window == this || e.window->windowTitle().isEmpty() ||
            !e.window->windowTitle().contains(QLatin1String(kPlot3DCaption)))
            continue;
        ToolBus::Send(e.handle, 0, 1);
    }
}

void TScatPlot_3D::FormPaint() {
    if (!isVisible() || (!sceneDirty_ && SceneImage.size() == Scene->size())) return;
    setWindowTitle(ProductWord + QStringLiteral(" - 3D Scatter plot : ") +
                   QString::number(Series.PointCount) + QStringLiteral(" DP"));
    SceneImage = ScenePicture();
    sceneDirty_ = false;
    roiShown_ = false; // a new scene covers the polygon
    ++RenderCount;
    PushRangesToControls();
}

QImage TScatPlot_3D::ScenePicture() const {
    QImage image(Scene->size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    RenderScene(image, View, Series);
    return image;
}

void TScatPlot_3D::PaintScene(QPainter& painter) {
    FormPaint();
    painter.drawImage(0, 0, SceneImage);
    if (!roiShown_) return;
    painter.setPen(QPen(Qt::black, 0));
    for (int k = 1; k <= RoiSlot && k < int(RoiPolygons.size()); ++k)
        if (!RoiPolygons[k].empty())
            painter.drawPolyline(RoiPolygons[k].data(), static_cast<int>(RoiPolygons[k].size()));
}

void TScatPlot_3D::PushRangesToControls() {
    TSC3D_Controls* c = ControlWindow();
    if (!c) return;
    const auto bits = [](float v) { return static_cast<intptr_t>(std::bit_cast<uint32_t>(v)); };
    for (int d = 1; d <= kDimensions; ++d) {
        const int k = IsPlotRecord(Series.DimSeries[d]) ? Series.DimSeries[d] : 0;
        ToolBus::Send(c->Handle(), 1010 + d, bits(PlotSeries[k].UpperThreshold));
        ToolBus::Send(c->Handle(), 1020 + d, bits(PlotSeries[k].LowerThreshold));
        ToolBus::Send(c->Handle(), 1030 + d, Series.SeriesView[k].ZoomPercent);
    }
}

QPrinter& TScatPlot_3D::Printer() {
    if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *printer_;
}

TScatPlot_3D* OpenPlot3D(const Plot3DRequest& request) {
    auto* plot = new TScatPlot_3D;
    plot->ResetView();
    plot->show();
    for (size_t s = 0; s < request.Series.size() && s < size_t(kDimensions); ++s)
        AddSeries(plot->Series, 0, request.Series[s].Name.toStdString(), request.Series[s].Values);
    return plot;
}

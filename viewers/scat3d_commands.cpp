// What changes a 3D plot's view: the control window's commands, auto-rotation, the mouse, keys,
// tool bar and gate menu, and the windows it opens.
#include "scat3d.h"

#include "numbers.h"
#include "sp3dctrl.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QTimer>
#include <QToolBar>
#include <algorithm>
#include <cstdlib>

namespace {
// Moves made while drawing a polygon add vertices up to this count; the closing one still fits.
constexpr size_t kRoiMoveVertices = 100000;

// Dimension 1..6 of the last digit of a command (x00, x01, x02, x05, x06, x09), else 0.
int DimensionOfCode(int code) {
    switch (code % 100) {
    case 0:
        return 1;
    case 1:
        return 2;
    case 2:
        return 3;
    case 5:
        return 4;
    case 6:
        return 5;
    case 9:
        return 6;
    default:
        return 0;
    }
}

int ClampInt(int64_t v) {
    return static_cast<int>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}
} // namespace

intptr_t TScatPlot_3D::ToolMessage(int code, intptr_t arg) {
    WMControlCommand(code, arg);
    return 0;
}

void TScatPlot_3D::WMControlCommand(int code, intptr_t arg) {
    const auto onDimension = [this](int d) {
        return IsPlotRecord(Series.DimSeries[d]) ? Series.DimSeries[d] : 0;
    };
    const auto redraw = [this] { RedrawAllPlots(); };
    int32_t* angles[3] = {&View.AngleX, &View.AngleY, &View.AngleZ};
    if (code == 0) {
        if (arg < 1)
            RedrawAllPlots();
        else if (arg == 1)
            Repaint();
    } else if (code == 1) {
        if (IsPlotRecord(arg)) UpdateSeriesRange3D(Series, static_cast<int>(arg));
    } else if (code >= 11 && code <= 16) {
        if (IsPlotRecord(arg)) Series.DimSeries[code - 10] = static_cast<int32_t>(arg);
    } else if (code >= 100 && code <= 102) {
        *angles[code - 100] = NormaliseAngle(arg);
        RedrawAllPlots();
    } else if (code == 105 || code == 106) {
        int32_t& pan = code == 105 ? View.PanX : View.PanY;
        if (arg != pan) pan = View.Zoom > 1 ? RoundToInt(double(arg) * View.Zoom) : ClampInt(arg);
        RedrawAllPlots();
    } else if (code == 109) {
        if (arg != RoundToInt(View.Tilde * 100.0)) View.Tilde = static_cast<float>(arg / 100.0);
        RedrawAllPlots();
    } else if (code == 110) {
        View.AngleX = View.AngleY = View.AngleZ = 0;
        View.Tilde = 0.5f;
        RedrawAllPlots();
    } else if (code >= 121 && code <= 123) {
        AutoRotation[code - 121].Running = ClampInt(arg);
        Timer1Timer();
    } else if (code == 130) {
        SetTimerInterval(arg);
    } else if (code == 131) {
        RockAngle = ClampInt(arg);
    } else if (code >= 200 && code <= 209 && DimensionOfCode(code)) {
        if (arg < 0 || arg > 500) return; // a larger percentage cubed overflows
        Series.SeriesView[onDimension(DimensionOfCode(code))].ZoomPercent = static_cast<int>(arg);
        RedrawAllPlots();
    } else if (code == 210) {
        for (int d = 1; d <= kDimensions; ++d) Series.SeriesView[onDimension(d)].ZoomPercent = 100;
        RedrawAllPlots();
    } else if (code >= 300 && code <= 409 && DimensionOfCode(code)) {
        if (arg < 0 || arg > 100) return;
        const int k = onDimension(DimensionOfCode(code));
        if (code < 400)
            SetMinThreshold(Series, k, static_cast<int>(arg), redraw);
        else
            SetMaxThreshold(Series, k, static_cast<int>(arg), redraw);
    } else if (code == 410) {
        for (int d = 1; d <= kDimensions; ++d) {
            SetMinThreshold(Series, onDimension(d), 0, nullptr);
            SetMaxThreshold(Series, onDimension(d), 100, nullptr);
        }
        RedrawAllPlots();
    } else if (code >= 501 && code <= 520) {
        Series.DataSetVisible[code - 500] = arg == 1;
    } else if (code == 600) {
        ThresholdsToGate(Series, ClampInt(arg));
    } else if (code >= 1001 && code <= 1006) {
        Series.SeriesView[onDimension(code - 1000)].LogScale = arg == 1;
        RedrawAllPlots();
    }
}

void TScatPlot_3D::SetTimerEnabled(bool on) {
    timerEnabled_ = on;
    // A timer of interval 0 would fire on every pass of the event loop.
    if (on && timerInterval_ >= 1)
        Timer1->start(timerInterval_);
    else
        Timer1->stop();
}

void TScatPlot_3D::SetTimerInterval(int64_t ms) {
    timerInterval_ = ClampInt(ms);
    SetTimerEnabled(timerEnabled_);
}

bool TScatPlot_3D::TimerRunning() const {
    return Timer1->isActive();
}

void TScatPlot_3D::Timer1Timer() {
    bool moved = false;
    int32_t* angles[3] = {&View.AngleX, &View.AngleY, &View.AngleZ};
    for (int a = 0; a < 3; ++a) {
        const tAutoRotation& r = AutoRotation[a];
        if (r.Running != 1) continue;
        moved = true;
        const int delta = r.Backwards != 0 ? -1 : (r.Step == 0 ? 1 : r.Step);
        const int64_t angle = int64_t(*angles[a]) + delta;
        *angles[a] = angle >= 360 ? 1 : (angle < 0 ? 359 : static_cast<int32_t>(angle));
    }
    if (moved && RockAngle != 0) {
        RockCounter += AutoRotation[0].Backwards != 0 ? -1 : 1;
        if (RockCounter >= 1 && RockCounter > RockAngle) {
            RockCounter = RockAngle;
            for (tAutoRotation& r : AutoRotation) r.Backwards = -1;
        } else if (RockCounter < 1) {
            RockCounter = 1;
            for (tAutoRotation& r : AutoRotation) r.Backwards = 0;
        }
    }
    if (!moved) {
        SetTimerEnabled(false);
        return;
    }
    if (TSC3D_Controls* c = OpenControls())
        c->SetRotationControls(View.AngleX, View.AngleY, View.AngleZ, View.PanX, View.PanY,
                               RoundToInt(View.Tilde * 100.0), Handle());
    RedrawAllPlots();
    if (!timerEnabled_) SetTimerEnabled(true);
}

void TScatPlot_3D::SceneMouseDown(Qt::MouseButton button, QPoint at) {
    if (button != Qt::RightButton) return;
    if (RoiSlot > 0) {
        RoiDrawing = false;
        RoiSlot = 0;
        Repaint();
    }
    RoiSlot = 1;
    RoiPolygons[1] = {at};
    RoiDrawing = true;
}

void TScatPlot_3D::SceneMouseMove(Qt::MouseButtons buttons, QPoint at) {
    if (RoiDrawing) {
        std::vector<QPoint>& polygon = RoiPolygons[1];
        const QPoint last = polygon.back();
        if (std::abs(at.x() - last.x()) <= 2 && std::abs(at.y() - last.y()) <= 2) return;
        if (polygon.size() < kRoiMoveVertices) polygon.push_back(at);
        DrawRoiPolygons();
        return;
    }
    const bool pan = buttons & Qt::MiddleButton;
    if (!pan && !(buttons & Qt::LeftButton)) return;
    // After a release the position is unknown: the first move only records it.
    const bool known = LastMouseX != -1 || LastMouseY != -1;
    const int dx = at.x() - LastMouseX, dy = at.y() - LastMouseY;
    if (known && dx == 0 && dy == 0) return;
    LastMouseX = at.x();
    LastMouseY = at.y();
    if (!known) return;
    if (pan) {
        View.PanX = ClampInt(int64_t(View.PanX) + dx);
        View.PanY = ClampInt(int64_t(View.PanY) + dy);
    } else {
        View.AngleX = NormaliseAngle(int64_t(View.AngleX) + dy);
        View.AngleZ = NormaliseAngle(int64_t(View.AngleZ) + dx);
        if (TSC3D_Controls* c = OpenControls()) {
            c->PlotHandle = Handle();
            c->SetRotationControls(View.AngleX, View.AngleY, View.AngleZ, View.PanX, View.PanY,
                                   RoundToInt(View.Tilde * 100.0), Handle());
        }
    }
    RedrawAllPlots();
}

void TScatPlot_3D::SceneMouseUp(QPoint at) {
    LastMouseX = LastMouseY = -1;
    if (!RoiDrawing) return;
    RoiDrawing = false;
    std::vector<QPoint>& polygon = RoiPolygons[1];
    polygon.back() = at;
    if (polygon.size() < 3) { // a click or a stroke encloses nothing
        polygon.clear();
        RoiSlot = 0;
        Repaint();
        return;
    }
    polygon.push_back(polygon[1]); // the outline closes through the second vertex
    polygon[0] = polygon[1];
    DrawRoiPolygons();
    RenderRoiMask(1);
}

void TScatPlot_3D::DrawRoiPolygons() {
    roiShown_ = true;
    Scene->update();
}

void TScatPlot_3D::RenderRoiMask(int k) {
    ROI_Image = QImage(Scene->width() + 2, Scene->height() + 2, QImage::Format_RGB32);
    ROI_Image.fill(Qt::black);
    if (k < 1 || k >= int(RoiPolygons.size()) || RoiPolygons[k].empty()) return;
    QPainter p(&ROI_Image);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPolygon(RoiPolygons[k].data(), static_cast<int>(RoiPolygons[k].size()));
}

void TScatPlot_3D::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F7)
        TB_ZoomInClick();
    else if (event->key() == Qt::Key_F8)
        TB_ZoomOutClick();
    else
        QMainWindow::keyPressEvent(event);
}

void TScatPlot_3D::ToolButton6Click() {
    restyling_ = true;
    setWindowFlag(Qt::WindowStaysOnTopHint, ToolButton6->isChecked());
    show();
    restyling_ = false;
}

void TScatPlot_3D::TB_ZoomInClick() {
    View.Zoom += View.Zoom >= 1 ? 1.0f : 0.1f;
    if (View.Zoom <= 0.1f) View.Zoom = 0.1f;
    RedrawAllPlots();
}

void TScatPlot_3D::TB_ZoomOutClick() {
    View.Zoom -= View.Zoom > 1 ? 1.0f : 0.1f;
    if (View.Zoom < 0.1f) View.Zoom = 0.1f;
    RedrawAllPlots();
}

void TScatPlot_3D::TB_RotClick(int axis, int degrees) {
    int32_t* angles[3] = {&View.AngleX, &View.AngleY, &View.AngleZ};
    int32_t& a = *angles[std::clamp(axis, 0, 2)];
    a += degrees;
    if (a < 0) a = 359;
    if (a > 359) a = 0;
    RedrawAllPlots();
}

void TScatPlot_3D::AfterTildeChange() {
    if (View.Tilde > -0.1f && View.Tilde < 0.1f) View.Tilde = 0;
    View.Tilde = std::clamp(View.Tilde, -2.0f, 2.0f);
    RedrawAllPlots();
}

void TScatPlot_3D::TB_TildeZUpClick() {
    View.Tilde -= 0.1f;
    AfterTildeChange();
}

void TScatPlot_3D::TB_TildeZDownClick() {
    View.Tilde += 0.1f;
    AfterTildeChange();
}

void TScatPlot_3D::TB_MoveClick(int dx, int dy) {
    View.PanX = ClampInt(int64_t(View.PanX) + dx);
    View.PanY = ClampInt(int64_t(View.PanY) + dy);
    RedrawAllPlots();
}

void TScatPlot_3D::TB_PlaneClick() {
    View.PlaneXZ = TB_PlaneXZ->isChecked();
    View.PlaneXY = TB_PlaneXY->isChecked();
    View.PlaneZY = TB_PlaneZY->isChecked();
    RedrawAllPlots();
}

void TScatPlot_3D::TB_GateClick() {
    QWidget* button = ToolBar1->widgetForAction(TB_Gate);
    POM_Gate->popup(button ? button->mapToGlobal(QPoint(0, 25)) : QCursor::pos());
    RedrawAllPlots();
}

void TScatPlot_3D::ToolButton9Click() {
    View.CloudCentre = !View.CloudCentre;
    ToolButton9->setChecked(View.CloudCentre);
    RedrawAllPlots();
}

void TScatPlot_3D::TB_3DPlotClick() {
    View.Plot3D = TB_3DPlot->isChecked();
    RedrawAllPlots();
}

void TScatPlot_3D::POM_GateClick(int g) {
    if (g == 0) {
        for (int i = 1; i <= 10; ++i) POM_Gate_[i]->setChecked(false);
        SelectedGate = 0;
    } else if (g >= 1 && g <= 10) {
        SelectedGate = g;
    }
    View.GateBits = 0;
    for (int i = 1; i <= 10; ++i)
        if (POM_Gate_[i]->isChecked()) View.GateBits |= 1u << (i - 1);
    RedrawAllPlots();
}

void TScatPlot_3D::ColourModeClick(int mode) {
    View.ColourMode = mode;
    View_AsData->setChecked(mode == 1);
    View_AsGate->setChecked(mode == 2);
    RedrawAllPlots();
}

void TScatPlot_3D::ControlesClick() {
    if (ControlsOpen) return;
    TSC3D_Controls* c = CreateControlWindow();
    c->PlotHandle = Handle();
    c->AngleX = View.AngleX;
    c->AngleY = View.AngleY;
    c->AngleZ = View.AngleZ;
    c->PosX = View.PanX;
    c->PosY = View.PanY;
    c->TildeHundredths = RoundToInt(View.Tilde * 100.0);
    for (int d = 1; d <= kDimensions; ++d) {
        const int k = IsPlotRecord(Series.DimSeries[d]) ? Series.DimSeries[d] : 0;
        c->DimMap[d] = k;
        c->ZoomPercent[d] = Series.SeriesView[k].ZoomPercent;
        c->LowerPercent[d] = Series.SeriesView[k].LowerPercent;
        c->UpperPercent[d] = Series.SeriesView[k].UpperPercent;
    }
    for (int k = 1; k <= 18; ++k) c->SetDataSetCheck(k, Series.DataSetVisible[k]);
    c->show();
    PushRangesToControls();
}

TScatPlot_3D* TScatPlot_3D::NewWindowClick() {
    auto* w = new TScatPlot_3D;
    w->Series.DataSetVisible = Series.DataSetVisible;
    w->Series.SeriesView = Series.SeriesView;
    w->Series.DimSeries = Series.DimSeries;
    w->Series.PointCount = Series.PointCount;
    w->View.Zoom = View.Zoom;
    w->View.Tilde = View.Tilde;
    w->View.AngleX = View.AngleX;
    w->View.AngleY = View.AngleY;
    w->View.AngleZ = View.AngleZ;
    w->View.PanX = View.PanX;
    w->View.PanY = View.PanY;
    w->SelectedGate = SelectedGate;
    w->move(pos() + QPoint(50, 50));
    w->show();
    return w;
}

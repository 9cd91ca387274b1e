#include "sp3dctrl.h"

#include "dialoghooks.h"
#include "numbers.h"
#include "scat3dseries.h"
#include "windowregistry.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <bit>

bool ControlsOpen = false;

namespace {
QPointer<TSC3D_Controls>& TheControls() {
    static QPointer<TSC3D_Controls> controls;
    return controls;
}
} // namespace

TSC3D_Controls* ControlWindow() {
    return TheControls().data();
}

TSC3D_Controls* CreateControlWindow() {
    delete TheControls().data();
    TheControls() = new TSC3D_Controls;
    return TheControls().data();
}

TSC3D_Controls::TSC3D_Controls(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint) {
    setAttribute(Qt::WA_DeleteOnClose, false);
    setWindowTitle(QStringLiteral("Parnwick - 3D Scatter plot controls"));
    PageControl1 = new QTabWidget;
    PageControl1->addTab(BuildRotateTab(), QStringLiteral("Rotate/Position"));
    PageControl1->addTab(BuildScaleTab(), QStringLiteral("Scale_Data"));
    PageControl1->addTab(BuildArrangeTab(), QStringLiteral("Arrange series"));
    PageControl1->addTab(BuildGateTab(), QStringLiteral("Gate"));
    connect(PageControl1, &QTabWidget::currentChanged, this, [this](int tab) {
        if (tab == 2) TS_ArrangeShow();
    });
    auto* help = new QPushButton(QStringLiteral("&Help"));
    auto* ok = new QPushButton(QStringLiteral("&OK"));
    connect(help, &QPushButton::clicked, this, [this] { Button_HelpClick(); });
    connect(ok, &QPushButton::clicked, this, [this] { close(); });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(help);
    buttons->addWidget(ok);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(PageControl1);
    layout->addLayout(buttons);
    FormCreate();
    WindowRegistry::Add(this, Handle());
}

TSC3D_Controls::~TSC3D_Controls() {
    if (TheControls().data() == this) ControlsOpen = false;
}

void TSC3D_Controls::FormCreate() {
    move(10, 10);
    ControlsOpen = true;
    Updating = true;
    PlotHandle = 0;
    for (int d = 1; d <= 6; ++d) DimMap[d] = d;
}

void TSC3D_Controls::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous()) FormShow();
}

void TSC3D_Controls::FormShow() {
    TB_Angle[0]->setValue(AngleX);
    TB_Angle[1]->setValue(AngleY);
    TB_Angle[2]->setValue(AngleZ);
    TB_XPos->setValue(PosX);
    TB_YPos->setValue(PosY);
    TB_Tilde->setValue(TildeHundredths);
    for (int d = 1; d <= 6; ++d) {
        TB_Zoom[d]->setValue(ZoomPercent[d]);
        TB_Min[d]->setValue(LowerPercent[d]);
        TB_Max[d]->setValue(UpperPercent[d]);
    }
    Updating = false;
    ArrangeDim = 1;
    FillGateList(false);
}

void TSC3D_Controls::closeEvent(QCloseEvent* event) {
    FormClose();
    event->accept();
}

void TSC3D_Controls::FormClose() {
    ControlsOpen = false;
}

void TSC3D_Controls::Send(int code, intptr_t arg) {
    ToolBus::Send(PlotHandle, code, arg);
}

void TSC3D_Controls::SetRotationControls(int angleX, int angleY, int angleZ, int posX, int posY,
                                         int tildeHundredths, WindowHandle plot) {
    if (plot != PlotHandle) return;
    const bool was = std::exchange(Updating, true);
    TB_Angle[0]->setValue(angleX);
    TB_Angle[1]->setValue(angleY);
    TB_Angle[2]->setValue(angleZ);
    TB_XPos->setValue(posX);
    TB_YPos->setValue(posY);
    TB_Tilde->setValue(tildeHundredths);
    Updating = was;
}

void TSC3D_Controls::SetSeriesNameEdit(int d, const QString& name) {
    if (d >= 1 && d <= 6) Edit_AS[d]->setText(name);
}

void TSC3D_Controls::SetDimensionControls(int d, int zoom, bool log, int upper, int lower) {
    if (d < 1 || d > 6) return;
    const bool was = std::exchange(Updating, true);
    TB_Zoom[d]->setValue(zoom);
    TB_Min[d]->setValue(lower);
    TB_Max[d]->setValue(upper);
    CB_LinLog[d]->setChecked(log);
    Updating = was;
}

void TSC3D_Controls::SetAutoRotateControls(int axis, bool running, int interval, int rockAngle) {
    if (axis < 1 || axis > 3) return;
    const bool was = std::exchange(Updating, true);
    SB_AutoRot[axis - 1]->setChecked(running);
    SE_AutoRotSpeed->setValue(interval);
    if (axis == 1) SE_AutoRotAngle->setValue(rockAngle);
    Updating = was;
}

void TSC3D_Controls::SetDataSetCheck(int k, bool flag) {
    if (k < 1 || k > 18) return;
    const bool was = std::exchange(Updating, true);
    CB_Set[k]->setChecked(flag);
    Updating = was;
}

intptr_t TSC3D_Controls::ToolMessage(int code, intptr_t arg) {
    WMPlotNotify(code, arg);
    return 0;
}

void TSC3D_Controls::WMPlotNotify(int code, intptr_t arg) {
    const auto single = [arg] { return std::bit_cast<float>(static_cast<uint32_t>(arg)); };
    const auto text = [](const std::string& s) { return QString::fromStdString(s); };
    if (code == 1001) {
        for (int d = 1; d <= 6; ++d) {
            const int k = IsPlotRecord(DimMap[d]) ? DimMap[d] : 0;
            L_Name[d]->setText(text(PlotSeries[k].Name).left(14));
        }
    } else if (code >= 1011 && code <= 1016) {
        L_Max[code - 1010]->setText(text(FormatFixedWidth(single(), 16, 2)));
    } else if (code >= 1021 && code <= 1026) {
        L_Min[code - 1020]->setText(text(FormatFixedWidth(single(), 16, 2)));
    } else if (code >= 1031 && code <= 1036) {
        L_Zoom[code - 1030]->setText(QStringLiteral("%1").arg(static_cast<qlonglong>(arg), 4));
    }
}

void TSC3D_Controls::Button_ResetRotPosClick() {
    const bool was = std::exchange(Updating, true);
    for (QSlider* bar : TB_Angle) bar->setValue(0);
    TB_Tilde->setValue(50);
    Updating = was;
    Send(110, TB_Tilde->value());
}

// The bars send their own codes as they move back.
void TSC3D_Controls::Button_ResetScaleClick() {
    for (int d = 1; d <= 6; ++d) {
        TB_Min[d]->setValue(0);
        TB_Max[d]->setValue(100);
    }
    Send(410, 0);
}

void TSC3D_Controls::Button_ResetZoomClick() {
    for (int d = 1; d <= 6; ++d) TB_Zoom[d]->setValue(100);
    Send(210, 0);
}

// Each box sends its own 500 + k; the plots redraw once after all of them.
void TSC3D_Controls::Button_AllNoneClick(bool checked) {
    const bool was = std::exchange(Updating, true);
    for (int k = 1; k <= 18; ++k) CB_Set[k]->setChecked(checked);
    Updating = was;
    Send(0, 0);
}

void TSC3D_Controls::TS_ArrangeShow() {
    List_ASSeries->clear();
    for (int d = 1; d <= 6; ++d) {
        const int k = IsPlotRecord(DimMap[d]) ? DimMap[d] : 0;
        Edit_AS[d]->setText(QString::fromStdString(PlotSeries[k].Name));
    }
    // Each row keeps its record: names need not be unique.
    for (int k = 1; k < kPlotRecords; ++k) {
        if (PlotSeries[k].Name.empty()) continue;
        auto* item = new QListWidgetItem(QString::fromStdString(PlotSeries[k].Name));
        item->setData(Qt::UserRole, k);
        List_ASSeries->addItem(item);
    }
}

void TSC3D_Controls::Edit_ASEnter(int d) {
    if (d >= 1 && d <= 6) ArrangeDim = d;
}

void TSC3D_Controls::List_ASSeriesClick(int row) {
    const QListWidgetItem* item = List_ASSeries->item(row);
    if (!item) return;
    const int k = item->data(Qt::UserRole).toInt();
    if (!IsPlotRecord(k) || ArrangeDim < 1 || ArrangeDim > 6) return;
    const QString name = QString::fromStdString(PlotSeries[k].Name);
    Edit_AS[ArrangeDim]->setText(name);
    L_Name[ArrangeDim]->setText(name.left(14));
    if (PlotSeries[k].Count < 1) return;
    DimMap[ArrangeDim] = k;
    Send(1, k);
    Send(10 + ArrangeDim, k);
    Send(0, 0);
}

void TSC3D_Controls::FillGateList(bool withNames) {
    List_Gate->clear();
    for (int g = 1; g <= 32; ++g) {
        QString line = QStringLiteral("%1").arg(g, 2);
        if (withNames)
            line += QStringLiteral(" : ") + QString::fromStdString(PlotGates.GateNames[g]);
        List_Gate->addItem(line);
    }
}

void TSC3D_Controls::Button_SetGateClick() {
    const int g = FirstFreeGate(PlotGates);
    PlotGates.GateNames[g] = Edit_NewGate->text().toStdString();
    FillGateList(true);
    Edit_NewGate->clear();
    Send(600, g);
    Send(0, 0);
}

void TSC3D_Controls::Button_HelpClick() {
    ShowMessage(this, QStringLiteral("3D Scatter plot - Control V 1.0\nfrom 06.11.2002"),
                QStringLiteral("Parnwick"));
}

bool TSC3D_Controls::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn)
        for (int d = 1; d <= 6; ++d)
            if (watched == Edit_AS[d]) Edit_ASEnter(d);
    return QWidget::eventFilter(watched, event);
}

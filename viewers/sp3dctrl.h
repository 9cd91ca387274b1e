// The control window of the 3D plots: rotation, position and tilde; zoom, thresholds and log
// scale of the six dimensions; data sets; which series sits on which dimension; gates. It holds
// no plot data: every change goes to one plot window as a tool message, and the plot pushes its
// state back. One per process.
#pragma once

#include "toolbus.h"

#include <QWidget>
#include <array>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSlider;
class QSpinBox;
class QTabWidget;
class QToolButton;

class TSC3D_Controls;

// True from a control window's creation until it is closed.
extern bool ControlsOpen;
// The control window of the process (open or closed), or nullptr.
TSC3D_Controls* ControlWindow();
// A fresh control window, hidden, in place of the previous one.
TSC3D_Controls* CreateControlWindow();

class TSC3D_Controls : public QWidget, public ToolMessageTarget {
    Q_OBJECT
  public:
    explicit TSC3D_Controls(QWidget* parent = nullptr);
    ~TSC3D_Controls() override;

    WindowHandle PlotHandle = 0;
    // While set, the bars, speed buttons and the data-set redraw send nothing.
    bool Updating = true;
    // Handed over by the plot before the window is shown; entries 1..6 per dimension.
    int AngleX = 0, AngleY = 0, AngleZ = 0;
    int PosX = 500, PosY = 500;
    int TildeHundredths = 50;
    std::array<int, 7> ZoomPercent{100, 100, 100, 100, 100, 100, 100};
    std::array<int, 7> LowerPercent{};
    std::array<int, 7> UpperPercent{100, 100, 100, 100, 100, 100, 100};
    // The series record on dimensions 1..6.
    std::array<int, 7> DimMap{0, 1, 2, 3, 4, 5, 6};
    int ArrangeDim = 1;

    QTabWidget* PageControl1 = nullptr;
    std::array<QSlider*, 3> TB_Angle{};
    std::array<QToolButton*, 3> SB_AutoRot{};
    QSpinBox *SE_AutoRotSpeed = nullptr, *SE_AutoRotAngle = nullptr;
    QSlider *TB_XPos = nullptr, *TB_YPos = nullptr, *TB_Tilde = nullptr;
    QPushButton* Button_ResetRotPos = nullptr;
    // Entries 1..6 per dimension X, Y, Z, Size, Color, Marker.
    std::array<QSlider*, 7> TB_Zoom{}, TB_Min{}, TB_Max{};
    std::array<QCheckBox*, 7> CB_LinLog{};
    std::array<QLabel*, 7> L_Name{}, L_Zoom{}, L_Min{}, L_Max{};
    QPushButton *Button_ResetScale = nullptr, *Button_ResetZoom = nullptr;
    std::array<QCheckBox*, 19> CB_Set{}; // [1..18]
    QPushButton *Button_All = nullptr, *Button_None = nullptr;
    std::array<QLineEdit*, 7> Edit_AS{};
    QListWidget* List_ASSeries = nullptr;
    QListWidget* List_Gate = nullptr;
    QLineEdit* Edit_NewGate = nullptr;
    QPushButton* Button_SetGate = nullptr;

    void FormCreate();
    void FormShow();
    void FormClose();

    // Pushed by the plot.
    void SetRotationControls(int angleX, int angleY, int angleZ, int posX, int posY,
                             int tildeHundredths, WindowHandle plot);
    void SetSeriesNameEdit(int d, const QString& name);
    void SetDimensionControls(int d, int zoom, bool log, int upper, int lower);
    void SetAutoRotateControls(int axis, bool running, int interval, int rockAngle);
    void SetDataSetCheck(int k, bool flag);
    intptr_t ToolMessage(int code, intptr_t arg) override;
    void WMPlotNotify(int code, intptr_t arg);

    // Handlers.
    void Button_ResetRotPosClick();
    void Button_ResetScaleClick();
    void Button_ResetZoomClick();
    void Button_AllNoneClick(bool checked);
    void TS_ArrangeShow();
    void Edit_ASEnter(int d);
    void List_ASSeriesClick(int row);
    void Button_SetGateClick();
    void Button_HelpClick();

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget* BuildRotateTab();
    QWidget* BuildScaleTab();
    QWidget* BuildArrangeTab();
    QWidget* BuildGateTab();
    void Send(int code, intptr_t arg);
    void FillGateList(bool withNames);
};

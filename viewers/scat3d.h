// The 3D scatter plot window: up to six series of the shared table shown as the position, size,
// colour and marker of each point, turned by mouse, tool bar, timer or the control window, and
// redrawn together with every other plot window.
#pragma once

#include "scat3dseries.h"
#include "scat3dview.h"
#include "toolbus.h"

#include <QImage>
#include <QMainWindow>
#include <QPoint>
#include <array>
#include <memory>
#include <vector>

class QAction;
class QMenu;
class QPrinter;
class QTimer;
class QToolBar;
class TSC3D_Controls;
struct Plot3DRequest;

// Found by this text in their captions, the plot windows ask each other to repaint.
inline constexpr char kPlot3DCaption[] = "Parnwick - 3D Scatter plot";

class TScatPlot_3D : public QMainWindow, public ToolMessageTarget {
    Q_OBJECT
  public:
    explicit TScatPlot_3D(QWidget* parent = nullptr);
    ~TScatPlot_3D() override;

    tPlotWindowSeries Series;
    tPlot3DView View;
    QString RegistryKey;
    const QString ProductWord = QStringLiteral("Parnwick");

    struct tAutoRotation {
        int Running = 0;
        int Backwards = 0;
        int Step = 0; // degrees per tick, 0 meaning 1
    };
    std::array<tAutoRotation, 3> AutoRotation{}; // X, Y, Z
    int RockCounter = 0, RockAngle = 0;          // rocking about X; RockAngle 0 = none
    int LastMouseX = -1, LastMouseY = -1;
    // Region-of-interest polygons, slots 1..8 (only slot 1 is filled).
    std::array<std::vector<QPoint>, 9> RoiPolygons;
    int RoiSlot = 0;
    bool RoiDrawing = false;
    QImage ROI_Image; // the filled polygon; nothing reads it yet
    int SelectedGate = 0;

    QToolBar* ToolBar1 = nullptr;
    QWidget* Scene = nullptr; // the client area the scene is drawn in
    QTimer* Timer1 = nullptr;
    QAction *ToolButton6 = nullptr, *TB_ZoomIn = nullptr, *TB_ZoomOut = nullptr;
    std::array<QAction*, 3> TB_Rot_CC{}, TB_Rot_CW{};
    QAction *TB_TildeZUp = nullptr, *TB_TildeZDown = nullptr;
    QAction *TB_MoveLeft = nullptr, *TB_MoveRight = nullptr, *TB_MoveUp = nullptr,
            *TB_MoveDown = nullptr;
    QAction *TB_PlaneXZ = nullptr, *TB_PlaneXY = nullptr, *TB_PlaneZY = nullptr;
    QAction *TB_Gate = nullptr, *ToolButton9 = nullptr, *TB_3DPlot = nullptr,
            *ToolButton11 = nullptr;
    QMenu* POM_Gate = nullptr;
    std::array<QAction*, 11> POM_Gate_{}; // [1..10]; [0] is "None"
    QAction *View_AsData = nullptr, *View_AsGate = nullptr;

    // The scene as last rendered, and how many renders there were.
    QImage SceneImage;
    int RenderCount = 0;

    // Lifecycle.
    void FormCreate();
    void FormShow();
    void FormClose();
    void FormActivate();
    // Renders the scene when the view or the data changed since the last render; a hidden window
    // renders nothing.
    void FormPaint();
    // The scene of the present view at the client area's size, whether shown or not.
    QImage ScenePicture() const;
    // Resets rotation and tilde and empties the shared table (every open plot's series).
    void ResetView();

    // Schedules a render of this window; RedrawAllPlots also asks every other visible plot.
    void Repaint();
    void RedrawAllPlots();
    void BroadcastRedraw();
    void PushRangesToControls();
    intptr_t ToolMessage(int code, intptr_t arg) override;
    void WMControlCommand(int code, intptr_t arg);

    // One auto-rotation step (the timer's tick).
    void Timer1Timer();
    // Interval in milliseconds; below 1 stops the timer.
    void SetTimerInterval(int64_t ms);
    bool TimerRunning() const;

    // Mouse in the client area's pixels.
    void SceneMouseDown(Qt::MouseButton button, QPoint at);
    void SceneMouseMove(Qt::MouseButtons buttons, QPoint at);
    void SceneMouseUp(QPoint at);
    void DrawRoiPolygons();
    void RenderRoiMask(int k);

    // Tool bar.
    void ToolButton6Click();
    void TB_ZoomInClick();
    void TB_ZoomOutClick();
    void TB_RotClick(int axis, int degrees);
    void TB_TildeZUpClick();
    void TB_TildeZDownClick();
    void TB_MoveClick(int dx, int dy);
    void TB_PlaneClick();
    void TB_GateClick();
    void ToolButton9Click();
    void TB_3DPlotClick();
    void POM_GateClick(int g); // 0 = "None"

    // Menus.
    void LoadSixSeries(const QString& fileName);
    void Load6SeriesClick();
    void LoadSingleSeries(int k, const QString& fileName);
    void PasteSeries(int k);
    void PasteAllSixClick();
    void ImportFCS(const QString& fileName);
    void ImportFCSClick();
    void PrintSetupClick();
    void PrintClick();
    void Edit_CopyImageClick();
    void SaveJpeg(const QString& fileName);
    void SaveJpegClick();
    void ControlesClick();
    TScatPlot_3D* NewWindowClick();
    void ColourModeClick(int mode);
    void PositiveRandomDataClick();
    void Pref_BackgroundClick();
    void Pref_AxesClick();
    void Pref_ColorDataClick(int scheme);
    void InfoClick();

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    friend class Scat3DSceneWidget;
    void BuildMenus();
    void BuildToolBar();
    void PaintScene(QPainter& painter);
    void SetTimerEnabled(bool on);
    void AfterTildeChange();
    // The control window when it is open, else nullptr.
    TSC3D_Controls* OpenControls() const;
    // Leaves the window count once; the last window out releases the table's values.
    void LeaveWindowCount();
    QPrinter& Printer();

    bool sceneDirty_ = true;
    bool restyling_ = false; // re-shown for the on-top switch: not a new showing
    bool roiShown_ = false;
    bool counted_ = true;
    bool timerEnabled_ = true;
    int timerInterval_ = 100;
    std::unique_ptr<QPrinter> printer_;
};

// Opens one plot for the group selector: create, ResetView, show, then each series added to the
// first free record.
TScatPlot_3D* OpenPlot3D(const Plot3DRequest& request);

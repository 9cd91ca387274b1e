// The 2D scatter viewer: up to ten point series in one plot, with mouse and query selection of
// series 1, the selection shared with the other viewers, paste/copy of data and FCS import.
//
// Callers create it hidden, set RegistryKey, Title, ShowGeneListMenu and GeneListHandle, size a
// series with SetSeriesLength, fill its rows, labels and annotations, call UpdateSeriesRange and
// show it (or draw it with RenderToBitmap).
#pragma once

#include "scatterdata.h"
#include "scatterrender.h"
#include "scattersearch.h"
#include "toolbus.h"

#include <QImage>
#include <QMainWindow>
#include <QStringList>

class QAction;
class QPlainTextEdit;
class QPushButton;
class QTabBar;
class QToolBar;

class TfScatterView : public QMainWindow,
                      public ScatterPlotData,
                      public ToolMessageTarget,
                      public ListMessageTarget {
    Q_OBJECT
  public:
    explicit TfScatterView(QWidget* parent = nullptr);
    ~TfScatterView() override;

    QString RegistryKey;    // settings below RegistryKey + "\2-D_Scatterplot"; empty = none
    QString Title;          // message-box caption
    QString Query;          // last annotation query
    int PlotKind = 1;       // 1 X-Y, 2 ratio-intensity
    int SelectionShape = 1; // 1 rectangle, 2 rhombus
    int DragStartX = -1, DragStartY = -1, DragEndX = -1, DragEndY = -1; // plot pixels
    float ScaleX = 1, ScaleY = 1;                                       // of the last paint
    float AxisMinX = 0, AxisMaxX = 1, AxisMinY = 0, AxisMaxY = 1;
    int ShowGeneListMenu = 0;
    WindowHandle GeneListHandle = 0;
    int ErrorBarMode = 0; // bit 0 y error bars, bit 1 x error bars
    int LineMode = 0;     // 0 none, 1 direct, 2 step function
    QStringList FindHistory;

    QTabBar* PageControl1; // "Data view", "Session log"
    QWidget* PaintBox1;    // the plot page: ticks and titles
    QWidget* PaintBox2;    // the plot itself, on PaintBox1; takes the mouse
    QPlainTextEdit* Log_Memo;
    QPushButton* Log_BB_Copy;
    QPushButton* Log_BB_Clear;
    QToolBar* ToolBar1;
    QAction* TB_Snapshot;

    QAction* File_Import_FCS_20;
    QAction* Edit_Data_CopyAll;
    QAction* Edit_Data_CopySelected;
    QAction* Edit_PasteXY;
    QAction* Edit_PasteXYErrorY;
    QAction* Edit_PasteXYErrorX;
    QAction* Edit_PasteXYErrorXY;
    QAction* Edit_Find;
    QAction* Findagain1;
    QAction* Copyselected1;
    QAction* Edit_SelectionKelvGenelist;
    QAction* Window_Tile;
    QAction* Window_Cascade;
    QAction* Window_CloseAll;
    QAction* Util_SwapAxes;
    QAction* Demodata1;
    QAction* Pref_Scaling_LogX;
    QAction* Pref_Scaling_LogY;
    QAction* Pref_Scaling_Symmetric;
    QAction* Pref_Scale_MinX;
    QAction* Pref_Scale_MaxX;
    QAction* Pref_Scale_MinY;
    QAction* Pref_Scale_MaxY;
    QAction* Pref_Diagons_Main;
    QAction* Pref_Diagons_Side;
    QAction* Pref_Lines_Direct;
    QAction* Pref_Lines_Step;
    QAction* Pref_Sel_Rect;
    QAction* Pref_Sel_Rhombe;
    QAction* Pref_Sel_UpdateAll;
    QAction* Info1;

    // The caller interface.
    int SetSeriesLength(int k, int n) { return ::SetSeriesLength(*this, k, n); }
    void UpdateSeriesRange(int k);
    // Draws the plot page on white into `bitmap`, sized as PaintBox1 less 2 pixels each way; works
    // on a hidden viewer.
    void RenderToBitmap(QImage& bitmap);

    // Marks the picture stale and schedules a paint.
    void Repaint();
    // The picture of PaintBox1 (ticks, titles and plot), rebuilt when stale or resized; updates
    // the scales and axis limits of the last paint.
    const QImage& Picture();

    void FormCreate();
    void FormShow();
    void FormClose();
    void FormResize();

    void Pref_Scaling_LogXClick();
    void Pref_Scaling_LogYClick();
    void Pref_Scaling_SymmetricClick();
    void Pref_Scale_MinMaxClick(int tag);
    void Pref_DiagonsClick(QAction* item);
    void Pref_LinesClick(int tag);
    void Edit_Data_CopyClick(int tag);
    void Edit_pasteDataClick(int tag);
    void Util_SwapAxesClick();
    void Demodata1Click();
    void Info1Click();
    void TB_SnapshotClick();
    void Log_BB_CopyClick();
    void Log_BB_ClearClick();
    void File_Import_FCS_20Click();

    void Pref_Sel_RectClick();
    void Pref_Sel_RhombeClick();
    void Pref_Sel_UpdateAllClick();
    void Edit_FindClick();
    void Findagain1Click();
    void Copyselected1Click();
    void Edit_SelectionKelvGenelistClick();
    void Window_ArrangeClick(int tag);
    // Mouse on the plot, in plot pixels.
    void PaintBox2MouseDown(Qt::MouseButton button, int x, int y);
    void PaintBox2MouseMove(Qt::MouseButtons buttons, int x, int y);
    void PaintBox2MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y);

    // Runs Query over series 1's annotations: marks, log, repaint, broadcast and the result box.
    void SearchAnnotation();
    // Kind 1 sends series 1's selection list, kind 2 the "Update all other viewers" state, to
    // every other scatter viewer of this program.
    void BroadcastSelection(int kind);
    // A received selection list (kind 1 replaces series 1's selection); always repaints.
    intptr_t WMCopyData(int kind, std::span<const int32_t> list);
    // Code 200 while shown: "Update all other viewers" set from arg (1 checked).
    void WMScatterSync(int code, intptr_t arg);

    intptr_t ToolMessage(int code, intptr_t arg) override;
    intptr_t ListMessage(int kind, WindowHandle sender, std::span<const int32_t> list) override;

    // Appends lines to the session log at once.
    void AddLogLines(const std::vector<std::string>& lines);

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    friend class ScatterPageBox;
    void BuildMenus();
    ScatterStyle StyleFromMenus() const;
    QRect PlotRect() const;
    void RenderPage(QImage& page);
    void PaintRubberBand(class QPainter& painter) const;
    void SelectDraggedArea(bool add);

    QImage picture_;
    bool pictureStale_ = true;
    bool dragging_ = false;
    bool shown_ = false; // settings are read at the first show
    AnnotationIndex annotationIndex_;
    bool annotationsStale_ = true;
};

// The dot chart window: up to 100 groups of values side by side as columns of symbols with their
// summary marks. Callers fill `Data` through the core routines (PasteSingleGroup with group 0 for
// each group, then ComputeGroupStats) and show the window; the user pastes, opens, saves,
// transforms and styles the groups.
#pragma once

#include "dotchart.h"
#include "dotchartpaint.h"

#include <QMainWindow>

class QAction;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTabWidget;
class QToolButton;

class TCloudPlot : public QMainWindow {
    Q_OBJECT
  public:
    explicit TCloudPlot(QWidget* parent = nullptr);

    DotChartData Data;
    QString Title = QStringLiteral("Title");
    QString YLegend = QStringLiteral("Signal (AU)");
    double PixelsPerUnit = 1; // of the last drawing

    QTabWidget* PageControl;
    QWidget* Graph_TS;
    QWidget* PB1; // the chart; the plot area inside it is DotChartPlotArea(PB1->size())
    QToolButton* TB_Pin;
    QToolButton* ToolButton3; // camera
    QAction* Edit_Pastesinglegroup;
    QAction* Edit_PasteByRow;
    // Preferences: the group they act on (0, shown as "all", for every group) and its drawing
    // attributes.
    QSpinBox* Pref_Group_UD;
    QPushButton* Pref_PenColor_BB;
    QPushButton* Pref_BrushColor_BB;
    QComboBox* Pref_Symbol_CB;
    QSpinBox* Pref_Size_SE;     // "Symbol size", Tag 1
    QSpinBox* Pref_PenWidth_SE; // "Pen width", Tag 2
    QSpinBox* Pref_PPL_SE;      // "PPL", Tag 3
    QCheckBox* Pref_AutoScale_CB;
    QLineEdit* Pref_Min_Edit;
    QLineEdit* Pref_Max_Edit;
    QCheckBox* Pref_Log2_CB;
    QCheckBox* Pref_Log10_CB;
    QCheckBox* Pref_MinorDiv_CB;
    QCheckBox* Pref_MajorDiv_CB;
    QSpinBox* Pref_GroupSep_SE;  // "Group seperator"
    QSpinBox* Pref_GroupDist_SE; // "Group distance"
    QComboBox* Pref_GroupLegend_CB;
    QCheckBox* CB_Bar;
    QCheckBox* CB_Whisker;
    QCheckBox* CB_Box;
    QCheckBox* CB_Mean;
    QCheckBox* CB_MeanSDev;
    QCheckBox* CB_Median;
    QCheckBox* CB_MedianSDev;
    QCheckBox* CB_Symbols;
    QPushButton* Pref_Button_Font;

    // What the controls say about the drawing.
    DotChartView View() const;
    // The chart drawn at `size` (the camera's picture, the tests' grabs).
    QImage ChartImage(QSize size) const;

    void FormShow();
    void FormClose();
    void Edit_PastesinglegroupClick(int tag);
    void ClearAlldataClick();
    void Edit_RenamegroupClick();
    void Edit_TitleClick();
    void Edit_YLegendClick();
    void Util_DemoData_IntClick();
    void Util_DemoData_LogRatClick();
    void Util_TransformTransformClick(int tag);
    void File_OpenClick();
    void File_SaveClick();
    void Refresh1Click();
    void Pref_PenColor_BBClick(int tag);
    void Pref_Symbol_CBChange();
    void Pref_Size_SEChange(int tag);
    void Pref_AutoScale_CBClick();
    void TB_PinClick();
    void ToolButton3Click();
    void Pref_Button_FontClick();
    void Help_InfoClick();

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void BuildMenus();
    QWidget* BuildPreferences();
    // The groups the preference controls act on.
    std::pair<int, int> ChosenGroups() const;
    void AfterDemo();
    void ReadSettings();
    void WriteSettings();

    bool shown_ = false; // settings are read at the first show
};

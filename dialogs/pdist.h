// The p-value histogram: the distribution of -log10 p of the last group test, with a critical
// p-value chosen by track bar or combo box; a click in its grid sends the choice to its owner.
#pragma once

#include "toolbus.h"

#include <QMainWindow>

class QChart;
class QChartView;
class QComboBox;
class QLabel;
class QLineSeries;
class QSlider;
class QTableWidget;

class TPDist : public QMainWindow {
    Q_OBJECT
  public:
    explicit TPDist(QWidget* parent = nullptr);

    WindowHandle OwnerHandle = 0;
    int NotifyMessage = 0;
    int NotifyCode = 0;
    int MarkerHeight = 10;
    float CriticalP = 0.01f;

    QChartView* Chart1 = nullptr;
    QLineSeries* Series1 = nullptr;
    QWidget* Panel1 = nullptr;
    QLabel* Label1 = nullptr;
    QComboBox* CB_pValue = nullptr;
    QSlider* TB_pValue = nullptr;
    QTableWidget* SG1 = nullptr;

    QChart* Chart() const;
    // Adds a line series to the chart (the opener's "Distribution" series goes here).
    QLineSeries* AddSeries(const QString& name, const QColor& colour);
    // The chart's series in the order they were added (Series1 first).
    QList<QLineSeries*> ChartSeries() const;

    void FormCreate();
    void FormShow();
    void SetThreshold(int flags, double q);
    void TB_pValueChange();
    void CB_pValueChange();
    void SG1Click(int row, int column);
    void Exit1Click();
    void Info1Click();

    // Sets the axes to the data series (every series but the marker and the two placeholders)
    // and the marker: x over their range, y from 0 to the largest value with a little head room.
    // Runs by itself after the series change.
    void FitAxes();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void AxesFollow(QLineSeries* series);
    void KeepAxisTitleWhole(const QRectF& plot);

    QLineSeries* marker_ = nullptr;
    QList<QLineSeries*> placeholders_;
    bool fitPending_ = false;
};

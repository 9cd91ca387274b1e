// The progress window shown while files load: up to two labelled bars and a Cancel button.
//
// The caller creates it, sets BarCount, ShowCancel, the caption and Label1's text, shows it,
// hands a ProgressWindowSink over it to the loader and ends it with Finish when the work is over,
// or tool message code 0 with argument 9999 does. Until then it stays: Escape and a close request
// stand for Cancel while Cancel is offered and do nothing otherwise.
#pragma once

#include "sinks.h"
#include "toolbus.h"

#include <QDialog>
#include <QElapsedTimer>
#include <cstdint>

class QGroupBox;
class QLabel;
class QProgressBar;
class QPushButton;

class TCluster_Progress : public QDialog, public ToolMessageTarget {
    Q_OBJECT

  public:
    explicit TCluster_Progress(QWidget* owner = nullptr);

    // Set by the caller before showing; these are the values after creation.
    int32_t BarCount = 0;   // bars shown: 0, 1 or 2
    int32_t CancelFlag = 0; // -1 once Cancel was pressed
    uint8_t ShowCancel = 1; // 1: the Cancel button is shown

    QGroupBox* GroupBox1;
    QLabel* Label1;
    QProgressBar* ProgressBar1;
    QLabel* Label2;
    QProgressBar* ProgressBar2;
    QWidget* Panel1;
    QPushButton* Button_Cancel;

    // Lays the window out for BarCount and ShowCancel; runs whenever the window is shown.
    void FormShow();
    void Button_CancelClick();
    // Hides the window: the work that showed it is over.
    void Finish();
    // Escape: Cancel, when the window offers it.
    void reject() override;
    // Code 0 with argument 9999 closes the window; everything else is ignored.
    intptr_t ToolMessage(int code, intptr_t arg) override;

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
};

// Shows a loader's progress on the window's first bar and passes on its Cancel button.
class ProgressWindowSink : public ProgressSink {
  public:
    // Events are pumped at most every `pumpIntervalMs` milliseconds.
    explicit ProgressWindowSink(TCluster_Progress& window, int pumpIntervalMs = 50);

    void SetMaximum(int max) override;
    void SetPosition(int pos) override;
    void Pump() override;
    bool Cancelled() const override;
    void SetCancellable(bool on) override;

  private:
    TCluster_Progress& window_;
    int intervalMs_;
    QElapsedTimer sincePump_;
};

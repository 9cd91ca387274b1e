// A routine's progress shown as a text in a status panel, the window repainting meanwhile.
#pragma once

#include "sinks.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QString>
#include <functional>

class QLabel;

class StatusProgress : public ProgressSink {
  public:
    // The text shown for a position of the maximum.
    using Text = std::function<QString(int position, int maximum)>;
    StatusProgress(QLabel* panel, Text text);
    // The panel is emptied when the work ends.
    ~StatusProgress() override;
    StatusProgress(const StatusProgress&) = delete;
    StatusProgress& operator=(const StatusProgress&) = delete;

    void SetMaximum(int max) override { maximum_ = max; }
    void SetPosition(int pos) override;
    // Repaints at most every 50 ms; the user's input waits, so no command runs in between.
    void Pump() override;
    bool Cancelled() const override { return false; }

  private:
    QPointer<QLabel> panel_;
    Text text_;
    int maximum_ = 0;
    QElapsedTimer sincePump_;
};

// A progress window shown for the length of one piece of long work, closed on every way out.
#pragma once

#include "progresswindow.h"

#include <QApplication>
#include <QLabel>

class ProgressScope {
  public:
    ProgressScope(QWidget* owner, int bars, const QString& caption, const QString& label)
        : window_(owner), sink_(window_) {
        window_.BarCount = bars;
        if (!caption.isEmpty()) window_.setWindowTitle(caption);
        window_.Label1->setText(label);
        window_.show();
        QApplication::processEvents();
    }
    ~ProgressScope() { window_.close(); }
    ProgressScope(const ProgressScope&) = delete;
    ProgressScope& operator=(const ProgressScope&) = delete;
    TCluster_Progress& Window() { return window_; }
    ProgressSink* Sink() { return &sink_; }

  private:
    TCluster_Progress window_;
    ProgressWindowSink sink_;
};

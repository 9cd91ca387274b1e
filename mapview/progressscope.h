// A progress window shown for the length of one piece of long work, closed on every way out.
#pragma once

#include "progresswindow.h"

#include <QApplication>
#include <QLabel>

class ProgressScope {
  public:
    ProgressScope(QWidget* owner, int bars, const QString& caption, const QString& label)
        : window_(owner), sink_(window_) {
        ++running_;
        window_.BarCount = bars;
        if (!caption.isEmpty()) window_.setWindowTitle(caption);
        window_.Label1->setText(label);
        window_.show();
        QApplication::processEvents();
    }
    ~ProgressScope() {
        window_.Finish();
        --running_;
    }
    ProgressScope(const ProgressScope&) = delete;
    ProgressScope& operator=(const ProgressScope&) = delete;
    TCluster_Progress& Window() { return window_; }
    ProgressSink* Sink() { return &sink_; }
    // True while such work runs: the events it pumps must not start anything on the shared
    // records.
    static bool Running() { return running_ > 0; }

  private:
    TCluster_Progress window_;
    ProgressWindowSink sink_;
    static inline int running_ = 0;
};

// Progress of a reader on a scale of 0..1000, for any ProgressSink or none.
#pragma once

#include "sinks.h"

class ProgressSteps {
  public:
    static constexpr int kMaximum = 1000;
    static constexpr const char* kCancelledText = "Loading cancelled.";

    explicit ProgressSteps(ProgressSink* sink) : sink_(sink) {
        if (sink_) sink_->SetMaximum(kMaximum);
    }
    // Shows the position, lets the user interface run; false once the user has cancelled.
    bool Step(int position) {
        if (!sink_) return true;
        sink_->SetPosition(position);
        sink_->Pump();
        return !sink_->Cancelled();
    }
    // The position `done` of `total` stands for within the range [from, to].
    static int Scale(int from, int to, double done, double total) {
        return total > 0 ? from + static_cast<int>((to - from) * (done / total)) : to;
    }

  private:
    ProgressSink* sink_;
};

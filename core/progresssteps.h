// Progress of a reader or writer on a scale of 0..1000, for any ProgressSink or none: the one way
// the core shows progress and hears of a cancel.
#pragma once

#include "sinks.h"

#include <cstdint>
#include <string>

// Error text of a load the user cancelled.
inline constexpr const char* kLoadCancelled = "Loading cancelled.";

// Error text of a load that ran out of memory (the readers catch std::bad_alloc).
inline std::string NotEnoughMemoryText(const std::string& fileName) {
    return "Not enough memory to load " + fileName;
}

class ProgressSteps {
  public:
    static constexpr int kMaximum = 1000;
    static constexpr const char* kCancelledText = kLoadCancelled;

    explicit ProgressSteps(ProgressSink* sink) : sink_(sink) {
        if (!sink_) return;
        sink_->SetMaximum(kMaximum);
        sink_->SetPosition(0);
    }
    // Shows the position, lets the user interface run; false once the user has cancelled.
    bool Step(int position) {
        if (!sink_) return true;
        sink_->SetPosition(position);
        return Poll();
    }
    // For work with no position to show: lets the user interface run every few thousand calls;
    // false once the user has cancelled.
    bool Tick() {
        if (!sink_ || cancelled_ || ++ticks_ % kTicksPerPump != 0) return !cancelled_;
        return Poll();
    }
    // True once a step or tick has heard of a cancel.
    bool Cancelled() const { return cancelled_; }
    // While off, the user is offered no cancel and steps hear of none.
    void SetCancellable(bool on) {
        cancellable_ = on;
        if (sink_) sink_->SetCancellable(on);
    }
    // Shows the work complete.
    void Finish() {
        if (sink_) sink_->SetPosition(kMaximum);
    }
    // The position `done` of `total` stands for within the range [from, to].
    static int Scale(int from, int to, double done, double total) {
        return total > 0 ? from + static_cast<int>((to - from) * (done / total)) : to;
    }

  private:
    static constexpr int64_t kTicksPerPump = 4096;

    bool Poll() {
        sink_->Pump();
        if (cancellable_) cancelled_ = sink_->Cancelled();
        return !cancelled_;
    }

    ProgressSink* sink_;
    int64_t ticks_ = 0;
    bool cancelled_ = false;
    bool cancellable_ = true;
};

// The core's only ways to the outside: a report target and a progress display.
#pragma once

#include <string>
#include <vector>

// Receives report lines (the Info page). A null LogSink* means no report is written.
class LogSink {
  public:
    virtual ~LogSink() = default;
    virtual void AddLines(const std::vector<std::string>& lines) = 0;
};

// Progress of long work. A null ProgressSink* means no progress is shown.
class ProgressSink {
  public:
    virtual ~ProgressSink() = default;
    virtual void SetMaximum(int max) = 0;
    virtual void SetPosition(int pos) = 0;
    // Lets the user interface handle pending events (throttled by the implementation).
    virtual void Pump() = 0;
    // True once the user asked to stop; readers poll it at their progress steps.
    virtual bool Cancelled() const = 0;
    // False while the work cannot stop without losing what the user has: no cancel is offered.
    virtual void SetCancellable(bool) {}
};

// Collects a routine's report and hands it over in one batch.
class Report {
  public:
    explicit Report(LogSink* sink) : sink_(sink) {}
    ~Report() { Flush(); }
    Report(const Report&) = delete;
    Report& operator=(const Report&) = delete;

    bool Enabled() const { return sink_ != nullptr; }
    void Add(std::string line) {
        if (sink_) lines_.push_back(std::move(line));
    }
    void Flush() {
        if (sink_ && !lines_.empty()) sink_->AddLines(lines_);
        lines_.clear();
    }

  private:
    LogSink* sink_;
    std::vector<std::string> lines_;
};

// Collects lines in memory; used by tests and by callers that filter a routine's lines.
class MemoryLog : public LogSink {
  public:
    void AddLines(const std::vector<std::string>& lines) override {
        this->lines.insert(this->lines.end(), lines.begin(), lines.end());
    }
    std::vector<std::string> lines;
};

// A progress display for the fuzz targets that cancels after a given number of pumps.
#pragma once

#include "sinks.h"

class CancelAt : public ProgressSink {
  public:
    // pump < 0: never cancels.
    explicit CancelAt(int pump) : at_(pump) {}
    void SetMaximum(int) override {}
    void SetPosition(int) override {}
    void Pump() override { ++pumps_; }
    bool Cancelled() const override { return at_ >= 0 && pumps_ > at_; }

  private:
    int at_, pumps_ = 0;
};

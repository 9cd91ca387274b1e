// Helpers of the 3D plot tests: an empty shared table before and after each test, and a window
// that stands in for another plot and records what it is sent.
#pragma once

#include "guitest.h"
#include "scat3d.h"
#include "scat3dseries.h"
#include "sp3dctrl.h"
#include "windowregistry.h"

#include <QCoreApplication>
#include <QWidget>
#include <gtest/gtest.h>
#include <string>
#include <vector>

// An empty shared table and gate record around each test.
class Scat3DTableTest : public ::testing::Test {
  protected:
    void SetUp() override { Clear(); }
    void TearDown() override { Clear(); }
    static void Clear() {
        for (tPlotSeries& s : PlotSeries) s = tPlotSeries{};
        PlotGates = tPlotGates{};
    }
};

// The same, closing the control window that a test opened.
class Scat3DWindowTest : public Scat3DTableTest {
  protected:
    void TearDown() override {
        delete ControlWindow();
        Clear();
    }
    // Records 1..n named "s1".., each with the values 1..points.
    static void Fill(tPlotWindowSeries& w, int n, int points = 3) {
        std::vector<float> values(points);
        for (int i = 0; i < points; ++i) values[i] = float(i + 1);
        for (int k = 1; k <= n; ++k) AddSeries(w, k, "s" + std::to_string(k), values);
    }
    static void Settle() {
        for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
    }
};

// A visible window found by the plots' broadcast, recording the messages it gets.
struct PlotStandIn : QWidget, ToolMessageRecorder {
    PlotStandIn() {
        setWindowTitle(QStringLiteral("Parnwick - 3D Scatter plot : stand-in"));
        WindowRegistry::Add(this, Handle());
        show();
    }
};

// The group selector's plot modes hand their data to the analysis viewers through these
// requests. The viewer library installs the handlers (the selector links no viewer class);
// while one is missing, a request shows "No scatter plot viewer is available.".
#pragma once

#include "toolbus.h"

#include <QFont>
#include <QImage>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <vector>

class QWidget;

// One 2D scatter viewer, created, filled and shown.
struct ScatterPlotRequest {
    int Mode = 1000; // 1000 X-Y, 1001 ratio/intensity, 1002 Q/Q: the plot kind and ticked items
    QString Title;   // the dialog's message caption
    QString RegistryKey;
    int ShowGeneListMenu = 0;
    WindowHandle GeneListHandle = 0;
    QString XLabel, YLabel;
    std::vector<float> X, Y; // one value per gene, missing values as 0
    QStringList Annotations; // entry 0 the placeholder "GeneID", then one per gene
};

// One 3D scatter plot: reset, shown, then each series added to the first free record.
struct Plot3DRequest {
    struct Series {
        QString Name;
        std::vector<float> Values;
    };
    std::vector<Series> Series; // at most six
};

struct AnalysisMatrix;
class ProgressSink;

// The dot chart of counts, owned by the requesting window: bars only (no symbols, mean or major
// divisions), seven points per line.
struct DotChartRequest {
    struct Group {
        QString Value; // the group's values as pasted text
        QString Name;  // "\\n" breaks the label into lines
    };
    QString Caption, Title;
    std::vector<Group> Groups; // at most 100
};

// The plot scan: a mosaic of the scatter plots of every listed condition against every other,
// (250 n + 300) x (250 n + 200) pixels, 1 bit, drawn plot by plot through one hidden viewer.
constexpr int kMostScanConditions = 129; // keeps each side of the mosaic below 32,768
struct PlotScanRequest {
    int Kind = 1; // 1 X-Y, 2 ratio-intensity, 3 quantile
    QString RegistryKey;
    int ShowGeneListMenu = 0;
    WindowHandle GeneListHandle = 0;
    const AnalysisMatrix* Matrix = nullptr;
    std::vector<int32_t> Columns;     // data columns, 2 .. kMostScanConditions
    QStringList Labels;               // one per column
    ProgressSink* Progress = nullptr; // position := number of the plot being drawn
};

// A picture shown in an image viewer owned by the requesting window.
struct PictureRequest {
    QImage Picture;
    QString Caption;
    int ZoomLevel = 1;
};

// The profile editor, run modally over the channels of a response profile.
struct ProfileEditorRequest {
    struct Channel {
        QStringList Labels; // label rows 1.. (at most 110 of at most 50 characters)
        int32_t Column = 0; // member number of the condition that feeds the channel
        int32_t Group = 0;  // colour code 1..9
        float Level = 0.0f; // in: the starting profile; out after OK: the edited one
    };
    QFont Font;
    int32_t EditorMode = 0; // 0 no list, 1 gene list, 2 header-row list
    QString HelpBase, MessageCaption, RegistryKey;
    QString AboutText;                      // empty: the editor names the program itself
    const AnalysisMatrix* Matrix = nullptr; // read by modes 1 and 2
    QStringList RowNames;                   // names of the label rows 1..
    std::vector<Channel> Channels;          // channel k at [k - 1]
};

struct PlotViewerHandlers {
    std::function<void(const ScatterPlotRequest&)> ScatterPlot;
    std::function<void(const Plot3DRequest&)> Plot3D;
    // Returns true when the user chose to use the profile.
    std::function<bool(QWidget* parent, ProfileEditorRequest&)> ProfileEditor;
    std::function<void(QWidget* parent, const DotChartRequest&)> DotChart;
    // Returns the mosaic, or a null image when it could not be made.
    std::function<QImage(QWidget* parent, const PlotScanRequest&)> PlotScan;
    std::function<void(QWidget* parent, const PictureRequest&)> ImageViewer;
};

// The installed handlers; viewers fill them at start-up, tests replace them with recorders.
PlotViewerHandlers& PlotViewers();

// Hands a request to its handler, or shows the stop box when none is installed.
void RequestScatterPlot(QWidget* parent, const ScatterPlotRequest& request);
void RequestPlot3D(QWidget* parent, const Plot3DRequest& request);
// Runs the profile editor; true when the user chose to use the profile, whose levels are then in
// the channels. Without an installed editor nothing opens and the answer is false.
bool RequestProfileEditor(QWidget* parent, ProfileEditorRequest& request);
void RequestDotChart(QWidget* parent, const DotChartRequest& request);
// The mosaic, or a null image (after the stop box when no renderer is installed).
QImage RequestPlotScan(QWidget* parent, const PlotScanRequest& request);
void RequestImageViewer(QWidget* parent, const PictureRequest& request);

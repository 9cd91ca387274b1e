// What each mode of the group selector shows, hides and captions: one row per mode range.
#pragma once

#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

enum class LayoutPart {
    ParameterPage,
    GroupsTab,
    CGHPage,
    ExpressionPage,
    GroupsPanel, // group-number box, group box, assignment, save/load: the splitter goes with it
    GroupNumberBox,
    GroupBox,
    AssignmentBox,
    PairsBox,
    SelfBox,
    ValueControls, // value label and spin edit
    FactorControls,
    SaveLoadBox,
    RecentGroupings,
    PlotButtons, // "X-Y", "R/I", "Q/Q", "3D", "Mosaic"
    XYButton,
    ScriptButton,
    RunButton,
    OKButton,
    PValueBox,
    MultiComparison,
    MeanControls,
    SamPanel,
    QuantResponseBox,
    PermutationBox,
    S0Controls, // S0 radio group and panel
    ResponseType,
    KaplanMeierBoxes,
    KMeansBox,
    PCABox,
};

struct ModeLayout {
    int first = 0, last = 0;
    QStringList captions; // one per mode of the range, or one for all; empty keeps the caption
    QString distribution; // caption of the distribution button; empty keeps it
    int groupCount = 0;   // the mode's number of groups; 0 keeps the caller's
    std::vector<std::pair<LayoutPart, bool>> parts; // shown (true) or hidden (false)
    QString groupLabel;                             // caption of the group spin edit's label
    QString groupBoxTitle;                          // title of the group box
    QString xyCaption;                              // caption of the "X-Y" button
    QString valueLabel;                             // caption of the value label
    int value = -1;                                 // value of the value spin edit; -1 keeps it
    bool keepsGroupList = false; // the group list holds the matrix's gene annotation columns
    // The form's caption in `mode`, or empty to keep it.
    QString Caption(int mode) const;
};

// The row of `mode`; nullptr for modes without one (their layout is the design's).
const ModeLayout* FindModeLayout(int mode);
// Modes in which an empty group 1 starts with every condition (mode 1 only with one group).
bool FillsGroupOne(int mode, int groupCount);

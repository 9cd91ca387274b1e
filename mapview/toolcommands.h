// The main window's answers to the tool message (40000): what each command code does to the
// shared records and to the map's view.
#pragma once

#include "records.h"
#include "sinks.h"

#include <string>
#include <vector>

// What a command touches besides the records it changes in place.
struct ToolCommandContext {
    tCGH_DataSet& cgh;
    tHeatmap& exp;
    tStat& cghStat;
    tStat& expStat;
    tGenomeLayout& layout;
    const tFList& genes;
    int& firstChromosome;
    int& lastChromosome;
    // Selection of the chromosome list's items in order; null when there is no list.
    const std::vector<bool>* listSelection = nullptr;
    LogSink* log = nullptr; // the Info page
};

struct ToolCommandResult {
    enum class DataTypeMark { Keep, Raw, Processed };
    bool repaint = false;
    // Raw: the raw menu mark on and DataType 0; Processed: the processed mark on and DataType 2.
    DataTypeMark mark = DataTypeMark::Keep;
    std::string refused; // why the command changed nothing, for the user; "" when it ran
};

// Carries out one command; codes and arguments outside the table do nothing.
ToolCommandResult RunToolCommand(ToolCommandContext& ctx, int code, int arg);

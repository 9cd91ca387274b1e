// A small list window of the loaded CGH hybridisations and their active flags.
#pragma once

#include "records.h"

#include <QWidget>
#include <array>
#include <cstdint>

class QListWidget;

class TfCGH_Tool : public QWidget {
    Q_OBJECT
  public:
    explicit TfCGH_Tool(QWidget* parent = nullptr);

    QListWidget* DataSetList;
    // [h] 1 when the listed hybridisation h is active, else 0; [0] unused.
    std::array<uint8_t, kMaxHybridisations + 1> DataSetActive{};
};

// Lists " h  file name" for every hybridisation 1..HNum of `data` that has a file name and
// records its active flag in the window.
void RefreshToolDataSetList(TfCGH_Tool& tool, const tCGH_DataSet& data);

// The human ideogram of the map benchmarks, read into the global records.
#pragma once

#include "ideogram.h"
#include "records.h"

#include <QCoreApplication>
#include <cstdio>
#include <string>

// Reads `file`, or the shipped ideogram when it is empty; false (and the error on stderr) when it
// could not be read.
inline bool LoadBenchIdeogram(std::string file) {
    if (file.empty())
        file = (QCoreApplication::applicationDirPath() + QStringLiteral("/data/ideogram"))
                   .toStdString();
    std::string err;
    if (!ReadIdeogramFile(file + kNCBIIdeogramColumns, FeatureLists[1], GenomeLayout, IdeogramType,
                          nullptr, err)) {
        std::fprintf(stderr, "%s\n", err.c_str());
        return false;
    }
    BumpDataVersion();
    return true;
}

// Which of the files dropped on the main window are loaded, and how.
#pragma once

#include <QString>
#include <QStringList>

struct DroppedFiles {
    enum Kind { None, FeatureFiles, CGHMatrix };
    QStringList texts; // at most 10 ".txt" files; an eleventh and later replace the tenth
    QString matrix;    // the last ".cgm" file
    Kind kind = None;  // the kind of the last recognised file decides what is loaded
};

// Sorts the dropped names by their extension, compared exactly (".TXT" is not ".txt").
DroppedFiles ClassifyDroppedFiles(const QStringList& names);

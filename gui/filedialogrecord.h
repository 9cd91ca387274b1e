// A file dialog's settings kept between the commands that use it: each command sets what it needs
// and asks; what it leaves (the last file, the filter chosen) the next one finds.
#pragma once

#include "dialoghooks.h"

#include <QString>

class QWidget;

struct tFileDialog {
    explicit tFileDialog(FileDialogKind kind = FileDialogKind::Open) : Kind(kind) {}
    FileDialogKind Kind;
    QString Title;
    QString Filter;      // Qt's form: "Text (*.txt);;Any file (*)"
    QString FileName;    // in: shown in the name box; out: the file chosen
    int FilterIndex = 1; // in: the filter entry offered first; out: the one chosen (from 1)

    // Asks through AskFileName; false, leaving FileName and FilterIndex, when cancelled.
    bool Execute(QWidget* parent);
};

// The program's command-line switches, parsed in the order given.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

struct CommandLineSwitch {
    enum Kind { CGHMatrix, ExpressionMatrix, AdjustExpressionMatrix };
    Kind kind = CGHMatrix;
    QString file;   // CGHMatrix, ExpressionMatrix
    QString adjust; // AdjustExpressionMatrix: the text after "="
    // ExpressionMatrix: header rows, header columns, chromosome, start and stop column
    // (a missing or malformed number is 0).
    int headerRows = 0, headerCols = 0, chrColumn = 0, startColumn = 0, stopColumn = 0;
};

// The switches among args, in order; a switch counts only at the start of an argument, and
// other arguments are ignored.
std::vector<CommandLineSwitch> ParseCommandLine(const QStringList& args);

#include "commandline.h"

#include "recentlist.h"

namespace {
QString AfterFirstEquals(const QString& arg) {
    return arg.mid(arg.indexOf(QLatin1Char('=')) + 1);
}
} // namespace

std::vector<CommandLineSwitch> ParseCommandLine(const QStringList& args) {
    std::vector<CommandLineSwitch> switches;
    for (const QString& arg : args) {
        CommandLineSwitch s;
        if (arg.startsWith(QLatin1String("/cghmat="))) {
            s.kind = CommandLineSwitch::CGHMatrix;
            s.file = AfterFirstEquals(arg);
        } else if (arg.startsWith(QLatin1String("/expmat="))) {
            const ExpressionMatrixEntry e =
                ParseExpressionEntry(AfterFirstEquals(arg).toStdString());
            s.kind = CommandLineSwitch::ExpressionMatrix;
            s.file = QString::fromStdString(e.File);
            s.headerRows = e.HeaderRows;
            s.headerCols = e.HeaderCols;
            s.chrColumn = e.ChrColumn;
            s.startColumn = e.StartColumn;
            s.stopColumn = e.StopColumn;
        } else if (arg.startsWith(QLatin1String("/adjustexpmat="))) {
            s.kind = CommandLineSwitch::AdjustExpressionMatrix;
            s.adjust = AfterFirstEquals(arg);
        } else {
            continue;
        }
        switches.push_back(s);
    }
    return switches;
}

#include "commandline.h"

#include "numbers.h"

namespace {
QString AfterFirstEquals(const QString& arg) {
    return arg.mid(arg.indexOf(QLatin1Char('=')) + 1);
}

int NumberOrZero(const QStringList& parts, int index) {
    int32_t v = 0;
    if (index >= parts.size() || !ParseStrictInt(parts[index].toStdString(), v)) return 0;
    return v;
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
            const QStringList parts = AfterFirstEquals(arg).split(QLatin1Char(';'));
            s.kind = CommandLineSwitch::ExpressionMatrix;
            s.file = parts.value(0);
            s.headerRows = NumberOrZero(parts, 1);
            s.headerCols = NumberOrZero(parts, 2);
            s.chrColumn = NumberOrZero(parts, 3);
            s.startColumn = NumberOrZero(parts, 4);
            s.stopColumn = NumberOrZero(parts, 5);
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

// Small pieces of the texts the main window writes to its Info page and message boxes.
#pragma once

#include "dialoghooks.h"
#include "memolog.h"

#include <QString>
#include <string>

inline QString Quoted(const QString& s) {
    return QLatin1Char('"') + s + QLatin1Char('"');
}

inline void Info(MemoLog& log, const QString& line) {
    log.AddLines({line.toStdString()});
}

// A message box with the stop icon and the program's caption.
inline void ShowStop(QWidget* parent, const QString& text) {
    ShowMessage(parent, text, QStringLiteral("Quorbel"), MsgIcon::Stop);
}
inline void ShowStop(QWidget* parent, const std::string& text) {
    ShowStop(parent, QString::fromStdString(text));
}
// A message box with the warning icon and the program's caption.
inline void ShowWarning(QWidget* parent, const QString& text) {
    ShowMessage(parent, text, QStringLiteral("Quorbel"), MsgIcon::Warning);
}
inline void ShowWarning(QWidget* parent, const std::string& text) {
    ShowWarning(parent, QString::fromStdString(text));
}

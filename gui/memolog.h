// Report lines from the core appended to a memo (the Info pages).
#pragma once

#include "sinks.h"

#include <QPlainTextEdit>
#include <QPointer>

class MemoLog : public LogSink {
  public:
    explicit MemoLog(QPlainTextEdit* memo) : memo_(memo) {}
    void AddLines(const std::vector<std::string>& lines) override {
        if (!memo_ || lines.empty()) return;
        // One append for the batch: a long report goes in at once, not line by line.
        QString text;
        for (const std::string& line : lines) {
            if (&line != &lines.front()) text += QLatin1Char('\n');
            text += QString::fromStdString(line);
        }
        memo_->appendPlainText(text);
    }

  private:
    QPointer<QPlainTextEdit> memo_;
};

// Report lines from the core appended to a memo (the Info pages).
#pragma once

#include "sinks.h"

#include <QPlainTextEdit>
#include <QPointer>

class MemoLog : public LogSink {
  public:
    explicit MemoLog(QPlainTextEdit* memo) : memo_(memo) {}
    void AddLines(const std::vector<std::string>& lines) override {
        if (!memo_) return;
        for (const std::string& line : lines) memo_->appendPlainText(QString::fromStdString(line));
    }

  private:
    QPointer<QPlainTextEdit> memo_;
};

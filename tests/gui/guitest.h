// Helpers of the window tests.
#pragma once

#include "dialoghooks.h"
#include "toolbus.h"

#include <QString>
#include <ostream>
#include <utility>
#include <vector>

// Readable QString values in failure messages.
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

// Collects the message boxes shown while it lives, answering each with OK.
class MessageCapture {
  public:
    MessageCapture() {
        previous_ = SetMessageHook([this](const MessageRecord& m) {
            shown.push_back(m);
            return MsgResult::Ok;
        });
    }
    ~MessageCapture() { SetMessageHook(previous_); }
    MessageCapture(const MessageCapture&) = delete;
    MessageCapture& operator=(const MessageCapture&) = delete;

    std::vector<MessageRecord> shown;

  private:
    MessageHook previous_;
};

// A window that records the tool messages it receives.
struct ToolMessageRecorder : ToolMessageTarget {
    std::vector<std::pair<int, intptr_t>> got;
    intptr_t ToolMessage(int code, intptr_t arg) override {
        got.emplace_back(code, arg);
        return 0;
    }
};

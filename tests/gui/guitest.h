// Helpers of the window tests.
#pragma once

#include "dialoghooks.h"
#include "system.h"
#include "toolbus.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QString>
#include <QUrl>
#include <deque>
#include <functional>
#include <gtest/gtest.h>
#include <ostream>
#include <utility>
#include <vector>

// Readable QString values in failure messages.
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

// Writes `bytes` to the file `name` in `dir` and returns its path.
inline QString WriteFile(const QDir& dir, const QString& name, const QByteArray& bytes) {
    const QString path = dir.filePath(name);
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
    f.write(bytes);
    return path;
}

// Collects the message boxes shown while it lives, answering each with `answer`.
class MessageCapture {
  public:
    explicit MessageCapture(MsgResult answer = MsgResult::Ok) {
        previous_ = SetMessageHook([this, answer](const MessageRecord& m) {
            shown.push_back(m);
            return answer;
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

// Answers the modal dialogs run while it lives, in order: each answer gets the dialog unshown,
// fills it, calls its handlers and returns the modal result. A dialog without an answer fails the
// test and is rejected.
class ModalAnswerer {
  public:
    using Answer = std::function<int(QDialog&)>;
    ModalAnswerer() {
        previous_ = SetModalHook([this](QDialog& dialog) {
            ++run;
            if (answers_.empty()) {
                ADD_FAILURE() << "unanswered modal dialog: " << dialog.metaObject()->className();
                return int(QDialog::Rejected);
            }
            Answer answer = std::move(answers_.front());
            answers_.pop_front();
            return answer(dialog);
        });
    }
    ~ModalAnswerer() {
        SetModalHook(previous_);
        EXPECT_TRUE(answers_.empty()) << answers_.size() << " modal answers left unused";
    }
    ModalAnswerer(const ModalAnswerer&) = delete;
    ModalAnswerer& operator=(const ModalAnswerer&) = delete;

    // Queues an answer for a dialog of type D; a dialog of another type fails the test.
    template <typename D> void Expect(std::function<int(D&)> answer) {
        answers_.push_back([answer = std::move(answer)](QDialog& dialog) {
            auto* d = dynamic_cast<D*>(&dialog);
            if (!d) {
                ADD_FAILURE() << "modal dialog of another type: "
                              << dialog.metaObject()->className();
                return int(QDialog::Rejected);
            }
            return answer(*d);
        });
    }
    int run = 0;

  private:
    std::deque<Answer> answers_;
    ModalHook previous_;
};

// Counts the beeps while it lives.
class BeepCounter {
  public:
    BeepCounter() {
        previous_ = SetBeepHook([this] { ++count; });
    }
    ~BeepCounter() { SetBeepHook(previous_); }
    BeepCounter(const BeepCounter&) = delete;
    BeepCounter& operator=(const BeepCounter&) = delete;
    int count = 0;

  private:
    std::function<void()> previous_;
};

// Drops `files` on `w` as the desktop delivers a drop: enter, move, then the drop itself.
inline void DropFiles(QWidget& w, const QStringList& files) {
    QMimeData mime;
    QList<QUrl> urls;
    for (const QString& f : files) urls << QUrl::fromLocalFile(f);
    mime.setUrls(urls);
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&w, &enter);
    QDragMoveEvent move(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&w, &move);
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&w, &drop);
}

// One answer of a file dialog: the name (empty for a cancel) and the filter entry chosen (empty
// for the first). A bare name converts to it.
struct FileDialogAnswer {
    FileDialogAnswer(QString name = QString(), QString filter = QString())
        : name(std::move(name)), filter(std::move(filter)) {}
    QString name;
    QString filter;
};

// Answers the file dialogs shown while it lives with the queued answers in order and keeps the
// requests; a dialog without an answer fails the test.
class FileDialogAnswerer {
  public:
    explicit FileDialogAnswerer(std::deque<FileDialogAnswer> answers)
        : answers_(std::move(answers)) {
        previous_ = SetFileDialogHook([this](const FileDialogRequest& r) {
            requests.push_back(r);
            if (answers_.empty()) {
                ADD_FAILURE() << "unanswered file dialog: " << r.caption.toStdString();
                return QString();
            }
            const FileDialogAnswer answer = answers_.front();
            answers_.pop_front();
            if (r.selectedFilter)
                *r.selectedFilter = answer.filter.isEmpty()
                                        ? r.filter.section(QStringLiteral(";;"), 0, 0)
                                        : answer.filter;
            return answer.name;
        });
    }
    ~FileDialogAnswerer() { SetFileDialogHook(previous_); }
    FileDialogAnswerer(const FileDialogAnswerer&) = delete;
    FileDialogAnswerer& operator=(const FileDialogAnswerer&) = delete;

    std::vector<FileDialogRequest> requests;

  private:
    std::deque<FileDialogAnswer> answers_;
    FileDialogHook previous_;
};

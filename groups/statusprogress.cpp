#include "statusprogress.h"

#include <QCoreApplication>
#include <QLabel>

StatusProgress::StatusProgress(QLabel* panel, Text text) : panel_(panel), text_(std::move(text)) {}

StatusProgress::~StatusProgress() {
    if (panel_) panel_->clear();
}

void StatusProgress::SetPosition(int pos) {
    if (panel_) panel_->setText(text_(pos, maximum_));
}

void StatusProgress::Pump() {
    if (sincePump_.isValid() && sincePump_.elapsed() < 50) return;
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    sincePump_.start();
}

// The main window: the chromosome map, its commands and settings.
#pragma once

#include <QMainWindow>
#include <QStringList>

class TfQuorbelView : public QMainWindow {
    Q_OBJECT
  public:
    explicit TfQuorbelView(QWidget* parent = nullptr);
    void SetCommandLine(const QStringList& args) { commandLine_ = args; }

  private:
    QStringList commandLine_;
};

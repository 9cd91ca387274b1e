// The application of the window benchmarks: offscreen unless the environment names a platform,
// with the settings store and the benchmark's own files in a folder removed at the end.
#pragma once

#include "registry.h"

#include <QApplication>
#include <QTemporaryDir>

class BenchApplication {
  public:
    BenchApplication(int& argc, char** argv) : app_(Offscreen(argc), argv) {
        Registry::SetLocation(FilePath(QStringLiteral("registry.ini")));
    }
    // A path in the benchmark's temporary folder.
    QString FilePath(const QString& name) const { return dir_.filePath(name); }

  private:
    static int& Offscreen(int& argc) {
        if (qgetenv("QT_QPA_PLATFORM").isEmpty()) qputenv("QT_QPA_PLATFORM", "offscreen");
        return argc;
    }
    QApplication app_;
    QTemporaryDir dir_;
};

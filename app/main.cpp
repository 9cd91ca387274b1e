#include "installviewers.h"
#include "mainwindow.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("JX-Quorbel"));
    InstallPlotViewers();
    TfQuorbelView window;
    window.SetCommandLine(QCoreApplication::arguments().mid(1));
    window.show();
    return QApplication::exec();
}

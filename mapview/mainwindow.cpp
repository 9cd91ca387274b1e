#include "mainwindow.h"

TfQuorbelView::TfQuorbelView(QWidget* parent) : QMainWindow(parent) {
    setWindowTitle(QStringLiteral("JX-Quorbel"));
}

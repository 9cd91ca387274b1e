#include "progresswindow.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

namespace {
constexpr int kClientWidth = 492;
constexpr int kGroupHeight = 65;
constexpr int kClientHeight = 70;
constexpr int kSecondBarHeight = 48;
constexpr int kCancelHeight = 30;
} // namespace

TCluster_Progress::TCluster_Progress(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowStaysOnTopHint) {
    setWindowTitle(QStringLiteral("Clustering Progress"));
    // Loads pump events; modality keeps the user's input to other windows out meanwhile.
    setWindowModality(Qt::ApplicationModal);

    GroupBox1 = new QGroupBox(this);
    Label1 = new QLabel(QStringLiteral("Action:"), GroupBox1);
    Label1->setGeometry(8, 14, kClientWidth - 16, 16);
    ProgressBar1 = new QProgressBar(GroupBox1);
    ProgressBar1->setGeometry(8, 32, kClientWidth - 16, 18);
    ProgressBar1->setTextVisible(false);
    Label2 = new QLabel(QStringLiteral("Processing steps"), GroupBox1);
    Label2->setGeometry(8, 62, kClientWidth - 16, 16);
    ProgressBar2 = new QProgressBar(GroupBox1);
    ProgressBar2->setGeometry(8, 80, kClientWidth - 16, 18);
    ProgressBar2->setTextVisible(false);
    ProgressBar2->setMaximum(10);
    for (QWidget* w : {static_cast<QWidget*>(Label1), static_cast<QWidget*>(ProgressBar1),
                       static_cast<QWidget*>(Label2), static_cast<QWidget*>(ProgressBar2)})
        w->hide();

    Panel1 = new QWidget(this);
    Button_Cancel = new QPushButton(QStringLiteral("Cancel"), Panel1);
    Button_Cancel->setGeometry(kClientWidth - 8 - 75, 3, 75, 25);
    connect(Button_Cancel, &QPushButton::clicked, this, &TCluster_Progress::Button_CancelClick);

    FormShow();
}

void TCluster_Progress::FormShow() {
    int groupHeight = kGroupHeight;
    int clientHeight = kClientHeight;
    Button_Cancel->setVisible(ShowCancel != 0);
    Label1->setVisible(BarCount >= 1);
    ProgressBar1->setVisible(BarCount >= 1);
    Label2->setVisible(BarCount >= 2);
    ProgressBar2->setVisible(BarCount >= 2);
    if (BarCount >= 2) {
        groupHeight += kSecondBarHeight;
        clientHeight += kSecondBarHeight;
    }
    if (ShowCancel) clientHeight += kCancelHeight;
    setFixedSize(kClientWidth, clientHeight);
    GroupBox1->setGeometry(0, 0, kClientWidth, groupHeight);
    Panel1->setGeometry(0, groupHeight, kClientWidth, clientHeight - groupHeight);
    if (QWidget* owner = parentWidget()) {
        const QPoint centre = owner->mapToGlobal(owner->rect().center());
        move(centre.x() - kClientWidth / 2, centre.y() - clientHeight / 2);
    }
}

void TCluster_Progress::Button_CancelClick() {
    CancelFlag = -1;
}

void TCluster_Progress::Finish() {
    hide();
}

void TCluster_Progress::reject() {
    if (Button_Cancel->isVisibleTo(this) && Button_Cancel->isEnabled()) Button_CancelClick();
}

void TCluster_Progress::closeEvent(QCloseEvent* event) {
    // A close request counts as Escape: hidden, the window would no longer keep the user out
    // while the work goes on.
    reject();
    event->ignore();
}

intptr_t TCluster_Progress::ToolMessage(int code, intptr_t arg) {
    if (code == 0 && arg == 9999) Finish();
    return 0;
}

void TCluster_Progress::showEvent(QShowEvent* event) {
    FormShow();
    QDialog::showEvent(event);
}

ProgressWindowSink::ProgressWindowSink(TCluster_Progress& window, int pumpIntervalMs)
    : window_(window), intervalMs_(pumpIntervalMs) {}

void ProgressWindowSink::SetMaximum(int max) {
    window_.ProgressBar1->setMaximum(max);
}

void ProgressWindowSink::SetPosition(int pos) {
    window_.ProgressBar1->setValue(pos);
}

void ProgressWindowSink::Pump() {
    if (sincePump_.isValid() && sincePump_.elapsed() < intervalMs_) return;
    QCoreApplication::processEvents();
    sincePump_.start();
}

bool ProgressWindowSink::Cancelled() const {
    return window_.CancelFlag != 0;
}

void ProgressWindowSink::SetCancellable(bool on) {
    window_.Button_Cancel->setEnabled(on);
    // Now: the work that follows may keep the event loop from running for a while.
    window_.Button_Cancel->repaint();
}

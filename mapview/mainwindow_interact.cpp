// The main window's interaction with the map: gene search, keys and wheel, the read-out of the
// position under the mouse, the detail viewer with the gene database search, the map's capture.
#include "dialoghooks.h"
#include "genesearch.h"
#include "historylist.h"
#include "inputdialog.h"
#include "jxdorvdec.h"
#include "mainglobals.h"
#include "mainwindow.h"
#include "mapreadout.h"
#include "menuitems.h"
#include "records.h"
#include "toolglobals.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFormLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStatusBar>
#include <QTabWidget>
#include <QUrl>
#include <QWheelEvent>
#include <algorithm>

QPointer<TfQuorbelView> DetailViewer;

namespace {

QString Quote(const QString& s) {
    return QLatin1Char('"') + s + QLatin1Char('"');
}

void SetBar(QScrollBar* bar, int64_t value) {
    bar->setValue(static_cast<int>(std::clamp<int64_t>(value, bar->minimum(), bar->maximum())));
}

} // namespace

void TfQuorbelView::ConnectMapInteraction() {
    StatusBar1 = statusBar();
    for (QLabel*& panel : StatusBar1_Panels) {
        panel = new QLabel;
        // A panel's text never resizes the bar: the read-out changes it on every mouse move.
        panel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        StatusBar1->addWidget(panel, 1);
    }
    StatusBar1->setSizeGripEnabled(false);

    ConnectCommand(this, POM_Genes_Find, [this] { POM_Genes_FindClick(); });

    Pref_ED_GeneDatabase = new QLineEdit(GeneDatabaseAddress);
    Pref_ED_GeneDatabase->setObjectName(QStringLiteral("Pref_ED_GeneDatabase"));
    if (auto* form = qobject_cast<QFormLayout*>(TS_Preferences->layout()))
        form->addRow(QStringLiteral("Gene database"), Pref_ED_GeneDatabase);
    connect(Pref_ED_GeneDatabase, &QLineEdit::editingFinished, this,
            [this] { Pref_ED_GeneDatabaseExit(); });
    // Both instances edit the one setting: the page shows it as it is now.
    connect(PageControl, &QTabWidget::currentChanged, this, [this] {
        if (PageControl->currentWidget() == TS_Preferences)
            Pref_ED_GeneDatabase->setText(GeneDatabaseAddress);
    });

    ConnectCommands<TfQuorbelView>(this, {
                                             {TB_DetailView, &TfQuorbelView::TB_DetailViewClick},
                                             {TB_Capture, &TfQuorbelView::TB_CaptureClick},
                                         });
    MapView_PB1->setMouseTracking(true);
    // Keys reach FormKeyDown before the widget that has the focus. The map's mouse events come
    // by the same filter: a filter of the map's own would hand each of them over twice.
    qApp->installEventFilter(this);
}

bool TfQuorbelView::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget && widget->window() == this) {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (FormKeyDown(key->key(), key->modifiers())) return true;
        }
    } else if (watched == MapView_PB1 && event->type() == QEvent::MouseMove) {
        const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
        MapView_PB1MouseMove(at.x(), at.y());
    } else if (watched == MapView_PB1 && event->type() == QEvent::MouseButtonDblClick) {
        MapView_PB1DblClick();
    }
    return QMainWindow::eventFilter(watched, event);
}

void TfQuorbelView::wheelEvent(QWheelEvent* event) {
    FormMouseWheel(event->angleDelta().y());
    event->accept();
}

void TfQuorbelView::POM_Genes_FindClick() {
    TInputDialog dialog(this);
    for (int n = 1; n <= 20; ++n)
        if (!FindGeneHistory[n].isEmpty()) dialog.History.append(FindGeneHistory[n]);
    dialog.Caption = QStringLiteral("Find genes");
    dialog.Prompt = QStringLiteral("Enter gene names to search for (e.g. ") +
                    Quote(QStringLiteral("GAPDH  RPL*   *gf*   *rPS")) + QLatin1Char(')');
    dialog.HelpText =
        QStringLiteral("Search Gene names\n\nSupply a single gene or a list of genes separated by "
                       "a SPACE.\ne.g. \"gapdh hprt1 rpl*\n\nSearch is perfomed case "
                       "insensitive.\n\nUse wildcard to search for patterns:\n\"hprt*\" will find "
                       "e.g. HPRT1, HPRTP2\n\"*prt1\" will find e.g. \"HPRT1,NAPRT1\n\"*prt*\" "
                       "will find e.g. \"HPRT1,PRTFDC1,APRT, ...\"");
    RunModal(dialog);
    if (dialog.ResultCode != 0) return;
    const std::string text = CleanSearchText(dialog.Text.toStdString());
    AddToHistory(FindGeneHistory, text);
    if (text.empty()) return;
    const int found = SearchGeneNames(FeatureLists[2], text, &InfoLog);
    ShowMessage(this,
                found > 0
                    ? QStringLiteral("%1 matches found\n\nSee Info-Tab for details.").arg(found)
                    : QStringLiteral("No match found !!"),
                QStringLiteral("Search genes"), MsgIcon::Information);
    BumpDataVersion();
    if (IsActiveForm()) RepaintMap();
}

bool TfQuorbelView::FormKeyDown(int key, Qt::KeyboardModifiers shift) {
    const bool ctrl = shift.testFlag(Qt::ControlModifier);
    const bool gap =
        ctrl && shift.testFlag(Qt::ShiftModifier) && (key == Qt::Key_Left || key == Qt::Key_Right);
    const bool refresh = !ctrl && key == Qt::Key_F5;
    // A key taken goes no further, whether its command starts or not.
    if (!gap && !refresh) return false;
    if (!MayStartCommand()) return true;
    if (gap) {
        ChromosomeGap =
            key == Qt::Key_Left ? ChromosomeGap - 10 : std::min(ChromosomeGap, INT32_MAX - 10) + 10;
        if (ChromosomeGap < 1) ChromosomeGap = 0;
        RepaintMap();
    } else {
        // A full redraw, not only a copy of the cached map.
        TB_RefreshClick();
    }
    return true;
}

void TfQuorbelView::FormMouseWheel(int delta) {
    if (delta == 0) return;
    // A notch (120) moves as far as the bar's arrow does.
    const int64_t line = ScrollLine(Orientation != 2);
    SetBar(MapView_SB_V, MapView_SB_V->value() + line * delta / 120);
    RepaintMap();
}

void TfQuorbelView::MapView_PB1MouseMove(int x, int y) {
    if (!(MapLayout.Scale() > 0.0f)) return;
    // The rendered image lies one pixel in from the paint box's corner.
    const MapReadout r = ReadMapPosition(MapLayout, x - 1, y - 1, FeatureLists[2], ExpData);
    MouseBasePair = r.BasePair;
    MouseChromosome = r.Chromosome;
    MouseText = r.Text;
    StatusBar1_Panels[1]->setText(QStringLiteral("%1,%2 - %3,%4 - %5")
                                      .arg(x)
                                      .arg(y)
                                      .arg(MouseBasePair)
                                      .arg(MouseChromosome)
                                      .arg(MouseText));
}

QString TfQuorbelView::GeneDatabaseSearch(const QString& text) {
    QString base = GeneDatabaseAddress;
    if (!base.endsWith(QLatin1Char('/'))) base += QLatin1Char('/');
    // Encoded whole: "&", "#" or "+" in a name would cut or change the query.
    return base + QStringLiteral("sites/entrez?db=gene&cmd=search&term=") +
           QString::fromLatin1(QUrl::toPercentEncoding(text + QStringLiteral(" homo sapiens")));
}

void TfQuorbelView::Pref_ED_GeneDatabaseExit() {
    if (!Pref_ED_GeneDatabase->isModified()) return;
    Pref_ED_GeneDatabase->setModified(false);
    const QString text = Pref_ED_GeneDatabase->text().trimmed();
    if (text.isEmpty() || IsGeneDatabaseAddress(text)) {
        GeneDatabaseAddress = text.isEmpty() ? kDefaultGeneDatabase : text;
        return;
    }
    Pref_ED_GeneDatabase->setText(GeneDatabaseAddress);
    ShowMessage(this,
                QStringLiteral("\"%1\" is not an http or https address.\n\nThe gene database "
                               "stays %2")
                    .arg(text, GeneDatabaseAddress),
                QStringLiteral("Quorbel"), MsgIcon::Warning);
}

void TfQuorbelView::MapView_PB1DblClick() {
    if (DetailViewerOpen && DetailViewer) {
        const int c = FirstChromosome == LastChromosome ? FirstChromosome : MouseChromosome;
        if (c != 0)
            DetailViewer->CentreDetailViewer(
                c, int64_t{MouseBasePair} - (int64_t{ShownLongestArm} - MapLayout.PArm(c)) - 1000);
    }
    if (!MouseText.isEmpty()) OpenUrl(GeneDatabaseSearch(MouseText));
}

void TfQuorbelView::CentreDetailViewer(int c, int64_t along) {
    FirstChromosome = LastChromosome = c;
    SetBar(Orientation == 2 ? MapView_SB_H : MapView_SB_V, along);
    RepaintMap();
}

void TfQuorbelView::TB_DetailViewClick() {
    if (DetailViewerOpen && DetailViewer) {
        DetailViewer->raise();
        DetailViewer->activateWindow();
        return;
    }
    auto* viewer = new TfQuorbelView(this);
    viewer->setAttribute(Qt::WA_DeleteOnClose);
    viewer->IsDetailViewer = true;
    DetailViewer = viewer;
    DetailViewerOpen = true;
    viewer->show();
    viewer->FirstChromosome = viewer->LastChromosome = 1;
    viewer->Zoom = 1;
    // Lying, its scroll bars swap their ranges as the orientation button swaps them.
    if (Orientation == 2) viewer->TB_SetOrientationClick();
    viewer->RepaintMap();
}

void TfQuorbelView::DetailViewerClosing() {
    DetailViewerOpen = false;
    // The view tools would send to a closed window.
    if (auto* owner = qobject_cast<TfQuorbelView*>(parentWidget());
        owner && MainWindowHandle == Handle())
        MainWindowHandle = owner->Handle();
}

void TfQuorbelView::TB_CaptureClick() {
    const QPalette colours = MapView_Panel_Map->palette();
    QPalette white = colours;
    white.setColor(QPalette::Window, Qt::white);
    MapView_Panel_Map->setPalette(white);
    const QImage image = MapView_Panel_Map->grab().toImage();
    MapView_Panel_Map->setPalette(colours);
    QGuiApplication::clipboard()->setImage(image);
}

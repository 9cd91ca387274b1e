#include "mainwindow.h"

#include "chrsellist.h"
#include "commandline.h"
#include "dialoghooks.h"
#include "expressionmatrix.h"
#include "ideogram.h"
#include "mainglobals.h"
#include "records.h"
#include "system.h"
#include "toolglobals.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QGuiApplication>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>

TfQuorbelView::TfQuorbelView(QWidget* parent) : QMainWindow(parent) {
    CreateComponents();
    CreateMenus();
    CreateToolBar();
    ConnectMapView();
    ConnectDataCommands();
    ConnectFileCommands();
    ConnectProcessCommands();
    ConnectImportCommands();
    ConnectGroupTestCommands();
    ConnectAnnotationCommands();
    ConnectPatternCommands();
    ConnectMapInteraction();
    ConnectHelpCommands();
    FormCreate();
}

TfQuorbelView::~TfQuorbelView() {
    CloseTools();
    if (MainWindowHandle == Handle()) MainWindowHandle = 0;
}

void TfQuorbelView::FormCreate() {
    UpdateSiteAddress = QStringLiteral(QB_UPDATE_SITE);
    RegistryKey = QStringLiteral("software\\JX-Quorbel\\");
    setWindowTitle(QStringLiteral("JX-Quorbel - CGH and expression map viewer"));
    IsDetailViewer = false;
    DetailViewerOpen = false;
    setAcceptDrops(true);
    ProgramFolder = QCoreApplication::applicationDirPath() + QLatin1Char('/');
    ProgramFile = QCoreApplication::applicationFilePath();
    IdeogramFile =
        ProgramFolder + QStringLiteral("data/ideogram") + QLatin1String(kNCBIIdeogramColumns);
    MapTopMargin = 20;
    // The detail viewer is made with its owner: the map settings of the program stay as the
    // main window has them.
    if (!parentWidget()) {
        ShownAnnotationKeys = tShownAnnotationKeys{};
        SetDefaultColors();
        ChromosomeGap = 0;
        GeneNameWidth = 100;
        // The view tools opened at start must reach the map before any activation, which a
        // desktop without a window manager never sends.
        MainWindowHandle = Handle();
    }
    ColouredChromosomeMode = false;
    PaletteLog = true;
    PaletteMin = 0.0f;
    PaletteMax = 4.0f;
    PatternNames.clear();
    PageControl->setCurrentWidget(TS_MapView);
    ColourBarDragging = false;
    FindGeneHistory.fill(QString());
    GroupFileHistory.fill(QString());
}

void TfQuorbelView::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!shown_) {
        shown_ = true;
        FormShow();
    }
}

void TfQuorbelView::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) FormActivate();
}

void TfQuorbelView::closeEvent(QCloseEvent* event) {
    FormClose();
    event->accept();
}

namespace {
void ClearExpressionData(tHeatmap& e) {
    e.FileName.clear();
    e.GeneCount = 0;
    e.SampleCount = 0;
    e.ShowExpressionTrack = 0;
    e.DisplayFlag = 0;
    e.DisplayMode = 1;
    for (int k = 1; k <= kRecentFiles; ++k) e.RecentFiles[k].clear();
    e.HeaderRows = 7;
    e.HeaderCols = 13;
    e.ChrColumn = 10;
    e.StartColumn = 11;
    e.StopColumn = 12;
}

void ClearStatTexts(tStat& s) {
    for (int g = 1; g <= 100; ++g) s.GroupText[g].clear();
    for (int n = 1; n <= 10; ++n) {
        s.GroupSettings[n].clear();
        s.AlphaSettings[n].clear();
    }
}
} // namespace

void TfQuorbelView::FormShow() {
    if (!IsDetailViewer) {
        CGHToolOpen = false;
        ExpressionToolOpen = false;
        Pref_CB_GeneFeatures->setEditText(ProgramFolder + QStringLiteral("data/GeneList.cfl"));
        Pref_CB_GeneFeatures->setEnabled(false);
        Pref_BB_GeneFeaturesSelect->setEnabled(false);
        if (Pref_CB_AutoLoad_GeneFeatures->isChecked()) LoadGeneFeatureCache();

        Zoom = 1;
        FirstChromosome = 1;
        LastChromosome = 25;
        GenomeLayout.ShowBandNames = 1;
        GenomeLayout.BandResolution = 450;
        GenomeLayout.IdeogramWidth = 15;
        ClearCGHDataSet(CGHData);
        ClearExpressionData(ExpData);
        ClearStatTexts(CGHStat);
        ClearStatTexts(ExpStat);
        ExpStat.Alpha = 1.0f;
        Orientation = 1;
        BumpDataVersion();
        ReadSettings();
        CreateChromosomeList();
        RunCommandLine();
    } else {
        ReadDetailViewerSettings();
    }
    AutoLoadIdeogram();
    if (ColouredChromosomeMode) {
        TB_GEMat->setVisible(false);
        TB_CGH->setVisible(false);
        TB_Genes->setVisible(false);
        BuildColourPalette(PaletteColours, 1);
        POM_Ideogram_ColouredChromosomes->setVisible(true);
    }
}

void TfQuorbelView::FormActivate() {
    const QRect screen = QGuiApplication::primaryScreen()->virtualGeometry();
    QPoint p = pos();
    if (p.x() > screen.width()) p.setX(screen.width() - 50);
    if (p.y() > screen.height()) p.setY(screen.height() - 50);
    if (p != pos()) move(p);
    MainWindowHandle = Handle();
}

void TfQuorbelView::FormClose() {
    if (IsDetailViewer) DetailViewerClosing();
    // Windows of their own would keep the program running.
    CloseTools();
    // An address typed but not yet confirmed counts as the user's last word.
    Pref_ED_GeneDatabaseExit();
    WriteSettings();
    PatternNames.clear();
    PatternValues.clear();
}

void TfQuorbelView::CreateChromosomeList() {
    ChrSel_List = new TdChrSel_List(this);
    ChrSel_List->OwnerHandle = Handle();
    ChrSel_List->NotifyMessage = WM_TOOL_COMMAND;
    ChrSel_List->NotifyCode = 1100;
    ChrSel_List->LiveUpdate = 1;
    ChrSel_List->List->clear();
    for (int c = 1; c <= GenomeLayout.ChromosomeCount; ++c) {
        auto* item = new QListWidgetItem(QStringLiteral("Chr %1").arg(c), ChrSel_List->List);
        item->setSelected(c <= kLayoutSlots && GenomeLayout.Selected[c] != 0);
    }
}

void TfQuorbelView::RunCommandLine() {
    for (const CommandLineSwitch& s : ParseCommandLine(commandLine_)) {
        switch (s.kind) {
        case CommandLineSwitch::CGHMatrix:
            LoadCGHMatrixFile(s.file);
            POM_CGH_View->setChecked(false);
            POM_CGH_ViewClick();
            POM_CGH_ToolClick();
            break;
        case CommandLineSwitch::ExpressionMatrix:
            ExpData.HeaderRows = s.headerRows;
            ExpData.HeaderCols = s.headerCols;
            ExpData.ChrColumn = s.chrColumn;
            ExpData.StartColumn = s.startColumn;
            ExpData.StopColumn = s.stopColumn;
            LoadExpressionMatrixFile(s.file);
            POM_GEHM_View->setChecked(false);
            ExpData.ShowExpressionTrack = 0;
            POM_GEHM_ViewClick();
            POM_ExpMat_ShowExpToolClick();
            break;
        case CommandLineSwitch::AdjustExpressionMatrix:
            if (s.adjust == QLatin1String("meannormalisegenes")) HeatmapMeanNormalise(ExpData);
            if (s.adjust == QLatin1String("log2transform")) HeatmapLog2(ExpData);
            break;
        }
    }
}

void TfQuorbelView::AutoLoadIdeogram() {
    if (!Pref_CB_AutoLoad_Ideogram->isChecked()) return;
    std::string error;
    if (!ReadIdeogramFile(IdeogramFile.toStdString(), FeatureLists[1], GenomeLayout, IdeogramType,
                          &InfoLog, error)) {
        ShowMessage(this,
                    QStringLiteral("Could not load Ideogram data file\n\n") +
                        QString::fromStdString(error),
                    QStringLiteral("Kelv"), MsgIcon::Stop);
    }
}

void TfQuorbelView::File_ExitClick() {
    close();
}

void TfQuorbelView::Info_BB_ClearClick() {
    Info_Memo->clear();
}

void TfQuorbelView::Info_BB_CopyClick() {
    QGuiApplication::clipboard()->setText(Info_Memo->toPlainText());
    Beep();
}

// The main window's components, menus and tool bar.
#include "mainwindow.h"

#include "menuitems.h"
#include "records.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

void TfQuorbelView::CreateComponents() {
    PageControl = new QTabWidget(this);
    setCentralWidget(PageControl);

    TS_MapView = new QWidget;
    MapView_Panel_Map = new QWidget(TS_MapView);
    MapView_Panel_Map->setObjectName(QStringLiteral("MapView_Panel_Map"));
    MapView_Panel_Map->setAutoFillBackground(true);
    MapView_PB1 = new MapPaintBox(MapView_Panel_Map);
    MapView_PB1->setObjectName(QStringLiteral("MapView_PB1"));
    MapView_SB_H = new QScrollBar(Qt::Horizontal, TS_MapView);
    MapView_SB_H->setRange(0, 10000);
    MapView_SB_V = new QScrollBar(Qt::Vertical, TS_MapView);
    MapView_SB_V->setRange(0, 2000000000);
    Panel_CGHNames = new QLabel(MapView_Panel_Map);
    Panel_CGHNames->setObjectName(QStringLiteral("Panel_CGHNames"));
    Panel_CGHNames->hide();
    Panel_Colourbar = new QWidget(MapView_Panel_Map);
    Panel_Colourbar->setObjectName(QStringLiteral("Panel_Colourbar"));
    Panel_Colourbar->hide();
    auto* mapLayout = new QVBoxLayout(MapView_Panel_Map);
    mapLayout->setContentsMargins(0, 0, 0, 0);
    mapLayout->addWidget(MapView_PB1);
    auto* grid = new QGridLayout(TS_MapView);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    grid->addWidget(MapView_Panel_Map, 0, 0);
    grid->addWidget(MapView_SB_V, 0, 1);
    grid->addWidget(MapView_SB_H, 1, 0);
    PageControl->addTab(TS_MapView, QStringLiteral("Map view"));

    TS_Info = new QWidget;
    Info_Memo = new QPlainTextEdit(TS_Info);
    Info_Memo->setObjectName(QStringLiteral("Info_Memo"));
    Info_Memo->setReadOnly(false);
    Info_Memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    Info_Memo->setFont(QFont(QStringLiteral("Monospace"), 9));
    Info_BB_Clear = new QPushButton(QStringLiteral("C&lear"), TS_Info);
    Info_BB_Copy = new QPushButton(QStringLiteral("&Copy"), TS_Info);
    auto* infoButtons = new QHBoxLayout;
    infoButtons->addWidget(Info_BB_Clear);
    infoButtons->addWidget(Info_BB_Copy);
    infoButtons->addStretch();
    auto* infoLayout = new QVBoxLayout(TS_Info);
    infoLayout->addWidget(Info_Memo);
    infoLayout->addLayout(infoButtons);
    PageControl->addTab(TS_Info, QStringLiteral("Info"));
    InfoLog = MemoLog(Info_Memo);
    connect(Info_BB_Clear, &QPushButton::clicked, this, [this] { Info_BB_ClearClick(); });
    connect(Info_BB_Copy, &QPushButton::clicked, this, [this] { Info_BB_CopyClick(); });

    TS_Preferences = new QWidget;
    Pref_CB_AutoLoad_Ideogram = new QCheckBox(QStringLiteral("Autoload ideogram"));
    Pref_CB_IdeogramFile = new QComboBox;
    Pref_CB_IdeogramFile->setEditable(true);
    Pref_BB_IdeogramSelect = new QPushButton(QStringLiteral("..."));
    Pref_CB_AutoLoad_GeneFeatures = new QCheckBox(QStringLiteral("Autoload gene features"));
    Pref_CB_AutoLoad_GeneFeatures->setChecked(true);
    Pref_CB_GeneFeatures = new QComboBox;
    Pref_CB_GeneFeatures->setEditable(true);
    Pref_BB_GeneFeaturesSelect = new QPushButton(QStringLiteral("..."));
    auto* ideogramRow = new QHBoxLayout;
    ideogramRow->addWidget(Pref_CB_IdeogramFile, 1);
    ideogramRow->addWidget(Pref_BB_IdeogramSelect);
    auto* geneRow = new QHBoxLayout;
    geneRow->addWidget(Pref_CB_GeneFeatures, 1);
    geneRow->addWidget(Pref_BB_GeneFeaturesSelect);
    auto* prefLayout = new QFormLayout(TS_Preferences);
    prefLayout->addRow(Pref_CB_AutoLoad_Ideogram);
    prefLayout->addRow(QStringLiteral("Ideogram data file"), ideogramRow);
    prefLayout->addRow(Pref_CB_AutoLoad_GeneFeatures);
    prefLayout->addRow(QStringLiteral("Gene features"), geneRow);
    PageControl->addTab(TS_Preferences, QStringLiteral("Preferences"));
}

void TfQuorbelView::CreateMenus() {
    File_Menu = menuBar()->addMenu(QStringLiteral("&File"));
    File_LoadCGHMatrix =
        AddItem(File_Menu, "File_LoadCGHMatrix", QStringLiteral("Load CGH matrix"));
    File_SaveCGHMatrix =
        AddItem(File_Menu, "File_SaveCGHMatrix", QStringLiteral("Save CGH matrix"));
    File_Menu->addSeparator();
    File_Exit = AddItem(File_Menu, "File_Exit", QStringLiteral("E&xit"));
    connect(File_Exit, &QAction::triggered, this, [this] { File_ExitClick(); });

    POM_Zoom = menuBar()->addMenu(QStringLiteral("&Zoom"));
    POM_Zoom->setObjectName(QStringLiteral("POM_Zoom"));
    const std::pair<const char*, int> zooms[] = {{"1x", 1},          {"10x", 10},
                                                 {"100x", 100},      {"1.000x", 1000},
                                                 {"10.000x", 10000}, {"100.000x", 100000}};
    for (const auto& [caption, tag] : zooms)
        AddItem(POM_Zoom, "POM_Zoom_Item", QLatin1String(caption), false, false, tag);

    POM_Ideogram = menuBar()->addMenu(QStringLiteral("&Ideogram"));
    POM_Ideogram->setObjectName(QStringLiteral("POM_Ideogram"));
    POM_Ideogram_View =
        AddItem(POM_Ideogram, "POM_Ideogram_View", QStringLiteral("&View"), true, true);
    POM_Ideogram_BandNames =
        AddItem(POM_Ideogram, "POM_Ideogram_BandNames", QStringLiteral("&Band names"), true, true);
    POM_Ideogram_Resolution = POM_Ideogram->addMenu(QStringLiteral("&Resolution"));
    POM_Ideogram_Resolution->setObjectName(QStringLiteral("POM_Ideogram_Resolution"));
    POM_IdeoGram_ResArms = AddItem(POM_Ideogram_Resolution, "POM_IdeoGram_ResArms",
                                   QStringLiteral("Chromosome &arms"), true, false, 2);
    POM_IdeoGram_ResRegions = AddItem(POM_Ideogram_Resolution, "POM_IdeoGram_ResRegions",
                                      QStringLiteral("Chromosome &regions"), true, false, 10);
    POM_IdeoGram_ResBands = AddItem(POM_Ideogram_Resolution, "POM_IdeoGram_ResBands",
                                    QStringLiteral("G-&Banding (200)"), true, false, 100);
    POM_IdeoGram_ResSubBands = AddItem(POM_Ideogram_Resolution, "POM_IdeoGram_ResSubBands",
                                       QStringLiteral("G-&Sub-Banding (450)"), true, true, 450);
    GSubSubBanding8001 = AddItem(POM_Ideogram_Resolution, "GSubSubBanding8001",
                                 QStringLiteral("G-Sub-Sub-Banding(&800)"), true, false, 800);
    POM_Ideogram_ViewSingleChr =
        AddItem(POM_Ideogram, "POM_Ideogram_ViewSingleChr", QStringLiteral("Select &chromosomes"));
    POM_Ideogram_ColouredChromosomes = AddItem(POM_Ideogram, "POM_Ideogram_ColouredChromosomes",
                                               QStringLiteral("Coloured chromosomes"));
    POM_Ideogram_ColouredChromosomes->setVisible(false);

    POM_Genes = menuBar()->addMenu(QStringLiteral("&Genes"));
    POM_Genes->setObjectName(QStringLiteral("POM_Genes"));
    POM_Genes_View = AddItem(POM_Genes, "POM_Genes_View", QStringLiteral("&View"), true, false);
    POM_Genes_GeneNames =
        AddItem(POM_Genes, "POM_Genes_GeneNames", QStringLiteral("Gene &names"), true, false);
    POM_Genes->addSeparator();
    const char* kinds[] = {"Gene", "RNA", "CDS", "UTR", "Pseudo"};
    for (int k = 1; k <= 5; ++k)
        POM_Gene[k] = AddItem(POM_Genes, "POM_Gene", QLatin1String(kinds[k - 1]), true, k == 1, k);

    POM_CGH = menuBar()->addMenu(QStringLiteral("&CGH"));
    POM_CGH->setObjectName(QStringLiteral("POM_CGH"));
    POM_CGH_View = AddItem(POM_CGH, "POM_CGH_View", QStringLiteral("&View"), true, false);
    POM_CGH_View->setShortcut(QKeySequence(QStringLiteral("Ctrl+C")));
    POM_CGH_Tool = AddItem(POM_CGH, "POM_CGH_Tool", QStringLiteral("Show CGH t&ool"));
    POM_CGH_Tool->setShortcut(QKeySequence(QStringLiteral("Ctrl+T")));
    POM_CGH_DataType = POM_CGH->addMenu(QStringLiteral("Data type"));
    POM_CGH_DataType_Raw =
        AddItem(POM_CGH_DataType, "POM_CGH_DataType_Raw", QStringLiteral("&Raw"), true, true, 1);
    POM_CGH_DataType_Processed = AddItem(POM_CGH_DataType, "POM_CGH_DataType_Processed",
                                         QStringLiteral("&Processed"), true, false, 2);
    POM_CGH->addSeparator();
    POM_CGH_LoadCGHmatrix =
        AddItem(POM_CGH, "POM_CGH_LoadCGHmatrix", QStringLiteral("Load CGH matrix"));
    for (int k = 1; k <= kRecentFiles; ++k) {
        POM_CGH_Recent[k] = AddItem(POM_CGH, "POM_CGH_Recent", QString(), false, false, k);
        POM_CGH_Recent[k]->setVisible(false);
    }

    POM_GEHM = menuBar()->addMenu(QStringLiteral("&Expression"));
    POM_GEHM->setObjectName(QStringLiteral("POM_GEHM"));
    POM_GEHM_View = AddItem(POM_GEHM, "POM_GEHM_View", QStringLiteral("View"), true, false);
    POM_GEHM_LoadExpressionHybridisationData =
        AddItem(POM_GEHM, "POM_GEHM_LoadExpressionHybridisationData",
                QStringLiteral("Load expression hybridisation data"));
    POM_ExpMat_ShowExpTool =
        AddItem(POM_GEHM, "POM_ExpMat_ShowExpTool", QStringLiteral("Show Expression tool"));
    for (int k = 1; k <= kRecentFiles; ++k) {
        POM_GEHM_RecentFiles[k] =
            AddItem(POM_GEHM, "POM_GEHM_RecentFiles", QString(), false, false, k);
        POM_GEHM_RecentFiles[k]->setVisible(false);
    }
}

void TfQuorbelView::CreateToolBar() {
    ToolBar1 = addToolBar(QStringLiteral("Map"));
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    TB_ZoomIn = ToolBar1->addAction(QStringLiteral("Zoom in"));
    TB_ZoomIn->setObjectName(QStringLiteral("TB_ZoomIn"));
    TB_ZoomOut = ToolBar1->addAction(QStringLiteral("Zoom out"));
    TB_ZoomOut->setObjectName(QStringLiteral("TB_ZoomOut"));
    TB_SetOrientation = ToolBar1->addAction(QStringLiteral("Orientation"));
    TB_SetOrientation->setObjectName(QStringLiteral("TB_SetOrientation"));
    TB_SetOrientation->setData(1);
    TB1_CNum_Edit = new QLineEdit(QStringLiteral("all"));
    TB1_CNum_Edit->setObjectName(QStringLiteral("TB1_CNum_Edit"));
    TB1_CNum_Edit->setMaximumWidth(40);
    ToolBar1->addWidget(TB1_CNum_Edit);
    UpDown1_Up = new QToolButton;
    UpDown1_Up->setArrowType(Qt::UpArrow);
    UpDown1_Down = new QToolButton;
    UpDown1_Down->setArrowType(Qt::DownArrow);
    ToolBar1->addWidget(UpDown1_Up);
    ToolBar1->addWidget(UpDown1_Down);
    ToolBar1->addSeparator();
    const auto tool = [this](const char* name, const QString& caption) {
        QAction* a = ToolBar1->addAction(caption);
        a->setObjectName(QLatin1String(name));
        return a;
    };
    TB_Ideogram = tool("TB_Ideogram", QStringLiteral("Ideogram"));
    TB_Genes = tool("TB_Genes", QStringLiteral("Genes"));
    TB_CGH = tool("TB_CGH", QStringLiteral("CGH"));
    TB_GEMat = tool("TB_GEMat", QStringLiteral("GE-Mat"));
    ToolBar1->addSeparator();
    TB_Refresh = tool("TB_Refresh", QStringLiteral("Refresh"));
    TB_Capture = tool("TB_Capture", QStringLiteral("Capture"));
    TB_DetailView = tool("TB_DetailView", QStringLiteral("Detail"));
}

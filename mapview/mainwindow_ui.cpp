// The main window's components, menus and tool bar.
#include "mainwindow.h"

#include "records.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
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
    Panel_Colourbar = new QWidget(MapView_Panel_Map);
    Panel_Colourbar->setObjectName(QStringLiteral("Panel_Colourbar"));
    Panel_Colourbar->setGeometry(20, 20, 320, 52);
    Panel_Colourbar->hide();
    PB_Colourbar = new MapPaintBox(Panel_Colourbar, 0);
    PB_Colourbar->setObjectName(QStringLiteral("PB_Colourbar"));
    auto* barLayout = new QVBoxLayout(Panel_Colourbar);
    barLayout->setContentsMargins(0, 0, 0, 0);
    barLayout->addWidget(PB_Colourbar);
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

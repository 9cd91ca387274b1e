// The 3D plot's menus and tool bar.
#include "scat3d.h"

#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

namespace {
template <typename F> QAction* Item(QMenu* menu, const QString& text, QObject* context, F f) {
    QAction* a = menu->addAction(text);
    QObject::connect(a, &QAction::triggered, context, f);
    return a;
}
} // namespace

void TScatPlot_3D::BuildMenus() {
    QMenuBar* bar = menuBar();
    QMenu* file = bar->addMenu(QStringLiteral("&File"));
    QMenu* single = file->addMenu(QStringLiteral("&Load single series"));
    for (int k = 1; k <= kDimensions; ++k)
        Item(single, QStringLiteral("Load series &%1").arg(k), this,
             [this, k] { LoadSingleSeries(k, QString()); });
    Item(file, QStringLiteral("Load 6 series"), this, [this] { Load6SeriesClick(); });
    QMenu* import = file->addMenu(QStringLiteral("&Import"));
    Item(import, QStringLiteral("&FCS 2.0"), this, [this] { ImportFCSClick(); });
    file->addSeparator();
    Item(file, QStringLiteral("Print set&up"), this, [this] { PrintSetupClick(); });
    Item(file, QStringLiteral("&Print"), this, [this] { PrintClick(); });
    file->addSeparator();
    Item(file, QStringLiteral("E&xit"), this, [this] { close(); });

    QMenu* edit = bar->addMenu(QStringLiteral("&Edit"));
    QMenu* paste = edit->addMenu(QStringLiteral("&Paste series"));
    const QString pasteNames[kDimensions] = {
        QStringLiteral("&X-Axes"),       QStringLiteral("&Y-axes"),
        QStringLiteral("&Z-axes"),       QStringLiteral("Marker &size"),
        QStringLiteral("Marker &color"), QStringLiteral("Marker s&ymbol")};
    for (int k = 1; k <= kDimensions; ++k)
        Item(paste, pasteNames[k - 1], this, [this, k] {
            PasteSeries(k);
            RedrawAllPlots();
        });
    Item(paste, QStringLiteral("A&ll 6 (tab separated)"), this, [this] { PasteAllSixClick(); });
    Item(edit, QStringLiteral("Copy &image"), this, [this] { Edit_CopyImageClick(); });
    Item(edit, QStringLiteral("Save Image as &JPEG"), this, [this] { SaveJpegClick(); });

    QMenu* db = bar->addMenu(QStringLiteral("DB access"));
    db->addAction(QStringLiteral("&Connect"));
    for (const QString& text : {QStringLiteral("Getdata"), QStringLiteral("Append data &rows"),
                                QStringLiteral("Append data &columns")})
        Item(db, text, this, [this] { RedrawAllPlots(); });

    connect(bar->addAction(QStringLiteral("&Controles")), &QAction::triggered, this,
            [this] { ControlesClick(); });
    connect(bar->addAction(QStringLiteral("New &Window")), &QAction::triggered, this,
            [this] { NewWindowClick(); });

    QMenu* colours = bar->addMenu(QStringLiteral("View"))->addMenu(QStringLiteral("&Colors"));
    View_AsData = Item(colours, QStringLiteral("As data"), this, [this] { ColourModeClick(1); });
    View_AsGate = Item(colours, QStringLiteral("As &gate"), this, [this] { ColourModeClick(2); });
    View_AsData->setCheckable(true);
    View_AsGate->setCheckable(true);
    View_AsData->setChecked(true);

    QMenu* demo = bar->addMenu(QStringLiteral("Utilities"))->addMenu(QStringLiteral("&Demo data"));
    Item(demo, QStringLiteral("Positive random data"), this, [this] { PositiveRandomDataClick(); });

    QMenu* prefColour =
        bar->addMenu(QStringLiteral("Preferences"))->addMenu(QStringLiteral("&Color"));
    Item(prefColour, QStringLiteral("&Background"), this, [this] { Pref_BackgroundClick(); });
    Item(prefColour, QStringLiteral("&Axes"), this, [this] { Pref_AxesClick(); });
    QMenu* data = prefColour->addMenu(QStringLiteral("&Data"));
    Item(data, QStringLiteral("&Black"), this, [this] { Pref_ColorDataClick(1); });
    Item(data, QStringLiteral("&White"), this, [this] { Pref_ColorDataClick(2); });

    QMenu* help = bar->addMenu(QStringLiteral("Help"));
    Item(help, QStringLiteral("&Info"), this, [this] { InfoClick(); });
    help->addAction(QStringLiteral("&History"));

    POM_Gate = new QMenu(this);
    POM_Gate_[0] = Item(POM_Gate, QStringLiteral("None"), this, [this] { POM_GateClick(0); });
    for (int g = 1; g <= 10; ++g) {
        POM_Gate_[g] = Item(POM_Gate, QString::number(g), this, [this, g] { POM_GateClick(g); });
        POM_Gate_[g]->setCheckable(true);
    }
}

void TScatPlot_3D::BuildToolBar() {
    ToolBar1 = addToolBar(QStringLiteral("ToolBar1"));
    ToolBar1->setMovable(false);
    const auto button = [this](const QString& text, const QString& hint, auto f) {
        QAction* a = ToolBar1->addAction(text);
        a->setToolTip(hint);
        connect(a, &QAction::triggered, this, f);
        return a;
    };
    ToolButton6 = button(QStringLiteral("Top"), QStringLiteral("Keep window on top / normal"),
                         [this] { ToolButton6Click(); });
    ToolButton6->setCheckable(true);
    TB_ZoomIn =
        button(QStringLiteral("+"), QStringLiteral("Zoom in (F7)"), [this] { TB_ZoomInClick(); });
    TB_ZoomOut =
        button(QStringLiteral("-"), QStringLiteral("Zoom out (F8)"), [this] { TB_ZoomOutClick(); });
    const QString axes[3] = {QStringLiteral("X"), QStringLiteral("Y"), QStringLiteral("Z")};
    for (int a = 0; a < 3; ++a) {
        TB_Rot_CC[a] = button(axes[a] + QStringLiteral("\u21ba"),
                              QStringLiteral("Rotate counter-clockwise about ") + axes[a],
                              [this, a] { TB_RotClick(a, -5); });
        TB_Rot_CW[a] = button(axes[a] + QStringLiteral("\u21bb"),
                              QStringLiteral("Rotate clockwise about ") + axes[a],
                              [this, a] { TB_RotClick(a, 5); });
    }
    TB_TildeZUp = button(QStringLiteral("~\u2191"), QStringLiteral("Tilde up"),
                         [this] { TB_TildeZUpClick(); });
    TB_TildeZDown = button(QStringLiteral("~\u2193"), QStringLiteral("Tilde down"),
                           [this] { TB_TildeZDownClick(); });
    TB_MoveLeft = button(QStringLiteral("\u2190"), QStringLiteral("Move left"),
                         [this] { TB_MoveClick(-10, 0); });
    TB_MoveRight = button(QStringLiteral("\u2192"), QStringLiteral("Move right"),
                          [this] { TB_MoveClick(10, 0); });
    TB_MoveUp = button(QStringLiteral("\u2191"), QStringLiteral("Move up"),
                       [this] { TB_MoveClick(0, -10); });
    TB_MoveDown = button(QStringLiteral("\u2193"), QStringLiteral("Move down"),
                         [this] { TB_MoveClick(0, 10); });
    TB_PlaneXZ = button(QStringLiteral("XZ"), QStringLiteral("Grid in the X-Z plane"),
                        [this] { TB_PlaneClick(); });
    TB_PlaneXY = button(QStringLiteral("XY"), QStringLiteral("Grid in the X-Y plane"),
                        [this] { TB_PlaneClick(); });
    TB_PlaneZY = button(QStringLiteral("ZY"), QStringLiteral("Grid in the Z-Y plane"),
                        [this] { TB_PlaneClick(); });
    for (QAction* a : {TB_PlaneXZ, TB_PlaneXY, TB_PlaneZY}) a->setCheckable(true);
    TB_Gate =
        button(QStringLiteral("Gate"), QStringLiteral("Gates shown"), [this] { TB_GateClick(); });
    ToolButton9 = button(QStringLiteral("Centre"),
                         QStringLiteral("Rotate graph around data cloud center / origin"),
                         [this] { ToolButton9Click(); });
    ToolButton9->setCheckable(true);
    TB_3DPlot = button(QStringLiteral("3D"), QStringLiteral("3D view / flat X-Y view"),
                       [this] { TB_3DPlotClick(); });
    TB_3DPlot->setCheckable(true);
    TB_3DPlot->setChecked(true);
    ToolButton11 = button(QStringLiteral("Copy"), QStringLiteral("Copy image"),
                          [this] { Edit_CopyImageClick(); });
}

// The main window's menus, every item made here in the order the menus show them; the command
// files connect the items to their handlers.
#include "mainwindow.h"

#include "menuitems.h"
#include "records.h"

#include <QMenuBar>

namespace {
// Hidden items 1..N - 1 that a recent-file list or history fills, captioned `prefix` + k until
// then.
template <size_t N>
void AddRecentItems(QMenu* menu, const char* name, std::array<QAction*, N>& items,
                    const QString& prefix = QString()) {
    for (size_t k = 1; k < N; ++k) {
        items[k] = AddItem(menu, name, prefix.isEmpty() ? QString() : prefix + QString::number(k));
        items[k]->setData(QString());
        items[k]->setVisible(false);
    }
}
} // namespace

void TfQuorbelView::CreateMenus() {
    QMenuBar* bar = menuBar();
    File_Menu = SubMenu(bar, "File_Menu", QStringLiteral("&File"));
    Loadhybridisationdata1 = AddItem(File_Menu, "Loadhybridisationdata1",
                                     QStringLiteral("Load &CGH-hybridisation data"));
    LoadCGHExpressionMatrix =
        AddItem(File_Menu, "LoadCGHExpressionMatrix", QStringLiteral("Load CGH-Expression matrix"));
    LoadExpressionhybridisationdata1 =
        AddItem(File_Menu, "LoadExpressionhybridisationdata1",
                QStringLiteral("Load Expression-hybridisation data"));
    File_Menu->addSeparator();
    File_LoadCGHMatrix =
        AddItem(File_Menu, "File_LoadCGHMatrix", QStringLiteral("Load CGH-matrix"));
    File_SaveCGHMatrix =
        AddItem(File_Menu, "File_SaveCGHMatrix", QStringLiteral("Save CGH-matrix"));
    File_Menu->addSeparator();
    File_Exit = AddItem(File_Menu, "File_Exit", QStringLiteral("E&xit"));

    POM_Zoom = SubMenu(bar, "POM_Zoom", QStringLiteral("&Zoom"));
    const std::pair<const char*, int> zooms[] = {{"1x", 1},          {"10x", 10},
                                                 {"100x", 100},      {"1.000x", 1000},
                                                 {"10.000x", 10000}, {"100.000x", 100000}};
    for (const auto& [caption, tag] : zooms)
        AddItem(POM_Zoom, "POM_Zoom_Item", QLatin1String(caption), false, false, tag);

    POM_Ideogram = SubMenu(bar, "POM_Ideogram", QStringLiteral("&Ideogram"));
    POM_Ideogram_View =
        AddItem(POM_Ideogram, "POM_Ideogram_View", QStringLiteral("&View"), true, true);
    POM_Ideogram_BandNames =
        AddItem(POM_Ideogram, "POM_Ideogram_BandNames", QStringLiteral("&Band names"), true, true);
    POM_Ideogram_Resolution =
        SubMenu(POM_Ideogram, "POM_Ideogram_Resolution", QStringLiteral("&Resolution"));
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
    QMenu* coloured = SubMenu(POM_Ideogram, "POM_Ideogram_ColouredChromosomes",
                              QStringLiteral("&Coloured chromosomes"));
    POM_Ideogram_ColouredChromosomes = coloured->menuAction();
    POM_Ideogram_ColouredChromosomes->setVisible(false);
    POM_Ideogram_SavePattern =
        AddItem(coloured, "POM_Ideogram_SavePattern", QStringLiteral("&Save pattern"));
    POM_Ideogram_LoadPattern =
        AddItem(coloured, "POM_Ideogram_LoadPattern", QStringLiteral("&Load pattern"));
    POM_Ideogram_DataRange =
        AddItem(coloured, "POM_Ideogram_DataRange", QStringLiteral("Data &range"));
    POM_Ideogram_Palette =
        SubMenu(coloured, "POM_Ideogram_Palette", QStringLiteral("Colour &palette"));
    POM_Ideogram_PalCol[1] = AddItem(POM_Ideogram_Palette, "POM_Ideogram_PalCol",
                                     QStringLiteral("White->&Red"), true, false, 1);
    POM_Ideogram_PalCol[2] = AddItem(POM_Ideogram_Palette, "POM_Ideogram_PalCol",
                                     QStringLiteral("&Spectrum"), true, false, 2);
    POM_Ideogram_Log = AddItem(coloured, "POM_Ideogram_Log", QStringLiteral("&Log"), true, true);
    POM_Ideogram_Log->setEnabled(false);

    POM_Genes = SubMenu(bar, "POM_Genes", QStringLiteral("&Genes"));
    POM_Genes_View = AddItem(POM_Genes, "POM_Genes_View", QStringLiteral("&View"), true, false);
    POM_Genes_View->setShortcut(QKeySequence(QStringLiteral("Ctrl+G")));
    POM_Genes_GeneNames =
        AddItem(POM_Genes, "POM_Genes_GeneNames", QStringLiteral("Gene &names"), true, false);
    POM_Genes->addSeparator();
    const char* kinds[] = {"&Gene", "&RNA", "&Coding sequence (CDS)", "&Untranslated regions (UTR)",
                           "&Pseudo genes"};
    for (int k = 1; k <= 5; ++k)
        POM_Gene[k] = AddItem(POM_Genes, "POM_Gene", QLatin1String(kinds[k - 1]), true, k == 1, k);
    POM_Genes->addSeparator();
    POM_Genes_Find = AddItem(POM_Genes, "POM_Genes_Find", QStringLiteral("&Find"));
    POM_Genes_Find->setShortcut(QKeySequence(QStringLiteral("Ctrl+F")));

    POM_CGH = SubMenu(bar, "POM_CGH", QStringLiteral("&CGH"));
    POM_CGH_View = AddItem(POM_CGH, "POM_CGH_View", QStringLiteral("&View"), true, false);
    POM_CGH_View->setShortcut(QKeySequence(QStringLiteral("Ctrl+C")));
    POM_CGH_Tool = AddItem(POM_CGH, "POM_CGH_Tool", QStringLiteral("Show CGH t&ool"));
    POM_CGH_Tool->setShortcut(QKeySequence(QStringLiteral("Ctrl+T")));
    POM_CGH_DataType = SubMenu(POM_CGH, "POM_CGH_DataType", QStringLiteral("Data type"));
    POM_CGH_DataType_Raw =
        AddItem(POM_CGH_DataType, "POM_CGH_DataType_Raw", QStringLiteral("&Raw"), true, true, 1);
    POM_CGH_DataType_Processed = AddItem(POM_CGH_DataType, "POM_CGH_DataType_Processed",
                                         QStringLiteral("&Processed"), true, false, 2);
    POM_CGH_Process = SubMenu(POM_CGH, "POM_CGH_Process", QStringLiteral("&Process"));
    POM_CGH_Process_zTransformHyns = AddItem(POM_CGH_Process, "POM_CGH_Process_zTransformHyns",
                                             QStringLiteral("z-transform hybridisations"));
    POM_CGH_Process_zTransformHyns->setShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+Z")));
    POM_CGH_Process_zTransformOligos = AddItem(POM_CGH_Process, "POM_CGH_Process_zTransformOligos",
                                               QStringLiteral("z-transform oligos"));
    POM_CGH_Process_RestoreRawValues = AddItem(POM_CGH_Process, "POM_CGH_Process_RestoreRawValues",
                                               QStringLiteral("&Restore raw values"));
    POM_CGH_Process_Smooth =
        SubMenu(POM_CGH_Process, "POM_CGH_Process_Smooth", QStringLiteral("&Smooth"));
    const std::pair<const char*, int> widths[] = {{"&2", 2}, {"&3", 3},  {"&5", 5},  {"&7", 7},
                                                  {"&9", 9}, {"15", 15}, {"21", 21}, {"35", 35}};
    for (const auto& [caption, width] : widths)
        AddItem(POM_CGH_Process_Smooth, "POM_CGH_Process_SmoothItem", QLatin1String(caption), false,
                false, width);
    POM_CGH_Process_Smooth_Custom =
        AddItem(POM_CGH_Process_Smooth, "POM_CGH_Process_Smooth_Custom", QStringLiteral("&Custom"));
    POM_CGH_GroupTesting =
        SubMenu(POM_CGH, "POM_CGH_GroupTesting", QStringLiteral("&Group testing"));
    POM_CGH_ClassTests = AddItem(POM_CGH_GroupTesting, "POM_CGH_ClassTests",
                                 QStringLiteral("&Class tests"), false, false, 0);
    Anal_Stat_CGH_RegulationTest = AddItem(POM_CGH_GroupTesting, "Anal_Stat_CGH_RegulationTest",
                                           QStringLiteral("&Regulation"));
    POM_CGH_SetAlpha = AddItem(POM_CGH_GroupTesting, "POM_CGH_SetAlpha",
                               QStringLiteral("Set &alpha"), false, false, 1);
    Listfilter1 = AddItem(POM_CGH_GroupTesting, "Listfilter1", QStringLiteral("List filter"));
    POM_CGH_Import = SubMenu(POM_CGH, "POM_CGH_Import", QStringLiteral("&Import"));
    POM_CGH_PellaurisDSBdata1 =
        AddItem(POM_CGH_Import, "POM_CGH_PellaurisDSBdata1", QStringLiteral("Pellauri's DSB data"));
    POM_CGH_HybridisationAnnotation = SubMenu(POM_CGH, "POM_CGH_HybridisationAnnotation",
                                              QStringLiteral("&Hybridisation annotation"));
    POM_CGH_AnnotateHybridisations =
        AddItem(POM_CGH_HybridisationAnnotation, "POM_CGH_AnnotateHybridisations",
                QStringLiteral("&Annotate hybridisations"));
    POM_CGH_SelectAnnotaionsToView =
        AddItem(POM_CGH_HybridisationAnnotation, "POM_CGH_SelectAnnotaionsToView",
                QStringLiteral("&Select annotations to view"));
    Colora1 = AddItem(POM_CGH, "Colora1", QStringLiteral("&Colors"));
    POM_CGH_Grouping = SubMenu(POM_CGH, "POM_CGH_Grouping", QStringLiteral("Grouping"));
    POM_CGH_Grouping_Save =
        AddItem(POM_CGH_Grouping, "POM_CGH_Grouping_Save", QStringLiteral("&Save"));
    POM_CGH_Grouping_Load =
        AddItem(POM_CGH_Grouping, "POM_CGH_Grouping_Load", QStringLiteral("&Load"));
    AddRecentItems(POM_CGH_Grouping, "POM_CGH_Grouping_F", POM_CGH_Grouping_F, QStringLiteral("f"));
    POM_CGH->addSeparator();
    POM_CGH_LoadCGHmatrix =
        AddItem(POM_CGH, "POM_CGH_LoadCGHmatrix", QStringLiteral("&Load CGH-matrix"));
    AddRecentItems(POM_CGH, "POM_CGH_Recent", POM_CGH_Recent);

    POM_GEHM = SubMenu(bar, "POM_GEHM", QStringLiteral("&Expression"));
    POM_GEHM_View = AddItem(POM_GEHM, "POM_GEHM_View", QStringLiteral("View"), true, false);
    POM_GEHM_LoadExpressionHybridisationData =
        AddItem(POM_GEHM, "POM_GEHM_LoadExpressionHybridisationData",
                QStringLiteral("Load expression hybridisation data"));
    POM_ExpMat_ShowExpTool =
        AddItem(POM_GEHM, "POM_ExpMat_ShowExpTool", QStringLiteral("Show Expression tool"));
    POM_GEHM_MeanNormalise =
        AddItem(POM_GEHM, "POM_GEHM_MeanNormalise", QStringLiteral("Mean normalise + Log2"));
    POM_GEHM_Log2Transform =
        AddItem(POM_GEHM, "POM_GEHM_Log2Transform", QStringLiteral("Log2 transform"));
    POM_GEHM_ScalingRange =
        AddItem(POM_GEHM, "POM_GEHM_ScalingRange", QStringLiteral("Scaling range"));
    POM_GEHM_GeneGroupSelection =
        AddItem(POM_GEHM, "POM_GEHM_GeneGroupSelection", QStringLiteral("Gene / group &selection"),
                false, false, 1);
    POM_GEHM_GroupTesting = AddItem(POM_GEHM, "POM_GEHM_GroupTesting",
                                    QStringLiteral("&Group testing"), false, false, 2);
    POM_GEHM_SetAlpha =
        AddItem(POM_GEHM, "POM_GEHM_SetAlpha", QStringLiteral("Set &alpha"), false, false, 2);
    POM_GEHM->addSeparator();
    AddRecentItems(POM_GEHM, "POM_GEHM_RecentFiles", POM_GEHM_RecentFiles);

    Anal_Menu = SubMenu(bar, "Anal_Menu", QStringLiteral("&Analyse"));
    Anal_ZTansform = AddItem(Anal_Menu, "Anal_ZTansform", QStringLiteral("z-transform"));
    QMenu* statistics = SubMenu(Anal_Menu, "Anal_Stat", QStringLiteral("Statistics"));
    Anal_Stat_CGH_GroupTesting =
        AddItem(SubMenu(statistics, "Anal_Stat_CGH", QStringLiteral("CGH")),
                "Anal_Stat_CGH_GroupTesting", QStringLiteral("&Group testing"), false, false, 0);
    Anal_Stat_CGH_SetAlpha =
        AddItem(Anal_Menu, "Anal_Stat_CGH_SetAlpha", QStringLiteral("Set &alpha"), false, false, 1);

    QMenu* utilities = SubMenu(bar, "Utilities", QStringLiteral("&Utilities"));
    QMenu* tables = SubMenu(utilities, "Util_DataTables", QStringLiteral("Data tables"));
    QMenu* ideogram = SubMenu(tables, "Util_DT_Ideogram", QStringLiteral("Ideogram"));
    Util_DT_ID_Dump = SubMenu(ideogram, "Util_DT_ID_Dump", QStringLiteral("Dump"));
    QMenu* chromosomes =
        SubMenu(Util_DT_ID_Dump, "Util_DT_ID_Chromosomes", QStringLiteral("Chromosomes"));
    Util_DT_ID_Arms =
        AddItem(chromosomes, "Util_DT_ID_Arms", QStringLiteral("&Arms"), false, false, 2);
    Util_DT_ID_Bands =
        AddItem(chromosomes, "Util_DT_ID_Bands", QStringLiteral("Bands (450)"), false, false, 3);
    QMenu* files = SubMenu(utilities, "Util_DataFiles", QStringLiteral("Data files"));
    Util_DatFiles_Import_GeneList =
        AddItem(SubMenu(files, "Util_DatFiles_Import", QStringLiteral("Import")),
                "Util_DatFiles_Import_GeneList", QStringLiteral("&Gene list"));
    Util_DatFiles_Save_GeneList =
        AddItem(SubMenu(files, "Util_DatFiles_Save", QStringLiteral("Save")),
                "Util_DatFiles_Save_GeneList", QStringLiteral("&Gene list"));

    Utilities_RandomData =
        AddItem(utilities, "Utilities_RandomData", QStringLiteral("&Random data"));
    QMenu* demo = SubMenu(utilities, "Util_Demo", QStringLiteral("Demo data"));
    Util_Demo_ColouredChromosomes =
        AddItem(demo, "Util_Demo_ColouredChromosomes", QStringLiteral("&Coloured chromosomes"));

    Help_Menu = SubMenu(bar, "Help_Menu", QStringLiteral("&Help"));
    Help_Info = AddItem(Help_Menu, "Help_Info", QStringLiteral("&Info"));
    Help_UpdateQuorbel =
        AddItem(Help_Menu, "Help_UpdateQuorbel", QStringLiteral("&Update Quorbel"));
}

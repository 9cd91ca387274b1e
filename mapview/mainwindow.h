// The main window: the chromosome map on its "Map view" page, the Info page with the reports,
// the Preferences page, the menus and the tool bar. A second instance is the detail viewer.
#pragma once

#include "cghtrack.h"
#include "colours.h"
#include "filedialogrecord.h"
#include "historylist.h"
#include "mapgeometry.h"
#include "mappaintbox.h"
#include "maprenderkey.h"
#include "memolog.h"
#include "toolbus.h"

#include <QMainWindow>
#include <QPointer>
#include <QStringList>
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QScrollBar;
class QStatusBar;
class QTabWidget;
class QToolBar;
class QToolButton;
class TdChrSel_List;
class TdGroupSelector;
struct tStat;

// The form colour "clBtnFace" as the registry keeps it.
constexpr int clBtnFace = static_cast<int>(0xFF00000Fu);

class TfQuorbelView : public QMainWindow, public ToolMessageTarget {
    Q_OBJECT
  public:
    explicit TfQuorbelView(QWidget* parent = nullptr);
    ~TfQuorbelView() override;

    void SetCommandLine(const QStringList& args) { commandLine_ = args; }
    intptr_t ToolMessage(int code, intptr_t arg) override;

    // Window events, callable by tests.
    void FormCreate();
    void FormShow();
    void FormActivate();
    void FormClose();

    // Carries out one tool command (message 40000) and repaints the map when it says so.
    void WMToolCommand(int code, int arg);
    // False, with a word in the status bar, while long work on the loaded data runs: every
    // command that reaches the window (items, keys, drops, tool messages) asks here first.
    bool MayStartCommand();
    // Repaints the map, and the colour bar over it, at once when they are visible; the other
    // instance (main window or detail viewer) follows when the data it shows have changed.
    void RepaintMap();

    // What a load changed: the CGH data set replaced, hybridisations added in free slots, or the
    // expression matrix replaced.
    enum class LoadedData { CGHDataSet, Hybridisations, Expression };
    // Every load that changed the data ends here: what was computed from the data it replaced
    // (the test results, the alpha, what the test slot holds) is dropped, and the open view tools
    // and p-value histograms show what is loaded now.
    void DataLoaded(LoadedData kind);
    // Held for the length of a load: when the data changed meanwhile, DataLoaded runs as it
    // ends (also after a failure that had already cleared the old data).
    class LoadScope {
      public:
        LoadScope(TfQuorbelView& window, LoadedData kind);
        ~LoadScope();
        LoadScope(const LoadScope&) = delete;
        LoadScope& operator=(const LoadScope&) = delete;

      private:
        TfQuorbelView& window_;
        LoadedData kind_;
        uint64_t version_;
    };

    // Loads a CGH matrix file as the new data set, reporting to the Info page; false (and a
    // message) when the file could not be loaded.
    bool LoadCGHMatrixFile(const QString& fileName);
    // Loads an expression matrix with ExpData's reader settings; false when it failed.
    bool LoadExpressionMatrixFile(const QString& fileName);
    // Loads the files dropped on the window (feature-extraction files or one CGH matrix).
    void FilesDropped(const QStringList& names);

    // Track switches.
    void POM_CGH_ViewClick();
    void TB_CGHClick();
    void POM_CGH_DataType_Click(int tag);
    void POM_Genes_ViewClick();
    void TB_GenesClick();
    void POM_Gene_Click(int tag);
    void POM_Genes_GeneNamesClick();
    void POM_GEHM_ViewClick();
    void TB_GEMatClick();

    // Gene search, keys and wheel, the mouse read-out, the detail viewer and the capture of the
    // map (mainwindow_interact.cpp).
    void POM_Genes_FindClick();
    // Keys of the whole window, whatever has the focus; true when the key was taken.
    bool FormKeyDown(int key, Qt::KeyboardModifiers shift);
    void FormMouseWheel(int delta);
    // (x, y) in the paint box; sets the Mouse... fields and the status bar, never renders.
    void MapView_PB1MouseMove(int x, int y);
    void MapView_PB1DblClick();
    void TB_DetailViewClick();
    void TB_CaptureClick();
    int MouseBasePair = 0;
    int MouseChromosome = 0; // the painted chromosome under the mouse, 0 outside them all
    QString MouseText;
    // The gene database's search address for a text under the mouse.
    static QString GeneDatabaseSearch(const QString& text);
    // Takes the gene database address edited since the last call when it is an http(s) one
    // (empty: the default); another is refused with a message and the edit shows the one kept.
    void Pref_ED_GeneDatabaseExit();

    // The ideogram file choice, the about box and the update (mainwindow_help.cpp).
    void Pref_BB_IdeogramSelectClick();
    void Help_InfoClick();
    void Help_UpdateQuorbelClick();
    QString UpdateSiteAddress; // base address of the distribution site; empty: none
    QString ProgramFile;       // the running program's own path

    // The view tools (mainwindow_tools.cpp); each command does nothing while its tool is open.
    void POM_CGH_ToolClick();
    void POM_ExpMat_ShowExpToolClick();
    QPointer<TdGroupSelector> CGHTool;
    QPointer<TdGroupSelector> ExpressionTool;

    // Data-file commands and the recent files (mainwindow_files.cpp).
    void Loadhybridisationdata1Click();
    void LoadCGHExpressionMatrixClick();
    void File_SaveCGHMatrixClick();
    void File_LoadCGHMatrixClick();
    void LoadExpressionhybridisationdata1Click();
    void Util_DatFiles_Import_GeneListClick();
    void Util_DatFiles_Save_GeneListClick();
    // The clicked item's data holds its entry.
    void POM_CGH_RecentClick(QAction* item);
    void POM_GEHM_RecentFilesClick(QAction* item);
    // Each command sets title, filter and name before asking; the rest stays as the last left it.
    tFileDialog OpenDialog;
    tFileDialog SaveDialog{FileDialogKind::Save};

    // Analysis commands (mainwindow_process.cpp).
    void POM_CGH_Process_zTransformHynsClick();
    void POM_CGH_Process_zTransformOligosClick();
    void POM_CGH_Process_RestoreRawValuesClick();
    void POM_CGH_Process_SmoothClick(int tag);
    void POM_CGH_Process_Smooth_CustomClick();
    void Anal_ZTansformClick();
    void POM_GEHM_MeanNormaliseClick();
    void POM_GEHM_Log2TransformClick();
    void POM_GEHM_ScalingRangeClick();
    void Anal_Stat_CGH_RegulationTestClick();
    void TB_RefreshClick();

    // DSB import, list filter, random and demonstration data (mainwindow_import.cpp).
    void POM_CGH_PellaurisDSBdata1Click();
    void Listfilter1Click();
    void Utilities_RandomDataClick();
    void Util_Demo_ColouredChromosomesClick();
    // The list filter over `lines` (emptied from the front), reported to the Info page.
    void RunListFilter(std::vector<std::string>& lines);

    // The group tests and the p-value histogram (mainwindow_grouptests.cpp). The tests act only
    // on OK; a grouping the test refuses is reported and changes nothing.
    void Anal_Stat_CGH_GroupTestingClick();
    // Tag 1 "Gene / group selection", Tag 2 "Group testing": the histogram opened afterwards.
    void POM_GEHM_GroupTestingClick(int tag);
    // Tag 1 the CGH statistics, Tag 2 the expression statistics.
    void Anal_Stat_CGH_SetAlphaClick(int tag);
    QAction* Anal_Stat_CGH_GroupTesting = nullptr;
    QAction* Anal_Stat_CGH_SetAlpha = nullptr; // Tag 1
    QAction* POM_CGH_ClassTests = nullptr;
    QAction* POM_CGH_SetAlpha = nullptr;            // Tag 1
    QAction* POM_GEHM_GeneGroupSelection = nullptr; // Tag 1
    QAction* POM_GEHM_GroupTesting = nullptr;       // Tag 2
    QAction* POM_GEHM_SetAlpha = nullptr;           // Tag 2

    // Hybridisation annotation, colours and grouping files (mainwindow_annotation.cpp).
    void POM_CGH_AnnotateHybridisationsClick();
    void POM_CGH_SelectAnnotaionsToViewClick();
    void Colora1Click();
    void POM_CGH_Grouping_SaveClick();
    void POM_CGH_Grouping_LoadClick();
    // The clicked history item's data holds its file.
    void POM_CGH_Grouping_F1Click(QAction* item);
    // Shows the grouping of a file; false (after a message, nothing changed) when it cannot be
    // read.
    bool ReadCGHGroupingFile(const QString& fileName);
    // Enters a grouping file into the history ("||||" enters nothing), then shows entries 1..9.
    void UpdateGroupingHistoryMenu(const QString& fileName);

    // Coloured chromosomes: band patterns, data range, palette and the colour bar
    // (mainwindow_pattern.cpp).
    void POM_Ideogram_SavePatternClick();
    void POM_Ideogram_LoadPatternClick();
    void POM_Ideogram_DataRangeClick();
    // Item 1 white to red, 2 spectrum (the items' data).
    void POM_Ideogram_PalColClick(QAction* item);
    void POM_Ideogram_LogClick();
    // Cursor positions in screen coordinates.
    void Panel_ColourbarMouseDown(QPoint screen);
    void Panel_ColourbarMouseMove(QPoint screen);
    void Panel_ColourbarMouseUp();
    // Draws the colour bar into PB_Colourbar's image.
    void PB_ColourbarPaint();
    QPoint ColourBarCursor; // of the drag's last step

    void File_ExitClick();
    void UpdateExpRecentMenu();
    void UpdateCGHRecentMenu();
    void Info_BB_ClearClick();
    void Info_BB_CopyClick();

    // View state and settings (see the window's start-up).
    bool IsDetailViewer = false;
    QString RegistryKey;
    QString ProgramFolder;
    QString IdeogramFile;
    int Zoom = 1;
    int FirstChromosome = 1, LastChromosome = 25;
    int Orientation = 1;
    float MapScale = 0.0f;
    bool ColouredChromosomeMode = false;
    tHistory FindGeneHistory;
    tHistory GroupFileHistory;
    QStringList PatternNames; // kept sorted, no duplicates
    std::vector<double> PatternValues;
    float PaletteMin = 0.0f, PaletteMax = 4.0f;
    bool PaletteLog = true;
    bool ColourBarDragging = false;
    int MapTopMargin = 20;
    int FormColor = clBtnFace;

    // Components, named as the program's forms name them.
    QTabWidget* PageControl = nullptr;
    QWidget* TS_MapView = nullptr;
    QWidget* TS_Info = nullptr;
    QWidget* TS_Preferences = nullptr;
    QWidget* MapView_Panel_Map = nullptr;
    MapPaintBox* MapView_PB1 = nullptr;
    QScrollBar* MapView_SB_H = nullptr;
    QScrollBar* MapView_SB_V = nullptr;
    QWidget* Panel_Colourbar = nullptr;
    MapPaintBox* PB_Colourbar = nullptr;
    QPlainTextEdit* Info_Memo = nullptr;
    QPushButton* Info_BB_Clear = nullptr;
    QPushButton* Info_BB_Copy = nullptr;
    QCheckBox* Pref_CB_AutoLoad_Ideogram = nullptr;
    QComboBox* Pref_CB_IdeogramFile = nullptr;
    QPushButton* Pref_BB_IdeogramSelect = nullptr;
    QLineEdit* Pref_ED_GeneDatabase = nullptr;
    QCheckBox* Pref_CB_AutoLoad_GeneFeatures = nullptr;
    QComboBox* Pref_CB_GeneFeatures = nullptr;
    QPushButton* Pref_BB_GeneFeaturesSelect = nullptr;

    QToolBar* ToolBar1 = nullptr;
    QAction* TB_ZoomIn = nullptr;
    QAction* TB_ZoomOut = nullptr;
    QAction* TB_SetOrientation = nullptr;
    QLineEdit* TB1_CNum_Edit = nullptr;
    QToolButton* UpDown1_Up = nullptr;
    QToolButton* UpDown1_Down = nullptr;
    QAction* TB_Ideogram = nullptr;
    QAction* TB_Genes = nullptr;
    QAction* TB_CGH = nullptr;
    QAction* TB_GEMat = nullptr;
    QAction* TB_Refresh = nullptr;
    QAction* TB_Capture = nullptr;
    QAction* TB_DetailView = nullptr;

    QStatusBar* StatusBar1 = nullptr;
    std::array<QLabel*, 2> StatusBar1_Panels{}; // counted from 0

    QMenu* File_Menu = nullptr;
    QAction* File_LoadCGHMatrix = nullptr;
    QAction* File_SaveCGHMatrix = nullptr;
    QAction* File_Exit = nullptr;

    QMenu* POM_Zoom = nullptr;

    QMenu* POM_Ideogram = nullptr;
    QAction* POM_Ideogram_View = nullptr;
    QAction* POM_Ideogram_BandNames = nullptr;
    QMenu* POM_Ideogram_Resolution = nullptr;
    QAction* POM_IdeoGram_ResArms = nullptr;
    QAction* POM_IdeoGram_ResRegions = nullptr;
    QAction* POM_IdeoGram_ResBands = nullptr;
    QAction* POM_IdeoGram_ResSubBands = nullptr;
    QAction* GSubSubBanding8001 = nullptr;
    QAction* POM_Ideogram_ViewSingleChr = nullptr;
    QAction* POM_Ideogram_ColouredChromosomes = nullptr; // its sub-menu's item
    QAction* POM_Ideogram_SavePattern = nullptr;
    QAction* POM_Ideogram_LoadPattern = nullptr;
    QAction* POM_Ideogram_DataRange = nullptr;
    QMenu* POM_Ideogram_Palette = nullptr;
    std::array<QAction*, 3> POM_Ideogram_PalCol{}; // [1..2] White->Red, Spectrum
    QAction* POM_Ideogram_Log = nullptr;

    QMenu* POM_Genes = nullptr;
    QAction* POM_Genes_View = nullptr;
    QAction* POM_Genes_GeneNames = nullptr;
    std::array<QAction*, 6> POM_Gene{}; // [1..5] Gene, RNA, CDS, UTR, Pseudo
    QAction* POM_Genes_Find = nullptr;

    QMenu* POM_CGH = nullptr;
    QAction* POM_CGH_View = nullptr;
    QAction* POM_CGH_Tool = nullptr;
    QMenu* POM_CGH_DataType = nullptr;
    QAction* POM_CGH_DataType_Raw = nullptr;
    QAction* POM_CGH_DataType_Processed = nullptr;
    QAction* POM_CGH_LoadCGHmatrix = nullptr;
    std::array<QAction*, 11> POM_CGH_Recent{}; // [1..10]
    QMenu* POM_CGH_HybridisationAnnotation = nullptr;
    QAction* POM_CGH_AnnotateHybridisations = nullptr;
    QAction* POM_CGH_SelectAnnotaionsToView = nullptr;
    QAction* Colora1 = nullptr;
    QMenu* POM_CGH_Grouping = nullptr;
    QAction* POM_CGH_Grouping_Save = nullptr;
    QAction* POM_CGH_Grouping_Load = nullptr;
    std::array<QAction*, 10> POM_CGH_Grouping_F{}; // [1..9]

    QMenu* POM_GEHM = nullptr;
    QAction* POM_GEHM_View = nullptr;
    QAction* POM_GEHM_LoadExpressionHybridisationData = nullptr;
    QAction* POM_ExpMat_ShowExpTool = nullptr;
    std::array<QAction*, 11> POM_GEHM_RecentFiles{}; // [1..10]

    MemoLog InfoLog{nullptr};
    // Created when the window is first shown; absent in the detail viewer.
    TdChrSel_List* ChrSel_List = nullptr;

    // The chromosome map: layout, zoom, scrolling, band resolution (mainwindow_map.cpp).
    void MapView_PB1Paint();
    void POM_Zoom_Click(QAction* item);
    void TB_ZoomInClick();
    void TB_ZoomOutClick();
    void SetZoom(int mode, int value);
    void TB_SetOrientationClick();
    void MapView_SB_VScroll(int action);
    void MapView_SB_HScroll(int action);
    void TB1_CNum_EditChange();
    void UpDown1Click(bool up);
    void POM_Ideogram_ViewClick();
    void TB_IdeogramClick();
    void POM_Ideogram_BandNamesClick();
    void Ideogram_SetResolution(QAction* item);
    void POM_Ideogram_ViewSingleChrClick();
    void ShowChromosomeSelection(bool Show);
    void Util_DT_ID_ArmsClick(QAction* item);
    // Everything the map reads now; a render whose key differs from the last one redraws.
    MapRenderKey CurrentRenderKey() const;

    // Worked out by each render of the map.
    int ShownLongestArm = 0;
    int ShownLongestChromosome = 1;
    int ChromosomePitch = 0;
    MapGeometry MapLayout;      // of the last render, for the mouse read-out
    int64_t MapProbesDrawn = 0; // probe bars of the CGH tracks
    // Coloured chromosomes: palette entries 0..1024 and the scale kind of the pattern values.
    tPalette PaletteColours{};
    int PaletteScaleKind = 1;

    QMenu* Help_Menu = nullptr;
    QAction* Help_Info = nullptr;
    QAction* Help_UpdateQuorbel = nullptr;

    QMenu* Util_DT_ID_Dump = nullptr;
    QAction* Util_DT_ID_Arms = nullptr;
    QAction* Util_DT_ID_Bands = nullptr;

    // Items of the data-file, analysis and import commands.
    QAction* Loadhybridisationdata1 = nullptr;
    QAction* LoadCGHExpressionMatrix = nullptr;
    QAction* LoadExpressionhybridisationdata1 = nullptr;
    QAction* Util_DatFiles_Import_GeneList = nullptr;
    QAction* Util_DatFiles_Save_GeneList = nullptr;
    QMenu* POM_CGH_Process = nullptr;
    QAction* POM_CGH_Process_zTransformHyns = nullptr; // Ctrl+Shift+Z
    QAction* POM_CGH_Process_zTransformOligos = nullptr;
    QAction* POM_CGH_Process_RestoreRawValues = nullptr;
    QMenu* POM_CGH_Process_Smooth = nullptr; // widths 2..35 in the items' data, then Custom
    QAction* POM_CGH_Process_Smooth_Custom = nullptr;
    QMenu* Anal_Menu = nullptr;
    QAction* Anal_ZTansform = nullptr;
    QAction* POM_GEHM_MeanNormalise = nullptr;
    QAction* POM_GEHM_Log2Transform = nullptr;
    QAction* POM_GEHM_ScalingRange = nullptr;
    QMenu* POM_CGH_GroupTesting = nullptr;
    QAction* Anal_Stat_CGH_RegulationTest = nullptr;
    QAction* Listfilter1 = nullptr;
    QMenu* POM_CGH_Import = nullptr;
    QAction* POM_CGH_PellaurisDSBdata1 = nullptr;
    QAction* Utilities_RandomData = nullptr;
    QAction* Util_Demo_ColouredChromosomes = nullptr;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    // The detail viewer of the main window, or the main window of the detail viewer.
    TfQuorbelView* OtherInstance() const;
    // The view tool of `kind` this window opened lists the hybridisations (samples and columns)
    // now loaded, keeping what the user set on it.
    void ToolFollowsLoad(LoadedData kind);
    // The p-value histograms of `kind` this window opened show the test results now kept.
    void HistogramsFollowLoad(LoadedData kind);
    void ConnectMapInteraction();
    void ConnectHelpCommands();
    void DetailViewerClosing();
    void CentreDetailViewer(int c, int64_t along);
    void CreateComponents();
    void CreateMenus();
    void CreateToolBar();
    void ReadSettings();
    void ReadDetailViewerSettings();
    void WriteSettings();
    void ReadWindowValues(const class RegKey& key);
    void CreateChromosomeList();
    // Closes the view tools this window opened: they are windows of their own.
    void CloseTools();
    void ConnectMapView();
    void ScrollMap(QScrollBar* bar, bool along, int action);
    // The arrows' step of the bar that runs along (or across) the chromosomes.
    int ScrollLine(bool along) const;
    void ShowAllChromosomes();
    void ShowOneChromosome(int n);
    std::optional<MapRenderKey> renderedKey_;
    ProbePositionCache probePositions_;
    void ShowCGHNames(GdiCanvas& canvas);
    void ConnectDataCommands();
    void ConnectFileCommands();
    void ConnectProcessCommands();
    void ConnectImportCommands();
    void ConnectGroupTestCommands();
    // Tests the dialog's groups on a copy of `stat`, kept only when the test accepts them.
    bool RunGroupTest(tStat& stat, const TdGroupSelector& dialog,
                      const std::function<std::string(tStat&)>& test);
    void ConnectAnnotationCommands();
    void ConnectPatternCommands();
    void LoadGeneFeatureCache();
    bool LoadDroppedFeatureFiles(const QStringList& files);
    // One feature-extraction file into the first free hybridisation slot, then the z-transform
    // of all sets; a refused or cancelled file leaves the slot free. `warning` receives a loaded
    // file's line on its value cells that were no numbers in full (empty when none).
    enum class FeatureFileLoad { Loaded, NoFreeSlot, Refused, Cancelled };
    FeatureFileLoad LoadFeatureFileIntoFreeSlot(const QString& name, ProgressSink* progress,
                                                std::string& error, std::string& warning);
    // True while this window is the active one (or no window of the program is).
    bool IsActiveForm() const;
    void RunCommandLine();
    void AutoLoadIdeogram();
    void ApplyFormColor();
    bool shown_ = false;
    QStringList commandLine_;
};

// The detail viewer, the main window's second instance; null while none is open.
extern QPointer<TfQuorbelView> DetailViewer;

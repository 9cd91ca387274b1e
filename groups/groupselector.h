// The group selector: conditions (hybridisations or samples) assigned to numbered groups, the
// parameters of an analysis, and in its tool modes the remote control of the map.
//
// Caller rule. In mode 0 and the analysis modes the caller owns the dialog: it creates it, sets
// the fields, runs it with RunModal and reads ResultCode, GroupCount and GroupMembers afterwards.
// Modes 2000 (CGH view tool) and 2001 (expression view tool) are created without parent, shown
// modelessly and delete themselves after FormClose.
#pragma once

#include "analysismatrix.h"
#include "colours.h"
#include "headertable.h"
#include "toolbus.h"

#include <QDialog>
#include <QPointer>
#include <QStringList>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QSplitter;
class QStatusBar;
class QTabWidget;
class QTableWidget;
class QTimer;
class QToolButton;
class TRadioGroup;
enum class LayoutPart;

class TdGroupSelector : public QDialog, public ToolMessageTarget {
    Q_OBJECT
  public:
    static constexpr int kMaxGroups = 12;
    // Mode 210 names a group per pair of factor levels.
    static constexpr int kMaxMemberStrings = kMaxGroups * kMaxGroups;
    static constexpr int kMaxLabelRows = 100;
    static constexpr int kGroupHistoryKept = 10; // grouping files in the history box

    explicit TdGroupSelector(QWidget* parent = nullptr);

    // Set by the caller before showing; read back after a modal run.
    int32_t Mode = 0;
    int32_t ResultCode = -1;  // -1 Cancel or any other close, else the pressed button's Tag
    tHeaderTable HeaderTable; // [condition][header row]; condition 0 the row titles
    int32_t ConditionCount = 0;
    int32_t LabelRow = 1;             // header row labelling the conditions
    int32_t FirstConditionNumber = 1; // condition i is written as i + FirstConditionNumber - 1
    int32_t HeaderRowCount = 0;       // header rows plus one
    int32_t GroupCount = 2;
    std::array<QString, kMaxMemberStrings + 1> GroupMembers; // [1..GroupCount] "1,2,3"
    QString RegistryKey; // settings key; empty: nothing read or written
    QString MessageCaption, HelpBase, HelpPage;
    QString AboutText;                    // the about box's last line
    QPointer<QWidget> ConditionViewer;    // the condition viewer while it is open
    WindowHandle OwnerHandle = 0;         // receives the selection (3001, 3000) and script messages
    std::array<TColor, 101> SetColours{}; // [1..100] hybridisation colours of the CGH tool
    int32_t ShowGeneListMenu = 0;
    WindowHandle GeneListHandle = 0;
    ::AnalysisMatrix* AnalysisMatrix = nullptr; // the caller's matrix, not owned

    // Result slots of the analysis modes, read by their caller after the dialog closes.
    int32_t RunParam1 = 0, RunParam2 = 0, RunParam3 = 0, RunParam4 = 0, RunParam5 = 0,
            RunParam6 = 0, RunParam7 = 0;
    uint8_t RunAllPermutations = 0, RunAutoSort = 0;
    float RunValue1 = 0.0f, RunValue2 = 0.0f, RunValue3 = 0.0f, RunValue4 = 0.0f;

    // State of its own.
    std::vector<int32_t> ConditionGroup; // [1..ConditionCount], 0 = no group
    // [1..ConditionCount] Mode 2000: the caller gives each hybridisation's active flag, which
    // the list shows checked and marked; afterwards the state last sent to the map.
    std::vector<uint8_t> ConditionActive;
    std::vector<int32_t> LabelRows; // header rows of composite labels; empty: LabelRow alone
    QStringList FindHistory;
    std::vector<uint8_t> SelectionBuffer; // copied marks, one per list entry
    int32_t CurrentCondition = 0;
    uint8_t ClosePermit = 1;
    uint8_t ParametersChecked = 0;
    uint8_t FirstPaint = 1; // the first paint of mode 311 turns to the Parameter page
    // [1..ConditionCount] levels of the quantitative response; ConditionCount + 3 entries after
    // FormShow, zeros until the profile controls set them.
    std::vector<float> ResponseProfile;

    // Components, named as the program's forms name them.
    QTabWidget* PageControl1;
    QWidget* TS_Groups;
    QWidget* TS_Parameter;
    QWidget* TS_Info;
    QWidget* Tab_CGH_Param;
    QWidget* Tab_ExpMat_Param;
    QStatusBar* StatusBar1;
    std::array<QLabel*, 2> StatusPanels{};

    // Groups page: conditions.
    QSplitter* Splitter_Groups;
    QGroupBox* Groups_GB_Conditions;
    QListWidget* List_Cond;
    QComboBox* CB_ConditionNames;
    QPushButton* Button_CondMultSel;
    QPushButton* BB_Invert;
    QPushButton* BB_Ungrouped;
    QPushButton* BB_Find;
    QPushButton* BB_AutoGroup;
    QPushButton* BB_Scan;
    QPushButton* BB_XY;
    QPushButton* BB_RI;
    QPushButton* BB_QQ;
    QPushButton* BB_3D;
    QMenu* POM_Cond;
    QAction* POM_Cond_CopySelection;
    QAction* POM_Cond_PasteSelection;
    QAction* POM_Cond_SaveSelectionAs;
    QAction* POM_Cond_LoadSelection;
    QAction* Viewalldetails1;
    // Groups page: groups panel.
    QWidget* Panel_Groups;
    QGroupBox* GB_GroupNumber;
    QLabel* Label_Groups;
    QSpinBox* Groups_SE_Number;
    QLabel* Label_Factors;
    QSpinBox* Factors_SE_Number;
    QGroupBox* GB_Groups;
    QListWidget* List_Group;
    QWidget* Panel_Assign;
    QPushButton* Button_ConditionsToGroup;
    QPushButton* Button_ReleaseAllGroups;
    QGroupBox* GB_Pairs;
    QTableWidget* Pairs_SG;
    QPushButton* Button_ClearPairTable;
    QGroupBox* GB_Self;
    QCheckBox* Normalise_CB_Self;
    QLabel* Label_Value;
    QSpinBox* Matches_SE;
    QGroupBox* Groups_GB_SaveLoad;
    QPushButton* Groups_BB_Save;
    QPushButton* Groups_BB_Load;
    QGroupBox* GB_RecentGroupings;
    QComboBox* Groups_CB_History;
    QGroupBox* GB_Comment;
    QLineEdit* Edit_Comment; // the script's comment line
    // Pop-up menus of "&Find" and "Auto group" (items by Tag, as the menus' handlers read them).
    QMenu* POM_Find;
    QAction *FindNew, *ANDFind, *ORFind, *ANDFindNOT, *ORFindNOT; // Find: Tags 1..5
    QAction *Same1, *Similar1;                                    // Find_SameClick: Tags 1, 2
    QMenu* POM_AutoGroup;
    QAction* Autogroup1; // the menu's disabled title
    QMenu* ANDautogroup1;
    QAction *Tagged1, *Numeric1;         // Tags 3 (no action), 4
    QAction *Groupsame1, *Groupsimilar1; // AutoGroup_GroupClick: Tags 1, 2
    QMenu* POM_Groups;                   // the group list's pop-up
    QAction *POM_Groups_Release, *POM_Groups_ShowMembers;
    QTimer* Timer1; // empties status panel 1 ten seconds after a search
    // The pop-up menu of "&Mosaic": the plot kind by Tag.
    QMenu* POM_SPScan;
    QAction *XYScatterplot1, *RatioIntensityplot1, *Quantileplot1; // Tags 1, 2, 3

    // Parameter page.
    QGroupBox* GB_pValue;
    QRadioButton* pValue_RB_Dist;
    QRadioButton* pValue_RB_Permutation;
    QSpinBox* tTest_SE_Perm;
    QCheckBox* pValue_CB_All;
    TRadioGroup* pValue_RG_MutlCorr;
    TRadioGroup* TTest_MultiComb_RG;
    TRadioGroup* TTest_MultiMode_RG;
    QLabel* Label_Mean;
    QComboBox* tTest_CB_Mean;
    QWidget* Panel_SAM;
    QCheckBox* SAM_CB_Response_AutoSort_Conditions;
    QGroupBox* GB_QuantResponse;
    QSpinBox* SAM_SE_ResponseHeaderRow;
    std::array<QPushButton*, 3> SAM_BB_ResponseDefineProfile{}; // by Tag 0, 1, 2
    QGroupBox* GB_Permutation;
    QCheckBox* SAM_CB_PermAll;
    QSpinBox* SAM_SE_Perm;
    TRadioGroup* SAM_RG_S0;
    QWidget* Panel_S0;
    QLineEdit* SAM_Edit_S0_Percentile;
    QLineEdit* SAM_Edit_S0_Constant;
    TRadioGroup* SAM_RG_ResponseType;
    QGroupBox* GB_KaplanMeier;
    std::array<QLineEdit*, 4> KapMei_Edit_Row{};     // [1..3] survival, censored, censoring
    std::array<QPushButton*, 4> KapMei_Button_Sel{}; // [1..3] by Tag
    QGroupBox* GB_KapMeiFilter;
    QLineEdit* Survival_Edit_Average;
    QLineEdit* Survival_Edit_CI;
    QSpinBox* Survival_SE_MinGroupSize;
    QLineEdit* Survival_Edit_Alpha;
    QLineEdit* Survival_Edit_MedianGain;
    QGroupBox* GB_KMeans;
    QSpinBox* KMM_SE_Iter;
    QSpinBox* KMM_SE_TotGenes;
    QSpinBox* KMM_SE_Classes;
    QComboBox* KMM_CB_CentComp;
    QComboBox* KMM_CB_Metric;
    QComboBox* KMM_CB_Init;
    QGroupBox* GB_PCA;
    QLineEdit* PCA_Edit_EVRatio;
    QLineEdit* PCA_Edit_MaxIter;
    QLineEdit* PCA_Edit_Acc;

    // Info page.
    QPlainTextEdit* Info_Memo;
    QPlainTextEdit* Log_Memo;
    QPushButton* Info_Button_Clear;
    QPushButton* Info_Button_Copy;
    QPushButton* Info_Log_Button_Clear;
    QPushButton* Info_Log_Button_Copy;

    // "CGH Options" page.
    QGroupBox* Adjust_GB;
    std::array<QPushButton*, 3> Widht_BB{}; // Tags -1, 0, 1
    std::array<QPushButton*, 3> Zoom_BB{};  // Tags -1, 0, 1
    TRadioGroup* RG_DataType;
    QPushButton* CGH_BB_Show_BB_ShowSingleCGHProbes; // Tag 2
    QPushButton* CGH_BB_Show_Processed;              // Tag 3
    QPushButton* CGH_BB_Show_Groups;                 // Tag 4
    QGroupBox* Process_GB;
    QPushButton* BB_ZTransform;
    QPushButton* BB_InvertSign;
    QPushButton* BB_Log10toLog2;
    TRadioGroup* SmoothType_RG;
    QComboBox* Smooth_CB;
    QPushButton* BB_Smooth;
    QGroupBox* GB_Significant;
    QComboBox* FilterSig_CB_WindowSize;
    QComboBox* FilterSig_CB_Matches;
    QPushButton* FilterSig_BB_Filter; // Tag 1
    QPushButton* FilterSig_BB_All;    // Tag 0
    QComboBox* FilterGeneCGH_CB_Range;
    QComboBox* FilterGeneCGH_CB_ProbeNum;
    QPushButton* FilterGeneCGH_BB_Filter; // Tag 1
    QPushButton* FilterGeneCGH_BB_All;

    // "Expression options" page.
    std::array<QPushButton*, 3> HeatMap_BB{}; // Smaller, Reset, Wider: Tags -1, 0, 1
    QComboBox* ExpMat_CB_Scale;
    QComboBox* ExpMat_CB_GeneAnno;
    QPushButton* ExpMat_BB_ViewGeneAnno;
    QPushButton* ExpMat_BB_MeanNormaliseGenes; // Tag 1
    QPushButton* ExpMat_BB_Log2Transform;      // Tag 2
    QPushButton* ExpMat_BB_Log2Log10Transform; // Tag 3

    // Buttons below the pages.
    QPushButton* BitBtn_OK;       // Tag 0
    QPushButton* BBB_RunAnalysis; // Tag 1
    QPushButton* BitBtn_Cancel;
    QPushButton* BB_ToScript;
    QPushButton* BitBtn_Help;
    QPushButton* BitBtn_About;
    QToolButton* ToolButton1; // checked (image 1): the window stays on top

    // Lifecycle.
    void FormCreate();
    void FormShow();
    bool FormCloseQuery();
    void FormClose();
    void BitBtn_CancelClick();
    void TS_ParameterEnter();
    void WMGroupSelectorNotify(int code, intptr_t arg);
    intptr_t ToolMessage(int code, intptr_t arg) override;
    // Esc ends here, as every other close does.
    void reject() override;
    // A shown tool's caller has put the conditions now loaded into HeaderTable, ConditionCount
    // and (mode 2000) ConditionActive: the lists show them, the label rows chosen kept where the
    // header still has them; nothing is sent.
    void ConditionsChanged();

    // OK (Tag 0) and Run (Tag 1): the settings, the parameter check, then what the mode asks:
    // the selection to the map (2000), an analysis or plot, or the groups handed back and close.
    void BB_RunOK(QObject* sender);

    // Condition list and groups.
    void List_CondClick();
    void List_CondDblClick();
    void Button_ConditionsToGroupClick();
    void Groups_SE_NumberChange();
    void List_GroupClick();
    void CB_ConditionNamesClick();
    void Button_CondMultSelClick();
    void POM_Cond_CopySelectionClick();
    void POM_Cond_PasteSelectionClick();
    void BB_InvertClick();
    void BB_UngroupedClick();
    void Button_ReleaseAllGroupsClick();
    // Selection (".csl") and grouping (".tgl", mode 5 ".pgl") files.
    void POM_Cond_SaveSelectionAsClick();
    void POM_Cond_LoadSelectionClick();
    void Groups_BB_SaveClick();
    void Groups_BB_LoadClick();
    // The user's choice in the grouping history: all groups released, then the file loaded.
    void Groups_CB_HistoryChange();
    // Reads the whole file first; a file that cannot be read or holds a bad number changes
    // nothing (not even the release asked for) and shows a box. Returns true when loaded.
    bool LoadGroupListFile(const QString& fileName, bool releaseAll = false);
    // Find and auto-group.
    void BB_FindClick();
    void BB_AutoGroupClick();
    void Find(int tag);
    void Find_SameClick(int tag);
    // An open condition viewer shows the marked conditions, one row each: its counter in cell 0,
    // the condition's list position (numberByEntry) or the counter again, then its header texts.
    void RefillConditionViewer(bool numberByEntry);
    void Timer1Timer();
    void AutoGroup_GroupClick(QObject* sender);
    void Numeric1Click(QObject* sender);
    void BB_ScatterplotsClick(QObject* sender);
    // The dot chart of the marked conditions' labels (mode 1010's "&Bar").
    void ShowSelectionDotChart(int kind);
    // The mosaic of plots of every marked condition against every other, the kind by the
    // sender's Tag (1 X-Y, 2 ratio-intensity, 3 quantile; any other Tag 1), in an image viewer.
    void BB_ScanClick(QObject* sender);
    // Script export.
    void BB_ToScriptClick();
    // Labels from row LabelRow (kind 1) or composed from LabelRows (kind 2); marks kept.
    void FillConditionList(int kind);
    // The Groups page's show event and the assign button: mode 2000 sends the marks to the map,
    // every other mode puts the marked conditions into the picked group.
    void TS_GroupsShow();
    // Refills the group list with the member counts, unless it lists the gene annotation; assigns
    // nothing.
    void rebuildGroupList();
    // Mode 2000: each condition's mark to the owner (3001 with i x 10 + mark), then 3000.
    void SendSelectionToOwner();
    // Mark of condition i (1-based).
    bool Marked(int i) const;
    void SetMarks(const std::vector<bool>& marks); // [0] condition 1

    // Help, the parameter controls' enabling, the response profile, the condition viewer, the
    // survival rows, the pairs grid, the memos and the window controls.
    void BitBtn_HelpClick();
    // Opens a help page with the desktop's program for it; nothing for an empty text, and a
    // failure is not reported.
    void OpenHelpUrl(const QString& url);
    void BitBtn_AboutClick();
    void pValue_RB_DistClick();
    void pValue_RB_PermutationClick();
    void SAM_RG_S0Click();
    void SAM_CB_PermAllClick();
    void POM_Groups_ReleaseClick();
    void POM_Groups_ShowMembersClick();
    // ResponseProfile from the header row the response-row spin edit names.
    void SAM_SE_ResponseHeaderRowChange();
    // Tags 0 manual, 1 gene row, 2 header row.
    void SAM_BB_ResponseDefineProfileClick(QObject* sender);
    void Viewalldetails1Click();
    // Tags 1 survival time, 2 censored time, 3 censor flag.
    void KapMei_Button_Sel1Click(QObject* sender);
    void Info_Log_Button_ClearClick();
    void Info_Button_ClearClick();
    void Info_Log_Button_CopyClick();
    void Info_Button_CopyClick();
    // A key pressed in the condition list; true when it was taken.
    bool List_CondKeyDown(int key, Qt::KeyboardModifiers modifiers);
    // Applies ToolButton1's checked state, which a click has just turned.
    void ToolButton1Click();
    void Panel3Resize();
    // A press (or the press of a double click) on cell (col, row) of the pairs grid.
    void Pairs_SGMouseDown(Qt::MouseButton button, bool doubleClick, int col, int row);
    void Button_ClearPairTableClick();
    void FormPaint();

    // View-tool commands, sent to MainWindowHandle.
    void Widht_BB1Click(QObject* sender);
    void Zoom_BB1Click(QObject* sender);
    void RG_DataTypeClick();
    void CGH_BB_Show_ProcessedClick(QObject* sender);
    void BB_ZTransformClick();
    void BB_InvertSignClick();
    void BB_Log10toLog2Click();
    void BB_SmoothClick();
    void FilterSig_BB_FilterClick(QObject* sender);
    void FilterGeneCGH_BB_FilterClick(QObject* sender);
    void HeatMap_SizeClick(QObject* sender);
    void ExpMat_CB_ScaleChange();
    void ExpMat_CB_GeneAnnoChange();
    void ExpMat_CBox_ViewGeneAnnoClick();
    void ExpMat_BB_AdjustClick(QObject* sender);

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    void CreateComponents();
    QWidget* CreateGroupsPage();
    QWidget* CreateParameterPage();
    QWidget* CreateInfoPage();
    QWidget* CreateCGHPage();
    QWidget* CreateExpressionPage();
    QWidget* CreateButtonRow();
    void ConnectHandlers();
    void ConnectViewTool();
    void CreateGroupTools();
    void CreatePlotScanMenu();
    void ConnectControls();
    // The window controls' share of eventFilter; true when the event was taken.
    bool ControlEvent(QObject* watched, QEvent* event);
    // Enables the parameter controls that the chosen estimation and S0 method use.
    void EnableParameterControls();
    // A pairs-grid cell's text for condition i: its number, ":" and its label.
    QString PairCellText(int32_t i) const;
    // Room for the levels of conditions 1..ConditionCount at least.
    void HoldResponseLevels();
    void AddToGroupHistory(const QString& fileName);
    void FileError(const std::string& error);
    // ConditionGroup[1..ConditionCount] as the core's files hold it, [0] condition 1.
    std::vector<int32_t> GroupsOfConditions() const;
    void ReadSettings();
    // The stored width of the conditions box, once the window is laid out.
    void ApplyConditionWidth();
    void WriteSettings();
    void WriteWindowAndFindHistory(class RegKey& key);
    void WriteRunSettings();
    // Does what the mode asks; true when the run ends the window.
    bool RunOK(int tag);
    // Builds GroupCount and GroupMembers from the assignment; true when the window is to close,
    // false when it refused or stays open.
    bool RunGroupStep(int tag);
    void StoreRunSlots();
    void BuildPairLists();
    // Data columns of the marked conditions (condition i reads column i), in list order.
    std::vector<int32_t> MarkedColumns() const;
    // Columns of each group 1..Groups_SE_Number (one group: the marked conditions).
    std::vector<std::vector<int32_t>> GroupColumns() const;
    void RunPlots();
    void RunPoolNormalisation();
    void RunTotalIntensity();
    void RunGeneFilter();
    void RunImputation();
    void RunSwapSign();
    void ApplyModeLayout();
    void ShowPart(LayoutPart part, bool shown);
    // Fills the condition and group lists and the label-row box from the caller's fields.
    void ShowConditions();
    // Labels of conditions 1..ConditionCount: row LabelRow (kind 1) or LabelRows composed (2).
    QStringList ConditionLabels(int kind) const;
    void FillGroupsFromMembers();
    // The plot modes list the titles of the matrix's annotation columns in the group box.
    void FillGeneAnnotationList();
    // True in those modes: grouping then leaves the group box's list as it is.
    bool ListsGeneAnnotation() const;
    void FillLabelRowBox();
    void PageChanged(int index);
    int ConditionEntries() const;
    int PickedGroup() const;
    bool formShown_ = false;
    int conditionWidth_ = -1; // read from the settings, not yet applied
    bool formClosed_ = false;
    bool busy_ = false; // a run or a plot scan serves the event queue: no close meanwhile
};

// Integer Tag of a component (0 when it has none).
int Tag(const QObject* component);
void SetTag(QObject* component, int tag);

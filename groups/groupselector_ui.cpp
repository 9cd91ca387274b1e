// The group selector's pages and controls, built in code.
#include "conditionlook.h"
#include "groupselector.h"
#include "radiogroup.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

int Tag(const QObject* component) {
    return component ? component->property("Tag").toInt() : 0;
}

void SetTag(QObject* component, int tag) {
    component->setProperty("Tag", tag);
}

namespace {
QPushButton* Button(const QString& caption, int tag = 0, const QString& hint = QString()) {
    auto* b = new QPushButton(caption);
    SetTag(b, tag);
    b->setAutoDefault(false);
    if (!hint.isEmpty()) b->setToolTip(hint);
    return b;
}

QSpinBox* Spin(int low, int high, int value) {
    auto* s = new QSpinBox;
    s->setRange(low, high);
    s->setValue(value);
    return s;
}

QComboBox* Combo(const QStringList& items, const QString& text, bool editable = true) {
    auto* c = new QComboBox;
    c->setEditable(editable);
    c->addItems(items);
    if (editable)
        c->setEditText(text);
    else
        c->setCurrentIndex(static_cast<int>(items.indexOf(text)));
    return c;
}

QStringList Numbers(int from, int to) {
    QStringList list;
    for (int i = from; i <= to; ++i) list << QString::number(i);
    return list;
}

QHBoxLayout* Row(std::initializer_list<QWidget*> widgets, bool stretch = true) {
    auto* row = new QHBoxLayout;
    for (QWidget* w : widgets) row->addWidget(w);
    if (stretch) row->addStretch();
    return row;
}

// A memo with its Clear and Copy buttons, titled.
QGroupBox* MemoBox(const QString& title, QPlainTextEdit*& memo, QPushButton*& clear,
                   QPushButton*& copy) {
    auto* box = new QGroupBox(title);
    memo = new QPlainTextEdit;
    memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    clear = Button(QStringLiteral("Clear"));
    copy = Button(QStringLiteral("Copy"));
    auto* layout = new QVBoxLayout(box);
    layout->addWidget(memo, 1);
    layout->addLayout(Row({clear, copy}));
    return box;
}
} // namespace

void TdGroupSelector::CreateComponents() {
    PageControl1 = new QTabWidget;
    TS_Groups = CreateGroupsPage();
    TS_Parameter = CreateParameterPage();
    Tab_CGH_Param = CreateCGHPage();
    Tab_ExpMat_Param = CreateExpressionPage();
    TS_Info = CreateInfoPage();
    PageControl1->addTab(TS_Groups, QStringLiteral("Groups"));
    PageControl1->addTab(TS_Parameter, QStringLiteral("Parameter"));
    PageControl1->addTab(Tab_CGH_Param, QStringLiteral("CGH Options"));
    PageControl1->addTab(Tab_ExpMat_Param, QStringLiteral("Expression options"));
    PageControl1->addTab(TS_Info, QStringLiteral("Info"));

    StatusBar1 = new QStatusBar;
    StatusBar1->setSizeGripEnabled(false);
    for (QLabel*& panel : StatusPanels) {
        panel = new QLabel;
        panel->setMinimumWidth(60);
        StatusBar1->addWidget(panel, &panel == &StatusPanels.back() ? 1 : 0);
    }

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(PageControl1, 1);
    layout->addWidget(CreateButtonRow());
    layout->addWidget(StatusBar1);
}

QWidget* TdGroupSelector::CreateGroupsPage() {
    auto* page = new QWidget;

    Groups_GB_Conditions = new QGroupBox(QStringLiteral("Conditions"));
    List_Cond = new QListWidget;
    List_Cond->setSelectionMode(QAbstractItemView::ExtendedSelection);
    List_Cond->setToolTip(QStringLiteral("Available conditions in expression matrix"));
    List_Cond->setUniformItemSizes(true);
    List_Cond->setContextMenuPolicy(Qt::CustomContextMenu);
    List_Cond->setItemDelegate(new EntryDelegate(
        [this](int row, bool selected) {
            const int i = row + 1;
            const int group = i < static_cast<int>(ConditionGroup.size()) ? ConditionGroup[i] : 0;
            return ConditionEntryLook(Mode, group, selected, i, List_Cond->palette());
        },
        [this](int row) {
            const size_t i = static_cast<size_t>(row) + 1;
            return i < ConditionActive.size() && ConditionActive[i] != 0;
        },
        List_Cond));
    CB_ConditionNames = new QComboBox;
    CB_ConditionNames->setToolTip(
        QStringLiteral("Selet header row to be shown as CONDITION names"));
    Button_CondMultSel = Button(QStringLiteral("..."));
    Button_CondMultSel->setMaximumWidth(30);
    BB_Invert =
        Button(QStringLiteral("&Invert"), 0,
               QStringLiteral(
                   "Invert selection; i.e. mark presently unselected conditions and vice versa"));
    BB_Ungrouped = Button(QStringLiteral("&Ungrouped"), 0,
                          QStringLiteral("Select ungrouped conditions; i.e. those which are not "
                                         "assigned to a group"));
    BB_Find = Button(QStringLiteral("&Find"), 0,
                     QStringLiteral("Select conditions by name; i.e. mark those which contain a "
                                    "certain text pattern"));
    BB_AutoGroup = Button(QStringLiteral("Auto group"));
    BB_Scan = Button(QStringLiteral("&Mosaic"), 0,
                     QStringLiteral("View Scatter plot scan  from seleceted samples\nEach against "
                                    "each other\nSelect different scans from Pop-Up menu"));
    BB_XY = Button(QStringLiteral("&X-Y"), 1000);
    BB_RI = Button(QStringLiteral("&R/I"), 1001);
    BB_QQ = Button(QStringLiteral("Q/Q"), 1002);
    BB_3D = Button(QStringLiteral("3D"), 1003);
    auto* labelRow = new QHBoxLayout;
    labelRow->addWidget(new QLabel(QStringLiteral("Label conditions by")));
    labelRow->addWidget(CB_ConditionNames, 1);
    labelRow->addWidget(Button_CondMultSel);
    auto* conditions = new QVBoxLayout(Groups_GB_Conditions);
    conditions->addLayout(labelRow);
    conditions->addWidget(List_Cond, 1);
    conditions->addLayout(Row({BB_Invert, BB_Ungrouped, BB_Find, BB_AutoGroup}));
    conditions->addLayout(Row({BB_XY, BB_RI, BB_QQ, BB_3D, BB_Scan}));

    POM_Cond = new QMenu(this);
    POM_Cond_CopySelection = POM_Cond->addAction(QStringLiteral("&Copy selection"));
    POM_Cond_PasteSelection = POM_Cond->addAction(QStringLiteral("&Paste selection"));
    POM_Cond->addSeparator();
    POM_Cond_SaveSelectionAs = POM_Cond->addAction(QStringLiteral("&Save selection as"));
    POM_Cond_LoadSelection = POM_Cond->addAction(QStringLiteral("&Load Selection"));
    POM_Cond->addSeparator();
    Viewalldetails1 = POM_Cond->addAction(QStringLiteral("View all &details"));
    Viewalldetails1->setShortcut(QKeySequence(QStringLiteral("Ctrl+Alt+V")));

    Panel_Groups = new QWidget;
    GB_GroupNumber = new QGroupBox;
    Label_Groups = new QLabel(QStringLiteral("Number of groups"));
    Groups_SE_Number = Spin(1, kMaxGroups, 2);
    Groups_SE_Number->setToolTip(QStringLiteral("Set number of groups"));
    Label_Factors = new QLabel(QStringLiteral("Factor2 #"));
    Factors_SE_Number = Spin(1, kMaxGroups, 2);
    auto* number = new QGridLayout(GB_GroupNumber);
    number->addWidget(Label_Groups, 0, 0);
    number->addWidget(Groups_SE_Number, 0, 1);
    number->addWidget(Label_Factors, 1, 0);
    number->addWidget(Factors_SE_Number, 1, 1);

    GB_Groups = new QGroupBox(QStringLiteral("Groups"));
    List_Group = new QListWidget;
    List_Group->setToolTip(QStringLiteral("Select group for conditon assignment"));
    List_Group->setItemDelegate(new EntryDelegate(
        [this](int row, bool selected) {
            // The last entry, "none", takes the colour of no group.
            const int group = row + 1 < List_Group->count() ? row + 1 : 0;
            return ConditionEntryLook(0, group, selected, row + 1, List_Group->palette());
        },
        nullptr, List_Group));
    (new QVBoxLayout(GB_Groups))->addWidget(List_Group);

    Panel_Assign = new QWidget;
    Button_ConditionsToGroup =
        Button(QStringLiteral("Conditions -> Group"), 0,
               QStringLiteral("Assing marked conditions to marked group - or doubleclick desired "
                              "GROUP"));
    Button_ReleaseAllGroups = Button(QStringLiteral("Release all groups"), 0,
                                     QStringLiteral("Remove all conditions from all groups"));
    auto* assign = new QVBoxLayout(Panel_Assign);
    assign->setContentsMargins(0, 0, 0, 0);
    assign->addWidget(Button_ConditionsToGroup);
    assign->addWidget(Button_ReleaseAllGroups);

    GB_Pairs = new QGroupBox(QStringLiteral("Pairs"));
    Pairs_SG = new QTableWidget(2, 3);
    Pairs_SG->verticalHeader()->hide();
    Button_ClearPairTable = Button(QStringLiteral("Clear"));
    auto* pairs = new QVBoxLayout(GB_Pairs);
    pairs->addWidget(Pairs_SG, 1);
    pairs->addLayout(Row({Button_ClearPairTable}));

    GB_Self = new QGroupBox;
    Normalise_CB_Self = new QCheckBox(QStringLiteral("&Self"));
    Normalise_CB_Self->setChecked(true);
    (new QVBoxLayout(GB_Self))->addWidget(Normalise_CB_Self);

    Label_Value = new QLabel(QStringLiteral("Value"));
    Matches_SE = Spin(0, 1000000, 0);

    Groups_GB_SaveLoad = new QGroupBox(QStringLiteral("Save / Load groups"));
    Groups_BB_Save =
        Button(QStringLiteral("&Save grouping"), 0,
               QStringLiteral("Save present group settings as text file for later reuse"));
    Groups_BB_Load = Button(QStringLiteral("&Load grouping"), 0,
                            QStringLiteral("Load previously saved group settings"));
    GB_RecentGroupings = new QGroupBox(QStringLiteral("Recent groupings"));
    Groups_CB_History = new QComboBox;
    Groups_CB_History->setToolTip(QStringLiteral("Select recently used group settings file"));
    (new QVBoxLayout(GB_RecentGroupings))->addWidget(Groups_CB_History);
    auto* saveLoad = new QVBoxLayout(Groups_GB_SaveLoad);
    saveLoad->addLayout(Row({Groups_BB_Save, Groups_BB_Load}));
    saveLoad->addWidget(GB_RecentGroupings);

    GB_Comment = new QGroupBox(QStringLiteral("Comment"));
    Edit_Comment = new QLineEdit;
    (new QVBoxLayout(GB_Comment))->addWidget(Edit_Comment);

    auto* panel = new QVBoxLayout(Panel_Groups);
    panel->setContentsMargins(0, 0, 0, 0);
    panel->addWidget(GB_GroupNumber);
    panel->addWidget(GB_Groups, 1);
    panel->addWidget(Panel_Assign);
    panel->addWidget(GB_Pairs, 1);
    panel->addWidget(GB_Self);
    panel->addLayout(Row({Label_Value, Matches_SE}));
    panel->addWidget(Groups_GB_SaveLoad);
    panel->addWidget(GB_Comment);

    Splitter_Groups = new QSplitter(Qt::Horizontal);
    Splitter_Groups->addWidget(Groups_GB_Conditions);
    Splitter_Groups->addWidget(Panel_Groups);
    Splitter_Groups->setStretchFactor(0, 1);
    (new QVBoxLayout(page))->addWidget(Splitter_Groups);

    // Shown only by the modes that use them.
    for (QWidget* w : std::initializer_list<QWidget*>{BB_XY, BB_RI, BB_QQ, BB_3D, BB_Scan,
                                                      Label_Factors, Factors_SE_Number, GB_Pairs,
                                                      GB_Self, Label_Value, Matches_SE})
        w->hide();
    return page;
}

QWidget* TdGroupSelector::CreateParameterPage() {
    auto* page = new QWidget;

    GB_pValue = new QGroupBox(QStringLiteral("p-Value"));
    pValue_RB_Dist = new QRadioButton(QStringLiteral("t - / f- Distribution"));
    pValue_RB_Permutation = new QRadioButton(QStringLiteral("Permutations"));
    pValue_RB_Dist->setChecked(true);
    tTest_SE_Perm = Spin(1, 100000000, 1000);
    pValue_CB_All = new QCheckBox(QStringLiteral("all"));
    pValue_RG_MutlCorr = new TRadioGroup(QStringLiteral("Multiple testing correction"),
                                         {QStringLiteral("none"), QStringLiteral("Bonferroni"),
                                          QStringLiteral("adjusted Bonferroni")});
    pValue_RG_MutlCorr->SetItemIndex(0);
    auto* pValue = new QVBoxLayout(GB_pValue);
    pValue->addWidget(pValue_RB_Dist);
    pValue->addLayout(Row({pValue_RB_Permutation, tTest_SE_Perm, pValue_CB_All}));
    pValue->addWidget(pValue_RG_MutlCorr);

    TTest_MultiComb_RG = new TRadioGroup(
        QStringLiteral("Multiple comparisons"),
        {QStringLiteral("Each against each"), QStringLiteral("Each against first")});
    TTest_MultiComb_RG->SetItemIndex(0);
    TTest_MultiMode_RG = new TRadioGroup(QStringLiteral("Comparison mode"),
                                         {QStringLiteral("Any"), QStringLiteral("All")});
    TTest_MultiMode_RG->SetItemIndex(0);

    Label_Mean = new QLabel(QStringLiteral("= mean"));
    tTest_CB_Mean = Combo({QStringLiteral("mean"), QStringLiteral("0"), QStringLiteral("1")},
                          QStringLiteral("mean"));

    Panel_SAM = new QWidget;
    SAM_CB_Response_AutoSort_Conditions = new QCheckBox(QStringLiteral("Auto sort conditions"));
    (new QVBoxLayout(Panel_SAM))->addWidget(SAM_CB_Response_AutoSort_Conditions);

    GB_QuantResponse = new QGroupBox(QStringLiteral("Quantitative response"));
    SAM_SE_ResponseHeaderRow = Spin(1, kMaxLabelRows, 1);
    SAM_BB_ResponseDefineProfile = {Button(QStringLiteral("Manually select profile"), 0),
                                    Button(QStringLiteral("Select"), 1),
                                    Button(QStringLiteral("Select"), 2)};
    auto* response = new QFormLayout(GB_QuantResponse);
    response->addRow(QStringLiteral("Response header row"),
                     Row({SAM_SE_ResponseHeaderRow, SAM_BB_ResponseDefineProfile[2]}));
    response->addRow(QStringLiteral("Gene row"), Row({SAM_BB_ResponseDefineProfile[1]}));
    response->addRow(SAM_BB_ResponseDefineProfile[0]);

    GB_Permutation = new QGroupBox(QStringLiteral("Permutations"));
    SAM_CB_PermAll = new QCheckBox(QStringLiteral("All possible"));
    SAM_SE_Perm = Spin(1, 100000000, 100);
    auto* permutation = new QFormLayout(GB_Permutation);
    permutation->addRow(SAM_CB_PermAll);
    permutation->addRow(QStringLiteral("Cycles"), SAM_SE_Perm);

    SAM_RG_S0 = new TRadioGroup(
        QStringLiteral("So (fudge factor)"),
        {QStringLiteral("Tusher"), QStringLiteral("Percentile"), QStringLiteral("constant")});
    SAM_RG_S0->SetItemIndex(0);
    Panel_S0 = new QWidget;
    SAM_Edit_S0_Percentile = new QLineEdit(QStringLiteral("50"));
    SAM_Edit_S0_Constant = new QLineEdit(QStringLiteral("0.1"));
    auto* s0 = new QFormLayout(Panel_S0);
    s0->addRow(QStringLiteral("Percentile"), SAM_Edit_S0_Percentile);
    s0->addRow(QStringLiteral("Constant"), SAM_Edit_S0_Constant);

    SAM_RG_ResponseType =
        new TRadioGroup(QStringLiteral("Response type"),
                        {QStringLiteral("Quantitative"), QStringLiteral("Survival")});
    SAM_RG_ResponseType->SetItemIndex(0);

    GB_KaplanMeier = new QGroupBox(QStringLiteral("Kaplan-Meier"));
    auto* km = new QFormLayout(GB_KaplanMeier);
    const QString rowTitles[4] = {QString(), QStringLiteral("Survival time row"),
                                  QStringLiteral("Censored time row"),
                                  QStringLiteral("Censoring row")};
    for (int t = 1; t <= 3; ++t) {
        KapMei_Edit_Row[t] = new QLineEdit;
        KapMei_Button_Sel[t] = Button(QStringLiteral("..."), t);
        km->addRow(rowTitles[t], Row({KapMei_Edit_Row[t], KapMei_Button_Sel[t]}, false));
    }
    GB_KapMeiFilter = new QGroupBox(QStringLiteral("Filter"));
    Survival_Edit_Average = new QLineEdit(QStringLiteral("median"));
    Survival_Edit_CI = new QLineEdit(QStringLiteral("0.95"));
    Survival_SE_MinGroupSize = Spin(1, 100000, 3);
    Survival_Edit_Alpha = new QLineEdit(QStringLiteral("0.05"));
    Survival_Edit_MedianGain = new QLineEdit(QStringLiteral("0"));
    auto* kmFilter = new QFormLayout(GB_KapMeiFilter);
    kmFilter->addRow(QStringLiteral("Average"), Survival_Edit_Average);
    kmFilter->addRow(QStringLiteral("Confidence Interval"), Survival_Edit_CI);
    kmFilter->addRow(QStringLiteral("Min groupsize"), Survival_SE_MinGroupSize);
    kmFilter->addRow(QStringLiteral("G1/G3 alpha"), Survival_Edit_Alpha);
    kmFilter->addRow(QStringLiteral("Median survival gain"), Survival_Edit_MedianGain);

    GB_KMeans = new QGroupBox(QStringLiteral("k-means"));
    KMM_SE_Iter = Spin(1, 1000000, 100);
    KMM_SE_TotGenes = Spin(1, 10000000, 1000);
    KMM_SE_Classes = Spin(1, 1000, 4);
    KMM_CB_CentComp =
        Combo({QStringLiteral("Mean"), QStringLiteral("Meidan")}, QStringLiteral("Mean"), false);
    KMM_CB_Metric = Combo(
        {QStringLiteral("Euclidean"), QStringLiteral("Cosine"), QStringLiteral("Dot product")},
        QStringLiteral("Euclidean"), false);
    KMM_CB_Init =
        Combo({QStringLiteral("Random"), QStringLiteral("Wave")}, QStringLiteral("Random"), false);
    auto* kMeans = new QFormLayout(GB_KMeans);
    kMeans->addRow(QStringLiteral("Iterations"), KMM_SE_Iter);
    kMeans->addRow(QStringLiteral("Total genes"), KMM_SE_TotGenes);
    kMeans->addRow(QStringLiteral("Classes"), KMM_SE_Classes);
    kMeans->addRow(QStringLiteral("Centroid"), KMM_CB_CentComp);
    kMeans->addRow(QStringLiteral("Metric"), KMM_CB_Metric);
    kMeans->addRow(QStringLiteral("Initialisation"), KMM_CB_Init);

    GB_PCA = new QGroupBox(QStringLiteral("PCA"));
    PCA_Edit_EVRatio = new QLineEdit(QStringLiteral("90"));
    PCA_Edit_MaxIter = new QLineEdit(QStringLiteral("1000"));
    PCA_Edit_Acc = new QLineEdit(QStringLiteral("0.0001"));
    auto* pca = new QFormLayout(GB_PCA);
    pca->addRow(QStringLiteral("Eigenvalue ratio (%)"), PCA_Edit_EVRatio);
    pca->addRow(QStringLiteral("Max. iterations"), PCA_Edit_MaxIter);
    pca->addRow(QStringLiteral("Accuracy"), PCA_Edit_Acc);

    auto* left = new QVBoxLayout;
    left->addWidget(GB_pValue);
    left->addWidget(TTest_MultiComb_RG);
    left->addWidget(TTest_MultiMode_RG);
    left->addLayout(Row({Label_Mean, tTest_CB_Mean}));
    left->addWidget(Panel_SAM);
    left->addWidget(GB_QuantResponse);
    left->addStretch();
    auto* right = new QVBoxLayout;
    right->addWidget(GB_Permutation);
    right->addWidget(SAM_RG_S0);
    right->addWidget(Panel_S0);
    right->addWidget(SAM_RG_ResponseType);
    right->addWidget(GB_KaplanMeier);
    right->addWidget(GB_KapMeiFilter);
    right->addWidget(GB_KMeans);
    right->addWidget(GB_PCA);
    right->addStretch();
    auto* layout = new QHBoxLayout(page);
    layout->addLayout(left);
    layout->addLayout(right);

    for (QWidget* w :
         std::initializer_list<QWidget*>{Label_Mean, tTest_CB_Mean, Panel_SAM, GB_KaplanMeier,
                                         GB_KapMeiFilter, GB_KMeans, GB_PCA})
        w->hide();
    return page;
}

QWidget* TdGroupSelector::CreateInfoPage() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(
        MemoBox(QStringLiteral("Info"), Info_Memo, Info_Button_Clear, Info_Button_Copy));
    layout->addWidget(
        MemoBox(QStringLiteral("Log"), Log_Memo, Info_Log_Button_Clear, Info_Log_Button_Copy));
    return page;
}

QWidget* TdGroupSelector::CreateCGHPage() {
    auto* page = new QWidget;
    const QString glyphs[3] = {QStringLiteral("<"), QStringLiteral("o"), QStringLiteral(">")};

    Adjust_GB = new QGroupBox(QStringLiteral("Data view"));
    for (int k = 0; k < 3; ++k) {
        Widht_BB[k] = Button(glyphs[k], k - 1);
        Zoom_BB[k] = Button(glyphs[k], k - 1);
        Widht_BB[k]->setMaximumWidth(28);
        Zoom_BB[k]->setMaximumWidth(28);
    }
    RG_DataType = new TRadioGroup(
        QStringLiteral("Data type"),
        {QStringLiteral("Raw"), QStringLiteral("z-transformed"), QStringLiteral("smoothed")});
    RG_DataType->SetItemIndex(0);
    CGH_BB_Show_BB_ShowSingleCGHProbes = Button(QStringLiteral("Show single CGH probes"), 2);
    CGH_BB_Show_Processed = Button(QStringLiteral("Show processed"), 3);
    CGH_BB_Show_Groups = Button(QStringLiteral("Show groups"), 4);
    auto* view = new QGridLayout(Adjust_GB);
    view->addWidget(new QLabel(QStringLiteral("Size  graph")), 0, 0);
    view->addLayout(Row({Widht_BB[0], Widht_BB[1], Widht_BB[2]}), 0, 1);
    view->addWidget(new QLabel(QStringLiteral("Scale/zoom")), 1, 0);
    view->addLayout(Row({Zoom_BB[0], Zoom_BB[1], Zoom_BB[2]}), 1, 1);
    view->addWidget(RG_DataType, 2, 0, 1, 2);
    view->addWidget(CGH_BB_Show_BB_ShowSingleCGHProbes, 3, 0, 1, 2);
    view->addWidget(CGH_BB_Show_Processed, 4, 0, 1, 2);
    view->addWidget(CGH_BB_Show_Groups, 5, 0, 1, 2);

    Process_GB = new QGroupBox(QStringLiteral("Process"));
    BB_ZTransform = Button(QStringLiteral("z-transform"));
    BB_InvertSign = Button(QStringLiteral("Invert sign"));
    BB_Log10toLog2 = Button(QStringLiteral("Log10 => Log2"));
    SmoothType_RG = new TRadioGroup(QStringLiteral("Smooth data"),
                                    {QStringLiteral("Mean"), QStringLiteral("Median"),
                                     QStringLiteral("Triangle"), QStringLiteral("Gaussian")},
                                    2);
    SmoothType_RG->SetItemIndex(0);
    Smooth_CB =
        Combo({QStringLiteral("3"), QStringLiteral("5"), QStringLiteral("9"), QStringLiteral("15"),
               QStringLiteral("23"), QStringLiteral("33"), QStringLiteral("45"),
               QStringLiteral("59"), QStringLiteral("77"), QStringLiteral("97"),
               QStringLiteral("121"), QStringLiteral("147"), QStringLiteral("175"),
               QStringLiteral("205"), QStringLiteral("237"), QStringLiteral("281")},
              QStringLiteral("3"));
    BB_Smooth = Button(QStringLiteral("Smooth !"));
    auto* process = new QVBoxLayout(Process_GB);
    process->addLayout(Row({BB_ZTransform, BB_InvertSign, BB_Log10toLog2}));
    process->addWidget(SmoothType_RG);
    auto* filterSize = new QLabel(QStringLiteral("Filter size"));
    process->addLayout(Row({filterSize, Smooth_CB, BB_Smooth}));

    GB_Significant = new QGroupBox(QStringLiteral("Filter significant features"));
    FilterSig_CB_WindowSize = Combo(
        {QStringLiteral("3"), QStringLiteral("5"), QStringLiteral("7"), QStringLiteral("11"),
         QStringLiteral("15"), QStringLiteral("21"), QStringLiteral("31"), QStringLiteral("51")},
        QStringLiteral("3"));
    FilterSig_CB_Matches = Combo(Numbers(1, 10), QStringLiteral("1"));
    FilterSig_BB_Filter = Button(QStringLiteral("Filter !"), 1);
    FilterSig_BB_All = Button(QStringLiteral("All"), 0);
    FilterGeneCGH_CB_Range = Combo(
        {QStringLiteral("0"), QStringLiteral("100"), QStringLiteral("500"), QStringLiteral("1000"),
         QStringLiteral("5000"), QStringLiteral("10000"), QStringLiteral("50000"),
         QStringLiteral("100000"), QStringLiteral("500000"), QStringLiteral("1000000")},
        QStringLiteral("0"));
    FilterGeneCGH_CB_ProbeNum = Combo(Numbers(1, 10), QStringLiteral("1"));
    FilterGeneCGH_BB_Filter = Button(QStringLiteral("Gene / CGH"), 1);
    FilterGeneCGH_BB_All = Button(QStringLiteral("All"), 0);
    auto* significant = new QGridLayout(GB_Significant);
    significant->addWidget(new QLabel(QStringLiteral("Window size")), 0, 0);
    significant->addWidget(FilterSig_CB_WindowSize, 0, 1);
    significant->addWidget(new QLabel(QStringLiteral("Matches")), 0, 2);
    significant->addWidget(FilterSig_CB_Matches, 0, 3);
    significant->addWidget(FilterSig_BB_Filter, 0, 4);
    significant->addWidget(FilterSig_BB_All, 0, 5);
    significant->addWidget(new QLabel(QStringLiteral("Range")), 1, 0);
    significant->addWidget(FilterGeneCGH_CB_Range, 1, 1);
    significant->addWidget(new QLabel(QStringLiteral("CGH probes")), 1, 2);
    significant->addWidget(FilterGeneCGH_CB_ProbeNum, 1, 3);
    significant->addWidget(FilterGeneCGH_BB_Filter, 1, 4);
    significant->addWidget(FilterGeneCGH_BB_All, 1, 5);

    auto* layout = new QGridLayout(page);
    layout->addWidget(Adjust_GB, 0, 0);
    layout->addWidget(Process_GB, 0, 1);
    layout->addWidget(GB_Significant, 1, 0, 1, 2);
    layout->setRowStretch(2, 1);
    return page;
}

QWidget* TdGroupSelector::CreateExpressionPage() {
    auto* page = new QWidget;
    auto* viewBox = new QGroupBox(QStringLiteral("Set view parameters"));
    const QString glyphs[3] = {QStringLiteral("<"), QStringLiteral("o"), QStringLiteral(">")};
    for (int k = 0; k < 3; ++k) {
        HeatMap_BB[k] = Button(glyphs[k], k - 1);
        HeatMap_BB[k]->setMaximumWidth(28);
    }
    ExpMat_CB_Scale = Combo({QStringLiteral("0.1"), QStringLiteral("0.5"), QStringLiteral("1.0"),
                             QStringLiteral("1.5"), QStringLiteral("2.0"), QStringLiteral("3.0"),
                             QStringLiteral("5.0")},
                            QStringLiteral("2.0"));
    ExpMat_CB_GeneAnno = new QComboBox;
    ExpMat_BB_ViewGeneAnno = Button(QStringLiteral("View gene annotation"));
    auto* view = new QFormLayout(viewBox);
    view->addRow(QStringLiteral("Width"), Row({HeatMap_BB[0], HeatMap_BB[1], HeatMap_BB[2]}));
    view->addRow(QStringLiteral("Scale"), ExpMat_CB_Scale);
    view->addRow(QStringLiteral("Gene annotation"), ExpMat_CB_GeneAnno);
    view->addRow(ExpMat_BB_ViewGeneAnno);

    auto* adjustBox = new QGroupBox(QStringLiteral("Adjust expression values"));
    ExpMat_BB_MeanNormaliseGenes = Button(QStringLiteral("Mean normalise genes"), 1);
    ExpMat_BB_Log2Transform = Button(QStringLiteral("Log2 transform"), 2);
    ExpMat_BB_Log2Log10Transform = Button(QStringLiteral("Log10 => Log2 transform"), 3);
    auto* adjust = new QVBoxLayout(adjustBox);
    adjust->addWidget(ExpMat_BB_MeanNormaliseGenes);
    adjust->addWidget(ExpMat_BB_Log2Transform);
    adjust->addWidget(ExpMat_BB_Log2Log10Transform);

    auto* layout = new QHBoxLayout(page);
    layout->addWidget(viewBox, 0, Qt::AlignTop);
    layout->addWidget(adjustBox, 0, Qt::AlignTop);
    layout->addStretch();
    return page;
}

QWidget* TdGroupSelector::CreateButtonRow() {
    auto* row = new QWidget;
    ToolButton1 = new QToolButton;
    ToolButton1->setText(QStringLiteral("On top"));
    BitBtn_Help = Button(QStringLiteral("&Help"));
    BitBtn_About = Button(QStringLiteral("&About"));
    BB_ToScript = Button(QStringLiteral("=> Script"), 0,
                         QStringLiteral("Add specified parameters for statistics test to a JX-DORV "
                                        "script"));
    BBB_RunAnalysis = Button(QStringLiteral("&Run"), 1);
    BitBtn_OK = Button(QStringLiteral("OK"), 0);
    BitBtn_Cancel = Button(QStringLiteral("Cancel"));
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    for (QWidget* w : std::initializer_list<QWidget*>{ToolButton1, BitBtn_Help, BitBtn_About})
        layout->addWidget(w);
    layout->addStretch();
    for (QWidget* w :
         std::initializer_list<QWidget*>{BB_ToScript, BBB_RunAnalysis, BitBtn_OK, BitBtn_Cancel})
        layout->addWidget(w);
    return row;
}

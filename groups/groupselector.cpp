// The group selector's life: creation, showing laid out for its mode, and closing.
#include "groupselector.h"

#include "memberstrings.h"
#include "modelayout.h"
#include "radiogroup.h"
#include "toolglobals.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QSplitter>
#include <QTabWidget>
#include <QTableWidget>
#include <algorithm>

TdGroupSelector::TdGroupSelector(QWidget* parent) : QDialog(parent) {
    // A window of its own (own taskbar entry) kept above the program's others; some window
    // managers ignore the stay-on-top hint.
    setWindowFlags(Qt::Window | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                   Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral("Assign groups / parameters"));
    resize(620, 460);
    CreateComponents();
    ConnectHandlers();
    ConnectViewTool();
    CreateGroupTools();
    CreatePlotScanMenu();
    ConnectControls();
    FormCreate();
}

void TdGroupSelector::FormCreate() {
    Mode = 0;
    ResultCode = -1;
    LabelRow = 1;
    FirstConditionNumber = 1;
    GroupCount = 2;
    OwnerHandle = 0;
    GroupMembers.fill(QString());
    ConditionGroup.clear();
    SetColours.fill(0);
    ConditionViewer = nullptr;
    LabelRows.clear();
    CurrentCondition = 0;
    ClosePermit = 1;
    FindHistory.clear();
    HeaderTable.Clear(); // the caller sizes it from its counts
    GB_QuantResponse->hide();
    PageControl1->setCurrentWidget(TS_Groups);
    Pairs_SG->setColumnWidth(0, 50);
}

void TdGroupSelector::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!formShown_) FormShow();
    ApplyConditionWidth();
}

void TdGroupSelector::FormShow() {
    formShown_ = true;
    ReadSettings();
    EnableParameterControls();
    for (QWidget* w :
         std::initializer_list<QWidget*>{GB_pValue, TTest_MultiComb_RG, TTest_MultiMode_RG,
                                         GB_Permutation, SAM_RG_S0, Panel_S0, SAM_RG_ResponseType})
        w->hide();
    PageControl1->setTabVisible(PageControl1->indexOf(Tab_CGH_Param), false);
    PageControl1->setTabVisible(PageControl1->indexOf(Tab_ExpMat_Param), false);
    ApplyModeLayout();
    if (FillsGroupOne(Mode, GroupCount) && GroupMembers[1].isEmpty())
        GroupMembers[1] = AllConditionNumbers(FirstConditionNumber, ConditionCount);
    {
        const QSignalBlocker block(Groups_SE_Number);
        Groups_SE_Number->setValue(GroupCount);
    }
    ShowConditions();

    {
        const QSignalBlocker block(PageControl1);
        PageControl1->setCurrentWidget(TS_Groups);
    }
    TS_GroupsShow();
}

void TdGroupSelector::ShowConditions() {
    ConditionGroup.assign(static_cast<size_t>(std::max(ConditionCount, 0)) + 1, 0);
    ConditionActive.resize(ConditionGroup.size(), 0);
    // The script writes levels 0..ConditionCount + 2; those the profile controls never set are 0.
    ResponseProfile.resize(ConditionGroup.size() + 2, 0.0f);
    if (ListsGeneAnnotation())
        FillGeneAnnotationList();
    else
        FillGroupsFromMembers();

    List_Cond->clear();
    List_Cond->addItems(ConditionLabels(LabelRows.empty() ? 1 : 2));
    if (Mode == 2000) {
        // The tool starts from the map's state, so its first report changes nothing there.
        std::vector<bool> marks(static_cast<size_t>(ConditionEntries()));
        for (size_t i = 0; i < marks.size(); ++i) marks[i] = ConditionActive[i + 1] != 0;
        SetMarks(marks);
    }
    FillLabelRowBox();
}

void TdGroupSelector::ConditionsChanged() {
    // The labels stay as the user chose them, from the rows the new header still has.
    const int rows = HeaderRowCount - 1;
    if (LabelRow > rows) LabelRow = 1;
    std::erase_if(LabelRows, [rows](int32_t row) { return row > rows; });
    ShowConditions();
}

void TdGroupSelector::ApplyModeLayout() {
    const ModeLayout* row = FindModeLayout(Mode);
    std::vector<std::pair<LayoutPart, bool>> parts;
    if (row) {
        if (const QString caption = row->Caption(Mode); !caption.isEmpty()) setWindowTitle(caption);
        if (!row->distribution.isEmpty()) pValue_RB_Dist->setText(row->distribution);
        if (row->groupCount > 0) GroupCount = row->groupCount;
        if (!row->groupLabel.isEmpty()) Label_Groups->setText(row->groupLabel);
        if (!row->groupBoxTitle.isEmpty()) GB_Groups->setTitle(row->groupBoxTitle);
        if (!row->xyCaption.isEmpty()) BB_XY->setText(row->xyCaption);
        if (!row->valueLabel.isEmpty()) Label_Value->setText(row->valueLabel);
        if (row->value >= 0) {
            const QSignalBlocker block(Matches_SE);
            Matches_SE->setValue(row->value);
        }
        parts = row->parts;
    }
    if (Mode == 1) {
        if (GroupCount == 1) setWindowTitle(QStringLiteral("1-Class t-Test"));
        parts.emplace_back(LayoutPart::MeanControls, GroupCount == 1);
        parts.emplace_back(LayoutPart::MultiComparison, GroupCount >= 3);
    }
    for (const auto& [part, shown] : parts) ShowPart(part, shown);
    if (Mode == 2001) PageControl1->setCurrentWidget(Tab_ExpMat_Param);
}

void TdGroupSelector::ShowPart(LayoutPart part, bool shown) {
    const auto tab = [&](QWidget* page) {
        PageControl1->setTabVisible(PageControl1->indexOf(page), shown);
    };
    std::vector<QWidget*> widgets;
    switch (part) {
    case LayoutPart::ParameterPage:
        return tab(TS_Parameter);
    case LayoutPart::GroupsTab:
        return tab(TS_Groups);
    case LayoutPart::CGHPage:
        return tab(Tab_CGH_Param);
    case LayoutPart::ExpressionPage:
        return tab(Tab_ExpMat_Param);
    case LayoutPart::GroupsPanel:
        widgets = {Panel_Groups};
        break;
    case LayoutPart::GroupNumberBox:
        widgets = {GB_GroupNumber};
        break;
    case LayoutPart::GroupBox:
        widgets = {GB_Groups};
        break;
    case LayoutPart::AssignmentBox:
        widgets = {Panel_Assign};
        break;
    case LayoutPart::PairsBox:
        widgets = {GB_Pairs};
        break;
    case LayoutPart::SelfBox:
        widgets = {GB_Self};
        break;
    case LayoutPart::ValueControls:
        widgets = {Label_Value, Matches_SE};
        break;
    case LayoutPart::FactorControls:
        widgets = {Label_Factors, Factors_SE_Number};
        break;
    case LayoutPart::SaveLoadBox:
        widgets = {Groups_GB_SaveLoad};
        break;
    case LayoutPart::RecentGroupings:
        widgets = {GB_RecentGroupings};
        break;
    case LayoutPart::PlotButtons:
        widgets = {BB_XY, BB_RI, BB_QQ, BB_3D, BB_Scan};
        break;
    case LayoutPart::XYButton:
        widgets = {BB_XY};
        break;
    case LayoutPart::ScriptButton:
        widgets = {BB_ToScript, GB_Comment}; // the comment goes only into the script
        break;
    case LayoutPart::RunButton:
        widgets = {BBB_RunAnalysis};
        break;
    case LayoutPart::OKButton:
        widgets = {BitBtn_OK};
        break;
    case LayoutPart::PValueBox:
        widgets = {GB_pValue};
        break;
    case LayoutPart::MultiComparison:
        widgets = {TTest_MultiComb_RG, TTest_MultiMode_RG};
        break;
    case LayoutPart::MeanControls:
        widgets = {Label_Mean, tTest_CB_Mean};
        break;
    case LayoutPart::SamPanel:
        widgets = {Panel_SAM};
        break;
    case LayoutPart::QuantResponseBox:
        widgets = {GB_QuantResponse};
        break;
    case LayoutPart::PermutationBox:
        widgets = {GB_Permutation};
        break;
    case LayoutPart::S0Controls:
        widgets = {SAM_RG_S0, Panel_S0};
        break;
    case LayoutPart::ResponseType:
        widgets = {SAM_RG_ResponseType};
        break;
    case LayoutPart::KaplanMeierBoxes:
        widgets = {GB_KaplanMeier, GB_KapMeiFilter};
        break;
    case LayoutPart::KMeansBox:
        widgets = {GB_KMeans};
        break;
    case LayoutPart::PCABox:
        widgets = {GB_PCA};
        break;
    }
    for (QWidget* w : widgets) w->setVisible(shown);
}

void TdGroupSelector::FillGroupsFromMembers() {
    List_Group->clear();
    const int groups = Groups_SE_Number->value();
    if (Mode == 210) {
        for (int f = 1; f <= groups; ++f)
            for (int g = 1; g <= Factors_SE_Number->value(); ++g)
                List_Group->addItem(QStringLiteral("Factor-%1_Group-%2").arg(f).arg(g));
    } else {
        for (int g = 1; g <= groups; ++g) List_Group->addItem(QStringLiteral("Group-%1").arg(g));
    }
    const int seeded =
        std::min(Mode == 210 ? groups * Factors_SE_Number->value() : groups, kMaxMemberStrings);
    for (int g = 1; g <= seeded; ++g)
        for (int i : MemberConditions(GroupMembers[g], FirstConditionNumber, ConditionCount))
            ConditionGroup[static_cast<size_t>(i)] = g;
    List_Group->addItem(QStringLiteral("none"));
}

bool TdGroupSelector::ListsGeneAnnotation() const {
    const ModeLayout* layout = FindModeLayout(Mode);
    return layout && layout->keepsGroupList;
}

void TdGroupSelector::FillGeneAnnotationList() {
    List_Group->clear();
    if (!AnalysisMatrix) return;
    for (int column = 1; column <= AnalysisMatrix->AnnotationColumnCount; ++column)
        List_Group->addItem(QString::fromStdString(AnalysisMatrix->HeaderCell(column, 1)));
}

void TdGroupSelector::FillLabelRowBox() {
    CB_ConditionNames->clear();
    const int rows = std::min(HeaderRowCount - 1, kMaxLabelRows);
    for (int r = 1; r <= rows; ++r) {
        const QString& title = HeaderTable.Cell(0, r);
        CB_ConditionNames->addItem(title.isEmpty() ? QStringLiteral("--") : title);
    }
    CB_ConditionNames->setCurrentIndex(LabelRow >= 1 && LabelRow <= rows ? LabelRow - 1 : -1);
}

bool TdGroupSelector::FormCloseQuery() {
    if (busy_) return false;
    const bool permit = ClosePermit != 0;
    ClosePermit = 1;
    return permit;
}

void TdGroupSelector::closeEvent(QCloseEvent* event) {
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
}

void TdGroupSelector::reject() {
    close();
}

void TdGroupSelector::FormClose() {
    if (formClosed_) return;
    formClosed_ = true;
    WriteSettings();
    if (Mode == 2000) CGHToolOpen = false;
    if (Mode == 2001) ExpressionToolOpen = false;
    FindHistory.clear();
    HeaderTable.Clear();
}

void TdGroupSelector::BitBtn_CancelClick() {
    ResultCode = -1;
    close();
}

void TdGroupSelector::TS_ParameterEnter() {
    ParametersChecked = 1;
}

void TdGroupSelector::WMGroupSelectorNotify(int code, intptr_t arg) {
    // The condition viewer reports that it has closed.
    if (code == 0 && arg == 9000) ConditionViewer = nullptr;
}

intptr_t TdGroupSelector::ToolMessage(int code, intptr_t arg) {
    WMGroupSelectorNotify(code, arg);
    return 0;
}

void TdGroupSelector::PageChanged(int index) {
    QWidget* page = PageControl1->widget(index);
    if (page == TS_Groups) TS_GroupsShow();
    if (page == TS_Parameter) TS_ParameterEnter();
}

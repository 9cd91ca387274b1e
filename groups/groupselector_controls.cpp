// The group selector's smaller controls: help and about, the enabling of the parameter controls,
// the group list's pop-up, the condition viewer, the survival-row pickers, the pairs grid, the
// memos, select-all, stay-on-top and the first paint of mode 311.
#include "dialoghooks.h"
#include "groupselector.h"
#include "jxdorvdec.h"
#include "radiogroup.h"
#include "sellist.h"
#include "stayontop.h"
#include "system.h"
#include "tablecells.h"
#include "tableeditor.h"
#include "tableeditormodel.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>

void TdGroupSelector::ConnectControls() {
    connect(BitBtn_Help, &QPushButton::clicked, this, &TdGroupSelector::BitBtn_HelpClick);
    connect(BitBtn_About, &QPushButton::clicked, this, &TdGroupSelector::BitBtn_AboutClick);
    connect(pValue_RB_Dist, &QRadioButton::clicked, this, &TdGroupSelector::pValue_RB_DistClick);
    connect(pValue_RB_Permutation, &QRadioButton::clicked, this,
            &TdGroupSelector::pValue_RB_PermutationClick);
    connect(SAM_RG_S0, &TRadioGroup::itemClicked, this, &TdGroupSelector::SAM_RG_S0Click);
    connect(SAM_CB_PermAll, &QCheckBox::clicked, this, &TdGroupSelector::SAM_CB_PermAllClick);

    POM_Groups = new QMenu(this);
    POM_Groups_Release = POM_Groups->addAction(QStringLiteral("&Release group"));
    POM_Groups_ShowMembers = POM_Groups->addAction(QStringLiteral("&Show members"));
    List_Group->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(List_Group, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        POM_Groups->popup(List_Group->viewport()->mapToGlobal(at));
    });
    connect(POM_Groups_Release, &QAction::triggered, this,
            &TdGroupSelector::POM_Groups_ReleaseClick);
    connect(POM_Groups_ShowMembers, &QAction::triggered, this,
            &TdGroupSelector::POM_Groups_ShowMembersClick);

    // Nothing sets these spin edits from code: every change is the user's.
    for (QSpinBox* spin : {SAM_SE_ResponseHeaderRow, KMM_SE_Iter, KMM_SE_TotGenes, KMM_SE_Classes})
        connect(spin, &QSpinBox::valueChanged, this,
                &TdGroupSelector::SAM_SE_ResponseHeaderRowChange);
    for (QPushButton* button : SAM_BB_ResponseDefineProfile)
        connect(button, &QPushButton::clicked, this,
                [this, button] { SAM_BB_ResponseDefineProfileClick(button); });

    // The shortcut works with the pop-up closed.
    addAction(Viewalldetails1);
    connect(Viewalldetails1, &QAction::triggered, this, &TdGroupSelector::Viewalldetails1Click);
    for (int t = 1; t <= 3; ++t)
        connect(KapMei_Button_Sel[t], &QPushButton::clicked, this,
                [this, t] { KapMei_Button_Sel1Click(KapMei_Button_Sel[t]); });
    connect(Info_Log_Button_Clear, &QPushButton::clicked, this,
            &TdGroupSelector::Info_Log_Button_ClearClick);
    connect(Info_Button_Clear, &QPushButton::clicked, this,
            &TdGroupSelector::Info_Button_ClearClick);
    connect(Info_Log_Button_Copy, &QPushButton::clicked, this,
            &TdGroupSelector::Info_Log_Button_CopyClick);
    connect(Info_Button_Copy, &QPushButton::clicked, this, &TdGroupSelector::Info_Button_CopyClick);

    ToolButton1->setCheckable(true);
    ToolButton1->setChecked(true); // the window starts on top
    connect(ToolButton1, &QToolButton::clicked, this, &TdGroupSelector::ToolButton1Click);
    connect(Button_ClearPairTable, &QPushButton::clicked, this,
            &TdGroupSelector::Button_ClearPairTableClick);
    Pairs_SG->horizontalHeader()->setMinimumSectionSize(1); // the set widths hold exactly
    List_Cond->installEventFilter(this);
    Pairs_SG->viewport()->installEventFilter(this);
}

bool TdGroupSelector::ControlEvent(QObject* watched, QEvent* event) {
    if (watched == List_Cond && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        return List_CondKeyDown(key->key(), key->modifiers());
    }
    if (watched != Pairs_SG->viewport()) return false;
    // The viewport follows the pairs panel's size.
    if (event->type() == QEvent::Resize) Panel3Resize();
    if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const QPoint at = mouse->position().toPoint();
        Pairs_SGMouseDown(mouse->button(), event->type() == QEvent::MouseButtonDblClick,
                          Pairs_SG->columnAt(at.x()), Pairs_SG->rowAt(at.y()));
    }
    return false;
}

void TdGroupSelector::BitBtn_HelpClick() {
    if (HelpBase.isEmpty())
        BitBtn_AboutClick();
    else
        OpenHelpUrl(HelpBase + HelpPage);
}

void TdGroupSelector::OpenHelpUrl(const QString& url) {
    OpenUrl(url);
}

void TdGroupSelector::BitBtn_AboutClick() {
    ShowMessage(this,
                QStringLiteral("Group selector / parameter dialog\nVersion 1.2d, from "
                               "14.01.2011\n\nimplemented by\n") +
                    AboutText,
                MessageCaption, MsgIcon::Information);
}

void TdGroupSelector::EnableParameterControls() {
    const bool permutations = pValue_RB_Permutation->isChecked();
    tTest_SE_Perm->setEnabled(permutations);
    pValue_CB_All->setEnabled(permutations);
    SAM_Edit_S0_Percentile->setEnabled(SAM_RG_S0->ItemIndex() == 1);
    SAM_Edit_S0_Constant->setEnabled(SAM_RG_S0->ItemIndex() == 2);
    SAM_SE_Perm->setEnabled(!SAM_CB_PermAll->isChecked());
}

void TdGroupSelector::pValue_RB_DistClick() {
    pValue_RB_Dist->setChecked(true);
    EnableParameterControls();
}

void TdGroupSelector::pValue_RB_PermutationClick() {
    pValue_RB_Permutation->setChecked(true);
    EnableParameterControls();
}

void TdGroupSelector::SAM_RG_S0Click() {
    EnableParameterControls();
}

void TdGroupSelector::SAM_CB_PermAllClick() {
    EnableParameterControls();
    if (!SAM_CB_PermAll->isChecked() || Mode != 3 || GroupCount != 1) return;
    int k = 0;
    for (int i = 1; i <= ConditionCount && i < static_cast<int>(ConditionGroup.size()); ++i)
        k += ConditionGroup[static_cast<size_t>(i)] == 1 ? 1 : 0;
    // Every relabelling but the identity, when the spin edit can hold their count.
    const int64_t maximum = SAM_SE_Perm->maximum();
    const bool fits = k < 31 && (int64_t{1} << k) <= maximum;
    SAM_SE_Perm->setValue(fits ? static_cast<int>((int64_t{1} << k) - 1) : SAM_SE_Perm->maximum());
}

void TdGroupSelector::POM_Groups_ReleaseClick() {
    if (List_Group->currentRow() < 0) {
        for (int n = 0; n < 3; ++n) Beep();
        return;
    }
    const int g = PickedGroup();
    for (size_t i = 1; i < ConditionGroup.size(); ++i)
        if (ConditionGroup[i] == g) ConditionGroup[i] = 0;
    // Only the counts: assigning now would put the marked conditions straight back.
    List_Cond->viewport()->update();
    rebuildGroupList();
}

void TdGroupSelector::POM_Groups_ShowMembersClick() {
    if (List_Group->currentRow() < 0) {
        for (int n = 0; n < 3; ++n) Beep();
        return;
    }
    const int g = PickedGroup();
    std::vector<bool> marks(static_cast<size_t>(ConditionEntries()));
    for (size_t i = 0; i < marks.size(); ++i)
        marks[i] = i + 1 < ConditionGroup.size() && ConditionGroup[i + 1] == g;
    SetMarks(marks);
    rebuildGroupList();
}

void TdGroupSelector::Viewalldetails1Click() {
    if (ConditionViewer) return;
    auto* viewer = new TfTableEditor(this);
    viewer->setAttribute(Qt::WA_DeleteOnClose);
    ConditionViewer = viewer;
    if (!RegistryKey.isEmpty())
        viewer->RegistryKey = RegistryKey + QStringLiteral("\\Parameter\\Groups\\ConditionViewer");
    viewer->NotifyHandle = Handle();
    viewer->NotifyMessage = WM_TOOL_COMMAND;
    viewer->NotifyCode = 0;
    viewer->NotifyArg = 9000; // WMGroupSelectorNotify forgets the viewer
    viewer->NotifyExtra = HeaderRowCount + 1;
    viewer->SGCells->SetFixed(1, viewer->SGCells->FixedRows());
    viewer->SGCells->SetColCount(HeaderRowCount + 1);
    viewer->show();
    QString titles = QStringLiteral(" ");
    for (int r = 1; r <= HeaderRowCount; ++r) titles += QLatin1Char('\t') + HeaderTable.Cell(0, r);
    TableSetRow(*viewer, 0, titles, QLatin1Char('\t'));
    List_CondClick();
}

void TdGroupSelector::KapMei_Button_Sel1Click(QObject* sender) {
    const int tag = Tag(sender);
    TdSel_List choose(this);
    choose.setWindowTitle(QStringLiteral("Select survival Column"));
    for (int r = 1; r <= HeaderRowCount - 1; ++r) {
        const QString& title = HeaderTable.Cell(0, r);
        choose.Items << (title.isEmpty() ? QStringLiteral("--") : title);
    }
    if (CB_ConditionNames->count() > 0) CB_ConditionNames->setCurrentIndex(0);
    RunModal(choose);
    if (choose.ResultIndex > 0 && tag >= 1 && tag <= 3)
        KapMei_Edit_Row[static_cast<size_t>(tag)]->setText(QString::number(choose.ResultIndex));
}

void TdGroupSelector::Info_Log_Button_ClearClick() {
    Log_Memo->clear();
}

void TdGroupSelector::Info_Button_ClearClick() {
    Info_Memo->clear();
}

void TdGroupSelector::Info_Log_Button_CopyClick() {
    QGuiApplication::clipboard()->setText(Log_Memo->toPlainText());
}

void TdGroupSelector::Info_Button_CopyClick() {
    QGuiApplication::clipboard()->setText(Info_Memo->toPlainText());
}

bool TdGroupSelector::List_CondKeyDown(int key, Qt::KeyboardModifiers modifiers) {
    if (key != Qt::Key_A || !(modifiers & Qt::ControlModifier)) return false;
    SetMarks(std::vector<bool>(static_cast<size_t>(ConditionEntries()), true));
    return true;
}

void TdGroupSelector::ToolButton1Click() {
    SetStaysOnTop(*this, ToolButton1->isChecked());
}

void TdGroupSelector::Panel3Resize() {
    const int half = (Pairs_SG->viewport()->width() - 30) / 2;
    Pairs_SG->setColumnWidth(0, 30);
    Pairs_SG->setColumnWidth(1, half);
    Pairs_SG->setColumnWidth(2, half);
}

void TdGroupSelector::Pairs_SGMouseDown(Qt::MouseButton button, bool doubleClick, int col,
                                        int row) {
    if (doubleClick) {
        const int half = (Pairs_SG->viewport()->width() - 50) / 2;
        Pairs_SG->setColumnWidth(0, 25);
        Pairs_SG->setColumnWidth(1, half);
        Pairs_SG->setColumnWidth(2, half);
        return;
    }
    // Only the two partner columns below the titles take a condition, and only one of the list.
    const int i = CurrentCondition;
    if (button != Qt::LeftButton || col < 1 || col > 2 || row < 1 || row >= Pairs_SG->rowCount() ||
        i < 1 || i > ConditionCount || i >= static_cast<int>(ConditionGroup.size()))
        return;
    ConditionGroup[static_cast<size_t>(i)] = col;
    SetCell(Pairs_SG, row, col, PairCellText(i));
    List_Cond->viewport()->update();
}

void TdGroupSelector::Button_ClearPairTableClick() {
    for (int r = 1; r < Pairs_SG->rowCount(); ++r) {
        SetCell(Pairs_SG, r, 0, QString::number(r));
        SetCell(Pairs_SG, r, 1, QString());
        SetCell(Pairs_SG, r, 2, QString());
    }
}

QString TdGroupSelector::PairCellText(int32_t i) const {
    return QStringLiteral("%1:%2").arg(i).arg(HeaderTable.Cell(i, LabelRow));
}

void TdGroupSelector::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    FormPaint();
}

void TdGroupSelector::FormPaint() {
    if (FirstPaint && Mode == 311) {
        // Turned after the paint: a paint handler must not change pages or pump events.
        QTimer::singleShot(0, this, [this] {
            PageControl1->setCurrentWidget(TS_Info);
            PageControl1->setCurrentWidget(TS_Parameter);
            PageControl1->currentWidget()->update();
        });
    }
    FirstPaint = 0;
}

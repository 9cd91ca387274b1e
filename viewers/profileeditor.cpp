// The profile editor's window: its widgets, showing, closing and settings.
#include "profileeditor.h"

#include "analysismatrix.h"
#include "dialoghooks.h"
#include "inputtext.h"
#include "profilemodel.h"
#include "registry.h"
#include "windowplace.h"

#include <QApplication>
#include <QComboBox>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QShowEvent>
#include <QSplitter>
#include <QStatusBar>
#include <QStringListModel>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace {
const QString kSystemKey = QStringLiteral("\\Profile editor\\System");
const QString kFileHistoryKey = QStringLiteral("\\Profile editor\\File history");
const QString kFindHistoryKey = QStringLiteral("\\Profile editor\\Find gene history");
const QString kFilePrefix = QStringLiteral("File-");
const QString kFindPrefix = QStringLiteral("Find gene-");
constexpr int kHistoryRead = 20;

// The paint box: paints through the editor and hands it the mouse on the plot.
class ProfilePaintBox : public QWidget {
  public:
    explicit ProfilePaintBox(TfPatternTemplate* editor) : QWidget(editor), editor_(editor) {
        setAttribute(Qt::WA_OpaquePaintEvent);
        setMinimumSize(200, 150);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        editor_->PaintBox1Paint(painter, size());
    }
    void mousePressEvent(QMouseEvent* event) override {
        const QRect plot = editor_->Layout().Plot;
        if (event->button() == Qt::LeftButton && plot.contains(event->position().toPoint())) {
            const QPoint at = event->position().toPoint() - plot.topLeft();
            editor_->PB1MouseDown(at.x(), at.y());
        }
    }
    void mouseMoveEvent(QMouseEvent* event) override {
        const QPoint at = event->position().toPoint() - editor_->Layout().Plot.topLeft();
        editor_->PB1MouseMove(at.x(), at.y());
    }
    void mouseReleaseEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton) editor_->PB1MouseUp();
    }

  private:
    TfPatternTemplate* editor_;
};

QToolButton* ToolButton(QWidget* parent, const QString& text, const QString& tip) {
    auto* b = new QToolButton(parent);
    b->setText(text);
    b->setToolTip(tip);
    b->setAutoRaise(true);
    return b;
}

QStringList Items(const QComboBox& box) {
    QStringList items;
    for (int i = 0; i < box.count(); ++i) items.append(box.itemText(i));
    return items;
}
} // namespace

TfPatternTemplate::TfPatternTemplate(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Profile editor"));
    MessageCaption = QStringLiteral("Profile editor");
    AboutText = QStringLiteral("the JX-Quorbel developers");
    SetChannelCount(0);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 0);
    BuildMenus();
    layout->addWidget(BuildToolBar());

    Splitter1 = new QSplitter(Qt::Horizontal, this);
    Splitter1->addWidget(BuildGenePanel());
    PaintBox1 = new ProfilePaintBox(this);
    Splitter1->addWidget(PaintBox1);
    Splitter1->setStretchFactor(1, 1);
    layout->addWidget(Splitter1, 1);

    auto* buttons = new QHBoxLayout;
    Button_Paste = new QPushButton(QStringLiteral("Paste"), this);
    Button_Help = new QPushButton(QStringLiteral("&Help"), this);
    Button_OK = new QPushButton(QStringLiteral("OK - Use profile"), this);
    Button_OK->setDefault(true);
    Button_Cancel = new QPushButton(QStringLiteral("&Cancel"), this);
    buttons->addWidget(Button_Paste);
    buttons->addWidget(Button_Help);
    buttons->addStretch();
    buttons->addWidget(Button_OK);
    buttons->addWidget(Button_Cancel);
    layout->addLayout(buttons);

    auto* status = new QStatusBar(this);
    for (QLabel*& panel : StatusPanel) panel = new QLabel(status);
    StatusPanel[0]->setMinimumWidth(150);
    status->addWidget(StatusPanel[0]);
    status->addWidget(StatusPanel[1], 1);
    layout->addWidget(status);

    Timer1 = new QTimer(this);
    Timer1->setInterval(10000);

    connect(Button_Paste, &QPushButton::clicked, this, &TfPatternTemplate::Button_PasteClick);
    connect(Button_Help, &QPushButton::clicked, this, &TfPatternTemplate::Button_HelpClick);
    connect(Button_OK, &QPushButton::clicked, this, &TfPatternTemplate::Button_OKClick);
    connect(Button_Cancel, &QPushButton::clicked, this, &TfPatternTemplate::Button_CancelClick);
    connect(Timer1, &QTimer::timeout, this, &TfPatternTemplate::Timer1Timer);
    // The held "A" key is seen whichever of the editor's widgets has the focus.
    qApp->installEventFilter(this);
    resize(900, 600);
}

void TfPatternTemplate::BuildMenus() {
    auto* bar = new QMenuBar(this);
    layout()->setMenuBar(bar);
    File_Menu = bar->addMenu(QStringLiteral("&File"));
    connect(File_Menu, &QMenu::aboutToShow, this, [this] { PaintBox1->update(); });
    connect(File_Menu->addAction(QStringLiteral("&Update")), &QAction::triggered, this,
            &TfPatternTemplate::File_UpdateClick);
    connect(File_Menu->addAction(QStringLiteral("E&xit")), &QAction::triggered, this,
            &TfPatternTemplate::File_ExitClick);

    Profiles_Menu = bar->addMenu(QStringLiteral("&Profiles"));
    const std::pair<const char*, int> presets[] = {
        {"Constant up", 1},           {"Constant down", 2},          {"Ramp up ( 0 -> 1)", 10},
        {"Ramp up ( -1 => +1 )", 11}, {"Ramp down ( 0 => -1 )", 20}, {"Ramp down ( 1 => -1 )", 21},
        {"Cycle left  <<==<<", 100},  {"Cycöe right  >>==>>", 101}};
    for (const auto& [caption, tag] : presets) {
        QAction* item = Profiles_Menu->addAction(QString::fromUtf8(caption));
        connect(item, &QAction::triggered, this, [this, tag = tag] { Profiles_Set(tag); });
    }

    Help_Menu = bar->addMenu(QStringLiteral("&Help"));
    connect(Help_Menu->addAction(QStringLiteral("&Help")), &QAction::triggered, this,
            &TfPatternTemplate::Help_HelpClick);
    connect(Help_Menu->addAction(QStringLiteral("&Info")), &QAction::triggered, this,
            &TfPatternTemplate::Help_InfoClick);
}

QWidget* TfPatternTemplate::BuildToolBar() {
    auto* bar = new QWidget(this);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    ToolButton2 = ToolButton(bar, QString(), QStringLiteral("Save profile"));
    ToolButton2->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    ToolButton3 = ToolButton(bar, QString(), QStringLiteral("Load profile"));
    ToolButton3->setIcon(style()->standardIcon(QStyle::SP_DialogOpenButton));
    ToolButton5 = ToolButton(bar, QStringLiteral("+1"), QStringLiteral("Constant up"));
    ToolButton7 = ToolButton(bar, QStringLiteral("-1"), QStringLiteral("Constant down"));
    ToolButton9 = ToolButton(bar, QStringLiteral("0/1"), QStringLiteral("Ramp up ( 0 -> 1)"));
    ToolButton10 = ToolButton(bar, QStringLiteral("-1/1"), QStringLiteral("Ramp up ( -1 => +1 )"));
    ToolButton11 =
        ToolButton(bar, QStringLiteral("0\\-1"), QStringLiteral("Ramp down ( 0 => -1 )"));
    ToolButton12 =
        ToolButton(bar, QStringLiteral("1\\-1"), QStringLiteral("Ramp down ( 1 => -1 )"));
    ToolButton14 = ToolButton(bar, QStringLiteral("<<"), QStringLiteral("Cycle left"));
    ToolButton15 = ToolButton(bar, QStringLiteral(">>"), QStringLiteral("Cycle right"));
    const std::pair<QToolButton*, void (TfPatternTemplate::*)()> handlers[] = {
        {ToolButton2, &TfPatternTemplate::ToolButton2Click},
        {ToolButton3, &TfPatternTemplate::ToolButton3Click},
        {ToolButton5, &TfPatternTemplate::ToolButton5Click},
        {ToolButton7, &TfPatternTemplate::ToolButton7Click},
        {ToolButton9, &TfPatternTemplate::ToolButton9Click},
        {ToolButton10, &TfPatternTemplate::ToolButton10Click},
        {ToolButton11, &TfPatternTemplate::ToolButton11Click},
        {ToolButton12, &TfPatternTemplate::ToolButton12Click},
        {ToolButton14, &TfPatternTemplate::ToolButton14Click},
        {ToolButton15, &TfPatternTemplate::ToolButton15Click}};
    for (const auto& [button, handler] : handlers) {
        row->addWidget(button);
        connect(button, &QToolButton::clicked, this, handler);
    }

    FileHistory_CB = new QComboBox(bar);
    FileHistory_CB->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    FileHistory_CB->setMinimumContentsLength(12);
    CNames_CB = new QComboBox(bar);
    CNames_CB->setMinimumContentsLength(8);
    row->addSpacing(12);
    row->addWidget(new QLabel(QStringLiteral("Recent profiles  "), bar));
    row->addWidget(FileHistory_CB, 1);
    row->addWidget(new QLabel(QStringLiteral("  Condition names  "), bar));
    row->addWidget(CNames_CB);
    connect(FileHistory_CB, &QComboBox::activated, this, &TfPatternTemplate::FileHistory_CBChange);
    connect(CNames_CB, &QComboBox::activated, this, &TfPatternTemplate::CNames_CBChange);
    return bar;
}

QWidget* TfPatternTemplate::BuildGenePanel() {
    Panel_Genes = new QWidget(this);
    auto* column = new QVBoxLayout(Panel_Genes);
    column->setContentsMargins(0, 0, 0, 0);

    column->addWidget(new QLabel(QStringLiteral("Label genes by"), Panel_Genes));
    Genes_CB_LabelBy = new QComboBox(Panel_Genes);
    column->addWidget(Genes_CB_LabelBy);

    column->addWidget(new QLabel(QStringLiteral("Find"), Panel_Genes));
    auto* findRow = new QHBoxLayout;
    Genes_CB_Find = new QComboBox(Panel_Genes);
    Genes_CB_Find->setEditable(true);
    Genes_CB_Find->setInsertPolicy(QComboBox::NoInsert);
    Genes_CB_Find->lineEdit()->setContextMenuPolicy(Qt::CustomContextMenu);
    Find_POM = new QMenu(Genes_CB_Find);
    connect(Find_POM->addAction(QStringLiteral("&Copy")), &QAction::triggered, this,
            &TfPatternTemplate::Find_POM_CopyClick);
    connect(Find_POM->addAction(QStringLiteral("&Paste")), &QAction::triggered, this,
            &TfPatternTemplate::Find_POM_PasteClick);
    connect(
        Genes_CB_Find->lineEdit(), &QWidget::customContextMenuRequested, this,
        [this](const QPoint& at) { Find_POM->popup(Genes_CB_Find->lineEdit()->mapToGlobal(at)); });
    Button_FindGo = new QToolButton(Panel_Genes);
    Button_FindGo->setText(QStringLiteral("Go!"));
    Button_FindGo->setPopupMode(QToolButton::MenuButtonPopup);
    POM_FindGene = new QMenu(Button_FindGo);
    const std::pair<const char*, int> kinds[] = {{"Find", kFindContains},
                                                 {"Find whole word", kFindWhole},
                                                 {"OR find", kFindOrContains},
                                                 {"OR find whole word", kFindOrWhole}};
    for (const auto& [caption, tag] : kinds) {
        QAction* item = POM_FindGene->addAction(QString::fromLatin1(caption));
        connect(item, &QAction::triggered, this,
                [this, tag = tag] { POM_FindGene_FindClick(tag); });
    }
    Button_FindGo->setMenu(POM_FindGene);
    findRow->addWidget(Genes_CB_Find, 1);
    findRow->addWidget(Button_FindGo);
    column->addLayout(findRow);

    column->addWidget(new QLabel(QStringLiteral("Select gene(s)"), Panel_Genes));
    List_GeneNames = new QListView(Panel_Genes);
    List_GeneNames->setSelectionMode(QAbstractItemView::ExtendedSelection);
    List_GeneNames->setEditTriggers(QAbstractItemView::NoEditTriggers);
    List_GeneNames->setUniformItemSizes(true);
    geneModel_ = new QStringListModel(this);
    List_GeneNames->setModel(geneModel_);
    column->addWidget(List_GeneNames, 1);

    connect(Genes_CB_LabelBy, &QComboBox::activated, this,
            &TfPatternTemplate::Genes_CB_LabelByChange);
    connect(Genes_CB_Find, &QComboBox::activated, this, &TfPatternTemplate::Genes_CB_FindClick);
    connect(Button_FindGo, &QToolButton::clicked, this, &TfPatternTemplate::Button_FindGoClick);
    connect(List_GeneNames->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (!settingSelection_) List_GeneNamesClick();
    });
    return Panel_Genes;
}

void TfPatternTemplate::SetChannelCount(int32_t n) {
    channelCount_ = std::max(n, 0);
    const size_t size = static_cast<size_t>(channelCount_) + 1;
    ProfileValues.assign(size, 0.0f);
    ChannelSelected.assign(size, 0);
    ChannelColumn.assign(size, 0);
    ChannelGroup.assign(size, 0);
    labels_.assign(size, {});
    labelRows_ = 0;
    layerKey_ = {};
}

void TfPatternTemplate::SetChannelLabel(int32_t c, int32_t row, const QString& text) {
    if (c < 0 || c > channelCount_ || row < 1 || row > kMaxLabelRows) return;
    auto& rows = labels_[static_cast<size_t>(c)];
    if (rows.size() <= static_cast<size_t>(row)) rows.resize(static_cast<size_t>(row) + 1);
    rows[static_cast<size_t>(row)] = text.left(kLabelLength);
    labelRows_ = std::max(labelRows_, row);
    layerKey_ = {};
}

QString TfPatternTemplate::ChannelLabel(int32_t c, int32_t row) const {
    if (c < 0 || c > channelCount_ || row < 0) return {};
    const auto& rows = labels_[static_cast<size_t>(c)];
    return static_cast<size_t>(row) < rows.size() ? rows[static_cast<size_t>(row)] : QString();
}

int32_t TfPatternTemplate::LongestLabelWidth(int32_t row) const {
    QFont labelFont = font();
    labelFont.setPixelSize(12);
    const QFontMetrics metrics(labelFont);
    int longest = 0;
    for (int32_t c = 1; c <= channelCount_; ++c)
        longest = std::max(longest, metrics.horizontalAdvance(ChannelLabel(c, row)));
    return longest;
}

void TfPatternTemplate::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!shown_ && !event->spontaneous()) {
        shown_ = true;
        FormShow();
    }
}

void TfPatternTemplate::FormShow() {
    Panel_Genes->setVisible(EditorMode == 1 || EditorMode == 2);
    Genes_CB_LabelBy->clear();
    if (EditorMode == 1) {
        if (AnalysisMatrix)
            for (int32_t a = 1; a <= AnalysisMatrix->AnnotationColumnCount; ++a)
                Genes_CB_LabelBy->addItem(QString::fromStdString(AnalysisMatrix->HeaderCell(a, 1)));
        Genes_CB_LabelBy->setCurrentIndex(0);
    } else if (EditorMode == 2) {
        Genes_CB_LabelBy->addItem(QStringLiteral("nn"));
    }
    FillGeneList();
    ReadSettings();
    LabelHeight = std::min(LongestLabelWidth(LabelRow), 200);
    CNames_CB->clear();
    for (int32_t row = 1; row <= labelRows_; ++row) CNames_CB->addItem(ChannelLabel(0, row));
    CNames_CB->setCurrentIndex(0);
    RescaleAndRepaint();
}

void TfPatternTemplate::FillGeneList() {
    QStringList names;
    if (AnalysisMatrix && EditorMode == 1) {
        names.reserve(std::max(AnalysisMatrix->GeneCount, 0));
        for (int32_t g = 1; g <= AnalysisMatrix->GeneCount; ++g)
            names.append(QString::fromStdString(AnalysisMatrix->AnnotationCell(g, LabelColumn)));
    } else if (AnalysisMatrix && EditorMode == 2) {
        for (int32_t row = 1; row < AnalysisMatrix->HeaderRowCount; ++row)
            names.append(QString::fromStdString(AnalysisMatrix->HeaderCell(1, row)));
    }
    upperNames_.clear();
    upperNames_.reserve(static_cast<size_t>(names.size()));
    for (const QString& name : names) upperNames_.push_back(UpperCaseAscii(name.toStdString()));
    settingSelection_ = true;
    geneModel_->setStringList(names);
    settingSelection_ = false;
}

bool TfPatternTemplate::eventFilter(QObject* watched, QEvent* event) {
    const auto type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease) {
        if (watched == this && type == QEvent::WindowDeactivate) aHeld_ = false;
        return QDialog::eventFilter(watched, event);
    }
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || (widget != this && !isAncestorOf(widget))) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool keypad1 = key->key() == Qt::Key_1 && key->modifiers().testFlag(Qt::KeypadModifier);
    if ((key->key() == Qt::Key_A || keypad1) && !key->isAutoRepeat())
        aHeld_ = type == QEvent::KeyPress;
    if (type == QEvent::KeyPress && watched == Genes_CB_Find->lineEdit()) {
        QChar typed;
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
            typed = QLatin1Char('\r');
        else if (key->key() == Qt::Key_V && key->modifiers().testFlag(Qt::ControlModifier))
            typed = QChar(22);
        else if (!key->text().isEmpty())
            typed = key->text().front();
        if (!typed.isNull() && Genes_CB_FindKeyPress(typed)) return true;
    }
    return false;
}

bool TfPatternTemplate::FormCloseQuery() {
    if (ResultCode == 0) return true;
    switch (ShowMessage(this,
                        QStringLiteral("Do you want to apply selected/edited profile (Yes)\nor "
                                       "discard profile (No) or continue editing (Cancel)?"),
                        MessageCaption, MsgIcon::Question, MsgButtons::YesNoCancel,
                        MsgResult::Cancel)) {
    case MsgResult::Yes:
        ResultCode = 0;
        return true;
    case MsgResult::No:
        ResultCode = -1;
        return true;
    default:
        return false;
    }
}

void TfPatternTemplate::done(int result) {
    Q_UNUSED(result);
    // Every way of closing (the buttons, the menu, Escape, the window's close box) ends here.
    if (!FormCloseQuery()) return;
    FormClose();
    QDialog::done(ResultCode == 0 ? QDialog::Accepted : QDialog::Rejected);
}

void TfPatternTemplate::FormClose() {
    Timer1->stop();
    WriteSettings();
}

void TfPatternTemplate::ReadSettings() {
    if (RegistryKey.isEmpty() || !Registry::KeyExists(RegistryKey)) return;
    RegKey key;
    if (key.OpenKey(RegistryKey + kSystemKey, false)) ReadWindowPlace(*this, key);
    FileHistory_CB->addItems(
        ReadHistory(RegistryKey + kFileHistoryKey, kHistoryRead, nullptr, kFilePrefix));
    Genes_CB_Find->addItems(
        ReadHistory(RegistryKey + kFindHistoryKey, kHistoryRead, nullptr, kFindPrefix));
    Genes_CB_Find->setEditText(QString());
}

void TfPatternTemplate::WriteSettings() {
    if (RegistryKey.isEmpty() || !Registry::KeyExists(RegistryKey)) return;
    RegKey key;
    if (key.OpenKey(RegistryKey + kSystemKey, true)) WriteWindowPlace(*this, key);
    // Every entry is written; the next start reads the first twenty.
    WriteHistory(RegistryKey + kFileHistoryKey, Items(*FileHistory_CB), INT32_MAX, kFilePrefix);
    WriteHistory(RegistryKey + kFindHistoryKey, Items(*Genes_CB_Find), INT32_MAX, kFindPrefix);
}

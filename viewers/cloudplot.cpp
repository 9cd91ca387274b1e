#include "cloudplot.h"

#include "colours.h"
#include "dialoghooks.h"
#include "numbers.h"
#include "paintpane.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
QSpinBox* SpinBox(int lo, int hi, int value) {
    auto* s = new QSpinBox;
    s->setRange(lo, hi);
    s->setValue(value);
    return s;
}

QCheckBox* CheckBox(const QString& text, bool checked) {
    auto* c = new QCheckBox(text);
    c->setChecked(checked);
    return c;
}
} // namespace

TCloudPlot::TCloudPlot(QWidget* parent) : QMainWindow(parent, Qt::Window) {
    setWindowTitle(QStringLiteral("Dot chart"));
    InitDotChartData(Data);

    auto* pane = new PaintPane;
    pane->OnPaint = [this, pane](QPainter& p) {
        PixelsPerUnit = DrawDotChart(p, pane->size(), Data, View()).PixelsPerUnit;
    };
    PB1 = pane;
    Graph_TS = new QWidget;
    auto* graphLayout = new QVBoxLayout(Graph_TS);
    graphLayout->setContentsMargins(0, 0, 0, 0);
    graphLayout->addWidget(PB1);
    PageControl = new QTabWidget;
    PageControl->addTab(Graph_TS, QStringLiteral("Graph"));
    PageControl->addTab(BuildPreferences(), QStringLiteral("Preferences"));
    setCentralWidget(PageControl);
    connect(PageControl, &QTabWidget::currentChanged, this, [this](int page) {
        if (PageControl->widget(page) == Graph_TS) Refresh1Click();
    });

    QToolBar* tools = addToolBar(QStringLiteral("Tools"));
    TB_Pin = new QToolButton;
    TB_Pin->setText(QStringLiteral("Pin"));
    TB_Pin->setCheckable(true);
    TB_Pin->setToolTip(QStringLiteral("Stay on top"));
    ToolButton3 = new QToolButton;
    ToolButton3->setText(QStringLiteral("Camera"));
    ToolButton3->setToolTip(QStringLiteral("Copy the chart to the clipboard"));
    tools->addWidget(TB_Pin);
    tools->addWidget(ToolButton3);
    connect(TB_Pin, &QToolButton::clicked, this, [this] { TB_PinClick(); });
    connect(ToolButton3, &QToolButton::clicked, this, [this] { ToolButton3Click(); });
    BuildMenus();
    resize(620, 460);
}

void TCloudPlot::BuildMenus() {
    const auto item = [this](QMenu* menu, const QString& text, auto handler) {
        QAction* a = menu->addAction(text);
        connect(a, &QAction::triggered, this, handler);
        return a;
    };
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    item(file, QStringLiteral("&Open"), [this] { File_OpenClick(); });
    item(file, QStringLiteral("&Save as"), [this] { File_SaveClick(); });
    QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    Edit_Pastesinglegroup = item(edit, QStringLiteral("Paste &single group"),
                                 [this] { Edit_PastesinglegroupClick(1); });
    Edit_PasteByRow = item(edit, QStringLiteral("Paste multiple groups - by &row"),
                           [this] { Edit_PastesinglegroupClick(2); });
    item(edit, QStringLiteral("Clear &all data"), [this] { ClearAlldataClick(); });
    edit->addSeparator();
    item(edit, QStringLiteral("&Rename group"), [this] { Edit_RenamegroupClick(); });
    item(edit, QStringLiteral("&Title"), [this] { Edit_TitleClick(); });
    item(edit, QStringLiteral("&Y-Legend"), [this] { Edit_YLegendClick(); });
    QMenu* util = menuBar()->addMenu(QStringLiteral("&Utilities"));
    item(util, QStringLiteral("Demo data  - &Intensities"), [this] { Util_DemoData_IntClick(); });
    item(util, QStringLiteral("Demo data - &Log ratios"), [this] { Util_DemoData_LogRatClick(); });
    QMenu* transform = util->addMenu(QStringLiteral("&Transform"));
    const std::pair<const char*, int> kinds[] = {
        {"Log 2", 1}, {"Log 10", 2}, {"Exp 2", 3}, {"Exp 10", 4}, {"Raw", 0}};
    for (const auto& [text, tag] : kinds)
        item(transform, QString::fromLatin1(text),
             [this, tag = tag] { Util_TransformTransformClick(tag); });
    connect(menuBar()->addAction(QStringLiteral("&Refresh")), &QAction::triggered, this,
            [this] { Refresh1Click(); });
    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    item(help, QStringLiteral("&Info"), [this] { Help_InfoClick(); });
}

QWidget* TCloudPlot::BuildPreferences() {
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);

    auto* groupBox = new QGroupBox(QStringLiteral("Group"));
    auto* groupForm = new QFormLayout(groupBox);
    Pref_Group_UD = SpinBox(0, kMaxDotGroups, 0);
    Pref_Group_UD->setSpecialValueText(QStringLiteral("all"));
    Pref_PenColor_BB = new QPushButton(QStringLiteral("Pen color"));
    Pref_BrushColor_BB = new QPushButton(QStringLiteral("Brush color"));
    Pref_Symbol_CB = new QComboBox;
    Pref_Symbol_CB->setEditable(true);
    Pref_Symbol_CB->addItems({QStringLiteral("Rectangle"), QStringLiteral("Triangle"),
                              QStringLiteral("Circle"), QStringLiteral("Rhombus"),
                              QStringLiteral("Cross"), QStringLiteral("X-Cross")});
    Pref_Size_SE = SpinBox(3, 100, 5);
    Pref_PenWidth_SE = SpinBox(1, 100, 1);
    Pref_PPL_SE = SpinBox(0, 100, 3);
    groupForm->addRow(QStringLiteral("Group"), Pref_Group_UD);
    groupForm->addRow(Pref_PenColor_BB, Pref_BrushColor_BB);
    groupForm->addRow(QStringLiteral("Symbol"), Pref_Symbol_CB);
    groupForm->addRow(QStringLiteral("Symbol size"), Pref_Size_SE);
    groupForm->addRow(QStringLiteral("Pen width"), Pref_PenWidth_SE);
    groupForm->addRow(QStringLiteral("PPL"), Pref_PPL_SE);

    auto* scaleBox = new QGroupBox(QStringLiteral("Scaling"));
    auto* scaleForm = new QFormLayout(scaleBox);
    Pref_AutoScale_CB = CheckBox(QStringLiteral("Auto scale"), true);
    Pref_Min_Edit = new QLineEdit(QStringLiteral("0"));
    Pref_Max_Edit = new QLineEdit(QStringLiteral("10"));
    Pref_Min_Edit->setEnabled(false);
    Pref_Max_Edit->setEnabled(false);
    Pref_Log2_CB = CheckBox(QStringLiteral("Log 2"), false);
    Pref_Log10_CB = CheckBox(QStringLiteral("Log 10"), false);
    Pref_MinorDiv_CB = CheckBox(QStringLiteral("Minor division"), false);
    Pref_MajorDiv_CB = CheckBox(QStringLiteral("Major division"), true);
    scaleForm->addRow(Pref_AutoScale_CB);
    scaleForm->addRow(QStringLiteral("Minimum"), Pref_Min_Edit);
    scaleForm->addRow(QStringLiteral("Maximum"), Pref_Max_Edit);
    scaleForm->addRow(Pref_Log2_CB, Pref_Log10_CB);
    scaleForm->addRow(Pref_MinorDiv_CB, Pref_MajorDiv_CB);

    auto* layoutBox = new QGroupBox(QStringLiteral("Layout"));
    auto* layoutForm = new QFormLayout(layoutBox);
    Pref_GroupSep_SE = SpinBox(0, kMaxDotGroups, 0);
    Pref_GroupDist_SE = SpinBox(0, 1000, 20);
    Pref_GroupLegend_CB = new QComboBox;
    Pref_GroupLegend_CB->addItems(
        {QStringLiteral("horizontal"), QStringLiteral("vertical "), QStringLiteral("45°")});
    Pref_Button_Font = new QPushButton(QStringLiteral("Font"));
    layoutForm->addRow(QStringLiteral("Group seperator"), Pref_GroupSep_SE);
    layoutForm->addRow(QStringLiteral("Group distance"), Pref_GroupDist_SE);
    layoutForm->addRow(QStringLiteral("Group legend"), Pref_GroupLegend_CB);
    layoutForm->addRow(Pref_Button_Font);

    auto* showBox = new QGroupBox(QStringLiteral("Show"));
    auto* showLayout = new QVBoxLayout(showBox);
    CB_Bar = CheckBox(QStringLiteral("Bar"), false);
    CB_Whisker = CheckBox(QStringLiteral("2.5% - 97.5% Whisker"), false);
    CB_Box = CheckBox(QStringLiteral("25% - 75% Box"), false);
    CB_Mean = CheckBox(QStringLiteral("Mean"), true);
    CB_MeanSDev = CheckBox(QStringLiteral("MeanSDev"), false);
    CB_Median = CheckBox(QStringLiteral("Median"), false);
    CB_MedianSDev = CheckBox(QStringLiteral("Median SDev"), false);
    CB_Symbols = CheckBox(QStringLiteral("Show symbols"), true);
    for (QCheckBox* c :
         {CB_Bar, CB_Whisker, CB_Box, CB_Mean, CB_MeanSDev, CB_Median, CB_MedianSDev, CB_Symbols})
        showLayout->addWidget(c);

    grid->addWidget(groupBox, 0, 0);
    grid->addWidget(scaleBox, 0, 1);
    grid->addWidget(layoutBox, 1, 0);
    grid->addWidget(showBox, 1, 1);

    // The settings are put into these controls with their signals blocked.
    connect(Pref_PenColor_BB, &QPushButton::clicked, this, [this] { Pref_PenColor_BBClick(1); });
    connect(Pref_BrushColor_BB, &QPushButton::clicked, this, [this] { Pref_PenColor_BBClick(2); });
    connect(Pref_Symbol_CB, &QComboBox::activated, this, [this] { Pref_Symbol_CBChange(); });
    connect(Pref_Symbol_CB->lineEdit(), &QLineEdit::textEdited, this,
            [this] { Pref_Symbol_CBChange(); });
    const std::pair<QSpinBox*, int> sizes[] = {
        {Pref_Size_SE, 1}, {Pref_PenWidth_SE, 2}, {Pref_PPL_SE, 3}};
    for (const auto& [spin, tag] : sizes) {
        connect(spin, &QSpinBox::valueChanged, this,
                [this, tag = tag] { Pref_Size_SEChange(tag); });
    }
    connect(Pref_AutoScale_CB, &QCheckBox::clicked, this, [this] { Pref_AutoScale_CBClick(); });
    connect(Pref_Button_Font, &QPushButton::clicked, this, [this] { Pref_Button_FontClick(); });
    for (QCheckBox* c : page->findChildren<QCheckBox*>())
        connect(c, &QCheckBox::toggled, PB1, qOverload<>(&QWidget::update));
    for (QLineEdit* e : {Pref_Min_Edit, Pref_Max_Edit})
        connect(e, &QLineEdit::textEdited, PB1, qOverload<>(&QWidget::update));
    for (QSpinBox* s : {Pref_GroupSep_SE, Pref_GroupDist_SE})
        connect(s, &QSpinBox::valueChanged, PB1, qOverload<>(&QWidget::update));
    connect(Pref_GroupLegend_CB, &QComboBox::currentIndexChanged, PB1,
            qOverload<>(&QWidget::update));
    return page;
}

DotChartView TCloudPlot::View() const {
    DotChartView v;
    v.Title = Title;
    v.YLegend = YLegend;
    v.Font = font();
    v.AutoScale = Pref_AutoScale_CB->isChecked();
    const std::string lo = WithDecimalPoint(Pref_Min_Edit->text().toStdString());
    const std::string hi = WithDecimalPoint(Pref_Max_Edit->text().toStdString());
    v.EditMin = std::clamp(ParseLenientFloat(lo), -kDotValueLimit, kDotValueLimit);
    v.EditMax = std::clamp(ParseLenientFloat(hi), -kDotValueLimit, kDotValueLimit);
    v.Log2 = Pref_Log2_CB->isChecked();
    v.Log10 = Pref_Log10_CB->isChecked();
    v.MinorDivision = Pref_MinorDiv_CB->isChecked();
    v.MajorDivision = Pref_MajorDiv_CB->isChecked();
    v.GroupSeparator = Pref_GroupSep_SE->value();
    v.GroupDistance = Pref_GroupDist_SE->value();
    v.GroupLegend = Pref_GroupLegend_CB->currentIndex();
    v.Bar = CB_Bar->isChecked();
    v.Whisker = CB_Whisker->isChecked();
    v.Box = CB_Box->isChecked();
    v.Mean = CB_Mean->isChecked();
    v.MeanSDev = CB_MeanSDev->isChecked();
    v.Median = CB_Median->isChecked();
    v.MedianSDev = CB_MedianSDev->isChecked();
    v.Symbols = CB_Symbols->isChecked();
    return v;
}

QImage TCloudPlot::ChartImage(QSize size) const {
    QImage image(size, QImage::Format_RGB32);
    QPainter p(&image);
    DrawDotChart(p, size, Data, View());
    return image;
}

void TCloudPlot::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // The pin re-shows the window: only the first showing reads the settings, so the pin keeps
    // what the user changed since.
    if (!shown_ && !event->spontaneous()) {
        shown_ = true;
        FormShow();
    }
}

void TCloudPlot::FormShow() {
    ReadSettings();
}

void TCloudPlot::closeEvent(QCloseEvent* event) {
    FormClose();
    QMainWindow::closeEvent(event);
}

void TCloudPlot::FormClose() {
    ClearDotChartData(Data);
    WriteSettings();
}

void TCloudPlot::Refresh1Click() {
    PB1->update();
}

std::pair<int, int> TCloudPlot::ChosenGroups() const {
    const int g = Pref_Group_UD->value();
    if (g == 0) return {1, kMaxDotGroups};
    return {g, g};
}

void TCloudPlot::Pref_PenColor_BBClick(int tag) {
    const auto [first, last] = ChosenGroups();
    const DotGroup& shown = Data.Groups[first];
    const std::optional<QColor> c =
        AskColor(this, ToQColor(tag == 1 ? shown.PenColour : shown.BrushColour));
    if (!c) return;
    for (int g = first; g <= last; ++g)
        (tag == 1 ? Data.Groups[g].PenColour : Data.Groups[g].BrushColour) = FromQColor(*c);
    Refresh1Click();
}

void TCloudPlot::Pref_Symbol_CBChange() {
    static const std::pair<const char*, int> kSymbols[] = {{"Rectangle", 0}, {"Triangle", 3},
                                                           {"Circle", 2},    {"Rhombus", 4},
                                                           {"Cross", 5},     {"X-Cross", 6}};
    const QString text = Pref_Symbol_CB->currentText();
    for (const auto& [name, code] : kSymbols) {
        if (text != QLatin1String(name)) continue;
        const auto [first, last] = ChosenGroups();
        for (int g = first; g <= last; ++g) Data.Groups[g].Symbol = code;
        Refresh1Click();
    }
}

void TCloudPlot::Pref_Size_SEChange(int tag) {
    const auto [first, last] = ChosenGroups();
    for (int g = first; g <= last; ++g) {
        DotGroup& group = Data.Groups[g];
        if (tag == 1) group.SymbolSize = Pref_Size_SE->value();
        if (tag == 2) group.PenWidth = Pref_PenWidth_SE->value();
        if (tag == 3) group.PointsPerLine = static_cast<float>(Pref_PPL_SE->value());
    }
    if (tag == 3) LayoutDots(Data);
    Refresh1Click();
}

void TCloudPlot::Pref_AutoScale_CBClick() {
    const bool automatic = Pref_AutoScale_CB->isChecked();
    if (automatic) ComputeGroupStats(Data);
    Pref_Min_Edit->setEnabled(!automatic);
    Pref_Max_Edit->setEnabled(!automatic);
    Refresh1Click();
}

void TCloudPlot::TB_PinClick() {
    const bool onTop = !(windowFlags() & Qt::WindowStaysOnTopHint);
    setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    TB_Pin->setChecked(onTop);
    show();
}

void TCloudPlot::ToolButton3Click() {
    Refresh1Click();
    const QSize size = PB1->size() - QSize(2, 2);
    QApplication::clipboard()->setImage(ChartImage(size.expandedTo(QSize(1, 1))));
    Refresh1Click();
}

void TCloudPlot::Pref_Button_FontClick() {
    const std::optional<QFont> f = AskFont(this, font());
    if (!f) return;
    setFont(*f);
    Refresh1Click();
}

void TCloudPlot::Help_InfoClick() {
    ShowMessage(this, QStringLiteral("Dot chart\nVersion 1.0"), QStringLiteral("Dot chart"),
                MsgIcon::Information);
}

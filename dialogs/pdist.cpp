#include "pdist.h"

#include "dialoghooks.h"
#include "numbers.h"
#include "statpack.h"

#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QMenuBar>
#include <QSlider>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <QValueAxis>
#include <cmath>
#include <limits>

TPDist::TPDist(QWidget* parent) : QMainWindow(parent, Qt::Window) {
    setWindowTitle(QStringLiteral("p-distribution"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    QMenu* file = menuBar()->addMenu(QStringLiteral("File"));
    connect(file->addAction(QStringLiteral("E&xit")), &QAction::triggered, this,
            [this] { Exit1Click(); });
    QMenu* help = menuBar()->addMenu(QStringLiteral("Help"));
    connect(help->addAction(QStringLiteral("&Info")), &QAction::triggered, this,
            [this] { Info1Click(); });

    auto* chart = new QChart;
    chart->setTitle(QStringLiteral("p-distribution"));
    chart->legend()->hide();
    auto* axisX = new QValueAxis;
    axisX->setTitleText(QStringLiteral("- log10 (p-value)"));
    auto* axisY = new QValueAxis;
    axisY->setTitleText(QStringLiteral("Abundance"));
    chart->addAxis(axisX, Qt::AlignBottom);
    chart->addAxis(axisY, Qt::AlignLeft);
    Chart1 = new QChartView(chart);
    // Queued: the chart cannot be resized while it lays itself out.
    connect(
        chart, &QChart::plotAreaChanged, this,
        [this](const QRectF& plot) { KeepAxisTitleWhole(plot); }, Qt::QueuedConnection);
    Series1 = AddSeries(QString(), Qt::blue);

    Panel1 = new QWidget;
    Label1 = new QLabel(QStringLiteral("Critical p-value"));
    CB_pValue = new QComboBox;
    CB_pValue->setEditable(true);
    // Room for a p-value with its 15 decimals ("0.010000000000000").
    CB_pValue->setMinimumContentsLength(20);
    CB_pValue->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    QStringList items{QStringLiteral("0.1"), QStringLiteral("0.05")};
    for (int d = 2; d <= 10; ++d)
        items << QStringLiteral("0.") + QString(d - 1, QLatin1Char('0')) + QLatin1Char('1');
    CB_pValue->addItems(items);
    TB_pValue = new QSlider(Qt::Horizontal);
    TB_pValue->setRange(0, 1000);
    TB_pValue->setPageStep(100);
    TB_pValue->setTickPosition(QSlider::NoTicks);
    SG1 = new QTableWidget(2, 4);
    SG1->horizontalHeader()->hide();
    SG1->verticalHeader()->hide();
    for (int c = 0; c < 4; ++c) SG1->setColumnWidth(c, 60);
    SG1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    SG1->setFixedHeight(2 * SG1->rowHeight(0) + 4);
    auto* panel = new QHBoxLayout(Panel1);
    panel->addWidget(Label1);
    panel->addWidget(CB_pValue);
    panel->addWidget(TB_pValue, 1);
    panel->addWidget(SG1);

    auto* central = new QWidget;
    auto* layout = new QVBoxLayout(central);
    layout->addWidget(Chart1, 1);
    layout->addWidget(Panel1);
    setCentralWidget(central);
    resize(700, 450);

    // Only the user's own actions count; values set from code fire nothing.
    connect(TB_pValue, &QSlider::valueChanged, this, [this] { TB_pValueChange(); });
    connect(CB_pValue, &QComboBox::activated, this, [this] { CB_pValueChange(); });
    connect(CB_pValue->lineEdit(), &QLineEdit::textEdited, this, [this] { CB_pValueChange(); });
    connect(SG1, &QTableWidget::cellClicked, this, [this](int r, int c) { SG1Click(r, c); });
    FormCreate();
}

QChart* TPDist::Chart() const {
    return Chart1->chart();
}

QLineSeries* TPDist::AddSeries(const QString& name, const QColor& colour) {
    auto* s = new QLineSeries;
    s->setName(name);
    QPen pen(colour);
    pen.setWidth(1);
    s->setPen(pen);
    s->setPointLabelsVisible(false);
    Chart()->addSeries(s);
    for (QAbstractAxis* axis : Chart()->axes()) s->attachAxis(axis);
    AxesFollow(s);
    return s;
}

// The chart keeps its axes where they are set: they are fitted anew, once per round of the event
// loop, whenever a series changes.
void TPDist::AxesFollow(QLineSeries* series) {
    const auto schedule = [this] {
        if (fitPending_) return;
        fitPending_ = true;
        QTimer::singleShot(0, this, [this] {
            if (fitPending_) FitAxes();
        });
    };
    connect(series, &QXYSeries::pointAdded, this, schedule);
    connect(series, &QXYSeries::pointReplaced, this, schedule);
    connect(series, &QXYSeries::pointsReplaced, this, schedule);
    connect(series, &QXYSeries::pointRemoved, this, schedule);
    connect(series, &QXYSeries::pointsRemoved, this, schedule);
    schedule();
}

void TPDist::FitAxes() {
    fitPending_ = false;
    const QList<QLineSeries*> series = ChartSeries();
    constexpr double kNone = std::numeric_limits<double>::infinity();
    double xMin = kNone, xMax = -kNone, yMax = 0;
    for (QLineSeries* s : series) {
        if (s == marker_ || placeholders_.contains(s)) continue;
        for (const QPointF& p : s->points()) {
            if (!std::isfinite(p.x()) || !std::isfinite(p.y())) continue;
            xMin = std::min(xMin, p.x());
            xMax = std::max(xMax, p.x());
            yMax = std::max(yMax, p.y());
        }
    }
    if (xMin > xMax) {
        xMin = 0; // no data: the track bar's range
        xMax = 10;
    }
    if (marker_ && marker_->count() >= 2) {
        xMin = std::min(xMin, marker_->at(0).x());
        xMax = std::max(xMax, marker_->at(0).x());
        yMax = std::max(yMax, marker_->at(1).y());
    }
    if (xMax - xMin < 1e-9) xMax = xMin + 1;
    if (yMax <= 0) yMax = 1;
    const QList<QAbstractAxis*> x = Chart()->axes(Qt::Horizontal);
    const QList<QAbstractAxis*> y = Chart()->axes(Qt::Vertical);
    if (!x.isEmpty()) x[0]->setRange(xMin, xMax);
    if (!y.isEmpty()) {
        y[0]->setRange(0.0, yMax * 1.05);
        if (auto* values = qobject_cast<QValueAxis*>(y[0])) values->applyNiceNumbers();
    }
}

// The chart cuts the left axis's title to the plot's height: the chart, and the window with it,
// grow to the height the title needs.
void TPDist::KeepAxisTitleWhole(const QRectF& plot) {
    const QList<QAbstractAxis*> up = Chart()->axes(Qt::Vertical);
    if (up.isEmpty() || up[0]->titleText().isEmpty()) return;
    constexpr int kRoom = 8;
    const int need =
        QFontMetrics(up[0]->titleFont()).boundingRect(up[0]->titleText()).width() + kRoom;
    const int missing = need - static_cast<int>(plot.height());
    if (missing <= 0) return;
    Chart1->setMinimumHeight(Chart1->height() + missing);
    resize(width(), height() + missing);
}

QList<QLineSeries*> TPDist::ChartSeries() const {
    QList<QLineSeries*> list;
    for (QAbstractSeries* s : Chart()->series())
        if (auto* line = qobject_cast<QLineSeries*>(s)) list << line;
    return list;
}

void TPDist::FormCreate() {
    OwnerHandle = 0;
    NotifyMessage = WM_TOOL_COMMAND;
    NotifyCode = 0;
    MarkerHeight = 10;
    CriticalP = 0.01f;
    const auto cell = [this](int row, int col, const QString& text) {
        SG1->setItem(row, col, new QTableWidgetItem(text));
    };
    cell(0, 1, QStringLiteral("Raw p"));
    cell(0, 2, QStringLiteral("Bonf."));
    cell(1, 0, QStringLiteral("# genes"));
    cell(1, 1, QString());
    marker_ = AddSeries(QString(), Qt::black);
    marker_->append(2, 0);
    marker_->append(2, MarkerHeight);
    const QColor colours[2] = {Qt::blue, QColor(0, 0, 128)};
    placeholders_.clear();
    for (const QColor& colour : colours) {
        QLineSeries* s = AddSeries(QString(), colour);
        placeholders_ << s;
        QList<QPointF> points{{2, 0}, {2, static_cast<qreal>(MarkerHeight)}};
        for (int k = 0; k <= 1010; ++k) points.append(QPointF(k, 0));
        s->replace(points);
        // Drawn, their points would join (2, height) to (0, 0): a line the user would read as
        // counts.
        s->setVisible(false);
    }
}

void TPDist::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    FormShow();
}

void TPDist::FormShow() {
    if (CriticalP < 0) CriticalP = 0.01f;
    const double q = -LogBaseS(10, CriticalP);
    SetThreshold(1, q);
    SetThreshold(2, q);
    FitAxes();
}

void TPDist::SetThreshold(int flags, double q) {
    if (flags & 1) {
        QSignalBlocker block(CB_pValue);
        CB_pValue->setEditText(QString::fromStdString(FormatFixed(std::pow(10.0, -q), 15)));
    }
    if (flags & 2) {
        QSignalBlocker block(TB_pValue);
        TB_pValue->setValue(RoundToInt(std::clamp(100.0 * q, 0.0, 1000.0)));
    }
    const QList<QLineSeries*> series = ChartSeries();
    if (series.size() > 1 && series[1]->count() >= 2) {
        series[1]->replace(0, QPointF(q, 0));
        series[1]->replace(1, QPointF(q, MarkerHeight));
    }
    if (series.size() > 2) {
        // Counts what lies beyond the threshold: the opener's distribution when it has one.
        const QLineSeries* counted = series[2];
        for (const QLineSeries* s : series)
            if (s->name() == QLatin1String("Distribution")) counted = s;
        long long sum = 0;
        const int start = RoundToInt(100.0 * q);
        for (int i = std::max(start, 0); i <= 1000 && i < counted->count(); ++i)
            sum += RoundToInt(counted->at(i).y());
        if (SG1->item(1, 1)) SG1->item(1, 1)->setText(QString::number(sum));
    }
}

void TPDist::TB_pValueChange() {
    if (isVisible()) SetThreshold(1, TB_pValue->value() / 100.0);
}

void TPDist::CB_pValueChange() {
    if (!isVisible()) return;
    const std::string typed = WithDecimalPoint(CB_pValue->currentText().toStdString());
    const double p = ParseLenientFloat(typed);
    // In double: a p below the single range would become 0, which is no threshold at all. One
    // below the double range reads as 0 too, yet asks for the strictest threshold.
    constexpr double kBeyondAll = std::numeric_limits<double>::infinity();
    const double q = p > 0 ? -std::log10(p) : IsBelowDoubleRange(typed) ? kBeyondAll : 0.0;
    SetThreshold(2, std::clamp(q, 0.0, 10.0));
}

void TPDist::SG1Click(int, int column) {
    const int position = TB_pValue->value();
    const double p = std::pow(10.0, -position / 100.0);
    if (column == 1) CriticalP = static_cast<float>(p);
    if (OwnerHandle != 0) ToolBus::Send(OwnerHandle, NotifyMessage, NotifyCode, position);
}

void TPDist::Exit1Click() {
    close();
}

void TPDist::Info1Click() {
    ShowMessage(this, QStringLiteral("Generic histogram viewer V0.1\n2026-12-08"),
                QStringLiteral("JX_Quorbel"), MsgIcon::Information);
}

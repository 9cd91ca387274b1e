#include "scatterview.h"

#include "menutoggle.h"
#include "registry.h"
#include "windowplace.h"
#include "windowregistry.h"

#include <QAction>
#include <QBoxLayout>
#include <QCloseEvent>
#include <QLayout>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTabBar>
#include <QToolBar>
#include <algorithm>

namespace {

constexpr int kPlotLeft = 40, kPlotTop = 2; // room for the y ticks and the rotated title
constexpr int kPlotRight = 10, kPlotBottom = 45;
constexpr TColor kFormColour = 0xF0F0F0;

// Lays out a window that was never shown, so its boxes have their sizes before the first paint.
void LayOutHidden(QWidget* w) {
    if (QLayout* l = w->layout()) {
        l->activate();
        l->setGeometry(w->rect());
    }
    for (QWidget* child : w->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (!child->isWindow()) LayOutHidden(child);
}

} // namespace

// The plot page: paints the cached picture and, while a drag lasts, the inverted rubber band.
class ScatterPageBox : public QWidget {
  public:
    explicit ScatterPageBox(TfScatterView* view) : view_(view) {}

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.drawImage(0, 0, view_->Picture());
        view_->PaintRubberBand(p);
    }
    void resizeEvent(QResizeEvent*) override { view_->FormResize(); }

  private:
    TfScatterView* view_;
};

// The plot box: transparent over the page, it takes the mouse in plot pixels.
class ScatterPlotBox : public QWidget {
  public:
    ScatterPlotBox(TfScatterView* view, QWidget* parent) : QWidget(parent), view_(view) {}

  protected:
    void mousePressEvent(QMouseEvent* e) override {
        view_->PaintBox2MouseDown(e->button(), e->position().toPoint().x(),
                                  e->position().toPoint().y());
    }
    void mouseMoveEvent(QMouseEvent* e) override {
        view_->PaintBox2MouseMove(e->buttons(), e->position().toPoint().x(),
                                  e->position().toPoint().y());
    }
    void mouseReleaseEvent(QMouseEvent* e) override {
        view_->PaintBox2MouseUp(e->button(), e->modifiers(), e->position().toPoint().x(),
                                e->position().toPoint().y());
    }

  private:
    TfScatterView* view_;
};

TfScatterView::TfScatterView(QWidget* parent) : QMainWindow(parent) {
    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    PageControl1 = new QTabBar(central);
    PageControl1->addTab(QStringLiteral("Data view"));
    PageControl1->addTab(QStringLiteral("Session log"));
    auto* pages = new QStackedWidget(central);
    column->addWidget(PageControl1);
    column->addWidget(pages, 1);
    connect(PageControl1, &QTabBar::currentChanged, pages, &QStackedWidget::setCurrentIndex);

    PaintBox1 = new ScatterPageBox(this);
    PaintBox2 = new ScatterPlotBox(this, PaintBox1);
    pages->addWidget(PaintBox1);

    auto* logPage = new QWidget;
    auto* logColumn = new QVBoxLayout(logPage);
    Log_Memo = new QPlainTextEdit(logPage);
    Log_Memo->setReadOnly(true);
    Log_Memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    auto* buttons = new QHBoxLayout;
    Log_BB_Copy = new QPushButton(QStringLiteral("&Copy"), logPage);
    Log_BB_Clear = new QPushButton(QStringLiteral("C&lear"), logPage);
    buttons->addWidget(Log_BB_Copy);
    buttons->addWidget(Log_BB_Clear);
    buttons->addStretch();
    logColumn->addWidget(Log_Memo, 1);
    logColumn->addLayout(buttons);
    pages->addWidget(logPage);
    setCentralWidget(central);

    ToolBar1 = addToolBar(QStringLiteral("Tools"));
    TB_Snapshot = ToolBar1->addAction(QStringLiteral("Snapshot"));
    TB_Snapshot->setToolTip(QStringLiteral("Copy the plot to the clipboard"));
    statusBar();
    BuildMenus();

    connect(TB_Snapshot, &QAction::triggered, this, [this] { TB_SnapshotClick(); });
    connect(Log_BB_Copy, &QPushButton::clicked, this, [this] { Log_BB_CopyClick(); });
    connect(Log_BB_Clear, &QPushButton::clicked, this, [this] { Log_BB_ClearClick(); });
    resize(620, 560);
    FormCreate();
    WindowRegistry::Add(this, Handle());
}

TfScatterView::~TfScatterView() = default;

void TfScatterView::BuildMenus() {
    const auto item = [this](QMenu* menu, const char* caption, auto handler) {
        QAction* a = menu->addAction(QString::fromUtf8(caption));
        connect(a, &QAction::triggered, this, handler);
        return a;
    };
    const auto tick = [this](QMenu* menu, const char* caption, bool checked, auto handler) {
        QAction* a = menu->addAction(QString::fromUtf8(caption));
        a->setCheckable(true);
        a->setChecked(checked);
        ConnectToggleItem(this, a, handler);
        return a;
    };

    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    QMenu* import = file->addMenu(QStringLiteral("&Import"));
    File_Import_FCS_20 = item(import, "&FCS2.0", [this] { File_Import_FCS_20Click(); });

    QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    QMenu* copy = edit->addMenu(QStringLiteral("Copy &data"));
    Edit_Data_CopyAll = item(copy, "&All", [this] { Edit_Data_CopyClick(1); });
    Edit_Data_CopySelected = item(copy, "&Selected", [this] { Edit_Data_CopyClick(2); });
    QMenu* paste = edit->addMenu(QStringLiteral("&Paste data"));
    Edit_PasteXY = item(paste, "&x / y / Annotation", [this] { Edit_pasteDataClick(0); });
    Edit_PasteXYErrorY =
        item(paste, "x / y / E&rror-y / Annotation", [this] { Edit_pasteDataClick(1); });
    Edit_PasteXYErrorX =
        item(paste, "x / y / &Error-x / Annotation", [this] { Edit_pasteDataClick(2); });
    Edit_PasteXYErrorXY =
        item(paste, "x / y / Error-x / Err&or-y / Annotation", [this] { Edit_pasteDataClick(3); });
    edit->addSeparator();
    Edit_Find = item(edit, "&Find", [this] { Edit_FindClick(); });
    Edit_Find->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    Findagain1 = item(edit, "Find a&gain", [this] { Findagain1Click(); });
    Findagain1->setShortcut(QKeySequence(Qt::Key_F3));
    Copyselected1 = item(edit, "Copy &selected", [this] { Copyselected1Click(); });
    Edit_SelectionKelvGenelist =
        item(edit, "Selection => Kelv gene list", [this] { Edit_SelectionKelvGenelistClick(); });
    Edit_SelectionKelvGenelist->setVisible(false);

    QMenu* window = menuBar()->addMenu(QStringLiteral("&Window"));
    QMenu* arrange = window->addMenu(QStringLiteral("&Arrange"));
    Window_Tile = item(arrange, "&Tile", [this] { Window_ArrangeClick(1); });
    Window_Cascade = item(arrange, "&Cascade", [this] { Window_ArrangeClick(2); });
    Window_CloseAll = item(window, "&Close all", [this] { Window_ArrangeClick(3); });

    QMenu* util = menuBar()->addMenu(QStringLiteral("&Utilities"));
    Util_SwapAxes = item(util, "&Swap axes", [this] { Util_SwapAxesClick(); });
    Demodata1 = item(util, "&Demo data", [this] { Demodata1Click(); });

    QMenu* pref = menuBar()->addMenu(QStringLiteral("&Preferences"));
    QMenu* scaling = pref->addMenu(QStringLiteral("&Scaling"));
    Pref_Scaling_LogX = tick(scaling, "Log-&X", false, [this] { Pref_Scaling_LogXClick(); });
    Pref_Scaling_LogY = tick(scaling, "Log-&Y", false, [this] { Pref_Scaling_LogYClick(); });
    Pref_Scaling_Symmetric =
        tick(scaling, "&Symmetric", false, [this] { Pref_Scaling_SymmetricClick(); });
    QMenu* minMax = scaling->addMenu(QStringLiteral("&Min / Max"));
    Pref_Scale_MinX = item(minMax, "&Min- X", [this] { Pref_Scale_MinMaxClick(1); });
    Pref_Scale_MaxX = item(minMax, "M&ax-X", [this] { Pref_Scale_MinMaxClick(2); });
    Pref_Scale_MinY = item(minMax, "Mi&n-Y", [this] { Pref_Scale_MinMaxClick(3); });
    Pref_Scale_MaxY = item(minMax, "Max-&Y", [this] { Pref_Scale_MinMaxClick(4); });
    QMenu* diagons = pref->addMenu(QStringLiteral("&Diagons"));
    Pref_Diagons_Main =
        tick(diagons, "&Main diagon", true, [this] { Pref_DiagonsClick(Pref_Diagons_Main); });
    Pref_Diagons_Side =
        tick(diagons, "&Side diagons", true, [this] { Pref_DiagonsClick(Pref_Diagons_Side); });
    QMenu* lines = pref->addMenu(QStringLiteral("Connection &lines"));
    Pref_Lines_Direct = tick(lines, "&Direct", false, [this] { Pref_LinesClick(1); });
    Pref_Lines_Step = tick(lines, "&Step function", false, [this] { Pref_LinesClick(2); });
    QMenu* selection = pref->addMenu(QStringLiteral("&Selection"));
    Pref_Sel_Rect = tick(selection, "R&ectangle", true, [this] { Pref_Sel_RectClick(); });
    Pref_Sel_Rhombe = tick(selection, "R&hombus", false, [this] { Pref_Sel_RhombeClick(); });
    Pref_Sel_UpdateAll =
        tick(selection, "Update all other viewers", false, [this] { Pref_Sel_UpdateAllClick(); });

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    Info1 = item(help, "&Info", [this] { Info1Click(); });
}

void TfScatterView::FormCreate() {
    ShowGeneListMenu = 0;
    GeneListHandle = 0;
    PlotKind = 1;
    PageControl1->setCurrentIndex(0);
    for (int k = 0; k <= kScatterSlots; ++k) Series[k].Count = 0;
    RegistryKey.clear();
    Query.clear();
    DragStartX = DragStartY = DragEndX = DragEndY = -1;
    Title = QStringLiteral("JX Scatterplot Viewer");
    SelectionShape = 1;
    ErrorBarMode = 0;
    FindHistory.clear();
    setWindowTitle(QStringLiteral("ScatterView"));
}

void TfScatterView::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!shown_) {
        shown_ = true;
        FormShow();
    }
}

void TfScatterView::closeEvent(QCloseEvent* event) {
    FormClose();
    event->accept();
}

namespace {
QString SettingsKey(const QString& registryKey) {
    return registryKey + QStringLiteral("\\2-D_Scatterplot");
}
} // namespace

void TfScatterView::FormShow() {
    RegKey key;
    if (!RegistryKey.isEmpty() && key.OpenKey(SettingsKey(RegistryKey), false)) {
        ReadWindowPlace(*this, key);
        if (key.ReadString(QStringLiteral("Selection object"), QStringLiteral("Rectangle")) ==
            QStringLiteral("Rhombus"))
            Pref_Sel_RhombeClick();
        else
            Pref_Sel_RectClick();
        for (int i = 1; i <= 10; ++i) {
            const QString find = key.ReadString(QStringLiteral("Find %1").arg(i), QString());
            if (!find.isEmpty()) FindHistory.append(find);
        }
    }
    if (ShowGeneListMenu == 1) Edit_SelectionKelvGenelist->setVisible(true);
}

void TfScatterView::FormClose() {
    RegKey key;
    if (!RegistryKey.isEmpty() && key.OpenKey(SettingsKey(RegistryKey), true)) {
        key.WriteInteger(QStringLiteral("Left"), x());
        key.WriteInteger(QStringLiteral("Top"), y());
        key.WriteInteger(QStringLiteral("Width"), width());
        key.WriteInteger(QStringLiteral("Height"), height());
        key.WriteString(QStringLiteral("Selection object"), Pref_Sel_Rhombe->isChecked()
                                                                ? QStringLiteral("Rhombus")
                                                                : QStringLiteral("Rectangle"));
        const int n = std::min<int>(FindHistory.size(), 10);
        for (int i = 1; i <= n; ++i)
            key.WriteString(QStringLiteral("Find %1").arg(i), FindHistory[i - 1]);
    }
    for (int k = 1; k <= kScatterSlots; ++k)
        if (Series[k].Count > 0) SetSeriesLength(k, -1);
    FindHistory.clear();
}

void TfScatterView::FormResize() {
    if (!isVisible()) LayOutHidden(this);
    const QSize page = PaintBox1->size();
    if (PlotKind != 1) {
        PaintBox2->setGeometry(kPlotLeft, kPlotTop,
                               std::max(page.width() - kPlotLeft - kPlotRight, 1),
                               std::max(page.height() - kPlotTop - kPlotBottom, 1));
        return;
    }
    const int side = std::max(std::min(page.width(), page.height()) - 45, 1);
    PaintBox2->setGeometry(kPlotLeft, kPlotTop, side, side);
    const QPoint corner = PaintBox2->mapTo(this, QPoint(side, side));
    if (width() - corner.x() > 80) resize(corner.x() + 80, height());
    if (height() - corner.y() > 150) resize(width(), corner.y() + 150);
}

void TfScatterView::UpdateSeriesRange(int k) {
    ::UpdateSeriesRange(*this, k);
    if (k == 1) annotationsStale_ = true;
}

ScatterStyle TfScatterView::StyleFromMenus() const {
    ScatterStyle s;
    s.logX = Pref_Scaling_LogX->isChecked();
    s.logY = Pref_Scaling_LogY->isChecked();
    s.symmetric = Pref_Scaling_Symmetric->isChecked();
    s.mainDiagonal = Pref_Diagons_Main->isChecked();
    s.sideDiagonals = Pref_Diagons_Side->isChecked();
    s.plotKind = PlotKind;
    s.lineMode = LineMode;
    s.errorBarMode = ErrorBarMode;
    return s;
}

QRect TfScatterView::PlotRect() const {
    return PaintBox2->geometry();
}

void TfScatterView::RenderPage(QImage& page) {
    const QRect plot = PlotRect();
    ScatterStyle style = StyleFromMenus();
    const ScatterAxes axes = ScatterAxesFor(*this, style, plot.width(), plot.height());
    Pref_Scaling_LogX->setChecked(style.logX);
    Pref_Scaling_LogY->setChecked(style.logY);
    Pref_Scaling_Symmetric->setChecked(style.symmetric);
    AxisMinX = axes.minX;
    AxisMaxX = axes.maxX;
    AxisMinY = axes.minY;
    AxisMaxY = axes.maxY;
    ScaleX = axes.scaleX;
    ScaleY = axes.scaleY;
    QImage image(plot.size(), QImage::Format_RGB32);
    PaintScatterPlot(image, *this, axes, style);
    {
        QPainter p(&page);
        p.drawImage(plot.topLeft(), image);
    }
    PaintScatterTicks(page, plot, *this, axes, style);
}

const QImage& TfScatterView::Picture() {
    const QSize size = PaintBox1->size().expandedTo(QSize(1, 1));
    if (pictureStale_ || picture_.size() != size) {
        picture_ = QImage(size, QImage::Format_RGB32);
        picture_.fill(ToQColor(kFormColour));
        RenderPage(picture_);
        pictureStale_ = false;
    }
    return picture_;
}

void TfScatterView::Repaint() {
    pictureStale_ = true;
    PaintBox1->update();
}

void TfScatterView::RenderToBitmap(QImage& bitmap) {
    if (!isVisible()) LayOutHidden(this);
    QImage page(PaintBox1->size().expandedTo(QSize(3, 3)), QImage::Format_RGB32);
    page.fill(Qt::white);
    RenderPage(page);
    bitmap = page.copy(1, 1, page.width() - 2, page.height() - 2);
}

void TfScatterView::PaintRubberBand(QPainter& p) const {
    if (!dragging_ || DragEndX < 0) return;
    p.save();
    p.setClipRect(PaintBox2->geometry());
    p.translate(PaintBox2->pos());
    p.setCompositionMode(QPainter::RasterOp_NotDestination);
    p.setPen(QPen(Qt::black, 0));
    p.setBrush(Qt::NoBrush);
    const QPoint s(DragStartX, DragStartY), e(DragEndX, DragEndY);
    if (SelectionShape == 2) {
        const int b = static_cast<int>(std::lrint(((e.y() - s.y()) - (e.x() - s.x())) / 2.0));
        const QPoint corners[] = {s, QPoint(e.x() + b, e.y() - b), e, QPoint(s.x() - b, s.y() + b)};
        p.drawPolygon(corners, 4);
    } else {
        p.drawRect(QRect(s, e).normalized().adjusted(0, 0, -1, -1));
    }
    p.restore();
}

intptr_t TfScatterView::ToolMessage(int code, intptr_t arg) {
    WMScatterSync(code, arg);
    return 0;
}

intptr_t TfScatterView::ListMessage(int kind, WindowHandle, std::span<const int32_t> list) {
    return WMCopyData(kind, list);
}

void TfScatterView::AddLogLines(const std::vector<std::string>& lines) {
    if (lines.empty()) return;
    QStringList text;
    text.reserve(static_cast<qsizetype>(lines.size()));
    for (const std::string& line : lines) text.append(QString::fromStdString(line));
    Log_Memo->appendPlainText(text.join(QLatin1Char('\n')));
}

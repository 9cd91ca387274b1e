#include "imageview.h"

#include "dialoghooks.h"
#include "imagezoom.h"
#include "jxdorvdec.h"
#include "numbers.h"
#include "paintpane.h"
#include "picturesampler.h"
#include "registry.h"

#include <QApplication>
#include <QClipboard>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QShowEvent>
#include <QSlider>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

TImageView::TImageView(QWidget* parent) : QMainWindow(parent, Qt::Window) {
    setWindowTitle(QStringLiteral("Image viewer"));
    setAttribute(Qt::WA_DeleteOnClose);
    setAcceptDrops(true);
    RegKey key;
    BaseAddress = QStringLiteral("https://www.kegg.jp");
    if (key.OpenKey(QStringLiteral("JX_ImageView"), false))
        BaseAddress = key.ReadString(QStringLiteral("Pathway site"), BaseAddress);
    BuildControls();
    resize(800, 600);
}

void TImageView::BuildControls() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File "));
    connect(file->addAction(QStringLiteral("&Open")), &QAction::triggered, this,
            [this] { File_OpenClick(); });
    connect(file->addAction(QStringLiteral("&Save as")), &QAction::triggered, this,
            [this] { File_SaveAsClick(); });
    connect(file->addAction(QStringLiteral("E&xit")), &QAction::triggered, this,
            [this] { File_ExitClick(); });
    QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    Edit_PasteGeneList = edit->addAction(QStringLiteral("Paste &gene list"));
    Edit_PasteRegulationList = edit->addAction(QStringLiteral("Paste gene/&regulation list"));
    Edit_PasteGeneList->setVisible(false);
    Edit_PasteRegulationList->setVisible(false);
    connect(Edit_PasteGeneList, &QAction::triggered, this, [this] { Edit_PasteGeneListClick(0); });
    connect(Edit_PasteRegulationList, &QAction::triggered, this,
            [this] { Edit_PasteGeneListClick(2); });
    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    connect(help->addAction(QStringLiteral("&Info")), &QAction::triggered, this,
            [this] { Help_InfoClick(); });

    QToolBar* tools = addToolBar(QStringLiteral("Tools"));
    const auto button = [&](const QString& text, auto handler) {
        auto* b = new QToolButton;
        b->setText(text);
        tools->addWidget(b);
        connect(b, &QToolButton::clicked, this, handler);
        return b;
    };
    ToolButton2 = button(QStringLiteral("Zoom in "), [this] { ToolButton2Click(); });
    ToolButton3 = button(QStringLiteral("Zoom out"), [this] { ToolButton3Click(); });
    ToolButton6 = button(QStringLiteral("Copy"), [this] { ToolButton6Click(); });
    Panel_pValue = new QWidget;
    auto* panel = new QHBoxLayout(Panel_pValue);
    panel->setContentsMargins(4, 0, 4, 0);
    TrackBar_pValue = new QSlider(Qt::Horizontal);
    TrackBar_pValue->setRange(0, 92);
    TrackBar_pValue->setValue(20);
    Edit_pValue = new QLineEdit(QStringLiteral("1.00E-02"));
    Edit_pValue->setReadOnly(true);
    Edit_pValue->setMaximumWidth(90);
    panel->addWidget(new QLabel(QStringLiteral("p")));
    panel->addWidget(TrackBar_pValue);
    panel->addWidget(Edit_pValue);
    // A tool bar shows or hides its widgets by their actions, never by the widgets themselves.
    Panel_pValueAction = tools->addWidget(Panel_pValue);
    Panel_pValueAction->setVisible(false);
    // Nothing sets the track bar from code: every change is the user's.
    connect(TrackBar_pValue, &QSlider::valueChanged, this, [this] { TrackBar_pValueChange(); });

    Image1 = new PaintPane;
    Image1->setMouseTracking(true);
    Image1->OnPaint = [this](QPainter& p) { PaintImage(p); };
    Image1->OnMouseMove = [this](QPoint at) {
        Image1MouseMove(at.x() + SB_Hor->value(), at.y() + SB_Vert->value());
    };
    Image1->OnDoubleClick = [this](QPoint) { Image1DblClick(); };
    Image1->OnResize = [this] { UpdateScrollRange(); };
    SB_Hor = new QScrollBar(Qt::Horizontal);
    SB_Vert = new QScrollBar(Qt::Vertical);
    connect(SB_Hor, &QScrollBar::valueChanged, this, [this] { SB_HorChange(); });
    connect(SB_Vert, &QScrollBar::valueChanged, this, [this] { SB_VertChange(); });
    auto* imagePage = new QWidget;
    auto* grid = new QGridLayout(imagePage);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    grid->addWidget(Image1, 0, 0);
    grid->addWidget(SB_Vert, 0, 1);
    grid->addWidget(SB_Hor, 1, 0);

    auto* infoPage = new QWidget;
    auto* info = new QVBoxLayout(infoPage);
    Memo = new QPlainTextEdit;
    Memo->setReadOnly(true);
    BitBtn_Clear = new QPushButton(QStringLiteral("Clear"));
    info->addWidget(Memo);
    info->addWidget(BitBtn_Clear, 0, Qt::AlignLeft);
    connect(BitBtn_Clear, &QPushButton::clicked, this, [this] { BitBtn_ClearClick(); });

    PageControl = new QTabWidget;
    PageControl->addTab(imagePage, QStringLiteral("Image"));
    PageControl->addTab(infoPage, QStringLiteral("Info"));
    setCentralWidget(PageControl);
    StatusPanel0 = new QLabel;
    StatusPanel1 = new QLabel;
    statusBar()->addWidget(StatusPanel0);
    statusBar()->addWidget(StatusPanel1, 1);
}

void TImageView::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!event->spontaneous()) FormShow();
}

void TImageView::FormShow() {
    if (ShowPValuePanel != 1) return;
    Panel_pValueAction->setVisible(true);
    Edit_PasteGeneList->setVisible(true);
    Edit_PasteRegulationList->setVisible(true);
}

void TImageView::Log(const QString& line) {
    Memo->appendPlainText(line);
}

void TImageView::SetPicture(const QImage& picture) {
    Picture = SamplerReadsFormat(picture.format()) ? picture
                                                   : picture.convertToFormat(QImage::Format_RGB32);
    BackUp_Image = Picture;
    Areas.clear();
    HitArea = 0;
    zoomed_ = Picture.size().expandedTo(QSize(1, 1));
    UpdateScrollRange();
    Image1->update();
}

void TImageView::ApplyZoom(int level) {
    ZoomLevel = level;
    const ZoomSize z = ZoomPictureSize(level, Picture.width(), Picture.height());
    zoomed_ = QSize(z.Width, z.Height);
    Log(QString::fromStdString(ZoomInfoLine(z, Picture.width(), Picture.height())));
    UpdateScrollRange();
    Image1->update();
}

void TImageView::UpdateScrollRange() {
    // The reachable range is the zoomed picture less what the view already shows.
    SB_Hor->setRange(0, std::max(0, zoomed_.width() - Image1->width()));
    SB_Vert->setRange(0, std::max(0, zoomed_.height() - Image1->height()));
    SB_Hor->setPageStep(std::max(1, Image1->width()));
    SB_Vert->setPageStep(std::max(1, Image1->height()));
    SB_Hor->setSingleStep(std::max(1, Image1->width() / 20));
    SB_Vert->setSingleStep(std::max(1, Image1->height() / 20));
}

void TImageView::PaintImage(QPainter& painter) {
    painter.drawImage(0, 0,
                      SamplePictureView(Picture, zoomed_, QPoint(SB_Hor->value(), SB_Vert->value()),
                                        Image1->size(), palette().color(QPalette::Window)));
}

void TImageView::ToolButton2Click() {
    ApplyZoom(ZoomInLevel(ZoomLevel));
}

void TImageView::ToolButton3Click() {
    ApplyZoom(ZoomOutLevel(ZoomLevel));
}

void TImageView::SB_HorChange() {
    Image1->update();
}

void TImageView::SB_VertChange() {
    Image1->update();
}

void TImageView::Image1MouseMove(int x, int y) {
    if (Picture.isNull()) return;
    const double sx = double(zoomed_.width()) / Picture.width();
    const double sy = double(zoomed_.height()) / Picture.height();
    HitArea = FindArea(Areas, RoundToInt(x / sx), RoundToInt(y / sy));
    if (HitArea == 0) {
        StatusPanel1->clear();
        return;
    }
    const ImageMapArea& a = Areas[HitArea - 1];
    const QString names = QString::fromStdString(a.Names);
    StatusPanel1->setText(a.Hits.empty()
                              ? names
                              : QStringLiteral("Hits: ") + QString::fromStdString(a.Hits) +
                                    QStringLiteral("; KEGG: ") + names);
}

void TImageView::Image1DblClick() {
    if (HitArea >= 1 && HitArea <= AreaCount())
        OpenUrl(QString::fromStdString(Areas[HitArea - 1].Link));
}

void TImageView::ToolButton6Click() {
    QApplication::clipboard()->setImage(Picture);
}

void TImageView::BitBtn_ClearClick() {
    Memo->clear();
}

void TImageView::File_ExitClick() {
    close();
}

void TImageView::Help_InfoClick() {
    ShowMessage(this,
                QStringLiteral("Basic image viewer\nV0.93 from 23.03.2011\n\nimplemented by\n"
                               "the JX-Quorbel developers"),
                QStringLiteral("Kelv"), MsgIcon::Information);
}

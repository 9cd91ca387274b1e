#include "plotscan.h"

#include "conditionplots.h"
#include "dialoghooks.h"
#include "scatterrequest.h"
#include "scatterview.h"
#include "sinks.h"

#include <QPainter>
#include <algorithm>
#include <new>

namespace {

constexpr int kCell = 250;
constexpr int kLabelsTop = 50, kRowsTop = 100, kRowLabelRight = 240;

// Copies `picture` (RGB32) into the 1-bit mosaic at `at`: white stays white, any other colour
// becomes black; what falls outside the mosaic is cut off.
void CopyAsBlackAndWhite(QImage& mosaic, const QImage& picture, QPoint at) {
    const QRect target = QRect(at, picture.size()).intersected(mosaic.rect());
    for (int y = target.top(); y <= target.bottom(); ++y) {
        const auto* from = reinterpret_cast<const QRgb*>(picture.constScanLine(y - at.y()));
        uchar* to = mosaic.scanLine(y);
        for (int x = target.left(); x <= target.right(); ++x) {
            const uchar bit = uchar(0x80u >> (x & 7));
            if ((from[x - at.x()] & 0xFFFFFFu) != 0xFFFFFFu)
                to[x >> 3] |= bit;
            else
                to[x >> 3] &= uchar(~bit);
        }
    }
}

// Writes a label with its top at y, starting at x or (rightAligned) ending there.
void WriteLabel(QImage& mosaic, const QString& text, const QFont& font, int x, int y,
                bool rightAligned) {
    const QFontMetrics metrics(font);
    const QSize size(std::max(metrics.horizontalAdvance(text), 1), metrics.height());
    QImage strip(size, QImage::Format_RGB32);
    strip.fill(Qt::white);
    {
        QPainter p(&strip);
        p.setFont(font);
        p.setPen(Qt::black);
        p.drawText(0, metrics.ascent(), text);
    }
    CopyAsBlackAndWhite(mosaic, strip, QPoint(rightAligned ? x - size.width() : x, y));
}

QImage DrawPlotScan(QWidget* parent, const PlotScanRequest& request) {
    const int n = static_cast<int>(request.Columns.size());
    QImage mosaic(kCell * n + 300, kCell * n + 200, QImage::Format_Mono);
    if (mosaic.isNull()) throw std::bad_alloc();
    mosaic.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
    mosaic.fill(0);

    // The renderer is never shown, so it neither reads nor writes its window settings.
    TfScatterView view(parent);
    SetUpScatterView(view, request.Kind == 2 ? 2 : 1, request.RegistryKey, request.ShowGeneListMenu,
                     request.GeneListHandle);
    view.resize(250, 380);
    view.move(-1000, -1000);
    view.FormResize();
    const std::vector<std::vector<float>> columns =
        ScanColumns(*request.Matrix, request.Columns, request.Kind);
    const int genes = static_cast<int>(columns.front().size());
    view.SetSeriesLength(1, genes);
    ScatterSeries& series = view.Series[1];
    series.XLabel = "Group 1";
    series.YLabel = "Group 2";
    series.Annotations = {"GeneID"};

    const QFont font = view.font();
    const auto label = [&](int k) {
        return k < request.Labels.size() ? request.Labels[k] : QString();
    };
    for (int b = 0; b < n; ++b)
        WriteLabel(mosaic, label(b), font, kCell * (b + 1), kLabelsTop, false);
    if (request.Progress) request.Progress->SetMaximum(n * n);
    QImage cell;
    int plot = 0;
    for (int a = 0; a < n; ++a) {
        const int y = kRowsTop + kCell * a;
        WriteLabel(mosaic, label(a), font, kRowLabelRight, y + 100, true);
        for (int b = 0; b < n; ++b) {
            if (request.Progress) {
                request.Progress->SetPosition(++plot);
                request.Progress->Pump();
            }
            ScanCellSeries(request.Kind, columns[size_t(a)], columns[size_t(b)],
                           series.Values[1].data() + 1, series.Values[2].data() + 1);
            view.UpdateSeriesRange(1);
            view.RenderToBitmap(cell);
            CopyAsBlackAndWhite(mosaic, cell, QPoint(kCell * (b + 1), y));
        }
    }
    return mosaic;
}
} // namespace

QImage RenderPlotScan(QWidget* parent, const PlotScanRequest& request) {
    const int n = static_cast<int>(request.Columns.size());
    if (!request.Matrix || n < 2 || n > kMostScanConditions) return QImage();
    try {
        return DrawPlotScan(parent, request);
    } catch (const std::bad_alloc&) {
        ShowMessage(parent, QStringLiteral("Not enough memory for a plot mosaic."),
                    QStringLiteral("Kelv"), MsgIcon::Stop);
        return QImage();
    }
}

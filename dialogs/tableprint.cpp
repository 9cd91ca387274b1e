#include "tableprint.h"

#include "gridmodel.h"

#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <algorithm>
#include <cmath>

TablePrintLayout LayoutTablePrint(double widthMm, double heightMm, int32_t rowCount) {
    TablePrintLayout layout;
    layout.Width = static_cast<int32_t>(widthMm * 10);
    layout.Height = static_cast<int32_t>(heightMm * 10);
    const int32_t usable = layout.Height - TablePrintLayout::kTop - TablePrintLayout::kBottom;
    layout.RowsPerPage = std::max(usable / TablePrintLayout::kLineHeight, 1);
    layout.Pages = (std::max(rowCount, 0) + layout.RowsPerPage - 1) / layout.RowsPerPage;
    return layout;
}

bool PrintTable(QPrinter& printer, const TGridModel& grid, const std::vector<int>& colWidths) {
    printer.setDocName(QStringLiteral("Kelv"));
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setFullPage(true);
    const QSizeF paper = printer.pageLayout().fullRect(QPageLayout::Millimeter).size();
    const TablePrintLayout layout =
        LayoutTablePrint(paper.width(), paper.height(), grid.RowCount());
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    // 0.1 mm to device pixels
    const double scale = printer.resolution() / 254.0;
    const auto px = [scale](double v) { return static_cast<int>(std::lround(v * scale)); };
    const auto fontOf = [&](int height) {
        QFont font(QStringLiteral("Arial"));
        font.setPixelSize(std::max(px(height), 1));
        return font;
    };
    const int width = px(layout.Width), height = px(layout.Height);
    for (int32_t page = 1; page <= layout.Pages; ++page) {
        if (page > 1) printer.newPage();
        painter.setFont(fontOf(48));
        painter.drawText(QRect(0, px(20), width, px(80)), Qt::AlignHCenter | Qt::AlignTop,
                         QStringLiteral("Kelv"));
        painter.setPen(QPen(Qt::black, px(5)));
        painter.drawLine(0, px(TablePrintLayout::kTop), width, px(TablePrintLayout::kTop));
        painter.drawLine(0, height - px(TablePrintLayout::kBottom), width,
                         height - px(TablePrintLayout::kBottom));
        painter.setFont(fontOf(36));
        painter.drawText(QRect(0, height - px(150), width, px(60)), Qt::AlignHCenter | Qt::AlignTop,
                         QStringLiteral("Seite: %1 von %2").arg(page).arg(layout.Pages));
        const int32_t first = (page - 1) * layout.RowsPerPage;
        const int32_t last = std::min(first + layout.RowsPerPage, grid.RowCount());
        for (int32_t r = first; r < last; ++r) {
            const int y = px(110 + (r - first) * TablePrintLayout::kLineHeight);
            double x = 0;
            for (int c = 0; c < grid.ColCount() && px(x) < width; ++c) {
                painter.drawText(QPoint(px(x), y + painter.fontMetrics().ascent()),
                                 grid.Cell(c, r));
                const int screen = static_cast<size_t>(c) < colWidths.size()
                                       ? colWidths[static_cast<size_t>(c)]
                                       : 64;
                x += 3.0 * screen;
            }
        }
    }
    return painter.end();
}

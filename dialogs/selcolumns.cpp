#include "selcolumns.h"

#include "inputtext.h"

#include <QFile>

bool ReadPreviewFile(const QString& path, qint64 maxBytes, PreviewTable& table) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    const QByteArray head = file.read(maxBytes);
    table = PreviewFromBytes(std::string_view(head.constData(), static_cast<size_t>(head.size())));
    return true;
}

PreviewTable PreviewFromLines(const QStringList& lines, qsizetype maxLines) {
    PreviewTable table;
    const qsizetype count = std::min(lines.size(), maxLines);
    for (qsizetype i = 0; i < count; ++i) {
        if (lines[i].isEmpty()) continue;
        const QByteArray line = lines[i].toUtf8();
        AddPreviewRow(table, std::string_view(line.constData(), static_cast<size_t>(line.size())));
    }
    return table;
}

QString JoinMarkedColumns(const std::vector<uint8_t>& marks) {
    QStringList numbers;
    for (size_t col = 0; col < marks.size(); ++col)
        if (marks[col] == 1) numbers.append(QString::number(col));
    return numbers.join(QLatin1Char(','));
}

int16_t EditNumber(const QString& text) {
    return static_cast<int16_t>(InputAsInteger(text));
}

bool BuiltInEditLabels(int32_t mode, int32_t& editCount, QStringList& labels) {
    switch (mode) {
    case 1:
        labels = {QStringLiteral("Row"), QStringLiteral("Column"),
                  QStringLiteral("Gene-Anno. columns"), QStringLiteral("Data columns")};
        break;
    case 2:
        labels = {QStringLiteral("First data row"), QStringLiteral("miRNA-column"),
                  QStringLiteral("Gene-column"), QStringLiteral("Tax-column"),
                  QStringLiteral("Tax-ID")};
        break;
    case 3:
        labels = {QStringLiteral("Row"), QStringLiteral("Gene-ID Column"),
                  QStringLiteral("Regulation column")};
        break;
    case 4:
        labels = {QStringLiteral("First row"),  QStringLiteral("Chromosome #"),
                  QStringLiteral("Arm"),        QStringLiteral("Band"),
                  QStringLiteral("Start (bp)"), QStringLiteral("Stop (bp)"),
                  QStringLiteral("Stain"),      QStringLiteral("Density"),
                  QStringLiteral("Length (bp)")};
        break;
    case 5:
        labels = {QStringLiteral("Row"), QStringLiteral("Feature1-Col"),
                  QStringLiteral("Feature2-Col")};
        break;
    default:
        return false;
    }
    editCount = static_cast<int32_t>(labels.size());
    return true;
}

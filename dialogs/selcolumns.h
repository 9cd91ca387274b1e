// Value logic of the file column selector, kept apart from the widgets.
#pragma once

#include "textpreview.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

// At most `maxBytes` bytes of the file as preview rows; false when it cannot be opened.
bool ReadPreviewFile(const QString& path, qint64 maxBytes, PreviewTable& table);

// The non-empty lines among the first `maxLines` of `lines`, as preview rows.
PreviewTable PreviewFromLines(const QStringList& lines, qsizetype maxLines);

// The numbers of the columns flagged 1 (index = column), ascending, joined by ",".
QString JoinMarkedColumns(const std::vector<uint8_t>& marks);

// An edit's text as the 16-bit number the callers read (the value of its valid beginning).
int16_t EditNumber(const QString& text);

// The edit labels of built-in mode 1..5; false (and nothing set) for any other mode.
bool BuiltInEditLabels(int32_t mode, int32_t& editCount, QStringList& labels);

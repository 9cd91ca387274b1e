#include "inputtext.h"

#include "numbers.h"
#include "registry.h"

#include <algorithm>
#include <cmath>

QString CleanPastedText(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (c == QLatin1Char('\r')) continue;
        const QChar blank =
            (c == QLatin1Char('\t') || c == QLatin1Char('\n')) ? QLatin1Char(' ') : c;
        if (blank == QLatin1Char(' ') && out.endsWith(QLatin1Char(' '))) continue;
        out.append(blank);
    }
    return out;
}

QString AppendCleanedText(const QString& current, const QString& text) {
    return current + QLatin1Char(' ') + CleanPastedText(text);
}

QString DefaultInputText(float defaultSingle, int32_t defaultInteger, const QString& text) {
    QString shown = text;
    if (defaultSingle != 0.0f && !std::isnan(defaultSingle))
        shown = QString::fromStdString(FormatFixedWidth(defaultSingle, 10, 4));
    if (defaultInteger != 0) shown = QString::number(defaultInteger);
    return shown;
}

bool IsHelpRequest(const QString& text) {
    return text.startsWith(QLatin1Char('?')) || text.startsWith(QLatin1String("\\h")) ||
           text.startsWith(QLatin1String("-h"));
}

float InputAsSingle(const QString& text) {
    return static_cast<float>(ParseLenientFloat(WithDecimalPoint(text.toStdString())));
}

int32_t InputAsInteger(const QString& text) {
    return ParseLenientInt(text.toStdString());
}

int32_t EnterIntoList(QStringList& list, const QString& text) {
    const qsizetype at = list.indexOf(text);
    if (at >= 0) return static_cast<int32_t>(at + 1);
    list.prepend(text);
    return 0;
}

QStringList ReadHistory(const QString& key, int32_t size, bool* opened, const QString& prefix) {
    QStringList entries;
    RegKey reg;
    const bool open = reg.OpenKey(key, false);
    if (opened) *opened = open;
    if (!open) return entries;
    for (int32_t n = 1; n <= size; ++n) {
        const QString value = reg.ReadString(prefix + QString::number(n), QString());
        if (!value.isEmpty()) entries.append(value);
    }
    return entries;
}

bool WriteHistory(const QString& key, const QStringList& history, int32_t size,
                  const QString& prefix) {
    RegKey reg;
    if (!reg.OpenKey(key, true)) return false;
    const qsizetype count = std::min<qsizetype>(history.size(), std::max(size, 0));
    int32_t n = 0;
    for (qsizetype i = 0; i < count; ++i)
        if (!history[i].isEmpty()) reg.WriteString(prefix + QString::number(++n), history[i]);
    return true;
}

// Value logic of the input dialogs, kept apart from the widgets.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>

// `text` made one line: TAB and line feed become blanks, carriage returns go, runs of blanks
// shrink to one blank.
QString CleanPastedText(const QString& text);

// `current` + " " + the cleaned `text`: what the combo shows after a paste or a drop.
QString AppendCleanedText(const QString& current, const QString& text);

// The text a dialog shows first: a non-zero integer wins over a non-zero real number (written
// "    2.5000", width 10 with 4 decimals), which wins over `text`.
QString DefaultInputText(float defaultSingle, int32_t defaultInteger, const QString& text);

// True when `text` asks for the help box ("?", "\h" or "-h" at its start).
bool IsHelpRequest(const QString& text);

// `text` as a real number (a decimal comma read as the point) or an integer: the value of its
// valid beginning, or 0.
float InputAsSingle(const QString& text);
int32_t InputAsInteger(const QString& text);

// Looks `text` up in `list` (exact, case-sensitive); returns its 1-based position, or 0 after
// putting it at the top.
int32_t EnterIntoList(QStringList& list, const QString& text);

// The non-empty string values `prefix` + "1".."size" of the settings key `key`, in order. The
// key is not created; `opened` tells whether it existed.
QStringList ReadHistory(const QString& key, int32_t size, bool* opened,
                        const QString& prefix = QString());

// Writes the first min(count, size) non-empty entries as `prefix` + "1", "2", ... without gaps,
// creating the key when missing; false when the key could not be opened.
bool WriteHistory(const QString& key, const QStringList& history, int32_t size,
                  const QString& prefix = QString());

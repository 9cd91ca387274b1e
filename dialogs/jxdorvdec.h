// Shared declarations of the program's windows.
#pragma once

#include <QString>

// Opens a URL or document with its registered program; nothing for an empty text, and a
// failure is not reported.
void OpenUrl(const QString& text);

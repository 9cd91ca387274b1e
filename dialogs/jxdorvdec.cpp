#include "jxdorvdec.h"

#include "system.h"

void OpenUrl(const QString& text) {
    if (!text.isEmpty()) ShellOpen(text);
}

// Files dragged onto a window from the desktop.
#pragma once

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QStringList>
#include <QUrl>

// Lets a drag that carries files (or other URLs) in.
inline void AcceptFileDrag(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

// The local files of a drop, in order; the drop is accepted.
inline QStringList TakeDroppedFiles(QDropEvent* event) {
    QStringList files;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile()) files.append(url.toLocalFile());
    event->acceptProposedAction();
    return files;
}

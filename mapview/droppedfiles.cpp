#include "droppedfiles.h"

DroppedFiles ClassifyDroppedFiles(const QStringList& names) {
    DroppedFiles d;
    for (const QString& name : names) {
        const int dot = name.lastIndexOf(QLatin1Char('.'));
        const QString ext = dot < 0 ? QString() : name.mid(dot);
        if (ext == QLatin1String(".txt")) {
            if (d.texts.size() < 10)
                d.texts.append(name);
            else
                d.texts[9] = name;
            d.kind = DroppedFiles::FeatureFiles;
        } else if (ext == QLatin1String(".cgm")) {
            d.matrix = name;
            d.kind = DroppedFiles::CGHMatrix;
        }
    }
    return d;
}

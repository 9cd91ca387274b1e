#include "filedialogrecord.h"

#include <QStringList>
#include <algorithm>

bool tFileDialog::Execute(QWidget* parent) {
    const QStringList entries = Filter.split(QStringLiteral(";;"));
    QString chosenFilter = entries.value(FilterIndex - 1);
    FileDialogRequest request{Kind, Title, FileName, Filter};
    request.selectedFilter = &chosenFilter;
    const QString name = AskFileName(parent, request);
    if (name.isEmpty()) return false;
    FileName = name;
    FilterIndex = std::max<int>(1, static_cast<int>(entries.indexOf(chosenFilter)) + 1);
    return true;
}

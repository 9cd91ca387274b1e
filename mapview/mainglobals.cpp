#include "mainglobals.h"

#include <QUrl>

std::array<TColor, 101> SetColors{};
bool DetailViewerOpen = false;
int GeneNameWidth = 100;
int ChromosomeGap = 0;
const QString kDefaultGeneDatabase = QStringLiteral("https://www.ncbi.nlm.nih.gov/");
QString GeneDatabaseAddress = kDefaultGeneDatabase;
tShownAnnotationKeys ShownAnnotationKeys;
int ExpressionTrackWidth = 0;

bool IsGeneDatabaseAddress(const QString& address) {
    const QUrl url(address, QUrl::StrictMode);
    return url.isValid() &&
           (url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https")) &&
           !url.host().isEmpty();
}

void SetDefaultColors() {
    static constexpr TColor first[18] = {0xFF,     0xFF0000, 0x8000,   0,        0x5555FF, 0xFF5555,
                                         0x55FF55, 0x555555, 0xAAAAFF, 0xFFAAAA, 0xAAFFAA, 0xAAAAAA,
                                         0xAA,     0xAA0000, 0xAA00,   0x55,     0x550000, 0x5500};
    SetColors[0] = 0;
    for (int i = 1; i <= 100; ++i) SetColors[i] = i <= 18 ? first[i - 1] : 0x555555;
}

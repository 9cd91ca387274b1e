// Seeds the settings of a first run so that the program starts showing its shipped ideogram.
// Does nothing when settings exist already.
#include "ideogram.h"
#include "registry.h"

#include <QCoreApplication>
#include <QDir>
#include <cstdio>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QString base = QStringLiteral("software\\JX-Quorbel\\");
    if (Registry::KeyExists(base)) return 0;
    const QString ideogram = QDir(QCoreApplication::applicationDirPath())
                                 .absoluteFilePath(QStringLiteral("data/ideogram"));
    RegKey key;
    if (!key.OpenKey(base, true)) {
        std::fprintf(stderr, "Cannot write the settings store %s\n",
                     qPrintable(Registry::Location()));
        return 1;
    }
    key.WriteString(QStringLiteral("Autoload ideogram"), QStringLiteral("yes"));
    key.WriteString(QStringLiteral("Ideogram data file"),
                    ideogram + QLatin1String(kNCBIIdeogramColumns));
    if (key.OpenKey(base + QStringLiteral("Expression matrix\\"), true)) {
        key.WriteInteger(QStringLiteral("Header rows"), 7);
        key.WriteInteger(QStringLiteral("Header columns"), 13);
        key.WriteInteger(QStringLiteral("Chromosome ID column"), 10);
        key.WriteInteger(QStringLiteral("Start"), 11);
        key.WriteInteger(QStringLiteral("Stop"), 12);
    }
    key.CloseKey();
    return 0;
}

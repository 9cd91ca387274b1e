// Seeds the settings of a first run so that the program starts on its shipped ideogram:
// quorbel-seed-settings [SETTINGS_INI]. Does nothing when the base key exists already.
#include "registry.h"

#include <QCoreApplication>
#include <QDir>
#include <cstdio>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    if (argc > 1) Registry::SetLocation(QString::fromLocal8Bit(argv[1]));
    const QString base = QStringLiteral("software\\JX-Quorbel\\");
    if (Registry::KeyExists(base)) return 0;

    RegKey key;
    if (!key.OpenKey(base, true)) return 1;
    key.WriteString(QStringLiteral("Autoload ideogram"), QStringLiteral("yes"));
    const QString ideogram =
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("data/ideogram"));
    key.WriteString(QStringLiteral("Ideogram data file"),
                    ideogram + QStringLiteral(";2,1,2,3,6,7,8,9,4"));
    // Once the base key exists the expression-matrix numbers are read from here, not defaulted.
    RegKey matrix;
    if (!matrix.OpenKey(base + QStringLiteral("Expression matrix\\"), true)) return 1;
    matrix.WriteInteger(QStringLiteral("Header rows"), 7);
    matrix.WriteInteger(QStringLiteral("Header columns"), 13);
    matrix.WriteInteger(QStringLiteral("Chromosome ID column"), 10);
    matrix.WriteInteger(QStringLiteral("Start"), 11);
    matrix.WriteInteger(QStringLiteral("Stop"), 12);
    std::fprintf(stderr, "Settings seeded in %s\n", qPrintable(Registry::Location()));
    return 0;
}

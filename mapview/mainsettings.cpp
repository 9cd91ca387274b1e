// The main window's settings in the per-user store: read when shown, written when closed.
#include "dialoghooks.h"
#include "mainglobals.h"
#include "mainwindow.h"

#include "records.h"
#include "registry.h"
#include "windowplace.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>

namespace {
const QString kDetailViewerKey = QStringLiteral("DetailViewer1\\");
const QString kStatisticKey = QStringLiteral("Statistic analysis\\");
const QString kFindGeneKey = QStringLiteral("Find gene history\\");
const QString kGroupFileKey = QStringLiteral("CGH-Group file history\\");
const QString kExpressionKey = QStringLiteral("Expression matrix\\");
const QString kCGHMatrixKey = QStringLiteral("CGH matrix\\");
const QString kGeneDatabaseValue = QStringLiteral("Gene database");

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

void ReadHistory(const QString& path, std::array<QString, 21>& history) {
    RegKey key;
    if (!key.OpenKey(path, false)) return; // histories are never created by reading
    for (int n = 1; n <= 20; ++n) {
        const QString v = key.ReadString(QString::number(n), QString());
        if (!v.isEmpty()) history[n] = v;
    }
}

void WriteHistory(const QString& path, const std::array<QString, 21>& history) {
    RegKey key;
    if (!key.OpenKey(path, true)) return;
    for (int n = 1; n <= 20; ++n)
        if (!history[n].isEmpty()) key.WriteString(QString::number(n), history[n]);
}

// Non-empty values "Recent files 1..10" packed in order into the list.
void ReadRecentFiles(const RegKey& key, std::array<std::string, kRecentFiles + 1>& list) {
    int next = 1;
    for (int n = 1; n <= kRecentFiles; ++n) {
        const QString v = key.ReadString(QStringLiteral("Recent files %1").arg(n), QString());
        if (!v.isEmpty()) list[next++] = v.toStdString();
    }
}

void WriteRecentFiles(RegKey& key, const std::array<std::string, kRecentFiles + 1>& list) {
    for (int n = 1; n <= kRecentFiles; ++n)
        key.WriteString(QStringLiteral("Recent files %1").arg(n), Q(list[n]));
}

// Tells the user, once, that the settings store failed them and what follows from it.
void ReportStoreFailure(QWidget* parent, const QString& how, const QString& why,
                        const QString& consequence) {
    if (why.isEmpty()) return;
    ShowMessage(parent,
                QStringLiteral("The settings could not be %1\n%2\n\n%3\n\n%4")
                    .arg(how, Registry::Location(), why, consequence),
                QStringLiteral("Quorbel"), MsgIcon::Warning);
}

} // namespace

void TfQuorbelView::ApplyFormColor() {
    QPalette pal = palette();
    const QColor c = FormColor == clBtnFace ? QGuiApplication::palette().color(QPalette::Window)
                                            : ToQColor(static_cast<TColor>(FormColor));
    pal.setColor(QPalette::Window, c);
    setPalette(pal);
    MapView_Panel_Map->setPalette(pal);
}

void TfQuorbelView::ReadWindowValues(const RegKey& key) {
    RestoreWindowPlace(*this, key.ReadInteger(QStringLiteral("Window Left"), 10),
                       key.ReadInteger(QStringLiteral("Window Top"), 10),
                       key.ReadInteger(QStringLiteral("Window Width"), 620),
                       key.ReadInteger(QStringLiteral("Window Height"), 460));
    FormColor = key.ReadInteger(QStringLiteral("Background color"), clBtnFace);
    ApplyFormColor();
}

void TfQuorbelView::ReadSettings() {
    if (RegistryKey.isEmpty()) return;
    ReportStoreFailure(this, QStringLiteral("read from"), Registry::ReadFailure(),
                       QStringLiteral("Quorbel starts with its default settings."));
    if (!Registry::KeyExists(RegistryKey)) return;
    RegKey key;
    if (key.OpenKey(RegistryKey, false)) {
        ReadWindowValues(key);
        // Missing, as in a file cut short, it stays the shipped ideogram.
        IdeogramFile = key.ReadString(QStringLiteral("Ideogram data file"), IdeogramFile);
        Pref_CB_IdeogramFile->setEditText(IdeogramFile);
        Pref_CB_AutoLoad_Ideogram->setChecked(
            key.ReadString(QStringLiteral("Autoload ideogram"), QString()) == QLatin1String("yes"));
        GeneDatabaseAddress = key.ReadString(kGeneDatabaseValue, QString()).trimmed();
        if (GeneDatabaseAddress.isEmpty()) {
            GeneDatabaseAddress = kDefaultGeneDatabase;
        } else if (!IsGeneDatabaseAddress(GeneDatabaseAddress)) {
            InfoLog.AddLines({QStringLiteral("The gene database \"%1\" in the settings is not an "
                                             "http or https address; %2 is used.")
                                  .arg(GeneDatabaseAddress, kDefaultGeneDatabase)
                                  .toStdString()});
            GeneDatabaseAddress = kDefaultGeneDatabase;
        }
    }
    if (key.OpenKey(RegistryKey + kStatisticKey, true)) {
        for (int n = 1; n <= 10; ++n) {
            CGHStat.GroupSettings[n] =
                key.ReadString(QStringLiteral("Group-%1").arg(n), QString()).toStdString();
            CGHStat.AlphaSettings[n] =
                key.ReadString(QStringLiteral("Alpha-%1").arg(n), QString()).toStdString();
        }
    }
    ReadHistory(RegistryKey + kFindGeneKey, FindGeneHistory);
    ReadHistory(RegistryKey + kGroupFileKey, GroupFileHistory);
    UpdateGroupingHistoryMenu(QStringLiteral("||||"));
    if (key.OpenKey(RegistryKey + kExpressionKey, true)) {
        ExpData.HeaderRows = key.ReadInteger(QStringLiteral("Header rows"), 0);
        ExpData.HeaderCols = key.ReadInteger(QStringLiteral("Header columns"), 0);
        ExpData.ChrColumn = key.ReadInteger(QStringLiteral("Chromosome ID column"), 0);
        ExpData.StartColumn = key.ReadInteger(QStringLiteral("Start"), 0);
        ExpData.StopColumn = key.ReadInteger(QStringLiteral("Stop"), 0);
        ReadRecentFiles(key, ExpData.RecentFiles);
        UpdateExpRecentMenu();
    }
    if (key.OpenKey(RegistryKey + kCGHMatrixKey, true)) {
        ReadRecentFiles(key, CGHData.RecentFiles);
        UpdateCGHRecentMenu();
    }
}

void TfQuorbelView::ReadDetailViewerSettings() {
    if (RegistryKey.isEmpty()) return;
    RegKey key;
    if (!key.OpenKey(RegistryKey, true) || !key.OpenKey(RegistryKey + kDetailViewerKey, true))
        return;
    ReadWindowValues(key);
}

void TfQuorbelView::WriteSettings() {
    if (RegistryKey.isEmpty()) return;
    RegKey key;
    const QString windowKey = IsDetailViewer ? RegistryKey + kDetailViewerKey : RegistryKey;
    if (key.OpenKey(windowKey, true)) {
        key.WriteInteger(QStringLiteral("Window left"), x());
        key.WriteInteger(QStringLiteral("Window top"), y());
        key.WriteInteger(QStringLiteral("Window width"), width());
        key.WriteInteger(QStringLiteral("Window Height"), height());
        key.WriteInteger(QStringLiteral("Background color"), FormColor);
        key.WriteString(QStringLiteral("Ideogram data file"), IdeogramFile);
        key.WriteString(QStringLiteral("Autoload ideogram"), Pref_CB_AutoLoad_Ideogram->isChecked()
                                                                 ? QStringLiteral("yes")
                                                                 : QStringLiteral("np"));
    }
    if (!IsDetailViewer && key.OpenKey(RegistryKey, true))
        key.WriteString(kGeneDatabaseValue, GeneDatabaseAddress);
    WriteHistory(RegistryKey + kFindGeneKey, FindGeneHistory);
    WriteHistory(RegistryKey + kGroupFileKey, GroupFileHistory);
    if (key.OpenKey(RegistryKey + kStatisticKey, true)) {
        for (int n = 1; n <= 10; ++n) {
            key.WriteString(QStringLiteral("Group-%1").arg(n), Q(CGHStat.GroupSettings[n]));
            key.WriteString(QStringLiteral("Alpha-%1").arg(n), Q(CGHStat.AlphaSettings[n]));
        }
    }
    if (key.OpenKey(RegistryKey + kExpressionKey, true)) {
        key.WriteInteger(QStringLiteral("Header rows"), ExpData.HeaderRows);
        key.WriteInteger(QStringLiteral("Header columns"), ExpData.HeaderCols);
        key.WriteInteger(QStringLiteral("Chromosome ID column"), ExpData.ChrColumn);
        key.WriteInteger(QStringLiteral("Start"), ExpData.StartColumn);
        key.WriteInteger(QStringLiteral("Stop"), ExpData.StopColumn);
        WriteRecentFiles(key, ExpData.RecentFiles);
    }
    if (key.OpenKey(RegistryKey + kCGHMatrixKey, true)) WriteRecentFiles(key, CGHData.RecentFiles);
    key.CloseKey();
    if (IsDetailViewer) return;
    ReportStoreFailure(this, QStringLiteral("written to"), Registry::WriteFailure(),
                       QStringLiteral("The settings of this session are lost."));
}

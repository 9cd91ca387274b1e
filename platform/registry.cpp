#include "registry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSettings>
#include <QStandardPaths>
#include <memory>

namespace {
// Marks a key that exists without values (INI groups vanish when empty).
const QString kKeyMarker = QStringLiteral(".key");
const QString kStringTag = QStringLiteral("sz:");
const QString kIntegerTag = QStringLiteral("dword:");

QString& LocationRef() {
    static QString location;
    return location;
}

QSettings& Store() {
    static std::unique_ptr<QSettings> settings;
    static QString openedAt;
    const QString where = Registry::Location();
    if (!settings || openedAt != where) {
        settings = std::make_unique<QSettings>(where, QSettings::IniFormat);
        openedAt = where;
    }
    return *settings;
}

QString NormalisedPath(const QString& path) {
    QString p = path.toLower();
    p.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const QStringList parts = p.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    return parts.join(QLatin1Char('/'));
}

bool GroupHasContent(QSettings& s, const QString& group) {
    s.beginGroup(group);
    const bool any = !s.childKeys().isEmpty() || !s.childGroups().isEmpty();
    s.endGroup();
    return any;
}
} // namespace

void Registry::SetLocation(const QString& iniFile) {
    LocationRef() = iniFile;
}

QString Registry::Location() {
    if (LocationRef().isEmpty()) {
        const QString dir = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
        LocationRef() = dir + QStringLiteral("/JX-Quorbel/registry.ini");
    }
    return LocationRef();
}

QString Registry::ReadFailure() {
    QFile file(Location());
    if (!file.exists() || file.open(QIODevice::ReadOnly)) return {};
    return file.errorString();
}

QString Registry::WriteFailure() {
    Store().sync();
    if (Store().status() != QSettings::AccessError) return {};
    // Qt writes no file that it could not read first.
    if (QString why = ReadFailure(); !why.isEmpty()) return why;
    // Qt's own save gives no reason; the same kind of save, left unwritten, does.
    QSaveFile probe(Location());
    if (!probe.open(QIODevice::WriteOnly)) return probe.errorString();
    probe.cancelWriting();
    return QStringLiteral("access denied");
}

bool Registry::KeyExists(const QString& path) {
    const QString group = NormalisedPath(path);
    return !group.isEmpty() && GroupHasContent(Store(), group);
}

bool Registry::DeleteKey(const QString& path) {
    const QString group = NormalisedPath(path);
    if (group.isEmpty() || !KeyExists(path)) return false;
    Store().remove(group);
    Store().sync();
    return true;
}

bool RegKey::OpenKey(const QString& path, bool create) {
    group_.clear();
    const QString group = NormalisedPath(path);
    if (group.isEmpty()) return false;
    if (!Registry::KeyExists(group)) {
        if (!create) return false;
        // Creating a key creates its parents, as the registry does.
        QString prefix;
        for (const QString& part : group.split(QLatin1Char('/'))) {
            prefix = prefix.isEmpty() ? part : prefix + QLatin1Char('/') + part;
            Store().setValue(prefix + QLatin1Char('/') + kKeyMarker, 1);
        }
        Store().sync();
        QFileInfo(Registry::Location()).dir().mkpath(QStringLiteral("."));
        Store().sync();
    }
    group_ = group;
    return true;
}

void RegKey::CloseKey() {
    if (IsOpen()) Store().sync();
    group_.clear();
}

QString RegKey::StoredName(const QString& name) const {
    if (!IsOpen()) return {};
    QSettings& s = Store();
    s.beginGroup(group_);
    const QStringList keys = s.childKeys();
    s.endGroup();
    for (const QString& k : keys)
        if (k != kKeyMarker && k.compare(name, Qt::CaseInsensitive) == 0) return k;
    return {};
}

bool RegKey::ValueExists(const QString& name) const {
    return !StoredName(name).isEmpty();
}

QStringList RegKey::ValueNames() const {
    if (!IsOpen()) return {};
    QSettings& s = Store();
    s.beginGroup(group_);
    QStringList keys = s.childKeys();
    s.endGroup();
    keys.removeAll(kKeyMarker);
    return keys;
}

std::optional<int> RegKey::ReadInteger(const QString& name) const {
    const QString stored = StoredName(name);
    if (stored.isEmpty()) return std::nullopt;
    const QString raw = Store().value(group_ + QLatin1Char('/') + stored).toString();
    if (!raw.startsWith(kIntegerTag)) return std::nullopt;
    bool ok = false;
    const int v = raw.mid(kIntegerTag.size()).toInt(&ok);
    return ok ? std::optional<int>(v) : std::nullopt;
}

std::optional<QString> RegKey::ReadString(const QString& name) const {
    const QString stored = StoredName(name);
    if (stored.isEmpty()) return std::nullopt;
    const QString raw = Store().value(group_ + QLatin1Char('/') + stored).toString();
    if (!raw.startsWith(kStringTag)) return std::nullopt;
    return raw.mid(kStringTag.size());
}

void RegKey::Write(const QString& name, const QString& encoded) {
    if (!IsOpen() || name.isEmpty()) return;
    const QString old = StoredName(name);
    if (!old.isEmpty() && old != name) Store().remove(group_ + QLatin1Char('/') + old);
    Store().setValue(group_ + QLatin1Char('/') + (old.isEmpty() ? name : old), encoded);
}

void RegKey::WriteInteger(const QString& name, int value) {
    Write(name, kIntegerTag + QString::number(value));
}

void RegKey::WriteString(const QString& name, const QString& value) {
    Write(name, kStringTag + value);
}

bool RegKey::DeleteValue(const QString& name) {
    const QString stored = StoredName(name);
    if (stored.isEmpty()) return false;
    Store().remove(group_ + QLatin1Char('/') + stored);
    return true;
}

// The per-user settings store, keyed like the Windows registry below HKEY_CURRENT_USER.
//
// Key paths use "\" or "/" alike and match without regard to case; value names match without
// regard to case too ("Window left" written is "Window Left" read). Values are typed: a read of
// a missing value, or of one of another type, gives nothing (or the caller's default).
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class QSettings;

namespace Registry {
// The INI file that backs the store. Defaults to the user's config folder; tests point it at a
// temporary folder before anything is read.
void SetLocation(const QString& iniFile);
QString Location();

// Why the store's file cannot be read: it exists but does not open. Empty when it can (or does
// not exist yet).
QString ReadFailure();
// Writes what is pending to the file; why the store could not be written in this run (Qt keeps
// the first failure), or empty.
QString WriteFailure();

bool KeyExists(const QString& path);
// Deletes the key with its values and subkeys; false when it did not exist.
bool DeleteKey(const QString& path);
} // namespace Registry

// One open key, in the manner of TRegistry.
class RegKey {
  public:
    RegKey() = default;
    // Opens the key; without `create` a missing key is not opened (and not created).
    bool OpenKey(const QString& path, bool create);
    void CloseKey();
    bool IsOpen() const { return !group_.isEmpty(); }

    bool ValueExists(const QString& name) const;
    QStringList ValueNames() const;
    std::optional<int> ReadInteger(const QString& name) const;
    std::optional<QString> ReadString(const QString& name) const;
    int ReadInteger(const QString& name, int fallback) const {
        return ReadInteger(name).value_or(fallback);
    }
    QString ReadString(const QString& name, const QString& fallback) const {
        return ReadString(name).value_or(fallback);
    }
    void WriteInteger(const QString& name, int value);
    void WriteString(const QString& name, const QString& value);
    bool DeleteValue(const QString& name);

  private:
    QString StoredName(const QString& name) const;
    void Write(const QString& name, const QString& encoded);
    QString group_;
};

#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace zendrix {

// The full path of the configuration file: the program's folder followed by "/Data/config.ini", or the
// user's own file when that folder cannot be written (SettingsFile.h). Start-up sets it once, before
// anything reads a setting.
inline QString ConfigPath;

// Reads one value of an INI file: `key` in `[section]`, both found without regard to case, blanks around
// the value removed. Returns `defaultValue` when the file, the section or the key does not exist or the
// file cannot be read. Values longer than 254 characters come back cut to their first 254. Nothing is
// kept in memory: every read goes to the file, so a value written anywhere is the next value read.
QString ReadINI(const QString& file, const QString& section, const QString& key, const QString& defaultValue);

// Writes one value: carriage returns and line feeds in `value` become blanks, an existing key's line is
// replaced, a missing key is added at the end of its section and a missing section at the end of the file
// (created when absent). Every other line keeps its bytes. The new file replaces the old one only when it
// has been written completely; a failed write (read-only folder, full disk) is silent and leaves the old
// file as it was.
void WriteINI(const QString& file, const QString& section, const QString& key, const QString& value);

// What ReadINI finds in a file's bytes, without the file: the stored value of `key` in `[section]`, blanks
// around it removed and not cut to length; nothing when the section or the key is missing.
[[nodiscard]] std::optional<QString> iniValue(const QByteArray& bytes, const QString& section,
                                              const QString& key);
// What WriteINI does to a file's bytes, without the file: the contents with the value written. For callers
// that put several values into a new file at once.
QByteArray withINIValue(const QByteArray& contents, const QString& section, const QString& key, const QString& value);

}  // namespace zendrix

#pragma once

#include <QString>
#include <QStringList>

// The per-user settings file ($XDG_CONFIG_HOME/Veldmark/Horolux.conf on Linux, the
// registry on Windows), group "Options". Every write goes to the file at once; nothing is
// saved at exit.
namespace settings {

QString ReadString(const char* key, const QString& defaultValue);
int ReadInt(const char* key, int defaultValue);
void WriteString(const char* key, const QString& value);
void WriteInt(const char* key, int value);
// A list of texts as one value; a single text reads as a list of one.
QStringList ReadStringList(const char* key);
void WriteStringList(const char* key, const QStringList& values);

// Where the settings live, for the README and for tests.
QString FilePath();

} // namespace settings

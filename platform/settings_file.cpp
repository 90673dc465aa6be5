#include "platform/settings_file.h"

#include "platform/escaped_text.h"
#include "platform/settings_file_check.h"

#include <QCoreApplication>
#include <QSettings>
#include <QStandardPaths>
#include <atomic>
#include <cstdio>

namespace settings {

namespace {

constexpr const char* kOrganization = "Veldmark";
constexpr const char* kApplication = "Horolux";
constexpr const char* kGroup = "Options";

// INI files keep no types, so a value that does not read as a number counts as missing.
int ToInt(const QVariant& value, int defaultValue) {
    bool ok = false;
    const int number = value.toInt(&ok);
    return ok ? number : defaultValue;
}

// What stderr says, once, when the file is left alone.
const char* ProblemText(FileProblem problem) {
    switch (problem) {
    case FileProblem::NotRegular:
        return "is not a regular file";
    case FileProblem::TooLarge:
        return "is larger than 64 KiB";
    case FileProblem::HoldsNul:
        return "holds a NUL byte";
    case FileProblem::None:
        break;
    }
    return "";
}

// A file that cannot be read safely is neither read nor replaced: the defaults apply and
// the user's file stays as it is.
bool FileUsable() {
    const QString path = FilePath();
    const FileProblem problem = CheckFile(path.toStdString());
    static std::atomic<bool> noted = false;
    if (problem != FileProblem::None && !noted.exchange(true)) {
        const QString program = QCoreApplication::applicationName();
        std::fprintf(
            stderr, "%s: %s %s; the settings are not read or written, defaults apply\n",
            (program.isEmpty() ? QStringLiteral("horolux") : program).toLocal8Bit().constData(),
            EscapeControlBytes(path.toStdString()).c_str(), ProblemText(problem));
    }
    return problem == FileProblem::None;
}

class OptionsGroup {
  public:
    OptionsGroup() : m_settings(kOrganization, kApplication) { m_settings.beginGroup(kGroup); }
    ~OptionsGroup() {
        m_settings.endGroup();
        m_settings.sync();
    }
    QSettings* operator->() { return &m_settings; }

  private:
    QSettings m_settings;
};

} // namespace

QString ReadString(const char* key, const QString& defaultValue) {
    if (!FileUsable()) {
        return defaultValue;
    }
    OptionsGroup options;
    const QVariant value = options->value(key);
    if (!value.isValid()) {
        return defaultValue;
    }
    // An unquoted comma makes the reader split the text; it was one text when typed.
    return value.userType() == QMetaType::QStringList
               ? value.toStringList().join(QStringLiteral(", "))
               : value.toString();
}

int ReadInt(const char* key, int defaultValue) {
    if (!FileUsable()) {
        return defaultValue;
    }
    OptionsGroup options;
    return ToInt(options->value(key), defaultValue);
}

void WriteString(const char* key, const QString& value) {
    if (FileUsable()) {
        OptionsGroup options;
        options->setValue(key, value);
    }
}

void WriteInt(const char* key, int value) {
    if (FileUsable()) {
        OptionsGroup options;
        options->setValue(key, value);
    }
}

QStringList ReadStringList(const char* key) {
    if (!FileUsable()) {
        return {};
    }
    OptionsGroup options;
    return options->value(key).toStringList();
}

void WriteStringList(const char* key, const QStringList& values) {
    if (FileUsable()) {
        OptionsGroup options;
        options->setValue(key, values);
    }
}

// Where the settings reader looks, worked out without opening anything.
QString FilePath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + '/' +
           QLatin1String(kOrganization) + '/' + QLatin1String(kApplication) +
           QStringLiteral(".conf");
}

} // namespace settings

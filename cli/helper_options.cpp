#include "cli/helper_options.h"

#include <QFileInfo>

namespace {

constexpr const char* kAllowed[] = {"--server", "--protocol", "--port", "--ca-file"};
// Only root can write there, so a user cannot hand the root helper a CA of their own.
constexpr const char* kCaFolders[] = {"/etc/", "/usr/"};

bool Allowed(const QString& argument) {
    const QString name = argument.section(QLatin1Char('='), 0, 0);
    for (const char* allowed : kAllowed) {
        if (name == QLatin1String(allowed)) {
            return true;
        }
    }
    return false;
}

// The real file behind the path, so that neither ".." nor a symbolic link leads elsewhere.
bool InTrustedFolder(const QString& path) {
    const QString real = QFileInfo(path).canonicalFilePath();
    for (const char* folder : kCaFolders) {
        if (real.startsWith(QLatin1String(folder)) && QFileInfo(real).isFile()) {
            return true;
        }
    }
    return false;
}

} // namespace

std::variant<CliOptions, CliUsageError> ParseHelperOptions(const QStringList& arguments) {
    // Every name an option may take stands at an even place ("--port 123") or carries its
    // value ("--port=123"); check the names before the values are read.
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        if (!Allowed(arguments[i])) {
            return CliUsageError{QStringLiteral("unknown argument '%1'").arg(arguments[i])};
        }
        if (!arguments[i].contains(QLatin1Char('='))) {
            ++i;
        }
    }
    auto parsed = ParseCliOptions(arguments);
    if (auto* options = std::get_if<CliOptions>(&parsed)) {
        if (options->caFile && !InTrustedFolder(*options->caFile)) {
            return CliUsageError{QStringLiteral("--ca-file takes a file under /etc or /usr")};
        }
        options->correct = true;
        options->json = true;
    }
    return parsed;
}

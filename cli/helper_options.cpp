#include "cli/helper_options.h"

#include "platform/escaped_text.h"

namespace {

constexpr const char* kAllowed[] = {"--server", "--protocol", "--port", "--ca-file"};

bool Allowed(const QString& argument) {
    const QString name = argument.section(QLatin1Char('='), 0, 0);
    for (const char* allowed : kAllowed) {
        if (name == QLatin1String(allowed)) {
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
            return CliUsageError{
                QStringLiteral("unknown argument '%1'")
                    .arg(QString::fromStdString(EscapeControlBytes(arguments[i].toStdString())))};
        }
        if (!arguments[i].contains(QLatin1Char('='))) {
            ++i;
        }
    }
    auto parsed = ParseCliOptions(arguments);
    if (auto* options = std::get_if<CliOptions>(&parsed)) {
        options->correct = true;
        options->json = true;
        // Root keeps no history: the window that asked writes its own row.
        options->writeHistory = false;
    }
    return parsed;
}

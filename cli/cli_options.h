#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <variant>

// Command line of horolux-cli. Options override the stored settings for one run only.
struct CliOptions {
    std::optional<QString> server;
    // The stored pair when not given: "SNTP"/"UDP", "Time"/"TCP" or "Time"/"UDP".
    std::optional<QString> protocol;
    std::optional<QString> socketType;
    std::optional<int> port;
    std::optional<QString> caFile;
    bool correct = false;
    double timeoutSeconds = 60.0;
    bool json = false;
    bool help = false;
    bool version = false;
};

struct CliUsageError {
    QString message;
};

std::variant<CliOptions, CliUsageError> ParseCliOptions(const QStringList& arguments);

// The text --help prints.
QString CliHelpText();

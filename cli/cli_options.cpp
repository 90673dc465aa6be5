#include "cli/cli_options.h"

#include "cli/check_mode.h"
#include "cli/cli_exit_status.h"
#include "platform/escaped_text.h"
#include "timesync/burst_samples.h"
#include "timesync/query_setting_keys.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QTimeZone>

namespace {

struct Since {
    bool ago = false;
    std::int64_t microseconds = 0;
};

// "7d", "24h": that long before now. "2026-12-01" or "2026-12-01T08:00:00" (UTC unless an
// offset is written): from then.
std::optional<Since> ParseSince(const QString& value) {
    constexpr std::int64_t kHourMicroseconds = 3600LL * 1000000;
    const QChar unit = value.isEmpty() ? QChar() : value.back();
    if (unit == QLatin1Char('d') || unit == QLatin1Char('h')) {
        bool ok = false;
        const qlonglong count = value.chopped(1).toLongLong(&ok);
        // Up to 100 years; the digits only, no sign.
        if (ok && value.front().isDigit() && count >= 0 && count <= 876000) {
            return Since{true, count * kHourMicroseconds * (unit == QLatin1Char('d') ? 24 : 1)};
        }
        return std::nullopt;
    }
    QDateTime when = QDateTime::fromString(value, Qt::ISODateWithMs);
    if (!when.isValid()) {
        const QDate day = QDate::fromString(value, Qt::ISODate);
        if (day.isValid()) {
            when = day.startOfDay(QTimeZone::utc());
        }
    } else if (when.timeSpec() == Qt::LocalTime) {
        when.setTimeZone(QTimeZone::utc());
    }
    if (!when.isValid()) {
        return std::nullopt;
    }
    return Since{false, when.toMSecsSinceEpoch() * 1000};
}

CliUsageError Error(const QString& text) {
    return CliUsageError{text};
}

} // namespace

bool AsksForCheck(const QStringList& arguments) {
    return arguments.contains(QLatin1String("--check"));
}

std::variant<CliOptions, CliUsageError> ParseCliOptions(const QStringList& arguments) {
    CliOptions options;
    options.warning = QString::fromLatin1(check::kDefaultWarning);
    options.critical = QString::fromLatin1(check::kDefaultCritical);
    bool timeoutGiven = false;
    bool thresholdGiven = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        QString name = arguments[i];
        std::optional<QString> inlineValue;
        if (name.startsWith(QLatin1String("--")) && name.contains(QLatin1Char('='))) {
            inlineValue = name.section(QLatin1Char('='), 1);
            name = name.section(QLatin1Char('='), 0, 0);
        }
        auto takesValue = [&]() -> std::optional<QString> {
            if (inlineValue) {
                return inlineValue;
            }
            if (i + 1 < arguments.size()) {
                return arguments[++i];
            }
            return std::nullopt;
        };
        auto isFlag = [&](const char* flag) { return name == QLatin1String(flag) && !inlineValue; };

        if (isFlag("--help") || isFlag("-h")) {
            options.help = true;
        } else if (isFlag("--version")) {
            options.version = true;
        } else if (isFlag("--correct")) {
            options.correct = true;
        } else if (isFlag("--json")) {
            options.json = true;
        } else if (isFlag("--check")) {
            options.check = true;
        } else if (isFlag("--no-history")) {
            options.writeHistory = false;
        } else if (isFlag("--history")) {
            options.listHistory = true;
        } else if (isFlag("--csv")) {
            options.csv = true;
        } else if (name == QLatin1String("--since")) {
            const auto value = takesValue();
            const std::optional<Since> since = value ? ParseSince(*value) : std::nullopt;
            if (!since) {
                return Error(QCoreApplication::translate(
                    "cli",
                    "--since takes a number of days or hours (7d, 24h) or a date (2026-12-01)"));
            }
            (since->ago ? options.sinceAgoMicroseconds : options.sinceUtcMicroseconds) =
                since->microseconds;
        } else if (name == QLatin1String("--warning") || name == QLatin1String("-w") ||
                   name == QLatin1String("--critical") || name == QLatin1String("-c")) {
            const bool warning = name == QLatin1String("--warning") || name == QLatin1String("-w");
            const char* const option = warning ? "--warning" : "--critical";
            const auto value = takesValue();
            if (!value) {
                return Error(QCoreApplication::translate("cli", "%1 needs a threshold in seconds")
                                 .arg(QLatin1String(option)));
            }
            const auto range = check::ParseRange(value->toStdString());
            if (const auto* error = std::get_if<std::string>(&range)) {
                return Error(QStringLiteral("%1: %2").arg(QLatin1String(option),
                                                          QString::fromStdString(*error)));
            }
            (warning ? options.warning : options.critical) = *value;
            thresholdGiven = true;
        } else if (name == QLatin1String("--metrics")) {
            const auto value = takesValue();
            if (!value || value->isEmpty() || value->startsWith(QLatin1Char('-'))) {
                return Error(QCoreApplication::translate("cli", "--metrics needs a file name"));
            }
            options.metricsFile = *value;
        } else if (name == QLatin1String("--server")) {
            const auto value = takesValue();
            // No host name starts with a dash: "--server --json" lacks its value.
            if (!value || value->isEmpty() || value->startsWith(QLatin1Char('-'))) {
                return Error(
                    QCoreApplication::translate("cli", "--server needs a host name or address"));
            }
            if (options.servers.size() == kMaxServers) {
                return Error(
                    QCoreApplication::translate("cli", "--server may be given up to %1 times")
                        .arg(kMaxServers));
            }
            options.servers.append(*value);
        } else if (name == QLatin1String("--protocol")) {
            const auto value = takesValue();
            const ProtocolOption* found = nullptr;
            for (const ProtocolOption& choice : kProtocolOptions) {
                if (value && *value == QLatin1String(choice.name)) {
                    found = &choice;
                }
            }
            if (!found) {
                return Error(QCoreApplication::translate(
                    "cli", "--protocol takes sntp, nts, time-tcp or time-udp"));
            }
            options.protocol = QString::fromLatin1(found->protocol);
            options.socketType = QString::fromLatin1(found->socketType);
        } else if (name == QLatin1String("--ca-file")) {
            const auto value = takesValue();
            if (!value || value->isEmpty() || value->startsWith(QLatin1Char('-'))) {
                return Error(QCoreApplication::translate(
                    "cli", "--ca-file needs a file of CA certificates (PEM)"));
            }
            options.caFile = *value;
        } else if (name == QLatin1String("--port")) {
            const auto value = takesValue();
            bool ok = false;
            const int port = value ? value->toInt(&ok) : 0;
            if (!ok || port < 1 || port > 65535) {
                return Error(
                    QCoreApplication::translate("cli", "--port takes a number from 1 to 65535"));
            }
            options.port = port;
        } else if (name == QLatin1String("--samples")) {
            const auto value = takesValue();
            bool ok = false;
            const int samples = value ? value->toInt(&ok) : 0;
            if (!ok || samples < burst::kMinSamples || samples > burst::kMaxSamples) {
                return Error(
                    QCoreApplication::translate("cli", "--samples takes a number from %1 to %2")
                        .arg(burst::kMinSamples)
                        .arg(burst::kMaxSamples));
            }
            options.samples = samples;
        } else if (name == QLatin1String("--timeout")) {
            const auto value = takesValue();
            bool ok = false;
            const double seconds = value ? value->toDouble(&ok) : 0.0;
            if (!ok || !(seconds > 0.0) || seconds > 86400.0) {
                return Error(QCoreApplication::translate(
                    "cli", "--timeout takes a number of seconds above 0"));
            }
            options.timeoutSeconds = seconds;
            timeoutGiven = true;
        } else {
            return Error(
                QCoreApplication::translate("cli", "unknown argument '%1'")
                    .arg(QString::fromStdString(EscapeControlBytes(arguments[i].toStdString()))));
        }
    }
    if (!options.samples) {
        options.samples = kCliDefaultSamples;
    }
    if ((options.sinceAgoMicroseconds || options.sinceUtcMicroseconds || options.csv) &&
        !options.listHistory) {
        return Error(QCoreApplication::translate("cli", "--since and --csv go with --history"));
    }
    if (options.listHistory && (options.check || options.correct || options.metricsFile)) {
        return Error(QCoreApplication::translate(
            "cli", "--history only reads; it goes with neither --check, "
                   "--correct nor --metrics"));
    }
    if (options.csv && options.json) {
        return Error(
            QCoreApplication::translate("cli", "--csv and --json are two forms: give one"));
    }
    if (thresholdGiven && !options.check) {
        return Error(
            QCoreApplication::translate("cli", "--warning and --critical go with --check"));
    }
    if (options.check) {
        options.correct = false;
        // Ended before a monitoring system's own time-out kills it (10 s, as the plugins).
        if (!timeoutGiven) {
            options.timeoutSeconds = kCheckTimeoutSeconds;
        }
    }
    return options;
}

QString CliHelpText() {
    return QCoreApplication::translate(
               "cli",
               "Usage: horolux-cli [--server HOST]... [--protocol sntp|nts|time-tcp|time-udp]\n"
               "                   [--port N] [--samples N] [--ca-file FILE] [--correct]\n"
               "                   [--timeout SECONDS] [--json] [--metrics FILE] [--no-history]\n"
               "                   [--help] [--version]\n"
               "       horolux-cli --check [-w RANGE] [-c RANGE] [--server HOST]... [OPTION]...\n"
               "       horolux-cli --history [--since 7d|24h|DATE] [--json|--csv]\n"
               "\n"
               "Asks a time server for the time and prints how far the system clock is off.\n"
               "Server, protocol and transport default to Horolux's stored settings; options\n"
               "change them for this run only and are never written back.\n"
               "\n"
               "  --server HOST       host name, IPv4 or IPv6 address of the time server;\n"
               "                      host:port, [::1] and [::1]:port name a port too. Up to 8\n"
               "                      servers are asked at once; a strict majority of those that\n"
               "                      answer must agree, the others are reported as\n"
               "                      falsetickers, and without a majority nothing is corrected\n"
               "  --protocol P        sntp (UDP port 123), nts (authenticated NTP: key exchange\n"
               "                      on TCP port 4460), time-tcp or time-udp (RFC 868, port 37)\n"
               "  --port N            another server port (the protocol's own by default; for\n"
               "                      nts the key exchange port)\n"
               "  --samples N         sntp, nts: requests per server, 1 to 8 (default 4); the one\n"
               "                      with the smallest round trip gives the offset\n"
               "  --ca-file FILE      nts: check the server's certificate against the CA\n"
               "                      certificates in FILE (PEM) instead of the system's\n"
               "  --correct           set the system clock to the server's time (needs the\n"
               "                      right to set the clock: root or CAP_SYS_TIME)\n"
               "  --timeout SECONDS   give up after this long (default 60); a silent server\n"
               "                      is asked again about every 4 seconds until then\n"
               "  --json              print one JSON object instead of the text line\n"
               "  --metrics FILE      also write the figures for Prometheus to FILE (node\n"
               "                      exporter's textfile collector), replacing it at once\n"
               "  --no-history        keep no record of this run (each run adds one row per\n"
               "                      server to the history the window shows)\n"
               "  --history           ask no server: print the stored measurements and the\n"
               "                      clock's drift (positive: the clock gains); exits 0\n"
               "  --since WHEN        with --history, from then on: 7d, 24h, or an ISO date or\n"
               "                      time such as 2026-12-01 (UTC unless an offset is written)\n"
               "  --csv               with --history, comma-separated rows (the drift on stderr);\n"
               "                      --json gives one object: measurements, drift_ppm and\n"
               "                      drift_ppm_uncertainty (null while there is too little data)\n"
               "  --check             a monitoring check: print one line in the monitoring\n"
               "                      plugins' form with performance data after a '|' and exit\n"
               "                      0 OK, 1 WARNING, 2 CRITICAL (the offset beyond a threshold,\n"
               "                      or the servers disagree) or 3 UNKNOWN (no answer, a bogus\n"
               "                      reply, a failed key exchange, bad usage); never corrects;\n"
               "                      the time-out is 10 seconds unless given\n"
               "  -w, --warning R     warn when the offset's magnitude is outside R (default 60)\n"
               "  -c, --critical R    critical when outside R (default 120); R is N (0 to N),\n"
               "                      N:M, N:, ~:M, or @ before one to alert inside the range\n"
               "  --help, --version   print this help or the version and exit\n"
               "\n"
               "Exit status (without --check):\n"
               "  %1  answered (and, with --correct, the clock was set)\n"
               "  %2  no answer before the time-out, or the server could not be reached\n"
               "  %3  the server's reply was bogus, or the servers did not agree\n"
               "  %4  the clock could not be set (the reason is printed)\n"
               "  %5  nts: the key exchange failed or the reply failed authentication\n"
               "  %6  the metrics file could not be written\n"
               "  %7  bad usage\n")
        .arg(kExitAnswered)
        .arg(kExitNoAnswer)
        .arg(kExitBogusReply)
        .arg(kExitClockNotSet)
        .arg(kExitAuthenticationFailed)
        .arg(kExitMetricsNotWritten)
        .arg(kExitUsage);
}

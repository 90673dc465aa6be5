#include "cli/history_listing.h"

#include "cli/json_report.h"
#include "history/drift_points.h"
#include "history/drift_text.h"
#include "history/history_store.h"

#include <QCoreApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <limits>

namespace {

std::string Iso(std::int64_t utcMicroseconds) {
    // Floor division: a stamp before 1970 still names its own second.
    const std::int64_t seconds =
        utcMicroseconds / 1000000 - (utcMicroseconds % 1000000 < 0 ? 1 : 0);
    const auto micro = static_cast<std::int32_t>(utcMicroseconds - seconds * 1000000);
    return Iso8601Utc({seconds, micro * 1000}, true);
}

std::string Text(const QString& text) {
    return text.toStdString();
}

std::string Number(const std::optional<double>& value, int decimals) {
    return value ? JsonNumber(*value, decimals) : std::string();
}

std::string Stratum(const std::optional<int>& value) {
    return value ? std::to_string(*value) : std::string();
}

// The columns of the CSV and the JSON, each as text; empty where there is no value.
constexpr const char* kCsvHeader[] = {"time_utc",
                                      "program",
                                      "server",
                                      "address",
                                      "protocol",
                                      "transport",
                                      "authenticated",
                                      "offset_seconds",
                                      "delay_seconds",
                                      "stratum",
                                      "root_distance_seconds",
                                      "samples_answered",
                                      "verdict",
                                      "corrected",
                                      "correction_seconds"};

std::vector<std::string> CsvCells(const history::MeasurementRow& row) {
    return {Iso(row.timeUtcMicroseconds),
            Text(row.program),
            Text(row.server),
            Text(row.address),
            Text(row.protocol),
            Text(row.transport),
            row.authenticated ? "true" : "false",
            Number(row.offsetSeconds, 9),
            Number(row.delaySeconds, 9),
            Stratum(row.stratum),
            Number(row.rootDistanceSeconds, 9),
            std::to_string(row.samplesAnswered),
            Text(history::VerdictWord(row.verdict)),
            row.corrected ? "true" : "false",
            Number(row.correctionSeconds, 9)};
}

std::string CsvField(const std::string& field) {
    if (field.find_first_of(",\"\r\n") == std::string::npos) {
        return field;
    }
    std::string quoted = "\"";
    for (const char c : field) {
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    }
    return quoted + "\"";
}

std::string CsvLine(const std::vector<std::string>& cells) {
    std::string line;
    for (const std::string& cell : cells) {
        line += (line.empty() ? "" : ",") + CsvField(cell);
    }
    return line + "\r\n";
}

// Control bytes in a stored name must not move the terminal's cursor.
std::string Printable(std::string text) {
    std::replace_if(
        text.begin(), text.end(),
        [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; }, '?');
    return text;
}

std::int64_t NowUtcMicroseconds() {
    return std::chrono::duration_cast<std::chrono::microseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

// The width of a UTF-8 text in characters (a translated header may hold umlauts).
std::size_t Columns(const std::string& text) {
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

} // namespace

std::string HistoryText(const HistoryListing& listing) {
    constexpr const char* kColumns[] = {
        QT_TRANSLATE_NOOP("cli", "Time (UTC)"), QT_TRANSLATE_NOOP("cli", "Program"),
        QT_TRANSLATE_NOOP("cli", "Server"),     QT_TRANSLATE_NOOP("cli", "Address"),
        QT_TRANSLATE_NOOP("cli", "Protocol"),   QT_TRANSLATE_NOOP("cli", "Offset (s)"),
        QT_TRANSLATE_NOOP("cli", "Delay (s)"),  QT_TRANSLATE_NOOP("cli", "Stratum"),
        QT_TRANSLATE_NOOP("cli", "Verdict"),    QT_TRANSLATE_NOOP("cli", "Corrected (s)")};
    std::vector<std::string> header;
    for (const char* column : kColumns) {
        header.push_back(QCoreApplication::translate("cli", column).toStdString());
    }
    std::vector<std::vector<std::string>> table = {header};
    for (const history::MeasurementRow& row : listing.rows) {
        table.push_back({Iso(row.timeUtcMicroseconds), Printable(Text(row.program)),
                         Printable(Text(row.server)), Printable(Text(row.address)),
                         Text(row.protocol + QLatin1Char('/') + row.transport) +
                             (row.authenticated ? " authenticated" : ""),
                         Number(row.offsetSeconds, 6), Number(row.delaySeconds, 6),
                         Stratum(row.stratum), Text(history::VerdictWord(row.verdict)),
                         row.corrected ? Number(row.correctionSeconds, 6) : std::string()});
    }
    std::vector<std::size_t> widths(header.size(), 0);
    for (const auto& line : table) {
        for (std::size_t i = 0; i < line.size(); ++i) {
            widths[i] = std::max(widths[i], Columns(line[i]));
        }
    }
    std::string text;
    for (const auto& line : table) {
        std::string out;
        for (std::size_t i = 0; i < line.size(); ++i) {
            out += line[i];
            if (i + 1 < line.size()) {
                out += std::string(widths[i] - Columns(line[i]) + 2, ' ');
            }
        }
        out.erase(out.find_last_not_of(' ') + 1);
        text += out + "\n";
    }
    if (listing.rows.empty()) {
        return text + "no measurements yet\n";
    }
    return text + "\n" + history::DriftText(listing.drift) + "\n";
}

std::string HistoryCsv(const HistoryListing& listing) {
    std::string csv = CsvLine({std::begin(kCsvHeader), std::end(kCsvHeader)});
    for (const history::MeasurementRow& row : listing.rows) {
        csv += CsvLine(CsvCells(row));
    }
    return csv;
}

std::string HistoryJson(const HistoryListing& listing) {
    std::string measurements = "[";
    for (const history::MeasurementRow& row : listing.rows) {
        const std::vector<std::string> cells = CsvCells(row);
        JsonObject item;
        for (std::size_t i = 0; i < cells.size(); ++i) {
            const std::string_view key = kCsvHeader[i];
            const bool text = i <= 5 || key == "verdict";
            const bool flag = key == "authenticated" || key == "corrected";
            item.Add(kCsvHeader[i], text               ? JsonString(cells[i])
                                    : flag             ? cells[i]
                                    : cells[i].empty() ? std::string("null")
                                                       : cells[i]);
        }
        measurements += (measurements.size() > 1 ? "," : "") + item.Finish();
    }
    JsonObject json;
    json.Add("measurements", measurements + "]");
    const auto& drift = listing.drift;
    json.Add("drift_ppm", drift ? JsonNumber(drift->driftPpm, 6) : std::string("null"));
    json.Add("drift_ppm_uncertainty",
             drift ? JsonNumber(drift->uncertaintyPpm, 6) : std::string("null"));
    json.Add("drift", JsonString(history::DriftText(drift)));
    return json.Finish() + "\n";
}

HistoryListing ReadHistory(history::HistoryStore& store, std::int64_t fromUtcMicroseconds) {
    // Rows stamped ahead of now (a clock set back since) are history too.
    const std::int64_t to = std::numeric_limits<std::int64_t>::max();
    HistoryListing listing;
    listing.rows = store.Load(fromUtcMicroseconds, to);
    QStringList servers;
    const std::vector<history::ChartPoint> points =
        store.LoadChart(fromUtcMicroseconds, to, servers);
    listing.drift = history::EstimateDrift(history::DriftPoints(points));
    return listing;
}

int RunHistoryListing(const CliOptions& options) {
    const std::int64_t now = NowUtcMicroseconds();
    const std::int64_t from = options.sinceUtcMicroseconds ? *options.sinceUtcMicroseconds
                              : options.sinceAgoMicroseconds
                                  ? now - *options.sinceAgoMicroseconds
                                  : std::numeric_limits<std::int64_t>::min();
    history::HistoryStore store;
    const HistoryListing listing = ReadHistory(store, from);
    const std::string out = options.json  ? HistoryJson(listing)
                            : options.csv ? HistoryCsv(listing)
                                          : HistoryText(listing);
    std::fwrite(out.data(), 1, out.size(), stdout);
    if (options.csv) {
        // Standard output stays plain rows for the program that reads them.
        std::fprintf(stderr, "%s\n", history::DriftText(listing.drift).c_str());
    }
    std::fflush(stdout);
    return 0;
}

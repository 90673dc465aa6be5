#pragma once

// One row of the history: one server's answer (or silence) to one query.
#include <QString>

#include <cstdint>
#include <optional>

namespace history {

enum class Verdict { Used, Agrees, Falseticker, Bogus, NoAnswer, Refused };

struct MeasurementRow {
    std::int64_t timeUtcMicroseconds = 0;
    // "horolux" or "horolux-cli".
    QString program;
    QString server;
    QString address;
    // "SNTP", "Time", "NTS"; "UDP" or "TCP".
    QString protocol;
    QString transport;
    bool authenticated = false;
    // Empty when the server gave no usable answer.
    std::optional<double> offsetSeconds;
    std::optional<double> delaySeconds;
    std::optional<int> stratum;
    std::optional<double> rootDistanceSeconds;
    int samplesAnswered = 0;
    Verdict verdict = Verdict::NoAnswer;
    bool corrected = false;
    // The step applied to the clock, when corrected.
    std::optional<double> correctionSeconds;
};

// What the chart and the drift need of a row, lighter to load than the whole row.
struct ChartPoint {
    std::int64_t timeUtcMicroseconds = 0;
    // An index into the server names loaded with the points.
    int server = 0;
    std::optional<double> offsetSeconds;
    std::optional<double> delaySeconds;
    Verdict verdict = Verdict::NoAnswer;
    bool corrected = false;
};

// The verdict's word in the file ("used", "agrees", "falseticker", "bogus", "no answer",
// "refused"), and back; an unknown word reads as "no answer".
QString VerdictWord(Verdict verdict);
Verdict VerdictFromWord(const QString& word);

} // namespace history

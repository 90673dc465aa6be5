#include "ui/elevated_correction.h"

#include "timesync/query_config.h"
#include "timesync/query_outcome.h"
#include "timesync/status_texts.h"
#include "timesync/time_sync_hooks.h"
#include "timesync/time_sync_view.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <cerrno>
#include <cstring>
#include <utility>

namespace {

// pkexec's statuses for a dismissed dialog and for authorization not obtained; the latter
// also when no agent could ask, which only pkexec's message tells apart: "Error creating
// textual authentication agent: ..." when it found none and has no terminal to ask on.
constexpr int kPkexecDismissed = 126;
constexpr int kPkexecNotAuthorized = 127;
constexpr const char* kPkexecNoAgent = "authentication agent";
constexpr const char* kWaitingForAuthorization =
    QT_TRANSLATE_NOOP("correction", "Waiting for authorization...");
constexpr const char* kAuthorizationRefused =
    QT_TRANSLATE_NOOP("correction", "authorization refused");
constexpr const char* kNoAuthenticationAgent =
    QT_TRANSLATE_NOOP("correction", "no authentication agent to ask for a password");
constexpr const char* kHelperFailed = QT_TRANSLATE_NOOP("correction", "the helper failed");
constexpr const char* kHelperPrefix = "horolux-correct: ";

// The installed helper; HOROLUX_HELPER names another (tests). pkexec itself decides what
// may run as root, so the name grants nothing.
QString HelperPath() {
    const QString chosen = qEnvironmentVariable("HOROLUX_HELPER");
    return chosen.isEmpty() ? QStringLiteral(HOROLUX_HELPER_PATH) : chosen;
}

QString HelperReportedResult(const QByteArray& out) {
    return QJsonDocument::fromJson(out).object().value("result").toString();
}

} // namespace

QStringList HelperArguments(const QueryConfig& config) {
    QStringList arguments{QStringLiteral("--server"), config.timebase};
    for (const ProtocolOption& option : kProtocolOptions) {
        if (config.protocol == QLatin1String(option.protocol) &&
            config.socketType == QLatin1String(option.socketType)) {
            arguments << QStringLiteral("--protocol") << QString::fromLatin1(option.name);
        }
    }
    if (config.port != 0) {
        arguments << QStringLiteral("--port") << QString::number(config.port);
    }
    if (!config.caFile.isEmpty()) {
        arguments << QStringLiteral("--ca-file") << config.caFile;
    }
    return arguments;
}

QString HelperResultText(bool normalExit, int status, const QByteArray& out,
                         const QByteArray& err) {
    const QString notCorrected = QString::fromStdString(Translated(texts::kClockNotCorrected));
    if (normalExit && (status == kPkexecDismissed || status == kPkexecNotAuthorized)) {
        return notCorrected +
               QCoreApplication::translate("correction", err.contains(kPkexecNoAgent)
                                                             ? kNoAuthenticationAgent
                                                             : kAuthorizationRefused);
    }
    const QString result = HelperReportedResult(out);
    if (normalExit && !result.isEmpty()) {
        return result;
    }
    // A refused command line: the helper's own reason.
    const QString reason = QString::fromLocal8Bit(err).trimmed().section(QLatin1Char('\n'), -1);
    if (normalExit && reason.startsWith(QLatin1String(kHelperPrefix))) {
        return notCorrected + reason.mid(int(std::strlen(kHelperPrefix)));
    }
    return notCorrected + QCoreApplication::translate("correction", kHelperFailed);
}

bool HelperCorrected(bool normalExit, int status, const QByteArray& out) {
    return normalExit && status == 0 && !HelperReportedResult(out).isEmpty();
}

CElevatedCorrection::CElevatedCorrection(ITimeSyncView& view,
                                         std::function<void(bool corrected)> finished)
    : m_view(view), m_finished(std::move(finished)) {}

CElevatedCorrection::~CElevatedCorrection() {
    // Before authorization pkexec still runs as the user and ends; the helper as root
    // finishes its correction by itself.
    if (m_pProcess) {
        m_pProcess->disconnect(this);
        m_pProcess->kill();
        m_pProcess->waitForFinished(1000);
    }
}

void CElevatedCorrection::OnQueryEnded(const QueryOutcome& outcome, const QueryConfig& config,
                                       bool unattended) {
    if (unattended || outcome.result != QueryOutcome::Result::ClockNotSet ||
        outcome.refusal != std::strerror(EPERM) || m_pProcess) {
        return;
    }
    const QString pkexec = QStandardPaths::findExecutable(QStringLiteral("pkexec"));
    const QString helper = HelperPath();
    if (pkexec.isEmpty() || !QFileInfo(helper).isExecutable()) {
        return;
    }
    m_pProcess = new QProcess(this);
    connect(m_pProcess, &QProcess::finished, this, &CElevatedCorrection::OnFinished);
    connect(m_pProcess, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) {
            OnFinished();
        }
    });
    // Until the administrator answers, the refusal the query wrote would be the wrong story.
    m_view.ShowStatusText(QCoreApplication::translate("correction", kWaitingForAuthorization));
    m_pProcess->start(pkexec, QStringList{helper} + HelperArguments(config));
}

void CElevatedCorrection::OnFinished() {
    QProcess* process = m_pProcess;
    m_pProcess = nullptr;
    const bool normalExit = process->exitStatus() == QProcess::NormalExit &&
                            process->error() != QProcess::FailedToStart;
    const QByteArray out = process->readAllStandardOutput();
    m_view.ShowStatusText(
        HelperResultText(normalExit, process->exitCode(), out, process->readAllStandardError()));
    process->deleteLater();
    m_finished(HelperCorrected(normalExit, process->exitCode(), out));
}

#include "ui/elevated_correction.h"

#include "timesync/query_config.h"
#include "timesync/query_outcome.h"
#include "timesync/status_texts.h"
#include "timesync/time_sync_view.h"

#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <cerrno>
#include <cstring>

namespace {

// pkexec's statuses for a dismissed dialog and for authorization not obtained.
constexpr int kPkexecDismissed = 126;
constexpr int kPkexecNotAuthorized = 127;
constexpr const char* kAuthorizationRefused = "authorization refused";
constexpr const char* kHelperFailed = "the helper failed";
constexpr const char* kHelperPrefix = "horolux-correct: ";

// The installed helper; HOROLUX_HELPER names another (tests). pkexec itself decides what
// may run as root, so the name grants nothing.
QString HelperPath() {
    const QString chosen = qEnvironmentVariable("HOROLUX_HELPER");
    return chosen.isEmpty() ? QStringLiteral(HOROLUX_HELPER_PATH) : chosen;
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
    const QString notCorrected = QString::fromLatin1(texts::kClockNotCorrected);
    if (normalExit && (status == kPkexecDismissed || status == kPkexecNotAuthorized)) {
        return notCorrected + QString::fromLatin1(kAuthorizationRefused);
    }
    const QString result = QJsonDocument::fromJson(out).object().value("result").toString();
    if (normalExit && !result.isEmpty()) {
        return result;
    }
    // A refused command line: the helper's own reason.
    const QString reason = QString::fromLocal8Bit(err).trimmed().section(QLatin1Char('\n'), -1);
    if (normalExit && reason.startsWith(QLatin1String(kHelperPrefix))) {
        return notCorrected + reason.mid(int(std::strlen(kHelperPrefix)));
    }
    return notCorrected + QString::fromLatin1(kHelperFailed);
}

CElevatedCorrection::CElevatedCorrection(ITimeSyncView& view) : m_view(view) {}

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
    m_pProcess->start(pkexec, QStringList{helper} + HelperArguments(config));
}

void CElevatedCorrection::OnFinished() {
    QProcess* process = m_pProcess;
    m_pProcess = nullptr;
    m_view.ShowStatusText(HelperResultText(process->exitStatus() == QProcess::NormalExit &&
                                               process->error() != QProcess::FailedToStart,
                                           process->exitCode(), process->readAllStandardOutput(),
                                           process->readAllStandardError()));
    process->deleteLater();
}

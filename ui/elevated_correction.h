#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>

class ITimeSyncView;
class QProcess;
struct QueryConfig;
struct QueryOutcome;

// When the system refuses the window the right to set the clock, and the privileged helper
// and pkexec are installed, asks pkexec to run the helper with the query's Timebase,
// protocol and port. Pane 0 says that the window waits for authorization, then what came of
// it. The window keeps running meanwhile; an unattended correction never asks.
class CElevatedCorrection : public QObject {
  public:
    // `finished` runs once pkexec has ended, told whether the helper set the clock.
    CElevatedCorrection(ITimeSyncView& view, std::function<void(bool corrected)> finished);
    ~CElevatedCorrection() override;

    void OnQueryEnded(const QueryOutcome& outcome, const QueryConfig& config, bool unattended);

  private:
    void OnFinished();

    ITimeSyncView& m_view;
    std::function<void(bool corrected)> m_finished;
    QProcess* m_pProcess = nullptr;
};

// The helper's command line for the query that was refused.
QStringList HelperArguments(const QueryConfig& config);
// Pane 0's text for how pkexec ended: its status, and the helper's output, or pkexec's own.
QString HelperResultText(bool normalExit, int status, const QByteArray& out, const QByteArray& err);
// Whether the helper set the clock: it ended well and reported a result.
bool HelperCorrected(bool normalExit, int status, const QByteArray& out);

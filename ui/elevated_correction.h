#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class ITimeSyncView;
class QProcess;
struct QueryConfig;
struct QueryOutcome;

// When the system refuses the window the right to set the clock, and the privileged helper
// and pkexec are installed, asks pkexec to run the helper with the query's Timebase,
// protocol and port, and shows the helper's result in pane 0 once it ends. The window keeps
// running meanwhile; an unattended correction never asks.
class CElevatedCorrection : public QObject {
  public:
    explicit CElevatedCorrection(ITimeSyncView& view);
    ~CElevatedCorrection() override;

    void OnQueryEnded(const QueryOutcome& outcome, const QueryConfig& config, bool unattended);

  private:
    void OnFinished();

    ITimeSyncView& m_view;
    QProcess* m_pProcess = nullptr;
};

// The helper's command line for the query that was refused.
QStringList HelperArguments(const QueryConfig& config);
// Pane 0's text for how pkexec ended: its status, and the helper's output.
QString HelperResultText(bool normalExit, int status, const QByteArray& out, const QByteArray& err);

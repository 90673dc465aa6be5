#pragma once

// One owner for the time query: its socket, its nonce and instants, the pending event, the
// correcting mark, the progress position and the worker that paces it. The commands, the
// socket's reports and the worker's steps all arrive here, on the GUI thread, and only
// here is decided what they mean; the view just shows it.
#include "platform/manual_reset_event.h"
#include "timesync/nts_session.h"
#include "timesync/query_outcome.h"
#include "timesync/reply_evaluation.h"
#include "timesync/time_socket.h"
#include "timesync/watchdog_thread.h"

#include <QObject>
#include <QString>
#include <QTimer>
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

class ITimeSyncView;

class CTimeQuery : public QObject, private ITimeSocketEvents {
    Q_OBJECT
  public:
    explicit CTimeQuery(ITimeSyncView& view);
    // Stops and joins the worker, and closes a running query's socket without a word to
    // the view.
    ~CTimeQuery() override;

    // The worker's pace for queries started from now on (tests shorten it).
    WatchdogTiming timing;
    // The Timebase this query asks ("host", "host:port"); empty: the TimeBase setting.
    QString timebase;
    // That Timebase's host, and the protocol, transport and port the query uses with it.
    QString Host() const;
    wire::Transport Transport() const;

    // Starts a query of the chosen protocol with the chosen Timebase.
    void OnQueryTimebase();
    // Marks the query as a correcting one, then starts it. The mark lasts until the query
    // ends, through its restarts.
    void OnCorrectClock();
    // As OnCorrectClock; during a running query it only marks that query as correcting.
    void OnTrayCorrectClock();
    // Ends the running query at the user's request.
    void OnReset();
    // Ends the running query with another reason (a console run's time-out).
    void Abandon(const QString& reason);
    // The window's periodic tick: with no query pending, the worker clears the progress.
    void Tick();
    // Sets the clock from the sample the last query answered with, as a correcting query
    // would have (for a caller that first compares several Timebases). Empty when that
    // query was not answered.
    std::optional<ReplyEvaluation> CorrectFromChosenSample();
    // Closes the window once a query has answered (the unattended start).
    void SetExitWhenDone() { m_bExitWhenDone = true; }

    bool IsPending() const { return m_hEvents[kEventQueryPending].IsSet(); }
    bool IsCorrecting() const { return m_bCorrectClock; }
    int Progress() const { return m_nProgress; }
    const QueryInstants& Instants() const { return m_instants; }
    // The running query's socket, or nullptr.
    const CTimeSocket* Socket() const { return m_pSocket.get(); }
    // True while the worker waits for this thread (for tests).
    bool IsWorkerWaiting() const { return m_pWatchdog && m_pWatchdog->IsWaitingForWindow(); }

  private:
    static constexpr int kEventQueryPending = 0;
    static constexpr int kEventTimerTick = 1;

    void Start();
    // Makes the socket and sends the request (for NTS once keys and a cookie are at hand).
    void OpenSocket();
    void StartKeyExchange();
    void OnKeyExchangeDone(const nts::KeResult& result);
    // Ends the query for good; an empty reason leaves the status text as it is.
    void End(const QString& reason, const QueryOutcome& outcome);
    // An end before any reply was evaluated.
    void EndBeforeReply(const QString& reason, QueryOutcome::Result result);
    void DropSocket();
    // Decides on a whole reply and ends the query, unless it is not ours.
    void Evaluate(const QByteArray& bytes, std::optional<std::int64_t> arrivalNs, double localNtp,
                  std::int64_t kernelNs);
    // One request of a burst: its nonce and T1, and once answered the reply as received and
    // its evaluation (as a plain query: a correcting burst decides again on the chosen one).
    struct BurstEntry {
        burst::Sample sample;
        std::uint64_t nonce = 0;
        QueryInstants instants;
        std::vector<std::uint8_t> bytes;
        ReceivedReply reply;
        std::optional<ReplyEvaluation> evaluation;
    };
    void SendNextSample();
    void OnSampleTimeout();
    // Ends the burst with its best sample, or with its last bogus reply.
    void FinishBurst();
    // Shows a decided reply and ends the query with it.
    void Finish(ReplyEvaluation evaluation);
    std::optional<ReplyEvaluation> Redecide(BurstEntry& entry, bool correcting);
    bool HasAnsweredSample() const;
    // The burst's samples so far, in the order sent.
    std::vector<burst::Sample> Samples() const;
    void OnWatchdogStep();
    void OnWatchdogClear();

    // ITimeSocketEvents
    void OnRequestSent() override;
    void OnConnect(bool connected) override;
    void OnReceive() override;
    void OnClose() override;

    ITimeSyncView& m_view;
    TimeSocketPtr m_pSocket;
    wire::Transport m_transport{};
    std::uint64_t m_nNonce = 0;
    CNtsSession m_nts;
    // What has come of a Time reply over TCP so far.
    QByteArray m_streamBytes;
    QueryInstants m_instants;
    // The requests this query sends, and what came of those sent so far.
    int m_nWanted = 1;
    std::vector<BurstEntry> m_burst;
    QTimer m_sampleTimer;
    bool m_bCorrectClock = false;
    bool m_bExitWhenDone = false;
    int m_nProgress = 0;
    // Index 0 "query pending", index 1 "timer tick": what the worker waits on.
    std::array<platform::ManualResetEvent, 2> m_hEvents;
    // Last, so that it stops before anything it reaches goes.
    std::unique_ptr<CWatchdogThread> m_pWatchdog;
};

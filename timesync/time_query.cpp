#include "timesync/time_query.h"

#include "app/program_globals.h"
#include "timesync/status_texts.h"
#include "timesync/time_socket.h"
#include "timesync/time_sync_hooks.h"
#include "timesync/time_sync_view.h"
#include "timesync/watchdog_thread.h"

wire::Transport ChosenTransport() {
    wire::Transport transport =
        wire::TransportFor(g_strProtocol.toStdString(), g_strSocketType.toStdString());
    if (g_nTimebasePort != 0) {
        transport.port = g_nTimebasePort;
    }
    return transport;
}

void OnQueryTimebase(ITimeSyncView& view) {
    view.TakeFocus();
    view.EnableQueryButton(false);
    view.EnableCorrectButton(false);

    // One socket at a time: a query never leaves another one open behind it.
    DiscardQuerySocket();
    g_pSocket = new CTimeSocket(view, ChosenTransport(), Hooks().newRequestNonce());
    if (!g_pSocket->Create()) {
        ResetQuery(view, QString::fromLatin1(texts::kSocketCreationFailed));
        return;
    }
    view.ShowStatusText(QString::fromLatin1(texts::kSocketCreated));
    view.ShowStatusText(QString::fromLatin1(texts::kConnecting));
    g_pSocket->Connect(g_strTimeBase);
    g_hEvents[kEventQueryPending].Set();
    if (!g_pWatchdogThread) {
        StartWatchdogThread(view);
    }
    g_pSocket->SendRequest();
}

void OnCorrectClock(ITimeSyncView& view) {
    view.EnableCorrectButton(false);
    g_bCorrectClock = 1;
    OnQueryTimebase(view);
}

void OnTrayCorrectClock(ITimeSyncView& view) {
    // The tray's item stays enabled during a query; a second socket would leave the
    // first one open and answered by nobody.
    if (g_hEvents[kEventQueryPending].IsSet()) {
        g_bCorrectClock = 1;
        return;
    }
    OnCorrectClock(view);
}

void OnReset(ITimeSyncView& view) {
    ResetQuery(view, QString::fromLatin1(texts::kResetByUser));
}

void ResetQuery(ITimeSyncView& view, const QString& reason) {
    DiscardQuerySocket();
    if (!reason.isEmpty()) {
        view.ShowStatusText(reason);
    }
    view.EnableQueryButton(true);
    view.EnableCorrectButton(true);
    g_hEvents[kEventQueryPending].Reset();
}

void DiscardQuerySocket() {
    if (CTimeSocket* socket = g_pSocket) {
        g_pSocket = nullptr;
        socket->Release();
    }
}

#include "app/time_sync_app.h"

#include "app/program_globals.h"
#include "app/settings_store.h"
#include "platform/socket_probe.h"
#include "ui/main_frame.h"

#include <QMessageBox>
#include <QThread>

CTimeSyncApp::CTimeSyncApp()
    : canCreateSocket(platform::CanCreateUdpSocket), showError([](const QString& text) {
          QMessageBox::warning(nullptr, QStringLiteral("Horolux"), text);
      }) {}

bool CTimeSyncApp::InitInstance(const QString& argumentText) {
    QThread::currentThread()->setPriority(QThread::NormalPriority);
    if (!canCreateSocket()) {
        showError(QString::fromLatin1(kSocketInitFailedText));
        return false;
    }
    g_hEvents[kEventTimerTick].Reset();
    g_hEvents[kEventQueryPending].Reset();
    settings::EnsureAllExist();
    settings::LoadIntoGlobals();
    if (!argumentText.isEmpty()) {
        g_bAutoCorrect = 1;
    }
    g_bCorrectClock = 0;
    m_pMainWnd = new CMainFrame();
    m_pMainWnd->show();
    return true;
}

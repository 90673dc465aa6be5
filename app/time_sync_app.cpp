#include "app/time_sync_app.h"

#include "app/program_globals.h"
#include "app/settings_startup.h"
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
    settings::EnsureAllExist();
    settings::LoadIntoGlobals();
    if (!argumentText.isEmpty()) {
        g_bAutoCorrect = 1;
    }
    m_pMainWnd = new CMainFrame();
    if (g_bAutoCorrect) {
        m_pMainWnd->CorrectAtFirstTick();
    }
    m_pMainWnd->show();
    return true;
}

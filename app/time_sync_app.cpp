#include "app/time_sync_app.h"

#include "app/settings_startup.h"
#include "platform/socket_probe.h"
#include "ui/main_frame.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QThread>

CTimeSyncApp::CTimeSyncApp()
    : canCreateSocket(platform::CanCreateUdpSocket), showError([](const QString& text) {
          QMessageBox::warning(nullptr, QStringLiteral("Horolux"), text);
      }) {}

bool CTimeSyncApp::InitInstance(const QString& argumentText) {
    QThread::currentThread()->setPriority(QThread::NormalPriority);
    if (!canCreateSocket()) {
        showError(QCoreApplication::translate("app", kSocketInitFailedText));
        return false;
    }
    settings::EnsureAllExist();
    settings::LoadIntoGlobals();
    m_pMainWnd = new CMainFrame();
    // Any argument: the window corrects the clock once by itself and closes.
    if (!argumentText.isEmpty()) {
        m_pMainWnd->CorrectAtFirstTick();
    }
    m_pMainWnd->show();
    return true;
}

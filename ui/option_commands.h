#pragma once

#include <QUrl>
#include <functional>

class CMainMenus;
class CStatusBar;
class CTrayIcon;
class QWidget;

// The handlers of the option and help commands. Each setting change is made in memory,
// written to the settings file and mirrored in the check marks of both menus that
// carry the Options popup, all in the same step.
class COptionCommands {
  public:
    COptionCommands(QWidget& frame, CMainMenus& menus, CStatusBar& statusBar, CTrayIcon& tray);

    // Hands a URL to the desktop's browser; replaceable in tests.
    std::function<bool(const QUrl&)> openUrl;

    // Runs the handler of an option or help command; false for any other id.
    bool Dispatch(int id);

    void OnProtocolTimeUdp();
    void OnProtocolTimeTcp();
    void OnProtocolSntp();
    void OnProtocolNts();
    // One of the ID_SAMPLES_ items.
    void OnSamples(int id);
    // One of the ID_CHECK_ items.
    void OnCheckEvery(int id);
    void OnTimebasePrimary();
    void OnTimebaseBackup();
    void OnTimebasePool();
    // The typed Timebase item: back to the Timebase typed last.
    void OnTimebaseTyped();
    void OnTimebaseAlternate();
    void OnBrowseTimebaseList();
    void OnBackdropTextOnly();
    void OnBackdropGraphics();
    void OnMinimizeToTray();
    void OnHelpAbout();
    void OnHelpWhatToDo();
    void OnBrowseHelpPage();
    void OnBrowseHomePage();

  private:
    // Opens a link, or says where to find it when nothing can open it.
    void OpenLink(const QUrl& url);
    void SelectProtocol(int checkedId, const char* socketType, const char* protocol,
                        const char* confirmation);
    void SelectTimebase(const QString& host);
    void SelectBackdrop(int textOnly);

    QWidget& m_frame;
    CMainMenus& m_menus;
    CStatusBar& m_statusBar;
    CTrayIcon& m_tray;
};

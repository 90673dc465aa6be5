#pragma once

#include <QString>
#include <functional>

class CMainFrame;

// The start-up sequence of the program.
class CTimeSyncApp {
  public:
    // What start-up needs of the system, replaceable in tests.
    std::function<bool()> canCreateSocket;
    std::function<void(const QString&)> showError;

    CTimeSyncApp();

    // Runs start-up with the program's own argument text (Qt's options removed).
    // Returns false when the program must end at once.
    bool InitInstance(const QString& argumentText);

    CMainFrame* MainWindow() const { return m_pMainWnd; }

  private:
    CMainFrame* m_pMainWnd = nullptr;
};

inline constexpr const char* kSocketInitFailedText =
    QT_TRANSLATE_NOOP("app", "Socket Initialization Failed!");

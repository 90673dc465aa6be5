#pragma once

// A started Horolux main window on the sandbox's display with a settings file of its
// own, reached the way a user reaches it: widgets and menu actions by objectName.
#include "app/time_sync_app.h"
#include "tests/support/qt_print.h"
#include "tests/support/settings_sandbox.h"
#include "tests/support/wait.h"
#include "ui/main_frame.h"
#include "ui/query_settings.h"
#include "ui/status_bar.h"
#include "ui/window_settings.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QLabel>
#include <QPointer>
#include <QTimer>
#include <QWindow>
#include <functional>

class StartedFrame {
  public:
    // Writes the settings file first when content is given, then starts the program with
    // the given argument text (any text starts the unattended correction).
    explicit StartedFrame(const QByteArray& settingsContent = {}, const QString& arguments = {}) {
        Start(settingsContent, arguments);
    }
    // A close that hangs fails every test.
    ~StartedFrame() {
        if (m_frame) {
            m_frame->close();
            EXPECT_EVENTUALLY(m_frame.isNull(), 2000);
        }
    }

    CMainFrame& Frame() const { return *m_frame; }
    const SettingsSandbox& Settings() const { return m_settings; }
    template <typename T = QWidget> T* Child(const char* name) const {
        T* child = m_frame->findChild<T*>(QLatin1String(name));
        EXPECT_NE(child, nullptr) << name;
        return child;
    }
    QString PaneText() const { return m_frame->StatusBar()->PaneText(); }
    // The command `id` ("ID_PROTOCOL_SNTP") in "mainMenu", "popupMenu" or "trayMenu".
    QAction* Action(const char* menu, const char* id) const {
        return Child<QWidget>(menu)->findChild<QAction*>(QLatin1String(id));
    }
    void Resize(QSize size) {
        m_frame->resize(size);
        ASSERT_EVENTUALLY(m_frame->size() == size, 5000);
        QCoreApplication::processEvents();
    }

  private:
    // Apart from the constructor, so that the checks in it may return early.
    void Start(const QByteArray& settingsContent, const QString& arguments) {
        if (!settingsContent.isEmpty()) {
            m_settings.Write(settingsContent);
        }
        ASSERT_TRUE(m_app.InitInstance(arguments));
        m_frame = m_app.MainWindow();
        // An unattended start may close the window by itself, even before it shows.
        ASSERT_EVENTUALLY(m_frame.isNull() ||
                              (m_frame->windowHandle() && m_frame->windowHandle()->isExposed()),
                          5000);
    }

    SettingsSandbox m_settings;
    CTimeSyncApp m_app;
    QPointer<CMainFrame> m_frame;
};

// Runs `open`, answering the modal dialog named `name` from inside the event loop that
// runs it; any modal dialog still open after 5 s is rejected, so that no test hangs.
// Returns whether the dialog was seen.
inline bool AnswerModal(const char* name, const std::function<void()>& open,
                        const std::function<void(QDialog&)>& answer) {
    bool seen = false;
    QElapsedTimer clock;
    clock.start();
    QTimer poll;
    poll.callOnTimeout([&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog && !seen && dialog->objectName() == QLatin1String(name)) {
            seen = true;
            answer(*dialog);
        } else if (dialog && clock.hasExpired(5000)) {
            dialog->reject();
        }
    });
    poll.start(10);
    open();
    return seen;
}

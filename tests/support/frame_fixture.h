#pragma once

// A started Horolux main window on the sandbox's display with a settings file of its
// own, and the helpers the window tests share: actions by objectName, modal dialogs
// answered from a timer, bounded waits.
#include "app/program_globals.h"
#include "app/time_sync_app.h"
#include "tests/support/qt_print.h"
#include "tests/support/settings_sandbox.h"
#include "tests/support/wait.h"
#include "timesync/query_settings.h"
#include "ui/command_ui.h"
#include "ui/main_frame.h"
#include "ui/main_menus.h"
#include "ui/window_settings.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <span>

class StartedFrame {
  public:
    // Writes the settings file first when content is given, then starts the program with
    // the given argument text (any text starts the unattended correction).
    explicit StartedFrame(const QByteArray& settingsContent = {}, const QString& arguments = {}) {
        if (!settingsContent.isEmpty()) {
            m_settings.Write(settingsContent);
        }
        Start(arguments);
    }
    ~StartedFrame() { Close(); }

    // Closes the window as Exit does and starts the program again on the same file.
    void Restart() {
        Close();
        m_app = std::make_unique<CTimeSyncApp>();
        Start(QString());
    }

    CMainFrame& Frame() const { return *m_frame; }
    CMainMenus& Menus() const { return m_frame->CommandUi()->Menus(); }
    const SettingsSandbox& Settings() const { return m_settings; }

    QAction* Action(CMainMenus::Which menu, int id) const { return Menus().Action(menu, id); }
    // The check marks of the items ids in one menu: "x" checked, "." not, in that order.
    QString Marks(CMainMenus::Which menu, std::span<const int> ids) const {
        QString marks;
        for (const int id : ids) {
            marks += Action(menu, id)->isChecked() ? QLatin1Char('x') : QLatin1Char('.');
        }
        return marks;
    }
    QString PaneText() const { return Child<QLabel>("pane0")->text(); }
    template <typename T> T* Child(const char* name) const {
        T* child = m_frame->findChild<T*>(QLatin1String(name));
        EXPECT_NE(child, nullptr) << name;
        return child;
    }

  private:
    void Start(const QString& arguments) {
        g_bAutoCorrect = 0;
        ASSERT_TRUE(m_app->InitInstance(arguments));
        m_frame = m_app->MainWindow();
        // An unattended start may close the window by itself, even before it shows.
        ASSERT_TRUE(WaitUntil([this] {
            return m_frame.isNull() ||
                   (m_frame->windowHandle() && m_frame->windowHandle()->isExposed());
        }));
    }
    void Close() {
        if (m_frame) {
            QPointer<CMainFrame> frame = m_frame;
            frame->close();
            ASSERT_EVENTUALLY(frame.isNull(), 2000);
        }
    }

    SettingsSandbox m_settings;
    std::unique_ptr<CTimeSyncApp> m_app = std::make_unique<CTimeSyncApp>();
    QPointer<CMainFrame> m_frame;
};

// Answers the modal dialog with the given objectName once it is open, from inside the
// event loop that runs it. If it never opens, or the answer leaves it open, the dialog
// is rejected after the time-out so that no test hangs; Seen() tells what happened.
class ModalAnswer : public QObject {
  public:
    ModalAnswer(const char* objectName, std::function<void(QDialog&)> answer, int timeoutMs = 5000)
        : m_name(QLatin1String(objectName)), m_answer(std::move(answer)), m_timeoutMs(timeoutMs) {
        m_clock.start();
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, this, [this] { Poll(); });
        m_timer.start();
    }
    bool Seen() const { return m_seen; }
    bool TimedOut() const { return m_timedOut; }

  private:
    void Poll() {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog && dialog->objectName() == m_name && dialog->isVisible()) {
            if (!m_seen) {
                m_seen = true;
                m_answer(*dialog);
                return;
            }
        }
        if (m_clock.elapsed() > m_timeoutMs) {
            m_timedOut = dialog != nullptr || !m_seen;
            if (dialog) {
                dialog->reject();
            }
            m_timer.stop();
        } else if (m_seen && !dialog) {
            m_timer.stop();
        }
    }

    QString m_name;
    std::function<void(QDialog&)> m_answer;
    int m_timeoutMs;
    QTimer m_timer;
    QElapsedTimer m_clock;
    bool m_seen = false;
    bool m_timedOut = false;
};

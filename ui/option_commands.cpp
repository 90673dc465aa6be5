#include "ui/option_commands.h"

#include "platform/settings_file.h"
#include "ui/about_dlg.h"
#include "ui/alternate_timebase_dlg.h"
#include "ui/check_interval.h"
#include "ui/command_ids.h"
#include "ui/dialog_templates.h"
#include "ui/main_menus.h"
#include "ui/option_texts.h"
#include "ui/query_settings.h"
#include "ui/recent_timebases.h"
#include "ui/status_bar.h"
#include "ui/timebase_choice.h"
#include "ui/tray_icon.h"
#include "ui/usage_notes_dlg.h"
#include "ui/web_links.h"
#include "ui/window_settings.h"
#include "ui/window_texts.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QMessageBox>

COptionCommands::COptionCommands(QWidget& frame, CMainMenus& menus, CStatusBar& statusBar,
                                 CTrayIcon& tray)
    : openUrl(&QDesktopServices::openUrl), m_frame(frame), m_menus(menus), m_statusBar(statusBar),
      m_tray(tray) {}

bool COptionCommands::Dispatch(int id) {
    switch (id) {
    case ID_PROTOCOL_TIMEUDP:
        OnProtocolTimeUdp();
        return true;
    case ID_PROTOCOL_TIMETCP:
        OnProtocolTimeTcp();
        return true;
    case ID_PROTOCOL_SNTP:
        OnProtocolSntp();
        return true;
    case ID_PROTOCOL_NTS:
        OnProtocolNts();
        return true;
    case ID_SAMPLES_1:
    case ID_SAMPLES_4:
    case ID_SAMPLES_8:
        OnSamples(id);
        return true;
    case ID_CHECK_OFF:
    case ID_CHECK_15MINUTES:
    case ID_CHECK_1HOUR:
    case ID_CHECK_6HOURS:
        OnCheckEvery(id);
        return true;
    case ID_TIMEBASE_PRIMARY:
        OnTimebasePrimary();
        return true;
    case ID_TIMEBASE_BACKUP:
        OnTimebaseBackup();
        return true;
    case ID_TIMEBASE_POOL:
        OnTimebasePool();
        return true;
    case ID_TIMEBASE_TYPED:
        OnTimebaseTyped();
        return true;
    case ID_TIMEBASE_ALTERNATE:
        OnTimebaseAlternate();
        return true;
    case ID_TIMEBASE_BROWSELIST:
        OnBrowseTimebaseList();
        return true;
    case ID_BACKDROP_TEXTONLY:
        OnBackdropTextOnly();
        return true;
    case ID_BACKDROP_GRAPHICS:
        OnBackdropGraphics();
        return true;
    case ID_OPTIONS_MINIMIZETOTRAY:
        OnMinimizeToTray();
        return true;
    case ID_HELP_ABOUT:
        OnHelpAbout();
        return true;
    case ID_HELP_WHATTODO:
        OnHelpWhatToDo();
        return true;
    case ID_HELP_HELPPAGE:
        OnBrowseHelpPage();
        return true;
    case ID_HELP_HOMEPAGE:
        OnBrowseHomePage();
        return true;
    default:
        return false;
    }
}

void COptionCommands::SelectProtocol(int checkedId, const char* socketType, const char* protocol,
                                     const char* confirmation) {
    // A query in progress keeps its protocol; the next one uses the new values.
    for (const int id :
         {ID_PROTOCOL_TIMEUDP, ID_PROTOCOL_TIMETCP, ID_PROTOCOL_SNTP, ID_PROTOCOL_NTS}) {
        m_menus.Check(id, id == checkedId);
    }
    g_strSocketType = QString::fromLatin1(socketType);
    g_strProtocol = QString::fromLatin1(protocol);
    settings::WriteString(kKeySocketType, g_strSocketType);
    settings::WriteString(kKeyProtocol, g_strProtocol);
    m_statusBar.ShowPaneText(QCoreApplication::translate("options", confirmation));
}

void COptionCommands::OnProtocolTimeUdp() {
    SelectProtocol(ID_PROTOCOL_TIMEUDP, kSocketUdp, kProtocolTime, kTimeUdpSelectedText);
}

void COptionCommands::OnProtocolTimeTcp() {
    SelectProtocol(ID_PROTOCOL_TIMETCP, kSocketTcp, kProtocolTime, kTimeTcpSelectedText);
}

void COptionCommands::OnProtocolSntp() {
    SelectProtocol(ID_PROTOCOL_SNTP, kSocketUdp, kProtocolSntp, kSntpSelectedText);
}

void COptionCommands::OnProtocolNts() {
    // NTS runs over UDP; its socket type is stored only so that the pair stays whole.
    SelectProtocol(ID_PROTOCOL_NTS, kSocketUdp, kProtocolNts, kNtsSelectedText);
}

void COptionCommands::OnCheckEvery(int checkedId) {
    for (const auto& [id, seconds] : kCheckItems) {
        m_menus.Check(id, id == checkedId);
        if (id == checkedId) {
            g_nCheckInterval = seconds;
        }
    }
    settings::WriteInt(kKeyCheckInterval, g_nCheckInterval);
    m_statusBar.ShowPaneText(
        g_nCheckInterval == 0
            ? QCoreApplication::translate("options", kCheckOffText)
            : QCoreApplication::translate("options", kCheckEveryText).arg(g_nCheckInterval / 60));
}

void COptionCommands::OnSamples(int checkedId) {
    for (const auto& [id, samples] : kSamplesItems) {
        m_menus.Check(id, id == checkedId);
        if (id == checkedId) {
            g_nSamples = samples;
        }
    }
    settings::WriteInt(kKeySamples, g_nSamples);
    m_statusBar.ShowPaneText(
        QCoreApplication::translate("options", kSamplesSelectedText).arg(g_nSamples));
}

void COptionCommands::SelectTimebase(const QString& host) {
    // The typed Timebase stays offered: it is read before the one in use changes.
    const QString typed = TypedTimebase(g_strTimeBase, LoadRecentTimebases());
    if (!typed.isEmpty() && typed == g_strTimeBase) {
        // Also after a restart, also when it came from a settings file of an older version.
        RememberTypedTimebase(typed);
    }
    g_strTimeBase = host;
    settings::WriteString(kKeyTimeBase, g_strTimeBase);
    m_menus.ShowTimebase(g_strTimeBase, typed);
    m_statusBar.ShowPaneText(g_strTimeBase +
                             QCoreApplication::translate("options", kTimebaseSelectedSuffix));
}

void COptionCommands::OnTimebasePrimary() {
    SelectTimebase(QString::fromLatin1(kPrimaryTimebase));
}

void COptionCommands::OnTimebaseBackup() {
    SelectTimebase(QString::fromLatin1(kBackupTimebase));
}

void COptionCommands::OnTimebasePool() {
    SelectTimebase(QString::fromLatin1(kPoolTimebase));
}

void COptionCommands::OnTimebaseTyped() {
    SelectTimebase(TypedTimebase(g_strTimeBase, LoadRecentTimebases()));
}

void COptionCommands::OnTimebaseAlternate() {
    // Seeded from the file, not from memory: the two differ only if a write failed.
    CAlternateTimebaseDlg dialog(settings::ReadString(kKeyTimeBase, QString()),
                                 LoadRecentTimebases(), &m_frame);
    if (dialog.DoModal() != IDOK) {
        return;
    }
    settings::WriteString(kKeyTimeBase, dialog.m_strTimebase);
    RememberTypedTimebase(dialog.m_strTimebase);
    m_statusBar.ShowPaneText(QCoreApplication::translate("options", kAlternateSelectedText));
    g_strTimeBase = dialog.m_strTimebase;
    m_menus.ShowTimebase(g_strTimeBase, TypedTimebase(g_strTimeBase, LoadRecentTimebases()));
}

void COptionCommands::SelectBackdrop(int textOnly) {
    // The scene reads the setting at every frame.
    g_bTextOnly = textOnly;
    settings::WriteInt(kKeyTextOnly, textOnly);
    m_menus.Check(ID_BACKDROP_TEXTONLY, textOnly != 0);
    m_menus.Check(ID_BACKDROP_GRAPHICS, textOnly == 0);
}

void COptionCommands::OnBackdropTextOnly() {
    SelectBackdrop(1);
}

void COptionCommands::OnBackdropGraphics() {
    SelectBackdrop(0);
}

void COptionCommands::OnMinimizeToTray() {
    g_bMinimizeToTray = g_bMinimizeToTray == 0 ? 1 : 0;
    settings::WriteInt(kKeyMinimizeToTray, g_bMinimizeToTray);
    m_menus.Check(ID_OPTIONS_MINIMIZETOTRAY, g_bMinimizeToTray != 0);
    // Switching on shows no icon until the next minimize; switching off removes it.
    if (g_bMinimizeToTray == 0) {
        m_tray.Remove();
    }
}

void COptionCommands::OnHelpAbout() {
    CAboutDlg dialog(&m_frame);
    dialog.DoModal();
}

void COptionCommands::OnHelpWhatToDo() {
    CUsageNotesDlg dialog(&m_frame);
    dialog.DoModal();
}

void COptionCommands::OnBrowseTimebaseList() {
    OpenLink(QUrl(QString::fromLatin1(kTimebaseListUrl)));
}

void COptionCommands::OnBrowseHomePage() {
    OpenLink(QUrl(QString::fromLatin1(kHomePageUrl)));
}

void COptionCommands::OnBrowseHelpPage() {
    OpenLink(HelpPageUrl());
}

void COptionCommands::OpenLink(const QUrl& url) {
    if (openUrl(url)) {
        return;
    }
    // Never silent: without a browser or opener the user gets the address to open.
    const QString where = url.isLocalFile() ? url.toLocalFile() : url.toString();
    auto* box = new QMessageBox(QMessageBox::Information, QString::fromLatin1(kProductName),
                                QCoreApplication::translate("options", kNoOpenerText).arg(where),
                                QMessageBox::Ok, &m_frame);
    box->setObjectName("noOpener");
    box->setTextInteractionFlags(Qt::TextSelectableByMouse);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

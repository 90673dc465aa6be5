#include "ui/nts_trust_commands.h"

#include "platform/settings_file.h"
#include "timesync/nts_trust_anchor.h"
#include "timesync/query_setting_keys.h"
#include "ui/command_ids.h"
#include "ui/query_settings.h"
#include "ui/status_bar.h"
#include "ui/window_texts.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace {

// A PEM file with at least one certificate: anything else would fail every key exchange
// with a less helpful "certificate not trusted".
bool HoldsCertificates(const QString& path) {
    const std::optional<std::string> pem = nts::ReadCaFile(QFile::encodeName(path).toStdString());
    return pem && pem->find("-----BEGIN CERTIFICATE-----") != std::string::npos;
}

} // namespace

CNtsTrustCommands::CNtsTrustCommands(QWidget& frame, CStatusBar& statusBar)
    : QObject(&frame), m_frame(frame), m_statusBar(statusBar) {}

bool CNtsTrustCommands::Dispatch(int id) {
    switch (id) {
    case ID_PROTOCOL_NTSCAFILE:
        OnChooseCaFile();
        return true;
    case ID_PROTOCOL_SYSTEMCA:
        OnUseSystemCertificates();
        return true;
    default:
        return false;
    }
}

void CNtsTrustCommands::OnChooseCaFile() {
    const QString folder = g_strNtsCaFile.isEmpty() ? QStringLiteral("/etc/ssl/certs")
                                                    : QFileInfo(g_strNtsCaFile).absolutePath();
    QFileDialog dialog(&m_frame, tr("NTS Certificate Authority"), folder,
                       tr("Certificates (*.pem *.crt);;All files (*)"));
    dialog.setObjectName("ntsCaDialog");
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (!g_strNtsCaFile.isEmpty()) {
        dialog.selectFile(g_strNtsCaFile);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return;
    }
    const QString chosen = dialog.selectedFiles().first();
    if (!HoldsCertificates(chosen)) {
        QMessageBox box(QMessageBox::Warning, QString::fromLatin1(kProductName),
                        tr("%1 cannot be read as PEM certificates. NTS keeps checking servers "
                           "as before.")
                            .arg(chosen),
                        QMessageBox::Ok, &m_frame);
        box.setObjectName("ntsCaUnreadable");
        box.exec();
        return;
    }
    Use(chosen, tr("NTS Certificate Authority: %1").arg(chosen));
}

void CNtsTrustCommands::OnUseSystemCertificates() {
    Use(QString(), tr("NTS uses the system's certificates"));
}

void CNtsTrustCommands::Use(const QString& caFile, const QString& confirmation) {
    g_strNtsCaFile = caFile;
    settings::WriteString(kKeyNtsCaFile, caFile);
    m_statusBar.ShowPaneText(confirmation);
}

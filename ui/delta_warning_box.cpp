#include "ui/delta_warning_box.h"

#include "timesync/status_texts.h"
#include "timesync/time_sync_hooks.h"

#include <QMessageBox>

void ShowDeltaWarningBox(QWidget* parent) {
    // Queries repeated while the clock is far off would otherwise pile up one box each.
    const QLatin1String name("deltaWarning");
    for (QMessageBox* open : parent->findChildren<QMessageBox*>(name, Qt::FindDirectChildrenOnly)) {
        if (open->isVisible()) {
            open->raise();
            open->activateWindow();
            return;
        }
    }
    auto* box = new QMessageBox(
        QMessageBox::Warning, QString::fromLatin1(texts::kMaxDeltaWarningCaption),
        QString::fromStdString(Translated(texts::kMaxDeltaWarning)), QMessageBox::Ok, parent);
    box->setObjectName(name);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::ApplicationModal);
    box->show();
}

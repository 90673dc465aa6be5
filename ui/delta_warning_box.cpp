#include "ui/delta_warning_box.h"

#include "timesync/status_texts.h"

#include <QMessageBox>

void ShowDeltaWarningBox(QWidget* parent) {
    auto* box =
        new QMessageBox(QMessageBox::NoIcon, QString::fromLatin1(texts::kMaxDeltaWarningCaption),
                        QString::fromLatin1(texts::kMaxDeltaWarning), QMessageBox::Ok, parent);
    box->setObjectName("deltaWarning");
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::ApplicationModal);
    box->show();
}

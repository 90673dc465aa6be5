#include "ui/delta_warning_box.h"

#include "timesync/clock_direction.h"
#include "timesync/status_texts.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QPushButton>

void ShowDeltaWarningBox(QWidget* parent, double offset, const std::function<void()>& correctNow) {
    const QString text = QString::fromStdString(direction::MaxDeltaWarningText(offset));
    // Queries repeated while the clock is far off would otherwise pile up one box each.
    const QLatin1String name("deltaWarning");
    for (QMessageBox* open : parent->findChildren<QMessageBox*>(name, Qt::FindDirectChildrenOnly)) {
        if (open->isVisible()) {
            open->setText(text);
            open->raise();
            open->activateWindow();
            return;
        }
    }
    auto* box =
        new QMessageBox(QMessageBox::Warning, QString::fromLatin1(texts::kMaxDeltaWarningCaption),
                        text, QMessageBox::Close, parent);
    box->setObjectName(name);
    if (correctNow) {
        QPushButton* correct = box->addButton(
            QCoreApplication::translate("DeltaWarning", "Correct Now"), QMessageBox::AcceptRole);
        correct->setObjectName("correctNow");
        // After the box has gone, so that the correction's own questions are not behind it.
        QObject::connect(correct, &QPushButton::clicked, parent, correctNow, Qt::QueuedConnection);
    }
    box->setDefaultButton(QMessageBox::Close);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::ApplicationModal);
    box->show();
}

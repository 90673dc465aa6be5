#include "ui/alternate_timebase_dlg.h"

#include "ui/dialog_templates.h"
#include "ui/dialog_texts.h"

#include <QComboBox>
#include <QLineEdit>
#include <QValidator>

namespace {

// Turns letters into lower case as they are typed or pasted.
class LowerCaseValidator : public QValidator {
  public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        input = input.toLower();
        return Acceptable;
    }
};

} // namespace

CAlternateTimebaseDlg::CAlternateTimebaseDlg(QString timebase, const QStringList& recent,
                                             QWidget* parent)
    : CTemplateDialog(kAlternateTimebaseTemplate, parent), m_strTimebase(std::move(timebase)) {
    setWindowTitle(tr(kAlternateTimebaseTitle));
    setAccessibleName(windowTitle());
    m_pField = findChild<QComboBox*>(QStringLiteral("IDC_TIMEBASE_EDIT"));
    m_pField->setAccessibleName(tr("Timebase name or IP address"));
    m_pField->lineEdit()->setAccessibleName(m_pField->accessibleName());
    m_pField->addItems(recent);
    m_pField->setValidator(new LowerCaseValidator(m_pField));
    // The field takes no more than comes back, so nothing typed is silently cut.
    m_pField->lineEdit()->setMaxLength(kMaxTimebaseLength);
    // Filling the list chose its first entry; the field shows the Timebase in use.
    m_pField->setCurrentIndex(-1);
    m_pField->setEditText(m_strTimebase);
}

void CAlternateTimebaseDlg::OnOK() {
    m_strTimebase = m_pField->currentText().left(kMaxTimebaseLength);
    accept();
}

void CAlternateTimebaseDlg::showEvent(QShowEvent* event) {
    CTemplateDialog::showEvent(event);
    m_pField->setFocus(Qt::OtherFocusReason);
    m_pField->lineEdit()->selectAll();
}

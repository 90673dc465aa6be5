#include "ui/alternate_timebase_dlg.h"

#include "ui/dialog_templates.h"
#include "ui/dialog_texts.h"

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

CAlternateTimebaseDlg::CAlternateTimebaseDlg(QString timebase, QWidget* parent)
    : CTemplateDialog(kAlternateTimebaseTemplate, parent), m_strTimebase(std::move(timebase)) {
    // Without a caption bar, the name a screen reader says when the dialog opens.
    setAccessibleName(tr("Alternate Timebase"));
    m_pEdit = findChild<QLineEdit*>(QStringLiteral("IDC_TIMEBASE_EDIT"));
    m_pEdit->setValidator(new LowerCaseValidator(m_pEdit));
    // The field takes no more than comes back, so nothing typed is silently cut.
    m_pEdit->setMaxLength(kMaxTimebaseLength);
    m_pEdit->setText(m_strTimebase);
}

void CAlternateTimebaseDlg::OnOK() {
    m_strTimebase = m_pEdit->text().left(kMaxTimebaseLength);
    accept();
}

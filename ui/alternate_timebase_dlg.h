#pragma once

#include "ui/template_dialog.h"

#include <QString>

class QLineEdit;

// Asks for a Timebase host name or IP address. Given the current text, it gives back
// what the field holds when OK is pressed: letters in lower case (the field turns them
// so as they are typed, and shows the given text that way too), at most
// kMaxTimebaseLength characters, otherwise as entered (no trimming, no validation).
class CAlternateTimebaseDlg : public CTemplateDialog {
    Q_OBJECT
  public:
    CAlternateTimebaseDlg(QString timebase, QWidget* parent);

    QString m_strTimebase;

  protected:
    void OnOK() override;

  private:
    QLineEdit* m_pEdit = nullptr;
};

#pragma once

#include "ui/template_dialog.h"

#include <QString>
#include <QStringList>

class QComboBox;

// Asks for a Timebase host name or IP address. Given the current text, it gives back
// what the field holds when OK or Enter is pressed: letters in lower case (the field turns
// them so as they are typed, and shows the given text that way too), at most
// kMaxTimebaseLength characters, otherwise as entered (no trimming, no validation). The
// field opens with the focus and its text selected, so typing replaces it; its list
// offers the Timebases typed before.
class CAlternateTimebaseDlg : public CTemplateDialog {
    Q_OBJECT
  public:
    CAlternateTimebaseDlg(QString timebase, const QStringList& recent, QWidget* parent);

    QString m_strTimebase;

  protected:
    void OnOK() override;
    void showEvent(QShowEvent* event) override;

  private:
    QComboBox* m_pField = nullptr;
};

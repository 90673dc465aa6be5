#pragma once

#include <QDialog>
#include <QList>

struct DialogTemplate;

// A modal dialog laid out from a template: controls placed in dialog units of the
// dialog's font, OK and Cancel wired to OnOK and reject, the focus on the first
// control of the tab order when it opens, centred on its parent.
class CTemplateDialog : public QDialog {
    Q_OBJECT
  public:
    CTemplateDialog(const DialogTemplate& dialogTemplate, QWidget* parent);

    // Runs the dialog modally; returns IDOK (1) or IDCANCEL (2).
    int DoModal();

    // The controls in template order.
    QWidget* Control(int index) const { return m_controls.value(index); }

  protected:
    // OK and Enter; the base ends the dialog with IDOK.
    virtual void OnOK();

    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    QList<QWidget*> m_controls;
    bool m_bFramed = false;
};

// The text a static control shows for its template text: "&&" is one "&", a single "&"
// only marks the next letter.
QString StaticControlText(const char* templateText);

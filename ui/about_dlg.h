#pragma once

#include "ui/template_dialog.h"

// "About Horolux": the program, its version and its maker.
class CAboutDlg : public CTemplateDialog {
    Q_OBJECT
  public:
    explicit CAboutDlg(QWidget* parent);
};

#pragma once

#include "ui/template_dialog.h"

// "What to do": the basic steps and the 3D view's keys.
class CUsageNotesDlg : public CTemplateDialog {
    Q_OBJECT
  public:
    explicit CUsageNotesDlg(QWidget* parent);
};

#include "ui/usage_notes_dlg.h"

#include "ui/dialog_templates.h"

CUsageNotesDlg::CUsageNotesDlg(QWidget* parent) : CTemplateDialog(kUsageNotesTemplate, parent) {}

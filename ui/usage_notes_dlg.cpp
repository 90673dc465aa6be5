#include "ui/usage_notes_dlg.h"

#include "ui/dialog_templates.h"

CUsageNotesDlg::CUsageNotesDlg(QWidget* parent) : CTemplateDialog(kUsageNotesTemplate, parent) {
    // Without a caption bar, the name a screen reader says when the dialog opens.
    setAccessibleName(tr("What to do"));
}

#include "ui/about_dlg.h"

#include "ui/dialog_templates.h"
#include "ui/dialog_texts.h"

#include <QLabel>

namespace {
constexpr int kCreditsControl = 2;
}

CAboutDlg::CAboutDlg(QWidget* parent) : CTemplateDialog(kAboutTemplate, parent) {
    static_cast<QLabel*>(Control(kCreditsControl))->setText(AboutCredits());
}

#include "ui/dialog_templates.h"

#include "ui/dialog_texts.h"

namespace {

constexpr DialogControl kAlternateTimebase[] = {
    {ControlKind::DefPushButton, IDOK, 25, 55, 50, 14, QT_TRANSLATE_NOOP("dialogs", "OK")},
    {ControlKind::PushButton, IDCANCEL, 105, 55, 50, 14, QT_TRANSLATE_NOOP("dialogs", "Cancel")},
    {ControlKind::EditCombo, IDC_TIMEBASE_EDIT, 10, 35, 160, 14, ""},
    {ControlKind::TextCenterSunken, -1, 45, 10, 90, 20, kAlternateTimebasePrompt},
};

constexpr DialogControl kUsageNotes[] = {
    {ControlKind::DefPushButton, IDOK, 88, 94, 50, 14, QT_TRANSLATE_NOOP("dialogs", "OK")},
    {ControlKind::GroupBox, -1, 7, 7, 211, 107, QT_TRANSLATE_NOOP("dialogs", "What to do...")},
    {ControlKind::TextLeft, -1, 32, 21, 160, 37, kUsageNotesSteps},
    {ControlKind::TextCenterSunken, -1, 14, 62, 197, 20, kUsageNotesKeys},
};

constexpr DialogControl kAbout[] = {
    {ControlKind::DefPushButton, IDOK, 81, 74, 50, 14, QT_TRANSLATE_NOOP("dialogs", "OK")},
    {ControlKind::GroupBox, -1, 7, 7, 199, 64, ""},
    // The credits text is filled in by CAboutDlg.
    {ControlKind::TextCenter, -1, 13, 19, 187, 42, ""},
};

} // namespace

const DialogTemplate kAlternateTimebaseTemplate{"alternateTimebaseDlg",  179, 82,
                                                kAlternateTimebaseTitle, 10,  kAlternateTimebase};
const DialogTemplate kUsageNotesTemplate{"usageNotesDlg", 225, 121, nullptr, 8, kUsageNotes};
const DialogTemplate kAboutTemplate{"aboutDlg", 213, 95, kAboutTitle, 8, kAbout};

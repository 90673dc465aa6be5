#pragma once

#include <span>

// The three dialogs as templates: every size and place is in dialog units, which
// scale with the dialog's font (a quarter of the average character width across,
// an eighth of the character height down).
enum class ControlKind {
    DefPushButton, // the button that Enter presses
    PushButton,
    EditCombo, // a field that also offers a list to choose from
    GroupBox,
    TextLeft,
    TextCenter,
    TextCenterSunken,
};

struct DialogControl {
    ControlKind kind;
    int id; // -1 for the texts and frames that no code addresses
    int x, y, width, height;
    const char* text;
};

struct DialogTemplate {
    const char* objectName;
    int width, height;
    const char* title; // nullptr: no caption bar
    int fontPoints;
    std::span<const DialogControl> controls; // in tab order
};

inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int IDC_TIMEBASE_EDIT = 1001;

extern const DialogTemplate kAlternateTimebaseTemplate;
extern const DialogTemplate kUsageNotesTemplate;
extern const DialogTemplate kAboutTemplate;

#include "ui/template_dialog.h"

#include "ui/dialog_templates.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <algorithm>
#include <qdrawutil.h>

namespace {

// Dialog units to pixels for a font, the way dialog templates have always been scaled.
class DialogUnits {
  public:
    explicit DialogUnits(const QFont& font) {
        const QFontMetrics metrics(font);
        const QString alphabet =
            QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
        m_baseX = (metrics.horizontalAdvance(alphabet) / 26 + 1) / 2;
        m_baseY = metrics.height();
    }
    int X(int units) const { return (units * m_baseX + 2) / 4; }
    int Y(int units) const { return (units * m_baseY + 4) / 8; }
    QRect Rect(const DialogControl& control) const {
        return QRect(X(control.x), Y(control.y), X(control.width), Y(control.height));
    }

  private:
    int m_baseX = 0;
    int m_baseY = 0;
};

QString ControlObjectName(const DialogControl& control, int index) {
    switch (control.id) {
    case IDOK:
        return QStringLiteral("IDOK");
    case IDCANCEL:
        return QStringLiteral("IDCANCEL");
    case IDC_TIMEBASE_EDIT:
        return QStringLiteral("IDC_TIMEBASE_EDIT");
    default:
        return QStringLiteral("static%1").arg(index);
    }
}

QLabel* MakeText(QWidget* parent, const DialogControl& control, Qt::Alignment alignment) {
    auto* label = new QLabel(StaticControlText(control.text), parent);
    label->setAlignment(alignment | Qt::AlignTop);
    label->setTextFormat(Qt::PlainText);
    return label;
}

QWidget* MakeControl(QWidget* parent, const DialogControl& control) {
    switch (control.kind) {
    case ControlKind::DefPushButton:
    case ControlKind::PushButton: {
        auto* button =
            new QPushButton(QCoreApplication::translate("dialogs", control.text), parent);
        button->setAutoDefault(true);
        button->setDefault(control.kind == ControlKind::DefPushButton);
        return button;
    }
    case ControlKind::EditCombo: {
        auto* combo = new QComboBox(parent);
        combo->setEditable(true);
        // The list holds what the dialog offers; Enter ends the dialog instead of adding.
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->setEditText(QString::fromLatin1(control.text));
        return combo;
    }
    case ControlKind::GroupBox: {
        // A frame drawn behind the controls it surrounds, never in their way.
        auto* box = new QGroupBox(StaticControlText(control.text), parent);
        box->setAttribute(Qt::WA_TransparentForMouseEvents);
        box->lower();
        return box;
    }
    case ControlKind::TextLeft:
        return MakeText(parent, control, Qt::AlignLeft);
    case ControlKind::TextCenter:
        return MakeText(parent, control, Qt::AlignHCenter);
    case ControlKind::TextCenterSunken: {
        QLabel* label = MakeText(parent, control, Qt::AlignHCenter);
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        return label;
    }
    }
    return nullptr;
}

// Templates were drawn for a narrower font than most desktops have; a text that would
// be cut off grows to both sides around its centre, within the dialog.
QRect FitText(const QWidget* widget, QRect rect, int dialogWidth) {
    const auto* label = qobject_cast<const QLabel*>(widget);
    if (!label) {
        return rect;
    }
    int needed = 0;
    for (const QString& line : label->text().split(QLatin1Char('\n'))) {
        needed = std::max(needed, label->fontMetrics().horizontalAdvance(line));
    }
    needed += 2 * label->frameWidth() + 4;
    if (needed > rect.width()) {
        const int width = std::min(needed, dialogWidth);
        const int left = std::clamp(rect.center().x() - width / 2, 0, dialogWidth - width);
        rect = QRect(left, rect.top(), width, rect.height());
    }
    return rect;
}

} // namespace

QString StaticControlText(const char* templateText) {
    // The templates' texts are shown translated ("dialogs").
    const QString text = QCoreApplication::translate("dialogs", templateText);
    QString shown;
    shown.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&') && i + 1 < text.size()) {
            ++i;
        }
        shown += text[i];
    }
    return shown;
}

CTemplateDialog::CTemplateDialog(const DialogTemplate& dialogTemplate, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QLatin1String(dialogTemplate.objectName));
    setModal(true);
    if (dialogTemplate.title) {
        setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                       Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
        setWindowTitle(QCoreApplication::translate("dialogs", dialogTemplate.title));
    } else {
        // A modal frame without a caption bar; the dialog draws the frame itself.
        setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
        m_bFramed = true;
    }

    QFont dialogFont = font();
    dialogFont.setPointSize(dialogTemplate.fontPoints);
    setFont(dialogFont);
    const DialogUnits units(dialogFont);

    const int width = units.X(dialogTemplate.width);
    int index = 0;
    for (const DialogControl& control : dialogTemplate.controls) {
        QWidget* widget = MakeControl(this, control);
        widget->setObjectName(ControlObjectName(control, index++));
        widget->setGeometry(FitText(widget, units.Rect(control), width));
        if (control.id == IDOK) {
            connect(static_cast<QPushButton*>(widget), &QPushButton::clicked, this,
                    &CTemplateDialog::OnOK);
        } else if (control.id == IDCANCEL) {
            connect(static_cast<QPushButton*>(widget), &QPushButton::clicked, this,
                    &QDialog::reject);
        }
        m_controls.append(widget);
    }
    setFixedSize(width, units.Y(dialogTemplate.height));
}

int CTemplateDialog::DoModal() {
    const int result = exec() == QDialog::Accepted ? IDOK : IDCANCEL;
    // The keyboard goes back to the window the dialog belongs to, also on desktops
    // whose window manager would not hand it back.
    if (QWidget* parent = parentWidget(); parent && parent->window()->isVisible()) {
        parent->window()->activateWindow();
    }
    return result;
}

void CTemplateDialog::OnOK() {
    accept();
}

void CTemplateDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Centred on the main window, and kept on its screen.
    if (const QWidget* parent = parentWidget()) {
        const QWidget* window = parent->window();
        QRect placed(QPoint(), frameGeometry().size());
        placed.moveCenter(window->frameGeometry().center());
        if (const QScreen* screen = window->screen()) {
            const QRect available = screen->availableGeometry();
            placed.moveLeft(
                std::clamp(placed.left(), available.left(),
                           std::max(available.left(), available.right() - placed.width())));
            placed.moveTop(
                std::clamp(placed.top(), available.top(),
                           std::max(available.top(), available.bottom() - placed.height())));
        }
        move(placed.topLeft());
    }
    for (QWidget* control : m_controls) {
        if (control->focusPolicy() & Qt::TabFocus) {
            control->setFocus(Qt::TabFocusReason);
            break;
        }
    }
}

void CTemplateDialog::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    if (m_bFramed) {
        QPainter painter(this);
        qDrawWinPanel(&painter, rect(), palette(), false);
    }
}

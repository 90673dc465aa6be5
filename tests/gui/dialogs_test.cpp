// The three dialogs on their own: texts, button order, focus, placement, answers,
// and the alternate Timebase field's rules.
#include "tests/support/frame_fixture.h"
#include "ui/about_dlg.h"
#include "ui/alternate_timebase_dlg.h"
#include "ui/usage_notes_dlg.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>

namespace {

// What the dialog looked like when it opened.
struct Opened {
    bool seen = false;
    bool modal = false;
    QString focus;
    QPoint centre;
    QString title;
    bool frameless = false;
};

// Runs dialog modally, records how it opened, then answers it.
template <typename Dialog>
int RunDialog(Dialog& dialog, Opened& opened, std::function<void(QDialog&)> answer) {
    ModalAnswer modal(dialog.objectName().toLatin1().constData(), [&](QDialog& shown) {
        opened.seen = true;
        opened.modal = shown.isModal() && QApplication::activeModalWidget() == &shown;
        EXPECT_TRUE(QTest::qWaitForWindowActive(&shown));
        opened.focus =
            QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
        opened.centre = shown.frameGeometry().center();
        opened.title = shown.windowTitle();
        opened.frameless = shown.windowFlags().testFlag(Qt::FramelessWindowHint);
        answer(shown);
    });
    const int result = dialog.DoModal();
    EXPECT_FALSE(modal.TimedOut());
    return result;
}

QStringList LabelTexts(const QWidget& dialog) {
    QStringList texts;
    for (const QLabel* label : dialog.findChildren<QLabel*>()) {
        texts << label->text();
    }
    return texts;
}

void PressKey(QDialog& dialog, Qt::Key key) {
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &dialog, key);
}

class Dialogs : public testing::Test {
  protected:
    void ExpectCentredOnFrame(const Opened& opened) const {
        const QPoint frameCentre = m_started.Frame().frameGeometry().center();
        EXPECT_LE((opened.centre - frameCentre).manhattanLength(), 2);
    }
    StartedFrame m_started;
};

TEST_F(Dialogs, AlternateTimebaseLooksAndOpensAsItShould) {
    CAlternateTimebaseDlg dialog(QStringLiteral("stored.example.org"), &m_started.Frame());
    EXPECT_EQ(dialog.property("controlId").toInt(), 118);
    auto* ok = dialog.findChild<QPushButton*>("IDOK");
    auto* cancel = dialog.findChild<QPushButton*>("IDCANCEL");
    auto* edit = dialog.findChild<QLineEdit*>("IDC_TIMEBASE_EDIT");
    ASSERT_TRUE(ok && cancel && edit);
    EXPECT_EQ(ok->text(), "OK");
    EXPECT_EQ(cancel->text(), "Cancel");
    EXPECT_TRUE(ok->isDefault());
    EXPECT_LT(ok->x(), cancel->x());
    EXPECT_LT(edit->y(), ok->y());
    EXPECT_EQ(edit->property("controlId").toInt(), 1001);
    // Tab order: OK, Cancel, the field.
    EXPECT_EQ(ok->nextInFocusChain(), cancel);
    EXPECT_EQ(cancel->nextInFocusChain(), edit);
    EXPECT_EQ(LabelTexts(dialog),
              QStringList{"Enter an Alternate Timebase\nby Name or IP Address:"});

    Opened opened;
    const int result =
        RunDialog(dialog, opened, [](QDialog& shown) { PressKey(shown, Qt::Key_Return); });
    ASSERT_TRUE(opened.seen);
    EXPECT_TRUE(opened.modal);
    EXPECT_TRUE(opened.frameless);
    EXPECT_EQ(opened.focus, "IDOK");
    ExpectCentredOnFrame(opened);
    EXPECT_EQ(result, 1);
    EXPECT_EQ(dialog.m_strTimebase, "stored.example.org");
}

TEST_F(Dialogs, AlternateTimebaseFieldRules) {
    const QString long60 =
        QStringLiteral("0123456789abcdefghijklmnopqrstuvwxyz0123456789ABCDEFGHIJKLMN");
    struct Case {
        const char* name;
        QString initial;
        std::function<void(QLineEdit&)> type;
        Qt::Key key;
        int result;
        QString expected;
    };
    const Case cases[] = {
        {"letters typed turn lower case", "",
         [](QLineEdit& edit) { QTest::keyClicks(&edit, "NTP1.Example.COM"); }, Qt::Key_Return, 1,
         "ntp1.example.com"},
        // The field shows what it is given the way it would keep it typed.
        {"a long stored value comes back cut, in lower case", long60, [](QLineEdit&) {},
         Qt::Key_Return, 1, long60.left(49).toLower()},
        {"typing stops at forty-nine", "",
         [long60](QLineEdit& edit) { QTest::keyClicks(&edit, long60); }, Qt::Key_Return, 1,
         long60.left(49).toLower()},
        {"no trimming", "", [](QLineEdit& edit) { QTest::keyClicks(&edit, "  a b  "); },
         Qt::Key_Return, 1, "  a b  "},
        {"escape keeps the text it was given", "given.example",
         [](QLineEdit& edit) { QTest::keyClicks(&edit, "X"); }, Qt::Key_Escape, 2, "given.example"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CAlternateTimebaseDlg dialog(c.initial, &m_started.Frame());
        Opened opened;
        const int result = RunDialog(dialog, opened, [&c](QDialog& shown) {
            auto* edit = shown.findChild<QLineEdit*>("IDC_TIMEBASE_EDIT");
            edit->setFocus();
            edit->end(false);
            c.type(*edit);
            QTest::keyClick(edit, c.key);
        });
        EXPECT_EQ(result, c.result);
        EXPECT_EQ(dialog.m_strTimebase, c.expected);
    }
}

TEST_F(Dialogs, UsageNotes) {
    CUsageNotesDlg dialog(&m_started.Frame());
    EXPECT_EQ(dialog.property("controlId").toInt(), 122);
    EXPECT_EQ(dialog.findChildren<QPushButton*>().size(), 1);
    auto* box = dialog.findChild<QGroupBox*>();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->title(), "What to do...");
    // The template's "&&" shows as one "&".
    EXPECT_EQ(LabelTexts(dialog),
              (QStringList{"- Select a Timebase via Options>Timebase menu\n"
                           "- Click 'Query Current Timebase' Button\n"
                           "- If successful, click 'Correct System Clock' Button\n"
                           "- If unsuccessful, 'Reset' and try another Timebase\n",
                           "For 3D: Try the Up, Down, Left, Right & PageUp/Down Keys\n"
                           "Hit the HOME key to reset the viewpoint"}));
    // Every text fits its place.
    for (const QLabel* label : dialog.findChildren<QLabel*>()) {
        const QSize needed = label->sizeHint();
        EXPECT_GE(label->width(), needed.width() - 1) << label->text().toStdString();
        EXPECT_LE(label->geometry().right(), dialog.width());
    }

    Opened opened;
    EXPECT_EQ(RunDialog(dialog, opened, [](QDialog& shown) { PressKey(shown, Qt::Key_Escape); }),
              2);
    EXPECT_EQ(opened.focus, "IDOK");
    EXPECT_TRUE(opened.frameless);
    ExpectCentredOnFrame(opened);
    EXPECT_EQ(RunDialog(dialog, opened, [](QDialog& shown) { PressKey(shown, Qt::Key_Return); }),
              1);
}

TEST_F(Dialogs, About) {
    CAboutDlg dialog(&m_started.Frame());
    EXPECT_EQ(dialog.property("controlId").toInt(), 130);
    const QStringList texts = LabelTexts(dialog);
    ASSERT_EQ(texts.size(), 1);
    const QStringList lines = texts[0].split('\n');
    ASSERT_EQ(lines.size(), 5);
    EXPECT_TRUE(lines[0].startsWith("Horolux "));
    EXPECT_TRUE(lines[3].isEmpty());
    EXPECT_EQ(lines[4], "horolux@veldmark.example");

    Opened opened;
    auto* ok = dialog.findChild<QPushButton*>("IDOK");
    EXPECT_EQ(RunDialog(dialog, opened, [ok](QDialog&) { QTest::mouseClick(ok, Qt::LeftButton); }),
              1);
    EXPECT_EQ(opened.title, "About Horolux");
    EXPECT_FALSE(opened.frameless);
    EXPECT_EQ(opened.focus, "IDOK");
    ExpectCentredOnFrame(opened);
    EXPECT_EQ(RunDialog(dialog, opened, [](QDialog& shown) { PressKey(shown, Qt::Key_Escape); }),
              2);
    // The caption's close box ends it as a cancel.
    EXPECT_EQ(RunDialog(dialog, opened, [](QDialog& shown) { shown.close(); }), 2);
}

TEST_F(Dialogs, WhatToDoAndAboutFromTheMenus) {
    for (const auto& [id, name] : {std::pair{40021, "usageNotesDlg"}, {40023, "aboutDlg"}}) {
        SCOPED_TRACE(name);
        ModalAnswer answer(name, [](QDialog& dialog) { dialog.accept(); });
        m_started.Action(CMainMenus::MainMenu, id)->trigger();
        EXPECT_TRUE(answer.Seen());
        EXPECT_FALSE(answer.TimedOut());
    }
}

} // namespace

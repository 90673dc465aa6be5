// The dialogs as the menus and F1 open them, and what the alternate Timebase field stores.
#include "tests/support/frame_fixture.h"

#include <QAccessible>
#include <QLineEdit>

namespace {

TEST(Dialogs, OpenCentredWithOkFocusedAndEveryTextInFull) {
    StartedFrame started;
    for (const auto& [id, name] : {std::pair{"ID_HELP_WHATTODO", "usageNotesDlg"},
                                   {"ID_HELP_ABOUT", "aboutDlg"},
                                   {"ID_TIMEBASE_ALTERNATE", "alternateTimebaseDlg"}}) {
        SCOPED_TRACE(name);
        const auto open = [&] { started.Action("mainMenu", id)->trigger(); };
        EXPECT_TRUE(AnswerModal(name, open, [&started](QDialog& dialog) {
            EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
            EXPECT_EQ(QApplication::focusWidget()->objectName(), "IDOK");
            EXPECT_NE(QAccessible::queryAccessibleInterface(&dialog)->text(QAccessible::Name), "");
            const QPoint offset =
                dialog.frameGeometry().center() - started.Frame().frameGeometry().center();
            EXPECT_LE(offset.manhattanLength(), 2);
            for (const QLabel* label : dialog.findChildren<QLabel*>()) {
                EXPECT_GE(label->width(), label->sizeHint().width() - 1)
                    << label->text().toStdString();
                EXPECT_LE(label->geometry().right(), dialog.width());
            }
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        }));
    }
    EXPECT_EQ(started.Settings().Options(), "tick.usno.navy.mil|UDP|SNTP|0|1");
}

TEST(Dialogs, F1OpensAboutWhereverTheFocusIs) {
    StartedFrame started;
    started.Frame().activateWindow();
    for (const char* name : {"client", "btnQuery", "btnCorrect"}) {
        SCOPED_TRACE(name);
        // The window has the keyboard again after each About box.
        ASSERT_TRUE(QTest::qWaitForWindowActive(&started.Frame()));
        QWidget* widget = started.Child(name);
        widget->setFocus();
        // A focused button is framed in the highlight colour, not just tinted.
        EXPECT_TRUE(*name == 'c' || widget->grab().toImage().pixelColor(2, 10) ==
                                        widget->palette().color(QPalette::Highlight));
        EXPECT_TRUE(AnswerModal(
            "aboutDlg", [widget] { QTest::keyClick(widget, Qt::Key_F1); },
            [](QDialog& dialog) { dialog.accept(); }));
    }
}

TEST(Dialogs, AlternateTimebaseStoresWhatTheFieldKeeps) {
    const QString sixty(60, QLatin1Char('a'));
    const struct {
        bool retype;
        QString typed;
        Qt::Key key;
        QString stored;
    } cases[] = {
        {false, "", Qt::Key_Return, "stored.example.org"},
        {true, "Time.NIST.Gov", Qt::Key_Enter, "time.nist.gov"},
        {true, "", Qt::Key_Return, ""},
        {true, " host name ", Qt::Key_Return, " host name "},
        {true, sixty, Qt::Key_Return, sixty.left(49)},
        {true, "other.example", Qt::Key_Escape, "stored.example.org"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        StartedFrame started("[Options]\nTimeBase=stored.example.org\n");
        QString shown;
        const auto open = [&] { started.Action("popupMenu", "ID_TIMEBASE_ALTERNATE")->trigger(); };
        EXPECT_TRUE(AnswerModal("alternateTimebaseDlg", open, [&c, &shown](QDialog& dialog) {
            auto* edit = dialog.findChild<QLineEdit*>("IDC_TIMEBASE_EDIT");
            shown = edit->text();
            if (c.retype) {
                edit->selectAll();
                QTest::keyClick(edit, Qt::Key_Delete);
                QTest::keyClicks(edit, c.typed);
            }
            QTest::keyClick(edit, c.key);
        }));
        EXPECT_EQ(shown, "stored.example.org");
        EXPECT_EQ(started.Settings().Options().section('|', 0, 0), c.stored);
        EXPECT_EQ(g_strTimeBase, c.stored);
        EXPECT_EQ(started.PaneText(), c.key == Qt::Key_Escape ? "" : "Alternate TimeBase Selected");
        // The pane's tooltip names the host the text does not.
        EXPECT_EQ(started.Frame().StatusBar()->PaneToolTip().section('\n', 1, 1),
                  "Timebase: " + c.stored);
    }
}

} // namespace

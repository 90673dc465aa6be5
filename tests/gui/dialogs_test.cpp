// The dialogs as the menus and F1 open them, and what the alternate Timebase field stores.
#include "tests/support/frame_fixture.h"

#include <QAccessible>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QSettings>
#include <QTemporaryDir>

namespace {

TEST(Dialogs, OpenCentredWithTheFirstFieldFocusedAndEveryTextInFull) {
    StartedFrame started;
    for (const auto& [id, name, focused] :
         {std::tuple{"ID_HELP_WHATTODO", "usageNotesDlg", "IDOK"},
          {"ID_HELP_ABOUT", "aboutDlg", "IDOK"},
          {"ID_TIMEBASE_ALTERNATE", "alternateTimebaseDlg", "IDC_TIMEBASE_EDIT"}}) {
        SCOPED_TRACE(name);
        const auto open = [&] { started.Action("mainMenu", id)->trigger(); };
        EXPECT_TRUE(AnswerModal(name, open, [&started, focused](QDialog& dialog) {
            EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
            EXPECT_EQ(QApplication::focusWidget()->objectName(), focused);
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

// Typed as a user types: into whatever has the focus when the dialog opens. The field
// offers the stored list of typed Timebases, and OK puts the typed one at its front.
TEST(Dialogs, AlternateTimebaseStoresWhatIsTypedAndOffersItAgain) {
    const QString sixty(60, QLatin1Char('a'));
    const QStringList recent{"one.example", "time.nist.gov", "three.example", "four.example",
                             "five.example"};
    const struct {
        bool retype;
        QString typed;
        Qt::Key key;
        QString stored;
        QStringList recent;
    } cases[] = {
        {false, "", Qt::Key_Return, "stored.example.org",
         QStringList{"stored.example.org"} + recent.mid(0, 4)},
        {true, "Time.NIST.Gov", Qt::Key_Enter, "time.nist.gov",
         QStringList{"time.nist.gov", "one.example"} + recent.mid(2)},
        {true, "", Qt::Key_Return, "", recent},
        {true, " host name ", Qt::Key_Return, " host name ",
         QStringList{" host name "} + recent.mid(0, 4)},
        {true, sixty, Qt::Key_Return, sixty.left(49),
         QStringList{sixty.left(49)} + recent.mid(0, 4)},
        {true, "other.example", Qt::Key_Escape, "stored.example.org", recent},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        StartedFrame started("[Options]\nTimeBase=stored.example.org\nRecentTimeBases=" +
                             recent.join(", ").toLatin1() + "\n");
        const auto open = [&] { started.Action("popupMenu", "ID_TIMEBASE_ALTERNATE")->trigger(); };
        EXPECT_TRUE(AnswerModal("alternateTimebaseDlg", open, [&](QDialog& dialog) {
            ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
            auto* field = dialog.findChild<QComboBox*>("IDC_TIMEBASE_EDIT");
            ASSERT_NE(field, nullptr);
            EXPECT_EQ(field->currentText(), "stored.example.org");
            EXPECT_EQ(field->count(), 5);
            EXPECT_EQ(field->itemText(4), "five.example");
            EXPECT_FALSE(dialog.windowFlags() & Qt::FramelessWindowHint);
            EXPECT_EQ(dialog.accessibleName() + '|' + field->accessibleName(),
                      "Alternate Timebase|Timebase name or IP address");
            if (c.retype) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete);
                QTest::keyClicks(QApplication::focusWidget(), c.typed);
            }
            QTest::keyClick(QApplication::focusWidget(), c.key);
        }));
        EXPECT_EQ(started.Settings().Options().section('|', 0, 0), c.stored);
        EXPECT_EQ(QSettings(started.Settings().FilePath(), QSettings::IniFormat)
                      .value("Options/RecentTimeBases")
                      .toStringList(),
                  c.recent);
        EXPECT_EQ(g_strTimeBase, c.stored);
        EXPECT_EQ(started.PaneText(), c.key == Qt::Key_Escape ? "" : "Alternate TimeBase Selected");
        // The pane's tooltip names the host the text does not.
        EXPECT_EQ(started.Frame().StatusBar()->PaneToolTip().section('\n', 1, 1),
                  "Timebase: " + c.stored);
    }
}

// Options > Protocol: the file chosen in the dialog becomes NtsCaFile and the next query's
// CA; a file without a certificate (the settings file) is refused with a box; the system's
// store clears it.
TEST(Dialogs, TheNtsCaFileIsChosenInADialog) {
    QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    StartedFrame started;
    QTemporaryDir dir;
    QFile ca(dir.filePath("ca.pem"));
    ASSERT_TRUE(ca.open(QIODevice::WriteOnly) && ca.write("-----BEGIN CERTIFICATE-----\n") > 0 &&
                ca.flush());
    QAction* choose = started.Action("mainMenu", "ID_PROTOCOL_NTSCAFILE");
    QAction* system = started.Action("mainMenu", "ID_PROTOCOL_SYSTEMCA");
    ASSERT_TRUE(choose && system);
    const auto stored = [&] {
        return QSettings(started.Settings().FilePath(), QSettings::IniFormat)
                   .value("Options/NtsCaFile", "-")
                   .toString() +
               "|" + WindowQueryConfig(false).caFile;
    };
    const auto pick = [&](const QString& path) {
        return AnswerModal(
            "ntsCaDialog", [&] { choose->trigger(); },
            [&](QDialog& dialog) {
                auto* name = dialog.findChild<QLineEdit*>("fileNameEdit");
                ASSERT_TRUE(name && QTest::qWaitForWindowActive(&dialog));
                QTest::keyClicks(name, path);
                dialog.accept(); // QFileDialog::accept, as its Open button
            });
    };
    EXPECT_TRUE(pick(ca.fileName()));
    EXPECT_TRUE(AnswerModal(
        "ntsCaUnreadable", [&] { pick(started.Settings().FilePath()); },
        [](QDialog& box) { box.accept(); }));
    EXPECT_EQ(stored(), ca.fileName() + "|" + ca.fileName());
    system->trigger();
    EXPECT_EQ(stored(), "|");
}

} // namespace

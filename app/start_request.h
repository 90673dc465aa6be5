#pragma once

#include <QString>
#include <QStringList>

// What a start of horolux asks for. Any argument means the unattended correction (Qt's own
// options such as "-style fusion" too), except that --help, -h and --version anywhere only
// print: asking for help never sets the clock.
enum class StartRequest { Window, Correct, Help, Version };

// arguments: the command line after the program name, before Qt takes its options out.
StartRequest StartRequestOf(const QStringList& arguments);

// The text --help prints.
QString HoroluxHelpText();

#pragma once

// Lets GoogleTest print Qt strings and URLs as text in its failure messages.
#include <QString>
#include <QUrl>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QUrl& url, std::ostream* out) {
    *out << url.toString().toStdString();
}

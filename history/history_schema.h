#pragma once

// The history file's tables, and how an older file is brought up to date.
#include <QSqlDatabase>
#include <QSqlError>
#include <QString>
#include <QStringList>

#include <span>

namespace history {

// Marks the file as ours (PRAGMA application_id): a SQLite file without it is foreign.
inline constexpr int kApplicationId = 0x48524c58; // "HRLX"

// The statements that take a file from schema version i to i + 1 (PRAGMA user_version).
// A step, once released, never changes: a later version adds a step.
std::span<const QStringList> SchemaSteps();

enum class SchemaResult { Ready, Foreign, Failed };

// Inside one write transaction: an empty file gets the tables, an older one the missing
// steps; a newer one is left as it is (its added columns do not hurt our inserts).
// Foreign: another program's SQLite file. Failed: the error is in error.
// Runs one statement; false with the error when it fails.
bool Exec(QSqlDatabase& db, const QString& statement, QSqlError& error);

SchemaResult UpgradeSchema(QSqlDatabase& db, std::span<const QStringList> steps, QSqlError& error);

} // namespace history

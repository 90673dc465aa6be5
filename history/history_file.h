#pragma once

// Where the history lives, and the file operations around it that SQLite does not do.
#include <QString>

#include <cstdint>

namespace history {

// "$XDG_STATE_HOME/Veldmark/Horolux/history.sqlite" ($HOME/.local/state when unset or
// relative), the same folder as the NTS cookie jars.
QString DefaultHistoryPath();

// The file's folder chain, the last one 0700, and the file itself, 0600 (an existing one
// is made 0600). False with errno's text in reason when that cannot be done, or when a
// non-file stands in the path (reason then is empty).
bool PrepareHistoryFile(const QString& path, QString& reason);

// Identity of what stands at the path, to see that it is still the file opened.
struct FileIdentity {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    bool operator==(const FileIdentity&) const = default;
};
FileIdentity IdentityOf(const QString& path);

// "history.sqlite.broken-20261207T031957Z" beside the file; the database and its WAL are
// moved there and the shared-memory index removed. Returns the new name of the database,
// empty when it could not be moved.
QString MoveAside(const QString& path, std::int64_t nowUtcMicroseconds);

} // namespace history

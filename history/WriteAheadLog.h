// The history's write-ahead log ("<file>-wal") and the database it belongs to.
//
// SQLite applies a log it finds beside a database without asking whether the log was written for
// that database. After a crash the log holds the last answers and must be applied; but when the
// database was replaced or restored from an older copy in the meantime, applying the log damages
// it. The store therefore counts its writes in the database header (the application id, bytes 68
// to 71, raised by one in every write transaction, which puts page 1 at the head of every
// transaction in the log), and a log whose counts do not continue the database's count came from
// another database.
#pragma once

#include <optional>
#include <string>

// The header offset of the write count.
constexpr int kWriteCountOffset = 68;

// Moves a log left beside the database by a program that ended without closing it, when it did
// not come from this database, to "<file>-wal.beiseite-<n>", and removes the shared-memory file
// that went with it. Returns the new name of the log it moved. A log that a running program
// holds, an empty one, or one whose origin cannot be told (written before write counts were
// kept) is left alone. Raises Exception when a foreign log cannot be moved.
std::optional<std::string> SetAsideForeignLog(const std::string& databasePath);

// After the store let go of a file that was moved or replaced under it, its log is still beside
// the path: removes it with the shared memory when the store emptied it, or sets it aside when
// it still holds frames. A log that a running program holds is left alone.
void ClearLogOfMovedFile(const std::string& databasePath);

// Reading the view `antworten` with SQLiteCpp.
#include "tools/katalog/HistoryExport.h"

#include "tools/katalog/CatalogueCsvColumns.h"
#include "tools/katalog/Csv.h"
#include "tools/katalog/FileAccess.h"
#include "tools/katalog/FormulaCell.h"

#include "toolkit/Exceptions.h"
#include "toolkit/FileSystem.h"

#include <SQLiteCpp/SQLiteCpp.h>
#include <sqlite3.h>

#include <vector>

namespace {

constexpr int kBusyTimeoutMs = 3000;

[[noreturn]] void RaiseNoHistory(const std::string& path, const std::string& reason) {
  throw Exception(path + " ist kein Lernverlauf von Aerolern: " + reason + ".");
}

[[noreturn]] void RaiseFrom(const std::string& path, const SQLite::Exception& error) {
  switch (error.getErrorCode() & 0xFF) {
  case SQLITE_NOTADB:
    RaiseNoHistory(path, "die Datei ist keine SQLite-Datenbank");
  case SQLITE_CORRUPT:
    RaiseNoHistory(path, "die Datenbank ist beschädigt");
  case SQLITE_BUSY:
  case SQLITE_LOCKED:
    throw Exception("Der Lernverlauf " + path +
                    " ist von einem anderen Programm gesperrt; bitte später erneut versuchen.");
  default:
    throw Exception("Der Lernverlauf " + path + " lässt sich nicht lesen (SQLite-Fehler " +
                    std::to_string(error.getErrorCode()) + ": " + error.what() + ").");
  }
}

// Reading a database in WAL mode makes SQLite create its log and shared memory, and a read-only
// connection leaves both behind. Without a log beside the file no program has it open, and a
// connection that may write (it writes nothing) removes both again when it closes; with a log
// there, reading leaves the files as it found them.
int OpenFlags(const std::string& path) {
  TFileStatus log{};
  return StatPath(path + "-wal", log) == 0 ? SQLite::OPEN_READONLY : SQLite::OPEN_READWRITE;
}

} // namespace

std::string ExportHistoryCsv(const std::string& path) {
  // A missing or unreadable file gets the same message as with the other commands; SQLite
  // would only say that it cannot open it.
  EnsureReadable(path);
  try {
    SQLite::Database database(path, OpenFlags(path), kBusyTimeoutMs);
    SQLite::Statement view(database,
                           "SELECT count(*) FROM sqlite_master WHERE type = 'view' AND name = ?");
    view.bind(1, "antworten");
    if (!view.executeStep() || view.getColumn(0).getInt() == 0)
      RaiseNoHistory(path, "die Sicht „antworten“ fehlt");

    SQLite::Statement rows(database, "SELECT * FROM antworten");
    const int columns = rows.getColumnCount();
    std::vector<std::string> fields(static_cast<std::size_t>(columns));
    for (int i = 0; i < columns; ++i)
      fields[static_cast<std::size_t>(i)] = NeutraliseFormula(rows.getColumnName(i));
    std::string csv = CsvLine(fields, kCsvSeparator);
    while (rows.executeStep()) {
      for (int i = 0; i < columns; ++i) {
        const SQLite::Column column = rows.getColumn(i);
        fields[static_cast<std::size_t>(i)] =
            column.isNull() ? "" : NeutraliseFormula(column.getString());
      }
      csv += CsvLine(fields, kCsvSeparator);
    }
    return csv;
  } catch (const SQLite::Exception& error) {
    RaiseFrom(path, error);
  }
}

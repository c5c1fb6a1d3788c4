// The listing behind the wissen command.
#include "tools/katalog/KnowledgeListing.h"

#include "core/KnowledgeEntryCodec.h"

#include <iomanip>

TKnowledgeFile ReadKnowledgeEntries(const std::string& bytes) {
  TKnowledgeFile file;
  file.Entries = DecodeKnowledgeEntries(bytes);
  file.TrailingBytes = bytes.size() % kKnowledgeEntrySize;
  return file;
}

void PrintKnowledgeListing(const TKnowledgeFile& file, const std::string& fileName,
                           std::ostream& out, std::ostream& notes) {
  std::size_t open = 0;
  for (const PoolEntry& entry : file.Entries)
    open += entry.Open != 0 ? 1 : 0;
  out << fileName << ": " << file.Entries.size() << " Einträge, davon " << open << " offen\n";
  out << "    Nr  Belegt  Offen  Lizenz  Bereich   Datensatz\n";
  for (std::size_t i = 0; i < file.Entries.size(); ++i) {
    const PoolEntry& entry = file.Entries[i];
    out << std::setw(6) << i << std::setw(8) << int(entry.InUse) << std::setw(7) << int(entry.Open)
        << std::setw(8) << entry.Licence << std::setw(9) << entry.Area << std::setw(12)
        << entry.RecordNo << '\n';
  }
  NoteTrailingBytes(file, fileName, notes);
}

void NoteTrailingBytes(const TKnowledgeFile& file, const std::string& fileName,
                       std::ostream& notes) {
  if (file.TrailingBytes != 0)
    notes << "Hinweis: " << fileName << " endet mit " << file.TrailingBytes
          << " Bytes, die keinen ganzen Eintrag zu " << kKnowledgeEntrySize
          << " Bytes ergeben; sie werden übergangen.\n";
}

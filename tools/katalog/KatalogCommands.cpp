// Argument handling and the commands of aerolern-katalog.
#include "tools/katalog/KatalogCommands.h"

#include "core/SafeFileReplace.h"
#include "tools/katalog/CatalogueCheck.h"
#include "tools/katalog/CatalogueContentCheck.h"
#include "tools/katalog/CatalogueExport.h"
#include "tools/katalog/CatalogueImport.h"
#include "tools/katalog/ClassOverviewCommand.h"
#include "tools/katalog/FileAccess.h"
#include "tools/katalog/HistoryExport.h"
#include "tools/katalog/KnowledgeListing.h"
#include "tools/katalog/KnowledgeMove.h"

#include "core/QuestionRecordCodec.h"
#include "toolkit/Exceptions.h"

#include <optional>

namespace {

struct TArguments {
  std::vector<std::string> Files;
  std::optional<std::string> Output;
};

// Raised for a wrong command line; the caller prints the text and the usage.
class EUsage : public Exception {
public:
  explicit EUsage(const std::string& message) : Exception(message) {}
};

TArguments SplitArguments(const std::vector<std::string>& args) {
  TArguments result;
  for (std::size_t i = 1; i < args.size(); ++i) {
    if (args[i] == "-o") {
      if (result.Output)
        throw EUsage("Die Option -o ist doppelt angegeben.");
      if (i + 1 >= args.size())
        throw EUsage("Nach -o fehlt der Name der Ausgabedatei.");
      result.Output = args[++i];
    } else if (args[i].size() > 1 && args[i][0] == '-') {
      throw EUsage("Unbekannte Option „" + args[i] + "“.");
    } else {
      result.Files.push_back(args[i]);
    }
  }
  return result;
}

// The one input file of a command; `outputAllowed` tells whether -o belongs to it.
const std::string& InputFile(const TArguments& arguments, const std::string& command,
                             bool outputAllowed) {
  if (arguments.Files.empty())
    throw EUsage("Dem Befehl " + command + " fehlt die Eingabedatei.");
  if (arguments.Files.size() > 1)
    throw EUsage("Der Befehl " + command + " erwartet genau eine Eingabedatei, nicht " +
                 std::to_string(arguments.Files.size()) + ".");
  if (arguments.Output && !outputAllowed)
    throw EUsage("Der Befehl " + command + " kennt die Option -o nicht.");
  return arguments.Files[0];
}

int Import(const TArguments& arguments, std::ostream& out, std::ostream& err) {
  const std::string& input = InputFile(arguments, "import", true);
  if (!arguments.Output)
    throw EUsage("Der Befehl import braucht mit -o den Namen des Fragenkatalogs.");
  RefuseOutputOverInput(*arguments.Output, arguments.Files);
  const TImportResult result = ImportCatalogueCsv(ReadWholeFile(input));
  if (!result.Errors.empty()) {
    for (const TImportError& error : result.Errors)
      err << input << ", Zeile " << error.Line << ": " << error.Text << '\n';
    err << "Fehler in " << input << "; " << *arguments.Output << " wurde nicht geschrieben.\n";
    return kExitFailed;
  }
  ReplaceFileSafely(*arguments.Output, result.CatalogueBytes);
  const auto records = static_cast<int64_t>(result.CatalogueBytes.size() / kRecordSize);
  out << *arguments.Output << ": " << records << " Datensätze geschrieben, davon "
      << result.DeletedRecords << " gelöscht.\n";
  return kExitOk;
}

// The export gives what can be read; the user learns here what a re-import would not restore.
void WarnAboutExport(const std::string& input, const std::string& bytes, std::ostream& err) {
  const TCheckReport report = CheckCatalogue(bytes);
  for (const TCatalogueProblem& problem : report.Problems) {
    err << "Warnung: " << input << ", ";
    if (problem.RecordNo >= 0)
      err << "Datensatz " << problem.RecordNo << ": ";
    err << problem.Text << '\n';
  }
  const std::vector<int64_t> changed = RecordsNotRestoredByImport(bytes);
  for (int64_t recordNo : changed)
    err << "Warnung: " << input << ", Datensatz " << recordNo
        << ": ein Import der CSV-Zeile ergäbe nicht dieselben Bytes.\n";
  if (!report.Problems.empty() || !changed.empty())
    err << "Exportiert wurde, was sich lesen lässt; Einzelheiten zeigt aerolern-katalog check "
        << input << ".\n";
}

int Export(const TArguments& arguments, std::ostream& out, std::ostream& err) {
  const std::string& input = InputFile(arguments, "export", true);
  if (arguments.Output)
    RefuseOutputOverInput(*arguments.Output, arguments.Files);
  const std::string bytes = ReadWholeFile(input);
  const std::string csv = ExportCatalogueCsv(bytes);
  if (arguments.Output)
    ReplaceFileSafely(*arguments.Output, csv);
  else
    out << csv;
  WarnAboutExport(input, bytes, err);
  return kExitOk;
}

// Takes an option with a value (of check or klasse) out of the arguments.
std::optional<std::string> TakeOption(std::vector<std::string>& args, const std::string& name,
                                      const std::string& what) {
  std::optional<std::string> value;
  for (std::size_t i = 1; i < args.size();) {
    if (args[i] != name) {
      ++i;
      continue;
    }
    if (value)
      throw EUsage("Die Option " + name + " ist doppelt angegeben.");
    if (i + 1 >= args.size())
      throw EUsage("Nach " + name + " fehlt " + what + ".");
    value = args[i + 1];
    args.erase(args.begin() + static_cast<std::ptrdiff_t>(i),
               args.begin() + static_cast<std::ptrdiff_t>(i + 2));
  }
  return value;
}

int Check(std::vector<std::string> args, std::ostream& out) {
  TContentCheckOptions options;
  options.PictureFolder = TakeOption(args, "--skizzen", "der Ordner der Abbildungen");
  options.SettingsFile = TakeOption(args, "--ini", "die Einstellungsdatei");
  const TArguments arguments = SplitArguments(args);
  const std::string& input = InputFile(arguments, "check", false);
  const std::string bytes = ReadWholeFile(input);
  TCheckReport report = CheckCatalogue(bytes);
  CheckCatalogueContent(bytes, options, report);
  PrintCheckReport(report, input, out);
  return report.Problems.empty() ? kExitOk : kExitFailed;
}

int Knowledge(const TArguments& arguments, std::ostream& out, std::ostream& err) {
  const std::string& input = InputFile(arguments, "wissen", false);
  PrintKnowledgeListing(ReadKnowledgeEntries(ReadWholeFile(input)), input, out, err);
  return kExitOk;
}

// A count with its noun in singular or plural, "1 Eintrag", "3 Einträge".
std::string Counted(std::size_t count, const char* one, const char* many) {
  return std::to_string(count) + " " + (count == 1 ? one : many);
}

// Whole records are what the program reads of a catalogue; a rest hints at a wrong file.
void NoteCatalogueRest(const std::string& bytes, const std::string& fileName, std::ostream& err) {
  const std::size_t rest = bytes.size() % kRecordSize;
  if (rest != 0)
    err << "Hinweis: " << fileName << " endet mit " << rest << " Bytes, die keinen ganzen "
        << "Datensatz zu " << kRecordSize << " Bytes ergeben; sie werden übergangen.\n";
}

int MoveKnowledgeFile(const TArguments& arguments, std::ostream& out, std::ostream& err) {
  if (arguments.Files.size() != 3)
    throw EUsage("Der Befehl umziehen erwartet drei Dateien: den alten Fragenkatalog, den neuen "
                 "und die Wissensstand-Datei, nicht " +
                 std::to_string(arguments.Files.size()) + ".");
  if (!arguments.Output)
    throw EUsage("Der Befehl umziehen braucht mit -o den Namen der neuen Wissensstand-Datei.");
  const std::string& oldName = arguments.Files[0];
  const std::string& newName = arguments.Files[1];
  const std::string& knowledgeName = arguments.Files[2];
  // The knowledge file may be carried over in place: it is read whole before the result
  // replaces it. A catalogue is never overwritten by a knowledge file.
  RefuseOutputOverInput(*arguments.Output, {oldName, newName});
  const std::string oldCatalogue = ReadWholeFile(oldName);
  const std::string newCatalogue = ReadWholeFile(newName);
  const TKnowledgeFile knowledge = ReadKnowledgeEntries(ReadWholeFile(knowledgeName));
  NoteCatalogueRest(oldCatalogue, oldName, err);
  NoteCatalogueRest(newCatalogue, newName, err);
  NoteTrailingBytes(knowledge, knowledgeName, err);
  const TKnowledgeMove move = MoveKnowledge(oldCatalogue, newCatalogue, knowledge.Entries);
  ReplaceFileSafely(*arguments.Output, KnowledgeFileBytes(move.Entries));
  out << *arguments.Output << ": " << Counted(move.Kept, "Eintrag", "Einträge") << " übernommen, "
      << Counted(move.Added, "Frage", "Fragen") << " neu aufgenommen, "
      << Counted(move.Dropped, "Eintrag", "Einträge") << " entfallen.\n";
  return kExitOk;
}

int History(const TArguments& arguments, std::ostream& out) {
  const std::string& input = InputFile(arguments, "verlauf", true);
  // The database's log and journal hold answers too.
  if (arguments.Output)
    RefuseOutputOverInput(*arguments.Output, {input, input + "-wal", input + "-journal"});
  const std::string csv = ExportHistoryCsv(input);
  if (arguments.Output)
    ReplaceFileSafely(*arguments.Output, csv);
  else
    out << csv;
  return kExitOk;
}

int ClassOverview(std::vector<std::string> args, std::ostream& out, std::ostream& err) {
  const std::optional<std::string> catalogue =
      TakeOption(args, "--katalog", "der Fragenkatalog der Flugschule");
  const TArguments arguments = SplitArguments(args);
  if (arguments.Files.empty())
    throw EUsage("Dem Befehl klasse fehlen die Berichte (Ordner oder Dateien).");
  if (!catalogue)
    throw EUsage("Der Befehl klasse braucht mit --katalog den Fragenkatalog der Flugschule.");
  if (!arguments.Output)
    throw EUsage("Der Befehl klasse braucht mit -o den Namen der HTML-Seite.");
  return WriteClassOverview(arguments.Files, *catalogue, *arguments.Output, out, err);
}

int Dispatch(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.empty())
    throw EUsage("Es fehlt ein Befehl.");
  const std::string& command = args[0];
  if (command == "hilfe" || command == "-h" || command == "--help") {
    out << KatalogUsage();
    return kExitOk;
  }
  if (command == "check")
    return Check(args, out);
  if (command == "klasse")
    return ClassOverview(args, out, err);
  const TArguments arguments = SplitArguments(args);
  if (command == "import")
    return Import(arguments, out, err);
  if (command == "export")
    return Export(arguments, out, err);
  if (command == "wissen")
    return Knowledge(arguments, out, err);
  if (command == "umziehen")
    return MoveKnowledgeFile(arguments, out, err);
  if (command == "verlauf")
    return History(arguments, out);
  throw EUsage("Unbekannter Befehl „" + command + "“.");
}

} // namespace

std::string KatalogUsage() {
  return "Aufruf:\n"
         "  aerolern-katalog import KATALOG.csv -o Aerolern.dat\n"
         "      baut den Fragenkatalog aus einer CSV-Datei\n"
         "  aerolern-katalog export Aerolern.dat [-o KATALOG.csv]\n"
         "      gibt den Fragenkatalog als CSV aus (ohne -o auf die Standardausgabe)\n"
         "  aerolern-katalog check [--skizzen ORDNER] [--ini aerolern.ini] Aerolern.dat\n"
         "      prüft den Fragenkatalog und zählt die Fragen je Kategorie; meldet Fragen, deren\n"
         "      Skizze keine eigene Abbildung hat, und gleichlautende Fragen einer Kategorie;\n"
         "      mit --skizzen auch fehlende oder unlesbare Bilddateien im Ordner der\n"
         "      Abbildungen (dem Ordner, der sketches/ enthält), mit --ini jedes Sachgebiet der\n"
         "      Lizenzen 1 bis 6, das weniger Fragen hat, als seine Prüfung zieht\n"
         "  aerolern-katalog wissen Wissensstand.dat\n"
         "      listet die Einträge einer Wissensstand-Datei\n"
         "  aerolern-katalog umziehen ALT.dat NEU.dat Wissensstand.dat -o NEU-Wissensstand.dat\n"
         "      überträgt einen mit Katalog ALT gespeicherten Wissensstand auf Katalog NEU:\n"
         "      Fragen werden am Inhalt erkannt, neue Fragen kommen offen hinzu\n"
         "  aerolern-katalog verlauf Lernverlauf.sqlite [-o VERLAUF.csv]\n"
         "      gibt die Antworten des Lernverlaufs als CSV aus (ohne -o auf die\n"
         "      Standardausgabe); die Datei wird nur gelesen\n"
         "  aerolern-katalog klasse ORDNER-ODER-DATEIEN... --katalog Aerolern.dat -o klasse.html\n"
         "      liest die Lernstandsberichte der Schülerinnen und Schüler (aus einem Ordner\n"
         "      alle *.json-Dateien) und schreibt eine Klassenübersicht als HTML-Seite: die\n"
         "      Prognose je Sachgebiet, die Übungsprüfungen, die schwierigsten und die\n"
         "      auffälligen Fragen; je Name zählt der neueste Bericht. Ein unbrauchbarer\n"
         "      Bericht wird mit Grund gemeldet und übergangen (Exit-Status 1); ist keiner\n"
         "      brauchbar, wird keine Seite geschrieben (Exit-Status 2)\n"
         "  aerolern-katalog hilfe\n"
         "      zeigt diesen Text\n"
         "\n"
         "CSV-Format: UTF-8 (Byte-Order-Mark erlaubt, UTF-16 nicht), Trennzeichen ';',\n"
         "Felder mit ';', '\"' oder Zeilenumbruch in Anführungszeichen, '\"\"' für ein\n"
         "Anführungszeichen darin.\n"
         "Kopfzeile: Nr;Lizenz;Bereich;Skizze;Richtig;Frage;Antwort A;Antwort B;Antwort C;"
         "Antwort D;Aktiv\n"
         "Nr zählt die Datensätze lückenlos ab 0, gelöschte eingeschlossen (Aktiv 0).\n"
         "Richtig nennt die Buchstaben der richtigen Antworten, etwa BD (leer für keine).\n"
         "Texte werden unverändert übernommen, höchstens 255 Zeichen aus Windows-1252.\n"
         "Formelschutz: Eine Zelle, die mit =, +, -, @, Tabulator oder Wagenrücklauf\n"
         "beginnt, würde eine Tabellenkalkulation als Formel ausführen. export und verlauf\n"
         "schreiben sie daher mit einem Apostroph davor ('=…), ebenso eine Zelle, die mit\n"
         "Apostrophen vor einem solchen Zeichen beginnt (''=…); eine Zahl wie -3 bleibt\n"
         "Zahl. import nimmt genau diesen einen Apostroph wieder weg, jede andere Zelle\n"
         "bleibt unverändert.\n"
         "\n"
         "Exit-Status: 0 in Ordnung, 1 Fehler in den Daten oder beim Dateizugriff,\n"
         "2 falscher Aufruf (bei klasse auch: kein Bericht brauchbar oder der Fragenkatalog\n"
         "unlesbar).\n";
}

int RunKatalog(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  try {
    return Dispatch(args, out, err);
  } catch (const EUsage& error) {
    err << "aerolern-katalog: " << error.what() << "\n\n" << KatalogUsage();
    return kExitUsage;
  } catch (const Exception& error) {
    err << "aerolern-katalog: " << error.what() << '\n';
    return kExitFailed;
  }
}

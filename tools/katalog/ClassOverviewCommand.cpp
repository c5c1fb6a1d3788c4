// The klasse command: reading, judging and writing in turn, with the tool's messages.
#include "tools/katalog/ClassOverviewCommand.h"

#include "tools/katalog/ClassCatalogue.h"
#include "tools/katalog/ClassPage.h"
#include "tools/katalog/ClassReports.h"
#include "tools/katalog/ClassStatistics.h"
#include "tools/katalog/FileAccess.h"

#include "core/QuestionRecordCodec.h"
#include "core/SafeFileReplace.h"
#include "toolkit/Exceptions.h"

#include <chrono>
#include <optional>

namespace {

constexpr int kExitLeftOut = 1;
constexpr int kExitNothingUsable = 2;

std::optional<TClassCatalogue> ReadCatalogue(const std::string& name, const std::string& output,
                                             std::ostream& err) {
  std::string bytes;
  try {
    bytes = ReadWholeFile(name);
  } catch (const Exception& error) {
    err << "aerolern-katalog: Der Fragenkatalog der Flugschule lässt sich nicht lesen: "
        << error.what() << ' ' << output << " wurde nicht geschrieben.\n";
    return std::nullopt;
  }
  if (bytes.size() < kRecordSize) {
    err << "aerolern-katalog: " << name << " enthält keinen ganzen Datensatz und ist kein "
        << "Fragenkatalog; " << output << " wurde nicht geschrieben.\n";
    return std::nullopt;
  }
  return TClassCatalogue(std::move(bytes));
}

int64_t NowMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::system_clock::now().time_since_epoch())
      .count();
}

} // namespace

int WriteClassOverview(const std::vector<std::string>& paths, const std::string& catalogueName,
                       const std::string& output, std::ostream& out, std::ostream& err) {
  const std::optional<TClassCatalogue> catalogue = ReadCatalogue(catalogueName, output, err);
  if (!catalogue)
    return kExitNothingUsable;
  TClassReports reports = ReadClassReports(paths, *catalogue);
  for (const std::string& folder : reports.EmptyFolders)
    err << "Hinweis: Im Ordner " << folder << " liegt keine Berichtsdatei (*.json).\n";
  for (const TLeftOut& file : reports.LeftOut)
    err << "aerolern-katalog: übergangen: " << file.File << ": " << file.Reason << '\n';
  if (reports.Reports.empty()) {
    err << "aerolern-katalog: Kein Bericht ist verwendbar; " << output
        << " wurde nicht geschrieben.\n";
    return kExitNothingUsable;
  }
  // Every file read, a report left out too, stays as it is.
  std::vector<std::string> inputs = {catalogueName};
  for (const TClassReport& report : reports.Reports)
    inputs.push_back(report.File);
  for (const TLeftOut& file : reports.LeftOut)
    inputs.push_back(file.File);
  RefuseOutputOverInput(output, inputs);

  TClassPageSources sources;
  sources.CatalogueName = catalogueName;
  sources.ReportsRead = static_cast<int>(reports.Reports.size());
  sources.LeftOut = reports.LeftOut;
  sources.MadeMs = NowMs();
  const TClassOverview overview = ClassOverview(std::move(reports.Reports), *catalogue);
  ReplaceFileSafely(output, ClassPageHtml(overview, *catalogue, sources));
  out << output << ": Klassenübersicht aus den Berichten von " << overview.Students.size()
      << (overview.Students.size() == 1 ? " Person" : " Personen") << " geschrieben";
  if (!sources.LeftOut.empty())
    out << ", " << sources.LeftOut.size()
        << (sources.LeftOut.size() == 1 ? " Eingabe übergangen" : " Eingaben übergangen");
  out << ".\n";
  return sources.LeftOut.empty() ? 0 : kExitLeftOut;
}

// Fuzz target: the catalogue tool's CSV import, fed damaged or hostile CSV text.
//
// The input is the whole CSV file, written where the tool would read it and imported in process.
// Findings besides sanitizer reports: an import without errors whose catalogue the tool's own
// check rejects, that the tool says an import would not restore, or whose export does not
// import back to the same bytes.
#include "FuzzSupport.h"

#include "tools/katalog/CatalogueCheck.h"
#include "tools/katalog/CatalogueExport.h"
#include "tools/katalog/CatalogueImport.h"
#include "tools/katalog/FileAccess.h"

#include "core/QuestionRecordCodec.h"
#include "toolkit/Exceptions.h"

namespace {

const char* const kCsvFileName = "katalog.csv";

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  fuzz::Initialize(argc, argv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  fuzz::WriteFile(kCsvFileName, data, size);
  std::string csv;
  try {
    csv = ReadWholeFile(kCsvFileName);
  } catch (const Exception&) {
    return 0;
  }
  fuzz::Require(csv == std::string(reinterpret_cast<const char*>(data), size),
                "the tool reads the whole file");

  const TImportResult imported = ImportCatalogueCsv(csv);
  if (!imported.Errors.empty())
    return 0;
  const std::string& bytes = imported.CatalogueBytes;
  fuzz::Require(!bytes.empty() && bytes.size() % kRecordSize == 0, "an import gives whole records");
  const TCheckReport report = CheckCatalogue(bytes);
  fuzz::Require(report.Problems.empty(), "the check accepts what the import built");
  fuzz::Require(report.DeletedRecords == imported.DeletedRecords,
                "import and check count the same deleted records");
  fuzz::Require(RecordsNotRestoredByImport(bytes).empty(),
                "an import of the export restores every record");
  const TImportResult again = ImportCatalogueCsv(ExportCatalogueCsv(bytes));
  fuzz::Require(again.Errors.empty(), "the export of an import imports without errors");
  fuzz::Require(again.CatalogueBytes == bytes, "the export of an import imports to the same bytes");
  return 0;
}

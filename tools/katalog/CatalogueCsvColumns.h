// The columns of the catalogue CSV file, shared by export and import.
#pragma once

#include <array>

enum TCatalogueColumn : int {
  colNr,
  colLicence,
  colArea,
  colImage,
  colCorrect,
  colQuestion,
  colAnswerA,
  colAnswerB,
  colAnswerC,
  colAnswerD,
  colActive,
  kCatalogueColumnCount
};

constexpr std::array<const char*, kCatalogueColumnCount> kCatalogueColumnNames = {
    "Nr",        "Lizenz",    "Bereich",   "Skizze",    "Richtig", "Frage",
    "Antwort A", "Antwort B", "Antwort C", "Antwort D", "Aktiv"};

constexpr char kCsvSeparator = ';';

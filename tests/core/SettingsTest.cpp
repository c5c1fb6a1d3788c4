// Tests of the settings lookup, the integer conversion and the exam limits.
#include "support/CoreFixture.h"

#include "core/ExamGrading.h"

#include "toolkit/Convert.h"
#include "toolkit/Exceptions.h"

#include <cstdlib>

namespace {

class SettingsTest : public CoreTest {
protected:
  std::string Lookup(const std::string& key) {
    std::string value = "alt";
    ReadIniValue(key, value);
    return value;
  }
};

TEST_F(SettingsTest, SettingsFileLiesBesideTheProgram) {
  platform.SetProgramPath("/opt/aerolern/aerolern");
  EXPECT_EQ(SettingsFilePath(), "/opt/aerolern/aerolern.ini");
  platform.SetProgramPath("/opt/aero.lern/Aerolern.exe");
  EXPECT_EQ(SettingsFilePath(), "/opt/aero.lern/Aerolern.ini");
}

TEST_F(SettingsTest, LookupRules) {
  WriteSettings("[Pruefung]\n"
                "anzprffragengsa=20\n"
                "; AnzPrfFragenGSB=99\n"
                "AnzPrfFragenGSB=15\r\n"
                "AnzPrfFragenGSA=25\n"
                "AnzMuendlichGSA = 4\n"
                "\n"
                "ohne Gleichheitszeichen\n"
                "Text=a=b \n"
                "Ort=M\xFCnchen\n");
  EXPECT_EQ(Lookup("AnzPrfFragenGSA"), "25");
  EXPECT_EQ(Lookup("ANZPRFFRAGENGSB"), "15");
  EXPECT_EQ(Lookup("AnzMuendlichGSA"), "") << "blanks around '=' belong to the key";
  EXPECT_EQ(Lookup("AnzMuendlichGSA "), " 4");
  EXPECT_EQ(Lookup("Text"), "a=b ");
  EXPECT_EQ(Lookup("Ort"), "München");
  EXPECT_EQ(Lookup("[Pruefung]"), "");
  EXPECT_EQ(Lookup("Fehlt"), "");
}

TEST_F(SettingsTest, MissingSettingsFileIsAnInOutError) {
  std::string value;
  try {
    ReadIniValue("AnzPrfFragenGSA", value);
    FAIL() << "no error without a settings file";
  } catch (const EInOutError& error) {
    EXPECT_EQ(error.ErrorCode, 2);
    EXPECT_NE(std::string(error.what()).find("aerolern.ini"), std::string::npos);
  }
}

TEST_F(SettingsTest, IntegerConversion) {
  EXPECT_EQ(StrToInt("42"), 42);
  EXPECT_EQ(StrToInt("   7"), 7);
  EXPECT_EQ(StrToInt("-12"), -12);
  EXPECT_EQ(StrToInt("+3"), 3);
  EXPECT_EQ(StrToInt("$1F"), 31);
  EXPECT_EQ(StrToInt("0x1f"), 31);
  EXPECT_EQ(StrToInt("-$10"), -16);
  EXPECT_EQ(StrToInt("2147483647"), 2147483647);
  EXPECT_EQ(StrToInt("-2147483648"), INT32_MIN);
  for (const char* invalid :
       {"", " ", "7 ", "1a", "--1", "$", "0x", "12.5", "2147483648", "\t5", "$1FFFFFFFF"})
    EXPECT_THROW(StrToInt(invalid), EConvertError) << "'" << invalid << "'";
}

TEST_F(SettingsTest, ExamLimitsPerLicence) {
  WriteSettings("AnzPrfFragenGSA=30\nAnzMuendlichGSA=5\nAnzNichtBestGSA=8\n"
                "AnzPrfFragenGSB=40\nAnzNichtBestGSB=\n"
                "AnzPrfFragenMG3=12\nAnzMuendlichMGP=2\n"
                "AnzPrfFragenFFK=abc\nAnzNichtBestWWF=9 \n");
  SetExamPosition(0, 0);
  for (int kind : {0, 1, 2, 3, 4})
    EXPECT_EQ(ExamLimit(kind), 0) << kind;

  SetExamPosition(1, 2);
  EXPECT_EQ(ExamLicence(), 1);
  EXPECT_EQ(ExamArea(), 2);
  EXPECT_EQ(ExamLimit(1), 30);
  EXPECT_EQ(ExamLimit(2), 5);
  EXPECT_EQ(ExamLimit(3), 8);
  EXPECT_EQ(ExamLimit(4), 0);

  SetExamPosition(2, 1);
  EXPECT_EQ(ExamLimit(1), 40);
  EXPECT_EQ(ExamLimit(3), 7) << "an empty failing threshold means 7";
  EXPECT_EQ(ExamLimit(2), 7) << "without an oral threshold there is no oral band";

  SetExamPosition(71, 1);
  EXPECT_EQ(ExamLimit(1), 12);
  SetExamPosition(72, 10);
  EXPECT_EQ(ExamLimit(1), 30) << "missing question count falls back to the draw's 30";
  EXPECT_EQ(ExamLimit(2), 2);

  SetExamPosition(3, 1);
  EXPECT_THROW(ExamLimit(1), EConvertError);
  SetExamPosition(4, 1);
  EXPECT_THROW(ExamLimit(3), EConvertError) << "a trailing blank makes the value invalid";
}

// Values that are numbers but make no exam are refused as non-numbers are, naming the key and
// the file; a missing line keeps its default, and the settings file shipped with the program
// passes.
TEST_F(SettingsTest, NonsenseExamLimitsAreRefused) {
  // The refusal text of the limit, empty when the limit is accepted.
  auto refusal = [&](const std::string& settings, int licence, int kind) -> std::string {
    WriteSettings(settings);
    try {
      static_cast<void>(ExamLimitOf(licence, kind));
    } catch (const EConvertError& error) {
      return error.what();
    }
    return "";
  };
  const std::string path = SettingsFilePath();
  EXPECT_EQ(refusal("AnzPrfFragenGSA=0\n", 1, 1),
            "Die Einstellung „AnzPrfFragenGSA=0“ in " + path +
                " ist ungültig: die Zahl der Prüfungsfragen je Sachgebiet muss zwischen 1 und "
                "10000 liegen.");
  EXPECT_EQ(refusal("AnzPrfFragenFFK=abc\n", 3, 1),
            "Die Einstellung „AnzPrfFragenFFK=abc“ in " + path +
                " ist ungültig: 'abc' ist kein gültiger ganzzahliger Wert.");
  EXPECT_EQ(refusal("AnzPrfFragenGSB=20\nAnzNichtBestGSB=21\n", 2, 3),
            "Die Einstellung „AnzNichtBestGSB=21“ in " + path +
                " ist ungültig: die Zahl der falschen Antworten muss zwischen 0 und 20 liegen, der "
                "Zahl der Prüfungsfragen je Sachgebiet.");

  struct TCase {
    const char* Settings;
    int Licence;
    int Kind;
    const char* RefusedKey; // nullptr: accepted
  };
  const TCase cases[] = {
      {"AnzPrfFragenGSA=-5\n", 1, 1, "AnzPrfFragenGSA"},
      {"AnzPrfFragenGSA=$FFFFFFFF\n", 1, 1, "AnzPrfFragenGSA"},
      {"AnzPrfFragenMGP=10001\n", 72, 1, "AnzPrfFragenMGP"},
      {"AnzPrfFragenMGP=2147483647\n", 72, 1, "AnzPrfFragenMGP"},
      {"AnzPrfFragenMGP=10000\n", 72, 1, nullptr},
      {"AnzPrfFragenMGP=1\n", 72, 1, nullptr},
      {"AnzPrfFragenWWF=10\nAnzMuendlichWWF=-1\n", 4, 2, "AnzMuendlichWWF"},
      {"AnzPrfFragenWWF=10\nAnzMuendlichWWF=11\n", 4, 2, "AnzMuendlichWWF"},
      {"AnzPrfFragenWWF=10\nAnzMuendlichWWF=10\n", 4, 2, nullptr},
      {"AnzPrfFragenWWF=10\nAnzMuendlichWWF=0\n", 4, 2, nullptr},
      {"AnzPrfFragenWWF=10\nAnzNichtBestWWF=-2147483648\n", 4, 3, "AnzNichtBestWWF"},
      {"AnzNichtBestWGS=31\n", 5, 3, "AnzNichtBestWGS"}, // within the default 30 questions
      {"AnzNichtBestWGS=30\n", 5, 3, nullptr},
      // Without an oral threshold the failing one stands in for it, and is checked as such.
      {"AnzPrfFragenPGS=5\nAnzNichtBestPGS=6\n", 6, 2, "AnzNichtBestPGS"},
      // A threshold is measured against a question count that must itself be sound.
      {"AnzPrfFragenMGS=0\nAnzNichtBestMGS=0\n", 7, 3, "AnzPrfFragenMGS"},
      {"AnzPrfFragenMGS=20\nAnzNichtBestMGS=x\n", 7, 3, "AnzNichtBestMGS"},
      // Defaults are no values of the file: 7 wrong answers of 3 questions stay possible.
      {"AnzPrfFragenMG3=3\n", 71, 3, nullptr},
      {"AnzPrfFragenMG3=3\n", 71, 2, nullptr},
  };
  for (const TCase& c : cases) {
    const std::string text = refusal(c.Settings, c.Licence, c.Kind);
    if (c.RefusedKey == nullptr) {
      EXPECT_EQ(text, "") << c.Settings;
    } else {
      EXPECT_NE(text.find(std::string("„") + c.RefusedKey + "="), std::string::npos)
          << c.Settings << text;
      EXPECT_NE(text.find(path), std::string::npos) << c.Settings;
    }
  }

  const char* source = std::getenv("AEROLERN_SOURCE_DIR");
  ASSERT_NE(source, nullptr) << "AEROLERN_SOURCE_DIR is not set";
  const std::string shipped = std::string(source) + "/data/aerolern.ini";
  for (int licence : {1, 2, 3, 4, 5, 6, 7, 71, 72}) {
    EXPECT_GT(ExamLimitFrom(shipped, licence, 1), 0) << licence;
    EXPECT_GT(ExamLimitFrom(shipped, licence, 2), 0) << licence;
    EXPECT_GT(ExamLimitFrom(shipped, licence, 3), 0) << licence;
  }
}

} // namespace

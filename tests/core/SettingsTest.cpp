// Tests of the settings lookup, the integer conversion and the exam limits.
#include "support/CoreFixture.h"

#include "toolkit/Convert.h"
#include "toolkit/Exceptions.h"

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

} // namespace

// Tests of the window "Bericht für die Flugschule": the file holds the listed fields and nothing
// else, and the name the learner types is taken as text.
#include "support/UiFixture.h"

#include "history/CalendarDate.h"
#include "toolkit/Cp1252.h"
#include "toolkit/FileSystem.h"
#include "toolkit/Platform.h"

#include <nlohmann/json.hpp>

#include <filesystem>
#include <map>
#include <set>

namespace fs = std::filesystem;

namespace {

// The fields the help page and the window promise, by where they stand; an object or array
// anywhere else is a field too many.
const std::map<std::string, std::set<std::string>> kListedFields = {
    {"",
     {"format", "version", "name", "zeitpunkt", "edition", "katalog", "bereiche", "pruefungen",
      "antworten_je_woche", "fragen"}},
    {"bereiche", {"lizenz", "bereich", "fragen", "gesehen", "jetzt", "pruefungstermin", "plan"}},
    {"jetzt", {"bestanden", "muendlich", "nicht_bestanden"}},
    {"pruefungstermin", {"bestanden", "muendlich", "nicht_bestanden"}},
    {"pruefungen", {"zeitpunkt", "lizenz", "bereich", "fragen", "richtig", "ergebnis"}},
    {"antworten_je_woche", {"woche", "antworten"}},
    {"fragen",
     {"fingerabdruck", "nr", "lizenz", "bereich", "antworten", "falsch",
      "haeufigste_falsche_auswahl"}}};

// Fails on every field not listed for its place; counts the fields met, by name.
void ExpectOnlyListedFields(const nlohmann::json& value, const std::string& place,
                            std::map<std::string, int>& met) {
  if (value.is_array()) {
    for (const nlohmann::json& element : value)
      ExpectOnlyListedFields(element, place, met);
    return;
  }
  if (!value.is_object())
    return;
  const auto listed = kListedFields.find(place);
  ASSERT_NE(listed, kListedFields.end()) << "an object or array under \"" << place << "\"";
  for (const auto& [key, child] : value.items()) {
    EXPECT_TRUE(listed->second.count(key)) << "\"" << key << "\" under \"" << place << "\"";
    ++met[key];
    if (child.is_structured())
      ExpectOnlyListedFields(child, key, met);
  }
}

class BerichtTest : public UiTest {
protected:
  BerichtTest() {
    recordHistory = true;
    WriteSettings("AnzPrfFragenGSA=1\nAnzMuendlichGSA=1\nAnzNichtBestGSA=1\n");
    WriteCatalogue(Questions(6, 1, 1));
  }

  // Opens the window from the menu and runs the script in it.
  void OpenReport(std::function<void(TForm&)> script) {
    platform.OnModal("frmBericht", std::move(script));
    ChooseMenu(Main(), "mnuBericht");
    ASSERT_EQ(platform.ModalShowings().back(), "frmBericht");
  }

  std::string Today() { return LocalDateText(platform.UtcNowMs()); }

  // The report files in the knowledge file's folder (the working folder here).
  std::vector<std::string> Reports() const {
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(dir.Path()))
      if (entry.path().filename().string().rfind("Lernstand-", 0) == 0)
        names.push_back(entry.path().filename().string());
    return names;
  }
};

TEST_F(BerichtTest, TheFileHoldsTheListedFieldsAndNothingElse) {
  Start();
  // Answers with wrong ticks, a graded exam, an exam date and a plan: every optional field is
  // written.
  ChooseMenu(Main(), "mnuVertifungsmode");
  for (bool right : {false, true, false}) {
    TickAnswer(right);
    ClickControl(Main(), "btnLoesung");
    ClickControl(Main(), "btnKlar");
  }
  platform.OnModal("frmPruefungsKatWahl", [](TForm& dialog) { ClickControl(dialog, "btnOk"); });
  ChooseMenu(Main(), "mnuProgrammPruefungsmodus");
  TickAnswer(true);
  ClickControl(Main(), "btnLoesung");
  ChooseMenu(Main(), "mnuLernmode");
  ASSERT_EQ(Main().History().SetExamDate(LocalDateText(LocalDayStart(platform.UtcNowMs(), 9))), "");
  ASSERT_EQ(Main().History().SetExamLicence(1), "");
  ASSERT_EQ(Main().History().SetBudget("20"), "");
  platform.ClearMessages();

  const std::string file = "Lernstand-Erika-" + Today() + ".json";
  const std::string folder = Utf8Path(FileSystemPath(dir.Path()) / "");
  const std::string path = folder + file;
  OpenReport([&](TForm& window) {
    EXPECT_EQ(window.FocusedControl(), window.FindComponent("edtName"));
    TypeText(window, "Erika");
    EXPECT_EQ(ControlOf<TLabel>(window, "lblDatei").Caption(),
              "Die Datei wird gespeichert als:\n" + folder + "\n" + file);
    ClickControl(window, "btnSchreiben");
  });
  ASSERT_EQ(platform.Messages().size(), 1u);
  EXPECT_EQ(platform.Messages()[0].Text.find("Der Bericht ist gespeichert in der Datei\n\r" + path +
                                             "\n\r"),
            0u)
      << platform.Messages()[0].Text;

  const nlohmann::json report = nlohmann::json::parse(ReadFileBytes(path));
  std::map<std::string, int> met;
  ExpectOnlyListedFields(report, "", met);
  EXPECT_EQ(report.at("name"), "Erika");
  // Every listed field was written at least once, so none of them went unchecked.
  for (const auto& [place, fields] : kListedFields)
    for (const std::string& field : fields)
      EXPECT_GT(met[field], 0) << field;
}

TEST_F(BerichtTest, TheNameIsTakenAsTextAndGivesASafeFileName) {
  Start();
  const std::string name = "A/B <b>fett</b> & \"Co\"";
  OpenReport([&](TForm& window) {
    TEdit& edit = ControlOf<TEdit>(window, "edtName");
    TypeText(window, "   ");
    ClickControl(window, "btnSchreiben");
    ASSERT_EQ(platform.Messages().size(), 1u);
    EXPECT_EQ(platform.Messages()[0].Text,
              "Bitte geben Sie den Namen ein, unter dem Ihre Flugschule den Bericht zuordnen kann "
              "(höchstens 40 Zeichen).");
    EXPECT_TRUE(Reports().empty());
    EXPECT_TRUE(window.Visible()) << "the window stays for the name";

    edit.UserEdited("");
    // Forty-one characters, one of them two bytes long, and wide enough to pass the line.
    TypeText(window, "Ü" + std::string(40, 'W'));
    EXPECT_EQ(Utf8Length(edit.Text()), 40u) << "the 41st character cannot be typed";
    // The file's path, which has no blanks to wrap at, is not cut off at the window's edge.
    TLabel& file = ControlOf<TLabel>(window, "lblDatei");
    const auto measure = [&](const std::string& line) {
      return Platform().MeasureText(file.Font(), line).Width;
    };
    for (const std::string& line : WrapLines(file.Caption(), file.Width(), measure))
      EXPECT_LE(measure(line), file.Width()) << line;

    edit.UserEdited("");
    TypeText(window, name);
    ClickControl(window, "btnSchreiben");
  });
  const std::string file = "Lernstand-A_B _b_fett__b_ & _Co_-" + Today() + ".json";
  EXPECT_EQ(Reports(), std::vector<std::string>{file});
  EXPECT_EQ(nlohmann::json::parse(ReadFileBytes(dir.File(file))).at("name"), name);
}

} // namespace

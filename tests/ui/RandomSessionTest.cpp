// A long seeded random learner session on the headless backend, checked after every action.
#include "support/UiFixture.h"

#include "core/Edition.h"
#include "core/QuestionData.h"
#include "core/QuestionRecordCodec.h"
#include "dialogs/srcKategorieWahl.h"
#include "dialogs/srcNew.h"
#include "dialogs/srcPruefungsKatWahl.h"
#include "history/HistoryStore.h"
#include "history/LearnerParameters.h"
#include "mainwindow/Startup.h"
#include "toolkit/Convert.h"
#include "toolkit/Cp1252.h"
#include "windows/srcInfo.h"
#include "windows/srcSkizzen.h"
#include "windows/srcSplash.h"
#include "windows/srcXMsgBox.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <random>
#include <sstream>
#include <stdexcept>

#include <SQLiteCpp/SQLiteCpp.h>

namespace {

namespace fs = std::filesystem;

// Overridable by AEROLERN_RANDOM_SEED and AEROLERN_RANDOM_STEPS for longer runs by hand.
constexpr uint32_t kDefaultSeed = 20240611;
constexpr uint64_t kDefaultSteps = 10000;
constexpr std::size_t kEntrySize = 12;
constexpr std::size_t kTextLimit = 255;
constexpr std::size_t kRecentActions = 30;

const char* const kModalForms[] = {
    "frmKategorieWahl", "frmPruefungsKatWahl", "frmNew",       "frmSkizzen",
    "frmInfo",          "frmXMsgBox",          "frmLernstand", "frmLernplan"};
// What the due round, the statistics window and the plan may say.
const char* const kHistoryMessages[] = {"Keine Frage ist fällig.",
                                        "In den gewählten Kategorien ist keine Frage fällig.",
                                        "In anderen Kategorien",
                                        "Es ist kein Prüfungstermin gesetzt.",
                                        "Das heutige Pensum ist erledigt.",
                                        "Wiederholt werden die",
                                        "Wiederholt wird die"};
const char* const kNoKnowledge = "Keine Wissensdatei vorhanden.";
const char* const kNoSketch = "Zu dieser Frage ist keine Abbildung vorhanden.";
const char* const kExamResult = "Prüfungsergebnis: ";
const char* const kLineBreak = "\n\r";

// Exam limits per visible exam licence (index 1 to 6) as the settings file below gives them;
// -1 leaves the key out, so that the program's defaults are exercised too.
struct TExamRules {
  const char* Suffix;
  int Questions;
  int Oral;
  int Failing;
};
const TExamRules kExamRules[7] = {{"", 0, 0, 0},     {"GSA", 3, 1, 2}, {"GSB", 5, 2, 3},
                                  {"FFK", 2, -1, 1}, {"WWF", 4, 1, 3}, {"WGS", 6, 3, 2},
                                  {"PGS", 3, -1, -1}};

// The failing threshold defaults to 7; without an oral threshold the oral band starts there.
int FailingOf(int licence) {
  return kExamRules[licence].Failing < 0 ? 7 : kExamRules[licence].Failing;
}
int OralOf(int licence) {
  return kExamRules[licence].Oral < 0 ? FailingOf(licence) : kExamRules[licence].Oral;
}

std::string ExamSettings() {
  std::string text = "; Prüfungsgrenzen der Zufallssitzung\r\n";
  for (int licence = 1; licence <= 6; ++licence) {
    const TExamRules& rules = kExamRules[licence];
    text +=
        "AnzPrfFragen" + std::string(rules.Suffix) + "=" + std::to_string(rules.Questions) + "\n";
    if (rules.Oral >= 0)
      text += "AnzMuendlich" + std::string(rules.Suffix) + "=" + std::to_string(rules.Oral) + "\n";
    if (rules.Failing >= 0)
      text +=
          "AnzNichtBest" + std::string(rules.Suffix) + "=" + std::to_string(rules.Failing) + "\r\n";
  }
  return text;
}

// UTF-8 of code points, written here independently of the toolkit so that it can judge the
// toolkit's own encoding; four-byte characters included.
std::string Utf8Of(const std::u32string& text) {
  std::string out;
  for (const char32_t c : text) {
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (c >> 18));
      out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

std::u32string CodePointsOf(const std::string& utf8) {
  std::u32string out;
  for (std::size_t pos = 0; pos < utf8.size();) {
    const auto lead = static_cast<unsigned char>(utf8[pos]);
    const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    char32_t c = length == 1 ? lead : lead & (0x3F >> (length - 1));
    for (std::size_t i = 1; i < length && pos + i < utf8.size(); ++i)
      c = (c << 6) | (static_cast<unsigned char>(utf8[pos + i]) & 0x3F);
    out += c;
    pos += length;
  }
  return out;
}

// The catalogue of the session: 80 questions over every visible licence, the licence-0 group,
// a hidden motor category and an unknown one; some deleted, some with sketches, texts with
// blanks at their ends, umlauts and the full 255 characters; every pattern of correct answers.
std::vector<QuestionRecord> SessionCatalogue() {
  const int categories[][2] = {{1, 1}, {1, 2}, {1, 4}, {2, 1},  {2, 2}, {2, 3}, {3, 1},
                               {4, 1}, {4, 2}, {4, 3}, {5, 1},  {5, 2}, {5, 3}, {6, 1},
                               {6, 2}, {6, 3}, {0, 0}, {7, 10}, {9, 9}, {1, 1}};
  // 1: own picture in 11/14, 2: chart excerpt notice in 22, 4: 23_4 has no picture, 99: no key.
  const int sketches[] = {1, 2, 4, 13, 99};
  std::u32string longText;
  while (longText.size() < kTextLimit)
    longText += U"Thermikschlauch über dem Grat – ";
  longText.resize(kTextLimit);
  std::vector<QuestionRecord> records;
  for (int i = 0; i < 80; ++i) {
    const int* category = categories[i % 20];
    QuestionRecord record = MakeQuestion(category[0], category[1], "Frage " + std::to_string(i));
    if (i % 7 == 3)
      record.Question = "  Föhn über den Alpen, Nr. " + std::to_string(i) + "  ";
    if (i % 13 == 6)
      record.Question = Utf8Of(longText);
    if (i % 5 == 2)
      record.AnswerC = "Überhöhung  ";
    const int mask = (i * 5 + 3) % 16;
    record.CorrectA = (mask & 1) != 0;
    record.CorrectB = (mask & 2) != 0;
    record.CorrectC = (mask & 4) != 0;
    record.CorrectD = (mask & 8) != 0;
    if (i % 6 == 0)
      record.ImageNo = sketches[(i / 6) % 5];
    record.InUse = i % 11 != 4;
    records.push_back(record);
  }
  return records;
}

// The codes of the editor's category buttons, in its saving order; "7…" are hidden.
const char* const kEditorCodes[] = {"11", "12", "13", "14", "21", "22", "23",  "31", "41", "42",
                                    "43", "51", "52", "53", "61", "62", "63",  "71", "72", "73",
                                    "74", "75", "76", "77", "78", "79", "710", "00"};
const char* const kEditorInputs[] = {"inpFrage", "inpAntwortA", "inpAntwortB", "inpAntwortC",
                                     "inpAntwortD"};
const char* const kEditorBoxes[] = {"chkA", "chkB", "chkC", "chkD"};
constexpr int kAreasOfLicence[8] = {0, 4, 3, 1, 3, 3, 3, 10};

// Whether the program's selection takes the category, as its pick and pool build ask it.
bool Selected(int licence, int area) { return SlotSelected(CategorySlot(licence, area)); }

std::string TwoDigits(int number) { return (number < 10 ? "0" : "") + std::to_string(number); }

std::string AreaBoxName(int licence, int area) {
  return "chkUKat" + TwoDigits(licence) + TwoDigits(area);
}

enum class TStep {
  Other,
  HiddenLink,
  Klar,
  Unklar,
  Mode,
  Save,
  Load,
  Delete,
  Category,
  ExamMenu,
  NewQuestion,
  ChangeQuestion,
  ShortHelp,
  Help,
  Link,
  Info,
  Sketch,
  Quit
};

// The editor's inputs as the learner has left them, followed character by character.
struct TEditorModel {
  std::u32string Texts[5];
  bool Ticks[4] = {false, false, false, false};
  std::string Code;
};

// What a save in the editor must have written.
struct TPendingSave {
  bool Append = false;
  int64_t RecordNo = 0;
  RecordBytes Bytes{};
};

struct TBefore {
  bool Placeholder = true;
  int32_t CurrentNo = -1;
  int Mode = 0;
  bool KnowledgeExists = false;
  std::string KnowledgeBytes;
  std::vector<PoolEntry> Pool;
  std::size_t Targets = 0;
  bool SketchButtonAcceptsInput = false;
  int ExamCorrect = 0;
  // Whether the ticks on display are the right answer, and whether they are still unchecked.
  bool TicksRight = false;
  bool TicksUnchecked = false;
};

// Hands the learning events on to the program's history and checks at each new showing that
// the showing before added at most one answer to the log.
class TShowingCounter : public TLearningListener {
public:
  TLearningListener* Inner = nullptr;
  std::function<void(const std::string&)> Problem;

  void QuestionShown(const TQuestionShown& event) override {
    Check();
    Inner->QuestionShown(event);
  }
  void AnswerChecked(const TAnswerChecked& event) override { Inner->AnswerChecked(event); }
  void QuestionSorted(const TQuestionSorted& event) override { Inner->QuestionSorted(event); }
  void ExamAreaGraded(const TExamAreaGraded& event) override { Inner->ExamAreaGraded(event); }

  // The answers in the log; a second connection, as any reader of the file would open one.
  static int64_t Rows() {
    if (!FileExists(HistoryFileName))
      return 0;
    SQLite::Database reader(HistoryFileName, SQLite::OPEN_READONLY);
    return reader.execAndGet("SELECT count(*) FROM antwort").getInt64();
  }
  void Check() {
    const int64_t rows = Rows();
    if (rows - rowsAtShowing > 1)
      Problem(std::to_string(rows - rowsAtShowing) + " answers recorded for one showing");
    rowsAtShowing = rows;
  }

private:
  int64_t rowsAtShowing = -1;
};

class RandomSessionTest : public UiTest {
protected:
  void SetUp() override {
    seed = static_cast<uint32_t>(EnvNumber("AEROLERN_RANDOM_SEED", kDefaultSeed));
    steps = EnvNumber("AEROLERN_RANDOM_STEPS", kDefaultSteps);
    rng.seed(seed);
    RecordProperty("seed", std::to_string(seed));
    std::printf("[ random session ] seed %u, %llu steps\n", seed,
                static_cast<unsigned long long>(steps));
    WriteSettings(ExamSettings());
    WriteCatalogue(SessionCatalogue());
    shadow = ReadFileBytes(CatalogueFileName);
    // The sketches come from the source tree; without it every sketch is reported missing.
    const char* source = std::getenv("AEROLERN_SOURCE_DIR");
    if (source != nullptr && fs::is_directory(fs::path(source) / "assets" / "sketches")) {
#ifdef _WIN32 // a symbolic link needs an administrator there
      fs::copy(fs::path(source) / "assets", dir.File("assets"), fs::copy_options::recursive);
#else
      fs::create_directory_symlink(fs::path(source) / "assets", dir.File("assets"));
#endif
      assetsLinked = true;
    }
    for (const char* name : kModalForms)
      Arm(name);
    platform.OnMessage = [this](const TShownMessage& message) { MessageShown(message); };
    BuildActions();
  }

  void TearDown() override { platform.OnMessage = nullptr; }

  static uint64_t EnvNumber(const char* name, uint64_t fallback) {
    const char* text = std::getenv(name);
    if (text == nullptr || *text == '\0')
      return fallback;
    char* end = nullptr;
    const unsigned long long value = std::strtoull(text, &end, 10);
    if (*end != '\0')
      throw std::invalid_argument(std::string(name) + " is no number: " + text);
    return value;
  }

  // --- Randomness -------------------------------------------------------------------------
  // Plain modulo arithmetic on the standard engine, so that a seed means the same session with
  // every standard library.
  uint32_t Below(uint32_t n) { return static_cast<uint32_t>(rng() % n); }
  bool Percent(uint32_t p) { return Below(100) < p; }
  template <class T, std::size_t N> const T& AnyOf(const T (&items)[N]) {
    return items[Below(static_cast<uint32_t>(N))];
  }

  void Problem(const std::string& text) { problems.push_back(text); }

  // --- Modal scripts ----------------------------------------------------------------------
  // Every modal window always has exactly one script waiting: each script queues its successor
  // before it acts, so nested and repeated showings within one action are covered as well.
  void Arm(const std::string& formName) {
    platform.OnModal(formName, [this, formName](TForm& form) {
      Arm(formName);
      ++showings[formName];
      if (formName == "frmKategorieWahl")
        CategoryDialog(form);
      else if (formName == "frmPruefungsKatWahl")
        ExamDialog(form);
      else if (formName == "frmNew")
        Editor(form);
      else if (formName == "frmSkizzen")
        SketchWindow(form);
      else if (formName == "frmInfo")
        InfoWindow(form);
      else if (formName == "frmLernstand" || formName == "frmLernplan")
        HistoryWindow(form, formName == "frmLernstand" ? "btnLernen" : "btnPensum");
      else
        MessageWindow(form);
    });
  }

  int Showings(const char* formName) const {
    const auto it = showings.find(formName);
    return it == showings.end() ? 0 : it->second;
  }

  static const std::vector<std::string>& CategoryBoxes() {
    static const std::vector<std::string> names = [] {
      std::vector<std::string> all;
      for (int licence = 1; licence <= 7; ++licence) {
        all.push_back("chkKat" + TwoDigits(licence));
        for (int area = 1; area <= kAreasOfLicence[licence]; ++area)
          all.push_back(AreaBoxName(licence, area));
      }
      return all;
    }();
    return names;
  }

  // A licence box sets all its area boxes to its own state; an area box toggles alone.
  void ApplyCategoryClick(TForm& dialog, const std::string& name) {
    const auto* box = dialog.Find<TCheckBox>(name);
    if (box == nullptr || !box->Visible())
      return;
    const bool ticked = !categoryBoxes[name];
    categoryBoxes[name] = ticked;
    if (name.rfind("chkKat", 0) != 0)
      return;
    const int licence = std::stoi(name.substr(6));
    for (int area = 1; area <= kAreasOfLicence[licence]; ++area)
      categoryBoxes[AreaBoxName(licence, area)] = ticked && !(licence == 7 && area == 8);
  }

  void CompareCategoryBoxes(TForm& dialog, const char* when) {
    for (const std::string& name : CategoryBoxes())
      if (ControlOf<TCheckBox>(dialog, name).Checked() != categoryBoxes[name])
        Problem(std::string("category dialog ") + when + ": box " + name + " is wrong");
  }

  void CategoryDialog(TForm& dialog) {
    if (dialog.Find<TCheckBox>("chkKat07")->Visible())
      Problem("the motor row of the category dialog is visible");
    CompareCategoryBoxes(dialog, "on opening");
    const uint32_t clicks = Below(8);
    for (uint32_t i = 0; i < clicks && dialog.Visible(); ++i) {
      std::string target;
      if (Percent(15)) {
        PressKey(dialog, vkTab);
        if (dialog.FocusedControl() != nullptr)
          target = dialog.FocusedControl()->Name();
        PressKey(dialog, vkSpace);
      } else {
        target = CategoryBoxes()[Below(static_cast<uint32_t>(CategoryBoxes().size()))];
        ClickControl(dialog, target);
      }
      ApplyCategoryClick(dialog, target);
      CompareCategoryBoxes(dialog, "after a click");
    }
    const uint32_t ending = Below(20);
    if (ending < 10)
      ClickControl(dialog, "btnOk");
    else if (ending < 13)
      PressKey(dialog, vkReturn);
    else if (ending < 17)
      dialog.CloseRequest();
    // Otherwise the window stays open and the platform closes it as by its close box.
  }

  void ExamDialog(TForm& dialog) {
    for (const char* hidden : {"optKat7", "optKat71", "optKat72"})
      if (dialog.Find<TRadioButton>(hidden)->Visible())
        Problem(std::string("the exam dialog shows ") + hidden);
    if (Percent(85)) {
      examRadio = 1 + static_cast<int>(Below(6));
      ClickControl(dialog, "optKat" + std::to_string(examRadio));
    }
    if (Percent(5))
      ClickControl(dialog, AnyOf({"optKat7", "optKat71", "optKat72"})); // hidden: no effect
    for (int licence = 1; licence <= 6; ++licence)
      if (dialog.Find<TRadioButton>("optKat" + std::to_string(licence))->Checked() !=
          (licence == examRadio))
        Problem("the exam dialog's choice is not licence " + std::to_string(examRadio));
    const uint32_t ending = Below(20);
    bool ok = false;
    if (ending < 14) {
      ClickControl(dialog, "btnOk");
      ok = true;
    } else if (ending < 17) {
      dialog.CloseRequest();
    } else if (ending < 19) {
      PressKey(dialog, vkReturn); // "Ok" is no default button: Enter does nothing
    }
    examOutcome = ok ? examRadio : 0;
    if (ok)
      examPoolAltered = false;
  }

  std::u32string RandomText() {
    static const std::u32string pieces[] = {
        U"Föhn", U"Thermik", U"Übung", U"Öse",      U"Äquator", U"Straße", U"Gleitschirm",
        U"Lee",  U" ",       U"  ",    U"€",        U"ł",       U"→",      U"\U0001F600",
        U"abc",  U"ABC",     U"d",     U"1013 hPa", U"?",       U"\b",     U"é"};
    std::u32string text;
    const uint32_t count = Percent(10) ? 120 : 1 + Below(6);
    for (uint32_t i = 0; i < count; ++i)
      text += AnyOf(pieces);
    return text;
  }

  // What an input holds after the learner typed `typed` into it: Backspace takes the last
  // character, other control characters and everything beyond 255 characters are dropped.
  static void TypeIntoModel(std::u32string& text, const std::u32string& typed) {
    for (const char32_t c : typed) {
      if (c == U'\b') {
        if (!text.empty())
          text.pop_back();
      } else if (c >= 32 && text.size() < kTextLimit) {
        text += c;
      }
    }
  }

  void CompareEditor(TForm& form, const TEditorModel& model, const char* when) {
    for (int i = 0; i < 5; ++i) {
      const std::string& shown = ControlOf<TEdit>(form, kEditorInputs[i]).Text();
      if (shown != Utf8Of(model.Texts[i]))
        Problem(std::string("editor ") + when + ": " + kEditorInputs[i] + " holds \"" + shown +
                "\" instead of \"" + Utf8Of(model.Texts[i]) + "\"");
    }
    for (int i = 0; i < 4; ++i)
      if (ControlOf<TCheckBox>(form, kEditorBoxes[i]).Checked() != model.Ticks[i])
        Problem(std::string("editor ") + when + ": box " + kEditorBoxes[i] + " is wrong");
    for (const char* code : kEditorCodes)
      if (ControlOf<TRadioButton>(form, std::string("opt") + code).Checked() !=
          (model.Code == code))
        Problem(std::string("editor ") + when + ": category button opt" + code + " is wrong");
  }

  void Editor(TForm& form) {
    const bool change = EditMode() == 1;
    const int32_t recordNo = CurrentQuestionNo();
    QuestionRecord original;
    TEditorModel model;
    model.Code = "00";
    if (change) {
      ReadQuestion(recordNo, original);
      model.Texts[0] = CodePointsOf(TrimControls(original.Question));
      model.Texts[1] = CodePointsOf(original.AnswerA);
      model.Texts[2] = CodePointsOf(original.AnswerB);
      model.Texts[3] = CodePointsOf(original.AnswerC);
      model.Texts[4] = CodePointsOf(original.AnswerD);
      const bool correct[4] = {original.CorrectA, original.CorrectB, original.CorrectC,
                               original.CorrectD};
      std::copy(correct, correct + 4, model.Ticks);
      const std::string code = std::to_string(original.Licence) + std::to_string(original.Area);
      model.Code = std::find_if(std::begin(kEditorCodes), std::end(kEditorCodes),
                                [&](const char* c) { return code == c; }) != std::end(kEditorCodes)
                       ? code
                       : "";
    }
    CompareEditor(form, model, "on opening");
    const std::string imageCaption = change ? std::to_string(original.ImageNo) : "0";
    if (frmNew->txtImgNo->Caption() != imageCaption)
      Problem("editor on opening: sketch number " + frmNew->txtImgNo->Caption());

    enum class TEnd { Open, Save, Cancel };
    TEnd end = TEnd::Open;
    const uint32_t operations = Below(7);
    for (uint32_t op = 0; op < operations && end == TEnd::Open; ++op) {
      const uint32_t kind = Below(10);
      if (kind < 4) {
        const uint32_t input = Below(5);
        ClickControl(form, kEditorInputs[input]);
        const std::u32string typed = RandomText();
        for (const char32_t c : typed)
          TypeChar(form, c);
        TypeIntoModel(model.Texts[input], typed);
      } else if (kind < 5) {
        // Pasting a whole text, or clearing the input.
        const uint32_t input = Below(5);
        TEdit& edit = ControlOf<TEdit>(form, kEditorInputs[input]);
        std::u32string pasted = Percent(30) ? U"" : RandomText();
        pasted.erase(std::remove(pasted.begin(), pasted.end(), U'\b'), pasted.end());
        std::u32string text = pasted.empty() ? U"" : model.Texts[input] + pasted;
        edit.UserEdited(Utf8Of(text));
        if (text.size() > kTextLimit)
          text.resize(kTextLimit);
        model.Texts[input] = text;
      } else if (kind < 7) {
        const uint32_t box = Below(4);
        ClickControl(form, kEditorBoxes[box]);
        model.Ticks[box] = !model.Ticks[box];
      } else if (kind < 9) {
        const std::string code = AnyOf(kEditorCodes);
        TRadioButton& button = ControlOf<TRadioButton>(form, "opt" + code);
        const bool reachable = button.Visible();
        ClickControl(form, "opt" + code);
        if (reachable)
          model.Code = code;
      } else {
        // Through the tab order to some control, then the space bar on it.
        const uint32_t tabs = 1 + Below(12);
        for (uint32_t i = 0; i < tabs; ++i)
          PressKey(form, vkTab, Percent(25) ? ssShift : 0);
        TControl* focused = form.FocusedControl();
        PressKey(form, vkSpace);
        if (focused == nullptr)
          continue;
        const std::string& name = focused->Name();
        for (int i = 0; i < 4; ++i)
          if (name == kEditorBoxes[i])
            model.Ticks[i] = !model.Ticks[i];
        if (name.rfind("opt", 0) == 0)
          model.Code = name.substr(3);
        if (name == "btnSave")
          end = TEnd::Save;
        if (name == "btnAbbrechen")
          end = TEnd::Cancel;
      }
      if (end == TEnd::Open)
        CompareEditor(form, model, "after an edit");
    }
    if (end == TEnd::Open) {
      CompareEditor(form, model, "before closing");
      const uint32_t ending = Below(20);
      if (ending < 9) {
        if (Percent(70))
          ClickControl(form, "btnSave");
        else
          PressKey(form, 'S', ssAlt);
        end = TEnd::Save;
      } else if (ending < 14) {
        if (Percent(70))
          ClickControl(form, "btnAbbrechen");
        else
          PressKey(form, 'A', ssAlt);
        end = TEnd::Cancel;
      } else if (ending < 17) {
        form.CloseRequest();
      }
    }
    if (end != TEnd::Open && form.Visible())
      Problem("the editor stays open after saving or cancelling");
    if (end != TEnd::Save)
      return;

    // The record that must now be in the file, computed from the model alone.
    QuestionRecord expected;
    expected.InUse = true;
    expected.Owner = EditionOwner;
    expected.CorrectA = model.Ticks[0];
    expected.CorrectB = model.Ticks[1];
    expected.CorrectC = model.Ticks[2];
    expected.CorrectD = model.Ticks[3];
    std::string* texts[5] = {&expected.Question, &expected.AnswerA, &expected.AnswerB,
                             &expected.AnswerC, &expected.AnswerD};
    for (int i = 0; i < 5; ++i)
      *texts[i] =
          Cp1252ToUtf8(Utf8ToCp1252(TrimControls(Utf8Of(model.Texts[i]))).substr(0, kTextLimit));
    expected.ImageNo = change ? original.ImageNo : 0;
    expected.Licence = change ? original.Licence : 0;
    expected.Area = change ? original.Area : 0;
    if (!model.Code.empty()) {
      expected.Licence = static_cast<int16_t>(model.Code[0] - '0');
      expected.Area = static_cast<int16_t>(std::stoi(model.Code.substr(1)));
    }
    TPendingSave save;
    save.Append = !change;
    save.RecordNo = change ? recordNo : static_cast<int64_t>(shadow.size() / kRecordSize);
    save.Bytes = EncodeRecord(expected);
    pendingSave = save;
  }

  void SketchWindow(TForm& window) {
    const std::string key = Main().lblImageNo->Caption();
    std::vector<TImage*> visible;
    for (TControl* control : window.AllControls())
      if (auto* image = dynamic_cast<TImage*>(control); image != nullptr && image->Visible())
        visible.push_back(image);
    const std::string wanted = SketchFileExists(key) ? "img" + key : "img_noICAO";
    if (visible.size() != 1 || visible[0]->Name() != wanted)
      Problem("the sketch window for " + key + " does not show exactly " + wanted);
    else if (visible[0]->Picture().Empty())
      Problem("the sketch " + key + " is shown undecoded");
    const uint32_t ending = Below(10);
    if (ending < 6)
      ClickControl(window, "btnZurueck");
    else if (ending < 8)
      window.CloseRequest();
    else
      PressKey(window, vkEscape); // no cancel button: the platform closes it
  }

  void InfoWindow(TForm& window) {
    if (window.Caption() != std::string(EditionOwner) + " & Shop - Info")
      Problem("info window caption " + window.Caption());
    if (Percent(20)) {
      platform.SetShellResult(Percent(50));
      ClickControl(window, Percent(50) ? "txtInfoText03" : "txtInfoText04");
    }
    if (Percent(75))
      ClickControl(window, "btnOk");
    else
      window.CloseRequest();
  }

  // The statistics window and the plan: their button makes a round of their questions, or the
  // learner closes them.
  void HistoryWindow(TForm& window, const char* learn) {
    if (ControlOf<TButton>(window, learn).Enabled() && Percent(60))
      ClickControl(window, learn);
    else
      ClickControl(window, "btnSchliessen");
  }

  void MessageWindow(TForm& box) {
    if (box.Caption() != "HTML-Hilfe kann nicht angezeigt werden." &&
        box.Caption() != "Fehler beim Öffnen einer Verknüpfung")
      Problem("message window with caption " + box.Caption());
    if (box.Find<TButton>("Button1") == nullptr)
      Problem("the message window has no button");
    const uint32_t ending = Below(20);
    if (ending < 10)
      ClickControl(box, "Button1");
    else if (ending < 15)
      PressKey(box, vkReturn);
    else if (ending < 18)
      PressKey(box, 'O', ssAlt);
    else
      box.CloseRequest();
    if (box.Visible())
      Problem("the message window stays open after its button");
  }

  bool SketchFileExists(const std::string& key) const {
    return assetsLinked && FileExists(dir.File("assets/sketches/" + key + ".jpg"));
  }

  // --- Standard messages ------------------------------------------------------------------

  void MessageShown(const TShownMessage& message) {
    const std::string& text = message.Text;
    if (message.Caption != "Aerolern")
      Problem("message with caption " + message.Caption);
    if (text == kNoKnowledge) {
      ++knowledgeMessages;
      if (FileExists(KnowledgeFileName))
        Problem("\"Keine Wissensdatei\" although the file exists");
    } else if (text == "Es gibt keinen Wissensstand zum Speichern.") {
      if (!QuestionPool().empty())
        Problem("\"keinen Wissensstand\" although the pool has entries");
    } else if (text == kNoSketch) {
      ++sketchMessages;
      if (SketchFileExists(Main().lblImageNo->Caption()))
        Problem("sketch " + Main().lblImageNo->Caption() + " has a picture but was not shown");
    } else if (text.rfind(kExamResult, 0) == 0) {
      ++examMessages;
      CheckExamResult(text);
    } else if (text.rfind(std::string(EditionOwner) + " Aerolern - Kurzhilfe:", 0) == 0) {
      ++helpMessages;
    } else if (std::any_of(std::begin(kHistoryMessages), std::end(kHistoryMessages),
                           [&](const char* start) { return text.rfind(start, 0) == 0; })) {
      // The history's rounds say what they take; the window checks hold for them as for all.
    } else if (text.rfind("E/A-Fehler", 0) == 0) {
      Problem("input/output error: " + text);
    } else if (text.find("kein gültiger") != std::string::npos) {
      Problem("the help failure went to the standard message dialog: " + text);
    } else {
      Problem("unexpected message: " + text);
    }
  }

  int64_t InUseRecordsOf(int licence, int area) const {
    int64_t count = 0;
    for (std::size_t at = 0; at + kRecordSize <= shadow.size(); at += kRecordSize) {
      const auto* bytes = reinterpret_cast<const uint8_t*>(shadow.data() + at);
      count += bytes[kOffInUse] != 0 && ReadInt16(bytes + kOffLicence) == licence &&
               ReadInt16(bytes + kOffArea) == area;
    }
    return count;
  }

  void CheckExamResult(const std::string& text) {
    const int licence = ExamLicence();
    const int area = ExamArea();
    if (Main().CurrentMode() != TfrmFrageAntwort::modePruefung)
      Problem("exam result outside the exam mode");
    if (OpenQuestionCount() != 0)
      Problem("exam graded with open questions");
    if (licence < 1 || licence > 6 || !IsValidArea(licence, area)) {
      Problem("exam result for licence " + std::to_string(licence) + " area " +
              std::to_string(area));
      return;
    }
    const std::string rightLabel = "Richtig beantwortet: ";
    const std::size_t at = text.find(rightLabel);
    if (at == std::string::npos) {
      Problem("exam result without right answers: " + text);
      return;
    }
    const int right = std::atoi(text.c_str() + at + rightLabel.size());
    lastExamRight = right;
    const int questions = kExamRules[licence].Questions;
    const int wrong = std::max(0, questions - right);
    const char* verdict = wrong >= FailingOf(licence) ? "Nicht bestanden."
                          : wrong >= OralOf(licence)  ? "Mündliche Nachprüfung."
                                                      : "Bestanden.";
    std::string category;
    CategoryName(licence, area, category);
    const std::string expected = kExamResult + category + kLineBreak +
                                 "Fragen gesamt: " + std::to_string(questions) + kLineBreak +
                                 rightLabel + std::to_string(right) + kLineBreak +
                                 "Falsch beantwortet: " + std::to_string(wrong) + kLineBreak +
                                 kLineBreak + kExamResult + verdict;
    if (text != expected)
      Problem("exam result\n" + text + "\ninstead of\n" + expected);
    ++verdicts[verdict];
    // Without a change of the pool during the area, only drawn questions can have been right.
    const int64_t drawn = std::min<int64_t>(questions, InUseRecordsOf(licence, area));
    if (!examPoolAltered && right > drawn)
      Problem(std::to_string(right) + " right answers of " + std::to_string(drawn) + " drawn");
    examPoolAltered = false;
  }

  // --- Learner actions on the main window ---------------------------------------------------

  struct TAction {
    uint32_t Weight;
    std::function<std::string()> Run;
  };

  void Add(uint32_t weight, std::function<std::string()> run) {
    actions.push_back({weight, std::move(run)});
    totalWeight += weight;
  }

  void Menu(uint32_t weight, const char* name, TStep kind, int mode = 0) {
    Add(weight, [this, name, kind, mode] {
      stepKind = kind;
      expectedMode = mode;
      ChooseMenu(Main(), name);
      return std::string("menu ") + name;
    });
  }

  void Shortcut(uint32_t weight, int key, TShiftState shift, const char* label, TStep kind) {
    Add(weight, [this, key, shift, label, kind] {
      stepKind = kind;
      PressKey(Main(), key, shift);
      return std::string("key ") + label;
    });
  }

  void BuildActions() {
    Add(8, [this] {
      stepKind = TStep::Klar;
      ClickControl(Main(), "btnKlar");
      return std::string("click btnKlar");
    });
    Add(8, [this] {
      stepKind = TStep::Unklar;
      ClickControl(Main(), "btnUnklar");
      return std::string("click btnUnklar");
    });
    Add(8, [this] {
      ClickControl(Main(), "btnLoesung");
      return std::string("click btnLoesung");
    });
    for (const char* name : {"chkAntwortA", "chkAntwortB", "chkAntwortC", "chkAntwortD"}) {
      Add(3, [this, name] {
        ClickControl(Main(), name);
        return std::string("click ") + name;
      });
      Add(1, [this, name] {
        MouseDownOn(Main(), name);
        return std::string("mouse down on ") + name;
      });
    }
    Add(6, [this] { return AnswerKnowingly(); });
    Add(2, [this] {
      ClickControl(Main(), "chkWeiterWennRichtig");
      return std::string("click chkWeiterWennRichtig");
    });
    Add(4, [this] {
      if (Main().btnSkizzen->AcceptsInput())
        stepKind = TStep::Sketch;
      ClickControl(Main(), "btnSkizzen");
      return std::string("click btnSkizzen");
    });
    Add(14, [this] {
      static const char32_t letters[] = {U'a', U'b', U'c', U'd', U'a', U'b', U'c', U'd', U'A',
                                         U'B', U'C', U'D', U'x', U'Z', U'1', U' ', U'ä', U'?'};
      const char32_t letter = AnyOf(letters);
      TypeChar(Main(), letter);
      return "type \"" + Utf8Of(std::u32string(1, letter)) + "\"";
    });
    Add(3, [this] {
      PressKey(Main(), vkSpace);
      return std::string("key Space");
    });
    Add(3, [this] {
      const bool back = Percent(30);
      PressKey(Main(), vkTab, back ? ssShift : 0);
      return std::string(back ? "key Shift+Tab" : "key Tab");
    });
    Add(3, [this] {
      PressKey(Main(), vkReturn);
      return std::string("key Enter");
    });
    Add(1, [this] {
      PressKey(Main(), vkEscape);
      return std::string("key Escape");
    });
    Add(1, [this] {
      const int key = AnyOf({vkLeft, vkUp, vkRight, vkDown, vkDelete, vkF2});
      PressKey(Main(), key);
      return "key " + std::to_string(key);
    });
    Add(4, [this] {
      const char letter = AnyOf({'K', 'U', 'L', 'R', 'S', 'D', 'X', 'A'});
      PressKey(Main(), letter, ssAlt);
      return std::string("key Alt+") + letter;
    });

    Menu(2, "mnuLernmode", TStep::Mode, TfrmFrageAntwort::modeLernen);
    Menu(3, "mnuVertifungsmode", TStep::Mode, TfrmFrageAntwort::modeVertiefen);
    Menu(2, "mnuSchnellernmode", TStep::Mode, TfrmFrageAntwort::modeSchnell);
    Menu(3, "mnuProgrammPruefungsmodus", TStep::ExamMenu);
    Menu(1, "mnuProgrammWissensstandSpeichern", TStep::Save);
    Menu(1, "mnuProgrammWissensstandLaden", TStep::Load);
    Menu(2, "mnuFragenKategorieWaehlen", TStep::Category);
    Menu(1, "mnuFragenNeueFrage", TStep::NewQuestion);
    Menu(1, "mnuFragenAktuelleFrageAendern", TStep::ChangeQuestion);
    Menu(1, "AktuelleFragelschen1", TStep::Delete);
    Menu(1, "Kurzhilfe1", TStep::ShortHelp);
    Menu(1, "mnuHilfe", TStep::Help);
    Menu(1, "btnInfosUeber", TStep::Info);
    Menu(1, "mnuDHV", TStep::Link);
    Menu(1, "mnuDULV", TStep::HiddenLink);
    Menu(1, "mnuDFS", TStep::Link);
    Menu(1, "sep001", TStep::Other);
    Menu(1, "mnuProgramm", TStep::Other);

    Shortcut(1, 'S', ssCtrl, "Ctrl+S", TStep::Save);
    Shortcut(1, 'L', ssCtrl, "Ctrl+L", TStep::Load);
    Shortcut(1, 'K', ssCtrl, "Ctrl+K", TStep::Category);
    Shortcut(1, 'N', ssCtrl, "Ctrl+N", TStep::NewQuestion);
    Shortcut(1, 'F', ssCtrl, "Ctrl+F", TStep::ChangeQuestion);
    Shortcut(1, vkF1, 0, "F1", TStep::Help);
    Shortcut(1, vkF1, ssCtrl, "Ctrl+F1", TStep::ShortHelp);
    Shortcut(1, vkF1, ssCtrl | ssShift, "Shift+Ctrl+F1", TStep::Info);
    Shortcut(1, vkF1, ssShift, "Shift+F1", TStep::Link);
    Shortcut(1, vkF2, ssShift, "Shift+F2", TStep::HiddenLink);
    Shortcut(1, vkF3, ssShift, "Shift+F3", TStep::Link);
    // The history's rounds: the due questions, the troublesome ones and today's plan.
    Shortcut(2, 'W', ssCtrl, "Ctrl+W", TStep::Other);
    Shortcut(1, 'T', ssCtrl, "Ctrl+T", TStep::Other);
    Shortcut(1, 'P', ssCtrl, "Ctrl+P", TStep::Other);
    Shortcut(1, 'J', ssCtrl, "Ctrl+J", TStep::Other);

    // Rarer: ending the program (the session then starts it again), waiting, and the learner
    // throwing the saved state away between sessions.
    Add(1, [this] {
      stepKind = TStep::Quit;
      if (Percent(50))
        PressKey(Main(), vkF10);
      else
        ChooseMenu(Main(), "mnuProgrammProgrammbeenden");
      return std::string("end the program");
    });
    Add(1, [this] {
      const uint32_t ms = Below(5000);
      platform.Wait(ms);
      return "wait " + std::to_string(ms) + " ms";
    });
    Add(1, [] {
      std::remove(KnowledgeFileName);
      return std::string("remove the knowledge file");
    });
  }

  // A learner who knows the answer ticks exactly the right boxes and asks for the solution
  // (in the exam: "Weiter"); in Schnelllernmodus the letter of a right answer is the answer.
  std::string AnswerKnowingly() {
    TfrmFrageAntwort& main = Main();
    if (main.PlaceholderShown())
      return "knows nothing to answer";
    QuestionRecord record;
    ReadQuestion(CurrentQuestionNo(), record);
    const bool correct[4] = {record.CorrectA, record.CorrectB, record.CorrectC, record.CorrectD};
    TCheckBox* boxes[4] = {main.chkAntwortA, main.chkAntwortB, main.chkAntwortC, main.chkAntwortD};
    if (main.CurrentMode() == TfrmFrageAntwort::modeSchnell) {
      for (int i = 0; i < 4; ++i)
        if (correct[i]) {
          // Away from the answer boxes, whose key-down would answer as well.
          main.SetFocusedControl(nullptr);
          TypeChar(main, static_cast<char32_t>(U'a' + i));
          return "answer knowingly: " + std::string(1, static_cast<char>('a' + i));
        }
      return "knows that no answer is right";
    }
    for (int i = 0; i < 4; ++i)
      if (boxes[i]->Checked() != correct[i])
        ClickControl(main, boxes[i]->Name());
    // A box disabled by the solution on display does not take the click.
    bool right = true;
    for (int i = 0; i < 4; ++i)
      right = right && boxes[i]->Checked() == correct[i];
    ticksRightAtWeiter = right;
    ClickControl(main, "btnLoesung");
    return "answer knowingly";
  }

  std::string RunRandomAction() {
    // In the exam a learner mostly answers, and mostly knows the answer, so that areas are
    // passed as well as failed.
    if (Main().CurrentMode() == TfrmFrageAntwort::modePruefung && Percent(50)) {
      if (Percent(75))
        return AnswerKnowingly();
      ClickControl(Main(), "btnLoesung");
      return "Weiter without knowing";
    }
    uint32_t pick = Below(totalWeight);
    for (const TAction& action : actions) {
      if (pick < action.Weight)
        return action.Run();
      pick -= action.Weight;
    }
    return "nothing";
  }

  // --- Program runs -----------------------------------------------------------------------

  void StartSession() {
    Application.ResetTerminated();
    SetExamPosition(0, 0);
    SetEditMode(0);
    // Fresh dialogs: nothing ticked, the first licence chosen; learning starts in Lernmodus.
    examRadio = 1;
    categoryBoxes.clear();
    lastLearningMode = TfrmFrageAntwort::modeLernen;
    StartProgram();
    counter.Inner = &Main().History();
    counter.Problem = [this](const std::string& text) { Problem(text); };
    QuestionData().SetLearningListener(&counter);
    Main().Show();
  }

  // Every memory state the history keeps is the one its log gives, with the parameters in use.
  void CheckMemoryAgainstLog() {
    counter.Check();
    THistoryStore store(HistoryFileName);
    const std::map<int64_t, TMemoryState> replayed =
        store.ReplayMemoryStates(TLearnerModel(ReadKeptParameters(store).Parameters));
    std::size_t withMemory = 0;
    for (const THistoryQuestion& question : store.Questions()) {
      if (!question.Memory)
        continue;
      ++withMemory;
      const auto found = replayed.find(question.Id);
      if (found == replayed.end() ||
          std::abs(found->second.Stability - question.Memory->Stability) >
              1e-9 * question.Memory->Stability ||
          std::abs(found->second.Difficulty - question.Memory->Difficulty) > 1e-9)
        Problem("the memory of question " + std::to_string(question.Id) +
                " is not the one its answers give");
    }
    if (withMemory != replayed.size())
      Problem(std::to_string(withMemory) + " memory states kept, " +
              std::to_string(replayed.size()) + " replayed");
  }

  // The program ended: it starts again as a new process would, on the same files.
  void Restart() {
    EndProgram();
    StartSession();
  }

  // --- Checks -------------------------------------------------------------------------------

  TBefore Capture() const {
    TBefore before;
    before.Placeholder = frmFrageAntwort->PlaceholderShown();
    before.CurrentNo = CurrentQuestionNo();
    before.Mode = frmFrageAntwort->CurrentMode();
    before.KnowledgeExists = FileExists(KnowledgeFileName);
    if (before.KnowledgeExists)
      before.KnowledgeBytes = ReadFileBytes(KnowledgeFileName);
    before.Pool = QuestionPool();
    before.Targets = platform.OpenedTargets().size();
    before.SketchButtonAcceptsInput = frmFrageAntwort->btnSkizzen->AcceptsInput();
    before.ExamCorrect = frmFrageAntwort->ExamCorrectCount;
    before.TicksUnchecked = frmFrageAntwort->TicksUnchecked();
    if (!before.Placeholder && before.CurrentNo >= 0 && before.CurrentNo < RecordCount()) {
      const QuestionRecord record =
          DecodeRecord(RecordAt(shadow, static_cast<std::size_t>(before.CurrentNo)));
      const bool correct[4] = {record.CorrectA, record.CorrectB, record.CorrectC, record.CorrectD};
      TCheckBox* boxes[4] = {frmFrageAntwort->chkAntwortA, frmFrageAntwort->chkAntwortB,
                             frmFrageAntwort->chkAntwortC, frmFrageAntwort->chkAntwortD};
      before.TicksRight = true;
      for (int i = 0; i < 4; ++i)
        before.TicksRight = before.TicksRight && boxes[i]->Checked() == correct[i];
    }
    return before;
  }

  const uint8_t* Record(int64_t recordNo) const {
    return reinterpret_cast<const uint8_t*>(shadow.data()) + recordNo * kRecordSize;
  }
  int64_t RecordCount() const { return static_cast<int64_t>(shadow.size() / kRecordSize); }

  // The pool's records must be exactly the records in use that `wanted` takes, in file order.
  void ComparePoolWithCatalogue(const std::function<bool(int16_t, int16_t)>& wanted,
                                const std::string& what) {
    std::vector<int32_t> expected;
    for (int64_t r = 0; r < RecordCount(); ++r)
      if (Record(r)[kOffInUse] != 0 &&
          wanted(ReadInt16(Record(r) + kOffLicence), ReadInt16(Record(r) + kOffArea)))
        expected.push_back(static_cast<int32_t>(r));
    std::vector<int32_t> actual;
    for (const PoolEntry& entry : QuestionPool()) {
      actual.push_back(entry.RecordNo);
      if (entry.InUse == 0)
        Problem(what + ": pool entry not in use");
    }
    if (actual != expected)
      Problem(what + ": the pool holds " + std::to_string(actual.size()) + " records, not the " +
              std::to_string(expected.size()) + " of the catalogue");
  }

  void CheckCatalogue(const TBefore& before) {
    const std::string now = ReadFileBytes(CatalogueFileName);
    if (now.size() % kRecordSize != 0)
      Problem("catalogue of " + std::to_string(now.size()) + " bytes: no whole records");
    if (now.size() < shadow.size())
      Problem("the catalogue shrank");
    if (pendingSave) {
      const std::size_t at = static_cast<std::size_t>(pendingSave->RecordNo) * kRecordSize;
      const std::size_t size = shadow.size() + (pendingSave->Append ? kRecordSize : 0);
      if (now.size() != size || at + kRecordSize > now.size()) {
        Problem("the editor's save left the catalogue at " + std::to_string(now.size()) + " bytes");
      } else {
        const bool othersKept =
            now.compare(0, at, shadow, 0, at) == 0 &&
            (pendingSave->Append ||
             now.compare(at + kRecordSize, std::string::npos, shadow, at + kRecordSize) == 0);
        if (!othersKept)
          Problem("the editor's save changed other records than " +
                  std::to_string(pendingSave->RecordNo));
        if (std::memcmp(now.data() + at, pendingSave->Bytes.data(), kRecordSize) != 0) {
          const QuestionRecord written = DecodeRecord(RecordAt(now, pendingSave->RecordNo));
          const QuestionRecord wanted = DecodeRecord(pendingSave->Bytes);
          Problem("record " + std::to_string(pendingSave->RecordNo) +
                  " is not what the editor held: \"" + written.Question + "\" " +
                  std::to_string(written.Licence) + "/" + std::to_string(written.Area) +
                  " instead of \"" + wanted.Question + "\" " + std::to_string(wanted.Licence) +
                  "/" + std::to_string(wanted.Area));
        }
      }
      if (pendingSave->Append &&
          std::none_of(QuestionPool().begin(), QuestionPool().end(),
                       [&](const PoolEntry& e) { return e.RecordNo == pendingSave->RecordNo; }))
        Problem("the new question " + std::to_string(pendingSave->RecordNo) +
                " is not in the pool");
    } else if (stepKind == TStep::Delete && !before.Placeholder &&
               before.Mode != TfrmFrageAntwort::modePruefung) {
      const std::size_t at = static_cast<std::size_t>(before.CurrentNo) * kRecordSize;
      if (now.size() != shadow.size() || at >= now.size()) {
        Problem("deleting changed the catalogue's size");
      } else {
        std::string expected = shadow;
        expected[at + kOffInUse] = 0;
        if (now != expected)
          Problem("deleting question " + std::to_string(before.CurrentNo) +
                  " changed more than its in-use byte");
      }
      for (const PoolEntry& entry : QuestionPool())
        if (entry.RecordNo == before.CurrentNo && entry.Open != 0)
          Problem("the deleted question is still open in the pool");
    } else if (now != shadow) {
      Problem("the catalogue changed without a save or a deletion");
    }
    shadow = now;
  }

  void CheckKnowledge(const TBefore& before) {
    const bool exists = FileExists(KnowledgeFileName);
    const std::string bytes = exists ? ReadFileBytes(KnowledgeFileName) : std::string();
    if (bytes.size() % kEntrySize != 0)
      Problem("knowledge file of " + std::to_string(bytes.size()) + " bytes");
    if (FileExists(std::string(KnowledgeFileName) + ".neu"))
      Problem("the temporary knowledge file was left behind");
    if (stepKind == TStep::Save && QuestionPool().empty()) {
      // A pool without entries is no state to save: the earlier file stays as it was.
      if (exists != before.KnowledgeExists || bytes != before.KnowledgeBytes)
        Problem("saving an empty pool changed the knowledge file");
    } else if (stepKind == TStep::Save) {
      std::string expected;
      for (const PoolEntry& entry : QuestionPool())
        if (entry.Open != 0)
          expected += EntryBytes(entry);
      if (!exists || bytes != expected)
        Problem("the saved knowledge file is not the pool's open questions");
    }
    if (stepKind != TStep::Load)
      return;
    // The exam asks its draw: loading waits until it is left.
    if (before.Mode == TfrmFrageAntwort::modePruefung) {
      if (knowledgeMessages != 0 || QuestionPool().size() != before.Pool.size() ||
          OpenQuestionCount() != std::count_if(before.Pool.begin(), before.Pool.end(),
                                               [](const PoolEntry& e) { return e.Open != 0; }))
        Problem("loading in the exam changed the pool");
      return;
    }
    if (knowledgeMessages != (before.KnowledgeExists ? 0 : 1))
      Problem("loading showed " + std::to_string(knowledgeMessages) + " missing-file messages");
    if (bytes != before.KnowledgeBytes)
      Problem("loading changed the knowledge file");
    // Loading replaces the pool by the file's entries; only the open flags may have moved on.
    // (In Lernmodus the loaded questions may all be answered at once: the category choice that
    // follows builds a pool of its own, which the category checks judge.)
    if (Showings("frmKategorieWahl") > 0)
      return;
    const std::vector<PoolEntry>& pool = QuestionPool();
    std::vector<PoolEntry> expected = before.Pool;
    if (before.KnowledgeExists) {
      expected.clear();
      for (std::size_t at = 0; at + kEntrySize <= bytes.size(); at += kEntrySize) {
        const auto* raw = reinterpret_cast<const uint8_t*>(bytes.data() + at);
        expected.push_back(
            PoolEntry{raw[0], raw[1], ReadInt16(raw + 2), ReadInt16(raw + 4), ReadInt32(raw + 8)});
      }
    }
    std::size_t same = 0;
    while (same < std::min(pool.size(), expected.size()) &&
           pool[same].InUse == expected[same].InUse &&
           pool[same].Licence == expected[same].Licence && pool[same].Area == expected[same].Area &&
           pool[same].RecordNo == expected[same].RecordNo &&
           (pool[same].Open == 0 || pool[same].Open == expected[same].Open))
      ++same;
    if (same != pool.size() || same != expected.size())
      Problem(std::string(before.KnowledgeExists ? "the loaded pool is not the knowledge file"
                                                 : "a failed load changed the pool") +
              ": " + std::to_string(pool.size()) + " entries for " +
              std::to_string(expected.size()) + ", first difference at " + std::to_string(same));
    // A loaded state offers every one of its questions, whatever was chosen before.
    if (before.KnowledgeExists)
      for (const PoolEntry& entry : pool)
        if (!Selected(entry.Licence, entry.Area))
          Problem("a loaded question of " + std::to_string(entry.Licence) + "/" +
                  std::to_string(entry.Area) + " cannot be picked");
  }

  void CheckWindows() {
    TfrmFrageAntwort& main = Main();
    if (!main.Visible())
      Problem("the main window is not shown");
    if (main.InputBlocked())
      Problem("the main window still ignores input after a pause");
    for (TForm* form : std::initializer_list<TForm*>{frmKategorieWahl, frmNew, frmPruefungsKatWahl,
                                                     frmSkizzen, frmInfo, frmXMsgBox, frmSplash})
      if (form->Visible() || form->Modal())
        Problem(form->Name() + " is still open");
    const std::size_t shown = platform.ModalShowings().size();
    std::size_t scripted = 0;
    for (const auto& [name, count] : showings)
      scripted += static_cast<std::size_t>(count);
    if (shown - showingsMark != scripted)
      Problem("a window without a script was shown modally: " + platform.ModalShowings().back());
    showingsMark = shown;
    if (platform.PendingScripts() != std::size(kModalForms))
      Problem("a modal script went missing");
  }

  void CheckMainWindow() {
    TfrmFrageAntwort& main = Main();
    int checked = 0;
    for (TMenuItem* entry : {main.mnuLernmode, main.mnuVertifungsmode, main.mnuSchnellernmode,
                             main.mnuProgrammPruefungsmodus})
      checked += entry->Checked();
    if (checked != 1)
      Problem(std::to_string(checked) + " mode entries are checked");
    const int mode = main.CurrentMode();
    const bool exam = mode == TfrmFrageAntwort::modePruefung;
    if (main.Height() != (exam ? 372 : 445) || main.btnKlar->Enabled() == exam ||
        main.btnUnklar->Enabled() == exam ||
        main.btnLoesung->Caption() != (exam ? "Weiter" : "Lösung") ||
        main.btnLoesung->Visible() != (exam || mode == TfrmFrageAntwort::modeVertiefen) ||
        (!exam &&
         main.chkWeiterWennRichtig->Visible() != (mode == TfrmFrageAntwort::modeVertiefen)))
      Problem("the window's layout does not fit mode " + std::to_string(mode));

    // The counter: right label for the mode, never negative, and the pool's open count.
    const std::string& counter = main.lblUnklareFragen->Caption();
    const std::string prefix = exam ? "Offene Fragen: " : "Unklare Fragen: ";
    const std::string digits = counter.rfind(prefix, 0) == 0 ? counter.substr(prefix.size()) : "";
    if (digits.empty() || digits.find_first_not_of("0123456789") != std::string::npos)
      Problem("counter line \"" + counter + "\"");
    else if (std::stol(digits) != OpenQuestionCount())
      Problem("counter line \"" + counter + "\" with " + std::to_string(OpenQuestionCount()) +
              " open questions");
    int32_t open = 0;
    for (const PoolEntry& entry : QuestionPool())
      open += entry.Open != 0;
    if (open != OpenQuestionCount())
      Problem("open count " + std::to_string(OpenQuestionCount()) + " for " + std::to_string(open) +
              " open pool entries");
    // Every open question can be picked: in use and of a selected category. Otherwise a pass
    // could never end, or a deleted question could come back.
    for (const PoolEntry& entry : QuestionPool()) {
      if (entry.Open == 0)
        continue;
      if (!SlotSelected(CategorySlot(entry.Licence, entry.Area)))
        Problem("open question " + std::to_string(entry.RecordNo) + " is of no selected category");
      if (entry.RecordNo >= 0 && entry.RecordNo < RecordCount() &&
          RecordAt(shadow, static_cast<std::size_t>(entry.RecordNo))[0] == 0)
        Problem("open question " + std::to_string(entry.RecordNo) + " is deleted");
    }

    if (main.PlaceholderShown()) {
      if (main.lblFrage->Caption() != NoQuestionRecord().Question || main.btnSkizzen->Visible())
        Problem("the placeholder is not shown as such");
      return;
    }
    const int32_t current = CurrentQuestionNo();
    if (current < 0 || current >= RecordCount()) {
      Problem("question " + std::to_string(current) + " on display is outside the catalogue");
      return;
    }
    const QuestionRecord record = DecodeRecord(RecordAt(shadow, static_cast<std::size_t>(current)));
    std::string category;
    CategoryName(record.Licence, record.Area, category);
    // A word too long for its line is shown with line breaks in it.
    const auto shows = [](const TLabel* label, const std::string& text) {
      std::string caption = label->Caption();
      caption.erase(std::remove(caption.begin(), caption.end(), '\n'), caption.end());
      return caption == text;
    };
    if (!shows(main.lblFrage, TrimControls(record.Question)) ||
        !shows(main.lblAntwortA, record.AnswerA) || !shows(main.lblAntwortB, record.AnswerB) ||
        !shows(main.lblAntwortC, record.AnswerC) || !shows(main.lblAntwortD, record.AnswerD) ||
        main.lblKategorie->Caption() != "Kategorie: " + category ||
        main.btnSkizzen->Visible() != (record.ImageNo >= 1) ||
        main.lblImageNo->Caption() != std::to_string(record.Licence) + std::to_string(record.Area) +
                                          "_" + std::to_string(record.ImageNo))
      Problem("the window does not show question " + std::to_string(current));
    if (std::none_of(QuestionPool().begin(), QuestionPool().end(),
                     [&](const PoolEntry& e) { return e.RecordNo == current && e.Open != 0; }))
      Problem("question " + std::to_string(current) + " on display is not open in the pool");
    if (mode == TfrmFrageAntwort::modeLernen) {
      const bool correct[4] = {record.CorrectA, record.CorrectB, record.CorrectC, record.CorrectD};
      TCheckBox* boxes[4] = {main.chkAntwortA, main.chkAntwortB, main.chkAntwortC,
                             main.chkAntwortD};
      for (int i = 0; i < 4; ++i)
        if (boxes[i]->Enabled() != correct[i])
          Problem("Lernmodus does not show the solution of question " + std::to_string(current));
    }
  }

  void CheckStep(const TBefore& before) {
    const int mode = Main().CurrentMode();
    const bool exam = mode == TfrmFrageAntwort::modePruefung;
    const int shellShowings = Showings("frmXMsgBox");
    const std::size_t targets = platform.OpenedTargets().size() - before.Targets;
    if (examMessages > 0 && before.Mode != TfrmFrageAntwort::modePruefung)
      Problem("exam result without a running exam");
    if (knowledgeMessages > 0 && stepKind != TStep::Load)
      Problem("\"Keine Wissensdatei\" without loading");
    if (helpMessages > 0 && stepKind != TStep::ShortHelp)
      Problem("short help without asking for it");
    if (sketchMessages > 0 && !before.SketchButtonAcceptsInput)
      Problem("sketch message without a sketch button");
    // Outside Lernmodus nothing answers by itself: "Klar" closes the question on display,
    // "Unklar" keeps it, and a change in the editor keeps it on display.
    const bool plain = (before.Mode == TfrmFrageAntwort::modeVertiefen ||
                        before.Mode == TfrmFrageAntwort::modeSchnell) &&
                       mode == before.Mode && Showings("frmKategorieWahl") == 0;
    const auto openEntry = [](int32_t recordNo) {
      return std::any_of(QuestionPool().begin(), QuestionPool().end(),
                         [&](const PoolEntry& e) { return e.RecordNo == recordNo && e.Open != 0; });
    };
    const auto openBefore = static_cast<int32_t>(std::count_if(
        before.Pool.begin(), before.Pool.end(), [](const PoolEntry& e) { return e.Open != 0; }));
    // Unchecked ticks are the answer: a wrong one stays on display with its solution.
    const bool keptWrong = before.TicksUnchecked && !before.TicksRight;
    if (plain && stepKind == TStep::Klar && !before.Placeholder && !keptWrong &&
        (openEntry(before.CurrentNo) || OpenQuestionCount() != openBefore - 1))
      Problem("\"Klar\" did not close question " + std::to_string(before.CurrentNo));
    if (plain && stepKind == TStep::Klar && keptWrong &&
        (CurrentQuestionNo() != before.CurrentNo || OpenQuestionCount() != openBefore ||
         Main().TicksUnchecked()))
      Problem("a wrong answer by \"Klar\" left question " + std::to_string(before.CurrentNo));
    if (plain && (stepKind == TStep::Unklar || (stepKind == TStep::Klar && before.Placeholder)) &&
        (OpenQuestionCount() != openBefore ||
         (!before.Placeholder && !openEntry(before.CurrentNo))))
      Problem("\"Unklar\" changed the open questions");
    if (stepKind == TStep::ChangeQuestion && !before.Placeholder &&
        before.Mode != TfrmFrageAntwort::modeLernen &&
        (Main().PlaceholderShown() || CurrentQuestionNo() != before.CurrentNo))
      Problem("the changed question " + std::to_string(before.CurrentNo) + " is no longer shown");
    switch (stepKind) {
    case TStep::Mode:
      if (mode != expectedMode)
        Problem("mode " + std::to_string(mode) + " instead of " + std::to_string(expectedMode));
      break;
    case TStep::Save:
      if (knowledgeMessages + examMessages + helpMessages + sketchMessages > 0)
        Problem("saving showed a message");
      break;
    case TStep::ShortHelp:
      if (helpMessages != 1)
        Problem("the short help was shown " + std::to_string(helpMessages) + " times");
      break;
    case TStep::Help:
    case TStep::Link:
      if (targets != 1 || shellShowings != (shellResult ? 0 : 1))
        Problem("opening a document: " + std::to_string(targets) + " targets, " +
                std::to_string(shellShowings) + " message windows");
      else if (stepKind == TStep::Help && platform.OpenedTargets().back() != "Hilfe.htm")
        Problem("help opened " + platform.OpenedTargets().back());
      break;
    case TStep::HiddenLink:
      if (targets != 0 || shellShowings != 0)
        Problem("the hidden DULV entry opened something");
      break;
    case TStep::Info:
      if (Showings("frmInfo") != 1)
        Problem("the info window was not shown");
      break;
    case TStep::Sketch:
      if (Showings("frmSkizzen") + sketchMessages != 1)
        Problem("the sketch button neither showed a sketch nor said there is none");
      break;
    case TStep::NewQuestion:
      if (Showings("frmNew") != (before.Mode == TfrmFrageAntwort::modePruefung ? 0 : 1))
        Problem("the editor for a new question opened " + std::to_string(Showings("frmNew")) +
                " times");
      break;
    case TStep::ChangeQuestion:
      if (Showings("frmNew") != (before.Placeholder ? 0 : 1))
        Problem("the editor for the current question opened " + std::to_string(Showings("frmNew")) +
                " times");
      break;
    case TStep::Category:
      if (Showings("frmKategorieWahl") < 1)
        Problem("the category dialog was not shown");
      break;
    case TStep::ExamMenu:
      if (Showings("frmPruefungsKatWahl") != 1)
        Problem("the exam dialog was not shown once");
      break;
    default:
      break;
    }

    // One category choice outside the exam: the selection is the dialog's, the pool its records.
    if (Showings("frmKategorieWahl") == 1 && !exam && stepKind != TStep::ExamMenu &&
        Showings("frmPruefungsKatWahl") == 0) {
      for (int licence = 1; licence <= 7; ++licence)
        for (int area = 1; area <= kAreasOfLicence[licence]; ++area)
          if (Selected(licence, area) !=
              ControlOf<TCheckBox>(*frmKategorieWahl, AreaBoxName(licence, area)).Checked())
            Problem("selection of " + std::to_string(licence) + "/" + std::to_string(area) +
                    " differs from the dialog");
      ComparePoolWithCatalogue(
          [](int16_t licence, int16_t area) { return Selected(licence, area); },
          "after the category choice");
    }

    // The exam dialog: with "Ok" the chosen licence's first area is drawn, otherwise learning
    // goes on in the mode of before.
    if (Showings("frmPruefungsKatWahl") > 0) {
      if (examOutcome > 0) {
        const int licence = examOutcome;
        if (!exam || ExamLicence() != licence || ExamArea() != 1)
          Problem("the exam did not start with licence " + std::to_string(licence));
        ComparePoolWithCatalogue([licence](int16_t l, int16_t a) { return l == licence && a == 1; },
                                 "exam draw");
        const int32_t wanted = static_cast<int32_t>(
            std::min<int64_t>(kExamRules[licence].Questions, InUseRecordsOf(licence, 1)));
        if (OpenQuestionCount() != wanted)
          Problem("the exam drew " + std::to_string(OpenQuestionCount()) + " questions, not " +
                  std::to_string(wanted));
      } else if (exam || mode != lastLearningMode) {
        Problem("closing the exam dialog left mode " + std::to_string(mode) + ", not " +
                std::to_string(lastLearningMode));
      }
    }
    // "Weiter" in the exam closed the question on display: it counts as right exactly when the
    // ticks were the right answer, whether the area goes on or is graded by the step.
    if (before.Mode == TfrmFrageAntwort::modePruefung && exam && !before.Placeholder &&
        (stepKind == TStep::Other || stepKind == TStep::Sketch) &&
        Showings("frmPruefungsKatWahl") == 0 && Showings("frmKategorieWahl") == 0 &&
        std::any_of(
            before.Pool.begin(), before.Pool.end(),
            [&](const PoolEntry& e) { return e.RecordNo == before.CurrentNo && e.Open != 0; }) &&
        std::none_of(QuestionPool().begin(), QuestionPool().end(), [&](const PoolEntry& e) {
          return e.RecordNo == before.CurrentNo && e.Open != 0;
        })) {
      const int counted = examMessages > 0 ? lastExamRight : Main().ExamCorrectCount;
      const int wanted =
          before.ExamCorrect + (ticksRightAtWeiter.value_or(before.TicksRight) ? 1 : 0);
      if (counted != wanted)
        Problem("the exam counted " + std::to_string(counted) + " right answers, not " +
                std::to_string(wanted));
    }
    if (exam && (stepKind == TStep::Category || stepKind == TStep::Load ||
                 stepKind == TStep::NewQuestion || stepKind == TStep::ChangeQuestion))
      examPoolAltered = true;
    if (!exam)
      lastLearningMode = mode;
  }

  std::string Report(uint64_t step, const std::string& action) const {
    std::ostringstream out;
    out << "random session failed at step " << step << " (" << action << ") with seed " << seed
        << "; repeat with AEROLERN_RANDOM_SEED=" << seed << " AEROLERN_RANDOM_STEPS=" << step + 1
        << (assetsLinked ? " and" : " without") << " AEROLERN_SOURCE_DIR (the sketch pictures)"
        << "\nlast actions:";
    for (const std::string& line : recent)
      out << "\n  " << line;
    out << "\nproblems:";
    for (const std::string& problem : problems)
      out << "\n  " << problem;
    return out.str();
  }

  uint32_t seed = kDefaultSeed;
  uint64_t steps = kDefaultSteps;
  std::mt19937 rng;
  bool assetsLinked = false;
  std::vector<TAction> actions;
  uint32_t totalWeight = 0;

  // The catalogue as it must be on disk.
  std::string shadow;

  // State of the step under way.
  TStep stepKind = TStep::Other;
  int expectedMode = 0;
  bool shellResult = true;
  std::map<std::string, int> showings;
  std::size_t showingsMark = 0;
  int knowledgeMessages = 0, sketchMessages = 0, examMessages = 0, helpMessages = 0;
  std::optional<TPendingSave> pendingSave;
  int examOutcome = 0;
  int lastExamRight = 0;
  std::map<std::string, int> verdicts;
  std::optional<bool> ticksRightAtWeiter;
  std::vector<std::string> problems;
  std::deque<std::string> recent;

  // State across steps.
  TShowingCounter counter;
  int examRadio = 1;
  // The category dialog's boxes as the learner has left them.
  std::map<std::string, bool> categoryBoxes;
  int lastLearningMode = TfrmFrageAntwort::modeLernen;
  bool examPoolAltered = false;
};

TEST_F(RandomSessionTest, ThousandsOfLearnerActionsKeepTheProgramConsistent) {
  StartSession();
  CheckWindows();
  CheckMainWindow();
  ASSERT_TRUE(problems.empty()) << Report(0, "start");
  int examsGraded = 0, restarts = 0, saves = 0;
  for (uint64_t step = 1; step <= steps; ++step) {
    // The clock moves on between actions, so that the program's picks vary.
    platform.AdvanceClock(1 + Below(2500));
    shellResult = Percent(50);
    platform.SetShellResult(shellResult);
    platform.ClearMessages();
    stepKind = TStep::Other;
    showings.clear();
    knowledgeMessages = sketchMessages = examMessages = helpMessages = 0;
    pendingSave.reset();
    examOutcome = 0;
    ticksRightAtWeiter.reset();

    const TBefore before = Capture();
    const std::string action = RunRandomAction();
    recent.push_back(std::to_string(step) + ": " + action);
    if (recent.size() > kRecentActions)
      recent.pop_front();

    if (stepKind == TStep::Quit) {
      if (!Application.Terminated() || Main().Visible())
        Problem("ending the program did not close it");
      CheckCatalogue(before);
      CheckKnowledge(before);
      ++restarts;
      Restart();
    } else if (Application.Terminated()) {
      Problem("the program ended by itself");
    }
    if (problems.empty()) {
      CheckWindows();
      CheckCatalogue(before);
      CheckKnowledge(before);
      CheckMainWindow();
      CheckStep(before);
    }
    examsGraded += examMessages;
    saves += pendingSave.has_value();
    if (!problems.empty())
      FAIL() << Report(step, action);
  }
  CheckMemoryAgainstLog();
  ASSERT_TRUE(problems.empty()) << Report(steps, "the log at the end");
  std::printf("[ random session ] %lld answers recorded, ", static_cast<long long>(counter.Rows()));
  std::printf("%d exam areas graded (%d passed, %d oral, %d failed), %d "
              "questions saved, %d restarts, catalogue of %lld records\n",
              examsGraded, verdicts["Bestanden."], verdicts["Mündliche Nachprüfung."],
              verdicts["Nicht bestanden."], saves, restarts, static_cast<long long>(RecordCount()));
  // A session of full length must have reached the interesting places, or it proves little.
  if (steps < kDefaultSteps)
    return;
  EXPECT_GT(verdicts["Bestanden."], 0);
  EXPECT_GT(verdicts["Nicht bestanden."], 0);
  EXPECT_GT(saves, 0);
  EXPECT_GT(restarts, 0);
}

} // namespace

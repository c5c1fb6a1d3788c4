// Tests of the statistics window: its figures and bars for a stored history, the licence choice,
// the exam date and target retention, the pool of troublesome questions, and an empty or
// unusable history.
#include "support/UiFixture.h"

#include "core/QuestionData.h"
#include "history/Fingerprint.h"
#include "history/HistoryStore.h"
#include "toolkit/headless/RecordingCanvas.h"
#include "windows/srcLernstand.h"

#include <map>

namespace {

constexpr int64_t kDayMs = 86400000;
// The outlook bars span the paint box but for 8 pixels each side.
constexpr int kBarLeft = 8;

// One outlook bar as drawn: its area's title and count, its parts and their labels.
struct TBar {
  std::string Title;
  std::string Count;
  std::vector<TPaintOp> Parts;
  std::vector<std::string> Labels;
};

class LernstandTest : public UiTest {
protected:
  LernstandTest() {
    // Two exam questions per area: oral from one wrong answer, failed from two.
    WriteSettings("AnzPrfFragenGSA=2\nAnzMuendlichGSA=1\nAnzNichtBestGSA=2\n");
    std::vector<QuestionRecord> records;
    for (auto [area, count] : {std::pair{1, 4}, {2, 3}, {3, 2}}) {
      for (int i = 0; i < count; ++i)
        records.push_back(MakeQuestion(1, area, "Frage " + std::to_string(records.size())));
    }
    records.push_back(MakeQuestion(2, 1, "Frage 9"));
    WriteCatalogue(records);
  }

  // Records the answers of a few days through the store, as the program would have.
  void WriteHistory() {
    THistoryStore store(HistoryFileName);
    const int64_t now = platform.UtcNowMs();
    auto answer = [&](int32_t recordNo, int64_t ago, bool right, const std::string& ticked) {
      QuestionRecord record;
      ReadQuestion(recordNo, record);
      TAnswerRow row;
      row.TimeMs = now - ago;
      row.RecordNo = recordNo;
      row.Licence = record.Licence;
      row.Area = record.Area;
      row.Mode = 2;
      row.Ticked = ticked;
      row.Correct = "B";
      row.Right = right;
      store.RecordAnswer(row, FingerprintText(QuestionFingerprint(record)));
    };
    answer(0, 2 * kDayMs, false, "A");
    answer(0, kDayMs, false, "AC");
    answer(0, 1000, false, "A");
    answer(1, 3 * kDayMs, false, "");
    answer(1, 1000, true, "B");
    // Two questions of Luftrecht known once, five days ago: recall 84 %, due below 90 %.
    answer(4, 5 * kDayMs, true, "B");
    answer(5, 5 * kDayMs, true, "B");
  }

  // Opens the window by its shortcut and runs the script in it.
  void OpenWindow(std::function<void(TForm&)> script) {
    platform.OnModal("frmLernstand", std::move(script));
    PressKey(Main(), 'T', ssCtrl);
    ASSERT_FALSE(platform.ModalShowings().empty());
    EXPECT_EQ(platform.ModalShowings().back(), "frmLernstand");
  }

  static std::vector<TPaintOp> Ops(TForm& window, const std::string& box) {
    return PaintOps(ControlOf<TPaintBox>(window, box));
  }
  static std::vector<std::string> Texts(const std::vector<TPaintOp>& ops) {
    std::vector<std::string> texts;
    for (const TPaintOp& op : ops)
      if (op.Kind == TPaintOp::TKind::Text)
        texts.push_back(op.Text);
    return texts;
  }
  static bool Shows(const std::vector<TPaintOp>& ops, const std::string& text) {
    const std::vector<std::string> texts = Texts(ops);
    return std::find(texts.begin(), texts.end(), text) != texts.end();
  }
  // The other texts on the line of the text that starts a row, left to right.
  static std::vector<std::string> Row(const std::vector<TPaintOp>& ops, const std::string& first) {
    std::map<int, std::string> cells;
    for (const TPaintOp& head : ops)
      if (head.Kind == TPaintOp::TKind::Text && head.Text == first)
        for (const TPaintOp& op : ops)
          if (op.Kind == TPaintOp::TKind::Text && op.Rect.Top == head.Rect.Top && &op != &head)
            cells[op.Rect.Left] = op.Text;
    std::vector<std::string> row;
    for (const auto& [left, text] : cells)
      row.push_back(text);
    return row;
  }
  static std::vector<TBar> Bars(TForm& window) {
    const std::vector<TPaintOp> ops = Ops(window, "pbPrognose");
    std::map<int, TBar> byTop;
    for (const TPaintOp& op : ops)
      // The legend's colour samples are smaller than the bars.
      if (op.Kind == TPaintOp::TKind::FillRect && op.Rect.Height > 10 &&
          (op.Color == TfrmLernstand::kColorPassed || op.Color == TfrmLernstand::kColorOral ||
           op.Color == TfrmLernstand::kColorFailed))
        byTop[op.Rect.Top].Parts.push_back(op);
    std::vector<TBar> bars;
    for (auto& [top, bar] : byTop) {
      for (const TPaintOp& op : ops) {
        if (op.Kind != TPaintOp::TKind::Text)
          continue;
        if (op.Rect.Top == top - 15)
          (op.Font.Bold ? bar.Title : bar.Count) = op.Text;
        else if (op.Rect.Top >= top && op.Rect.Top < top + 34)
          bar.Labels.push_back(op.Text);
      }
      bars.push_back(bar);
    }
    return bars;
  }
  static int PassedWidth(const TBar& bar) {
    for (const TPaintOp& part : bar.Parts)
      if (part.Color == TfrmLernstand::kColorPassed)
        return part.Rect.Width;
    return 0;
  }
  static std::vector<std::string> Titles(const std::vector<TBar>& bars) {
    std::vector<std::string> titles;
    for (const TBar& bar : bars)
      titles.push_back(bar.Title);
    return titles;
  }
  // Every bar is made of its parts side by side over the full width, each labelled with its
  // whole percentage, which add up to 100.
  static void ExpectWholeBars(TForm& window) {
    const int width = ControlOf<TPaintBox>(window, "pbPrognose").Width() - 2 * kBarLeft;
    for (const TBar& bar : Bars(window)) {
      ASSERT_EQ(bar.Parts.size(), bar.Labels.size()) << bar.Title;
      int right = kBarLeft;
      int sum = 0;
      for (std::size_t i = 0; i < bar.Parts.size(); ++i) {
        EXPECT_EQ(bar.Parts[i].Rect.Left, right) << bar.Title;
        right += bar.Parts[i].Rect.Width;
        const int percent = std::stoi(bar.Labels[i]);
        EXPECT_NEAR(bar.Parts[i].Rect.Width, width * percent / 100.0, 1.0) << bar.Title;
        sum += percent;
      }
      EXPECT_EQ(right, kBarLeft + width) << bar.Title;
      EXPECT_EQ(sum, 100) << bar.Title;
    }
  }
};

// With the prior of a quarter per question and two questions drawn: both right 1/16, one wrong
// 6/16, both wrong 9/16.
const std::vector<std::string> kPriorLabels = {"6 %", "38 %", "56 %"};

TEST_F(LernstandTest, FiguresAndOutlookOfAStoredHistoryAndTheLicenceKept) {
  WriteHistory();
  Start();
  OpenWindow([&](TForm& window) {
    EXPECT_EQ(window.Caption(), "Lernstand");
    EXPECT_LE(window.Width(), 1024);
    EXPECT_LE(window.Height(), 768 - 40);
    const std::vector<TPaintOp> table = Ops(window, "pbKategorien");
    EXPECT_EQ(Row(table, "Kategorie"),
              (std::vector<std::string>{"Fragen", "beantwortet", "fällig", "richtig"}));
    // One answer of five right, whatever the recall a moment after the last one.
    EXPECT_EQ(Row(table, "Beschränkter Luftfahrerschein: Meteorologie"),
              (std::vector<std::string>{"4", "2", "0", "20 %"}));
    EXPECT_EQ(Row(table, "Beschränkter Luftfahrerschein: Luftrecht"),
              (std::vector<std::string>{"3", "2", "2", "100 %"}));
    EXPECT_EQ(Row(table, "Unbeschränkter Luftfahrerschein: Meteorologie"),
              (std::vector<std::string>{"1", "0", "0", "–"}));
    EXPECT_TRUE(Shows(table, "Passagierflug Gleitsegel: Verhalten"));
    EXPECT_EQ(Row(table, "Gehört zu allen Kategorien"),
              (std::vector<std::string>{"0", "0", "0", "–"}));
    EXPECT_FALSE(Shows(table, "Gleitsegel Motor: Luftrecht (DULV)")) << "hidden in this edition";

    const std::vector<TBar> bars = Bars(window);
    ASSERT_EQ(Titles(bars),
              (std::vector<std::string>{"Meteorologie", "Luftrecht", "Flugpraxis", "Technologie"}));
    EXPECT_EQ(bars[0].Count, "2 Fragen noch nie beantwortet");
    EXPECT_EQ(bars[1].Count, "1 Frage noch nie beantwortet");
    EXPECT_EQ(bars[2].Labels, kPriorLabels) << "no first try in the area yet";
    EXPECT_EQ(bars[3].Labels, std::vector<std::string>{"100 %"}) << "no question: all wrong";
    ASSERT_EQ(bars[3].Parts.size(), 1u);
    EXPECT_EQ(bars[3].Parts[0].Color, TfrmLernstand::kColorFailed);
    ExpectWholeBars(window);

    const std::vector<TPaintOp> days = Ops(window, "pbTage");
    std::vector<TRect> rights;
    int wrongDays = 0;
    for (const TPaintOp& op : days)
      if (op.Kind == TPaintOp::TKind::FillRect && op.Rect.Height > 10) {
        if (op.Color == TfrmLernstand::kColorRight)
          rights.push_back(op.Rect);
        wrongDays += op.Color == TfrmLernstand::kColorWrong;
      }
    EXPECT_EQ(wrongDays, 4) << "today, one, two and three days ago";
    ASSERT_EQ(rights.size(), 2u) << "five days ago and today";
    EXPECT_LT(rights[0].Left, rights[1].Left);
    EXPECT_EQ(rights[0].Height, 2 * rights[1].Height) << "two right answers, then one";
    EXPECT_TRUE(Shows(days, "08.12.")) << "today is on the day axis";
    EXPECT_EQ(ControlOf<TLabel>(window, "lblModell").Caption(), "Gedächtnismodell: Standardwerte");
    EXPECT_FALSE(ControlOf<TButton>(window, "btnAnpassen").Enabled()) << "too few answers to fit";

    ClickControl(window, "optKat2");
    EXPECT_EQ(Titles(Bars(window)),
              (std::vector<std::string>{"Meteorologie", "Luftrecht", "Navigation"}));
    PressKey(window, vkEscape);
    EXPECT_FALSE(window.Visible()) << "Escape closes the window";
  });
  OpenWindow([&](TForm& window) {
    EXPECT_TRUE(ControlOf<TRadioButton>(window, "optKat2").Checked());
    EXPECT_FALSE(ControlOf<TRadioButton>(window, "optKat1").Checked());
    EXPECT_EQ(Titles(Bars(window)).size(), 3u) << "the licence chosen last";
    ClickControl(window, "btnSchliessen");
    EXPECT_FALSE(window.Visible());
  });
  EXPECT_TRUE(platform.Messages().empty());
}

TEST_F(LernstandTest, ExamDateAndTargetRetentionAreCheckedAndKept) {
  WriteHistory();
  Start();
  OpenWindow([&](TForm& window) {
    const int passedToday = PassedWidth(Bars(window)[0]);
    auto take = [&](const std::string& date, const std::string& percent) {
      ControlOf<TEdit>(window, "edtPruefungstermin").UserEdited(date);
      ControlOf<TEdit>(window, "edtZielbehalt").UserEdited(percent);
      platform.ClearMessages();
      ClickControl(window, "btnUebernehmen");
    };
    take("31.02.2027", "98");
    ASSERT_EQ(platform.Messages().size(), 2u);
    EXPECT_EQ(platform.Messages()[0].Text,
              "Der Prüfungstermin „31.02.2027“ ist kein gültiges Datum (TT.MM.JJJJ).");
    EXPECT_EQ(platform.Messages()[1].Text,
              "Der Zielbehalt muss eine ganze Zahl von 70 bis 97 % sein.");
    const std::string retentionRefused = platform.Messages()[1].Text;
    take("07.12.2026", "69");
    ASSERT_EQ(platform.Messages().size(), 2u);
    EXPECT_EQ(platform.Messages()[0].Text,
              "Der Prüfungstermin 07.12.2026 liegt in der Vergangenheit.");
    EXPECT_EQ(platform.Messages()[1].Text, retentionRefused);
    EXPECT_EQ(Main().History().ExamDateText(), "");
    EXPECT_DOUBLE_EQ(Main().History().DesiredRetention(), 0.9);
    EXPECT_EQ(ControlOf<TLabel>(window, "lblGilt").Caption(),
              "Es gilt: kein Prüfungstermin, Zielbehalt 90 %.");

    take("15.03.2027", "80");
    EXPECT_TRUE(platform.Messages().empty());
    EXPECT_EQ(ControlOf<TLabel>(window, "lblGilt").Caption(),
              "Es gilt: Prüfungstermin 15.03.2027 für Beschränkter Luftfahrerschein, "
              "Zielbehalt 80 %.");
    EXPECT_EQ(Row(Ops(window, "pbKategorien"), "Beschränkter Luftfahrerschein: Luftrecht")[2], "0")
        << "recall 84 % is not due below 80 %";
    const std::vector<TPaintOp> outlook = Ops(window, "pbPrognose");
    EXPECT_TRUE(Shows(outlook, "Prognose für den Prüfungstag 15.03.2027"));
    EXPECT_LT(PassedWidth(Bars(window)[0]), passedToday)
        << "the questions known today are forgotten in part by the exam day";
    ExpectWholeBars(window);
  });
  OpenWindow([&](TForm& window) {
    EXPECT_EQ(ControlOf<TEdit>(window, "edtPruefungstermin").Text(), "15.03.2027");
    EXPECT_EQ(ControlOf<TEdit>(window, "edtZielbehalt").Text(), "80");
    // An empty date clears it; the outlook is for today again.
    ControlOf<TEdit>(window, "edtPruefungstermin").UserEdited("");
    ClickControl(window, "btnUebernehmen");
    EXPECT_TRUE(Shows(Ops(window, "pbPrognose"), "Prognose für eine Prüfung heute, 08.12.2026"));
  });
  EXPECT_EQ(Main().History().ExamDateText(), "");
  EXPECT_DOUBLE_EQ(Main().History().DesiredRetention(), 0.8);
}

TEST_F(LernstandTest, TroublesomeQuestionsBecomeThePoolOutsideTheExam) {
  WriteHistory();
  Start([](TForm& dialog) { ClickControl(dialog, "chkKat02"); });
  ASSERT_EQ(CurrentQuestionNo(), 9);
  OpenWindow([&](TForm& window) {
    const std::vector<TPaintOp> list = Ops(window, "pbSchwierig");
    EXPECT_EQ(Row(list, "3×"), (std::vector<std::string>{"Frage 0", "meist falsch angekreuzt: A"}));
    EXPECT_EQ(Row(list, "1×"),
              (std::vector<std::string>{"Frage 1", "meist falsch angekreuzt: nichts"}));
    ASSERT_TRUE(ControlOf<TButton>(window, "btnLernen").Enabled());
    ClickControl(window, "btnLernen");
  });
  EXPECT_FALSE(frmLernstand->Visible());
  ASSERT_EQ(QuestionPool().size(), 2u);
  for (const PoolEntry& entry : QuestionPool()) {
    EXPECT_EQ(entry.Open, 1);
    EXPECT_EQ(entry.Licence, 1);
    EXPECT_EQ(entry.Area, 1);
  }
  EXPECT_TRUE(SlotSelected(CategorySlot(1, 1))) << "every category is selected";
  EXPECT_TRUE(CurrentQuestionNo() == 0 || CurrentQuestionNo() == 1) << CurrentQuestionNo();
  EXPECT_EQ(CounterLine(), "Unklare Fragen: 2");
  EXPECT_TRUE(Main().mnuLernmode->Checked());

  platform.OnModal("frmPruefungsKatWahl", [](TForm& dialog) { ClickControl(dialog, "btnOk"); });
  ChooseMenu(Main(), "mnuProgrammPruefungsmodus");
  OpenWindow([&](TForm& window) {
    EXPECT_FALSE(ControlOf<TButton>(window, "btnLernen").Enabled()) << "not in the exam";
  });
}

TEST_F(LernstandTest, EmptyOrUnusableHistoryAndMissingSettings) {
  Start();
  auto expectEmpty = [&](TForm& window) {
    const std::vector<TPaintOp> table = Ops(window, "pbKategorien");
    EXPECT_EQ(Row(table, "Beschränkter Luftfahrerschein: Meteorologie"),
              (std::vector<std::string>{"4", "0", "0", "–"}));
    EXPECT_TRUE(Shows(Ops(window, "pbTage"), "Noch keine Antworten aufgezeichnet."));
    EXPECT_TRUE(Shows(Ops(window, "pbSchwierig"), "Noch keine Antworten aufgezeichnet."));
    EXPECT_FALSE(ControlOf<TButton>(window, "btnLernen").Enabled());
  };
  OpenWindow([&](TForm& window) {
    expectEmpty(window);
    const std::vector<TBar> bars = Bars(window);
    ASSERT_EQ(bars.size(), 4u);
    for (std::size_t area = 0; area < 3; ++area)
      EXPECT_EQ(bars[area].Labels, kPriorLabels) << bars[area].Title;
  });
  EXPECT_TRUE(platform.Messages().empty());

  // A file that is no database: the history says so, and the window opens all the same.
  EndProgram();
  std::remove(HistoryFileName);
  WriteFileBytes(HistoryFileName, std::string(3000, 'z'));
  Start();
  OpenWindow([&](TForm& window) {
    expectEmpty(window);
    ControlOf<TEdit>(window, "edtPruefungstermin").UserEdited("15.03.2027");
    ClickControl(window, "btnUebernehmen");
  });
  ASSERT_EQ(platform.Messages().size(), 2u);
  EXPECT_NE(platform.Messages()[0].Text.find("keine SQLite-Datenbank"), std::string::npos);
  EXPECT_EQ(platform.Messages()[1].Text, "Ohne nutzbaren Lernverlauf können Prüfungstermin, "
                                         "Zielbehalt und Pensum nicht gespeichert werden.");

  // Without the settings file there are no limits: the error is shown, and in place of the bars.
  EndProgram();
  std::remove(HistoryFileName);
  std::remove(dir.File("aerolern.ini").c_str());
  platform.ClearMessages();
  Start();
  OpenWindow([&](TForm& window) {
    expectEmpty(window);
    EXPECT_TRUE(Bars(window).empty());
    EXPECT_TRUE(Shows(Ops(window, "pbPrognose"), "Keine Prognose möglich:"));
  });
  // The history tells that it records nothing; the window tells why there is no outlook.
  ASSERT_EQ(platform.Messages().size(), 2u);
  EXPECT_NE(platform.Messages()[1].Text.find("aerolern.ini"), std::string::npos);
  EXPECT_EQ(platform.Messages()[1].Text.find("aufgezeichnet"), std::string::npos);
}

} // namespace

// Test fixture for the windows: a fresh working directory with catalogue and settings, the
// headless platform, and the program started as at a real start-up.
#pragma once

#include "mainwindow/srcFrageAntwort.h"
#include "support/CoreFixture.h"
#include "toolkit/Input.h"

#include <functional>

class UiTest : public ::testing::Test {
protected:
  UiTest();
  ~UiTest() override;
  // Fails the test when a scripted modal showing never came.
  void TearDown() override;

  // Writes the settings file beside the program.
  void WriteSettings(const std::string& content);
  // Starts the program and shows the main window. The category dialog of the first showing
  // runs `chooseCategories` (by default: every visible licence box ticked).
  void Start(std::function<void(TForm&)> chooseCategories = TickAllLicences);
  static void TickAllLicences(TForm& dialog);
  // Destroys every window and starts the question data afresh, as the end of a run does.
  static void EndProgram();

  TfrmFrageAntwort& Main() { return *frmFrageAntwort; }
  // The record of the question on display.
  QuestionRecord Current();
  // Ticks the answer boxes so that the answer is right (or wrong) and returns the record.
  void TickAnswer(bool right);
  int OpenEntries() const;
  std::string CounterLine() { return Main().lblUnklareFragen->Caption(); }

  TTempDir dir;
  THeadlessPlatform platform;
  // The program records into its history only where a test asks for it; otherwise the test's
  // own listener (none by default) hears the learning events.
  bool recordHistory = false;
  TLearningListener* eventListener = nullptr;
};

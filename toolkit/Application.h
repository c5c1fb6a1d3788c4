// The application object: title, forms, message processing, timers, termination, the standard
// message dialog and the one dispatch point through which every event handler runs.
#pragma once

#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class TForm;
class TTimer;

class TApplication {
public:
  const std::string& Title() const { return title; }
  void SetTitle(const std::string& value) { title = value; }

  // Creates a form, stores it in the program-wide reference, and runs its OnCreate. The first
  // form created is the main form: closing it ends the program. The reference must live until
  // DestroyForms, which sets it back to nullptr.
  template <class T> void CreateForm(T*& reference) {
    auto form = std::make_unique<T>();
    reference = form.get();
    if (mainForm == nullptr)
      mainForm = form.get();
    forms.push_back({std::move(form), [&reference] { reference = nullptr; }});
    reference->DoCreate();
  }
  TForm* MainForm() const { return mainForm; }
  // Destroys every form, last created first, and sets each reference given to CreateForm to
  // nullptr (the end of a run; tests start afresh after it).
  void DestroyForms();

  // Shows the main form and processes events until the program is asked to end.
  void Run();
  // Handles pending input and fires due timers, without waiting.
  void ProcessMessages();
  // Waits until input arrives or the next timer is due.
  void WaitForEvents();
  // Milliseconds until the next running timer is due; -1 when no timer runs.
  int32_t NextTimerDue() const;

  // Asks the program to end; takes effect when control returns to the event loop.
  void Terminate() { terminated = true; }
  bool Terminated() const { return terminated; }
  // Withdraws a termination request (a new run in the same process, as tests do).
  void ResetTerminated() { terminated = false; }

  // The standard message dialog with one OK button and the title as caption.
  void MessageBox(const std::string& text);
  // The default error display: shows what failed in the standard message dialog.
  void HandleException(const std::exception& error);
  // Runs an event handler; an error it raises is shown by HandleException and the program goes on.
  void Dispatch(const std::function<void()>& handler);

  void RegisterTimer(TTimer* timer) { timers.push_back(timer); }
  void UnregisterTimer(TTimer* timer);

private:
  // A form the application owns and how to forget the reference the program keeps to it.
  struct TCreatedForm {
    std::unique_ptr<TForm> Form;
    std::function<void()> ClearReference;
  };

  std::string title = "Aerolern";
  bool terminated = false;
  TForm* mainForm = nullptr;
  std::vector<TCreatedForm> forms;
  std::vector<TTimer*> timers;
};

extern TApplication Application;

// The screen the program runs on.
class TScreen {
public:
  int Width() const;
  int Height() const;
};

extern TScreen Screen;

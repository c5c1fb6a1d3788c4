// The start-up sequence, shared by the program and the tests.
#include "mainwindow/Startup.h"

#include "core/srcCommon.h"
#include "dialogs/srcKategorieWahl.h"
#include "dialogs/srcNew.h"
#include "dialogs/srcPruefungsKatWahl.h"
#include "mainwindow/srcFrageAntwort.h"
#include "toolkit/Application.h"
#include "windows/srcBericht.h"
#include "windows/srcInfo.h"
#include "windows/srcLernplan.h"
#include "windows/srcLernstand.h"
#include "windows/srcSkizzen.h"
#include "windows/srcSplash.h"
#include "windows/srcXMsgBox.h"

namespace {
constexpr int32_t kSplashMs = 5000;
}

void StartProgram() {
  Application.SetTitle("Aerolern");
  Application.CreateForm(frmFrageAntwort);
  Application.CreateForm(frmKategorieWahl);
  Application.CreateForm(frmNew);
  Application.CreateForm(frmPruefungsKatWahl);
  Application.CreateForm(frmSkizzen);
  Application.CreateForm(frmSplash);
  Application.CreateForm(frmInfo);
  Application.CreateForm(frmXMsgBox);
  Application.CreateForm(frmLernstand);
  Application.CreateForm(frmLernplan);
  Application.CreateForm(frmBericht);
  frmSplash->Show();
  PumpMessagesFor(kSplashMs);
  frmSplash->Hide();
}

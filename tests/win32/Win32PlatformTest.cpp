// The Win32 backend where it meets Windows: text as UTF-16, the program's path, the local time
// zone's daylight saving, a form's client area below its menu bar, and keys from the queue.
#include "toolkit/win32/Win32Platform.h"
#include "toolkit/Form.h"
#include "toolkit/win32/Win32Api.h"
#include "toolkit/win32/Win32FormPeer.h"
#include "toolkit/win32/Win32Text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Posts a key as Windows queues it: the key goes down, with its scan code for the translation
// into a character.
void PostKey(HWND window, UINT virtualKey) {
  const UINT scanCode = MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC);
  PostMessageW(window, WM_KEYDOWN, virtualKey, static_cast<LPARAM>(1 | (scanCode << 16)));
}

} // namespace

TEST(Win32Platform, NamesCrossAsUtf16AndTheProgramPathSplitsAtItsBackslash) {
  TWin32Platform platform;
  EXPECT_EQ(Widen("Jürgen Ölmann"), std::wstring(L"J\u00fcrgen \u00d6lmann"));
  EXPECT_EQ(Narrow(Widen("Gleitschirm \xf0\x9f\xaa\x82 €")), "Gleitschirm \xf0\x9f\xaa\x82 €");

  // A folder made and listed through the W functions keeps a learner's name.
  std::wstring temp(MAX_PATH + 1, L'\0');
  temp.resize(GetTempPathW(static_cast<DWORD>(temp.size()), temp.data()));
  const std::string name = "Jürgen Ölmann " + std::to_string(GetCurrentProcessId());
  const std::wstring folder = temp + Widen(name);
  ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
  WIN32_FIND_DATAW found{};
  HANDLE search = FindFirstFileW(folder.c_str(), &found);
  ASSERT_NE(search, INVALID_HANDLE_VALUE);
  FindClose(search);
  RemoveDirectoryW(folder.c_str());
  EXPECT_EQ(Narrow(found.cFileName), name);

  // The settings file lies beside the program: its folder ends at the last backslash.
  const std::string path = platform.ProgramPath();
  EXPECT_NE(GetFileAttributesW(Widen(path).c_str()), INVALID_FILE_ATTRIBUTES) << path;
  EXPECT_EQ(ProgramFolder() + ProgramFileName(), path);
  EXPECT_EQ(ProgramFolder().back(), '\\');
  EXPECT_EQ(ProgramFileName().find('\\'), std::string::npos);
}

TEST(Win32Platform, TheLocalOffsetIsTheOneOfThatMoment) {
  // The test command runs this with TZ=Europe/Berlin, which Wine takes for the Windows zone.
  TIME_ZONE_INFORMATION zone{};
  if (!GetTimeZoneInformationForYear(2026, nullptr, &zone) || zone.Bias != -60 ||
      zone.DaylightBias != -60 || zone.DaylightDate.wMonth != 3 || zone.StandardDate.wMonth != 10)
    GTEST_SKIP() << "The machine keeps no Central European time.";
  TWin32Platform platform;
  // 2026-03-29 01:00 UTC the clocks go from 02:00 CET to 03:00 CEST, and back on 2026-10-25.
  EXPECT_EQ(platform.UtcOffsetSeconds(1774746000000 - 1000), 3600);
  EXPECT_EQ(platform.UtcOffsetSeconds(1774746000000), 7200);
  EXPECT_EQ(platform.UtcOffsetSeconds(1792890000000 - 1000), 7200);
  EXPECT_EQ(platform.UtcOffsetSeconds(1792890000000), 3600);
  // Another year's summer, with that year's rules.
  EXPECT_EQ(platform.UtcOffsetSeconds(1940673600000), 7200);
}

TEST(Win32FormPeer, TheClientAreaIsTheModelsAndKeysReachTheModelInOrder) {
  TWin32Platform platform;
  TForm form("frmProbe");
  TMainMenu* menu = form.CreateMainMenu("MainMenu1");
  menu->Add("mnuProgramm", "&Programm")->Add("mnuSpeichern", "Speichern", ShortCut('S', ssCtrl));
  form.SetMenu(menu);
  form.SetBounds(10, 20, 0, 0);
  form.SetClientWidth(517);
  form.SetClientHeight(420);
  TButton* klar = form.Create<TButton>("btnKlar");
  klar->SetCaption("&Klar");
  klar->SetDefault(true);
  std::vector<std::string> heard;
  klar->OnKeyDown = [&](TObject*, int& key, TShiftState) {
    heard.push_back("down " + std::to_string(key));
  };
  klar->OnKeyPress = [&](TObject*, char32_t& key) {
    heard.push_back("press " + std::to_string(key));
  };
  klar->OnClick = [&](TObject*) { heard.push_back("click"); };
  form.Show();
  auto* peer = dynamic_cast<TWin32FormPeer*>(form.Peer());
  ASSERT_NE(peer, nullptr);

  // The client area below the menu bar is the model's, whatever the frame and the bar take.
  RECT client{}, outer{};
  GetClientRect(peer->Handle(), &client);
  GetWindowRect(peer->Handle(), &outer);
  EXPECT_EQ(client.right - client.left, 517);
  EXPECT_EQ(client.bottom - client.top, 420);
  EXPECT_EQ(outer.left, 10);
  EXPECT_EQ(outer.top, 20);

  // A key and the character it types reach the model together, the key first; Return clicks
  // the default button and types nothing.
  ASSERT_EQ(form.FocusedControl(), klar);
  PostKey(peer->Handle(), 'A');
  PostKey(peer->Handle(), VK_RETURN);
  platform.ProcessMessages();
  EXPECT_EQ(heard, (std::vector<std::string>{"down 65", "press 97", "down 13", "click"}));
  form.Hide();
}

// Tests of saving the knowledge state, writing the catalogue and the report for the flight school
// when the disk refuses a write.
#include "support/UiFixture.h"

#include "dialogs/srcNew.h"
#include "history/CalendarDate.h"
#include "history/HistoryStore.h"
#include "mainwindow/Startup.h"

#include <SQLiteCpp/SQLiteCpp.h>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <linux/capability.h>
#include <optional>
#include <sys/mount.h>
#include <sys/statvfs.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

const char* const kFiller = "Fueller";

bool RunningAsRoot() { return ::geteuid() == 0; }

std::size_t PageSize() { return static_cast<std::size_t>(::sysconf(_SC_PAGESIZE)); }

// A tmpfs mounted for the length of a test and unmounted when it goes, also after a failure.
class TTmpfsMount {
public:
  TTmpfsMount(std::string where, std::size_t bytes)
      : path(std::move(where)), options("size=" + std::to_string(bytes)) {
    fs::create_directories(path);
    if (::mount("tmpfs", path.c_str(), "tmpfs", 0, options.c_str()) == 0)
      mounted = true;
    else
      error = std::strerror(errno);
  }
  ~TTmpfsMount() {
    // Detaching works even when something inside is still in use.
    if (mounted)
      ::umount2(path.c_str(), MNT_DETACH);
  }
  TTmpfsMount(const TTmpfsMount&) = delete;
  TTmpfsMount& operator=(const TTmpfsMount&) = delete;

  bool Mounted() const { return mounted; }
  const std::string& Error() const { return error; }
  // Makes the mounted file system read-only or writable again; returns the reason of a failure.
  std::string SetReadOnly(bool readOnly) {
    const unsigned long flags = MS_REMOUNT | (readOnly ? MS_RDONLY : 0);
    if (::mount(nullptr, path.c_str(), nullptr, flags, options.c_str()) != 0)
      return std::strerror(errno);
    return "";
  }

private:
  std::string path;
  std::string options;
  bool mounted = false;
  std::string error;
};

// Moves the working directory for as long as it lives.
class TWorkingDir {
public:
  explicit TWorkingDir(const std::string& path) : previous(fs::current_path()) {
    fs::current_path(path);
  }
  ~TWorkingDir() {
    std::error_code ignored;
    fs::current_path(previous, ignored);
  }
  TWorkingDir(const TWorkingDir&) = delete;
  TWorkingDir& operator=(const TWorkingDir&) = delete;

private:
  fs::path previous;
};

// Runs an action when it goes, also when a test stops early.
class TAtExit {
public:
  explicit TAtExit(std::function<void()> action) : action(std::move(action)) {}
  ~TAtExit() { action(); }
  TAtExit(const TAtExit&) = delete;
  TAtExit& operator=(const TAtExit&) = delete;

private:
  std::function<void()> action;
};

// Takes the right to override file permissions out of the effective capabilities for as long as
// it lives, so that a run as root meets the permission bits as a learner's account does.
class TWithoutPermissionOverride {
public:
  TWithoutPermissionOverride() {
    header.version = _LINUX_CAPABILITY_VERSION_3;
    header.pid = 0;
    if (::syscall(SYS_capget, &header, saved) != 0)
      return;
    __user_cap_data_struct reduced[2] = {saved[0], saved[1]};
    reduced[CAP_DAC_OVERRIDE / 32].effective &= ~(1u << (CAP_DAC_OVERRIDE % 32));
    active = ::syscall(SYS_capset, &header, reduced) == 0;
  }
  ~TWithoutPermissionOverride() {
    if (active)
      ::syscall(SYS_capset, &header, saved);
  }
  TWithoutPermissionOverride(const TWithoutPermissionOverride&) = delete;
  TWithoutPermissionOverride& operator=(const TWithoutPermissionOverride&) = delete;

private:
  __user_cap_header_struct header{};
  __user_cap_data_struct saved[2]{};
  bool active = false;
};

// Whether a new file in the folder can be created and written; the probe is removed again.
bool FolderTakesNewFiles(const std::string& folder) {
  const std::string probe = folder + "/probe";
  const int fd = ::open(probe.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0)
    return false;
  const bool written = ::write(fd, "x", 1) == 1 && ::fsync(fd) == 0;
  ::close(fd);
  ::unlink(probe.c_str());
  return written;
}

// Writes a filler file until the file system of the working directory has no block left.
bool FillDisk() {
  const int fd = ::open(kFiller, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0)
    return false;
  const std::vector<char> chunk(PageSize(), 'x');
  int lastError = 0;
  for (;;) {
    const ssize_t n = ::write(fd, chunk.data(), chunk.size());
    if (n < 0 && errno == EINTR)
      continue;
    if (n <= 0) {
      lastError = n < 0 ? errno : ENOSPC;
      break;
    }
  }
  ::close(fd);
  struct statvfs info {};
  return lastError == ENOSPC && ::statvfs(".", &info) == 0 && info.f_bavail == 0;
}

bool DiskIsFull() {
  struct statvfs info {};
  return ::statvfs(".", &info) == 0 && info.f_bavail == 0;
}

// The smallest catalogue of at least three records whose last page has room for part of another
// record, but not for a whole one: appending to it on a full disk writes a partial record.
std::size_t RecordsEndingShortOfAPage() {
  const std::size_t page = PageSize();
  for (std::size_t count = 3;; ++count) {
    const std::size_t used = count * kRecordSize;
    const std::size_t room = (page - used % page) % page;
    if (room > 0 && room < kRecordSize)
      return count;
  }
}

class DiskFaultTest : public UiTest {
protected:
  // Mounts a small tmpfs in the temporary directory and works inside it; skips the test when
  // mounting is not possible here.
  void WorkOnScratchDisk() {
    if (!RunningAsRoot())
      GTEST_SKIP() << "mounting a tmpfs needs root; running as uid " << ::geteuid();
    const std::size_t catalogue = RecordsEndingShortOfAPage() * kRecordSize;
    scratch.emplace(dir.File("platte"), catalogue + 8 * PageSize());
    if (!scratch->Mounted())
      GTEST_SKIP() << "tmpfs mount refused here: " << scratch->Error();
    workIn.emplace(dir.File("platte"));
  }

  static std::string OpenEntriesAsFile() {
    std::string bytes;
    for (const PoolEntry& entry : QuestionPool())
      if (entry.Open != 0)
        bytes += EntryBytes(entry);
    return bytes;
  }

  void Save() { PressKey(Main(), 'S', ssCtrl); }

  // The new files of saves ("<name>.neu-" and six letters) that stand beside the file.
  static int TemporariesBeside(const std::string& path) {
    const fs::path file = fs::absolute(path);
    int count = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(file.parent_path()))
      if (entry.path().filename().string().rfind(file.filename().string() + ".neu", 0) == 0)
        ++count;
    return count;
  }

  // The learner saves, learns on and saves again while `refuse` makes the disk refuse the new
  // knowledge file; `allow` lets it write again. `refuse` returns why it could not refuse, or "".
  // The earlier file must survive whole, the learner must read `message`, learning must go on.
  void SaveIsRefusedAndLearningGoesOn(const std::function<std::string()>& refuse,
                                      const std::function<void()>& allow,
                                      const std::string& message) {
    Start();
    ChooseMenu(Main(), "mnuVertifungsmode");
    ClickControl(Main(), "btnKlar");
    ClickControl(Main(), "btnKlar");
    Save();
    const std::string path = KnowledgeFilePath();
    const std::string earlier = ReadFileBytes(path);
    ASSERT_EQ(earlier, OpenEntriesAsFile()) << "the first save must work";
    ASSERT_EQ(earlier.size(), 4 * 12u);
    ASSERT_TRUE(platform.Messages().empty());
    ClickControl(Main(), "btnKlar");
    ASSERT_EQ(OpenQuestionCount(), 3);

    const std::string notRefused = refuse();
    if (!notRefused.empty())
      GTEST_SKIP() << "cannot make the disk refuse the write here: " << notRefused;
    Save();
    ASSERT_EQ(platform.Messages().size(), 1u) << "the failed save is reported once";
    EXPECT_EQ(platform.Messages()[0].Text, message);
    EXPECT_EQ(platform.Messages()[0].Caption, "Aerolern");
    EXPECT_EQ(ReadFileBytes(path), earlier) << "the earlier knowledge file survives whole";
    EXPECT_EQ(TemporariesBeside(path), 0) << "the half-written new file is not left behind";
    EXPECT_EQ(OpenQuestionCount(), 3) << "a failed save changes nothing in the pass";
    EXPECT_EQ(CounterLine(), "Unklare Fragen: 3");

    // Learning goes on, and once the disk takes the file again, the next save works.
    ClickControl(Main(), "btnKlar");
    EXPECT_EQ(OpenQuestionCount(), 2);
    EXPECT_EQ(CounterLine(), "Unklare Fragen: 2");
    allow();
    Save();
    EXPECT_EQ(platform.Messages().size(), 1u) << "the second save shows nothing";
    EXPECT_EQ(ReadFileBytes(path), OpenEntriesAsFile());
    EXPECT_EQ(ReadFileBytes(path).size(), 2 * 12u);
    EXPECT_EQ(TemporariesBeside(path), 0) << "nothing is left beside the knowledge file";
  }

  // Fills the editor as the user would for a new question.
  static void EnterQuestion(TfrmNew& editor) {
    editor.inpFrage->SetFocus();
    TypeText(editor, "Was zeigt ein Windsack?");
    editor.inpAntwortA->SetText("Die Temperatur");
    editor.inpAntwortB->SetText("Windrichtung und -stärke");
    editor.inpAntwortC->SetText("Den Luftdruck");
    editor.inpAntwortD->SetText("Die Sichtweite");
    ClickControl(editor, "chkB");
    ClickControl(editor, "opt12");
  }

  static void ExpectQuestionStillEntered(TfrmNew& editor) {
    EXPECT_EQ(editor.inpFrage->Text(), "Was zeigt ein Windsack?");
    EXPECT_EQ(editor.inpAntwortA->Text(), "Die Temperatur");
    EXPECT_EQ(editor.inpAntwortB->Text(), "Windrichtung und -stärke");
    EXPECT_EQ(editor.inpAntwortC->Text(), "Den Luftdruck");
    EXPECT_EQ(editor.inpAntwortD->Text(), "Die Sichtweite");
    EXPECT_TRUE(editor.chkB->Checked());
    EXPECT_FALSE(editor.chkA->Checked() || editor.chkC->Checked() || editor.chkD->Checked());
    EXPECT_TRUE(editor.Find<TRadioButton>("opt12")->Checked());
  }

  static QuestionRecord EnteredQuestion() {
    return MakeQuestion(
        1, 2, "Was zeigt ein Windsack?",
        {{"Die Temperatur", "Windrichtung und -stärke", "Den Luftdruck", "Die Sichtweite"}, 'B'});
  }

  // Declared in this order so that the working directory leaves the mount before it goes.
  std::optional<TTmpfsMount> scratch;
  std::optional<TWorkingDir> workIn;
};

TEST_F(DiskFaultTest, KnowledgeFolderWithoutWritePermission) {
  WriteCatalogue(Questions(6, 1, 1));
  const std::string folder = dir.File("stand");
  fs::create_directory(folder);
  WriteSettings("KnowledgeLevelLocation=" + folder + "\n");
  std::optional<TWithoutPermissionOverride> asLearner;
  // The temporary directory can only be removed once the folder is writable again.
  const TAtExit writable([&] {
    asLearner.reset();
    std::error_code ignored;
    fs::permissions(folder, fs::perms(0755), ignored);
  });
  SaveIsRefusedAndLearningGoesOn(
      [&] {
        fs::permissions(folder, fs::perms(0555));
        // Root passes permission bits by its capability; without it, root meets them too.
        if (RunningAsRoot())
          asLearner.emplace();
        return FolderTakesNewFiles(folder) ? std::string("the folder still takes new files")
                                           : std::string();
      },
      [&] {
        asLearner.reset();
        fs::permissions(folder, fs::perms(0755));
      },
      "E/A-Fehler 5 beim Anlegen von " + folder + "/Wissensstand.dat: Zugriff verweigert.");
}

// The report goes into the knowledge file's folder: when the folder takes no new file, the
// learner reads why and the window stays for another try, which works once the folder does.
TEST_F(DiskFaultTest, ReportIntoAFolderWithoutWritePermission) {
  recordHistory = true;
  WriteCatalogue(Questions(6, 1, 1));
  const std::string folder = dir.File("stand");
  fs::create_directory(folder);
  WriteSettings("KnowledgeLevelLocation=" + folder + "\n");
  std::optional<TWithoutPermissionOverride> asLearner;
  const TAtExit writable([&] {
    asLearner.reset();
    std::error_code ignored;
    fs::permissions(folder, fs::perms(0755), ignored);
  });
  Start();
  // An answer opens the history in the folder while it is still writable.
  ChooseMenu(Main(), "mnuVertifungsmode");
  TickAnswer(false);
  ClickControl(Main(), "btnLoesung");
  fs::permissions(folder, fs::perms(0555));
  if (RunningAsRoot())
    asLearner.emplace();
  if (FolderTakesNewFiles(folder))
    GTEST_SKIP() << "the folder still takes new files";
  const std::string path =
      folder + "/Lernstand-Erika-" + LocalDateText(platform.UtcNowMs()) + ".json";
  platform.ClearMessages();
  platform.OnModal("frmBericht", [&](TForm& window) {
    TypeText(window, "Erika");
    ClickControl(window, "btnSchreiben");
    ASSERT_EQ(platform.Messages().size(), 1u);
    EXPECT_EQ(platform.Messages()[0].Text,
              "Der Bericht wurde nicht geschrieben.\n\rE/A-Fehler 5 beim Anlegen von " + path +
                  ": Zugriff verweigert.");
    EXPECT_TRUE(window.Visible());
    asLearner.reset();
    fs::permissions(folder, fs::perms(0755));
    ClickControl(window, "btnSchreiben");
  });
  ChooseMenu(Main(), "mnuBericht");
  ASSERT_EQ(platform.Messages().size(), 2u);
  EXPECT_EQ(platform.Messages()[1].Text.find("Der Bericht ist gespeichert in der Datei\n\r" + path),
            0u);
  EXPECT_TRUE(FileExists(path));
  EXPECT_EQ(TemporariesBeside(path), 0);
}

// Whatever stands at the name earlier versions wrote to, a link to another file or a folder, is
// neither followed nor touched: the new file gets a fresh name of its own.
TEST_F(DiskFaultTest, KnowledgeSaveFollowsNoPlantedName) {
  WriteCatalogue(Questions(6, 1, 1));
  WriteFileBytes("fremd.txt", "nicht anfassen");
  const std::string planted = std::string(KnowledgeFileName) + ".neu";
  fs::create_symlink(fs::absolute("fremd.txt"), planted);
  fs::create_directory(planted + "-ordner");
  Start();
  Save();
  EXPECT_TRUE(platform.Messages().empty());
  EXPECT_EQ(ReadFileBytes(KnowledgeFileName), OpenEntriesAsFile());
  EXPECT_EQ(ReadFileBytes("fremd.txt"), "nicht anfassen");
  EXPECT_TRUE(fs::is_symlink(planted));
  EXPECT_TRUE(fs::is_empty(planted + "-ordner"));
  EXPECT_EQ(TemporariesBeside(KnowledgeFileName), 2) << "only the two planted names remain";
}

TEST_F(DiskFaultTest, KnowledgeFolderOnAReadOnlyFileSystem) {
  if (!RunningAsRoot())
    GTEST_SKIP() << "mounting a tmpfs needs root; running as uid " << ::geteuid();
  WriteCatalogue(Questions(6, 1, 1));
  const std::string folder = dir.File("stand");
  TTmpfsMount mount(folder, 16 * PageSize());
  if (!mount.Mounted())
    GTEST_SKIP() << "tmpfs mount refused here: " << mount.Error();
  WriteSettings("KnowledgeLevelLocation=" + folder + "\n");
  SaveIsRefusedAndLearningGoesOn(
      [&] {
        const std::string failed = mount.SetReadOnly(true);
        if (!failed.empty())
          return "remounting read-only failed: " + failed;
        return FolderTakesNewFiles(folder) ? std::string("the folder still takes new files")
                                           : std::string();
      },
      [&] { ASSERT_EQ(mount.SetReadOnly(false), ""); },
      "E/A-Fehler 5 beim Anlegen von " + folder + "/Wissensstand.dat: Zugriff verweigert.");
}

TEST_F(DiskFaultTest, KnowledgeSaveOnAFullDisk) {
  WorkOnScratchDisk();
  if (IsSkipped())
    return;
  WriteCatalogue(Questions(6, 1, 1));
  SaveIsRefusedAndLearningGoesOn(
      [] { return FillDisk() ? std::string() : std::string("the disk could not be filled"); },
      [] { fs::remove(kFiller); },
      "E/A-Fehler 101 beim Schreiben von Wissensstand.dat: Schreiben fehlgeschlagen.");
}

TEST_F(DiskFaultTest, NewQuestionOnAFullDisk) {
  WorkOnScratchDisk();
  if (IsSkipped())
    return;
  const std::size_t count = RecordsEndingShortOfAPage();
  WriteCatalogue(Questions(static_cast<int>(count), 1, 1));
  Start();
  ChooseMenu(Main(), "mnuVertifungsmode");
  ASSERT_TRUE(FillDisk());
  const std::string before = ReadFileBytes(CatalogueFileName);
  ASSERT_EQ(before.size(), count * kRecordSize);
  const int32_t openBefore = OpenQuestionCount();
  const std::size_t poolBefore = QuestionPool().size();

  bool refused = false;
  platform.OnModal("frmNew", [&](TForm& form) {
    TfrmNew& editor = *frmNew;
    EnterQuestion(editor);
    ClickControl(form, "btnSave");
    ASSERT_EQ(platform.Messages().size(), 1u) << "the failed save is reported";
    const std::string& text = platform.Messages()[0].Text;
    EXPECT_EQ(text.rfind("E/A-Fehler 101 ", 0), 0u) << text;
    EXPECT_NE(text.find("Aerolern.dat"), std::string::npos) << text;
    // The user keeps what was typed and may try again or cancel.
    EXPECT_TRUE(form.Visible()) << "the editor stays open after a failed save";
    ExpectQuestionStillEntered(editor);
    EXPECT_EQ(ReadFileBytes(CatalogueFileName), before) << "no partial record stays behind";
    EXPECT_EQ(OpenQuestionCount(), openBefore);
    EXPECT_EQ(QuestionPool().size(), poolBefore) << "the pool learns of no unsaved question";
    ClickControl(form, "btnAbbrechen");
    EXPECT_FALSE(form.Visible());
    refused = true;
  });
  ChooseMenu(Main(), "mnuFragenNeueFrage");
  ASSERT_TRUE(refused);
  const std::string afterFailure = ReadFileBytes(CatalogueFileName);
  EXPECT_EQ(afterFailure, before);
  EXPECT_EQ(afterFailure.size() % kRecordSize, 0u);
  EXPECT_EQ(OpenQuestionCount(), openBefore);
  EXPECT_EQ(QuestionPool().size(), poolBefore);
  EXPECT_EQ(CounterLine(), "Unklare Fragen: " + std::to_string(openBefore));
  EXPECT_EQ(platform.Messages().size(), 1u);

  // With room again, the same question is saved as exactly one new record at the end.
  fs::remove(kFiller);
  bool saved = false;
  platform.OnModal("frmNew", [&](TForm& form) {
    EnterQuestion(*frmNew);
    ClickControl(form, "btnSave");
    EXPECT_FALSE(form.Visible()) << "a successful save closes the editor";
    saved = true;
  });
  ChooseMenu(Main(), "mnuFragenNeueFrage");
  ASSERT_TRUE(saved);
  const std::string after = ReadFileBytes(CatalogueFileName);
  ASSERT_EQ(after.size(), (count + 1) * kRecordSize);
  EXPECT_EQ(after.substr(0, before.size()), before) << "earlier records keep every byte";
  EXPECT_EQ(RecordAt(after, count), EncodeRecord(EnteredQuestion()));
  EXPECT_EQ(OpenQuestionCount(), openBefore + 1);
  EXPECT_EQ(QuestionPool().size(), poolBefore + 1);
  EXPECT_EQ(platform.Messages().size(), 1u) << "the successful save shows nothing";
}

TEST_F(DiskFaultTest, NewQuestionIntoACatalogueWithoutWritePermission) {
  WriteCatalogue(Questions(3, 1, 1));
  Start();
  ChooseMenu(Main(), "mnuVertifungsmode");
  const std::string before = ReadFileBytes(CatalogueFileName);
  const int32_t openBefore = OpenQuestionCount();
  std::optional<TWithoutPermissionOverride> asLearner;
  const TAtExit writable([&] {
    asLearner.reset();
    std::error_code ignored;
    fs::permissions(CatalogueFileName, fs::perms(0644), ignored);
  });
  fs::permissions(CatalogueFileName, fs::perms(0444));
  if (RunningAsRoot())
    asLearner.emplace();
  const int probe = ::open(CatalogueFileName, O_WRONLY | O_CLOEXEC);
  if (probe >= 0) {
    ::close(probe);
    GTEST_SKIP() << "the catalogue still opens for writing here";
  }

  bool refused = false;
  platform.OnModal("frmNew", [&](TForm& form) {
    EnterQuestion(*frmNew);
    ClickControl(form, "btnSave");
    ASSERT_EQ(platform.Messages().size(), 1u) << "the refused save is reported";
    EXPECT_EQ(platform.Messages()[0].Text,
              "E/A-Fehler 5 beim Öffnen von Aerolern.dat: Zugriff verweigert.");
    EXPECT_TRUE(form.Visible()) << "the editor stays open after a refused save";
    ExpectQuestionStillEntered(*frmNew);
    EXPECT_EQ(QuestionPool().size(), 3u) << "the pool learns of no unsaved question";
    ClickControl(form, "btnAbbrechen");
    refused = true;
  });
  ChooseMenu(Main(), "mnuFragenNeueFrage");
  ASSERT_TRUE(refused);
  EXPECT_EQ(ReadFileBytes(CatalogueFileName), before);
  EXPECT_EQ(OpenQuestionCount(), openBefore);
  EXPECT_EQ(CounterLine(), "Unklare Fragen: " + std::to_string(openBefore));
  EXPECT_EQ(platform.Messages().size(), 1u);
}

TEST_F(DiskFaultTest, ChangesInPlaceOnAFullDisk) {
  WorkOnScratchDisk();
  if (IsSkipped())
    return;
  const std::size_t count = RecordsEndingShortOfAPage();
  const std::vector<QuestionRecord> records = Questions(static_cast<int>(count), 1, 1);
  WriteCatalogue(records);
  Start();
  ChooseMenu(Main(), "mnuVertifungsmode");
  ASSERT_TRUE(FillDisk());
  const std::string before = ReadFileBytes(CatalogueFileName);

  // Overwriting a record takes no new block, so a full disk must not stop a correction.
  const int32_t changed = CurrentQuestionNo();
  ASSERT_GE(changed, 0);
  platform.OnModal("frmNew", [&](TForm& form) {
    frmNew->inpFrage->SetText("Geändert auf voller Platte");
    ClickControl(form, "btnSave");
    EXPECT_FALSE(form.Visible()) << "the change was saved";
  });
  ChooseMenu(Main(), "mnuFragenAktuelleFrageAendern");
  EXPECT_TRUE(platform.Messages().empty());
  EXPECT_TRUE(DiskIsFull()) << "the change was made without any room on the disk";
  const std::string afterChange = ReadFileBytes(CatalogueFileName);
  ASSERT_EQ(afterChange.size(), count * kRecordSize) << "the catalogue stays whole";
  QuestionRecord expected = records[static_cast<std::size_t>(changed)];
  expected.Question = "Geändert auf voller Platte";
  EXPECT_EQ(RecordAt(afterChange, static_cast<std::size_t>(changed)), EncodeRecord(expected));
  for (std::size_t i = 0; i < count; ++i) {
    if (i != static_cast<std::size_t>(changed)) {
      EXPECT_EQ(RecordAt(afterChange, i), RecordAt(before, i)) << "record " << i;
    }
  }
  EXPECT_EQ(Main().lblFrage->Caption(), "Geändert auf voller Platte");

  // Deleting only clears the in-use flag in place, so it works on the full disk as well.
  const int32_t deleted = CurrentQuestionNo();
  ASSERT_GE(deleted, 0);
  const int32_t openBefore = OpenQuestionCount();
  ChooseMenu(Main(), "AktuelleFragelschen1");
  EXPECT_TRUE(platform.Messages().empty());
  const std::string afterDelete = ReadFileBytes(CatalogueFileName);
  ASSERT_EQ(afterDelete.size(), count * kRecordSize);
  for (std::size_t i = 0; i < count; ++i) {
    RecordBytes wanted = RecordAt(afterChange, i);
    if (i == static_cast<std::size_t>(deleted))
      wanted[kOffInUse] = 0;
    EXPECT_EQ(RecordAt(afterDelete, i), wanted) << "record " << i;
  }
  EXPECT_EQ(OpenQuestionCount(), openBefore - 1);
}

} // namespace

namespace {

TEST_F(DiskFaultTest, ReadOnlyCatalogueOfAnotherEditionIsStillChecked) {
  std::vector<QuestionRecord> records = Questions(4, 1, 1);
  for (QuestionRecord& record : records)
    record.Owner = "Andere Flugschule";
  WriteCatalogue(records);
  fs::permissions(CatalogueFileName, fs::perms(0444));
  const TAtExit writable([&] {
    std::error_code ignored;
    fs::permissions(CatalogueFileName, fs::perms(0644), ignored);
  });
  const TWithoutPermissionOverride asLearner;
  StartProgram();
  ASSERT_EQ(platform.Messages().size(), 1u);
  EXPECT_EQ(platform.Messages()[0].Text,
            "Achtung! Das Datenfile (Fragenkatalog) passt nicht zur Aerolern Version!");
  EXPECT_TRUE(Application.Terminated());
}

} // namespace

namespace {

class HistoryDiskFaultTest : public DiskFaultTest {};

// A full disk costs the answer being recorded, never the history file or the learner's click.
TEST_F(HistoryDiskFaultTest, AnswerOnAFullDisk) {
  if (!RunningAsRoot())
    GTEST_SKIP() << "mounting a tmpfs needs root; running as uid " << ::geteuid();
  scratch.emplace(dir.File("platte"), 256 * PageSize());
  if (!scratch->Mounted())
    GTEST_SKIP() << "tmpfs mount refused here: " << scratch->Error();
  workIn.emplace(dir.File("platte"));
  recordHistory = true;
  WriteCatalogue(Questions(6, 1, 1));
  Start();
  ClickControl(Main(), "btnKlar");
  const std::string recorded = ReadFileBytes(HistoryFileName);
  ASSERT_FALSE(recorded.empty());
  ASSERT_TRUE(FillDisk());
  ClickControl(Main(), "btnKlar");
  EXPECT_EQ(OpenQuestionCount(), 4) << "the click took effect";
  ASSERT_EQ(platform.Messages().size(), 1u);
  EXPECT_NE(platform.Messages()[0].Text.find("der Datenträger ist voll"), std::string::npos)
      << platform.Messages()[0].Text;
  EXPECT_NE(platform.Messages()[0].Text.find(HistoryFileName), std::string::npos);
  EXPECT_EQ(ReadFileBytes(HistoryFileName), recorded);
  fs::remove(kFiller);
  ClickControl(Main(), "btnKlar");
  ASSERT_EQ(platform.Messages().size(), 2u);
  EXPECT_EQ(platform.Messages()[1].Text,
            "Der Lernverlauf zeichnet wieder auf. 1 Antwort wurde nicht aufgezeichnet.");
  SQLite::Database db(HistoryFileName);
  EXPECT_EQ(db.execAndGet("PRAGMA integrity_check").getString(), "ok");
  EXPECT_EQ(db.execAndGet("SELECT count(*) FROM antworten").getInt(), 2);
}

} // namespace

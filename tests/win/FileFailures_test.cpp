// Saving where the old file cannot be replaced or the disk fills up, and
// opening a file that cannot be read. A failed save shows its message
// through the error display and loses nothing: the old file keeps every
// byte, no temporary file is left beside it, and the text is still there,
// modified, under its old name.
#include <memory>

#include "FailingAllocation.h"
#include "FilesFixture.h"
#include "ImportPatch.h"
#include "RunningSystem.h"
#include "SmallDrive.h"

using namespace testing_support;

namespace {

const std::string OldFile = "{\\rtf1\\ansi old words}";

std::string CannotCreate(const std::string& path) {
  return "Kann Datei " + path + " nicht erstellen.";
}
const std::string SaveFailed = "Das Speichern des Streams ist mi\xDFlungen.";

// More than the small drive holds, in RTF and in plain text.
std::string LongText() {
  std::string text;
  for (int i = 0; i < 4000; ++i) text += "line " + std::to_string(i) + " of the new words\r\n";
  return text;
}

// Another program that holds a file open without sharing while it lives.
class HoldingProgram {
 public:
  explicit HoldingProgram(const std::string& path) : holder_("holder.exe", "\"" + path + "\"") {
    holding_ = holder_.Started() && WaitUntil([&] { return !OpensForWriting(path); });
  }
  bool Holding() const { return holding_; }

 private:
  static bool OpensForWriting(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    return true;
  }

  ChildProgram holder_;
  bool holding_ = false;
};

enum class Obstacle { ReadOnly, HeldByAnotherProgram, DiskFull };
enum class Via { Save, SaveAs };

struct FailureCase {
  Obstacle obstacle;
  Via via;
};

std::string CaseName(const testing::TestParamInfo<FailureCase>& info) {
  static const char* const obstacles[] = {"ReadOnly", "HeldByAnotherProgram", "DiskFull"};
  return std::string(obstacles[static_cast<int>(info.param.obstacle)]) +
         (info.param.via == Via::Save ? "_Save" : "_SaveAs");
}

}  // namespace

class FailedSave : public FilesTest, public testing::WithParamInterface<FailureCase> {
 protected:
  static void TearDownTestSuite() { drive.reset(); }

  void SetUp() override {
    if (OnSmallDrive()) {
      // Mounted once for the suite: Wine picks up a new drive at once.
      if (!drive) drive = std::make_unique<SmallDrive>(64);
      if (!drive->Mounted()) GTEST_SKIP() << "no full disk to test on: " << drive->Reason();
    }
    FilesTest::SetUp();
  }

  std::string RootFolder() const override {
    return OnSmallDrive() ? drive->Root() : FilesTest::RootFolder();
  }

  bool OnSmallDrive() const { return GetParam().obstacle == Obstacle::DiskFull; }

  // Puts the obstacle in the way of replacing the file; it lasts as long as
  // the returned holder.
  std::shared_ptr<void> Obstruct(const std::string& name) const {
    switch (GetParam().obstacle) {
      case Obstacle::ReadOnly:
        EXPECT_TRUE(SetFileAttributesA(PathOf(name).c_str(), FILE_ATTRIBUTE_READONLY));
        return nullptr;
      case Obstacle::HeldByAnotherProgram: {
        auto holder = std::make_shared<HoldingProgram>(PathOf(name));
        EXPECT_TRUE(holder->Holding());
        return holder;
      }
      case Obstacle::DiskFull:
        return nullptr;  // the drive is too small for the text
    }
    return nullptr;
  }

  std::string ExpectedMessage(const std::string& name) const {
    return GetParam().obstacle == Obstacle::DiskFull ? SaveFailed : CannotCreate(PathOf(name));
  }

  static std::unique_ptr<SmallDrive> drive;
};

std::unique_ptr<SmallDrive> FailedSave::drive;

TEST_P(FailedSave, ShowsTheMessageAndLosesNothing) {
  const std::string name = "letter.rtf";
  WriteFile(name, OldFile);
  std::string documentName = "Untitled";
  if (GetParam().via == Via::Save) {
    ASSERT_TRUE(Open(name));
    documentName = PathOf(name);
  }
  const std::string text = LongText();
  SetDocument(text);
  std::string message;
  {
    const auto obstacle = Obstruct(name);
    message = GetParam().via == Via::Save ? ErrorOf(form->FileSaveItem)
                                          : SaveAsExpectingError("letter", 1);
  }
  EXPECT_EQ(message, ExpectedMessage(name));
  EXPECT_EQ(ReadFile(name), OldFile);
  EXPECT_EQ(FolderEntries(), std::vector<std::string>{name}) << "no temporary file is left";
  EXPECT_EQ(form->DocumentName(), documentName);
  EXPECT_TRUE(Modified());
  EXPECT_EQ(Document(), text);
}

INSTANTIATE_TEST_SUITE_P(Files, FailedSave,
                         testing::Values(FailureCase{Obstacle::ReadOnly, Via::Save},
                                         FailureCase{Obstacle::ReadOnly, Via::SaveAs},
                                         FailureCase{Obstacle::HeldByAnotherProgram, Via::Save},
                                         FailureCase{Obstacle::HeldByAnotherProgram, Via::SaveAs},
                                         FailureCase{Obstacle::DiskFull, Via::Save},
                                         FailureCase{Obstacle::DiskFull, Via::SaveAs}),
                         CaseName);

// Closing and ending the session alike: the window stays, and says why.
TEST_F(FilesTest, AFailedSaveWhileClosingIsSaidAndKeepsTheWindow) {
  WriteFile("letter.rtf", OldFile);
  ASSERT_TRUE(Open("letter.rtf"));
  SetDocument("new words");
  ASSERT_TRUE(SetFileAttributesA(PathOf("letter.rtf").c_str(), FILE_ATTRIBUTE_READONLY));
  for (const UINT closing : {UINT{WM_CLOSE}, UINT{WM_QUERYENDSESSION}}) {
    ModalScript script;
    script.On(QuestionBox, AnswerYes).On(ErrorBox, [](HWND box) { ClickButton(box, {"OK"}); });
    LRESULT answer = TRUE;
    ASSERT_TRUE(script.Run([&] { answer = SendMessageA(form->Handle(), closing, 0, 0); }));
    EXPECT_EQ(script.Seen().back(), CannotCreate(PathOf("letter.rtf")));
    if (closing == WM_QUERYENDSESSION) {
      EXPECT_EQ(answer, FALSE);
    }
  }
  EXPECT_TRUE(IsWindow(form->Handle()));
  EXPECT_EQ(Document(), "new words");
  EXPECT_TRUE(Modified());
  EXPECT_EQ(ReadFile("letter.rtf"), OldFile);
}

namespace {

// Failures the system or the memory can cause inside the streams, each
// made to happen at an exact point by replacing what the program imports.
int readsLeft = 0;
UINT armedMessage = 0;

// Reads until readsLeft runs out, then fails as a damaged disk does.
BOOL WINAPI FailingRead(HANDLE file, LPVOID buffer, DWORD size, LPDWORD read,
                        LPOVERLAPPED overlapped) {
  if (--readsLeft < 0) {
    SetLastError(ERROR_CRC);
    return FALSE;
  }
  return ImportPatch::Original<decltype(&ReadFile)>("ReadFile")(file, buffer, size, read,
                                                                overlapped);
}

// The first allocation after the control is sent armedMessage fails: it
// is the one the control's stream callback makes.
LRESULT WINAPI ArmingSend(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == armedMessage) {
    armedMessage = 0;
    FailNextAllocation();
  }
  return ImportPatch::Original<decltype(&SendMessageA)>("SendMessageA")(window, message, wParam,
                                                                        lParam);
}

const std::string OutOfMemory = "Zu wenig Arbeitsspeicher.";
const std::string LoadFailedMessage = "Das Laden des Streams ist mi\xDFlungen.";

enum class ReadFailure { AtTheFirstRead, AfterSomeBlocks, MemoryInTheReadCallback };

std::string ReadFailureName(const testing::TestParamInfo<ReadFailure>& info) {
  static const char* const names[] = {"AtTheFirstRead", "AfterSomeBlocks",
                                      "MemoryInTheReadCallback"};
  return names[static_cast<int>(info.param)];
}

}  // namespace

class FailedOpen : public FilesTest, public testing::WithParamInterface<ReadFailure> {
 protected:
  // File/Open of a file whose reading fails as the case says: the error
  // box's text.
  std::string OpenFailing() {
    WriteFile("long.txt", LongText());
    switch (GetParam()) {
      case ReadFailure::AtTheFirstRead:
        // A process's memory file fails with an I/O error at its start.
        return OpenPathExpectingError("Z:\\proc\\self\\mem");
      case ReadFailure::AfterSomeBlocks: {
        readsLeft = 2;
        const ImportPatch failing("KERNEL32.dll", "ReadFile", reinterpret_cast<void*>(FailingRead));
        return OpenExpectingError("long.txt");
      }
      case ReadFailure::MemoryInTheReadCallback: {
        armedMessage = EM_STREAMIN;
        const ImportPatch arming("USER32.dll", "SendMessageA", reinterpret_cast<void*>(ArmingSend));
        return OpenExpectingError("long.txt");
      }
    }
    return "";
  }
};

// Whatever fails, the document is as it was before the command (text,
// format, selection, name, flags), and the next Save writes it, not what
// the failed read left in the control.
TEST_P(FailedOpen, KeepsTheDocumentAndTheNextSaveWritesIt) {
  WriteFile("letter.rtf", OldFile);
  ASSERT_TRUE(Open("letter.rtf"));
  const std::string words = "three glyphs \xE5\xE4\xE3\r\nand a line";
  SetDocument(words);
  SendMessageA(Text(), EM_SETSEL, 0, 5);
  form->BoldButton.Click();
  SendMessageA(Text(), EM_SETSEL, 1, 4);
  Command(form->FileSaveItem);
  ASSERT_FALSE(Modified());
  const HWND shown = Text();

  EXPECT_EQ(OpenFailing(),
            GetParam() == ReadFailure::MemoryInTheReadCallback ? OutOfMemory : LoadFailedMessage);
  EXPECT_FALSE(AllocationFailurePending());
  EXPECT_EQ(StatusText(), "") << "the progress is gone";
  EXPECT_EQ(Text(), shown);
  EXPECT_EQ(DocumentWindows(), 1);
  EXPECT_EQ(Document(), words);
  EXPECT_EQ(form->DocumentName(), PathOf("letter.rtf"));
  EXPECT_FALSE(Modified());
  DWORD start = 0, end = 0;
  SendMessageA(Text(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(std::make_pair(start, end), std::make_pair(DWORD{1}, DWORD{4}));
  EXPECT_TRUE(form->RichEdit1.SelAttributes().Style() & StyleBold);

  Command(form->FileSaveItem);
  ASSERT_TRUE(Open("letter.rtf"));
  EXPECT_EQ(Document(), words);
}

INSTANTIATE_TEST_SUITE_P(Files, FailedOpen,
                         testing::Values(ReadFailure::AtTheFirstRead, ReadFailure::AfterSomeBlocks,
                                         ReadFailure::MemoryInTheReadCallback),
                         ReadFailureName);

// Memory running out in the control's write callback ends the save with
// the message; the old file and the document are as they were.
TEST_F(FilesTest, MemoryRunningOutWhileSavingLosesNothing) {
  WriteFile("letter.rtf", OldFile);
  ASSERT_TRUE(Open("letter.rtf"));
  const std::string text = LongText();
  SetDocument(text);
  std::string message;
  {
    armedMessage = EM_STREAMOUT;
    const ImportPatch arming("USER32.dll", "SendMessageA", reinterpret_cast<void*>(ArmingSend));
    message = ErrorOf(form->FileSaveItem);
  }
  EXPECT_EQ(message, OutOfMemory);
  EXPECT_EQ(ReadFile("letter.rtf"), OldFile);
  EXPECT_EQ(FolderEntries(), std::vector<std::string>{"letter.rtf"});
  EXPECT_TRUE(Modified());
  EXPECT_EQ(Document(), text);
}

namespace {

int movesLeft = 0;  // moves that go through before every further one fails

BOOL WINAPI FailingMove(LPCSTR from, LPCSTR to) {
  if (--movesLeft < 0) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  return ImportPatch::Original<decltype(&MoveFileA)>("MoveFileA")(from, to);
}

// ReplaceFile as it fails once the old file has stepped aside and the new
// one cannot follow.
BOOL WINAPI ReplaceLeavingTheOldFileAside(LPCSTR target, LPCSTR, LPCSTR backup, DWORD, LPVOID,
                                          LPVOID) {
  MoveFileExA(target, backup, 0);
  SetLastError(ERROR_UNABLE_TO_MOVE_REPLACEMENT_2);
  return FALSE;
}

FARPROC WINAPI WithFailingReplace(HMODULE module, LPCSTR name) {
  if (reinterpret_cast<UINT_PTR>(name) > 0xFFFF && lstrcmpA(name, "ReplaceFileA") == 0)
    return reinterpret_cast<FARPROC>(reinterpret_cast<void*>(ReplaceLeavingTheOldFileAside));
  return ImportPatch::Original<decltype(&GetProcAddress)>("GetProcAddress")(module, name);
}

}  // namespace

// The old file stepped aside and could not come back (on 95, 98 and ME by
// the second of two moves, elsewhere inside ReplaceFile): the message says
// where it is now, and the text is still there.
TEST_F(FilesTest, ASaveWhoseOldFileCannotComeBackSaysWhereItIs) {
  WriteFile("letter.rtf", OldFile);
  ASSERT_TRUE(Open("letter.rtf"));
  SetDocument("new words");
  movesLeft = winui::RunsOnWindows9x() ? 1 : 0;
  std::string message;
  {
    const ImportPatch moving("KERNEL32.dll", "MoveFileA", reinterpret_cast<void*>(FailingMove));
    const ImportPatch replacing("KERNEL32.dll", "GetProcAddress",
                                reinterpret_cast<void*>(WithFailingReplace));
    message = ErrorOf(form->FileSaveItem);
  }
  const std::vector<std::string> entries = FolderEntries();
  ASSERT_EQ(entries.size(), 1u) << "only the old file, under another name";
  EXPECT_EQ(ReadFile(entries[0]), OldFile);
  EXPECT_EQ(message, "Kann Datei " + PathOf("letter.rtf") +
                         " nicht erstellen. Die bisherige Datei liegt jetzt unter " +
                         PathOf(entries[0]) + ".");
  EXPECT_TRUE(Modified());
  EXPECT_EQ(Document(), "new words");
}

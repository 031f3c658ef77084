// The recovery copy: unsaved text survives an editor that is killed, a
// copy goes wherever the text is safe or dropped, and no editor takes the
// copy of one that still runs.
#include "FilesFixture.h"
#include "RecoveryNote.h"

using namespace testing_support;

namespace {

// A main window's rich edit in another process, once it is there.
struct WindowSearch {
  DWORD process;
  HWND text;
};

BOOL CALLBACK FindDocument(HWND window, LPARAM data) {
  auto& search = *reinterpret_cast<WindowSearch*>(data);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process == search.process) search.text = GetDlgItem(window, IdRichEdit);
  return search.text == nullptr;
}

}  // namespace

// The test's folder is the temporary folder, of this editor and of those
// the test starts.
class RecoveryTest : public FilesTest {
 protected:
  void SetUp() override {
    FilesTest::SetUp();
    for (const char* name : {"TMP", "TEMP"}) {
      char value[MAX_PATH] = {};
      GetEnvironmentVariableA(name, value, sizeof value);
      saved_.emplace_back(name, value);
      SetEnvironmentVariableA(name, folder.c_str());
    }
  }
  void TearDown() override {
    for (const auto& [name, value] : saved_) SetEnvironmentVariableA(name.c_str(), value.c_str());
    FilesTest::TearDown();
  }

  std::vector<std::string> Copies() const {
    std::vector<std::string> copies;
    for (const std::string& name : FolderEntries())
      if (!core::RecoveryOwnerName(name).empty()) copies.push_back(name);
    return copies;
  }

  // A copy that an editor which has ended left.
  void LeaveCopy(unsigned long process, const std::string& documentName,
                 const std::string& rtf) const {
    WriteFile(core::RecoveryCopyName(process, 1), core::WithRecoveryNote(rtf, documentName, true));
  }

  // Runs the offer at start; the texts of the questions it asked.
  std::vector<std::string> Offer(ModalScript::Action answer) {
    ModalScript script;
    script.On(QuestionBox, answer);
    script.Run([&] { form->OfferRecovery(); }, 3000);
    return script.Seen();
  }

 private:
  std::vector<std::pair<std::string, std::string>> saved_;
};

TEST_F(RecoveryTest, TheTextOfAnEditorKilledHardComesBackInTheNextOne) {
  {
    const ChildProgram editor("Dabiro.exe", "");
    WindowSearch search{editor.Id(), nullptr};
    ASSERT_TRUE(WaitUntil(
        [&] {
          EnumWindows(FindDocument, reinterpret_cast<LPARAM>(&search));
          return search.text != nullptr;
        },
        15000));
    for (const char c : std::string("unsavedwords")) PostMessageA(search.text, WM_CHAR, c, 0);
    const DWORD typed = GetTickCount();
    ASSERT_TRUE(WaitUntil([&] { return Copies().size() == 1; }, 15000));
    EXPECT_LE(GetTickCount() - typed, 10000u) << "the copy comes within 10 s";
    EXPECT_TRUE(Offer(AnswerNo).empty()) << "the copy of an editor that runs is not offered";
    ASSERT_EQ(Copies().size(), 1u);
  }  // killed, as a crash ends it

  const std::vector<std::string> asked = Offer(AnswerYes);
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0].rfind("Restore the unsaved document Untitled from ", 0), 0u) << asked[0];
  EXPECT_EQ(Document(), "unsavedwords");
  EXPECT_EQ(form->DocumentName(), "Untitled");
  EXPECT_TRUE(Modified());
  // The copy of this editor now holds the text; the old one is gone.
  const std::vector<std::string> copies = Copies();
  ASSERT_EQ(copies.size(), 1u);
  const std::string ours = core::RecoveryCopyName(GetCurrentProcessId(), 0).substr(0, 16);
  EXPECT_EQ(copies[0].rfind(ours, 0), 0u) << copies[0];
}

TEST_F(RecoveryTest, NoDeletesTheCopyAndYesRestoresItsNameAndText) {
  LeaveCopy(0x10, PathOf("letter.rtf"), "{\\rtf1\\ansi kept words\\par}");
  const std::vector<std::string> refused = Offer(AnswerNo);
  ASSERT_EQ(refused.size(), 1u);
  EXPECT_EQ(refused[0].rfind("Restore the unsaved document " + PathOf("letter.rtf") + " from ", 0),
            0u);
  EXPECT_TRUE(Copies().empty());
  EXPECT_EQ(Document(), "");

  LeaveCopy(0x11, PathOf("letter.rtf"), "{\\rtf1\\ansi kept words\\par}");
  ASSERT_EQ(Offer(AnswerYes).size(), 1u);
  EXPECT_EQ(Document(), "kept words");
  EXPECT_EQ(form->DocumentName(), PathOf("letter.rtf"));
  EXPECT_EQ(WindowText(form->Handle()), "letter.rtf - Dabiro");
  EXPECT_TRUE(Modified());
}

// New, Open, Save, Save As, the end of the session and closing: each
// leaves the text safe or dropped on purpose, and no copy stays.
TEST_F(RecoveryTest, TheCopyGoesOnceTheTextIsSavedOrDropped) {
  WriteFile("letter.rtf", "{\\rtf1\\ansi old words\\par}");
  const auto copied = [&](const std::string& text) {
    SetDocument(text);
    form->WriteRecoveryCopy();
    const std::vector<std::string> copies = Copies();
    if (copies.size() != 1) return false;
    std::string name;
    bool modified = false;
    return core::ReadRecoveryNote(ReadFile(copies[0]), name, modified) &&
           name == form->DocumentName() && modified;
  };
  ASSERT_TRUE(copied("draft"));
  ModalScript no;
  no.On(QuestionBox, AnswerNo);
  ASSERT_TRUE(no.Run([&] { Command(form->FileNewItem); }));
  EXPECT_TRUE(Copies().empty()) << "New";

  ASSERT_TRUE(copied("draft"));
  ASSERT_TRUE(SaveAs("draft", 1));
  EXPECT_TRUE(Copies().empty()) << "Save As";

  ASSERT_TRUE(copied("more"));
  Command(form->FileSaveItem);
  EXPECT_TRUE(Copies().empty()) << "Save";

  ASSERT_TRUE(copied("still more"));
  ModalScript openWithoutSaving;
  openWithoutSaving.On(QuestionBox, AnswerNo)
      .On([] { return CommonDialog("Open"); },
          [&](HWND dialog) { EnterFileName(dialog, PathOf("letter.rtf")); });
  ASSERT_TRUE(openWithoutSaving.Run([&] { Command(form->FileOpenItem); }));
  EXPECT_TRUE(Copies().empty()) << "Open";

  // The session ends: forced after a Cancel, the copy takes the latest
  // text; after a No it goes.
  ASSERT_TRUE(copied("words at log-off"));
  for (const bool agreed : {false, true}) {
    ModalScript endOfSession;
    endOfSession.On(QuestionBox, agreed ? AnswerNo : AnswerCancel);
    ASSERT_TRUE(endOfSession.Run([&] { SendMessageA(form->Handle(), WM_QUERYENDSESSION, 0, 0); }));
    SetDocument("the last words at log-off");
    SendMessageA(form->Handle(), WM_ENDSESSION, TRUE, 0);
    const std::vector<std::string> copies = Copies();
    ASSERT_EQ(copies.size(), agreed ? 0u : 1u) << "the end of the session";
    if (!agreed) {
      EXPECT_NE(ReadFile(copies[0]).find("the last words"), std::string::npos);
    }
  }

  ASSERT_TRUE(copied("last words"));
  ModalScript closeWithoutSaving;
  closeWithoutSaving.On(QuestionBox, AnswerNo);
  ASSERT_TRUE(closeWithoutSaving.Run([&] { SendMessageA(form->Handle(), WM_CLOSE, 0, 0); }));
  EXPECT_FALSE(IsWindow(form->Handle()));
  EXPECT_TRUE(Copies().empty()) << "closing";
}

// The question to save changes before closing, New and Open: each answer,
// and the Yes whose save does not happen (the text must survive it); and
// closing asked for by another program while a document loads.
#include <thread>

#include "FilesFixture.h"

using namespace testing_support;

namespace {

void CancelSaveDialog(HWND dialog) { ClickButton(dialog, {"Cancel"}); }

struct CloseCase {
  const char* label;
  std::vector<ModalScript::Action> answers;  // the question's, then the Save dialog's
  bool closes;
};

}  // namespace

class ClosingModified : public FilesTest, public testing::WithParamInterface<CloseCase> {};

TEST_P(ClosingModified, AsksAndClosesOnlyWhenNothingIsLost) {
  SetDocument("unsaved words");
  ModalScript script;
  script.On(QuestionBox, GetParam().answers[0]);
  if (GetParam().answers.size() > 1)
    script.On([] { return CommonDialog("Save As"); }, GetParam().answers[1]);
  ASSERT_TRUE(script.Run([&] { SendMessageA(form->Handle(), WM_CLOSE, 0, 0); }));
  EXPECT_EQ(script.Seen()[0], "Save changes to Untitled?");
  EXPECT_EQ(IsWindow(form->Handle()) == FALSE, GetParam().closes);
  EXPECT_EQ(ErrorBox(), nullptr) << "closing shows no message";
  if (!GetParam().closes) {
    EXPECT_EQ(Document(), "unsaved words");
    EXPECT_TRUE(Modified());
  }
  EXPECT_TRUE(FolderEntries().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Files, ClosingModified,
    testing::Values(CloseCase{"Cancel", {AnswerCancel}, false},
                    CloseCase{"Escape", {[](HWND) { QueueKey(VK_ESCAPE); }}, false},
                    CloseCase{"No", {AnswerNo}, true},
                    CloseCase{"YesThenSaveDialogCancelled", {AnswerYes, CancelSaveDialog}, false}),
    [](const testing::TestParamInfo<CloseCase>& info) { return std::string(info.param.label); });

TEST_F(FilesTest, YesOnATitledDocumentSavesAndCloses) {
  WriteFile("letter.rtf", "{\\rtf1\\ansi old}");
  ASSERT_TRUE(Open("letter.rtf"));
  TypeText("new");
  Pump(300);
  ModalScript script;
  script.On(QuestionBox, AnswerYes);
  ASSERT_TRUE(script.Run([&] { Command(form->FileExitItem); }));
  EXPECT_EQ(script.Seen()[0], "Save changes to " + PathOf("letter.rtf") + "?");
  EXPECT_FALSE(IsWindow(form->Handle()));
  const std::string saved = ReadFile("letter.rtf");
  EXPECT_NE(saved.find("new"), std::string::npos) << saved;
}

TEST_F(FilesTest, ShutdownIsRefusedOnCancelAndAllowedOnNo) {
  SetDocument("unsaved");
  ModalScript cancel;
  cancel.On(QuestionBox, AnswerCancel);
  LRESULT answer = 1;
  ASSERT_TRUE(cancel.Run([&] { answer = SendMessageA(form->Handle(), WM_QUERYENDSESSION, 0, 0); }));
  EXPECT_EQ(answer, FALSE);
  ModalScript no;
  no.On(QuestionBox, AnswerNo);
  ASSERT_TRUE(no.Run([&] { answer = SendMessageA(form->Handle(), WM_QUERYENDSESSION, 0, 0); }));
  EXPECT_NE(answer, FALSE);
}

TEST_F(FilesTest, UnmodifiedDocumentClosesWithoutAQuestion) {
  SetDocument("saved");
  SendMessageA(Text(), EM_SETMODIFY, FALSE, 0);
  SendMessageA(form->Handle(), WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(form->Handle()));
}

TEST_F(FilesTest, NewAsksFirstAndCancelKeepsTheDocument) {
  SetDocument("draft");
  ModalScript cancel;
  cancel.On(QuestionBox, AnswerCancel);
  ASSERT_TRUE(cancel.Run([&] { Command(form->FileNewItem); }));
  EXPECT_EQ(Document(), "draft");
  EXPECT_TRUE(Modified());

  ModalScript no;
  no.On(QuestionBox, AnswerNo);
  ASSERT_TRUE(no.Run([&] { Command(form->FileNewItem); }));
  EXPECT_EQ(Document(), "");
  EXPECT_FALSE(Modified());
  EXPECT_EQ(form->DocumentName(), "Untitled");
}

TEST_F(FilesTest, OpenAfterYesAndADeclinedOverwriteKeepsTheDocument) {
  WriteFile("other.rtf", "{\\rtf1\\ansi other}");
  SetDocument("draft");
  ModalScript script;
  script.On(QuestionBox, AnswerYes)
      .On([] { return CommonDialog("Save As"); },
          [&](HWND dialog) { EnterFileName(dialog, PathOf("other.rtf")); })
      .On(QuestionBox, AnswerNo);
  ASSERT_TRUE(script.Run([&] { Command(form->FileOpenItem); }));
  EXPECT_EQ(CommonDialog("Open"), nullptr);
  EXPECT_EQ(Document(), "draft");
  EXPECT_TRUE(Modified());
  EXPECT_EQ(ReadFile("other.rtf"), "{\\rtf1\\ansi other}");
}

// Another program (or Windows at log-off) sends the request while the
// document loads: it is handled inside the load, where the window answers
// sent messages, and must leave the control alone until the load is done.
TEST_F(FilesTest, ClosingAskedForDuringALoadWaitsForItsEnd) {
  std::string text;
  for (int i = 0; i < 40000; ++i) text += (i ? "\r\nline " : "line ") + std::to_string(i);
  WriteFile("long.txt", text);
  for (const UINT request : {UINT{WM_QUERYENDSESSION}, UINT{WM_CLOSE}}) {
    LRESULT answer = -1;
    std::thread other([&] { answer = SendMessageA(form->Handle(), request, 0, 0); });
    // The request is waiting, not handled: the load is the first to let it in.
    const DWORD start = GetTickCount();
    while (!(HIWORD(GetQueueStatus(QS_SENDMESSAGE)) & QS_SENDMESSAGE) &&
           GetTickCount() - start < 5000)
      Sleep(1);
    form->OpenDocument(PathOf("long.txt"), false);
    other.join();
    EXPECT_TRUE(IsWindow(form->Handle())) << request;
    EXPECT_EQ(Document().size(), text.size()) << request;
    if (request == WM_QUERYENDSESSION) {
      EXPECT_EQ(answer, FALSE) << "no log-off in the middle";
    }
  }
  WaitUntil([&] { return !IsWindow(form->Handle()); });
  EXPECT_FALSE(IsWindow(form->Handle())) << "the close comes once the load is done";
}

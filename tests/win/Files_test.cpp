// Opening and saving through the real dialogs: what the control shows for
// each kind of file, the name never deciding the format, read-only
// opening, and the message for a file that cannot be opened.
#include <atomic>
#include <set>
#include <thread>

#include "Clipboard.h"
#include "DocumentStreams.h"
#include "FilesFixture.h"
#include "HostCommand.h"
#include "PersianKeys.h"

#include <sstream>

using namespace testing_support;

namespace {

struct LoadCase {
  const char* label;
  const char* file;
  std::string bytes;
  std::string shown;
};

// Many lines, so that line breaks fall on every possible place of the
// control's reads, CR LF pairs split between two of them included.
std::string ManyLines(const std::string& lineBreak) {
  std::string text;
  for (int i = 0; i < 20000; ++i) text += "line" + std::to_string(i) + lineBreak;
  return text;
}

}  // namespace

class Loading : public FilesTest, public testing::WithParamInterface<LoadCase> {};

TEST_P(Loading, ShowsTheTextWithCrLfLineBreaks) {
  const LoadCase& c = GetParam();
  WriteFile(c.file, c.bytes);
  ASSERT_TRUE(Open(c.file));
  EXPECT_EQ(Document(), c.shown);
  // Each CR LF ends one paragraph, also where a read of the control splits it.
  std::size_t breaks = 0;
  for (std::size_t at = c.shown.find("\r\n"); at != std::string::npos;
       at = c.shown.find("\r\n", at + 2))
    ++breaks;
  EXPECT_EQ(SendMessageA(Text(), EM_GETLINECOUNT, 0, 0), static_cast<LRESULT>(breaks + 1));
  EXPECT_EQ(form->DocumentName(), PathOf(c.file));
  EXPECT_EQ(WindowText(form->Handle()), std::string(c.file) + " - Dabiro");
  EXPECT_FALSE(Modified());
  EXPECT_EQ(GetFocus(), Text());
}

INSTANTIATE_TEST_SUITE_P(
    Files, Loading,
    testing::Values(
        LoadCase{"CrLfCrAndLf", "breaks.txt", "one\r\ntwo\rthree\nfour",
                 "one\r\ntwo\r\nthree\r\nfour"},
        LoadCase{"CrAtTheEnd", "end.txt", "last\r", "last\r\n"},
        LoadCase{"NulBytesAreSkipped", "zeros.txt", std::string("ab\0\0cd\r\0\nef", 11),
                 "abcd\r\nef"},
        LoadCase{"RtfNamedTxt", "notes.txt", "{\\rtf1\\ansi {\\b Bold} text}", "Bold text"},
        LoadCase{"TextNamedRtf", "letter.rtf", "plain\nand simple", "plain\r\nand simple"},
        LoadCase{"ManyCrLf", "crlf.txt", ManyLines("\r\n"), ManyLines("\r\n")},
        LoadCase{"ManyCr", "cr.txt", ManyLines("\r"), ManyLines("\r\n")},
        LoadCase{"ManyLf", "lf.txt", ManyLines("\n"), ManyLines("\r\n")}),
    [](const testing::TestParamInfo<LoadCase>& info) { return std::string(info.param.label); });

// Read from another thread while the load runs, as a person would see it.
TEST_F(FilesTest, ALongLoadShowsItsProgressAndTheWaitCursor) {
  WriteFile("long.txt", ManyLines("\r\n") + ManyLines("\n"));
  std::set<std::string> seen;
  bool waitCursorSeen = false;
  std::atomic<bool> loading{true};
  const HWND status = form->StatusBar.Handle();
  const HCURSOR wait = LoadCursor(nullptr, IDC_WAIT);
  std::thread watcher([&] {
    while (loading) {
      char text[256] = {};
      DWORD_PTR length = 0;
      if (SendMessageTimeoutA(status, SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text), SMTO_NORMAL,
                              500, &length))
        seen.insert(text);
      CURSORINFO cursor{};
      cursor.cbSize = sizeof cursor;
      if (GetCursorInfo(&cursor) && cursor.hCursor == wait) waitCursorSeen = true;
      Sleep(2);
    }
  });
  const bool opened = Open("long.txt");
  loading = false;
  watcher.join();
  ASSERT_TRUE(opened);
  int percentages = 0;
  for (const std::string& text : seen)
    if (text.rfind("Opening long.txt... ", 0) == 0 && text.back() == '%') ++percentages;
  EXPECT_GE(percentages, 2);
  EXPECT_TRUE(waitCursorSeen);
  EXPECT_EQ(StatusText(), "Opened as plain text") << "the progress is gone";
  EXPECT_NE(GetCursor(), wait);
}

// What the file held decides, never its name: a plain text stays plain
// text for every other reader of it, an RTF named .txt stays RTF.
TEST_F(FilesTest, SaveKeepsTheKindOfTheFileWhateverItsName) {
  for (const std::string& bytes :
       {std::string("plain words"), std::string("{\\rtf1\\ansi plain words}")}) {
    WriteFile("notes.txt", bytes);
    ASSERT_TRUE(Open("notes.txt"));
    TypeText("x");
    Pump(200);
    ASSERT_TRUE(Modified());
    Command(form->FileSaveItem);
    const std::string saved = ReadFile("notes.txt");
    EXPECT_EQ(StartsAsRtf(saved), StartsAsRtf(bytes)) << saved;
    EXPECT_NE(saved.find("plain words"), std::string::npos) << saved;
    EXPECT_FALSE(Modified());
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{"notes.txt"});
  }
}

// However many screen lines a paragraph takes, it is saved as one: a line
// of its codes as text, one paragraph mark in RTF.
TEST_F(FilesTest, AParagraphOfManyScreenLinesIsSavedAsOne) {
  std::string paragraph;
  for (int word = 0; word < 60; ++word) paragraph += FromUnicode(Unicode("کتاب "));
  SetCodes(paragraph);
  ASSERT_GT(form->ReadingView1.ScreenLines().size(), 2u);
  ASSERT_TRUE(SaveAs("long", 2));
  EXPECT_EQ(ReadFile("long.txt"), paragraph);
  ASSERT_TRUE(SaveAs("long", 1));
  const std::string rtf = ReadFile("long.rtf");
  std::size_t marks = 0;
  for (std::size_t at = rtf.find("\\par"); at != std::string::npos; at = rtf.find("\\par", at + 1))
    marks += rtf.compare(at, 5, "\\pard") != 0;
  EXPECT_LE(marks, 1u) << rtf;
  EXPECT_EQ(rtf.find("\\line"), std::string::npos);
}

TEST_F(FilesTest, UntitledSaveRunsSaveAs) {
  SetDocument("fresh");
  ModalScript script;
  script.On([] { return CommonDialog("Save As"); },
            [&](HWND dialog) { EnterFileName(dialog, PathOf("fresh")); });
  ASSERT_TRUE(script.Run([&] { Command(form->FileSaveItem); }));
  EXPECT_EQ(form->DocumentName(), PathOf("fresh.rtf"));
  EXPECT_TRUE(StartsAsRtf(ReadFile("fresh.rtf")));
}

TEST_F(FilesTest, OpenOfAMissingFileShowsTheMessageAndChangesNothing) {
  SetDocument("unsaved");
  SendMessageA(Text(), EM_SETMODIFY, FALSE, 0);
  EXPECT_EQ(OpenExpectingError("missing.txt"), "Kann Datei " + PathOf("missing.txt") +
                                                   " nicht \xF6"
                                                   "ffnen.");
  EXPECT_EQ(Document(), "unsaved");
  EXPECT_EQ(form->DocumentName(), "Untitled");
  EXPECT_FALSE(Modified());
}

TEST_F(FilesTest, OpenOfAFileHeldWithoutSharingShowsTheSameMessage) {
  WriteFile("held.txt", "busy");
  HANDLE held = CreateFileA(PathOf("held.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_EQ(OpenExpectingError("held.txt"), "Kann Datei " + PathOf("held.txt") +
                                                " nicht \xF6"
                                                "ffnen.");
  CloseHandle(held);
  EXPECT_EQ(Document(), "");
  EXPECT_EQ(form->DocumentName(), "Untitled");
}

// Opened after a large document, which the document window replaced.
TEST_F(FilesTest, ReadOnlyOpenRefusesEditsButSaveStillWrites) {
  WriteFile("large.txt", ManyLines("\r\n"));
  ASSERT_TRUE(Open("large.txt"));
  WriteFile("kept.rtf", "{\\rtf1\\ansi kept}");
  ASSERT_TRUE(Open("kept.rtf", true));
  EXPECT_TRUE(form->OpenDialog.readOnly);
  TypeText("typed");
  Pump(300);
  Click(form->StringGrid1.Handle(), 18, 13);
  Pump(300);
  EXPECT_EQ(Document(), "kept");
  EXPECT_FALSE(Modified());

  WriteFile("kept.rtf", "replaced on disk");
  Command(form->FileSaveItem);
  const std::string saved = ReadFile("kept.rtf");
  EXPECT_TRUE(StartsAsRtf(saved));
  EXPECT_NE(saved.find("kept"), std::string::npos) << saved;

  // The box comes back ticked; cleared, the next file is editable.
  bool shownTicked = false;
  ModalScript script;
  script
      .On([] { return CommonDialog("Open"); },
          [&](HWND dialog) {
            shownTicked = IsDlgButtonChecked(dialog, 0x410) == BST_CHECKED;
            SetReadOnlyBox(dialog, false);
          })
      .On([] { return CommonDialog("Open"); },
          [&](HWND dialog) { EnterFileName(dialog, PathOf("kept.rtf")); });
  ASSERT_TRUE(script.Run([&] { Command(form->FileOpenItem); }));
  EXPECT_TRUE(shownTicked);
  TypeText("z");
  Pump(300);
  EXPECT_NE(Document().find('z'), std::string::npos) << Document();
  EXPECT_TRUE(Modified());
}

namespace {

// What the window of the document has set beyond its text.
std::string WindowSettings(HWND text) {
  RECT margins{};
  SendMessageA(text, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&margins));
  CHARFORMATA format{};
  format.cbSize = sizeof format;
  SendMessageA(text, EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
  const RECT place = RectInParent(text);
  std::ostringstream out;
  out << std::hex << GetWindowLongPtrA(text, GWL_STYLE) << " "
      << GetWindowLongPtrA(text, GWL_EXSTYLE) << std::dec << " id " << GetDlgCtrlID(text) << " at "
      << place.left << "," << place.top << " " << place.right << "," << place.bottom << " margins "
      << margins.left << "," << margins.top << " " << margins.right << "," << margins.bottom
      << " events " << SendMessageA(text, EM_GETEVENTMASK, 0, 0) << " limit "
      << SendMessageA(text, EM_GETLIMITTEXT, 0, 0) << " options "
      << SendMessageA(text, EM_GETOPTIONS, 0, 0) << " font " << format.szFaceName << " "
      << format.yHeight << " " << int{format.bCharSet} << " between "
      << GetWindow(text, GW_HWNDPREV) << " " << GetWindow(text, GW_HWNDNEXT);
  return out.str();
}

}  // namespace

// The window that replaced a large document's sits where the first did,
// set as it was (a default size the user chose too), and the toolbar,
// typing and Save reach it.
TEST_F(FilesTest, ADocumentOpenedAfterALargeOneKeepsEverySetting) {
  form->FontSize.SetText("14");
  const std::string settings = WindowSettings(Text());
  WriteFile("large.txt", ManyLines("\r\n"));
  WriteFile("small.txt", "plain bold");
  ASSERT_TRUE(Open("large.txt"));
  const HWND large = Text();
  ASSERT_TRUE(Open("small.txt"));
  EXPECT_FALSE(IsWindowVisible(large));
  EXPECT_EQ(DocumentWindows(), 1);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(large); })) << "the large document is freed";
  EXPECT_EQ(WindowSettings(Text()), settings);
  EXPECT_EQ(GetFocus(), Text());

  SendMessageA(Text(), EM_SETSEL, 6, 10);
  form->BoldButton.Click();
  SendMessageA(Text(), EM_SETSEL, 1, 2);
  Pump(100);
  EXPECT_FALSE(form->BoldButton.Down());
  SendMessageA(Text(), EM_SETSEL, 7, 8);
  Pump(100);
  EXPECT_TRUE(form->BoldButton.Down());

  SendMessageA(Text(), EM_SETSEL, 0, 0);
  TypeText("x");
  Pump(200);
  EXPECT_EQ(Document(), "xplain bold");
  Command(form->FileSaveItem);
  EXPECT_NE(ReadFile("small.txt").find("xplain"), std::string::npos);
  EXPECT_FALSE(Modified());
}

// The replaced window is freed once the text has been left alone a moment,
// not while the user types.
TEST_F(FilesTest, AReplacedWindowIsFreedOnlyOnceTheTextIsLeftAlone) {
  const HWND first = Text();
  form->FileNewItem.Click();
  for (int i = 0; i < 12; ++i) {  // longer than the delay
    SendMessageA(Text(), WM_KEYDOWN, VK_RIGHT, 0);
    SendMessageA(Text(), WM_KEYUP, VK_RIGHT, 0);
    Pump(250);
  }
  EXPECT_TRUE(IsWindow(first));
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(first); }));
}

// All of a large document deleted (by the key), cut (by the menu) or typed
// over goes as New goes: a new window, starting with the formats of the
// first character; the first Undo with nothing of its own to undo brings
// the document back.
TEST_F(FilesTest, DeletingAllOfALargeDocumentReplacesItsWindowAndUndoBringsItBack) {
  WriteFile("large.rtf", "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\qc\\b\\fs36 f\\fs20 " +
                             ManyLines("\\par ") + "}");
  ASSERT_TRUE(Open("large.rtf"));
  const HWND large = Text();
  const std::string text = Document();
  ASSERT_GE(text.size(), size_t{RichEditControl::LargeDeletion});
  form->Selectall1.Click();
  TapKey(VK_DELETE);
  Pump(200);
  ASSERT_NE(Text(), large);
  EXPECT_EQ(Document(), "");
  EXPECT_TRUE(Modified());
  EXPECT_EQ(DocumentWindows(), 1);
  EXPECT_EQ(GetFocus(), Text());
  EXPECT_TRUE(form->BoldButton.Down());
  EXPECT_TRUE(form->CenterAlign.Down());
  EXPECT_EQ(form->FontSize.Text(), "18");
  TypeText("x");
  Pump(200);
  EXPECT_EQ(Document(), "x");

  Command(form->EditUndoItem);
  EXPECT_EQ(Document(), "");
  // Made smaller meanwhile: the document comes back where the empty one is.
  RECT frame;
  GetWindowRect(form->Handle(), &frame);
  MoveWindow(form->Handle(), frame.left, frame.top, frame.right - frame.left - 100,
             frame.bottom - frame.top - 50, TRUE);
  const RECT place = RectInParent(Text());
  RECT margins{}, restoredMargins{};
  SendMessageA(Text(), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&margins));
  Command(form->EditUndoItem);
  EXPECT_EQ(Text(), large);
  const RECT restored = RectInParent(large);
  EXPECT_TRUE(EqualRect(&restored, &place));
  SendMessageA(large, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&restoredMargins));
  EXPECT_TRUE(EqualRect(&restoredMargins, &margins));
  EXPECT_TRUE(IsWindowVisible(large));
  EXPECT_EQ(DocumentWindows(), 1);
  EXPECT_EQ(Document(), text);
  EXPECT_TRUE(Modified());

  Command(form->EditCutItem);
  EXPECT_EQ(Document(), "");
  std::string cut;
  ASSERT_TRUE(ReadClipboardText(form->Handle(), cut));
  EXPECT_EQ(cut, text);
  Command(form->EditUndoItem);
  TypeText("y");  // over everything
  Pump(200);
  EXPECT_EQ(Document(), "y");
  SendMessageA(Text(), EM_SETMODIFY, FALSE, 0);
  Command(form->FileNewItem);  // starts as a fresh editor does
  EXPECT_FALSE(form->BoldButton.Down());
  EXPECT_FALSE(form->CenterAlign.Down());
  Command(form->EditUndoItem);
  EXPECT_EQ(Document(), "");
}

// Cut while another program holds the clipboard takes nothing away and
// says so, for a short text and for all of a large one; Copy as Unicode
// says so too.
TEST_F(FilesTest, CutWhileAnotherProgramHoldsTheClipboardKeepsTheText) {
  for (const std::string& text : {std::string("short"), ManyLines("\r\n") + "end"}) {
    SetDocument(text);
    form->Selectall1.Click();
    ClipboardHolder holder;
    EXPECT_EQ(ErrorOf(form->EditCutItem),
              "The clipboard could not be written (another program may hold it): nothing was cut.");
    EXPECT_EQ(Document(), text);
  }
  ClipboardHolder holder;
  EXPECT_EQ(
      ErrorOf(form->EditCopyUnicodeItem),
      "The clipboard could not be written (another program may hold it): nothing was copied.");
}

// Replacing the file keeps what the user set on it, such as its attributes.
TEST_F(FilesTest, SavingKeepsTheFilesAttributes) {
  WriteFile("letter.rtf", "{\\rtf1 old words}");
  ASSERT_TRUE(SetFileAttributesA(PathOf("letter.rtf").c_str(), FILE_ATTRIBUTE_HIDDEN));
  ASSERT_TRUE(Open("letter.rtf"));
  SetDocument("new words");
  Command(form->FileSaveItem);
  EXPECT_TRUE(StartsAsRtf(ReadFile("letter.rtf")));
  EXPECT_TRUE(GetFileAttributesA(PathOf("letter.rtf").c_str()) & FILE_ATTRIBUTE_HIDDEN);
  EXPECT_EQ(FolderEntries(), std::vector<std::string>{"letter.rtf"});
}

// A file whose path is as long as a path may be is saved, although the
// temporary file beside it must fit too, and nothing else stays there.
// (Windows makes no folder that deep itself: another program made it.)
TEST_F(FilesTest, AFileAtTheLongestPathIsSavedAndNothingStaysBeside) {
  const std::string parent = "/tmp/dabiro-long-path";
  // Z:<parent>/<ddd...>/abc.txt, MAX_PATH - 1 characters in all.
  const size_t folderName = MAX_PATH - 1 - std::string("Z:" + parent + "//abc.txt").size();
  const std::string unixFolder = parent + "/" + std::string(folderName, 'd');
  ASSERT_EQ(RunHost("rm -rf " + parent + " && mkdir -p " + unixFolder).exitCode, 0);
  const std::string target = "Z:" + unixFolder + "/abc.txt";
  std::string windowsTarget = target;
  for (char& c : windowsTarget)
    if (c == '/') c = '\\';
  ASSERT_EQ(windowsTarget.size(), MAX_PATH - 1u);
  SetDocument("words");
  SaveDocument(form->RichEdit1, windowsTarget, true);
  EXPECT_EQ(RunHost("ls -A " + unixFolder).output, "abc.txt\n");
  EXPECT_EQ(RunHost("cat " + unixFolder + "/abc.txt").output, "words");
  RunHost("rm -rf " + parent);
}

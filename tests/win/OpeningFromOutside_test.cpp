// Documents that come from outside the editor's own dialog: named on its
// command line (as Explorer and "Open with" start it) or dropped on its
// window from a file manager.
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstring>
#include <functional>

#include "FilesFixture.h"

using namespace testing_support;

namespace {

const std::string Letter = "{\\rtf1\\ansi words from outside\\par}";

// A started editor, ended with the test.
class StartedEditor {
 public:
  explicit StartedEditor(const std::string& arguments) : editor_("Dabiro.exe", arguments) {}

  // The caption of its first window the test wants, or "" after a while.
  std::string WaitForCaption(const std::function<bool(const std::string&)>& wanted) const {
    Search search{editor_.Id(), wanted, {}};
    WaitUntil(
        [&] {
          EnumWindows(Look, reinterpret_cast<LPARAM>(&search));
          return !search.found.empty();
        },
        15000);
    return search.found;
  }

 private:
  struct Search {
    DWORD process;
    std::function<bool(const std::string&)> wanted;
    std::string found;
  };
  static BOOL CALLBACK Look(HWND window, LPARAM data) {
    auto& search = *reinterpret_cast<Search*>(data);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != search.process || !IsWindowVisible(window)) return TRUE;
    const std::string caption = WindowText(window);
    if (search.wanted(caption)) search.found = caption;
    return search.found.empty();
  }

  ChildProgram editor_;
};

// What a file manager hands a window it drops files on.
HDROP DropOf(const std::vector<std::string>& paths) {
  size_t size = sizeof(DROPFILES) + 1;
  for (const std::string& path : paths) size += path.size() + 1;
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
  auto* drop = static_cast<DROPFILES*>(GlobalLock(block));
  drop->pFiles = sizeof(DROPFILES);
  char* names = reinterpret_cast<char*>(drop + 1);
  for (const std::string& path : paths) {
    std::memcpy(names, path.c_str(), path.size() + 1);
    names += path.size() + 1;
  }
  GlobalUnlock(block);
  return static_cast<HDROP>(block);
}

}  // namespace

class CommandLine : public FilesTest, public testing::WithParamInterface<int> {};

// As Explorer passes a path: quoted, unquoted with its spaces, or short.
TEST_P(CommandLine, OpensTheDocumentItNames) {
  ASSERT_TRUE(CreateDirectoryA(PathOf("My Letters").c_str(), nullptr));
  WriteFile("My Letters\\sabz letter.rtf", Letter);
  const std::string path = PathOf("My Letters\\sabz letter.rtf");
  char shortPath[MAX_PATH] = {};
  ASSERT_GT(GetShortPathNameA(path.c_str(), shortPath, MAX_PATH), 0u);
  const std::string forms[] = {"\"" + path + "\"", path, shortPath};
  const StartedEditor editor(forms[GetParam()]);
  const auto showsADocument = [](const std::string& caption) {
    return caption.size() > 9 && caption != "Untitled - Dabiro" &&
           caption.compare(caption.size() - 9, 9, " - Dabiro") == 0;
  };
  EXPECT_EQ(editor.WaitForCaption(showsADocument), "sabz letter.rtf - Dabiro") << forms[GetParam()];
}

std::string FormName(const testing::TestParamInfo<int>& info) {
  static const char* const names[] = {"Quoted", "UnquotedWithSpaces", "ShortName"};
  return names[info.param];
}

INSTANTIATE_TEST_SUITE_P(Forms, CommandLine, testing::Values(0, 1, 2), FormName);

// Relative, or with '/' as a separator: Save writes the file that was
// opened, whatever the current folder has become meanwhile.
TEST_F(FilesTest, ANameFromTheCommandLineIsTheFileSaveWrites) {
  ASSERT_TRUE(CreateDirectoryA(PathOf("sub").c_str(), nullptr));
  std::string slashed = PathOf("sub/doc.rtf");
  for (char& c : slashed)
    if (c == '\\') c = '/';
  char before[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, before);
  for (const std::string& argument :
       {slashed, std::string("sub/doc.rtf"), std::string("sub\\doc.rtf")}) {
    WriteFile("sub\\doc.rtf", Letter);
    SetCurrentDirectoryA(folder.c_str());
    form->OpenFromCommandLine(argument);
    SetCurrentDirectoryA(before);
    EXPECT_EQ(form->DocumentName(), PathOf("sub\\doc.rtf")) << argument;
    EXPECT_EQ(WindowText(form->Handle()), "doc.rtf - Dabiro") << argument;
    SetDocument("changed");
    Command(form->FileSaveItem);
    EXPECT_NE(ReadFile("sub\\doc.rtf").find("changed"), std::string::npos) << argument;
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{"sub"}) << argument;
  }
}

TEST_F(FilesTest, ADocumentThatCannotBeOpenedIsSaidAndTheEditorStays) {
  const StartedEditor editor("\"" + PathOf("missing.rtf") + "\"");
  EXPECT_EQ(editor.WaitForCaption([](const std::string& c) { return c == "Dabiro"; }), "Dabiro")
      << "the error box";
  EXPECT_EQ(editor.WaitForCaption([](const std::string& c) { return c == "Untitled - Dabiro"; }),
            "Untitled - Dabiro");
}

// A changed document is offered for saving first; the first of several
// dropped files is opened, and the status line says so.
TEST_F(FilesTest, DroppedFilesOpenTheFirstAfterTheSaveQuestion) {
  WriteFile("a.rtf", Letter);
  WriteFile("b.rtf", "{\\rtf1 other\\par}");
  SetDocument("changed");
  ModalScript script;
  script.On(QuestionBox, AnswerNo);
  ASSERT_TRUE(script.Run([&] {
    SendMessageA(form->Handle(), WM_DROPFILES,
                 reinterpret_cast<WPARAM>(DropOf({PathOf("a.rtf"), PathOf("b.rtf")})), 0);
  }));
  EXPECT_EQ(script.Seen().front(), "Save changes to Untitled?");
  EXPECT_EQ(Document(), "words from outside");
  EXPECT_EQ(form->DocumentName(), PathOf("a.rtf"));
  EXPECT_FALSE(Modified());
  EXPECT_EQ(StatusText(), "Opened the first of 2 dropped files");
}

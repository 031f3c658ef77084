// How the document's control is bound: its library from the system folder
// alone, the most text it takes, and a plain edit in its place when the
// library is missing, which still opens and saves text as it stands.
#include <cstring>
#include <vector>

#include "FilesFixture.h"
#include "ImportPatch.h"
#include "SystemFolders.h"
#include "SystemLibraries.h"

using namespace testing_support;

namespace {

std::vector<std::string> loaded;

HMODULE WINAPI RecordingLoad(LPCSTR name) {
  loaded.emplace_back(name);
  return ImportPatch::Original<decltype(&LoadLibraryA)>("LoadLibraryA")(name);
}

HMODULE WINAPI NoRichEdit(LPCSTR name) {
  const size_t length = std::strlen(name);
  if (length >= 12 && lstrcmpiA(name + length - 12, "riched32.dll") == 0) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
  }
  return ImportPatch::Original<decltype(&LoadLibraryA)>("LoadLibraryA")(name);
}

std::vector<std::string> searchCalls;
bool systemOffersSearchSettings = true;

BOOL WINAPI RecordDefaultFolders(DWORD flags) {
  searchCalls.push_back("SetDefaultDllDirectories " + std::to_string(flags));
  return TRUE;
}

BOOL WINAPI RecordFolder(LPCSTR folder) {
  searchCalls.push_back(std::string("SetDllDirectoryA '") + folder + "'");
  return TRUE;
}

FARPROC WINAPI FakeSearchSettings(HMODULE module, LPCSTR name) {
  const bool asked =
      reinterpret_cast<UINT_PTR>(name) > 0xFFFF &&
      (lstrcmpA(name, "SetDefaultDllDirectories") == 0 || lstrcmpA(name, "SetDllDirectoryA") == 0);
  if (!asked)
    return ImportPatch::Original<decltype(&GetProcAddress)>("GetProcAddress")(module, name);
  if (!systemOffersSearchSettings) return nullptr;
  void* fake = lstrcmpA(name, "SetDllDirectoryA") == 0
                   ? reinterpret_cast<void*>(RecordFolder)
                   : reinterpret_cast<void*>(RecordDefaultFolders);
  return reinterpret_cast<FARPROC>(fake);
}

}  // namespace

TEST(SystemLibraries, TheRichEditLibraryIsLoadedByItsPathInTheSystemFolder) {
  loaded.clear();
  {
    const ImportPatch recording("KERNEL32.dll", "LoadLibraryA",
                                reinterpret_cast<void*>(RecordingLoad));
    RichEditControl control("Probe");
    control.Create(nullptr, 0, 0, 10, 10, 0);
    EXPECT_TRUE(control.HasRichText());
  }
  EXPECT_EQ(loaded, std::vector<std::string>{SystemDirectory() + "\\RICHED32.DLL"});
}

// The storage that the library's version tells is what a probe finds.
TEST(SystemLibraries, TheControlsStorageIsWhatAProbeFinds) {
  RichEditControl control("Probe");
  control.Create(nullptr, 0, 0, 10, 10, 0);
  EXPECT_EQ(control.StoresUnicode(), KeepsUtf16(control));
}

// A library loaded at a function's first call comes from the system folder
// too, once; a missing one leaves the slot empty.
TEST(SystemLibraries, ALateBoundFunctionIsLoadedByItsPathAtItsFirstCall) {
  loaded.clear();
  {
    const ImportPatch recording("KERNEL32.dll", "LoadLibraryA",
                                reinterpret_cast<void*>(RecordingLoad));
    void** slot = winui::LateBoundSlot("SHELL32.DLL", "ShellAboutA");
    EXPECT_NE(*slot, nullptr);
    EXPECT_EQ(winui::LateBoundSlot("SHELL32.DLL", "ShellAboutA"), slot);
    EXPECT_EQ(*winui::LateBoundSlot("NOSUCH32.DLL", "ShellAboutA"), nullptr);
  }
  EXPECT_EQ(loaded, (std::vector<std::string>{SystemDirectory() + "\\SHELL32.DLL",
                                              SystemDirectory() + "\\NOSUCH32.DLL"}));
}

// 95 to 2000 offer neither setting: nothing is called there.
TEST(SystemLibraries, TheCurrentFolderLeavesTheSearchWhereTheSystemOffersIt) {
  for (const bool offered : {true, false}) {
    searchCalls.clear();
    systemOffersSearchSettings = offered;
    const ImportPatch faking("KERNEL32.dll", "GetProcAddress",
                             reinterpret_cast<void*>(FakeSearchSettings));
    winui::KeepLibrarySearchInSystemFolder();
    const std::vector<std::string> expected = {"SetDefaultDllDirectories 2048",
                                               "SetDllDirectoryA ''"};
    EXPECT_EQ(searchCalls, offered ? expected : std::vector<std::string>{});
  }
}

// Every rich edit takes the most text there is: the document's first
// window, a replacement, the copy a whole-document edit is made on, one
// without a parent as the print job's copy is made, and a one-line field.
TEST_F(MainFormTest, EveryWindowOfTheDocumentTakesTheLargestText) {
  const LRESULT largest = RichEditControl::LargestTextLimit;
  EXPECT_EQ(SendMessageA(Text(), EM_GETLIMITTEXT, 0, 0), largest);
  ReplaceDocument();
  EXPECT_EQ(SendMessageA(Text(), EM_GETLIMITTEXT, 0, 0), largest);
  form->RichEdit1.EditInCopy([](const RichEditControl&) {});
  EXPECT_EQ(SendMessageA(Text(), EM_GETLIMITTEXT, 0, 0), largest) << "edited in a copy";
  RichEditControl copy("PrintCopy"), field("Field");
  copy.Create(nullptr, 0, 0, 0, 0, 0);
  EXPECT_EQ(copy.Send(EM_GETLIMITTEXT), largest);
  field.Create(form->Handle(), 0, 0, 100, 20, 0, true);
  EXPECT_EQ(field.Send(EM_GETLIMITTEXT), largest) << "one line";
}

// The editor as it starts where RICHED32.DLL cannot be loaded: it warns,
// and the document is a plain edit.
class WithoutRichEdit : public FilesTest {
 protected:
  void SetUp() override {
    const ImportPatch failing("KERNEL32.dll", "LoadLibraryA", reinterpret_cast<void*>(NoRichEdit));
    ModalScript warning;
    warning.On(ErrorBox, [](HWND box) { ClickButton(box, {"OK"}); });
    ASSERT_TRUE(warning.Run([&] { FilesTest::SetUp(); }));
    ASSERT_FALSE(form->RichEdit1.HasRichText());
  }

  std::string Shown() const {
    char text[256] = {};
    GetWindowTextA(Text(), text, sizeof text);
    return text;
  }
};

TEST_F(WithoutRichEdit, OpensAndSavesEveryFileAsTheTextItHolds) {
  const std::string files[][2] = {
      {"letter.rtf", "{\\rtf1\\ansi\\deff0 {\\fonttbl{\\f0 Arial;}} words\\par}"},
      {"notes.txt", "plain words\r\nof two lines"}};
  for (const auto& file : files) {
    WriteFile(file[0], file[1]);
    ASSERT_TRUE(Open(file[0]));
    EXPECT_EQ(Shown(), file[1]);
    const int end = GetWindowTextLengthA(Text());
    SendMessageA(Text(), EM_SETSEL, end, end);
    SendMessageA(Text(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(" more"));
    SendMessageA(Text(), EM_SETMODIFY, TRUE, 0);
    Command(form->FileSaveItem);
    EXPECT_EQ(ReadFile(file[0]), file[1] + " more");
    EXPECT_FALSE(Modified());
  }
  EXPECT_EQ(ErrorOf(form->FilePrintItem),
            "Ohne die Bibliothek RICHED32.DLL kann nicht gedruckt werden.");
}

TEST_F(WithoutRichEdit, ReplaceAllChangesTheTextInOneStepToUndo) {
  SendMessageA(Text(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("one two one"));
  form->EditReplaceItem.Click();
  TFindDialog& dialog = *form->OpenedFindDialog(TFindDialog::Kind::Replace);
  dialog.FindText.Send(WM_SETTEXT, 0, reinterpret_cast<LPARAM>("one"));
  dialog.ReplaceText.Send(WM_SETTEXT, 0, reinterpret_cast<LPARAM>("three"));
  dialog.ReplaceAllButton.Send(BM_CLICK);
  EXPECT_EQ(Shown(), "three two three");
  form->EditUndoItem.Click();
  EXPECT_EQ(Shown(), "one two one");
}

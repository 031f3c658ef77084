#include "FilesFixture.h"

#include <fstream>
#include <sstream>

using namespace testing_support;

namespace {

std::string TestFolderName() {
  const auto* info = testing::UnitTest::GetInstance()->current_test_info();
  std::string name = std::string(info->test_suite_name()) + "." + info->name();
  for (char& c : name)
    if (c == '/' || c == '\\') c = '_';
  return name;
}

void RemoveFolder(const std::string& folder) {
  WIN32_FIND_DATAA entry;
  HANDLE find = FindFirstFileA((folder + "*").c_str(), &entry);
  if (find == INVALID_HANDLE_VALUE) return;
  do {
    const std::string name = entry.cFileName;
    if (name == "." || name == "..") continue;
    const std::string path = folder + name;
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    // Some tests make folders of their own inside.
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
      RemoveFolder(path + "\\");
    else
      DeleteFileA(path.c_str());
  } while (FindNextFileA(find, &entry));
  FindClose(find);
  RemoveDirectoryA(folder.c_str());
}

}  // namespace

std::string FilesTest::RootFolder() const {
  char temp[MAX_PATH] = {};
  GetTempPathA(sizeof temp, temp);
  return std::string(temp) + "dabiro-files\\";
}

void FilesTest::SetUp() {
  MainFormTest::SetUp();
  const std::string root = RootFolder();
  CreateDirectoryA(root.c_str(), nullptr);
  folder = root + TestFolderName() + "\\";
  RemoveFolder(folder);
  ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr)) << folder;
}

void FilesTest::TearDown() {
  MainFormTest::TearDown();
  if (!folder.empty()) RemoveFolder(folder);
}

void FilesTest::WriteFile(const std::string& name, const std::string& bytes) const {
  std::ofstream(PathOf(name), std::ios::binary) << bytes;
}

std::string FilesTest::ReadFile(const std::string& name) const {
  std::ifstream file(PathOf(name), std::ios::binary);
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

bool FilesTest::Exists(const std::string& name) const {
  return GetFileAttributesA(PathOf(name).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<std::string> FilesTest::FolderEntries() const {
  std::vector<std::string> names;
  WIN32_FIND_DATAA entry;
  HANDLE find = FindFirstFileA((folder + "*").c_str(), &entry);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    const std::string name = entry.cFileName;
    if (name != "." && name != "..") names.push_back(name);
  } while (FindNextFileA(find, &entry));
  FindClose(find);
  return names;
}

void FilesTest::Command(winui::MenuItem& item) const {
  SendMessageA(form->Handle(), WM_COMMAND, item.Id(), 0);
}

std::string FilesTest::Document() const { return Codes(); }

void FilesTest::SetDocument(const std::string& text) const {
  SetCodes(text);
  SendMessageA(Text(), EM_SETMODIFY, TRUE, 0);
}

ModalScript FilesTest::SaveAsScript(const std::string& name, int filterIndex) const {
  ModalScript script;
  script
      .On([] { return CommonDialog("Save As"); },
          [=](HWND dialog) { ChooseFileType(dialog, filterIndex); })
      .On([] { return CommonDialog("Save As"); },
          [=](HWND dialog) { EnterFileName(dialog, PathOf(name)); });
  return script;
}

bool FilesTest::SaveAs(const std::string& name, int filterIndex, ModalScript::Action answer) {
  ModalScript script = SaveAsScript(name, filterIndex);
  if (answer) script.On(QuestionBox, answer);
  const bool ran = script.Run([&] { Command(form->FileSaveAsItem); });
  if (answer) questions.push_back(script.Seen().back());
  return ran;
}

bool FilesTest::Open(const std::string& name, bool readOnly) {
  ModalScript script;
  script
      .On([] { return CommonDialog("Open"); },
          [=](HWND dialog) { SetReadOnlyBox(dialog, readOnly); })
      .On([] { return CommonDialog("Open"); },
          [=](HWND dialog) { EnterFileName(dialog, PathOf(name)); });
  return script.Run([&] { Command(form->FileOpenItem); });
}

std::string FilesTest::OpenExpectingError(const std::string& name) {
  return OpenPathExpectingError(PathOf(name));
}

std::string FilesTest::OpenPathExpectingError(const std::string& path) {
  ModalScript script;
  script.On([] { return CommonDialog("Open"); }, [=](HWND dialog) { EnterFileName(dialog, path); })
      .On(ErrorBox, [](HWND box) { ClickButton(box, {"OK"}); });
  if (!script.Run([&] { Command(form->FileOpenItem); })) return "";
  return script.Seen().back();
}

std::string FilesTest::SaveAsExpectingError(const std::string& name, int filterIndex) {
  ModalScript script = SaveAsScript(name, filterIndex);
  script.On(QuestionBox, AnswerYes).On(ErrorBox, [](HWND box) { ClickButton(box, {"OK"}); });
  if (!script.Run([&] { Command(form->FileSaveAsItem); })) return "";
  return script.Seen().back();
}

std::string FilesTest::ErrorOf(winui::MenuItem& item) {
  ModalScript script;
  script.On(ErrorBox, [](HWND box) { ClickButton(box, {"OK"}); });
  if (!script.Run([&] { Command(item); })) return "";
  return script.Seen().back();
}

bool StartsAsRtf(const std::string& bytes) { return bytes.rfind("{\\rtf", 0) == 0; }

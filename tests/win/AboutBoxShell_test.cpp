// What the about box starts: the mail program named by the registry's
// mailto command, and the home page through the shell. A recorder program
// stands in for both and writes down the command line it was given.
#include <windows.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "AboutBoxFixture.h"

using namespace about_test;
using namespace testing_support;

namespace {

// Removes a key below the parent with everything below it.
void DeleteKeyTree(HKEY parent, const std::string& name) {
  HKEY key;
  if (RegOpenKeyExA(parent, name.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
  char child[256];
  DWORD size = sizeof child;
  while (RegEnumKeyExA(key, 0, child, &size, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS) {
    DeleteKeyTree(key, child);
    size = sizeof child;
  }
  RegCloseKey(key);
  RegDeleteKeyA(parent, name.c_str());
}

// The default value of a key below HKEY_CLASSES_ROOT, changed for a test
// and put back as it was afterwards; keys the prefix did not have are
// removed again.
class SavedDefaultValue {
 public:
  explicit SavedDefaultValue(std::string keyPath) : path_(std::move(keyPath)) {
    for (size_t end = path_.find('\\'); createdRoot_.empty(); end = path_.find('\\', end + 1)) {
      const std::string prefix = path_.substr(0, end);
      HKEY key;
      if (RegOpenKeyExA(HKEY_CLASSES_ROOT, prefix.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        createdRoot_ = prefix;
      else
        RegCloseKey(key);
      if (end == std::string::npos) break;
    }
    if (!createdRoot_.empty()) return;
    HKEY key = Open();
    DWORD size = 0;
    hadValue_ = RegQueryValueExA(key, nullptr, nullptr, &type_, nullptr, &size) == ERROR_SUCCESS;
    data_.resize(size);
    if (hadValue_) RegQueryValueExA(key, nullptr, nullptr, &type_, data_.data(), &size);
    RegCloseKey(key);
  }

  ~SavedDefaultValue() {
    if (!createdRoot_.empty()) {
      DeleteKeyTree(HKEY_CLASSES_ROOT, createdRoot_);
      return;
    }
    HKEY key = Open();
    if (hadValue_)
      RegSetValueExA(key, nullptr, 0, type_, data_.data(), static_cast<DWORD>(data_.size()));
    else
      RegDeleteValueA(key, nullptr);
    RegCloseKey(key);
  }

  void Set(DWORD type, const std::string& text) {
    HKEY key = Open();
    RegSetValueExA(key, nullptr, 0, type, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>(text.size() + 1));
    RegCloseKey(key);
  }

  void Remove() {
    HKEY key = Open();
    RegDeleteValueA(key, nullptr);
    RegCloseKey(key);
  }

 private:
  HKEY Open() const {
    HKEY key = nullptr;
    RegCreateKeyExA(HKEY_CLASSES_ROOT, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                    nullptr);
    return key;
  }

  std::string path_;
  std::string createdRoot_;
  bool hadValue_ = false;
  DWORD type_ = 0;
  std::vector<BYTE> data_;
};

// The pattern with every "{}" replaced by the recorder's path.
std::string WithRecorder(const std::string& pattern) {
  const std::string recorder = ProgramFolder() + "recorder.exe";
  std::string text = pattern;
  for (size_t at = text.find("{}"); at != std::string::npos; at = text.find("{}", at))
    text.replace(at, 2, recorder);
  return text;
}

}  // namespace

class AboutBoxShellTest : public AboutBoxTest {
 protected:
  void SetUp() override {
    AboutBoxTest::SetUp();
    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    record = std::string(folder) + "dabiro-recorded.txt";
    DeleteFileA(record.c_str());
    SetEnvironmentVariableA("DABIRO_RECORDER_FILE", record.c_str());
  }
  void TearDown() override {
    DeleteFileA(record.c_str());
    AboutBoxTest::TearDown();
  }

  // The recorder's command line once it has run.
  bool Recorded(std::string& line) const {
    std::ifstream in(record, std::ios::binary);
    if (!in) return false;
    std::ostringstream text;
    text << in.rdbuf();
    line = text.str();
    return true;
  }

  std::string record;
};

// How the mail command's placeholders are filled is unit-tested
// (MailCommand_test); here the registry's values must reach the programs
// started. The current folder holds the recorder, as a document's folder may
// hold a program of the name a command gives: it must not start from there.
TEST_F(AboutBoxShellTest, TheLinkAndTheMailButtonStartWhatTheRegistryNames) {
  SavedDefaultValue browser("http\\shell\\open\\command");
  browser.Set(REG_SZ, WithRecorder("\"{}\" %1"));
  SavedDefaultValue mail("mailto\\shell\\open\\command");
  char before[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, before);
  SetCurrentDirectoryA(ProgramFolder().c_str());
  Sampler sampler;
  UseAboutBox(sampler, [&](Person& person) {
    ASSERT_TRUE(person.WaitForPulsing());
    const BoxWindows box = person.Box();
    std::string line;
    person.Click(box.link);
    EXPECT_TRUE(WaitFor([&] { return Recorded(line); }, 10000));
    EXPECT_EQ(line, WithRecorder("\"{}\" http://dabiro.invalid/"));

    DeleteFileA(record.c_str());
    mail.Set(REG_EXPAND_SZ, WithRecorder("\"{}\" /in %SystemRoot% %1"));
    person.Click(box.mail);
    EXPECT_TRUE(WaitFor([&] { return Recorded(line); }, 10000));
    EXPECT_EQ(line, WithRecorder("\"{}\" /in C:\\windows mailto:dabiro@dabiro.invalid"));

    DeleteFileA(record.c_str());
    mail.Set(REG_SZ, "recorder.exe %1");
    person.Click(box.mail);
    EXPECT_FALSE(WaitFor([] { return FindMessageBox(nullptr) != nullptr; }, 1500))
        << "nothing is shown";
    EXPECT_FALSE(Recorded(line)) << "nothing starts, yet this did: " << line;

    mail.Remove();
    person.Click(box.mail);
    HWND error = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (error = FindMessageBox("Dabiro")) != nullptr; }, 3000));
    EXPECT_EQ(WindowText(GetDlgItem(error, 0xFFFF)), "Ung\xFCltige Varianten-Typkonvertierung.");
    person.Click(GetDlgItem(error, IDOK));
    EXPECT_TRUE(person.GlyphPulsesWithin(1000)) << "the box goes on";
    person.CloseWithOk();
  });
  SetCurrentDirectoryA(before);
}

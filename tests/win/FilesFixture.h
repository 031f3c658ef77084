#pragma once
#include <windows.h>
#include <commctrl.h>
#include <richedit.h>

#include <string>
#include <vector>

#include "MainFormFixture.h"
#include "ModalScript.h"

// A fresh main window and an empty folder of its own per test, with the
// file commands run as the menu runs them and their dialogs answered for
// real.
class FilesTest : public MainFormTest {
 protected:
  void SetUp() override;
  void TearDown() override;
  // Where the test's folder is made; ends with a backslash.
  virtual std::string RootFolder() const;

  std::string PathOf(const std::string& name) const { return folder + name; }
  void WriteFile(const std::string& name, const std::string& bytes) const;
  std::string ReadFile(const std::string& name) const;
  bool Exists(const std::string& name) const;
  std::vector<std::string> FolderEntries() const;

  // The command as a click on its menu item runs it: behind the window's
  // exception barrier, so failures show in the error box.
  void Command(winui::MenuItem& item) const;

  std::string Document() const;
  bool Modified() const { return SendMessageA(Text(), EM_GETMODIFY, 0, 0) != 0; }
  // The text as if the user had typed it.
  void SetDocument(const std::string& text) const;

  // File/Save As with the filter chosen and the name typed; the overwrite
  // question, when one is expected, gets the answer.
  bool SaveAs(const std::string& name, int filterIndex,
              testing_support::ModalScript::Action answer = nullptr);
  // File/Open with the name typed and the read-only box set.
  bool Open(const std::string& name, bool readOnly = false);
  // File/Open of a file that fails: the error box's text, or "".
  std::string OpenExpectingError(const std::string& name);
  std::string OpenPathExpectingError(const std::string& path);
  // File/Save As onto an existing file, overwrite answered Yes, that
  // fails: the error box's text, or "".
  std::string SaveAsExpectingError(const std::string& name, int filterIndex);
  // Runs the command and returns the text of the error box it shows.
  std::string ErrorOf(winui::MenuItem& item);

  std::string folder;                  // ends with a backslash
  std::vector<std::string> questions;  // the texts of the questions asked

 private:
  testing_support::ModalScript SaveAsScript(const std::string& name, int filterIndex) const;
};

bool StartsAsRtf(const std::string& bytes);

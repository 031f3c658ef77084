#pragma once
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>

#include "ControlIds.h"
#include "GlyphText.h"
#include "MainForm.h"
#include "TestSupport.h"

// A fresh main window per test, shown and activated as at start-up.
class MainFormTest : public testing::Test {
 protected:
  void SetUp() override {
    form = std::make_unique<TMainForm>();
    form->CreateForm();
    form->Show();
    SetForegroundWindow(form->Handle());
    testing_support::WaitUntil([&] { return GetFocus() == form->RichEdit1.Handle(); });
  }
  void TearDown() override {
    form.reset();
    testing_support::Pump(20);
  }

  HWND Text() const { return form->RichEdit1.Handle(); }
  // The document's codes, as saving as plain text writes them, and the
  // whole document replaced by codes, as opening a text file fills it.
  std::string Codes() const { return CodesOf(form->RichEdit1); }
  void SetCodes(const std::string& codes) const {
    SendMessageA(Text(), EM_SETSEL, 0, -1);
    InsertCodes(form->RichEdit1, codes);
  }
  // File/New after a document of some hundred lines: from here on the
  // document is a window that replaced the first one.
  void ReplaceDocument() const {
    const HWND first = Text();
    std::string lines;
    for (int i = 0; i < 300; ++i) lines += "line " + std::to_string(i) + "\r\n";
    SetCodes(lines);
    SendMessageA(first, EM_SETMODIFY, FALSE, 0);
    form->FileNewItem.Click();
    ASSERT_NE(Text(), first);
    ASSERT_EQ(DocumentWindows(), 1);
    ASSERT_EQ(GetFocus(), Text());
  }
  // The windows of the document among the form's children: one, however
  // often it was replaced.
  int DocumentWindows() const {
    int count = 0;
    for (HWND child = GetWindow(form->Handle(), GW_CHILD); child;
         child = GetWindow(child, GW_HWNDNEXT))
      count += GetDlgCtrlID(child) == IdRichEdit;
    return count;
  }
  std::string StatusText() const {
    char text[256] = {};
    // In simple mode the status bar answers for its one part as part 0.
    SendMessageA(form->StatusBar.Handle(), SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text));
    return text;
  }

  std::unique_ptr<TMainForm> form;
};

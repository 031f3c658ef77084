#pragma once
// Persian typed as a person types it: real key events of the Persian
// standard layout's keys, found by their places on a US keyboard.
#include <windows.h>
#include <gtest/gtest.h>

#include "MainFormFixture.h"

#include <functional>
#include <string>
#include <vector>

namespace testing_support {

struct KeyRow {
  char us;  // what the key gives on a US keyboard: the system tells its place
  char32_t base, shifted;
};

// The layout's table, as the standard gives it (tests/data).
std::vector<KeyRow> LayoutTable();

std::u32string Unicode(const char* utf8);
// The codes from-unicode writes for the text.
std::string FromUnicode(std::u32string_view text);
std::string Hex(const std::string& codes);

// A key down and up as the keyboard sends it: its virtual key and its scan
// code, as the system's US layout places the key.
void Key(BYTE virtualKey, bool shift = false);
void UsKey(char us, bool shift = false);
void KeyChord(BYTE held, BYTE key);
// Types Persian text with the keys the layout gives its characters on; a
// line break is Enter. False for a character no key gives.
bool TypePersian(std::u32string_view text);

// Waits until the codes read are the ones expected, saying both if not.
testing::AssertionResult BecomesCodes(const std::function<std::string()>& codes,
                                      const std::string& expected);

// The main window in Persian keyboard mode, the pointer in the text, away
// from the buttons, whose hints would take the status line.
class PersianKeyboardTest : public MainFormTest {
 protected:
  void SetUp() override {
    MainFormTest::SetUp();
    MoveMouse(Text(), 100, 20);
    Pump(50);
    form->KeyboardPersianItem.Click();
  }
};

}  // namespace testing_support

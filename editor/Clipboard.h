#pragma once
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

// Replaces the clipboard's contents with text as CF_TEXT; false when the
// clipboard could not be taken (another program holds it) or memory ran out.
bool ReplaceClipboardText(HWND owner, const std::string& text);

// Replaces the clipboard's contents with the data in each format, each
// given a terminating NUL; false as for ReplaceClipboardText.
bool ReplaceClipboard(HWND owner, const std::vector<std::pair<UINT, std::string>>& data);

// Says that nothing was done ("copied", "cut") since the clipboard could
// not be written: the text, and the failure that carries it.
std::string ClipboardWriteFailure(const char* done);
[[noreturn]] void FailClipboardWrite(const char* done);

bool ClipboardHas(UINT format);

// The clipboard's CF_TEXT up to its NUL; false when there is none or the
// clipboard could not be taken.
bool ReadClipboardText(HWND owner, std::string& text);

// The clipboard's CF_UNICODETEXT up to its NUL; false when there is none or
// the clipboard could not be taken.
bool ReadClipboardUnicode(HWND owner, std::u16string& text);

#pragma once
#include <windows.h>

// A text control as the streams and the glyph exchange see it: its window
// and how it keeps its text. Taken by value at each call, so it names the
// control's window of that moment.
struct ControlStorage {
  // A plain edit (no RICHED32.DLL: no formats, no RTF), a rich edit 1.0
  // that keeps bytes, or a later rich edit, which keeps UTF-16.
  enum class Kind { PlainEdit, Bytes, Utf16 };

  HWND window;
  Kind kind;

  bool HasRichText() const { return kind != Kind::PlainEdit; }
  bool StoresUnicode() const { return kind == Kind::Utf16; }
  LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return SendMessageA(window, message, wParam, lParam);
  }
};

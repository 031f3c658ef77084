#include "GlyphText.h"

#include <windows.h>
#include <richedit.h>

#include "Clipboard.h"
#include "ControlStreams.h"
#include "GlyphStorage.h"

namespace {

UINT RtfFormat() { return RegisterClipboardFormatA(CF_RTF); }

}  // namespace

std::string ThroughCodePage(char16_t character) {
  char bytes[8] = {};
  const wchar_t wide = static_cast<wchar_t>(character);
  const int length =
      WideCharToMultiByte(CP_ACP, 0, &wide, 1, bytes, sizeof bytes, nullptr, nullptr);
  return length > 0 ? std::string(bytes, static_cast<size_t>(length)) : std::string("?");
}

bool KeepsUtf16(ControlStorage control) {
  std::string stored;
  core::AppendStored("\xE5", 1, stored);
  StreamIn(control, SF_TEXT | SF_UNICODE, stored);
  const bool keeps = control.Send(WM_GETTEXTLENGTH) == 1;
  SetWindowTextA(control.window, "");
  control.Send(EM_EMPTYUNDOBUFFER);
  control.Send(EM_SETMODIFY, FALSE);
  return keeps;
}

bool SelectionTakesCodes(ControlStorage control) {
  CHARFORMATA format{};
  format.cbSize = sizeof format;
  control.Send(EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
  return (format.dwMask & CFM_CHARSET) && format.bCharSet == SYMBOL_CHARSET;
}

void InsertCodes(ControlStorage control, const std::string& codes) {
  if (!control.StoresUnicode()) return StreamIn(control, SF_TEXT | SFF_SELECTION, codes);
  std::string stored;
  core::AppendStored(codes.data(), codes.size(), stored);
  StreamIn(control, SF_TEXT | SF_UNICODE | SFF_SELECTION, stored);
}

std::string CodesOf(ControlStorage control, bool selectionOnly) {
  const WPARAM scope = selectionOnly ? SFF_SELECTION : 0;
  if (!control.StoresUnicode()) return StreamOut(control, SF_TEXT | scope);
  const std::string stored = StreamOut(control, SF_TEXT | SF_UNICODE | scope);
  std::string codes;
  core::StoredToCodes(ThroughCodePage).Feed(stored.data(), stored.size(), codes);
  return codes;
}

bool CopyCodes(ControlStorage control) {
  DWORD start = 0, end = 0;
  control.Send(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  if (end <= start) return true;
  // A selection that reaches the end streams out the paragraph mark the
  // control keeps after the text, which the text itself does not hold.
  std::string codes = CodesOf(control, true);
  const bool reachesEnd = end >= static_cast<DWORD>(control.Send(WM_GETTEXTLENGTH));
  if (reachesEnd && codes.size() >= 2 && codes.compare(codes.size() - 2, 2, "\r\n") == 0)
    codes.resize(codes.size() - 2);
  return ReplaceClipboard(
      control.window,
      {{RtfFormat(), StreamOut(control, SF_RTF | SFF_SELECTION)}, {CF_TEXT, codes}});
}

bool PasteCodes(ControlStorage control) {
  if (ClipboardHas(RtfFormat()) || !SelectionTakesCodes(control)) return false;
  std::string text;
  if (!ReadClipboardText(control.window, text)) return false;
  InsertCodes(control, text);
  return true;
}

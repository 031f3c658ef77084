#pragma once
#include <windows.h>

namespace winui {

// The modifier keys held now, as the MK_ flags key handlers receive.
inline UINT HeldShiftKeys() {
  UINT shift = 0;
  if (GetKeyState(VK_SHIFT) < 0) shift |= MK_SHIFT;
  if (GetKeyState(VK_CONTROL) < 0) shift |= MK_CONTROL;
  return shift;
}

// The standard keys for the clipboard, as the messages they stand for; 0
// for other keys.
inline UINT ClipboardKeyCommand(WPARAM key, UINT shift) {
  if (shift == MK_CONTROL && (key == 'C' || key == VK_INSERT)) return WM_COPY;
  if (shift == MK_CONTROL && key == 'X') return WM_CUT;
  if (shift == MK_CONTROL && key == 'V') return WM_PASTE;
  if (shift == MK_SHIFT && key == VK_DELETE) return WM_CUT;
  if (shift == MK_SHIFT && key == VK_INSERT) return WM_PASTE;
  return 0;
}

}  // namespace winui

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

}  // namespace winui

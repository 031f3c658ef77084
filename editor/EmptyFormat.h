#pragma once
#include <windows.h>

#include <cstring>

// A character or paragraph format for one message to the control: all
// zero but its size and the mask of the fields the message reads or sets.
template <typename Format>
Format EmptyFormat(DWORD mask) {
  Format format;
  std::memset(&format, 0, sizeof format);
  format.cbSize = sizeof format;
  format.dwMask = mask;
  return format;
}

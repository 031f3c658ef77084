#include "FontFaces.h"

#include <windows.h>

namespace {

int CALLBACK TakeCharset(const LOGFONTA* font, const TEXTMETRICA*, DWORD, LPARAM charset) {
  *reinterpret_cast<int*>(charset) = font->lfCharSet;
  return 0;
}

}  // namespace

int CharsetOfFace(const std::string& face) {
  int charset = -1;
  HDC screen = GetDC(nullptr);
  EnumFontsA(screen, face.c_str(), TakeCharset, reinterpret_cast<LPARAM>(&charset));
  ReleaseDC(nullptr, screen);
  return charset;
}

#include "GlyphFont.h"

#include "InstallerPaths.h"
#include "SystemFolders.h"

namespace {

int CALLBACK NoteFace(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

bool GlyphFaceAvailable() {
  bool found = false;
  HDC screen = GetDC(nullptr);
  EnumFontsA(screen, GlyphFace, NoteFace, reinterpret_cast<LPARAM>(&found));
  ReleaseDC(nullptr, screen);
  return found;
}

}  // namespace

HFONT CreateGlyphFont(int height, bool afterFontChange) {
  const DWORD precision = afterFontChange ? OUT_TT_PRECIS : OUT_DEFAULT_PRECIS;
  return CreateFontA(-height, 0, 0, 0, FW_NORMAL, 0, 0, 0, SYMBOL_CHARSET, precision, 0, 0, 0,
                     GlyphFace);
}

void TakeInstalledGlyphFont() {
  if (GlyphFaceAvailable()) return;
  const std::string file = core::FontDestinationPath(WindowsDirectory());
  if (GetFileAttributesA(file.c_str()) != INVALID_FILE_ATTRIBUTES) AddFontResourceA(file.c_str());
}

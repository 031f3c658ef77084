#include "GlyphFont.h"

#include "FontFaces.h"
#include "InstallerPaths.h"
#include "SystemFolders.h"

HFONT CreateGlyphFont(int height, bool afterFontChange) {
  const DWORD precision = afterFontChange ? OUT_TT_PRECIS : OUT_DEFAULT_PRECIS;
  return CreateFontA(-height, 0, 0, 0, FW_NORMAL, 0, 0, 0, SYMBOL_CHARSET, precision, 0, 0, 0,
                     GlyphFace);
}

void TakeInstalledGlyphFont() {
  if (CharsetOfFace(GlyphFace) >= 0) return;
  const std::string file = core::FontDestinationPath(WindowsDirectory());
  if (GetFileAttributesA(file.c_str()) != INVALID_FILE_ATTRIBUTES) AddFontResourceA(file.c_str());
}

#pragma once
#include <windows.h>

#include <string>

// Makes a font file in the font folder an installed font: listed under the
// system's Fonts key (read at every start), loaded into the running
// system, and announced to the programs running now. Each returns 0 or the
// system's error code.
DWORD ListInFontsKey(const std::string& fontsKey);
DWORD LoadFont(const std::string& fontFile);
void AnnounceFontChange();

// Lets go of a font file the running system holds, so it can be replaced.
void UnloadFont(const std::string& fontFile);

// Whether the two files exist and hold the same bytes.
bool SameContent(const std::string& first, const std::string& second);

#pragma once
#include <windows.h>

#include <string>

// Replaces the clipboard's contents with text as CF_TEXT; false when the
// clipboard could not be taken (another program holds it) or memory ran out.
bool ReplaceClipboardText(HWND owner, const std::string& text);
